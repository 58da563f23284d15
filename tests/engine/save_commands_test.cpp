// SPDX-License-Identifier: MIT
#include "enginefixture.h"

#include "commands/saving.h"
#include "permissionbits.h"

namespace quorvel::test {
namespace {

namespace fs = std::filesystem;

class SaveCommands : public EngineTest {
protected:
    fs::path path(std::string_view leaf) const { return server.root() / leaf; }
    void saveAs(const fs::path& file)
    {
        platform.saveAnswers.push_back(file.string());
        mnusaveas_Click(a);
    }
};

TEST_F(SaveCommands, SaveAtStartAsksForLogResultsInTheServerFolder)
{
    mnusave_Click(a);
    ASSERT_EQ(platform.saveRequests.size(), 1u);
    const SaveDialogRequest& request = platform.saveRequests[0];
    EXPECT_EQ(request.title, "Save Log Information");
    EXPECT_EQ(request.proposedName, "log results.txt");
    EXPECT_EQ(request.initialFolder, server.folder());
    ASSERT_EQ(request.filters.size(), 2u);
    EXPECT_EQ(request.filters[0].description + "|" + request.filters[0].pattern, "Text Files|*.txt");
    EXPECT_EQ(request.filters[1].description + "|" + request.filters[1].pattern, "All Files|*.*");
    EXPECT_EQ(request.defaultSuffix, "txt");
    EXPECT_EQ(a.state.savefilename, "");
    EXPECT_TRUE(platform.errors.empty());
}

TEST_F(SaveCommands, WithoutServerFolderTheDialogOpensInItsOwnDefaultFolder)
{
    Analyzer fresh(window, platform, FolderFile(server.programFolder(), server.configFolder()));
    mnusave_Click(fresh);
    ASSERT_EQ(platform.saveRequests.size(), 1u);
    EXPECT_EQ(platform.saveRequests[0].initialFolder, "");
}

TEST_F(SaveCommands, SaveAfterSaveAsReplacesThatFileWithoutDialog)
{
    window.output = std::string(5000, 'x');
    saveAs(path("out.txt"));
    EXPECT_EQ(a.state.savefilename, path("out.txt").string());
    window.output = "second";
    mnusave_Click(a);
    EXPECT_EQ(platform.saveRequests.size(), 1u);
    EXPECT_EQ(readFile(path("out.txt")), "second\r\n"); // replaced, never appended
    EXPECT_TRUE(window.statuses.empty());
    EXPECT_EQ(window.outputWrites, 0);
}

TEST_F(SaveCommands, CancelledOrEmptyAnswerKeepsTheEarlierName)
{
    saveAs(path("earlier.txt"));
    platform.saveAnswers = {std::nullopt, std::string()};
    mnusaveas_Click(a);
    mnusaveas_Click(a);
    EXPECT_EQ(a.state.savefilename, path("earlier.txt").string());
    window.output = "again";
    mnusave_Click(a);
    EXPECT_EQ(readFile(path("earlier.txt")), "again\r\n");
    EXPECT_EQ(platform.saveRequests.size(), 3u);
    EXPECT_TRUE(platform.errors.empty());
}

struct BytesCase {
    const char* what;
    std::string box;
    std::string file;
};

class SavedBytes : public SaveCommands, public ::testing::WithParamInterface<BytesCase> {};

TEST_P(SavedBytes, AreTheBoxBytesFollowedByCrLf)
{
    window.output = GetParam().box;
    saveAs(path("out.txt"));
    EXPECT_EQ(readFile(path("out.txt")), GetParam().file);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, SavedBytes,
    ::testing::Values(BytesCase{"EmptyBoxGivesTwoBytes", "", "\r\n"},
                      BytesCase{"BoxEndingInCrLfGetsOneMore", "a\r\nb\r\n", "a\r\nb\r\n\r\n"},
                      BytesCase{"Latin1BytesUnchanged", "caf\xe9\t\xff\r\n", "caf\xe9\t\xff\r\n\r\n"},
                      BytesCase{"Utf8BytesUnchanged", "caf\xc3\xa9 \xe2\x82\xac", "caf\xc3\xa9 \xe2\x82\xac\r\n"},
                      BytesCase{"LoneLfAndNulUnchanged", std::string("a\nb\0c", 5), std::string("a\nb\0c\r\n", 7)}),
    [](const auto& row) { return std::string(row.param.what); });

// A target that cannot be written, built inside the test's temporary folder.
struct FailureCase {
    const char* what;
    fs::path (*make)(const fs::path& root);
    const char* reason;
};

class UnwritableTarget : public SaveCommands, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(UnwritableTarget, ShowsTheReasonAndKeepsTheEarlierFileAndName)
{
    window.output = "good";
    saveAs(path("good.txt"));
    const fs::path bad = GetParam().make(server.root());
    window.output = "new";
    saveAs(bad);
    ASSERT_EQ(platform.errors.size(), 1u);
    EXPECT_EQ(platform.errors[0].title, "Save Log Information");
    EXPECT_EQ(platform.errors[0].text, "Cannot save '" + bad.string() + "': " + GetParam().reason);
    EXPECT_EQ(a.state.savefilename, path("good.txt").string());
    EXPECT_EQ(readFile(path("good.txt")), "good\r\n");
    EXPECT_TRUE(window.statuses.empty());
}

fs::path folderTarget(const fs::path& root)
{
    fs::create_directory(root / "results");
    return root / "results";
}

fs::path parentIsAFile(const fs::path& root)
{
    fs::copy_file(root / "good.txt", root / "plain.txt");
    return root / "plain.txt" / "out.txt";
}

fs::path linkLoop(const fs::path& root)
{
    fs::create_symlink("b.txt", root / "a.txt");
    fs::create_symlink("a.txt", root / "b.txt");
    return root / "a.txt";
}

INSTANTIATE_TEST_SUITE_P(
    Targets, UnwritableTarget,
    ::testing::Values(FailureCase{"FolderPath", folderTarget, "Is a directory"},
                      FailureCase{"MissingFolder", [](const fs::path& root) { return root / "nowhere" / "out.txt"; },
                                  "No such file or directory"},
                      FailureCase{"ParentIsAFile", parentIsAFile, "Not a directory"},
                      FailureCase{"DeviceWithoutSpace", [](const fs::path&) { return fs::path("/dev/full"); },
                                  "No space left on device"},
                      FailureCase{"SymbolicLinkLoop", linkLoop, "Too many levels of symbolic links"}),
    [](const auto& row) { return std::string(row.param.what); });

TEST_F(SaveCommands, SaveToARememberedFileWhoseFolderWentAwayShowsTheReason)
{
    fs::create_directory(path("gone"));
    saveAs(path("gone") / "out.txt");
    fs::remove_all(path("gone"));
    mnusave_Click(a);
    ASSERT_EQ(platform.errors.size(), 1u);
    EXPECT_EQ(platform.errors[0].text,
              "Cannot save '" + (path("gone") / "out.txt").string() + "': No such file or directory");
    EXPECT_EQ(a.state.savefilename, (path("gone") / "out.txt").string());
}

// Root writes files whatever their mode bits say: these cases hold it to them.
TEST_F(SaveCommands, ReadOnlyFileIsNotReplaced)
{
    const PermissionBitsApply permissions;
    if (!PermissionBitsApply::enforced(server.root()))
        GTEST_SKIP() << "permission bits are not enforced for this process";
    server.write("locked.txt", "earlier");
    fs::permissions(server.folder() + "/locked.txt", fs::perms::owner_read);
    saveAs(server.folder() + "/locked.txt");
    ASSERT_EQ(platform.errors.size(), 1u);
    EXPECT_EQ(platform.errors[0].text, "Cannot save '" + server.folder() + "/locked.txt': Permission denied");
    EXPECT_EQ(readFile(server.folder() + "/locked.txt"), "earlier");
}

TEST_F(SaveCommands, WritableFileInAReadOnlyFolderIsNotOverwrittenInPlace)
{
    const PermissionBitsApply permissions;
    if (!PermissionBitsApply::enforced(server.root()))
        GTEST_SKIP() << "permission bits are not enforced for this process";
    server.write("out.txt", "earlier");
    fs::permissions(server.folder(), fs::perms::owner_read | fs::perms::owner_exec);
    saveAs(server.folder() + "/out.txt");
    fs::permissions(server.folder(), fs::perms::owner_all);
    ASSERT_EQ(platform.errors.size(), 1u);
    EXPECT_EQ(platform.errors[0].text, "Cannot save '" + server.folder() + "/out.txt': the folder '" + server.folder() +
                                           "' does not allow new files (Permission denied)");
    EXPECT_EQ(readFile(server.folder() + "/out.txt"), "earlier");
}

} // namespace
} // namespace quorvel::test
