// SPDX-License-Identifier: MIT
#pragma once

#include "ingest/linescanner.h"
#include "model/field.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string_view>

namespace quorvel {

// Where one log line stands in a text and where its columns are cut: the line's offset and
// length and the positions of its first four TABs relative to the line start. A TAB that the
// line lacks is at the line's length, so the columns it would open are empty. Stamp, spare,
// account and username end at the four TABs, filename holds the rest (further TABs included).
struct LineCut {
    std::uint64_t offset = 0;
    std::uint32_t tab[4] = {0, 0, 0, 0};
    std::uint32_t length = 0;

    std::string_view field(std::string_view text, Field which) const
    {
        const auto f = static_cast<unsigned>(which);
        const std::uint32_t begin = f == 0 ? 0 : (tab[f - 1] < length ? tab[f - 1] + 1 : length);
        const std::uint32_t end = f == 4 ? length : tab[f];
        return text.substr(offset + begin, end - begin);
    }
    // The stamp, and the spare after it when the line has a TAB: both kept in one piece.
    std::string_view stampAndSpare(std::string_view text) const
    {
        return text.substr(offset, tab[0] < length ? tab[1] : length);
    }
    std::uint32_t stampLength() const { return tab[0]; }
};

// The record parser (sortstr4 / sortstr5): the five columns of a line the cutter found, cut at
// its first four TABs. A line longer than 4 GiB keeps its first 4 GiB.
inline LineCut sortstr4(const ScannedLine& line)
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

} // namespace quorvel
