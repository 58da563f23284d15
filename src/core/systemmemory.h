// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace quorvel {

// The bytes this process can still be given before the system refuses or kills it: the least
// of the memory the system has available (MemAvailable), what the process's address-space
// limit leaves, and what its cgroup's memory limit leaves. UINT64_MAX when nothing is known.
std::uint64_t availableMemory();

} // namespace quorvel
