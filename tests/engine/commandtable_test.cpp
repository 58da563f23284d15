// SPDX-License-Identifier: MIT
// The one command table: every menu item and verb stands once and has something to run, and
// a table that breaks this is refused before a window is built from it.
#include "commands/commandtable.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace quorvel {
namespace {

TEST(CommandTable, EveryItemAndVerbStandsOnceWithAHandler)
{
    EXPECT_NO_THROW(checkCommandTable());
    for (const CommandRow& row : commandTable()) {
        if (!row.item.empty()) {
            EXPECT_EQ(findMenuItem(row.item), &row) << row.item;
        }
        if (!row.verb.empty()) {
            EXPECT_EQ(findVerb(row.verb), &row) << row.verb;
        }
        EXPECT_FALSE(row.item.empty() && row.verb.empty()) << "a row that nothing can start";
    }
    EXPECT_EQ(findVerb("no-such-verb"), nullptr);
    EXPECT_EQ(findMenuItem(""), nullptr);
}

TEST(CommandTable, ALeafWithoutHandlerOrTwiceIsRefused)
{
    const CommandRow handled{.item = "mnuhandled", .caption = "Handled", .run = [](Analyzer&) {
                                 return Outcome::done();
                             }};
    const std::vector<CommandRow> bare{handled, {.item = "mnubare", .caption = "Bare"}};
    EXPECT_THROW(checkCommandTable(bare), std::logic_error);
    const std::vector<CommandRow> verbWithoutHandler{{.windowAction = WindowAction::About, .verb = "report"}};
    EXPECT_THROW(checkCommandTable(verbWithoutHandler), std::logic_error);
    const std::vector<CommandRow> twice{handled, handled};
    EXPECT_THROW(checkCommandTable(twice), std::logic_error);
    const std::vector<CommandRow> quit{handled, {.item = "mnuQuit", .windowAction = WindowAction::Quit}};
    EXPECT_NO_THROW(checkCommandTable(quit));
}

} // namespace
} // namespace quorvel
