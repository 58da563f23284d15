// SPDX-License-Identifier: MIT
#pragma once

#include "state/analyzer.h"

namespace quorvel {

// accountdownloads / accountuploads: counts the records of every listed account (a record
// is an account's when its account column equals the folder name, byte for byte), keeps the
// count in downcount (upcount), sorts accounts in place by that count, ascending and stable,
// and lists them most active first under "Downloads By Account..." (upload: "Uploads by
// Acount..."); among equal counts the account that stood later comes first. The status line
// ends with "Done...".
void accountlisting(Analyzer& a, Side side);
inline void accountdownloads(Analyzer& a) { accountlisting(a, Side::Download); }
inline void accountuploads(Analyzer& a) { accountlisting(a, Side::Upload); }

// "Sort By Account": the account report guard, then the listing.
void sortByAccount(Analyzer& a, Side side);
inline void mnusortbyaccount_Click(Analyzer& a) { sortByAccount(a, Side::Download); }
inline void mnuupaccount_Click(Analyzer& a) { sortByAccount(a, Side::Upload); }

} // namespace quorvel
