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

std::uint64_t addressSpaceLeft()
{
    rlimit limit{};
    if (::getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return unknown;
    const std::uint64_t used = procKiB("/proc/self/status", "VmSize").value_or(0);
    return limit.rlim_cur > used ? limit.rlim_cur - used : 0;
}

// A memory limit may be set on any cgroup the process is in, down from the root (version 2).
std::uint64_t cgroupLeft()
{
    std::ifstream in("/proc/self/cgroup");
    std::string line;
    std::uint64_t left = unknown;
    while (std::getline(in, line)) {
        if (!line.starts_with("0::"))
            continue;
        for (std::filesystem::path group = "/sys/fs/cgroup" + line.substr(3); group.has_relative_path();
             group = group.parent_path()) {
            const auto max = cgroupNumber(group / "memory.max");
            const auto current = cgroupNumber(group / "memory.current");
            if (max && current)
                left = std::min(left, *max > *current ? *max - *current : 0);
            if (group == "/sys/fs/cgroup")
                break;
        }
    }
    return left;
}

} // namespace

std::uint64_t availableMemory()
{
    return std::min({procKiB("/proc/meminfo", "MemAvailable").value_or(unknown), addressSpaceLeft(), cgroupLeft()});
}

} // namespace quorvel
