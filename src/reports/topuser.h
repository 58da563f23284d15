// SPDX-License-Identifier: MIT
#pragma once

#include "state/analyzer.h"

namespace quorvel {

// numonedown / numoneup: names the user name found in the most records of the log, from the
// first record on, as "The number one downloader is...", an empty line and "<name> with <n>
// downloads" (upload: uploader, uploads), without a final line end. Among equal counts the
// name first seen later wins; "null" is a name like any other. A log without records answers
// "null with 0 downloads". The status line shows "Selecting Users <i>/<n>", then the counting
// caption of each name, and ends with "Done...".
void numone(Analyzer& a, Side side);
inline void numonedown(Analyzer& a) { numone(a, Side::Download); }
inline void numoneup(Analyzer& a) { numone(a, Side::Upload); }

// "User Number 1 Downloader" / "User Number 1 Uploader": the load guard, then the answer.
void topUser(Analyzer& a, Side side);
inline void mnunumberdown_Click(Analyzer& a) { topUser(a, Side::Download); }
inline void mnunumup_Click(Analyzer& a) { topUser(a, Side::Upload); }

} // namespace quorvel
