// SPDX-License-Identifier: MIT
#include "commands/program.h"

#include "commands/serverfolder.h"
#include "core/textwriter.h"
#include "present/answertext.h"

#include <utility>

namespace quorvel {

Outcome refuse(Analyzer& a, std::string_view reason, Outcome earlier)
{
    a.window.setStatus(reason);
    return std::move(earlier.refuseFor(std::string(reason)));
}

void tell(Analyzer& a, std::string_view words)
{
    if (a.style == MessageStyle::Tool)
        a.notices.push_back(concat(toolPrefix, words));
    else
        a.window.setStatus(words);
}

Outcome show(Analyzer& a, Answered answered, std::string_view verb)
{
    if (!answered.answer)
        return std::move(answered.outcome);
    Answer& answer = *answered.answer;
    answer.verb = verb;
    const bool step = a.drilling && a.lastAnswer;
    // Room first: nothing below may fail once the output box has the new text.
    if (step)
        a.trail.reserve(Analyzer::trailSteps + 1);
    if (answer.shape != TextShape::Entries)
        a.window.setOutputText(answerText(answer));
    if (step) {
        a.trail.push_back(std::move(*a.lastAnswer));
        if (a.trail.size() > Analyzer::trailSteps)
            a.trail.erase(a.trail.begin());
    } else {
        a.trail.clear();
    }
    a.lastAnswer = std::move(answer);
    if (answered.keep)
        answered.keep();
    return std::move(answered.outcome);
}

void forgetAnswers(Analyzer& a)
{
    a.lastAnswer.reset();
    a.trail.clear();
    ++a.answersForgotten;
}

Outcome Form_Load(Analyzer& a)
{
    a.state = State{};
    return checkserverfolder(a);
}

Outcome lblinfo_Click(Analyzer& a)
{
    a.window.setCaption(a.state.upload.loaded ? "True" : "False");
    return Outcome::done();
}

} // namespace quorvel
