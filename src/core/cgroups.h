// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace quorvel {

// A control group's folder, and whether it is of version 2 (else version 1).
struct CgroupFolder {
    std::filesystem::path folder;
    bool version2 = false;
};

// The folders of the control groups that limit the process through one controller ("memory",
// "cpu"): for each line of selfCgroup (in the form of /proc/self/cgroup) that names a version 2
// group ("0::/path", a folder under root) or a version 1 group of that controller
// ("4:cpu,cpuacct:/path", a folder under root/cpu,cpuacct), the group and every group above it,
// the topmost first.
std::vector<CgroupFolder> cgroupFolders(const std::filesystem::path& root, const std::filesystem::path& selfCgroup,
                                        std::string_view controller);

// The number that text starts with, after blanks; nothing when there is none.
std::optional<std::uint64_t> leadingNumber(std::string_view text);

// The number a control group file starts with; nothing when it holds "max" or cannot be read.
std::optional<std::uint64_t> cgroupNumber(const std::filesystem::path& file);

// The CPUs the CPU quotas of the process's control groups allow, rounded up: the least, over the
// groups of cgroupFolders(root, selfCgroup, "cpu"), of quota / period (version 2's cpu.max
// "QUOTA PERIOD", version 1's cpu.cfs_quota_us and cpu.cfs_period_us). Nothing when no group has
// a quota ("max", -1, or the files missing).
std::optional<unsigned> cgroupCpuLimit(const std::filesystem::path& root, const std::filesystem::path& selfCgroup);

} // namespace quorvel
