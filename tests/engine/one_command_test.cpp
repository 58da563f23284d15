// SPDX-License-Identifier: MIT
#include "enginefixture.h"
#include "searchlog.h"

#include "commands/loading.h"
#include "commands/searches.h"
#include "commands/searches.h"
#include "commands/searches.h"
#include "commands/serverfolder.h"

#include <functional>
#include <string>
#include <vector>

namespace quorvel::test {
namespace {

using Command = std::function<Outcome(Analyzer&)>;

// A server whose logs of 10,000 records are loaded, long enough for every walk to yield
// several times, and whose files were then replaced by longer logs, so that a reload slipping
// in under a walk would change its result.
struct LoadedServer {
    LoadedServer()
    {
        setServerFolder(a, server.folder());
        server.addAccount("acct1");
        server.writeDownloadLog(bigLog(10000));
        server.writeUploadLog(bigLog(10000));
        loadlog(a, Side::Download);
        loadlog(a, Side::Upload);
        loaduseraccounts(a);
        server.writeDownloadLog(bigLog(12000));
        server.writeUploadLog(bigLog(12000));
        window.selected(Dialog::Accounts) = 0;
        window.statuses.clear();
    }

    TempServer server;
    FakeWindow window;
    FakePlatform platform;
    Analyzer a{window, platform, FolderFile(server.programFolder(), server.configFolder())};
};

struct NestingCase {
    const char* catches;
    Command outer;
    Command nested;
};

void PrintTo(const NestingCase& c, std::ostream* os)
{
    *os << c.catches;
}

class NestedCommand : public ::testing::TestWithParam<NestingCase> {};

// The outer command's whole effect (captions, output box, lists, dialogs, records) must be
// what it is when nothing tries to start inside it.
TEST_P(NestedCommand, IsRefusedAndLeavesTheRunningCommandsResultUntouched)
{
    LoadedServer alone;
    ASSERT_TRUE(runCommand(alone.a, GetParam().outer).isDone());

    LoadedServer nested;
    int attempts = 0;
    int started = 0;
    bool inside = false; // a nested command that did start must not recurse
    nested.window.onYield = [&] {
        if (inside)
            return;
        inside = true;
        ++attempts;
        EXPECT_FALSE(nested.window.commandsEnabled);
        started += runCommand(nested.a, GetParam().nested).isDone() ? 1 : 0;
        inside = false;
    };
    ASSERT_TRUE(runCommand(nested.a, GetParam().outer).isDone());

    EXPECT_GE(attempts, 3);
    EXPECT_EQ(started, 0);
    EXPECT_EQ(nested.window.enabledChanges, (std::vector<bool>{false, true}));
    EXPECT_EQ(nested.window.statuses, alone.window.statuses);
    EXPECT_EQ(nested.window.output, alone.window.output);
    EXPECT_EQ(nested.window.outputWrites, alone.window.outputWrites);
    EXPECT_EQ(nested.window.lists, alone.window.lists);
    EXPECT_EQ(nested.window.shown, alone.window.shown);
    EXPECT_EQ(nested.a.state.download.records.count(), alone.a.state.download.records.count());
    EXPECT_EQ(nested.a.state.upload.records.count(), alone.a.state.upload.records.count());
    EXPECT_TRUE(nested.platform.questions.empty());
}

const Command reloadDownloads = mnuLoaddownloadlog_Click;
const Command reloadUploads = mnuLoaduploadlog_Click;
const Command listDownloadNames = menuItem("mnuUserDownloads");
const Command listUploadFiles = menuItem("mnuFileUploads");
const Command searchPickedName = [](Analyzer& a) { return Command1_Click(a, Dialog::DownNames); };
const Command searchFile = [](Analyzer& a) { return ask(a, filesearch, Side::Download, "file7"); };
const Command searchAccountBoth = mnusearchboth_Click;

INSTANTIATE_TEST_SUITE_P(
    Pairs, NestedCommand,
    ::testing::Values(
        NestingCase{"the same list built twice into one list box", listDownloadNames, listDownloadNames},
        NestingCase{"a reload replacing the records under a list build", listUploadFiles, reloadUploads},
        NestingCase{"a reload replacing the records under a name search", searchPickedName, reloadDownloads},
        NestingCase{"a reload under a file search", searchFile, reloadDownloads},
        NestingCase{"a reload of the second log under a search of both", searchAccountBoth, reloadUploads},
        NestingCase{"a search started from a dialog inside another search", searchFile, searchPickedName},
        NestingCase{"a list build inside a reload", reloadDownloads, listDownloadNames},
        NestingCase{"a search inside a reload", reloadUploads, searchAccountBoth},
        NestingCase{"a reload inside a reload", reloadDownloads, reloadDownloads}),
    [](const auto& row) { return rowName(row); });

TEST(ClosingDuringAListBuild, LeavesTheListUnbuiltAndTheNextUseBuildsItOnce)
{
    LoadedServer s;
    s.window.onYield = [&] { s.window.closing = true; };
    EXPECT_EQ(runCommand(s.a, menuItem("mnuUserDownloads")).kind(), Outcome::Kind::Closing);
    EXPECT_TRUE(s.window.list(Dialog::DownNames).empty());
    EXPECT_FALSE(s.a.state.download.nameslisted);
    EXPECT_TRUE(s.window.commandsEnabled);

    s.window.onYield = nullptr;
    s.window.closing = false;
    EXPECT_TRUE(runCommand(s.a, menuItem("mnuUserDownloads")).isDone());
    EXPECT_EQ(s.window.list(Dialog::DownNames).size(), 13u);
}

TEST(SearchOfABigLog, FindsEveryHitAndEndsWithTheLastRecordsCaption)
{
    LoadedServer s;
    ASSERT_TRUE(runCommand(s.a, [](Analyzer& a) { return ask(a, namesearch, Side::Upload, "user0"); }).isDone());
    const std::string& out = s.window.output;
    EXPECT_TRUE(out.starts_with("user0 had uploaded these files...\r\n\r\ns13: file13\r\ns26: file26\r\n"));
    EXPECT_TRUE(out.ends_with("s9997: file99\r\n"));
    EXPECT_EQ(s.window.statuses.end()[-2], "user0's Uploads\r\nLooking at Upload Number 10000/10000\r\n");
}

} // namespace
} // namespace quorvel::test
