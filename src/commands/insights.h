// SPDX-License-Identifier: MIT
#pragma once

#include "commands/analyzer.h"
#include "commands/outcome.h"
#include "commands/program.h"

#include <string>

namespace quorvel {

// The questions of the "Insights" menu: when and from where. Each runs the guard its log needs,
// reads the records of the current period, shows "Looking at Download Number <i>/<n>" as it
// goes and "Done..." at the end, and sets the output box once.

// "Downloads By Day" / "By Month" / "By Hour": the records counted by day (oldest first, only
// days with records), by month, or by hour of the day (all 24); without a period, the records
// whose stamp is not readable are counted last as "undated".
Answered byDay(Analyzer& a, Side side, const std::string& = {});
Answered byMonth(Analyzer& a, Side side, const std::string& = {});
Answered byHour(Analyzer& a, Side side, const std::string& = {});

// "Downloads By Address": every distinct non-empty address with its count, most first; among
// equal counts the address first seen later comes first.
Answered byAddress(Analyzer& a, Side side, const std::string& = {});

// "Last Download By Account": every account folder with the day of its latest transfer, as
// "key TAB account": "never" first, then "undated", then by day, oldest first; ties in the order
// the account folders are listed in, whatever order an earlier report left them in.
Answered lastTransfer(Analyzer& a, Side side, const std::string& = {});

// "Transfers By Account": both logs (offered as "Search Both" offers them, and refused with
// "Must load log first..." unless both are loaded) and the account folders; every account with
// its downloads and uploads, those who take most without giving first, equals in the order the
// folders are listed in (the side is not read).
Answered transfersByAccount(Analyzer& a, Side, const std::string& = {});

} // namespace quorvel
