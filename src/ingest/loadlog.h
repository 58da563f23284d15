// SPDX-License-Identifier: MIT
#pragma once

#include "state/analyzer.h"

#include <string_view>

namespace quorvel {

inline constexpr std::string_view mustLoadMessage = "Must load log first...";

// Loads one log (loaddownloadlog / loaduploadlog): discards everything derived from it (its
// records, tally, pick lists and their flags), asks for the server folder when none is known,
// reads, cuts and parses the log with progress in the status line and marks it loaded. A
// missing log shows "Cannot find '<log>'", an unreadable one "Cannot read '<log>'"; the log
// then stays not loaded.
void loadlog(Analyzer& a, Side side);
inline void loaddownloadlog(Analyzer& a) { loadlog(a, Side::Download); }
inline void loaduploadlog(Analyzer& a) { loadlog(a, Side::Upload); }

// The question that offers to load a missing log (askloaddownload / askloadupload).
void askload(Analyzer& a, Side side);
inline void askloaddownload(Analyzer& a) { askload(a, Side::Download); }
inline void askloadupload(Analyzer& a) { askload(a, Side::Upload); }

// Offers to load the log when it is not loaded.
void offerLoad(Analyzer& a, Side side);

// The load guard every log command runs first: offers to load a missing log, then returns
// whether it is loaded; when it is not, the status line says "Must load log first...".
bool logGuard(Analyzer& a, Side side);

// The Load menu.
void mnuloadall_Click(Analyzer& a);
void mnuLoaddownloadlog_Click(Analyzer& a);
void mnuLoaduploadlog_Click(Analyzer& a);

} // namespace quorvel
