// SPDX-License-Identifier: MIT
#pragma once

#include "state/analyzer.h"

#include <span>
#include <string_view>

namespace quorvel {

// A leaf of the main window's menu tree and the engine handler its click runs. "Quit" and
// "About" touch only the windows and are handled by the GUI itself.
struct MenuCommand {
    std::string_view name; // the menu item's object name, e.g. "mnusortbydate"
    void (*run)(Analyzer&);
};

std::span<const MenuCommand> menuCommands();

// The command of a menu item, or nullptr.
const MenuCommand* findMenuCommand(std::string_view name);

} // namespace quorvel
