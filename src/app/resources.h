// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>

namespace quorvel::gui {

// Makes the program's images (":/images/...") available. The resources live in a static
// library, whose automatic registration the linker may drop; every window that uses them
// calls this first. Calling it again does nothing.
void loadResources();

// The program's icon, which every top-level window of the program shows.
QIcon programIcon();

} // namespace quorvel::gui
