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
    if (answer.shape != TextShape::Entries)
        a.window.setOutputText(answerText(answer));
    a.lastAnswer = std::move(answer);
    if (answered.keep)
        answered.keep();
    return std::move(answered.outcome);
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
