// SPDX-License-Identifier: MIT
#include "reports/topuser.h"

#include "ingest/loadlog.h"
#include "reports/counting.h"
#include "reports/fieldtally.h"
#include "reports/reporttext.h"

namespace quorvel {

void numone(Analyzer& a, Side side)
{
    const LogRecords& records = a.state.log(side).records;
    const std::int64_t n = records.count();
    const KeyTally& users = tallyField(a.window, records, Field::username, [n](std::int64_t i) {
        return concat("Selecting Users ", decimal(i), "/", decimal(n));
    });
    showCountingCaptions(a, side, users.keys());
    a.window.setStatus(doneMessage);
    const std::string_view heading = sideInfo(side).topUserHeading;
    const std::optional<std::size_t> winner = lastMaximum(users.counts());
    a.window.setOutputText(winner ? numberOneText(heading, users.keys()[*winner], users.counts()[*winner], side)
                                  : numberOneText(heading, "null", 0, side));
}

void topUser(Analyzer& a, Side side)
{
    if (logGuard(a, side))
        numone(a, side);
}

} // namespace quorvel
