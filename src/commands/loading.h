// SPDX-License-Identifier: MIT
#pragma once

#include "commands/analyzer.h"
#include "commands/outcome.h"

namespace quorvel {

// Discards everything derived from a log, as a load of it starts and a switch to another
// server folder does: records, tally, stamps, both pick lists and their flags, and the last
// result.
void unloadLog(Analyzer& a, Side side);

// Loads one log (loaddownloadlog / loaduploadlog): discards everything derived from it (its
// records, tally, pick lists and their flags), asks for the server folder when none is known,
// reads, cuts and parses the log with progress in the status line and marks it loaded. A
// missing log is refused with "Cannot find '<log>'", an unreadable one with "Cannot read
// '<log>'"; the log then stays not loaded (an earlier load of it is gone).
Outcome loadlog(Analyzer& a, Side side);

// The question that offers to load a missing log (askloaddownload / askloadupload); declining
// it cancels.
Outcome askload(Analyzer& a, Side side);

// Offers to load the log when it is not loaded.
Outcome offerLoad(Analyzer& a, Side side);

// The load guard every log command runs first: offers to load a missing log; when it stays
// unloaded, refuses with the load's reasons and "Must load log first...".
Outcome logGuard(Analyzer& a, Side side);

// The load guard of the commands that read both logs: offers to load each log not loaded,
// the download log first; a modern server's log, which holds both, is read once for the sides
// accepted. Unless both are loaded, refuses as logGuard does.
Outcome bothLogsGuard(Analyzer& a);

// The guard of the account reports: offers to load a missing log, makes sure the account
// folders are listed, then refuses unless the log is loaded and the accounts are listed; when
// the log is not, the status line says "Must load log first...". A refused report leaves the
// output box as it was.
Outcome accountReportGuard(Analyzer& a, Side side);

// The Load menu.
Outcome mnuloadall_Click(Analyzer& a);
Outcome mnuLoaddownloadlog_Click(Analyzer& a);
Outcome mnuLoaduploadlog_Click(Analyzer& a);

} // namespace quorvel
