// SPDX-License-Identifier: MIT
#pragma once

#include "state/analyzer.h"

namespace quorvel {

// A click on the status line: the main window's caption becomes "True" when the upload log is
// loaded, "False" otherwise.
void lblinfo_Click(Analyzer& a);

} // namespace quorvel
