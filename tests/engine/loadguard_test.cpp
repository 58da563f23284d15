// SPDX-License-Identifier: MIT
#include "enginefixture.h"
#include "sidetexts.h"

#include "commands/loading.h"
#include "commands/serverfolder.h"
#include "core/textwriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvel::test {
namespace {

using Texts = std::vector<std::string>;

// A log command as the reports run it: the guard, then the work.
Outcome guardedCommand(Analyzer& a, Side side, bool& ran)
{
    if (Outcome guard = logGuard(a, side); !guard.isDone())
        return guard;
    ran = true;
    a.window.setOutputText("report");
    return Outcome::done();
}

class LoadGuard : public EngineTest, public ::testing::WithParamInterface<Side> {
protected:
    void SetUp() override
    {
        window.output = "previous output";
        server.write(info().logFileName, "d\ts\tguest\tJoe\tfile");
    }
    const SideTexts& info() const { return sideTexts(GetParam()); }
    FakePlatform::Message question() const { return {std::string(info().loadQuestion), std::string(info().loadQuestionTitle)}; }
    Outcome run() { return guardedCommand(a, GetParam(), ran); }
    bool ran = false;
};

TEST_P(LoadGuard, OkLoadsTheLogAndTheCommandRunsAtOnce)
{
    platform.okAnswers.push_back(true);
    EXPECT_TRUE(run().isDone());
    EXPECT_TRUE(ran);
    ASSERT_EQ(platform.questions.size(), 1u);
    EXPECT_EQ(platform.questions[0].text, question().text);
    EXPECT_EQ(platform.questions[0].title, question().title);
    EXPECT_TRUE(a.state.log(GetParam()).loaded);
    EXPECT_EQ(window.lastStatus(), concat(info().logCaption, "Done..."));
    EXPECT_EQ(window.output, "report");
}

TEST_P(LoadGuard, CancelLeavesTheLogUnloadedAndTheOutputAsItWas)
{
    platform.okAnswers.push_back(false);
    const Outcome outcome = run();
    EXPECT_EQ(outcome.kind(), Outcome::Kind::Refused);
    EXPECT_EQ(outcome.reasons(), Texts{"Must load log first..."});
    EXPECT_FALSE(ran);
    EXPECT_EQ(platform.questions.size(), 1u);
    EXPECT_EQ(window.statuses, Texts{"Must load log first..."});
    EXPECT_FALSE(a.state.log(GetParam()).loaded);
    EXPECT_EQ(window.output, "previous output");
}

TEST_P(LoadGuard, AMissingLogAfterOkEndsInMustLoadFirst)
{
    std::filesystem::remove(std::filesystem::path(server.folder()) / info().logFileName);
    platform.okAnswers.push_back(true);
    const Outcome outcome = run();
    EXPECT_FALSE(ran);
    const Texts explained{"Cannot find '" + std::string(info().logFileName) + "'", "Must load log first..."};
    EXPECT_EQ(window.statuses, explained);
    EXPECT_EQ(outcome.kind(), Outcome::Kind::Refused);
    EXPECT_EQ(outcome.reasons(), explained);
    EXPECT_EQ(window.output, "previous output");
}

TEST_P(LoadGuard, ALoadedLogIsNotAskedForAgain)
{
    loadlog(a, GetParam());
    window.statuses.clear();
    EXPECT_TRUE(run().isDone());
    EXPECT_TRUE(platform.questions.empty());
    EXPECT_EQ(window.statuses, Texts{});
}

TEST_P(LoadGuard, TheOtherLogIsNeitherAskedForNorLoaded)
{
    const Side other = GetParam() == Side::Download ? Side::Upload : Side::Download;
    server.write(sideTexts(other).logFileName, "d\ts\ta\tu\tf");
    EXPECT_TRUE(run().isDone());
    EXPECT_EQ(platform.questions.size(), 1u);
    EXPECT_FALSE(a.state.log(other).loaded);
}

INSTANTIATE_TEST_SUITE_P(Sides, LoadGuard, ::testing::Values(Side::Download, Side::Upload),
                         [](const auto& param) { return param.param == Side::Download ? "Download" : "Upload"; });

class LoadAll : public EngineTest {
protected:
    void SetUp() override { a.state = State{}; }
};

TEST_F(LoadAll, TheBrowserCancelledThreeTimesEndsWithTheFolderMessage)
{
    const Outcome outcome = mnuloadall_Click(a);
    EXPECT_EQ(platform.browseTitles, Texts(3, "Select your Hotline Server Folder"));
    const Texts explained{"Cannot find 'Download Log.txt'", "Cannot find 'Upload Log.txt'",
                          "You must select the server folder first..."};
    EXPECT_EQ(window.statuses, explained);
    EXPECT_EQ(outcome.kind(), Outcome::Kind::Refused);
    EXPECT_EQ(outcome.reasons(), explained);
    EXPECT_FALSE(a.state.download.loaded);
    EXPECT_FALSE(a.state.upload.loaded);
    EXPECT_FALSE(a.state.accountsloaded);
}

TEST_F(LoadAll, AFolderPickedAtTheFirstOfferServesBothLogsAndTheAccounts)
{
    server.writeDownloadLog("d\ts\tguest\tJoe\tdown");
    server.writeUploadLog("d\ts\tguest\tJoe\tup");
    server.addAccount("guest");
    platform.folderAnswers.push_back(server.folder());
    EXPECT_TRUE(mnuloadall_Click(a).isDone());
    EXPECT_EQ(platform.browseTitles.size(), 1u);
    EXPECT_TRUE(a.state.download.loaded);
    EXPECT_TRUE(a.state.upload.loaded);
    EXPECT_EQ(a.state.download.records.filename(0), "down");
    EXPECT_EQ(a.state.upload.records.filename(0), "up");
    EXPECT_EQ(window.list(Dialog::Accounts), Texts{"guest"});
    EXPECT_EQ(window.lastStatus(), "(Upload Log) Done...");
}

TEST_F(LoadAll, LoadDownloadLogTwiceReadsTheFileAgain)
{
    setServerFolder(a, server.folder());
    server.writeDownloadLog("d\ts\ta\tu\tfirst");
    mnuLoaddownloadlog_Click(a);
    server.writeDownloadLog("d\ts\ta\tu\tsecond\rd\ts\ta\tu\tthird");
    mnuLoaddownloadlog_Click(a);
    ASSERT_EQ(a.state.download.records.count(), 2);
    EXPECT_EQ(a.state.download.records.filename(1), "third");
    EXPECT_FALSE(a.state.upload.loaded);
}

} // namespace
} // namespace quorvel::test
