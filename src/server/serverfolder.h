// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace quorvel {

// The server folder on disk. The program only ever reads it.

// Whether dir is a folder this process can list: no error, or the system's reason (no such
// file or directory, not a directory, a name too long, permission denied).
std::error_code openFolderError(const std::filesystem::path& dir);

// The account folders under dir: every entry that is a folder (links followed), not hidden
// (a name beginning with "."), in ascending order of name compared without regard to ASCII
// letter case, ties in byte order. Entries whose type cannot be read are skipped; a missing
// folder (or a file in its place) has no accounts. Nothing when the folder exists but cannot
// be listed (permissions, a link loop, an I/O error).
std::optional<std::vector<std::string>> listAccountFolders(const std::filesystem::path& dir);

} // namespace quorvel
