// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <filesystem>

namespace quorvel {

// The bytes this process can still be given before the system refuses or kills it: the least
// of the memory the system has available (MemAvailable), what the process's address-space
// limit leaves, and what the memory limits of its control groups leave
// (cgroupMemoryLeft("/sys/fs/cgroup", "/proc/self/cgroup")). UINT64_MAX when nothing is known.
std::uint64_t availableMemory();

// What the memory limits of the process's control groups leave: the least, over the group
// the process is in and every group above it, of the group's limit less what the group holds.
// The groups are the lines of selfCgroup (in the form of /proc/self/cgroup); a version 2 line
// ("0::/path") names a folder under root, with memory.max and memory.current, a version 1 line
// of the memory controller ("4:memory:/path") one under root/memory, with
// memory.limit_in_bytes and memory.usage_in_bytes. What a group holds leaves out the page cache
// the kernel can drop when the limit is reached: inactive_file of its memory.stat
// (total_inactive_file in version 1). A group without a limit ("max", or a file missing) limits
// nothing; UINT64_MAX when no group does.
std::uint64_t cgroupMemoryLeft(const std::filesystem::path& root, const std::filesystem::path& selfCgroup);

} // namespace quorvel
