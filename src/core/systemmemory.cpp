// SPDX-License-Identifier: MIT
#include "core/systemmemory.h"

#include "core/cgroups.h"

#include <algorithm>
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

// The number after "<key>:" in a /proc file of "key: value kB" lines, in bytes.
std::optional<std::uint64_t> procKiB(const char* file, std::string_view key)
{
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line))
        if (line.starts_with(key) && line.size() > key.size() && line[key.size()] == ':')
            if (const auto kib = leadingNumber(std::string_view(line).substr(key.size() + 1)))
                return *kib * 1024;
    return std::nullopt;
}

// The number after "<key> " in a memory.stat file; nothing when the key is not there.
std::optional<std::uint64_t> statNumber(const std::filesystem::path& file, std::string_view key)
{
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line))
        if (line.starts_with(key) && line.size() > key.size() && line[key.size()] == ' ')
            return leadingNumber(std::string_view(line).substr(key.size() + 1));
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

} // namespace

std::uint64_t cgroupMemoryLeft(const std::filesystem::path& root, const std::filesystem::path& selfCgroup)
{
    std::uint64_t left = unknown;
    for (const CgroupFolder& group : cgroupFolders(root, selfCgroup, "memory"))
        left = std::min(left, groupLeft(group.folder, group.version2 ? version2 : version1));
    return left;
}

std::uint64_t availableMemory()
{
    return std::min({procKiB("/proc/meminfo", "MemAvailable").value_or(unknown), addressSpaceLeft(),
                     cgroupMemoryLeft("/sys/fs/cgroup", "/proc/self/cgroup")});
}

} // namespace quorvel
