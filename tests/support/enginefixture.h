// SPDX-License-Identifier: MIT
#pragma once

#include "fakeplatform.h"
#include "fakewindow.h"
#include "tempserver.h"

#include "commands/analyzer.h"
#include "commands/commandtable.h"
#include "commands/program.h"
#include "commands/serverfolder.h"

#include <gtest/gtest.h>

namespace quorvel::test {

// A menu item's command, for runCommand: runMenuItem on the analyzer it is given.
inline auto menuItem(std::string_view item)
{
    return [item](Analyzer& a) { return runMenuItem(a, item); };
}

// An analyzer on fake windows with a temporary server folder that is already chosen.
class EngineTest : public ::testing::Test {
protected:
    EngineTest() : a(window, platform, FolderFile(server.programFolder(), server.configFolder()))
    {
        setServerFolder(a, server.folder());
    }

    TempServer server;
    FakeWindow window;
    FakePlatform platform;
    Analyzer a;
};

} // namespace quorvel::test
