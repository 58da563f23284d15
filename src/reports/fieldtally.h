// SPDX-License-Identifier: MIT
#pragma once

#include "platform/window.h"
#include "state/keytally.h"
#include "state/logentry.h"
#include "state/progress.h"

#include <cstdint>
#include <string>

namespace quorvel {

// Counts the values of one field over every record, from the first, in order of first
// occurrence. caption(i) is the progress caption of record i (1-based); the last one shown is
// the caption of the last record.
template <class Caption>
KeyTally tallyField(Window& window, const LogRecords& records, Field field, Caption&& caption)
{
    const std::int64_t n = records.count();
    KeyTally tally;
    Progress progress(window, n);
    for (std::int64_t i = 1; i <= n; ++i) {
        tally.add(records.field(i - 1, field));
        progress.step(i, caption);
    }
    return tally;
}

// The same without a caption: the status line is left as it is.
inline KeyTally tallyField(Window& window, const LogRecords& records, Field field)
{
    const std::int64_t n = records.count();
    KeyTally tally;
    Progress progress(window, n);
    for (std::int64_t i = 1; i <= n; ++i) {
        tally.add(records.field(i - 1, field));
        progress.tick(i);
    }
    return tally;
}

} // namespace quorvel
