// SPDX-License-Identifier: MIT
#include "server/folderfile.h"

#include "core/filereplace.h"

#include <cstdlib>
#include <fstream>
#include <pwd.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace quorvel {

namespace fs = std::filesystem;

namespace {

constexpr const char* fileName = "log.dat";

// access() alone grants root any existing path, a plain file included.
bool writableFolder(const fs::path& folder)
{
    std::error_code error;
    return !folder.empty() && fs::is_directory(folder, error) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

// $XDG_CONFIG_HOME, else ~/.config, home being $HOME or else the account's home folder. The
// base directory rules ignore a relative $XDG_CONFIG_HOME: it would move with the working
// directory. Empty when no home is known.
fs::path userConfigFolder()
{
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && fs::path(xdg).is_absolute())
        return xdg;
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        const passwd* account = ::getpwuid(::getuid());
        home = account ? account->pw_dir : nullptr;
    }
    return home && *home ? fs::path(home) / ".config" : fs::path();
}

} // namespace

FolderFile::FolderFile(fs::path programFolder, fs::path configFolder)
    : programFolder_(std::move(programFolder)), configFolder_(std::move(configFolder))
{
}

FolderFile FolderFile::forProgramIn(const fs::path& programFolder, fs::path configFolder)
{
    std::error_code error;
    const bool fromBuild = !programFolder.empty() && fs::is_regular_file(programFolder / buildMarker, error);
    return FolderFile(fromBuild ? programFolder : fs::path(), std::move(configFolder));
}

FolderFile FolderFile::ofThisProgram()
{
    std::error_code error;
    const fs::path programFolder = fs::read_symlink("/proc/self/exe", error).parent_path();
    const fs::path config = userConfigFolder();
    return forProgramIn(programFolder, config.empty() ? config : config / "quorvel");
}

fs::path FolderFile::path() const
{
    if (writableFolder(programFolder_) || configFolder_.empty())
        return programFolder_.empty() ? fs::path() : programFolder_ / fileName;
    return configFolder_ / fileName;
}

std::optional<std::string> FolderFile::read() const
{
    std::error_code error;
    const fs::path file = path();
    if (file.empty() || !fs::is_regular_file(file, error))
        return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    std::string folder;
    // The path ends at the first NUL byte, however long the file is.
    if (!in || !std::getline(in, folder, '\0'))
        return std::nullopt;
    // An editor leaves a line end after the path; a folder whose name really ends in one wins.
    const std::size_t lineEnd = folder.ends_with("\r\n") ? 2 : folder.ends_with('\n') ? 1 : 0;
    if (lineEnd > 0 && !fs::is_directory(folder, error))
        folder.resize(folder.size() - lineEnd);
    if (folder.empty())
        return std::nullopt;
    return folder;
}

bool FolderFile::write(const std::string& folder) const
{
    const fs::path file = path();
    if (file.empty())
        return false;
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    return !replaceFile(file, {folder});
}

} // namespace quorvel
