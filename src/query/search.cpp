// SPDX-License-Identifier: MIT
#include "query/search.h"

#include "core/keytally.h"

namespace quorvel {

std::vector<std::int64_t> findRecords(const LogRecords& records, Field match, std::string_view key,
                                      const Selection& selection, Progress& progress)
{
    const std::int64_t n = records.count();
    const KeyTally& tally = records.tally(match);
    // A record is a hit when its index into the tally is the key's: numbers are compared, and
    // the tally knows how many hits there are, so the list is sized once.
    const std::size_t wanted = tally.find(key);
    const std::span<const std::uint32_t> ids = records.ids(match);
    std::vector<std::int64_t> hits;
    hits.reserve(wanted == KeyTally::npos ? 0 : static_cast<std::size_t>(tally.counts()[wanted]));
    std::int64_t start = 0;
    auto selected = selection.records.begin();
    forEachProgressPoint(n, [&](std::int64_t end) {
        if (selection.all) {
            for (std::int64_t i = start; i < end; ++i)
                if (ids[static_cast<std::size_t>(i)] == wanted)
                    hits.push_back(i);
        } else {
            for (; selected != selection.records.end() && *selected < end; ++selected)
                if (ids[*selected] == wanted)
                    hits.push_back(*selected);
        }
        progress.reached(end, n);
        start = end;
    });
    return hits;
}

} // namespace quorvel
