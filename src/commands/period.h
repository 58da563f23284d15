// SPDX-License-Identifier: MIT
#pragma once

#include "commands/analyzer.h"
#include "commands/outcome.h"
#include "query/selection.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvel {

// The period every command reads and what follows from it.

// The stamps of the side's records, read the first time a command needs them; the status line
// shows "Looking at Download Number <i>/<n>" as they are read, or as they were.
const RecordStamps& stampsOf(Analyzer& a, Side side);

// The records of the side's log a command reads: all of them without a period; under one, those
// whose stamp is readable and whose day lies in it (when the load kept only those, all it kept).
Selection selectionOf(Analyzer& a, Side side);

// "Period...": asks for From and To dates, each of which may be off; the dialog opens on the
// current period, or else on the first and last readable dates of the loaded logs (their loads
// noted them: opening reads no record and shows no caption), or else on today. OK or "All
// Time" set the period for every command until it is changed, say "Period: ..." in the status
// line and empty the pick lists, so that their next use lists the period's values. Cancel
// changes nothing, the status line included.
Outcome mnuperiod_Click(Analyzer& a);

} // namespace quorvel
