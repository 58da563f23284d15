// SPDX-License-Identifier: MIT
#pragma once

#include "commands/analyzer.h"
#include "commands/outcome.h"

#include <string>
#include <string_view>

namespace quorvel {

inline constexpr std::string_view saveDialogTitle = "Save Log Information";

// What "Save as..." asks the save dialog for: "log results.txt" proposed in the server
// folder (the dialog's own default folder when none is known), "Text Files" (*.txt) selected
// before "All Files" (*.*), and ".txt" added to a name typed without an extension.
SaveDialogRequest saveDialogRequest(const State& s);

// Writes the output box's text followed by CR LF to path, replacing the file whole. When
// the file cannot be written, a message box names it and the system's reason, the file that
// was there stays as it was, and the save is refused.
Outcome savefiles(Analyzer& a, const std::string& path);

// "Save as...": asks for a file name and saves to it. The name becomes savefilename once the
// file is written; cancelling the dialog or a failed save keeps the earlier name.
Outcome mnusaveas_Click(Analyzer& a);

// "Save": saves to savefilename without a dialog or question, or runs "Save as..." when no
// name was chosen yet in this run.
Outcome mnusave_Click(Analyzer& a);

inline constexpr std::string_view exportDialogTitle = "Export as CSV";

// "Export as CSV...": writes the last result as CSV to a file chosen in a save dialog titled
// "Export as CSV", which proposes "<verb>.csv" in the folder of the last export, else the
// server folder. The file is replaced whole; when it cannot be written a message box says
// "Cannot export '<file>': <reason>". Without a result the status line says "Nothing to export
// yet...".
Outcome mnuexportcsv_Click(Analyzer& a);

} // namespace quorvel
