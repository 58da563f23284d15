// SPDX-License-Identifier: MIT
#pragma once

#include "commands/analyzer.h"
#include "commands/outcome.h"
#include "commands/program.h"
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
    std::string_view name;      // the menu's object name, e.g. "mnufile"
    std::string_view caption{}; // "File"
};
const TopMenuDesign& topMenuDesign(TopMenu menu);
inline constexpr TopMenu topMenus[] = {TopMenu::File,   TopMenu::Load, TopMenu::DownloadInfo, TopMenu::UploadInfo,
                                       TopMenu::Search, TopMenu::Find, TopMenu::Insights,     TopMenu::Help};

// What a verb is given after its name.
enum class ValueKind { None, Name, File, Account, Address, Day };
// "NAME", "FILE", "ACCOUNT", "ADDRESS", "YYYY-MM-DD"; empty for None.
std::string_view valueName(ValueKind kind);

// The menu items that only touch the windows and run no engine command.
enum class WindowAction { None, Quit, About, Chart };

// A command that answers no question: a load, a save, a dialog, the period.
using Handler = Outcome (*)(Analyzer& a);

// One command: its menu item when it has one, what it runs (a handler, a question or a window
// action), its quorvel-report verb when it has one. Within a top menu, items stand in the order
// of the table.
struct CommandRow {
    std::string_view item{};    // the menu item's object name ("mnusortbydate"); empty: none
    std::string_view caption{}; // "Sort By Date"
    TopMenu menu = TopMenu::File;
    std::string_view separatorBefore{}; // the object name of a separator above the item; empty: none
    Handler run = nullptr;              // a command that answers no question
    Question ask = nullptr;             // a question, asked of the side's log
    Side side = Side::Download;
    // A row written once for downloads that stands for its upload twin too: item, caption,
    // separator, verb and description follow twinText. The table lists a run of such rows for
    // downloads, then the same run for uploads.
    bool twins = false;
    // The verb runs the log's load guard before the question, which has none of its own (the
    // name and file searches: their dialogs are only offered for a loaded log).
    bool guardsLog = false;
    WindowAction windowAction = WindowAction::None;
    std::string_view verb{}; // "downloads-by-date"; empty: none
    ValueKind value = ValueKind::None;
    FieldSet reads = FieldSet::all(); // the columns the verb reads: its load keeps no others
    bool readsStamps = false;         // the verb reads the records' stamps, read while loading
    // For a search: the column compared with the value. The verb's load keeps only the records
    // whose column equals the value, the only ones the search can print.
    std::optional<Field> match{};
    std::string_view description{}; // one line, for --help and the manual
};

// The rows, each twin row as two.
std::span<const CommandRow> commandTable();

// The row of a menu item or of a verb; nullptr when there is none.
const CommandRow* findMenuItem(std::string_view item);
const CommandRow* findVerb(std::string_view verb);
// The row that asks the question of the side's log. Throws std::logic_error when there is none.
const CommandRow& questionRow(Question question, Side side);

// Runs the row's command: its handler, or its question (after the log's guard when it has
// one) with value, whose answer is shown (see show). A window action runs nothing here.
Outcome runRow(Analyzer& a, const CommandRow& row, const std::string& value = {});
// runRow for the row of a menu item, which must exist.
Outcome runMenuItem(Analyzer& a, std::string_view item);
// Asks the question of the side's log, without the guard of its verb, and shows the answer as
// its row's (questionRow). The dialogs start their searches so.
Outcome ask(Analyzer& a, Question question, Side side, const std::string& value = {});

// Throws std::logic_error naming the first row of rows that has neither a handler, a question
// nor a window action, or more than one of them (a window action never has a verb), or whose
// menu item or verb stands twice.
void checkCommandTable(std::span<const CommandRow> rows = commandTable());

} // namespace quorvel
