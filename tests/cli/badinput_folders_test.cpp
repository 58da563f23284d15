// SPDX-License-Identifier: MIT
// Bad "users" folders, odd account names, and bad folder files.
#include "badinput.h"
#include "logtext.h"

#include <fstream>

namespace quorvel::test {
namespace {

namespace fs = std::filesystem;
using namespace std::literals;

fs::path users(const TempServer& server)
{
    return fs::path(server.folder()) / "users";
}

BadInput accountsRow(std::string what, std::function<void(const TempServer&)> arrange, std::string messages,
                     std::string out)
{
    BadInput row;
    row.what = std::move(what);
    row.arrange = std::move(arrange);
    row.command = "mnuLoadUserAccounts";
    row.verb = {"accounts"};
    row.code = messages.empty() ? 0 : 1;
    row.messages = std::move(messages);
    row.out = std::move(out);
    return row;
}

BadInput unreadableUsers()
{
    BadInput row = accountsRow(
        "UnreadableUsersFolderIsNamedNotTakenForNoAccounts",
        [](const TempServer& s) {
            s.addAccount("ann");
            fs::permissions(users(s), fs::perms::none);
        },
        "Cannot read 'users'\n", "");
    row.needsPermissionBits = true;
    return row;
}

// A link to itself (never a folder) and a link back up the tree (a folder, listed once).
void addLinkLoops(const TempServer& s)
{
    s.addAccount("ann");
    fs::create_symlink("loop", users(s) / "loop");
    fs::create_directory_symlink("..", users(s) / "up");
}

const std::string longName(255, 'n');

void addOddAccounts(const TempServer& s)
{
    for (const std::string& name : {"a b"s, "c\td"s, "\xe9t\xe9"s, longName})
        s.addAccount(name);
}

// The report of an account the log names with a space and one it names in Latin-1.
BadInput oddAccountReport()
{
    BadInput row = accountsRow(
        "OddAccountNamesCountInTheAccountReport",
        [](const TempServer& s) {
            addOddAccounts(s);
            s.writeDownloadLog(logOf({{"\xe9t\xe9", "E", "x"}, {"a b", "A", "y"}, {"\xe9t\xe9", "E", "z"}}));
        },
        "", "Downloads By Account...\r\n\r\n2\t\xe9t\xe9\r\n1\ta b\r\n0\t" + longName + "\r\n0\tc\td\r\n");
    row.command = "mnusortbyaccount";
    row.verb = {"downloads-by-account"};
    return row;
}

void writeFolderFile(const TempServer& s, std::string_view bytes)
{
    std::ofstream out(s.programFolder() / "log.dat", std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The folder file holds bytes; the server folder it does not name holds a good log. The window
// finds no log there; the tool refuses the folder at once with err.
BadInput folderFileRow(std::string what, std::function<std::string(const TempServer&)> bytes, std::string err)
{
    BadInput row;
    row.what = std::move(what);
    row.arrange = [bytes = std::move(bytes)](const TempServer& s) {
        s.writeDownloadLog(logOf({{"bob", "Bob", "a.txt"}}));
        writeFolderFile(s, bytes(s));
    };
    row.command = "mnudownloadnumber";
    row.verb = {"downloads-by-number"};
    row.messages = "Cannot find 'Download Log.txt'\nMust load log first...\n";
    row.err = std::move(err);
    row.code = 1;
    row.viaFolderFile = true;
    return row;
}

std::vector<BadInput> usersFolderRows()
{
    return {
        accountsRow(
            "UsersFolderThatIsAFileHasNoAccounts", [](const TempServer& s) { s.write("users", "ann"); }, "", ""),
        accountsRow(
            "MissingUsersFolderHasNoAccounts", [](const TempServer&) {}, "", ""),
        unreadableUsers(),
        accountsRow("SymbolicLinkLoopsInUsersAreNotFollowedEndlessly", addLinkLoops, "", "ann\r\nup\r\n"),
        accountsRow(
            "UsersFolderThatIsALinkToItselfIsUnreadable",
            [](const TempServer& s) { fs::create_directory_symlink("users", users(s)); }, "Cannot read 'users'\n", ""),
        accountsRow("OddAccountNamesAreListedByteForByte", addOddAccounts, "",
                    "a b\r\nc\td\r\n" + longName + "\r\n\xe9t\xe9\r\n"),
        oddAccountReport(),
    };
}

// The folder file as an editor leaves it: the path and a line end, which is not part of it.
BadInput folderFileEndedByAnEditor(std::string what, std::string lineEnd)
{
    BadInput row;
    row.what = std::move(what);
    row.arrange = [lineEnd = std::move(lineEnd)](const TempServer& s) {
        s.writeDownloadLog(logOf({{"bob", "Bob", "a.txt"}}));
        writeFolderFile(s, s.folder() + lineEnd);
    };
    row.command = "mnudownloadnumber";
    row.verb = {"downloads-by-number"};
    row.out = byNumber("1\ta.txt\r\n");
    row.viaFolderFile = true;
    return row;
}

// A folder whose name really ends in a line end is the one the folder file names.
BadInput folderFileNamingAFolderThatEndsInALineEnd()
{
    BadInput row;
    row.what = "FolderFileNamingAFolderThatEndsInALineEndKeepsIt";
    row.arrange = [](const TempServer& s) {
        s.writeDownloadLog(logOf({{"bob", "Bob", "a.txt"}}));
        fs::create_directory(s.folder() + "\n");
        writeFolderFile(s, s.folder() + "\n");
    };
    row.command = "mnudownloadnumber";
    row.verb = {"downloads-by-number"};
    row.messages = "Cannot find 'Download Log.txt'\nMust load log first...\n";
    row.err = "Cannot find 'Download Log.txt' in '<root>/server\n'\nMust load log first...\n";
    row.code = 1;
    row.viaFolderFile = true;
    return row;
}

std::vector<BadInput> folderFileRows()
{
    using Bytes = std::function<std::string(const TempServer&)>;
    const Bytes garbage = [](const TempServer&) { return "\x89\x01\xff\r\ngarbage"s; };
    const Bytes nulFirst = [](const TempServer& s) { return "\0"s + s.folder(); };
    const Bytes megabyte = [](const TempServer&) { return std::string(1u << 20, 'x'); };
    const Bytes gone = [](const TempServer& s) { return (s.root() / "gone").string(); };
    const auto noFolderAt = [](const std::string& folder, const char* reason) {
        return "quorvel-report: no server folder at '" + folder + "': " + reason + "\n";
    };
    return {
        folderFileRow("FolderFileOfGarbageNamesNoServer", garbage,
                      noFolderAt("\x89\x01\xff\r\ngarbage", "No such file or directory")),
        folderFileRow("FolderFileWithNulFirstNamesNoServer", nulFirst,
                      "quorvel-report: no server folder: give --server DIR\n"),
        folderFileRow("FolderFileOfOneMegabyteWithoutNulIsNoServer", megabyte,
                      noFolderAt(std::string(1u << 20, 'x'), "File name too long")),
        folderFileRow("FolderFileNamingAFolderThatIsGoneFindsNoLog", gone,
                      noFolderAt("<root>/gone", "No such file or directory")),
        folderFileEndedByAnEditor("FolderFileEndedByLineFeedNamesTheFolderWithoutIt", "\n"),
        folderFileEndedByAnEditor("FolderFileEndedByCrLfNamesTheFolderWithoutIt", "\r\n"),
        folderFileNamingAFolderThatEndsInALineEnd(),
    };
}

INSTANTIATE_TEST_SUITE_P(Folders, BadInputSuite, ::testing::ValuesIn(usersFolderRows()), rowName);
INSTANTIATE_TEST_SUITE_P(FolderFile, BadInputSuite, ::testing::ValuesIn(folderFileRows()), rowName);

} // namespace
} // namespace quorvel::test
