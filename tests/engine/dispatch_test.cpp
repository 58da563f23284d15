// SPDX-License-Identifier: MIT
#include "enginefixture.h"

#include "commands/loading.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvel::test {
namespace {

// A log of n short records: the parse step yields every few thousand of them.
std::string shortLines(int n)
{
    std::string log;
    for (int i = 0; i < n; ++i)
        log += "d\ts\ta\tu\tf" + std::to_string(i) + "\r";
    return log;
}

class RunCommand : public EngineTest {
protected:
    void SetUp() override { server.writeDownloadLog(shortLines(20000)); }
};

TEST_F(RunCommand, RunsTheCommandWithCommandsDisabledMeanwhile)
{
    std::vector<bool> enabledDuringCommand;
    EXPECT_TRUE(runCommand(a, [&](Analyzer&) {
                    enabledDuringCommand.push_back(window.commandsEnabled);
                    return Outcome::done();
                }).isDone());
    EXPECT_EQ(enabledDuringCommand, std::vector<bool>{false});
    EXPECT_EQ(window.enabledChanges, (std::vector<bool>{false, true}));
    EXPECT_FALSE(a.busy);
}

TEST_F(RunCommand, ACommandStartedFromAYieldIsRefusedAndTheLoadGoesOn)
{
    int nestedRuns = 0;
    std::vector<Outcome::Kind> nestedResults;
    window.onYield = [&] {
        nestedResults.push_back(runCommand(a, [&](Analyzer&) {
                                    ++nestedRuns;
                                    return Outcome::done();
                                }).kind());
    };
    EXPECT_TRUE(runCommand(a, mnuLoaddownloadlog_Click).isDone());
    EXPECT_EQ(nestedRuns, 0);
    ASSERT_FALSE(nestedResults.empty());
    EXPECT_EQ(nestedResults, std::vector<Outcome::Kind>(nestedResults.size(), Outcome::Kind::Refused));
    EXPECT_TRUE(a.state.download.loaded);
    EXPECT_EQ(a.state.download.records.count(), 20000);
    EXPECT_EQ(window.enabledChanges, (std::vector<bool>{false, true}));
}

struct ClosingCase {
    const char* what;
    int closeAtYield;
};

void PrintTo(const ClosingCase& c, std::ostream* os) { *os << c.what; }

class ProgramClosingDuringLoad : public RunCommand, public ::testing::WithParamInterface<ClosingCase> {};

TEST_P(ProgramClosingDuringLoad, StopsAtThatYieldAndReenablesCommands)
{
    ASSERT_TRUE(runCommand(a, mnuLoaddownloadlog_Click).isDone());
    const int yieldsOfAWholeLoad = window.yields;
    ASSERT_GE(yieldsOfAWholeLoad, 3);
    const int closeAt = GetParam().closeAtYield > 0 ? GetParam().closeAtYield : yieldsOfAWholeLoad;
    window.yields = 0;
    window.onYield = [&] { window.closing = window.yields == closeAt; };
    EXPECT_EQ(runCommand(a, mnuLoaddownloadlog_Click).kind(), Outcome::Kind::Closing) << GetParam().what;
    EXPECT_EQ(window.yields, closeAt);
    EXPECT_FALSE(a.state.download.loaded);
    EXPECT_NE(window.lastStatus(), "(Download Log) Done...");
    EXPECT_TRUE(window.commandsEnabled);
    EXPECT_FALSE(a.busy);
    window.closing = false;
    window.onYield = nullptr;
    EXPECT_TRUE(runCommand(a, mnuLoaddownloadlog_Click).isDone());
    EXPECT_TRUE(a.state.download.loaded);
}

INSTANTIATE_TEST_SUITE_P(Steps, ProgramClosingDuringLoad,
                         ::testing::Values(ClosingCase{"while reading", 1}, ClosingCase{"while parsing", 2},
                                           ClosingCase{"at the last yield of the load", 0}));

TEST_F(RunCommand, AClosingWindowStopsAGuardedLoadBeforeTheCommandRuns)
{
    window.closing = true;
    bool ran = false;
    EXPECT_EQ(runCommand(a,
                         [&](Analyzer& analyzer) {
                             Outcome guard = logGuard(analyzer, Side::Download);
                             ran = guard.isDone();
                             return guard;
                         })
                  .kind(),
              Outcome::Kind::Closing);
    EXPECT_FALSE(ran);
    EXPECT_EQ(window.yields, 1);
    EXPECT_TRUE(window.commandsEnabled);
}

} // namespace
} // namespace quorvel::test
