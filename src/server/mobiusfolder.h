// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// A modern (Mobius) server's folder: its configuration folder, which keeps the accounts as
// YAML files in "Users" and its events in one structured log. The program only reads it.

// The folder that holds a modern server's account files.
inline constexpr std::string_view mobiusUsersFolder = "Users";
// Account files over this size are left out unread.
inline constexpr std::uintmax_t accountFileLimit = std::uintmax_t{1} << 20;

// Whether dir is a modern server's folder: it holds a "Users" folder (links followed) and no
// "Download Log.txt" or "Upload Log.txt" (of any kind), so that a classic folder stays classic.
bool isMobiusFolder(const std::filesystem::path& dir);

// The accounts of a modern server.
struct MobiusAccounts {
    // Their Login values, each once, in name order (ASCII letters without case, then bytes).
    std::vector<std::string> logins;
    // The account files that could not be read, as "Users/<name>", in name order.
    std::vector<std::string> leftOut;

    bool operator==(const MobiusAccounts&) const = default;
};

// Reads every account file of a "Users" folder: each entry whose name ends in ".yaml" (hidden
// ones, beginning with ".", are not accounts) gives its Login value (loginOf). A file that is
// no regular file (links followed), cannot be read, is over accountFileLimit bytes (left
// unread), does not parse or has no Login is left out. A missing "Users" folder has no accounts;
// nothing when it cannot be listed.
std::optional<MobiusAccounts> listMobiusAccounts(const std::filesystem::path& users);

// The top-level "Login" value of an account file's YAML: a scalar, plain, single- or
// double-quoted, or tagged !!binary (base64 of its bytes, which may be any). Only its first
// document is read, and aliases are never expanded. Nothing when the text does not parse, has
// no mapping at its top, or its Login is missing, empty or not a scalar.
std::optional<std::string> loginOf(const std::string& yaml);

} // namespace quorvel
