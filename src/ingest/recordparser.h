// SPDX-License-Identifier: MIT
#pragma once

#include "ingest/linescanner.h"
#include "state/logentry.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string_view>

namespace quorvel {

// The record of a line that scanLines found in text: stamp, spare, account and username end
// at its first four TABs, filename holds the rest (further TABs included); the columns a short
// line lacks are empty. A line longer than 4 GiB keeps its first 4 GiB.
inline logentry entryOf(std::string_view text, const ScannedLine& line)
{
    constexpr std::uint64_t limit = std::numeric_limits<std::uint32_t>::max();
    const std::uint64_t end = line.begin + std::min(line.end - line.begin, limit);
    std::uint64_t cut[6] = {line.begin, 0, 0, 0, 0, end};
    for (int t = 0; t < 4; ++t)
        cut[t + 1] = std::min(line.tab[t], end);
    const auto column = [&](int k) {
        const std::uint64_t from = k == 0 ? cut[0] : std::min(cut[k] + 1, end);
        return text.substr(from, std::max(cut[k + 1], from) - from);
    };
    return {column(0), column(1), column(2), column(3), column(4)};
}

// The record parser (sortstr4 / sortstr5) for one line that holds no CR or LF: cuts it at
// its first four TABs as entryOf does.
logentry sortstr4(std::string_view line);

} // namespace quorvel
