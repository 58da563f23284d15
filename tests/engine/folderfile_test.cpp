// SPDX-License-Identifier: MIT
#include "enginefixture.h"

#include "commands/loading.h"
#include "commands/reports.h"
#include "commands/searches.h"
#include "commands/serverfolder.h"
#include "logtext.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <pwd.h>
#include <sched.h>
#include <string>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quorvel::test {
namespace {

namespace fs = std::filesystem;

void writeRaw(const fs::path& file, std::string_view bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

class FolderFileBytes : public ::testing::Test {
protected:
    TempServer server;
    FolderFile file{server.programFolder(), server.configFolder()};
    fs::path besideProgram() const { return server.programFolder() / "log.dat"; }
};

TEST_F(FolderFileBytes, HoldsExactlyThePathBytesWithoutTerminator)
{
    const std::string folder = "/srv/hotline server/\xe9t\xc3\xa9";
    ASSERT_TRUE(file.write(folder));
    EXPECT_EQ(file.path(), besideProgram());
    EXPECT_EQ(readFile(besideProgram()), folder);
    EXPECT_EQ(file.read(), std::optional<std::string>(folder));
}

TEST_F(FolderFileBytes, AShorterPathAfterALongerOneLeavesNoTraceOfTheLonger)
{
    ASSERT_TRUE(file.write("/a/very/long/path/to/the/first/hotline/server"));
    ASSERT_TRUE(file.write("/b"));
    EXPECT_EQ(readFile(besideProgram()), "/b");
    EXPECT_EQ(file.read(), std::optional<std::string>("/b"));
}

TEST_F(FolderFileBytes, AnAbsentFileIsNoFolder)
{
    EXPECT_EQ(file.read(), std::nullopt);
}

TEST_F(FolderFileBytes, AFolderInItsPlaceIsNoFolder)
{
    fs::create_directory(besideProgram());
    EXPECT_EQ(file.read(), std::nullopt);
}

struct ReadCase {
    const char* what;
    std::string content;
    std::optional<std::string> path;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.what; }

class FolderFileRead : public FolderFileBytes, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(FolderFileRead, PathIsEverythingBeforeTheFirstNul)
{
    writeRaw(besideProgram(), GetParam().content);
    EXPECT_EQ(file.read(), GetParam().path) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Contents, FolderFileRead,
    ::testing::Values(
        ReadCase{"an empty file counts as no folder file", "", std::nullopt},
        ReadCase{"a NUL first byte is an empty path", std::string("\0/srv", 5), std::nullopt},
        ReadCase{"bytes after the first NUL are ignored", std::string("/srv\0/old/longer/path", 21), "/srv"},
        ReadCase{"line ends inside the path are path bytes", "/srv/a\nb\r\nc \r", "/srv/a\nb\r\nc \r"},
        ReadCase{"an editor's LF after the path is not part of it", "/srv/a\n", "/srv/a"},
        ReadCase{"an editor's CR LF after the path is not part of it", "/srv/a\nb \r\n", "/srv/a\nb "},
        ReadCase{"one line end is taken off, not two", "/srv/a\n\r\n", "/srv/a\n"},
        ReadCase{"a line end before the NUL is taken off", std::string("/srv/a\r\n\0/old", 12), "/srv/a"},
        ReadCase{"a line end alone is an empty path", "\r\n", std::nullopt},
        ReadCase{"non-UTF-8 bytes pass unchanged", "/srv/\xff\xfe\x80", "/srv/\xff\xfe\x80"},
        ReadCase{"a path longer than any fixed buffer is read whole", "/" + std::string(5000, 'p'),
                 "/" + std::string(5000, 'p')}));

// The line end stays when a folder's name really ends in it, and only then.
TEST_F(FolderFileBytes, AFolderWhoseNameEndsInALineEndKeepsIt)
{
    for (const std::string lineEnd : {"\n", "\r\n"}) {
        const std::string folder = (server.root() / "srv").string() + lineEnd;
        const std::string withoutIt = folder.substr(0, folder.size() - lineEnd.size());
        writeRaw(besideProgram(), folder);
        EXPECT_EQ(file.read(), withoutIt);
        fs::create_directory(folder);
        EXPECT_EQ(file.read(), folder);
        fs::remove(folder);
        fs::create_directory(withoutIt);
        EXPECT_EQ(file.read(), withoutIt);
        fs::remove(withoutIt);
    }
}

// Tests run as root in CI, where access() grants writing to read-only folders: a program folder
// that does not exist or is not a folder is the honest way to make it unwritable there.
enum class Unwritable { Missing, PlainFile, ExecutableFile };

class FolderFileFallback : public FolderFileBytes, public ::testing::WithParamInterface<Unwritable> {
protected:
    void SetUp() override
    {
        fs::remove_all(server.programFolder());
        if (GetParam() == Unwritable::Missing)
            return;
        writeRaw(server.programFolder(), "not a folder");
        if (GetParam() == Unwritable::ExecutableFile)
            fs::permissions(server.programFolder(), fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    }
};

TEST_P(FolderFileFallback, WritesAndReadsTheConfigurationFolderInstead)
{
    EXPECT_EQ(file.path(), server.configFolder() / "log.dat");
    ASSERT_TRUE(file.write("/srv/hotline"));
    EXPECT_EQ(readFile(server.configFolder() / "log.dat"), "/srv/hotline");
    EXPECT_EQ(file.read(), std::optional<std::string>("/srv/hotline"));
    EXPECT_EQ(fs::exists(server.programFolder()), GetParam() != Unwritable::Missing);
    EXPECT_FALSE(fs::is_directory(server.programFolder()));
}

INSTANTIATE_TEST_SUITE_P(ProgramFolder, FolderFileFallback,
                         ::testing::Values(Unwritable::Missing, Unwritable::PlainFile, Unwritable::ExecutableFile));

// Whether writing the folder file succeeds with the program folder read-only. Root writes into
// read-only folders, so for root the folder is made read-only by a read-only mount, in a private
// mount namespace of a child process; nothing when that cannot be made.
std::optional<bool> writesIntoReadOnlyProgramFolder(const FolderFile& file, const fs::path& programFolder)
{
    fs::permissions(programFolder, fs::perms::owner_read | fs::perms::owner_exec);
    if (::geteuid() != 0)
        return file.write("/srv/hotline");
    const pid_t child = ::fork();
    if (child == 0) {
        const char* folder = programFolder.c_str();
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount(folder, folder, nullptr, MS_BIND, nullptr) != 0 ||
            ::mount(nullptr, folder, nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)
            ::_exit(2);
        ::_exit(file.write("/srv/hotline") ? 0 : 1);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) == 2)
        return std::nullopt;
    return WEXITSTATUS(status) == 0;
}

TEST_F(FolderFileBytes, AReadOnlyProgramFolderFallsBackToTheConfigurationFolder)
{
    const std::optional<bool> written = writesIntoReadOnlyProgramFolder(file, server.programFolder());
    if (!written)
        GTEST_SKIP() << "no private mount namespace for a read-only program folder";
    EXPECT_TRUE(*written);
    EXPECT_EQ(readFile(server.configFolder() / "log.dat"), "/srv/hotline");
    EXPECT_FALSE(fs::exists(besideProgram()));
}

TEST_F(FolderFileBytes, WithoutAConfigurationFolderNothingIsWrittenToTheWorkingDirectory)
{
    fs::remove_all(server.programFolder());
    const FolderFile noConfig(server.programFolder(), {});
    EXPECT_EQ(noConfig.path(), server.programFolder() / "log.dat");
    ASSERT_TRUE(noConfig.write("/srv/hotline"));
    EXPECT_EQ(readFile(server.programFolder() / "log.dat"), "/srv/hotline");
}

TEST_F(FolderFileBytes, NeitherFolderWritableReportsFailure)
{
    fs::remove_all(server.programFolder());
    writeRaw(server.configFolder(), "a file where the configuration folder should be");
    EXPECT_FALSE(file.write("/srv/hotline"));
}

// Where the running program keeps it: beside the executable only where the build left its
// marker; an installed program uses the configuration folder, writable as its own may be.
TEST_F(FolderFileBytes, BesideTheProgramOnlyWhereTheBuildLeftItsMarker)
{
    const FolderFile installed = FolderFile::forProgramIn(server.programFolder(), server.configFolder());
    EXPECT_EQ(installed.path(), server.configFolder() / "log.dat");
    ASSERT_TRUE(installed.write("/srv/hotline"));
    EXPECT_EQ(readFile(server.configFolder() / "log.dat"), "/srv/hotline");
    EXPECT_FALSE(fs::exists(besideProgram()));

    writeRaw(server.programFolder() / FolderFile::buildMarker, "");
    const FolderFile built = FolderFile::forProgramIn(server.programFolder(), server.configFolder());
    EXPECT_EQ(built.path(), besideProgram());
    EXPECT_EQ(built.read(), std::nullopt);
}

// Rows: the environment, and the configuration folder the running program then uses.
struct EnvironmentCase {
    const char* what;
    std::optional<std::string> xdgConfigHome;
    std::optional<std::string> home;
    fs::path expected; // empty: the account's home folder from the system, then ".config"
};

void PrintTo(const EnvironmentCase& c, std::ostream* os) { *os << c.what; }

class ThisProgram : public ::testing::TestWithParam<EnvironmentCase> {
protected:
    void SetUp() override
    {
        std::error_code error;
        const fs::path programFolder = fs::read_symlink("/proc/self/exe", error).parent_path();
        if (fs::exists(programFolder / FolderFile::buildMarker))
            GTEST_SKIP() << "the tests were built beside the build's marker";
        set("XDG_CONFIG_HOME", GetParam().xdgConfigHome);
        set("HOME", GetParam().home);
    }
    void TearDown() override
    {
        set("XDG_CONFIG_HOME", xdg_);
        set("HOME", home_);
    }
    static void set(const char* name, const std::optional<std::string>& value)
    {
        if (value)
            ::setenv(name, value->c_str(), 1);
        else
            ::unsetenv(name);
    }
    static std::optional<std::string> get(const char* name)
    {
        const char* value = std::getenv(name);
        return value ? std::optional<std::string>(value) : std::nullopt;
    }

private:
    std::optional<std::string> xdg_ = get("XDG_CONFIG_HOME");
    std::optional<std::string> home_ = get("HOME");
};

TEST_P(ThisProgram, KeepsTheFolderFileInTheUsersConfigurationFolder)
{
    fs::path expected = GetParam().expected;
    if (expected.empty()) {
        const passwd* account = ::getpwuid(::getuid());
        ASSERT_NE(account, nullptr);
        expected = fs::path(account->pw_dir) / ".config/quorvel/log.dat";
    }
    EXPECT_EQ(FolderFile::ofThisProgram().path(), expected) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Environments, ThisProgram,
    ::testing::Values(
        EnvironmentCase{"XDG_CONFIG_HOME wins", "/x/config", "/h", "/x/config/quorvel/log.dat"},
        EnvironmentCase{"a relative XDG_CONFIG_HOME is ignored", "config", "/h", "/h/.config/quorvel/log.dat"},
        EnvironmentCase{"an empty one too", "", "/h", "/h/.config/quorvel/log.dat"},
        EnvironmentCase{"without HOME, the account's home folder", std::nullopt, std::nullopt, {}},
        EnvironmentCase{"an empty HOME is none", std::nullopt, "", {}}));

// With no folder to keep it in, nothing is read or written (not even in the working directory).
TEST(FolderFileNowhere, ReadsNothingWritesNothingAndTheStatusSaysWhy)
{
    TempServer server;
    FakeWindow window;
    FakePlatform platform;
    Analyzer a(window, platform, FolderFile({}, {}));
    const fs::path before = fs::current_path();
    fs::current_path(server.root());
    platform.folderAnswers.push_back(server.folder());
    loadpath(a);
    fs::current_path(before);
    EXPECT_EQ(a.folderFile.path(), fs::path());
    EXPECT_EQ(a.folderFile.read(), std::nullopt);
    EXPECT_EQ(a.state.serverfolder, server.folder());
    EXPECT_FALSE(fs::exists(server.root() / "log.dat"));
    EXPECT_EQ(window.lastStatus(), "Cannot remember the server folder: no home folder to keep it in");
}

// loadpath: the folder browser and what a choice changes.
class LoadPath : public EngineTest {
protected:
    void SetUp() override
    {
        server.addAccount("guest");
        loaduseraccounts(a);
        ASSERT_TRUE(a.folderFile.write(server.folder()));
        window.statuses.clear();
    }
    std::vector<std::string> accountNames() const
    {
        std::vector<std::string> names;
        for (const accountinfo& account : a.state.accounts)
            names.push_back(account.name);
        return names;
    }
    const std::vector<std::string> guestOnly{"guest"};
};

TEST_F(LoadPath, CancelKeepsFolderAccountsAndFolderFile)
{
    loadpath(a);
    EXPECT_EQ(platform.browseTitles, std::vector<std::string>{"Select your Hotline Server Folder"});
    EXPECT_EQ(a.state.serverfolder, server.folder());
    EXPECT_TRUE(a.state.folderset);
    EXPECT_TRUE(a.state.accountsloaded);
    EXPECT_EQ(accountNames(), guestOnly);
    EXPECT_EQ(window.list(Dialog::Accounts), guestOnly);
    EXPECT_EQ(readFile(server.programFolder() / "log.dat"), server.folder());
    EXPECT_EQ(window.statuses, std::vector<std::string>{});
}

TEST_F(LoadPath, ADifferentFolderForgetsTheOldAccountsAndIsRemembered)
{
    TempServer other;
    other.addAccount("admin");
    platform.folderAnswers.push_back(other.folder());
    loadpath(a);
    EXPECT_EQ(a.state.serverfolder, other.folder());
    EXPECT_FALSE(a.state.accountsloaded);
    EXPECT_EQ(accountNames(), std::vector<std::string>{});
    EXPECT_EQ(window.list(Dialog::Accounts), std::vector<std::string>{});
    EXPECT_EQ(readFile(server.programFolder() / "log.dat"), other.folder());
    loaduseraccounts(a);
    EXPECT_EQ(window.list(Dialog::Accounts), std::vector<std::string>{"admin"});
}

TEST_F(LoadPath, TheSameFolderAgainKeepsTheAccounts)
{
    platform.folderAnswers.push_back(server.folder());
    loadpath(a);
    EXPECT_TRUE(a.state.accountsloaded);
    EXPECT_EQ(accountNames(), guestOnly);
    EXPECT_EQ(window.list(Dialog::Accounts), guestOnly);
}

TEST_F(LoadPath, AFolderThatCannotBeRememberedIsStillUsedAndTheStatusSaysWhy)
{
    fs::remove_all(server.programFolder());
    writeRaw(server.configFolder(), "blocks the configuration folder");
    TempServer other;
    platform.folderAnswers.push_back(other.folder());
    loadpath(a);
    EXPECT_EQ(a.state.serverfolder, other.folder());
    EXPECT_TRUE(a.state.folderset);
    EXPECT_EQ(window.statuses,
              (std::vector<std::string>{"Server folder: " + other.folder(),
                                        "Cannot remember the server folder: '" +
                                            (server.configFolder() / "log.dat").string() + "' cannot be written"}));
}

// A switch to another server: everything that came from the old one goes, as a reload of each
// log would start; the output box keeps its text. The status line names the new folder.
TEST_F(LoadPath, ADifferentFolderUnloadsBothLogsAndTheirPickLists)
{
    server.writeDownloadLog(logOf({{"guest", "ann", "a.txt"}, {"guest", "bob", "b.txt"}}));
    server.writeUploadLog(logOf({{"guest", "ann", "c.txt"}, {"guest", "ann", "d.txt"}}));
    mnuloadall_Click(a);
    for (const Side side : {Side::Download, Side::Upload})
        for (const Pick pick : {Pick::Names, Pick::Files})
            show(a, showPickList(a, side, pick), {});
    runMenuItem(a, "mnudownloadnumber");
    const std::string report = window.output;
    TempServer other;
    platform.folderAnswers.push_back(other.folder());
    loadpath(a);
    for (const Side side : {Side::Download, Side::Upload}) {
        const LogState& log = a.state.log(side);
        EXPECT_FALSE(log.loaded || log.nameslisted || log.fileslisted);
        EXPECT_EQ(log.records.count(), 0);
        EXPECT_TRUE(log.files.empty());
        for (const Pick pick : {Pick::Names, Pick::Files})
            EXPECT_EQ(window.list(pickDialog(side, pick)), std::vector<std::string>{});
    }
    EXPECT_EQ(window.output, report);
    EXPECT_EQ(window.lastStatus(), "Server folder: " + other.folder());
}

// Rows: spellings of the current folder. None is another server: what is loaded stays.
class SameFolder : public LoadPath, public ::testing::WithParamInterface<std::string> {};

TEST_P(SameFolder, KeepsTheLoadedLogsAndTheAccounts)
{
    server.writeDownloadLog(logOf({{"guest", "ann", "a.txt"}}));
    mnuLoaddownloadlog_Click(a);
    show(a, showPickList(a, Side::Download, Pick::Names), {});
    platform.folderAnswers.push_back(server.folder() + GetParam());
    loadpath(a);
    EXPECT_TRUE(a.state.download.loaded);
    EXPECT_TRUE(a.state.download.nameslisted);
    EXPECT_EQ(window.list(Dialog::DownNames), std::vector<std::string>{"ann"});
    EXPECT_EQ(window.list(Dialog::Accounts), guestOnly);
    EXPECT_EQ(window.lastStatus(), "Server folder: " + server.folder() + GetParam());
}

INSTANTIATE_TEST_SUITE_P(Spellings, SameFolder, ::testing::Values("", "/", "/.", "/../server", "//"));

// folderNamedBy: what a path on the command line or in a drop stands for.
TEST(FolderNamedBy, AFileStandsForItsFolderAndPathsBecomeAbsoluteAndNormal)
{
    TempServer server;
    server.writeDownloadLog("x");
    const std::string folder = server.folder();
    EXPECT_EQ(folderNamedBy(folder), folder);
    EXPECT_EQ(folderNamedBy(folder + "/"), folder);
    EXPECT_EQ(folderNamedBy(folder + "/Download Log.txt"), folder);
    EXPECT_EQ(folderNamedBy(folder + "/users/../."), folder);
    EXPECT_EQ(folderNamedBy("/"), std::optional<std::string>("/"));
    const fs::path before = fs::current_path();
    fs::current_path(server.root());
    EXPECT_EQ(folderNamedBy("server"), folder);
    EXPECT_EQ(folderNamedBy("server/Download Log.txt"), folder);
    fs::current_path(before);
    EXPECT_EQ(folderNamedBy(folder + "/missing"), std::nullopt);
    EXPECT_EQ(folderNamedBy(""), std::nullopt);
}

// Form_Load: the state a fresh main window starts from.
class FormLoad : public EngineTest {
protected:
    void dirtyTheState()
    {
        a.state.download.loaded = true;
        a.state.upload.nameslisted = true;
        a.state.savefilename = "old results.txt";
        a.state.accounts.push_back({"stale", 3, 4});
    }
};

// The status line names the folder, as it does for a chosen or a default one.
TEST_F(FormLoad, RestoresTheRememberedFolderNamesItAndListsItsAccounts)
{
    server.addAccount("guest");
    server.addAccount("Admin");
    ASSERT_TRUE(a.folderFile.write(server.folder()));
    dirtyTheState();
    Form_Load(a);
    EXPECT_EQ(a.state.serverfolder, server.folder());
    EXPECT_TRUE(a.state.folderset);
    EXPECT_TRUE(a.state.accountsloaded);
    EXPECT_EQ(window.list(Dialog::Accounts), (std::vector<std::string>{"Admin", "guest"}));
    EXPECT_EQ(a.state.accounts.size(), 2u);
    EXPECT_FALSE(a.state.download.loaded);
    EXPECT_FALSE(a.state.upload.nameslisted);
    EXPECT_EQ(a.state.savefilename, "");
    EXPECT_EQ(platform.browseTitles, std::vector<std::string>{});
    EXPECT_EQ(window.statuses, std::vector<std::string>{"Server folder: " + server.folder()});
}

struct StartCase {
    const char* what;
    std::optional<std::string> folderFile;
};

void PrintTo(const StartCase& c, std::ostream* os) { *os << c.what; }

class FormLoadWithoutFolder : public FormLoad, public ::testing::WithParamInterface<StartCase> {};

TEST_P(FormLoadWithoutFolder, StartsWithNoFolderAndAsksNothing)
{
    if (GetParam().folderFile)
        writeRaw(server.programFolder() / "log.dat", *GetParam().folderFile);
    dirtyTheState();
    Form_Load(a);
    EXPECT_EQ(a.state.serverfolder, "") << GetParam().what;
    EXPECT_FALSE(a.state.folderset);
    EXPECT_FALSE(a.state.accountsloaded);
    EXPECT_EQ(a.state.accounts.size(), 0u);
    EXPECT_FALSE(a.state.download.loaded);
    EXPECT_EQ(platform.browseTitles, std::vector<std::string>{});
    EXPECT_EQ(window.statuses, std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(FolderFiles, FormLoadWithoutFolder,
                         ::testing::Values(StartCase{"no folder file", std::nullopt},
                                           StartCase{"an empty folder file", std::string()},
                                           StartCase{"a NUL first byte", std::string("\0/srv", 5)}));

} // namespace
} // namespace quorvel::test
