// SPDX-License-Identifier: MIT
// Saving where the file cannot be written. quorvel-report never saves: only a full disk
// behind its standard output has a counterpart there.
#include "badinput.h"
#include "logtext.h"

namespace quorvel::test {
namespace {

namespace fs = std::filesystem;

BadInput saveRow(std::string what, std::function<void(const TempServer&)> arrange, std::string saveTo,
                 const std::string& reason)
{
    BadInput row;
    row.what = std::move(what);
    row.arrange = std::move(arrange);
    row.command = "mnusaveas";
    row.messages = "Save Log Information: Cannot save '" + saveTo + "': " + reason + "\n";
    row.saveTo = std::move(saveTo);
    return row;
}

// An earlier save that a failed one must leave as it was.
void earlierSave(const TempServer& s)
{
    s.write("log results.txt", "earlier save\r\n");
}

BadInput readOnlyFile()
{
    BadInput row = saveRow(
        "SaveToReadOnlyFileIsRefusedAndKeepsIt",
        [](const TempServer& s) {
            earlierSave(s);
            fs::permissions(fs::path(s.folder()) / "log results.txt", fs::perms::owner_read | fs::perms::group_read);
        },
        "<root>/server/log results.txt", "Permission denied");
    row.needsPermissionBits = true;
    return row;
}

BadInput readOnlyFolder()
{
    BadInput row = saveRow(
        "SaveIntoReadOnlyFolderIsRefusedAndKeepsTheFile",
        [](const TempServer& s) {
            earlierSave(s);
            fs::permissions(s.folder(), fs::perms::owner_read | fs::perms::owner_exec);
        },
        "<root>/server/log results.txt", "the folder '<root>/server' does not allow new files (Permission denied)");
    row.needsPermissionBits = true;
    return row;
}

// The report itself succeeds; writing it to a full disk fails in the window and in the tool.
BadInput fullDisk()
{
    BadInput row = saveRow(
        "SaveToAFullDiskIsReported",
        [](const TempServer& s) {
            s.writeDownloadLog(logOf({{"bob", "Bob", "a.txt"}}));
        },
        "/dev/full", "No space left on device");
    row.verb = {"downloads-by-number"};
    row.code = 1;
    row.err = "quorvel-report: cannot write the output: No space left on device\n";
    row.alsoBinary = true;
    return row;
}

INSTANTIATE_TEST_SUITE_P(Saving, BadInputSuite,
                         ::testing::Values(readOnlyFile(), readOnlyFolder(),
                                           saveRow("SaveIntoAMissingFolderIsRefused", earlierSave,
                                                   "<root>/missing/log results.txt", "No such file or directory"),
                                           fullDisk(),
                                           saveRow("SaveToAPathThatIsAFolderIsRefused", earlierSave, "<root>/server",
                                                   "Is a directory")),
                         rowName);

} // namespace
} // namespace quorvel::test
