// SPDX-License-Identifier: MIT
// The program only reads the server folder: no command writes, creates, renames or removes
// anything in it, and the logs are opened read-only.
#include "enginefixture.h"
#include "foldersnapshot.h"
#include "logtext.h"
#include "permissionbits.h"

#include "commands/commandtable.h"
#include "commands/loading.h"
#include "commands/serverfolder.h"

#include <fcntl.h>
#include <fstream>
#include <map>
#include <set>

namespace quorvel::test {
namespace {

namespace fs = std::filesystem;

// Every menu command that only reads; "Save" and "Save as..." write where the user says, and
// "Quit" and "About" touch only the windows.
std::vector<std::string> readingCommands()
{
    std::vector<std::string> names;
    for (const CommandRow& row : commandTable())
        if (row.run && !row.item.empty() && row.item != "mnusave" && row.item != "mnusaveas")
            names.emplace_back(row.item);
    return names;
}

// A server with both logs, accounts, a file and a link beside them.
class ServerFolderUntouched : public EngineTest {
protected:
    ServerFolderUntouched()
    {
        for (const char* account : {"ann", "bob", "cy"})
            server.addAccount(account);
        server.writeDownloadLog(serverLogOf({{"bob", "Bob", "song.mp3"}, {"ann", "Ann", "app.sit"}}));
        server.writeUploadLog(serverLogOf({{"ann", "Ann", "new.txt"}}));
        server.write("users/notes.txt", "not an account");
        fs::create_directory_symlink("..", fs::path(server.folder()) / "users" / "up");
        platform.folderAnswers.push_back(server.folder());
    }
    void run(const std::string& name)
    {
        runCommand(a, [&](Analyzer& analyzer) { return runRow(analyzer, *findMenuItem(name)); });
    }
};

class EveryReadingCommand : public ServerFolderUntouched, public ::testing::WithParamInterface<std::string> {};

TEST_P(EveryReadingCommand, LeavesTheServerFolderAsItWas)
{
    const std::string before = snapshotOf(server.folder());
    run(GetParam()); // loads what it needs: the questions are answered with OK
    run(GetParam()); // and once more on what is loaded
    mnuloadall_Click(a);
    run(GetParam());
    EXPECT_EQ(snapshotOf(server.folder()), before);
}

INSTANTIATE_TEST_SUITE_P(MenuCommands, EveryReadingCommand, ::testing::ValuesIn(readingCommands()),
                         [](const ::testing::TestParamInfo<std::string>& row) { return row.param; });

// The access modes of this process's open descriptors of file.
std::vector<int> openModes(const fs::path& file)
{
    std::vector<int> modes;
    std::error_code error;
    for (const fs::directory_entry& fd : fs::directory_iterator("/proc/self/fd", error)) {
        if (fs::read_symlink(fd.path(), error) != file)
            continue;
        std::ifstream info("/proc/self/fdinfo/" + fd.path().filename().string());
        std::string key, flags;
        while (info >> key >> flags)
            if (key == "flags:")
                modes.push_back(static_cast<int>(std::stoul(flags, nullptr, 8)) & O_ACCMODE);
    }
    return modes;
}

TEST_F(ServerFolderUntouched, LogsAreOpenDuringTheirLoadOnlyForReading)
{
    std::map<std::string, std::set<int>> modes;
    window.onYield = [&] {
        for (const char* log : {"Download Log.txt", "Upload Log.txt"})
            for (int mode : openModes(fs::path(server.folder()) / log))
                modes[log].insert(mode);
    };
    mnuloadall_Click(a);
    ASSERT_TRUE(a.state.download.loaded && a.state.upload.loaded);
    const std::set<int> readOnly{O_RDONLY};
    EXPECT_EQ(modes, (std::map<std::string, std::set<int>>{{"Download Log.txt", readOnly}, {"Upload Log.txt", readOnly}}));
}

// Read-only files in a read-only folder load, also for root held to the permission bits.
TEST_F(ServerFolderUntouched, ReadOnlyServerFolderLoadsWhole)
{
    const fs::path folder = server.folder();
    for (const char* log : {"Download Log.txt", "Upload Log.txt"})
        fs::permissions(folder / log, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    for (const fs::path& dir : {folder / "users", folder})
        fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    const std::string before = snapshotOf(folder);
    {
        const PermissionBitsApply permissions;
        if (!PermissionBitsApply::enforced(server.programFolder()))
            GTEST_SKIP() << "permission bits are not enforced for this process";
        mnuloadall_Click(a);
    }
    EXPECT_EQ(a.state.download.records.count(), 2);
    EXPECT_EQ(a.state.upload.records.count(), 1);
    EXPECT_EQ(window.list(Dialog::Accounts), (std::vector<std::string>{"ann", "bob", "cy", "up"}));
    EXPECT_EQ(window.lastStatus(), "(Upload Log) Done...");
    EXPECT_EQ(snapshotOf(folder), before);
}

} // namespace
} // namespace quorvel::test
