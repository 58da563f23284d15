// SPDX-License-Identifier: MIT
#pragma once

#include "platform/window.h"
#include "state/keytally.h"
#include "state/logrecords.h"
#include "state/progress.h"

#include <type_traits>

namespace quorvel {

// The values of one interned field (account, username, filename) over every record, in order
// of first occurrence, with their counts. The load counted them; this walks the records'
// progress as a count would: caption(i), when given, is the progress caption of record i
// (1-based) and the last one shown is the last record's; without it the status line is left
// as it is.
struct NoCaption {};

template <class Caption = NoCaption>
const KeyTally& tallyField(Window& window, const LogRecords& records, Field field, Caption&& caption = {})
{
    Progress progress(window, records.count());
    if constexpr (std::is_same_v<std::decay_t<Caption>, NoCaption>)
        progress.tickThrough();
    else
        progress.stepThrough(caption);
    return records.tally(field);
}

} // namespace quorvel
