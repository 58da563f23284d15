// SPDX-License-Identifier: MIT
#include "query/selection.h"

namespace quorvel {

RecordStamps readRecordStamps(const LogRecords& records, Progress& progress)
{
    const std::int64_t n = records.count();
    RecordStamps stamps(static_cast<std::size_t>(n), Stamp{undatedDay, 0});
    StampReader reader;
    std::int64_t start = 0;
    forEachProgressPoint(n, [&](std::int64_t end) {
        for (std::int64_t i = start; i < end; ++i)
            if (const std::optional<Stamp> stamp = reader.read(records.stamp(i)))
                stamps[static_cast<std::size_t>(i)] = *stamp;
        progress.reached(end, n);
        start = end;
    });
    return stamps;
}

Selection recordsIn(const RecordStamps& stamps, const Period& period)
{
    Selection selection{false, {}, 0, period};
    for (std::size_t i = 0; i < stamps.size(); ++i) {
        if (stamps[i].day == undatedDay)
            ++selection.undated;
        else if (period.contains(stamps[i].day))
            selection.records.push_back(static_cast<std::uint32_t>(i));
    }
    return selection;
}

} // namespace quorvel
