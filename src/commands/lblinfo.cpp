// SPDX-License-Identifier: MIT
#include "commands/lblinfo.h"

namespace quorvel {

void lblinfo_Click(Analyzer& a)
{
    a.window.setCaption(a.state.upload.loaded ? "True" : "False");
}

} // namespace quorvel
