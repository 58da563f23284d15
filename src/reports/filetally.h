// SPDX-License-Identifier: MIT
#pragma once

#include "state/analyzer.h"

namespace quorvel {

// Rebuilds the side's per-file tally (downloadfiles / uploadfiles): every distinct non-empty
// file name of the log, from the first record, in order of first occurrence, with the number
// of records naming it. The status line shows "Looking at Download Number <i>/<n>" (upload:
// "Looking at Upload Number ") and is left at the last record's caption; an empty log leaves
// it unchanged. Records with an empty file name are not counted.
void listfiles(Analyzer& a, Side side);
inline void listfiles(Analyzer& a) { listfiles(a, Side::Download); }
inline void listupfiles(Analyzer& a) { listfiles(a, Side::Upload); }

} // namespace quorvel
