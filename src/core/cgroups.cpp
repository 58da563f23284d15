// SPDX-License-Identifier: MIT
#include "core/cgroups.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <string>

namespace quorvel {

std::vector<CgroupFolder> cgroupFolders(const std::filesystem::path& root, const std::filesystem::path& selfCgroup,
                                        std::string_view controller)
{
    std::vector<CgroupFolder> folders;
    std::ifstream in(selfCgroup);
    std::string line;
    // "hierarchy:controllers:path"; version 2 has the hierarchy 0 and no controllers.
    while (std::getline(in, line)) {
        const std::size_t first = line.find(':');
        const std::size_t second = first == std::string::npos ? first : line.find(':', first + 1);
        if (second == std::string::npos)
            continue;
        const std::string controllers = line.substr(first + 1, second - first - 1);
        const bool version2 = line.starts_with("0::");
        if (!version2 && ("," + controllers + ",").find("," + std::string(controller) + ",") == std::string::npos)
            continue;
        std::filesystem::path group = version2 ? root : root / controllers;
        folders.push_back({group, version2});
        for (const std::filesystem::path& part : std::filesystem::path(line.substr(second + 1)).relative_path()) {
            if (part.empty() || part == "." || part == "..")
                continue;
            group /= part;
            folders.push_back({group, version2});
        }
    }
    return folders;
}

std::optional<std::uint64_t> leadingNumber(std::string_view text)
{
    const std::size_t start = std::min(text.find_first_not_of(" \t"), text.size());
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data() + start, text.data() + text.size(), value);
    if (error != std::errc() || end == text.data() + start)
        return std::nullopt;
    return value;
}

std::optional<std::uint64_t> cgroupNumber(const std::filesystem::path& file)
{
    std::ifstream in(file);
    std::string line;
    return std::getline(in, line) ? leadingNumber(line) : std::nullopt;
}

std::optional<unsigned> cgroupCpuLimit(const std::filesystem::path& root, const std::filesystem::path& selfCgroup)
{
    std::optional<unsigned> least;
    for (const CgroupFolder& group : cgroupFolders(root, selfCgroup, "cpu")) {
        std::optional<std::uint64_t> quota, period;
        if (group.version2) {
            std::ifstream in(group.folder / "cpu.max");
            std::string max;
            in >> max >> std::ws;
            std::string rest;
            std::getline(in, rest);
            quota = leadingNumber(max);
            period = leadingNumber(rest);
        } else {
            // A quota of -1 (none) reads as no number.
            quota = cgroupNumber(group.folder / "cpu.cfs_quota_us");
            period = cgroupNumber(group.folder / "cpu.cfs_period_us");
        }
        if (!quota || !period || *quota == 0 || *period == 0)
            continue;
        const auto cpus = static_cast<unsigned>(std::min<std::uint64_t>((*quota + *period - 1) / *period, 1u << 16));
        least = std::min(least.value_or(cpus), cpus);
    }
    return least;
}

} // namespace quorvel
