// SPDX-License-Identifier: MIT
#include "core/systemmemory.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <sys/resource.h>

namespace quorvel {

namespace {

constexpr std::uint64_t unknown = std::numeric_limits<std::uint64_t>::max();

// The number that text starts with, after blanks; nothing when there is none.
std::optional<std::uint64_t> number(std::string_view text)
{
    const std::size_t start = std::min(text.find_first_not_of(" \t"), text.size());
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data() + start, text.data() + text.size(), value);
    if (error != std::errc() || end == text.data() + start)
        return std::nullopt;
    return value;
}

// The number after "<key>:" in a /proc file of "key: value kB" lines, in bytes.
std::optional<std::uint64_t> procKiB(const char* file, std::string_view key)
{
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line))
        if (line.starts_with(key) && line.size() > key.size() && line[key.size()] == ':')
            if (const auto kib = number(std::string_view(line).substr(key.size() + 1)))
                return *kib * 1024;
    return std::nullopt;
}

// A cgroup file holding one number; nothing when it holds "max" or cannot be read.
std::optional<std::uint64_t> cgroupNumber(const std::filesystem::path& file)
{
    std::ifstream in(file);
    std::string line;
    return std::getline(in, line) ? number(line) : std::nullopt;
}

// The number after "<key> " in a memory.stat file; nothing when the key is not there.
std::optional<std::uint64_t> statNumber(const std::filesystem::path& file, std::string_view key)
{
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line))
        if (line.starts_with(key) && line.size() > key.size() && line[key.size()] == ' ')
            return number(std::string_view(line).substr(key.size() + 1));
    return std::nullopt;
}

std::uint64_t addressSpaceLeft()
{
    rlimit limit{};
    if (::getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return unknown;
    const std::uint64_t used = procKiB("/proc/self/status", "VmSize").value_or(0);
    return limit.rlim_cur > used ? limit.rlim_cur - used : 0;
}

// The names of a group's files in one version of control groups.
struct GroupFiles {
    const char* limit;
    const char* usage;
    std::string_view inactive; // the key of memory.stat
};
constexpr GroupFiles version2{"memory.max", "memory.current", "inactive_file"};
constexpr GroupFiles version1{"memory.limit_in_bytes", "memory.usage_in_bytes", "total_inactive_file"};

// What the limit of one group leaves; unknown when it has none.
std::uint64_t groupLeft(const std::filesystem::path& group, const GroupFiles& files)
{
    const auto limit = cgroupNumber(group / files.limit);
    const auto usage = cgroupNumber(group / files.usage);
    if (!limit || !usage)
        return unknown;
    const std::uint64_t cache = statNumber(group / "memory.stat", files.inactive).value_or(0);
    const std::uint64_t held = *usage - std::min(*usage, cache);
    return *limit > held ? *limit - held : 0;
}

// The least that the group at `path` under base, or any group above it, leaves.
std::uint64_t groupsLeft(const std::filesystem::path& base, const std::string& path, const GroupFiles& files)
{
    std::filesystem::path group = base;
    std::uint64_t left = groupLeft(group, files);
    for (const std::filesystem::path& part : std::filesystem::path(path).relative_path()) {
        if (part.empty() || part == "." || part == "..")
            continue;
        group /= part;
        left = std::min(left, groupLeft(group, files));
    }
    return left;
}

} // namespace

std::uint64_t cgroupMemoryLeft(const std::filesystem::path& root, const std::filesystem::path& selfCgroup)
{
    std::ifstream in(selfCgroup);
    std::string line;
    std::uint64_t left = unknown;
    // "hierarchy:controllers:path"; version 2 has the hierarchy 0 and no controllers.
    while (std::getline(in, line)) {
        const std::size_t first = line.find(':');
        const std::size_t second = first == std::string::npos ? first : line.find(':', first + 1);
        if (second == std::string::npos)
            continue;
        const std::string controllers = "," + line.substr(first + 1, second - first - 1) + ",";
        const std::string path = line.substr(second + 1);
        if (line.starts_with("0::"))
            left = std::min(left, groupsLeft(root, path, version2));
        else if (controllers.find(",memory,") != std::string::npos)
            left = std::min(left, groupsLeft(root / "memory", path, version1));
    }
    return left;
}

std::uint64_t availableMemory()
{
    return std::min({procKiB("/proc/meminfo", "MemAvailable").value_or(unknown), addressSpaceLeft(),
                     cgroupMemoryLeft("/sys/fs/cgroup", "/proc/self/cgroup")});
}

} // namespace quorvel
