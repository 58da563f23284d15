// SPDX-License-Identifier: MIT
#pragma once

#include "ingest/linescanner.h"
#include "state/linecut.h"
#include "state/logentry.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string_view>

namespace quorvel {

// The cut of a line that scanLines found. A line longer than 4 GiB keeps its first 4 GiB.
inline LineCut cutOf(const ScannedLine& line)
{
    constexpr std::uint64_t limit = std::numeric_limits<std::uint32_t>::max();
    const std::uint64_t length = std::min(line.end - line.begin, limit);
    LineCut cut;
    cut.offset = line.begin;
    cut.length = static_cast<std::uint32_t>(length);
    for (int t = 0; t < 4; ++t)
        cut.tab[t] = static_cast<std::uint32_t>(std::min(line.tab[t] - line.begin, length));
    return cut;
}

// The record parser (sortstr4 / sortstr5) for one line that holds no CR or LF: its five
// columns, cut at its first four TABs.
logentry sortstr4(std::string_view line);

} // namespace quorvel
