// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace quorvel {

// The folder file "log.dat": exactly the server folder's path bytes, no terminator (one that an
// editor added is ignored when read). A program
// run from its build folder keeps it beside its executable, so that every build remembers its
// own; an installed program keeps it in the user's configuration folder.
class FolderFile {
public:
    // The file beside the program when programFolder is a writable folder, else in
    // configFolder. An empty folder is one that is not known.
    FolderFile(std::filesystem::path programFolder, std::filesystem::path configFolder);

    // The name of the marker file the build writes beside the executables.
    static constexpr const char* buildMarker = QUORVEL_BUILD_MARKER;

    // The folder file of a program whose executable lies in programFolder: beside it when the
    // build's marker lies there too, else in configFolder, even where programFolder is writable
    // (an installed program in root's /usr/bin or a ~/.local prefix).
    static FolderFile forProgramIn(const std::filesystem::path& programFolder, std::filesystem::path configFolder);

    // forProgramIn for the running executable and $XDG_CONFIG_HOME/quorvel (~/.config/quorvel).
    // The window and quorvel-report share it.
    static FolderFile ofThisProgram();

    // The file in use; empty when neither folder is known.
    std::filesystem::path path() const;

    // The stored path: everything up to the first NUL byte, less one line end (LF or CR LF)
    // after it, as an editor leaves it, unless a folder exists at the path with the line end.
    // Nothing when the file is absent, unreadable or holds an empty path.
    std::optional<std::string> read() const;

    // Replaces the whole file with the path's bytes, atomically. False when it cannot be written.
    bool write(const std::string& folder) const;

private:
    std::filesystem::path programFolder_;
    std::filesystem::path configFolder_;
};

} // namespace quorvel
