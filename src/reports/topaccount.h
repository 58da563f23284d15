// SPDX-License-Identifier: MIT
#pragma once

#include "state/analyzer.h"

namespace quorvel {

// numoneaccountdown / numoneaccountup: names the listed account with the most records in the
// log as "The mumber one account downloader is...", an empty line and "<account> with <n>
// downloads" (upload: uploader, uploads), without a final line end. Among equal counts the
// account that comes last in the current order of accounts wins; with no account listed the
// answer is "null with 0 downloads". accounts, its order and its counters are not changed.
// The status line shows each account's counting caption and ends with "Done...".
void numoneaccount(Analyzer& a, Side side);
inline void numoneaccountdown(Analyzer& a) { numoneaccount(a, Side::Download); }
inline void numoneaccountup(Analyzer& a) { numoneaccount(a, Side::Upload); }

// "Account Number 1 Downloader" / "Account Number 1 Uploader": the account report guard,
// then the answer.
void topAccount(Analyzer& a, Side side);
inline void mnunumberaccountdown_Click(Analyzer& a) { topAccount(a, Side::Download); }
inline void mnunumberaccountup_Click(Analyzer& a) { topAccount(a, Side::Upload); }

} // namespace quorvel
