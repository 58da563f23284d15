// SPDX-License-Identifier: MIT
#include "server/folderfile.h"

#include "core/filereplace.h"

#include <cstdlib>
#include <fstream>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace quorvel {

namespace {

constexpr const char* fileName = "log.dat";

// access() alone grants root any existing path, a plain file included.
bool writableFolder(const std::filesystem::path& folder)
{
    std::error_code error;
    return !folder.empty() && std::filesystem::is_directory(folder, error) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

} // namespace

FolderFile::FolderFile(std::filesystem::path programFolder, std::filesystem::path configFolder)
    : programFolder_(std::move(programFolder)), configFolder_(std::move(configFolder))
{
}

FolderFile FolderFile::ofThisProgram()
{
    std::error_code error;
    const std::filesystem::path programFolder = std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
    std::filesystem::path config;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        config = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        config = std::filesystem::path(home) / ".config";
    return FolderFile(programFolder, config.empty() ? config : config / "quorvel");
}

std::filesystem::path FolderFile::path() const
{
    const bool besideProgram = writableFolder(programFolder_) || configFolder_.empty();
    return (besideProgram ? programFolder_ : configFolder_) / fileName;
}

std::optional<std::string> FolderFile::read() const
{
    std::error_code error;
    const std::filesystem::path file = path();
    if (!std::filesystem::is_regular_file(file, error))
        return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    std::string folder;
    // The path ends at the first NUL byte, however long the file is.
    if (!in || !std::getline(in, folder, '\0') || folder.empty())
        return std::nullopt;
    return folder;
}

bool FolderFile::write(const std::string& folder) const
{
    const std::filesystem::path file = path();
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    return !replaceFile(file, {folder});
}

} // namespace quorvel
