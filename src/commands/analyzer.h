// SPDX-License-Identifier: MIT
#pragma once

#include "core/systemmemory.h"
#include "core/threads.h"
#include "ingest/loadplan.h"
#include "model/state.h"
#include "platform/platform.h"
#include "platform/window.h"
#include "present/statustext.h"
#include "query/answer.h"
#include "server/folderfile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quorvel {

// What the main window owns: the analyzer state and the two seams every command works
// through. Every command of the program is a function taking an Analyzer.
struct Analyzer {
    Analyzer(Window& w, Platform& p, FolderFile f) : window(w), platform(p), folderFile(std::move(f)) {}

    State state;
    Window& window;
    Platform& platform;
    FolderFile folderFile;
    // What a load keeps of a log: everything in the window; quorvel-report keeps what its verb
    // reads.
    LoadPlan loadplan;
    // The window's words, or quorvel-report's.
    MessageStyle style = MessageStyle::Window;
    // The answer of the last report, search or list that completed, for "Export as CSV..." and
    // "Chart" (quorvel-report prints it); none after a reload, a folder switch or a period
    // change.
    std::optional<Answer> lastAnswer;
    // The answers shown before each drill-down of the current trail, the oldest first (at most
    // trailSteps; see commands/drill.h). A command from a menu starts a new trail; a reload, a
    // folder switch or a period change empties it with lastAnswer.
    std::vector<Answer> trail;
    static constexpr std::size_t trailSteps = 20;
    // Counts the times lastAnswer and the trail were forgotten (forgetAnswers), so that what
    // was taken from them before (a chart's entries) is known to be out of date.
    std::uint64_t answersForgotten = 0;
    bool drilling = false; // the running command is a drill-down: its answer adds a step
    // What quorvel-report says on its error stream though the command goes on (account files
    // left out, damaged lines of a modern log), in the order it happened; the window shows the
    // same in its status line instead.
    std::vector<std::string> notices;
    std::string lastExportFolder;
    bool busy = false; // a command is running; see commands/program.h
    // The bytes the system can still give: asked when a load starts and before an answer is
    // built (commands/answersize.h). Tests give their own.
    std::uint64_t (*memoryLeft)() = availableMemory;
    // The threads a load reads a log with (core/threads.h). Tests that follow a load block by
    // block give one.
    ThreadCount threads = usableThreads();
};

} // namespace quorvel
