// SPDX-License-Identifier: MIT
#pragma once

#include "state/analyzer.h"

namespace quorvel {

// "Account that aren't downloading" / "Account that aren't uploading": after the account
// report guard, recounts every account's downcount (upcount) and lists, in the current order
// of accounts (which is kept), the accounts without any record under "Accounts that have not
// downloaded in the current log..." (upload: uploaded). The status line ends with "Done...".
void inactiveAccounts(Analyzer& a, Side side);
inline void mnuwhonotdownloading_Click(Analyzer& a) { inactiveAccounts(a, Side::Download); }
inline void mnuwhosnotuploading_Click(Analyzer& a) { inactiveAccounts(a, Side::Upload); }

} // namespace quorvel
