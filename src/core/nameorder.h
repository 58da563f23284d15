// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

namespace quorvel {

// The order names are listed in: compared byte by byte with ASCII letters folded to lower case,
// and names that are equal that way ("Bob", "bob") in plain byte order. Bytes are unsigned.
bool nameOrder(std::string_view x, std::string_view y);

} // namespace quorvel
