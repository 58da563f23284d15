// SPDX-License-Identifier: MIT
#pragma once

#include "model/side.h"

#include <ostream>

namespace quorvel {

// Lets gtest name the side in the parameters of a failed test.
inline void PrintTo(Side side, std::ostream* os)
{
    *os << (side == Side::Download ? "download" : "upload");
}

} // namespace quorvel
