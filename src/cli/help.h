// SPDX-License-Identifier: MIT
#pragma once

#include <ostream>

namespace quorvel {

// quorvel-report --help: the synopsis, every verb and option with its one-line description, the
// exit status and an example. The manual page is made from it.
void printHelp(std::ostream& out);

} // namespace quorvel
