// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace quorvel {

// The bash completion of quorvel-report, made from the command table and the option table when
// the program is built, so that it offers exactly the verbs and options the program takes. It
// uses bash-completion's helpers, as the files in its completions folder may.
std::string bashCompletion();

} // namespace quorvel
