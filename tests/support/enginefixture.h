// SPDX-License-Identifier: MIT
#pragma once

#include "fakeplatform.h"
#include "fakewindow.h"
#include "tempserver.h"

#include "commands/program.h"
#include "commands/serverfolder.h"
#include "commands/analyzer.h"

#include <gtest/gtest.h>

namespace quorvel::test {

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
