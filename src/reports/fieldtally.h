// SPDX-License-Identifier: MIT
#pragma once

#include "platform/window.h"
#include "state/keytally.h"
#include "state/logentry.h"
#include "state/progress.h"

#include <algorithm>
#include <cstdint>
#include <type_traits>

namespace quorvel {

// Counts the values of one field over every record, from the first, in order of first
// occurrence. caption(i), when given, is the progress caption of record i (1-based) and the
// last one shown is the last record's; without it the status line is left as it is.
struct NoCaption {};

template <class Caption = NoCaption>
KeyTally tallyField(Window& window, const LogRecords& records, Field field, Caption&& caption = {})
{
    const std::int64_t n = records.count();
    KeyTally tally;
    Progress progress(window, n);
    // Whole strides between progress steps go through addEach, whose lookahead hides the
    // table's cache misses; a step only acts at the end of a stride and at the last record.
    for (std::int64_t start = 0; start < n;) {
        const std::int64_t end = std::min(n, start + Progress::stride);
        tally.addEach(static_cast<std::size_t>(end - start),
                      [&](std::size_t k) { return records.field(start + static_cast<std::int64_t>(k), field); });
        if constexpr (std::is_same_v<std::decay_t<Caption>, NoCaption>)
            progress.tick(end);
        else
            progress.step(end, caption);
        start = end;
    }
    return tally;
}

} // namespace quorvel
