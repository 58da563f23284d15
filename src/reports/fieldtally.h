// SPDX-License-Identifier: MIT
#pragma once

#include "platform/window.h"
#include "state/keytally.h"
#include "state/logentry.h"
#include "state/progress.h"

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
    for (std::int64_t i = 1; i <= n; ++i) {
        tally.add(records.field(i - 1, field));
        if constexpr (std::is_same_v<std::decay_t<Caption>, NoCaption>)
            progress.tick(i);
        else
            progress.step(i, caption);
    }
    return tally;
}

} // namespace quorvel
