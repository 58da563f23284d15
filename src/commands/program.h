// SPDX-License-Identifier: MIT
#pragma once

#include "commands/analyzer.h"
#include "commands/outcome.h"
#include "commands/windowprogress.h"

#include <functional>
#include <new>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// Resets the state as the main window does when it is created, then restores the server
// folder from the folder file (Form_Load).
Outcome Form_Load(Analyzer& a);

// A click on the status line: the main window's caption becomes "True" when the upload log is
// loaded, "False" otherwise.
Outcome lblinfo_Click(Analyzer& a);

// Shows reason in the status line and returns a refusal for it, after the reasons of earlier
// (a step of the command that failed before, such as a load).
Outcome refuse(Analyzer& a, std::string_view reason, Outcome earlier = Outcome::refused());

// Says something the user should know though the command goes on: in the status line, or in
// quorvel-report's words (after its name) among the notices it writes on its error stream.
void tell(Analyzer& a, std::string_view words);

// What a question gives: its answer, or the outcome that ended it without one (a refusal, a
// declined question; a pick list already built gives none). What the question leaves in the
// state (a tally, the accounts' order) is kept only once its answer is shown, so that a command
// that runs out of memory while showing it leaves the state as it was.
struct Answered {
    Answered(Outcome ended) : outcome(std::move(ended)) {}
    Answered(Answer given, std::function<void()> keeping = {}) : answer(std::move(given)), keep(std::move(keeping)) {}

    Outcome outcome = Outcome::done();
    std::optional<Answer> answer;
    std::function<void()> keep;
};
using Question = Answered (*)(Analyzer& a, Side side, const std::string& value);

// Shows what a question gave, as the answer to verb: the output box gets the answer's text (a
// list box's entries stay in their list), and the answer is kept as the last one, for
// "Export as CSV..." and "Chart" (quorvel-report prints it). The answer it replaces becomes
// the trail's last step when the command is a drill-down (the oldest step goes beyond
// Analyzer::trailSteps); any other answer starts a new trail. Returns the outcome: done for an
// answer.
Outcome show(Analyzer& a, Answered answered, std::string_view verb);

// Forgets the last answer and the trail: their rows may read records about to go, or were
// read under a period that no longer holds.
void forgetAnswers(Analyzer& a);

// Runs one command to its end and returns how it ended. Only one command runs at a time: while
// it runs, the menus and the dialogs' buttons are disabled, and a command started meanwhile
// (from inside a progress step) is refused without a reason. A command stopped because the
// program is closing ends as Closing. A command that runs out of memory is refused with "Not
// enough memory for this command"; every command keeps the state as it was until its work is
// done, so nothing is left half changed.
template <class Command> Outcome runCommand(Analyzer& a, Command&& command);

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

template <class Command> Outcome runCommand(Analyzer& a, Command&& command)
{
    if (a.busy)
        return Outcome::refused();
    const CommandScope scope(a);
    try {
        return command(a);
    } catch (const ProgramClosing&) {
        return Outcome::closing();
    } catch (const std::bad_alloc&) {
        return refuse(a, notEnoughMemoryMessage);
    }
}

} // namespace quorvel
