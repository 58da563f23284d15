// SPDX-License-Identifier: MIT
#pragma once

#include "state/analyzer.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// The account folders under dir: every entry that is a folder (links followed), not hidden
// (a name beginning with "."), in ascending order of name compared without regard to ASCII
// letter case, ties in byte order. Entries whose type cannot be read are skipped; a missing
// folder (or a file in its place) has no accounts. Nothing when the folder exists but cannot
// be listed (permissions, a link loop, an I/O error).
std::optional<std::vector<std::string>> listAccountFolders(const std::filesystem::path& dir);

inline constexpr std::string_view unreadableAccountsMessage = "Cannot read 'users'";

// Lists the accounts of the server folder into accounts and lstusers, once per folder.
// Asks for the folder when none is known; without one, says so in the status line. A
// "users" folder that cannot be listed shows "Cannot read 'users'" and leaves the accounts
// not loaded, so that no account report mistakes it for a server without accounts.
void loaduseraccounts(Analyzer& a);

// Lists the accounts when they are not listed yet (the account reports call this first).
void ensureAccountsListed(Analyzer& a);

// "Load User Accounts"
void mnuLoadUserAccounts_Click(Analyzer& a);

} // namespace quorvel
