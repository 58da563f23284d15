// SPDX-License-Identifier: MIT
#pragma once

#include "state/analyzer.h"
#include "state/progress.h"

namespace quorvel {

// Resets the state as the main window does when it is created, then restores the server
// folder from the folder file (Form_Load).
void Form_Load(Analyzer& a);

// Runs one command to its end. Only one command runs at a time: while it runs, the menus and
// the dialogs' buttons are disabled, and a command started meanwhile (from inside a progress
// step) is refused. Returns false when the command was refused or stopped because the
// program is closing.
template <class Command>
bool runCommand(Analyzer& a, Command&& command);

// Marks a command as running for its lifetime.
class CommandScope {
public:
    explicit CommandScope(Analyzer& a) : a_(a)
    {
        a_.busy = true;
        a_.window.setCommandsEnabled(false);
    }
    ~CommandScope()
    {
        a_.busy = false;
        a_.window.setCommandsEnabled(true);
    }
    CommandScope(const CommandScope&) = delete;
    CommandScope& operator=(const CommandScope&) = delete;

private:
    Analyzer& a_;
};

template <class Command>
bool runCommand(Analyzer& a, Command&& command)
{
    if (a.busy)
        return false;
    const CommandScope scope(a);
    try {
        command(a);
    } catch (const ProgramClosing&) {
        return false;
    }
    return true;
}

} // namespace quorvel
