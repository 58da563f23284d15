// SPDX-License-Identifier: MIT
#include "commands/program.h"

#include "commands/serverfolder.h"

#include <utility>

namespace quorvel {

Outcome refuse(Analyzer& a, std::string_view reason, Outcome earlier)
{
    a.window.setStatus(reason);
    return std::move(earlier.refuseFor(std::string(reason)));
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
