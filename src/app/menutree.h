// SPDX-License-Identifier: MIT
#pragma once

#include <span>
#include <string_view>

namespace quorvel::gui {

// One item of the main window's menu tree: its object name and caption. A caption of "-"
// makes a separator.
struct MenuItemDesign {
    std::string_view name;
    std::string_view caption;
    bool isSeparator() const { return caption == "-"; }
};

// A top-level menu of the menu bar and its items, in order.
struct TopMenuDesign {
    MenuItemDesign menu;
    std::span<const MenuItemDesign> items;
};

std::span<const TopMenuDesign> menuTree();

// The two items that touch only the windows and run no engine command.
inline constexpr std::string_view quitItem = "mnuQuit";
inline constexpr std::string_view aboutItem = "mnuAbout";

} // namespace quorvel::gui
