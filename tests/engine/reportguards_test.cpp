// SPDX-License-Identifier: MIT
#include "enginefixture.h"
#include "sidetexts.h"
#include "logtext.h"

#include "commands/commandtable.h"
#include "commands/loading.h"

#include <string>

namespace quorvel::test {
namespace {

struct GuardedCommand {
    const char* menuItem;
    Side side;
};

class ReportGuards : public EngineTest, public ::testing::WithParamInterface<GuardedCommand> {
protected:
    Outcome run() { return runMenuItem(a, GetParam().menuItem); }
    const SideTexts& info() const { return sideTexts(GetParam().side); }
    void writeLog(const std::string& text)
    {
        GetParam().side == Side::Download ? server.writeDownloadLog(text) : server.writeUploadLog(text);
    }
};

TEST_P(ReportGuards, DecliningToLoadLeavesTheOutputAndSaysMustLoad)
{
    writeLog(logOf({{"acct", "user", "file"}}));
    server.addAccount("acct");
    window.output = "unsaved work";
    platform.okAnswers = {false};
    run();
    EXPECT_EQ(window.output, "unsaved work");
    EXPECT_EQ(window.outputWrites, 0);
    EXPECT_EQ(window.lastStatus(), "Must load log first...");
    ASSERT_EQ(platform.questions.size(), 1u);
    EXPECT_EQ(platform.questions[0].text, info().loadQuestion);
    EXPECT_EQ(platform.questions[0].title, info().loadQuestionTitle);
    EXPECT_FALSE(a.state.log(GetParam().side).loaded);
}

TEST_P(ReportGuards, AMissingLogAfterOkEndsInMustLoad)
{
    window.output = "unsaved work";
    const Outcome outcome = run();
    EXPECT_EQ(window.output, "unsaved work");
    EXPECT_EQ(window.lastStatus(), "Must load log first...");
    EXPECT_EQ(window.statuses.front(), "Cannot find '" + std::string(info().logFileName) + "'");
    // The outcome carries what the status line explained, in order (the account reports also
    // list the account folders in between, which succeeds here).
    EXPECT_EQ(outcome.kind(), Outcome::Kind::Refused);
    EXPECT_EQ(outcome.reasons(), (std::vector<std::string>{"Cannot find '" + std::string(info().logFileName) + "'",
                                                           "Must load log first..."}));
}

TEST_P(ReportGuards, ALoadedLogIsNotOfferedAgain)
{
    writeLog(logOf({{"acct", "user", "file"}}));
    run();
    run();
    EXPECT_EQ(platform.questions.size(), 1u);
    EXPECT_EQ(window.outputWrites, 2);
}

TEST_P(ReportGuards, ClosingTheProgramStopsTheReportWithTheOutputUntouched)
{
    server.addAccount("acct");
    writeLog(logOf({{"acct", "user", "file"}}));
    loadlog(a, GetParam().side);
    window.output = "unsaved work";
    window.closing = true;
    EXPECT_EQ(runCommand(a, [this](Analyzer&) { return run(); }).kind(), Outcome::Kind::Closing);
    EXPECT_EQ(window.output, "unsaved work");
}

INSTANTIATE_TEST_SUITE_P(
    Commands, ReportGuards,
    ::testing::Values(GuardedCommand{"mnusortbydate", Side::Download}, GuardedCommand{"mnuupdate", Side::Upload},
                      GuardedCommand{"mnudownloadnumber", Side::Download}, GuardedCommand{"mnuupnum", Side::Upload},
                      GuardedCommand{"mnusortbyaccount", Side::Download}, GuardedCommand{"mnuupaccount", Side::Upload},
                      GuardedCommand{"mnunumberdown", Side::Download}, GuardedCommand{"mnunumup", Side::Upload},
                      GuardedCommand{"mnunumberaccountdown", Side::Download},
                      GuardedCommand{"mnunumberaccountup", Side::Upload},
                      GuardedCommand{"mnuwhonotdownloading", Side::Download},
                      GuardedCommand{"mnuwhosnotuploading", Side::Upload}),
    [](const ::testing::TestParamInfo<GuardedCommand>& row) { return std::string(row.param.menuItem); });

} // namespace
} // namespace quorvel::test
