// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quorvel {

// The account folders under dir: every entry that is a folder (links followed), not hidden
// (a name beginning with "."), in ascending order of name compared without regard to ASCII
// letter case, ties in byte order. Entries whose type cannot be read are skipped; a missing
// folder (or a file in its place) has no accounts. Nothing when the folder exists but cannot
// be listed (permissions, a link loop, an I/O error).
std::optional<std::vector<std::string>> listAccountFolders(const std::filesystem::path& dir);

} // namespace quorvel
