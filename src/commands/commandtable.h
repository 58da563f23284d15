// SPDX-License-Identifier: MIT
#pragma once

#include "commands/analyzer.h"
#include "commands/outcome.h"
#include "model/field.h"
#include "platform/window.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quorvel {

// The program's commands in one table: the window builds its menus from it, quorvel-report
// finds its verbs in it.

// The top-level menus of the main window, in order.
enum class TopMenu { File, Load, DownloadInfo, UploadInfo, Search, Find, Insights, Help };

struct TopMenuDesign {
    std::string_view name;    // the menu's object name, e.g. "mnufile"
    std::string_view caption{};// "File"
};
const TopMenuDesign& topMenuDesign(TopMenu menu);
inline constexpr TopMenu topMenus[] = {TopMenu::File, TopMenu::Load, TopMenu::DownloadInfo, TopMenu::UploadInfo,
                                       TopMenu::Search, TopMenu::Find, TopMenu::Insights, TopMenu::Help};

// What a verb is given after its name.
enum class ValueKind { None, Name, File, Account };
// "NAME", "FILE", "ACCOUNT"; empty for None.
std::string_view valueName(ValueKind kind);

// The menu items that only touch the windows and run no engine command.
enum class WindowAction { None, Quit, About, Chart };

using Handler = Outcome (*)(Analyzer& a, const std::string& value);

// One command: its menu item when it has one, its handler, its quorvel-report verb when it
// has one. Within a top menu, items stand in the order of the table.
struct CommandRow {
    std::string_view item{};           // the menu item's object name ("mnusortbydate"); empty: none
    std::string_view caption{};        // "Sort By Date"
    TopMenu menu = TopMenu::File;
    std::string_view separatorBefore{};// the object name of a separator above the item; empty: none
    Handler run = nullptr;            // nullptr only for a window action
    WindowAction windowAction = WindowAction::None;
    std::string_view verb{};           // "downloads-by-date"; empty: none
    ValueKind value = ValueKind::None;
    FieldSet reads = FieldSet::all(); // the columns the verb reads: its load keeps no others
    bool readsStamps = false;         // the verb reads the records' stamps, read while loading
    // For a search: the column compared with the value. The verb's load keeps only the records
    // whose column equals the value, the only ones the search can print.
    std::optional<Field> match{};
    // A list verb prints the entries of this list box; any other verb prints the output box.
    std::optional<Dialog> prints{};
    std::string_view description{};// one line, for --help and the manual
};

std::span<const CommandRow> commandTable();

// The row of a menu item or of a verb; nullptr when there is none.
const CommandRow* findMenuItem(std::string_view item);
const CommandRow* findVerb(std::string_view verb);

// Throws std::logic_error naming the first row of rows that has neither a handler nor a window
// action (a window action never has a verb), or whose menu item or verb stands twice.
void checkCommandTable(std::span<const CommandRow> rows = commandTable());

} // namespace quorvel
