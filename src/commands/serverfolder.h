// SPDX-License-Identifier: MIT
#pragma once

#include "commands/analyzer.h"
#include "commands/outcome.h"
#include "commands/program.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// Lets the user pick the server folder (loadpath). A chosen folder becomes serverfolder (see
// setServerFolder), sets folderset, is named in the status line ("Server folder: <path>") and
// is written to the folder file. Cancelling changes nothing.
Outcome loadpath(Analyzer& a);

// Restores the server folder from the folder file, names it in the status line ("Server
// folder: <path>") and lists its accounts. An absent file or an empty path leaves the folder
// unknown and the status line as it was.
Outcome checkserverfolder(Analyzer& a);

// Uses dir as the server folder for this run without writing the folder file. A folder other
// than the current one (both taken as absolute, lexically normal paths; symbolic links are not
// resolved) forgets everything that came from the current one: both logs are unloaded as a
// load of each would start, and the accounts are emptied, so that the next command loads and
// lists the new folder's. The same folder again changes nothing.
void setServerFolder(Analyzer& a, const std::string& dir);

// The folder a path names on the command line or in a drop: relative paths are taken from the
// working directory, and a file stands for the folder that holds it. The result is absolute and
// lexically normal, without a trailing separator. Nothing when the path names nothing.
std::optional<std::string> folderNamedBy(std::string_view path);

// A server folder given by path (`quorvel DIR`, a drop on the window), taken as if it had been
// picked in the folder browser. A path that names nothing is refused with
// "Cannot find '<path>'" and changes nothing.
Outcome openServerFolder(Analyzer& a, std::string_view path);

// The server folder of a first run (`--default-folder DIR`): used, named in the status line
// and its accounts listed, only while no folder is known; it is not written to the folder file.
// A path that names nothing is refused with "Cannot find '<path>'".
Outcome useDefaultFolder(Analyzer& a, std::string_view path);

// "Server folder: <path>", with " (Mobius)" for a modern server's folder.
std::string folderCaption(const std::string& folder);

// A file directly in the server folder.
std::filesystem::path serverPath(const Analyzer& a, std::string_view leaf);

// Lists the accounts of the server folder into accounts and lstusers, once per folder: the
// account folders of a classic server, the Login values of a modern server's account files.
// Asks for the folder when none is known; without one, says so in the status line. A
// "users" folder that cannot be listed shows "Cannot read 'users'" ("Cannot read 'Users'" for a
// modern server) and leaves the accounts not loaded, so that no account report mistakes it for a
// server without accounts. Account files left out are named in the status line (on
// quorvel-report's error stream), and the accounts are listed without them.
Outcome loaduseraccounts(Analyzer& a);

// Lists the accounts when they are not listed yet (the account reports call this first).
Outcome ensureAccountsListed(Analyzer& a);

// "Select Server Directory"
Outcome mnuselectserverdirectory_Click(Analyzer& a);
// "Load User Accounts": lists the account folders (loaduseraccounts); the answer is Form4's
// entries, in name order (the side is not read).
Answered mnuLoadUserAccounts_Click(Analyzer& a, Side, const std::string& = {});

} // namespace quorvel
