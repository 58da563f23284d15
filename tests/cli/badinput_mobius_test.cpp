// SPDX-License-Identifier: MIT
// Bad modern server folders: what stands in for the log, what the log may hold, and the account
// files of Users.
#include "badinput.h"
#include "slogtext.h"

#include <fcntl.h>
#include <fstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvel::test {
namespace {

namespace fs = std::filesystem;

const std::string noLog = "Cannot find a Mobius log in '<root>/server'\nMust load log first...\n";

fs::path inServer(const TempServer& s, std::string_view leaf)
{
    return fs::path(s.folder()) / leaf;
}

// A row on a modern server (its Users folder and the accounts "guest" and "kit" made first):
// the download report by number, in the engine and in the tool.
BadInput mobiusRow(std::string what, std::function<void(const TempServer&)> arrange, std::string messages,
                   std::string out)
{
    BadInput row;
    row.what = std::move(what);
    row.arrange = [arrange = std::move(arrange)](const TempServer& s) {
        makeMobiusServer(s, {"guest", "kit"});
        arrange(s);
    };
    row.command = "mnudownloadnumber";
    row.verb = {"downloads-by-number"};
    row.code = messages.empty() ? 0 : 1;
    row.messages = std::move(messages);
    row.out = std::move(out);
    row.mobius = true;
    return row;
}

// The log's damaged lines: counted in the load's "Done..." and on the tool's error stream.
BadInput damagedRow(std::string what, std::function<void(const TempServer&)> arrange, int damaged, std::string out)
{
    BadInput row = mobiusRow(std::move(what), std::move(arrange), "", std::move(out));
    const std::string lines = std::to_string(damaged) + (damaged == 1 ? " damaged line" : " damaged lines");
    row.status = "(Download Log) Done... (" + lines + " left out)";
    row.err = "quorvel-report: " + lines + " left out\n";
    return row;
}

std::function<void(const TempServer&)> mobiusLog(std::string text)
{
    return [text = std::move(text)](const TempServer& s) { s.write("mobius.log", text); };
}

const std::string glider = slogDownload("guest", "kit", "Glider.sit");

BadInput shrinkingLog()
{
    BadInput row = mobiusRow("LogThatShrinksWhileReadIsNotLoaded", mobiusLog(glider + glider),
                             "'mobius.log' changed while it was read\nMust load log first...\n", "");
    row.err = "quorvel-report: " + row.messages;
    row.whileLoading = [](const TempServer& s) { fs::resize_file(inServer(s, "mobius.log"), 40); };
    return row;
}

BadInput unreadableLog()
{
    BadInput row = mobiusRow(
        "UnreadableLogIsNamedAndNotLoaded",
        [](const TempServer& s) {
            s.write("mobius.log", glider);
            fs::permissions(inServer(s, "mobius.log"), fs::perms::none);
        },
        "Cannot read 'mobius.log'\nMust load log first...\n", "");
    row.err = "Cannot read 'mobius.log' in '<root>/server'\nMust load log first...\n";
    row.needsPermissionBits = true;
    return row;
}

std::vector<BadInput> logRows()
{
    return {
        mobiusRow("LogThatIsNoModernLogIsNoLog",
                  mobiusLog("Date/time\tAddress\tAccount\tName\tFile Name\r1/2/2003 4:05\t10.0.0.1\tguest\tkit\ta.sit"),
                  noLog, ""),
        mobiusRow(
            "FolderWithoutAnyLogHasNoLog", [](const TempServer&) {}, noLog, ""),
        mobiusRow("LogOfOnlyOtherLinesGivesAnEmptyAnswer",
                  mobiusLog(slogChat() + slogLine("2026-03-14T21:07:52Z", "INFO", "\"Download file\"", "ip=10.0.0.1") +
                            slogLine("2026-03-14T21:07:52Z", "ERROR", "\"Download file\"",
                                     "remoteAddr=1.2.3.4:5 login=a Name=b filePath=/x/y")),
                  "", byNumber("")),
        mobiusRow(
            "SecondLiveLogIsRefused",
            [](const TempServer& s) {
                s.write("mobius.log", glider);
                s.write("compose.log", glider);
            },
            "More than one Mobius log in '<root>/server': 'compose.log', 'mobius.log'\nMust load log first...\n", ""),
        damagedRow("TruncatedLastLineIsDamaged", mobiusLog(glider + glider.substr(0, glider.size() - 6)), 1,
                   byNumber("1\tGlider.sit\r\n")),
        damagedRow("UnreadableValuesAreDamaged",
                   mobiusLog(slogDownload("guest", "\"ki\\qt\"", "a.sit") +
                             slogDownload("guest", "\"\\ud800\"", "b.sit") + slogDownload("guest", "\"kit", "c.sit") +
                             glider),
                   3, byNumber("1\tGlider.sit\r\n")),
        mobiusRow("DamagedUploadLinesAreNotCountedForDownloads",
                  mobiusLog(glider + slogUpload("kit", "\"x", "up.sit") + "\xFF\xFE\x00garbage\n"), "",
                  byNumber("1\tGlider.sit\r\n")),
        shrinkingLog(),
        unreadableLog(),
    };
}

// The Users folder with one good account file and others that cannot be read: the accounts
// list the good ones; the files left out are named, the first in name order.
BadInput accountFilesRow(std::string what, std::function<void(const TempServer&)> arrange, std::string leftOut,
                         std::string out)
{
    BadInput row = mobiusRow(std::move(what), std::move(arrange), "", std::move(out));
    row.command = "mnuLoadUserAccounts";
    row.verb = {"accounts"};
    if (!leftOut.empty()) {
        row.status = leftOut;
        row.err = "quorvel-report: " + leftOut + "\n";
    }
    return row;
}

BadInput unreadableAccountFile()
{
    BadInput row = accountFilesRow(
        "UnreadableAccountFileIsLeftOut",
        [](const TempServer& s) { fs::permissions(inServer(s, "Users/kit.yaml"), fs::perms::none); },
        "Left out 1 account file that could not be read: 'Users/kit.yaml'", "guest\r\n");
    row.needsPermissionBits = true;
    return row;
}

BadInput unreadableUsersFolder()
{
    BadInput row = mobiusRow(
        "UnreadableUsersFolderIsNamed",
        [](const TempServer& s) { fs::permissions(inServer(s, "Users"), fs::perms::none); }, "Cannot read 'Users'\n",
        "");
    row.command = "mnuLoadUserAccounts";
    row.verb = {"accounts"};
    row.needsPermissionBits = true;
    return row;
}

std::vector<BadInput> accountRows()
{
    return {
        accountFilesRow(
            "FoldersLinksAndInvalidYamlAreLeftOutAndNamed",
            [](const TempServer& s) {
                fs::create_directory(inServer(s, "Users/a-folder.yaml"));
                fs::create_symlink("guest.yaml", inServer(s, "Users/link.yaml"));
                fs::create_symlink("gone.yaml", inServer(s, "Users/dangling.yaml"));
                s.write("Users/invalid.yaml", "Login: kit\nName: [unclosed\n");
                s.write("Users/no-login.yaml", "Name: nobody\n");
                s.write("Users/ann.yaml", "Login: !!binary QW5u\n");
            },
            "Left out 4 account files that could not be read: 'Users/a-folder.yaml' and 3 more",
            "Ann\r\nguest\r\nkit\r\n"),
        accountFilesRow(
            "BillionLaughsIsReadWithoutExpandingIt",
            [](const TempServer& s) {
                s.write("Users/laughs.yaml", billionLaughs("laugh"));
                s.write("Users/alias.yaml", "a: &a [x, x]\nb: &b [*a, *a]\nLogin: *b\n");
            },
            "Left out 1 account file that could not be read: 'Users/alias.yaml'", "guest\r\nkit\r\nlaugh\r\n"),
        accountFilesRow(
            "AccountFileOverOneMegabyteIsLeftOutUnread",
            [](const TempServer& s) { s.write("Users/big.yaml", "Login: big\n" + std::string(1u << 20, '#')); },
            "Left out 1 account file that could not be read: 'Users/big.yaml'", "guest\r\nkit\r\n"),
        accountFilesRow(
            "NamedPipeIsLeftOutWithoutWaiting",
            [](const TempServer& s) { ::mkfifo(inServer(s, "Users/pipe.yaml").c_str(), 0644); },
            "Left out 1 account file that could not be read: 'Users/pipe.yaml'", "guest\r\nkit\r\n"),
        unreadableAccountFile(),
        unreadableUsersFolder(),
    };
}

// A log of one long line (a hole of `hole` bytes in a sparse file, read as zero bytes) between a
// head and a tail: read in pieces within an address space of 150 MB, the line is never held
// whole.
std::function<void(const TempServer&)> longLine(std::string head, off_t hole, std::string tail)
{
    return [head = std::move(head), hole, tail = std::move(tail)](const TempServer& s) {
        makeMobiusServer(s, {"guest"});
        const int fd = ::open(inServer(s, "mobius.log").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const bool written = fd >= 0 && ::write(fd, head.data(), head.size()) == static_cast<ssize_t>(head.size()) &&
                             ::pwrite(fd, tail.data(), tail.size(), static_cast<off_t>(head.size()) + hole) ==
                                 static_cast<ssize_t>(tail.size());
        if (fd >= 0)
            ::close(fd);
        if (!written)
            throw std::runtime_error("cannot write the sparse log");
    };
}

BadInput hugeLineRow(std::string what, std::string head, off_t hole, std::string tail, std::string err)
{
    BadInput row;
    row.what = std::move(what);
    row.arrange = longLine(std::move(head), hole, std::move(tail));
    row.verb = {"downloads-by-number"};
    row.addressSpaceKiB = 150'000;
    row.out = byNumber("");
    row.err = std::move(err);
    return row;
}

std::vector<BadInput> hugeLineRows()
{
    return {
        hugeLineRow("TwoGigabyteChatLineIsSkippedInPieces",
                    "time=2026-03-14T21:07:52Z level=INFO msg=Chat text=", off_t{1} << 31, "\n", ""),
        hugeLineRow("QuarterGigabyteNameIsADamagedRecord",
                    "time=2026-03-14T21:07:52Z level=INFO msg=\"Download file\" remoteAddr=1.2.3.4:5 login=a Name=",
                    off_t{1} << 28, " filePath=/x/f\n", "quorvel-report: 1 damaged line left out\n"),
    };
}

INSTANTIATE_TEST_SUITE_P(MobiusLog, BadInputSuite, ::testing::ValuesIn(logRows()), rowName);
INSTANTIATE_TEST_SUITE_P(MobiusAccounts, BadInputSuite, ::testing::ValuesIn(accountRows()), rowName);
INSTANTIATE_TEST_SUITE_P(MobiusHugeLine, BadInputSuite, ::testing::ValuesIn(hugeLineRows()), rowName);

} // namespace
} // namespace quorvel::test
