// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quorvel {

// How many threads a piece of work that splits into parts may use.
struct ThreadCount {
    unsigned count = 1;
    // Set by the environment: the work splits into exactly `count` parts, however small.
    bool forced = false;

    // The parts a work of `bytes` splits into: `count` when forced, else no more than gives each
    // part minBytes, and at least 1.
    unsigned partsFor(std::uint64_t bytes, std::uint64_t minBytes) const;
};

// The most threads a load uses unforced: past this the memory bus, not the CPUs, sets the pace.
inline constexpr unsigned maxThreads = 8;

// QUORVEL_THREADS read as a thread count: a whole number from 1 to 64, else nothing.
std::optional<unsigned> forcedThreads(const char* value);

// The threads for this process: QUORVEL_THREADS when it holds a count (tests and the
// benchmark force 1, 2 or 7 with it), else the CPUs the process may run on (its affinity)
// within the CPU quota of its control groups, at most maxThreads. Read once, on first use.
ThreadCount usableThreads();

} // namespace quorvel
