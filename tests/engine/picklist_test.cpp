// SPDX-License-Identifier: MIT
#include "enginefixture.h"
#include "searchlog.h"

#include "commands/loading.h"
#include "commands/searches.h"
#include "present/statustext.h"

#include <string>
#include <vector>

namespace quorvel::test {
namespace {

using Entries = std::vector<std::string>;

// A download log whose record 1 holds values found nowhere else, with a user and a file
// called "null", values differing only in case and empty fields.
class PickLists : public EngineTest {
protected:
    PickLists()
    {
        server.writeDownloadLog(serverLog({
            record("d1", "a", "first", "only1.txt"),
            record("d2", "a", "Bob", "a.txt"),
            record("d3", "a", "null", "null"),
            record("d4", "a", "bob", "A.txt"),
            record("d5", "a", "Bob", "a.txt"),
            record("d6", "a", "", ""),
            record("d7", "a", "first", "a.txt"),
        }));
        server.writeUploadLog(serverLog({record("u1", "a", "Up", "up.sit")}));
    }
};

TEST_F(PickLists, NamesAreDistinctInFirstOccurrenceOrderFromRecordOneWithNullAndEmptyOffered)
{
    runMenuItem(a, "mnuUserDownloads");
    EXPECT_EQ(window.list(Dialog::DownNames), (Entries{"first", "Bob", "null", "bob", ""}));
    EXPECT_TRUE(window.shown[FakeWindow::index(Dialog::DownNames)]);
    EXPECT_TRUE(a.state.download.nameslisted);
    EXPECT_FALSE(a.state.download.fileslisted);
}

TEST_F(PickLists, FilesAreDistinctInFirstOccurrenceOrder)
{
    runMenuItem(a, "mnuFileDownloads");
    EXPECT_EQ(window.list(Dialog::DownFiles), (Entries{"only1.txt", "a.txt", "null", "A.txt", ""}));
    EXPECT_TRUE(window.shown[FakeWindow::index(Dialog::DownFiles)]);
    EXPECT_TRUE(window.list(Dialog::DownNames).empty());
}

TEST_F(PickLists, BuildingEndsWithTheLastRecordsCaptionThenEmptiesTheOutputAndSaysDone)
{
    loadlog(a, Side::Download);
    window.statuses.clear();
    window.output = "a report";
    runMenuItem(a, "mnuUserDownloads");
    EXPECT_EQ(window.statuses, (Entries{"Searching Though Names 7/7", "Done..."}));
    EXPECT_EQ(window.output, "");
    runMenuItem(a, "mnuFileDownloads");
    EXPECT_EQ(window.statuses.end()[-2], "Searching Though Files 7/7");
}

TEST_F(PickLists, UploadCommandsListTheUploadLog)
{
    runMenuItem(a, "mnuUserUploads");
    runMenuItem(a, "mnuFileUploads");
    EXPECT_EQ(window.list(Dialog::UpNames), (Entries{"Up"}));
    EXPECT_EQ(window.list(Dialog::UpFiles), (Entries{"up.sit"}));
    EXPECT_TRUE(window.list(Dialog::DownNames).empty());
}

TEST_F(PickLists, SecondUseShowsTheListWithoutRebuildingOrTouchingTheOutput)
{
    runMenuItem(a, "mnuUserDownloads");
    window.hideDialog(Dialog::DownNames);
    window.output = "a report";
    const auto statuses = window.statuses.size();
    const int writes = window.outputWrites;
    runMenuItem(a, "mnuUserDownloads");
    EXPECT_EQ(window.list(Dialog::DownNames).size(), 5u);
    EXPECT_EQ(window.output, "a report");
    EXPECT_EQ(window.outputWrites, writes);
    EXPECT_EQ(window.statuses.size(), statuses);
    EXPECT_TRUE(window.shown[FakeWindow::index(Dialog::DownNames)]);
}

TEST_F(PickLists, ReloadRebuildsTheListsOfItsOwnLogOnly)
{
    runMenuItem(a, "mnuUserDownloads");
    runMenuItem(a, "mnuUserUploads");
    server.writeDownloadLog(record("n1", "a", "New", "new.txt"));
    server.writeUploadLog(record("n1", "a", "Changed", "changed.txt"));
    loadlog(a, Side::Download);
    EXPECT_TRUE(window.list(Dialog::DownNames).empty());
    EXPECT_TRUE(a.state.upload.nameslisted);
    runMenuItem(a, "mnuUserDownloads");
    runMenuItem(a, "mnuUserUploads");
    EXPECT_EQ(window.list(Dialog::DownNames), (Entries{"New"}));
    EXPECT_EQ(window.list(Dialog::UpNames), (Entries{"Up"}));
}

TEST_F(PickLists, RefusedGuardShowsNoDialogAndBuildsNothing)
{
    platform.okAnswers = {false};
    runMenuItem(a, "mnuFileUploads");
    EXPECT_EQ(window.lastStatus(), mustLoadMessage);
    EXPECT_FALSE(window.shown[FakeWindow::index(Dialog::UpFiles)]);
    EXPECT_FALSE(a.state.upload.fileslisted);
}

TEST_F(EngineTest, PickListOfAnEmptyLogIsEmptyAndStillShown)
{
    server.writeDownloadLog("");
    window.output = "a report";
    runMenuItem(a, "mnuUserDownloads");
    EXPECT_TRUE(window.list(Dialog::DownNames).empty());
    EXPECT_EQ(window.output, "");
    EXPECT_EQ(window.lastStatus(), "Done...");
    EXPECT_TRUE(window.shown[FakeWindow::index(Dialog::DownNames)]);
}

// A window that counts how often a list is filled.
class CountingWindow : public FakeWindow {
public:
    void addToList(Dialog dialog, std::span<const std::string_view> entries) override
    {
        ++fills;
        FakeWindow::addToList(dialog, entries);
    }
    int fills = 0;
};

TEST(PickListSize, FiftyThousandDistinctNamesFillTheListInOneCall)
{
    TempServer server;
    CountingWindow window;
    FakePlatform platform;
    Analyzer a(window, platform, FolderFile(server.programFolder(), server.configFolder()));
    setServerFolder(a, server.folder());
    std::string log;
    for (int i = 0; i < 100000; ++i)
        log.append(record("s", "a", "user" + std::to_string(i % 50000), "f")).append("\r");
    server.writeDownloadLog(log);
    runMenuItem(a, "mnuUserDownloads");
    EXPECT_EQ(window.fills, 1);
    ASSERT_EQ(window.list(Dialog::DownNames).size(), 50000u);
    EXPECT_EQ(window.list(Dialog::DownNames).back(), "user49999");
}

} // namespace
} // namespace quorvel::test
