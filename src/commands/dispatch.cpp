// SPDX-License-Identifier: MIT
#include "commands/dispatch.h"

#include "server/serverfolder.h"

namespace quorvel {

void Form_Load(Analyzer& a)
{
    a.state = State{};
    checkserverfolder(a);
}

} // namespace quorvel
