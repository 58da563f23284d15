// SPDX-License-Identifier: MIT
#include "core/threads.h"

#include "core/cgroups.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <sched.h>

namespace quorvel {

namespace {

ThreadCount threadsOfMachine()
{
    if (const std::optional<unsigned> forced = forcedThreads(std::getenv("QUORVEL_THREADS")))
        return {*forced, true};
    unsigned cpus = 1;
    cpu_set_t set;
    CPU_ZERO(&set);
    if (::sched_getaffinity(0, sizeof set, &set) == 0)
        cpus = static_cast<unsigned>(std::max(CPU_COUNT(&set), 1));
    if (const std::optional<unsigned> quota = cgroupCpuLimit("/sys/fs/cgroup", "/proc/self/cgroup"))
        cpus = std::min(cpus, *quota);
    return {std::clamp(cpus, 1u, maxThreads), false};
}

} // namespace

unsigned ThreadCount::partsFor(std::uint64_t bytes, std::uint64_t minBytes) const
{
    if (forced)
        return count;
    return static_cast<unsigned>(std::clamp<std::uint64_t>(bytes / std::max<std::uint64_t>(minBytes, 1), 1, count));
}

std::optional<unsigned> forcedThreads(const char* value)
{
    if (value == nullptr)
        return std::nullopt;
    unsigned count = 0;
    const char* end = value + std::strlen(value);
    const auto [stop, error] = std::from_chars(value, end, count);
    if (error != std::errc() || stop != end || count < 1 || count > 64)
        return std::nullopt;
    return count;
}

ThreadCount usableThreads()
{
    static const ThreadCount threads = threadsOfMachine();
    return threads;
}

} // namespace quorvel
