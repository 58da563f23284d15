// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <dirent.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace quorvel::test {

namespace detail {

inline void describeTree(const std::filesystem::path& path, const std::string& name, std::string& text)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        text += name + " unreadable\n";
        return;
    }
    text += name + " mode " + std::to_string(info.st_mode) + " size " + std::to_string(info.st_size) + " mtime " +
            std::to_string(info.st_mtim.tv_sec) + "." + std::to_string(info.st_mtim.tv_nsec) + "\n";
    if (!S_ISDIR(info.st_mode))
        return;
    DIR* dir = ::opendir(path.c_str());
    if (!dir)
        return;
    std::vector<std::string> children;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string child = entry->d_name;
        if (child != "." && child != "..")
            children.push_back(child);
    }
    ::closedir(dir);
    std::sort(children.begin(), children.end());
    for (const std::string& child : children)
        describeTree(path / child, name + "/" + child, text);
}

} // namespace detail

// Every entry under root (links not followed), one line each in name order: its kind and
// permission bits, size and modification time to the nanosecond. Two equal snapshots mean
// that nothing was created, removed, written or renamed in between.
inline std::string snapshotOf(const std::filesystem::path& root)
{
    std::string text;
    detail::describeTree(root, ".", text);
    return text;
}

} // namespace quorvel::test
