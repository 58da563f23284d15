// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace quorvel {

// The folder file "log.dat": exactly the server folder's path bytes, no terminator. It lives
// beside the executable; where that folder is not writable, in the user's configuration
// folder instead, so that an installed copy still remembers the server folder.
class FolderFile {
public:
    FolderFile(std::filesystem::path programFolder, std::filesystem::path configFolder);

    // The folder file of the running program: beside its executable, or $XDG_CONFIG_HOME/quorvel
    // (~/.config/quorvel) as the fallback. The window and quorvel-report share it.
    static FolderFile ofThisProgram();

    // The file in use: beside the program when that folder is writable or no configuration
    // folder is known, else in the configuration folder.
    std::filesystem::path path() const;

    // The stored path: everything up to the first NUL byte. Nothing when the file is
    // absent, unreadable or holds an empty path.
    std::optional<std::string> read() const;

    // Replaces the whole file with the path's bytes, atomically. False when it cannot be written.
    bool write(const std::string& folder) const;

private:
    std::filesystem::path programFolder_;
    std::filesystem::path configFolder_;
};

} // namespace quorvel
