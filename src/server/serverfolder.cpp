// SPDX-License-Identifier: MIT
#include "server/serverfolder.h"

#include "core/nameorder.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <optional>
#include <system_error>

namespace quorvel {

namespace {

// No "users" folder at all (a file of that name counts as none): the server has no accounts.
bool missingFolder(const std::error_code& error)
{
    return error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory ||
           error == std::errc::filename_too_long;
}

} // namespace

std::error_code openFolderError(const std::filesystem::path& dir)
{
    DIR* opened = ::opendir(dir.c_str());
    if (!opened)
        return {errno, std::generic_category()};
    ::closedir(opened);
    return {};
}

std::optional<std::vector<std::string>> listAccountFolders(const std::filesystem::path& dir)
{
    std::vector<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator it(dir, error);
    if (error && !missingFolder(error))
        return std::nullopt;
    for (const std::filesystem::directory_iterator end; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        std::error_code typeError;
        if (name.empty() || name.front() == '.' || !it->is_directory(typeError) || typeError)
            continue;
        names.push_back(std::move(name));
    }
    if (error && !missingFolder(error))
        return std::nullopt;
    std::sort(names.begin(), names.end(), nameOrder);
    return names;
}

} // namespace quorvel
