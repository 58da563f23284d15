// SPDX-License-Identifier: MIT
#pragma once

#include "commands/analyzer.h"
#include "commands/outcome.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace quorvel {

// Lets the user pick the server folder. A chosen folder becomes serverfolder, sets folderset
// and is written to the folder file; choosing a different folder than the current one empties
// the account list so that the next account command lists the new folder's accounts.
// Cancelling changes nothing.
Outcome loadpath(Analyzer& a);

// Restores the server folder from the folder file and lists its accounts. An absent file or
// an empty path leaves the folder unknown.
Outcome checkserverfolder(Analyzer& a);

// Uses dir as the server folder for this run without writing the folder file.
void setServerFolder(Analyzer& a, const std::string& dir);

// A file directly in the server folder.
std::filesystem::path serverPath(const Analyzer& a, std::string_view leaf);

// Lists the accounts of the server folder into accounts and lstusers, once per folder.
// Asks for the folder when none is known; without one, says so in the status line. A
// "users" folder that cannot be listed shows "Cannot read 'users'" and leaves the accounts
// not loaded, so that no account report mistakes it for a server without accounts.
Outcome loaduseraccounts(Analyzer& a);

// Lists the accounts when they are not listed yet (the account reports call this first).
Outcome ensureAccountsListed(Analyzer& a);

// "Select Server Directory" and "Load User Accounts"
Outcome mnuselectserverdirectory_Click(Analyzer& a);
Outcome mnuLoadUserAccounts_Click(Analyzer& a);

} // namespace quorvel
