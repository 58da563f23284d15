// SPDX-License-Identifier: MIT
#pragma once

#include "state/analyzer.h"

namespace quorvel {

// "Sort By Date": every file of the log with its number of transfers, in order of first
// occurrence, under "Downloads By Date..." (upload: "Uploads By Date..."); the status line
// ends with "Done...".
void sortByDate(Analyzer& a, Side side);
inline void mnusortbydate_Click(Analyzer& a) { sortByDate(a, Side::Download); }
inline void mnuupdate_Click(Analyzer& a) { sortByDate(a, Side::Upload); }

// "Sort By Download Number" / "Sort By Upload Number": the same files, most transferred first;
// among equal counts the file first seen later comes first. The tally is left in ascending
// order of count and the status line keeps the tally's last caption.
void sortByNumber(Analyzer& a, Side side);
inline void mnudownloadnumber_Click(Analyzer& a) { sortByNumber(a, Side::Download); }
inline void mnuupnum_Click(Analyzer& a) { sortByNumber(a, Side::Upload); }

} // namespace quorvel
