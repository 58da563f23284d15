// SPDX-License-Identifier: MIT
#pragma once

#include "commands/analyzer.h"
#include "commands/outcome.h"
#include "present/reporttext.h"

namespace quorvel {

// The questions of the "Insights" menu: when and from where. Each runs the guard its log needs,
// reads the records of the current period, shows "Looking at Download Number <i>/<n>" as it
// goes and "Done..." at the end, and sets the output box once.

// "Downloads By Day" / "By Month" / "By Hour": the records counted by day (oldest first, only
// days with records), by month, or by hour of the day (all 24); without a period, the records
// whose stamp is not readable are counted last as "undated".
Outcome byTime(Analyzer& a, Side side, TimeUnit unit);

// "Downloads By Address": every distinct non-empty address with its count, most first; among
// equal counts the address first seen later comes first.
Outcome byAddress(Analyzer& a, Side side);

// "Last Download By Account": every account folder with the day of its latest transfer, as
// "key TAB account": "never" first, then "undated", then by day, oldest first; ties in the order
// the account folders are listed in, whatever order an earlier report left them in.
Outcome lastTransfer(Analyzer& a, Side side);

inline Outcome mnudownloadsbyday_Click(Analyzer& a) { return byTime(a, Side::Download, TimeUnit::Day); }
inline Outcome mnudownloadsbymonth_Click(Analyzer& a) { return byTime(a, Side::Download, TimeUnit::Month); }
inline Outcome mnudownloadsbyhour_Click(Analyzer& a) { return byTime(a, Side::Download, TimeUnit::Hour); }
inline Outcome mnudownloadsbyaddress_Click(Analyzer& a) { return byAddress(a, Side::Download); }
inline Outcome mnulastdownloads_Click(Analyzer& a) { return lastTransfer(a, Side::Download); }
inline Outcome mnuuploadsbyday_Click(Analyzer& a) { return byTime(a, Side::Upload, TimeUnit::Day); }
inline Outcome mnuuploadsbymonth_Click(Analyzer& a) { return byTime(a, Side::Upload, TimeUnit::Month); }
inline Outcome mnuuploadsbyhour_Click(Analyzer& a) { return byTime(a, Side::Upload, TimeUnit::Hour); }
inline Outcome mnuuploadsbyaddress_Click(Analyzer& a) { return byAddress(a, Side::Upload); }
inline Outcome mnulastuploads_Click(Analyzer& a) { return lastTransfer(a, Side::Upload); }

} // namespace quorvel
