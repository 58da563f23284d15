// SPDX-License-Identifier: MIT
#pragma once

#include "state/analyzer.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace quorvel {

// Shows the counting caption of every candidate in turn ("<name>'s Downloads", CR LF,
// "Looking at Download Number <j>/<n>", CR LF), as often as Progress does; the last caption
// shown is the last candidate's. Nothing is shown when there is no candidate.
void showCountingCaptions(Analyzer& a, Side side, std::span<const std::string_view> names);

// The number of records of the side's log whose account equals each name, in the order of
// names, with the counting captions of the names. The log's account column is counted once.
std::vector<std::int64_t> countAccounts(Analyzer& a, Side side, std::span<const std::string_view> names);

// The names of accounts, in their current order.
std::vector<std::string_view> accountNames(const State& s);

// The counter an account report of this side keeps: downcount or upcount.
std::int64_t& transfers(accountinfo& account, Side side);
std::int64_t transfers(const accountinfo& account, Side side);

// The guard of the account reports: offers to load a missing log, makes sure the account
// folders are listed, then returns whether the log is loaded and the accounts are listed; when
// the log is not, the status line says "Must load log first...". A refused report leaves the
// output box as it was.
bool accountReportGuard(Analyzer& a, Side side);

} // namespace quorvel
