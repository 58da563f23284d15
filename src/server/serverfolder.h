// SPDX-License-Identifier: MIT
#pragma once

#include "state/analyzer.h"

#include <filesystem>
#include <string_view>

namespace quorvel {

inline constexpr std::string_view noFolderMessage = "You must select the server folder first...";

// Lets the user pick the server folder. A chosen folder becomes serverfolder, sets folderset
// and is written to the folder file; choosing a different folder than the current one empties
// the account list so that the next account command lists the new folder's accounts.
// Cancelling changes nothing.
void loadpath(Analyzer& a);

// Restores the server folder from the folder file and lists its accounts. An absent file or
// an empty path leaves the folder unknown.
void checkserverfolder(Analyzer& a);

// Uses dir as the server folder for this run without writing the folder file.
void setServerFolder(Analyzer& a, const std::string& dir);

// A file directly in the server folder.
std::filesystem::path serverPath(const Analyzer& a, std::string_view leaf);

// "Select Server Directory"
void mnuselectserverdirectory_Click(Analyzer& a);

} // namespace quorvel
