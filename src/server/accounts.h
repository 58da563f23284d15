// SPDX-License-Identifier: MIT
#pragma once

#include "state/analyzer.h"

#include <filesystem>
#include <string>
#include <vector>

namespace quorvel {

// The account folders under dir: every entry that is a folder (links followed), not hidden
// (a name beginning with "."), in ascending order of name compared without regard to ASCII
// letter case, ties in byte order. Entries whose type cannot be read are skipped; a missing
// or unreadable folder has no accounts.
std::vector<std::string> listAccountFolders(const std::filesystem::path& dir);

// Lists the accounts of the server folder into accounts and lstusers, once per folder.
// Asks for the folder when none is known; without one, says so in the status line.
void loaduseraccounts(Analyzer& a);

// Lists the accounts when they are not listed yet (the account reports call this first).
void ensureAccountsListed(Analyzer& a);

// "Load User Accounts"
void mnuLoadUserAccounts_Click(Analyzer& a);

} // namespace quorvel
