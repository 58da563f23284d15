// SPDX-License-Identifier: MIT
// Bad download logs: what is there instead of a log, and what a log may hold.
#include "badinput.h"
#include "logtext.h"

#include <fstream>
#include <sys/stat.h>

namespace quorvel::test {
namespace {

namespace fs = std::filesystem;
using namespace std::literals;

const std::string notFound = "Cannot find 'Download Log.txt'\nMust load log first...\n";
const std::string unreadable = "Cannot read 'Download Log.txt'\nMust load log first...\n";

BadInput alsoBinary(BadInput row)
{
    row.alsoBinary = true;
    return row;
}

BadInput byNumberRow(std::string what, std::function<void(const TempServer&)> arrange, std::string messages,
                     std::string out)
{
    BadInput row;
    row.what = std::move(what);
    row.arrange = std::move(arrange);
    row.command = "mnudownloadnumber";
    row.verb = {"downloads-by-number"};
    row.code = messages.empty() ? 0 : 1;
    // The tool's words for a log it could not use also name the folder it looked in.
    if (messages.starts_with("Cannot "))
        row.err = messages.substr(0, messages.find('\n')) + " in '<root>/server'" + messages.substr(messages.find('\n'));
    row.messages = std::move(messages);
    row.out = std::move(out);
    return row;
}

fs::path downloadLog(const TempServer& server)
{
    return fs::path(server.folder()) / "Download Log.txt";
}

std::string bytesFrom(int first, int last)
{
    std::string bytes;
    for (int b = first; b <= last; ++b)
        bytes += static_cast<char>(b);
    return bytes;
}

// Every byte value, twice, around one line that has all its columns and a file name made of
// the bytes above 0x7F: the first run cuts into three lines at LF (10) and CR (13).
std::string garbage()
{
    return bytesFrom(0, 255) + "\r\t\t\t\t" + bytesFrom(128, 255) + "\n" + bytesFrom(0, 255);
}

// Five million lines of six bytes, three fifths of them for file "a": built in memory and
// written at once.
std::string fiveMillionLines()
{
    std::string text;
    text.reserve(30'000'000);
    for (int i = 0; i < 5'000'000; ++i)
        text += i % 5 < 3 ? "\t\t\t\ta\n" : "\t\t\t\tb\n";
    return text;
}

void append(const fs::path& file, std::string_view bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::app);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

BadInput growingLog()
{
    BadInput row = byNumberRow(
        "LogThatGrowsWhileReadGivesWhatItHeldWhenOpened",
        [](const TempServer& s) {
            s.writeDownloadLog(serverLogOf({{"bob", "Bob", "old.txt"}}));
        },
        "", byNumber("1\told.txt\r\n"));
    row.whileLoading = [](const TempServer& s) {
        append(downloadLog(s), "\r" + transferLine({"ann", "Ann", "new.txt"}));
    };
    return row;
}

// A log cut short while it is read: what was read belongs to a log that is no more.
BadInput shrinkingLog()
{
    BadInput row = byNumberRow(
        "LogThatShrinksWhileReadIsNotLoaded",
        [](const TempServer& s) {
            s.writeDownloadLog(serverLogOf({{"bob", "Bob", "old.txt"}, {"ann", "Ann", "new.txt"}}));
        },
        "'Download Log.txt' changed while it was read\nMust load log first...\n", "");
    row.err = "quorvel-report: " + row.messages;
    row.whileLoading = [](const TempServer& s) { fs::resize_file(downloadLog(s), 60); };
    return row;
}

BadInput unreadableLog()
{
    BadInput row = byNumberRow(
        "UnreadableLogIsNamedAndNotLoaded",
        [](const TempServer& s) {
            s.writeDownloadLog(logOf({{"bob", "Bob", "a.txt"}}));
            fs::permissions(downloadLog(s), fs::perms::none);
        },
        unreadable, "");
    row.needsPermissionBits = true;
    return row;
}

BadInput nulInUserName()
{
    BadInput row = byNumberRow(
        "NulBytesInAUserNameComeOutUnchanged",
        [](const TempServer& s) {
            s.writeDownloadLog(logOf({{"b\0b"sv, "B\0b"sv, "x"}, {"b\0b"sv, "B\0b"sv, "y"}, {"ann", "Ann", "z"}}));
        },
        "", "The number one downloader is...\r\n\r\nB\0b with 2 downloads"s);
    row.command = "mnunumberdown";
    row.verb = {"top-downloader"};
    return row;
}

INSTANTIATE_TEST_SUITE_P(
    LogContent, BadInputSuite,
    ::testing::Values(
        alsoBinary(byNumberRow(
            "MissingLogIsNamedAndNotLoaded", [](const TempServer&) {}, notFound, "")),
        byNumberRow(
            "LogThatIsAFolderIsUnreadable", [](const TempServer& s) { fs::create_directory(downloadLog(s)); },
            unreadable, ""),
        unreadableLog(),
        alsoBinary(byNumberRow(
            "LogThatIsANamedPipeIsUnreadableAndDoesNotHang",
            [](const TempServer& s) { ::mkfifo(downloadLog(s).c_str(), 0644); }, unreadable, "")),
        byNumberRow(
            "EmptyLogHasNoRecords", [](const TempServer& s) { s.writeDownloadLog(""); }, "", byNumber("")),
        byNumberRow(
            "BinaryGarbageLoadsAndKeepsHighBytes", [](const TempServer& s) { s.writeDownloadLog(garbage()); }, "",
            byNumber("1\t" + bytesFrom(128, 255) + "\r\n")), // lines without a file name are not listed
        alsoBinary(byNumberRow(
            "NulBytesInAFileNameComeOutUnchanged",
            [](const TempServer& s) {
                s.writeDownloadLog(
                    logOf({{"b\0b"sv, "B\0b"sv, "a\0b.txt"sv}, {"ann", "Ann", "\0"sv}, {"cy", "Cy", "a\0b.txt"sv}}));
            },
            "", byNumber("2\ta\0b.txt\r\n1\t\0\r\n"s))),
        nulInUserName(),
        byNumberRow(
            "OneLineOf50MBWithoutLineEndIsOneRecord",
            [](const TempServer& s) {
                s.writeDownloadLog(std::string(50u << 20, 'x') + "\t10.0.0.1\tbob\tBob\tbig.txt");
            },
            "", byNumber("1\tbig.txt\r\n")),
        byNumberRow(
            "FiveMillionShortLinesAllCount", [](const TempServer& s) { s.writeDownloadLog(fiveMillionLines()); }, "",
            byNumber("3000000\ta\r\n2000000\tb\r\n")),
        byNumberRow(
            "OnlyLineEndsGiveNoRecords", [](const TempServer& s) { s.writeDownloadLog("\r\n\n\r\r\n\r\r\n\n\n"); }, "",
            byNumber("")),
        byNumberRow(
            "OnlyTabsGiveOneRecordWithTheSurplusTabsInItsFileName",
            [](const TempServer& s) { s.writeDownloadLog("\t\t\t\t\t\t"); }, "", byNumber("1\t\t\t\r\n")),
        growingLog(), shrinkingLog(),
        // Saved by an editor that starts a file with a byte order mark: the header stays a
        // header. A mark anywhere else is data.
        byNumberRow(
            "ByteOrderMarkBeforeTheHeaderIsSkipped",
            [](const TempServer& s) {
                s.writeDownloadLog("\xEF\xBB\xBF" + serverLogOf({{"bob", "Bob", "a.txt"}}) +
                                   "\r\xEF\xBB\xBF" "Date/time\tAddress\tAccount\tName\tFile Name");
            },
            "", byNumber("1\tFile Name\r\n1\ta.txt\r\n")),
        byNumberRow(
            "OnlyAByteOrderMarkGivesNoRecords", [](const TempServer& s) { s.writeDownloadLog("\xEF\xBB\xBF"); }, "",
            byNumber(""))),
    rowName);

} // namespace
} // namespace quorvel::test
