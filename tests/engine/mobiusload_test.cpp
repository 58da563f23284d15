// SPDX-License-Identifier: MIT
// Loading a modern server's folder: which files are its log, the captions and messages of the
// loads, both sides from one read, and the accounts.
#include "enginefixture.h"
#include "permissionbits.h"
#include "slogtext.h"

#include "commands/loading.h"
#include "ingest/mobiuslog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace quorvel::test {
namespace {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

class MobiusLoad : public EngineTest {
protected:
    MobiusLoad() { makeMobiusServer(server, {"guest", "kit"}); }
    std::string folder() const { return server.folder(); }
    Texts names(const LogRecords& records, Field field) const
    {
        Texts values;
        for (std::int64_t i = 0; i < records.count(); ++i)
            values.emplace_back(records.field(i, field));
        return values;
    }
    Texts filesOf(Side side) const { return names(a.state.log(side).records, Field::filename); }
};

TEST_F(MobiusLoad, TheLogIsItsBackupsOldestFirstThenTheLiveOne)
{
    server.write("mobius.log", slogDownload("guest", "kit", "live.sit"));
    server.write("mobius-2026-03-02T00-00-00.000.log", slogDownload("guest", "kit", "march.sit"));
    server.write("mobius-2026-01-05T10-00-00.000.log", slogDownload("guest", "kit", "january.sit"));
    server.write("other-2026-01-05T10-00-00.000.log", slogDownload("guest", "kit", "other.sit"));
    server.write("notes.log", "not a log of the server\n");
    server.write("mobius.log.1", slogDownload("guest", "kit", "rotated-by-logrotate.sit"));
    server.write("Download Log.txt.log", "");
    fs::create_directory(fs::path(folder()) / "old.log");
    fs::create_symlink("gone.log", fs::path(folder()) / "dangling.log");
    const MobiusLog log = findMobiusLog(folder());
    EXPECT_EQ(log.status, MobiusLog::Status::Found);
    EXPECT_EQ(log.names, (Texts{"mobius-2026-01-05T10-00-00.000.log", "other-2026-01-05T10-00-00.000.log",
                                "mobius-2026-03-02T00-00-00.000.log", "mobius.log"}));
    loadlog(a, Side::Download);
    EXPECT_EQ(filesOf(Side::Download), (Texts{"january.sit", "other.sit", "march.sit", "live.sit"}));
}

TEST_F(MobiusLoad, AJournalIsALogWhenAModernLineBeginsWithinItsFirst64KiB)
{
    const std::string journal = "-- Journal begins at Sat 2026-03-14 --\nMar 14 21:07:52 host systemd[1]: Started.\n";
    server.write("journal.log", journal + slogDownload("guest", "kit", "a.sit"));
    const std::string filler(64 * 1024 - 5, 'x');
    server.write("late.log", filler + "\n" + slogDownload("guest", "kit", "b.sit"));
    server.write("cut.log", filler + "\ntime=2026-03-14T21:07:52Z level=INFO msg=x\n");
    loadlog(a, Side::Download);
    EXPECT_EQ(filesOf(Side::Download), Texts{"a.sit"});
}

TEST_F(MobiusLoad, MoreThanOneLiveLogIsRefusedAndNamed)
{
    server.write("mobius.log", slogDownload("guest", "kit", "a.sit"));
    server.write("docker.log", slogChat());
    server.write("Mobius.log", slogChat());
    server.write("mobius-2026-01-05T10-00-00.000.log", slogChat());
    const Outcome outcome = loadlog(a, Side::Upload);
    EXPECT_EQ(outcome.reasons(),
              Texts{"More than one Mobius log in '" + folder() + "': 'docker.log', 'Mobius.log', 'mobius.log'"});
    EXPECT_FALSE(a.state.upload.loaded);
}

TEST_F(MobiusLoad, AFolderWithoutALogSaysSo)
{
    server.write("notes.log", "nothing\n");
    server.write("empty.log", "");
    const Outcome outcome = loadlog(a, Side::Download);
    EXPECT_EQ(outcome.reasons(), Texts{"Cannot find a Mobius log in '" + folder() + "'"});
    EXPECT_EQ(window.lastStatus(), "Cannot find a Mobius log in '" + folder() + "'");
}

TEST_F(MobiusLoad, AnUnreadableLogIsNamedInTheToolsWordsWithItsFolder)
{
    server.write("mobius.log", slogDownload("guest", "kit", "a.sit"));
    server.write("b.log", slogDownload("guest", "kit", "a.sit"));
    server.write("a.log", slogDownload("guest", "kit", "a.sit"));
    fs::permissions(fs::path(folder()) / "b.log", fs::perms::none);
    fs::permissions(fs::path(folder()) / "a.log", fs::perms::none);
    const PermissionBitsApply permissions;
    if (!PermissionBitsApply::enforced(server.root()))
        GTEST_SKIP() << "permission bits are not enforced for this process";
    EXPECT_EQ(loadlog(a, Side::Download).reasons(), Texts{"Cannot read 'a.log'"});
    a.style = MessageStyle::Tool;
    EXPECT_EQ(loadlog(a, Side::Download).reasons(), Texts{"Cannot read 'a.log' in '" + folder() + "'"});
}

TEST_F(MobiusLoad, ALoadShowsTheClassicCaptionsWithItsDamagedLinesAndKeepsItsSideOnly)
{
    const std::string backup = slogDownload("guest", "kit", "a.sit") + slogUpload("kit", "Kit", "up.sit") +
                               "time=2026-03-14T21:07:52Z level=INFO msg=\"Download file\" Name=\"x\n";
    const std::string live =
        slogChat() + slogDownload("guest", "\"DJ Pluto\"", "b.sit") + slogDownload("guest", "kit", "c.sit").substr(31);
    server.write("mobius-2026-01-05T10-00-00.000.log", backup);
    server.write("mobius.log", live);
    loadlog(a, Side::Download);
    const std::string size = std::to_string(backup.size() + live.size());
    const std::string first = std::to_string(backup.size());
    EXPECT_EQ(window.statuses,
              (Texts{"(Download Log) Loading...   0/" + size, "(Download Log) Loading...   " + first + "/" + size,
                     "(Download Log) Loading...   " + size + "/" + size,
                     "(Download Log) Converting to a usable string...", "(Download Log) Sorting...   0/2",
                     "(Download Log) Sorting...   2/2", "(Download Log) Done... (2 damaged lines left out)"}));
    EXPECT_TRUE(a.state.download.loaded);
    EXPECT_FALSE(a.state.upload.loaded);
    const LogRecords& records = a.state.download.records;
    EXPECT_EQ(names(records, Field::stamp), (Texts{"2026-03-14T21:07:52-04:00", "2026-03-14T21:07:52-04:00"}));
    EXPECT_EQ(names(records, Field::spare), (Texts{"10.0.0.1", "10.0.0.1"}));
    EXPECT_EQ(names(records, Field::account), (Texts{"guest", "guest"}));
    EXPECT_EQ(names(records, Field::username), (Texts{"kit", "DJ Pluto"}));
    EXPECT_EQ(filesOf(Side::Download), (Texts{"a.sit", "b.sit"}));
    EXPECT_EQ(a.state.download.days, (DaySpan{dayNumber({2026, 3, 14}), dayNumber({2026, 3, 14})}));
    EXPECT_TRUE(a.notices.empty());
}

TEST_F(MobiusLoad, LoadAllReadsTheLogOnceForBothSidesThenListsTheAccounts)
{
    const std::string log = slogUpload("kit", "Kit", "up.sit") + slogDownload("guest", "kit", "a.sit") +
                            slogUpload("kit", "Kit", "up2.sit") +
                            "level=INFO msg=\"Folder upload started\" "
                            "remoteAddr=1.2.3.4:5 login=x Name=y dstPath=z\n";
    server.write("mobius.log", log);
    server.write("Users/broken.yaml", "Login: [\n");
    server.write("Users/alias.yaml", "Login: *x\n");
    const std::string size = std::to_string(log.size());
    ASSERT_TRUE(mnuloadall_Click(a).isDone());
    EXPECT_EQ(window.statuses,
              (Texts{"(Download Log) Loading...   0/" + size, "(Download Log) Loading...   " + size + "/" + size,
                     "(Download Log) Converting to a usable string...", "(Download Log) Sorting...   0/1",
                     "(Download Log) Sorting...   1/1", "(Download Log) Done...",
                     "(Upload Log) Loading...   " + size + "/" + size, "(Upload Log) Converting to a usable string...",
                     "(Upload Log) Sorting...   0/2", "(Upload Log) Sorting...   2/2",
                     "(Upload Log) Done... (1 damaged line left out)",
                     "Left out 2 account files that could not be read: 'Users/alias.yaml' and 1 more"}));
    EXPECT_EQ(filesOf(Side::Download), Texts{"a.sit"});
    EXPECT_EQ(filesOf(Side::Upload), (Texts{"up.sit", "up2.sit"}));
    EXPECT_EQ(window.list(Dialog::Accounts), (Texts{"guest", "kit"}));
}

TEST_F(MobiusLoad, ACommandOfBothLogsAsksForEachMissingOneThenReadsTheLogOnce)
{
    const std::string log = slogUpload("kit", "Kit", "up.sit") + slogDownload("guest", "kit", "a.sit");
    server.write("mobius.log", log);
    const auto reads = [&] {
        return std::count_if(window.statuses.begin(), window.statuses.end(),
                             [](const std::string& s) { return s.find("Loading...   0/") != std::string::npos; });
    };
    ASSERT_TRUE(bothLogsGuard(a).isDone());
    EXPECT_EQ(platform.questions.size(), 2u);
    EXPECT_EQ(reads(), 1);
    EXPECT_EQ(filesOf(Side::Download), Texts{"a.sit"});
    EXPECT_EQ(filesOf(Side::Upload), Texts{"up.sit"});

    unloadLog(a, Side::Upload);
    platform.okAnswers = {false};
    window.statuses.clear();
    EXPECT_FALSE(bothLogsGuard(a).isDone());
    EXPECT_EQ(platform.questions.size(), 3u) << "only the missing log is offered";
    EXPECT_EQ(reads(), 0);
    EXPECT_EQ(window.statuses.back(), "Must load log first...");
    EXPECT_TRUE(a.state.download.loaded);
    EXPECT_FALSE(a.state.upload.loaded);
}

TEST_F(MobiusLoad, TheToolSaysTheDamagedLinesAndTheFilesLeftOut)
{
    a.style = MessageStyle::Tool;
    server.write("mobius.log", slogDownload("guest", "kit", "a.sit") + slogDownload("guest", "kit", "b").substr(1));
    server.write("Users/broken.yaml", "Login: [\n");
    mnuloadall_Click(a);
    EXPECT_EQ(a.notices,
              (Texts{"quorvel-report: 1 damaged line left out",
                     "quorvel-report: Left out 1 account file that could not be read: 'Users/broken.yaml'"}));
}

TEST_F(MobiusLoad, TheStatusLineNamesAModernFolderAsSuch)
{
    platform.folderAnswers.push_back(folder());
    mnuselectserverdirectory_Click(a);
    EXPECT_EQ(window.lastStatus(), "Server folder: " + folder() + " (Mobius)");
    server.writeDownloadLog("");
    platform.folderAnswers.push_back(folder());
    mnuselectserverdirectory_Click(a);
    EXPECT_EQ(window.lastStatus(), "Server folder: " + folder());
}

TEST_F(MobiusLoad, AtStartTheFolderLineComesFirstThenTheAccountFilesLeftOut)
{
    server.write("Users/broken.yaml", "Login: [\n");
    ASSERT_TRUE(a.folderFile.write(folder()));
    Form_Load(a);
    EXPECT_EQ(window.statuses, (Texts{"Server folder: " + folder() + " (Mobius)",
                                      "Left out 1 account file that could not be read: 'Users/broken.yaml'"}));
    EXPECT_EQ(window.list(Dialog::Accounts), (Texts{"guest", "kit"}));
}

TEST_F(MobiusLoad, AnUnreadableUsersFolderIsNamed)
{
    fs::permissions(fs::path(folder()) / "Users", fs::perms::none);
    const PermissionBitsApply permissions;
    if (!PermissionBitsApply::enforced(server.root()))
        GTEST_SKIP() << "permission bits are not enforced for this process";
    EXPECT_EQ(loaduseraccounts(a).reasons(), Texts{"Cannot read 'Users'"});
    EXPECT_FALSE(a.state.accountsloaded);
}

TEST_F(MobiusLoad, TheLoadPlanKeepsOnlyWhatASearchOrAPeriodReads)
{
    server.write("mobius.log", slogDownload("guest", "kit", "a.sit", "2026-03-01T10:00:00Z") +
                                   slogDownload("guest", "ann", "b.sit", "2026-03-02T10:00:00Z") +
                                   slogDownload("guest", "kit", "c.sit", "2026-03-03T10:00:00Z") +
                                   slogDownload("guest", "kit", "d.sit", "2026-03-03T10:00:00.5Z"));
    // The plan keeps the file names only: the name searched and the stamps are read all the same.
    a.loadplan.columns = FieldSet{Field::filename};
    a.loadplan.days = false;
    a.loadplan.match = Field::username;
    a.loadplan.value = "kit";
    a.loadplan.period = Period{dayNumber({2026, 3, 2}), std::nullopt};
    loadlog(a, Side::Download);
    EXPECT_EQ(filesOf(Side::Download), Texts{"c.sit"});
    EXPECT_EQ(a.state.download.undatedLeftOut, 1);
}

} // namespace
} // namespace quorvel::test
