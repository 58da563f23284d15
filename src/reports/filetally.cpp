// SPDX-License-Identifier: MIT
#include "reports/filetally.h"

#include "reports/fieldtally.h"

namespace quorvel {

void listfiles(Analyzer& a, Side side)
{
    LogState& log = a.state.log(side);
    const std::int64_t n = log.records.count();
    const std::string_view numberCaption = sideInfo(side).numberCaption;
    const KeyTally& tally = tallyField(a.window, log.records, Field::filename, [&](std::int64_t i) {
        return concat(numberCaption, decimal(i), "/", decimal(n));
    });
    log.files.clear();
    log.files.reserve(tally.size());
    for (std::size_t i = 0; i < tally.size(); ++i)
        if (!tally.keys()[i].empty())
            log.files.push_back(filecount{tally.keys()[i], tally.counts()[i]});
}

} // namespace quorvel
