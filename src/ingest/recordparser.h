// SPDX-License-Identifier: MIT
#pragma once

#include "ingest/linescanner.h"
#include "state/logentry.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string_view>

namespace quorvel {

// The record of a scanned line: stamp, spare, account and username end at its first four
// TABs, filename holds the rest (further TABs included); the columns a short line lacks are
// empty. A line longer than 4 GiB keeps its first 4 GiB.
inline logentry entryOf(const ScannedLine& line)
{
    constexpr std::uint64_t limit = std::numeric_limits<std::uint32_t>::max();
    const std::uint64_t length = std::min(line.end - line.begin, limit);
    logentry e;
    e.offset = line.begin;
    e.length = static_cast<std::uint32_t>(length);
    for (int t = 0; t < 4; ++t)
        e.tab[t] = static_cast<std::uint32_t>(std::min(line.tab[t] - line.begin, length));
    return e;
}

// The record parser (sortstr4 / sortstr5) for one line that holds no CR or LF: cuts it at
// its first four TABs as entryOf does. offset is where the line starts in the log text.
logentry sortstr4(std::string_view line, std::uint64_t offset);

} // namespace quorvel
