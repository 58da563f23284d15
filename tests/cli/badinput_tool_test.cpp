// SPDX-License-Identifier: MIT
// What only quorvel-report meets: its options, server folders that are not folders, outputs
// that cannot be written, terminals that obey control characters, and too little memory.
#include "badinput.h"
#include "fakeplatform.h"
#include "fakewindow.h"
#include "logtext.h"
#include "reportrun.h"

#include "cli/cliwindow.h"
#include "commands/commandtable.h"
#include "commands/program.h"
#include "commands/serverfolder.h"

#include <new>

namespace quorvel::test {
namespace {

namespace fs = std::filesystem;

BadInput toolRow(std::string what, std::function<void(const TempServer&)> arrange, std::vector<std::string> args,
                 int code, std::string out, std::string err)
{
    BadInput row;
    row.what = std::move(what);
    row.arrange = std::move(arrange);
    row.verb = std::move(args);
    row.code = code;
    row.out = std::move(out);
    row.err = std::move(err);
    return row;
}

void ann(const TempServer& s)
{
    s.addAccount("ann");
}

std::string noFolderAt(const std::string& folder, const char* reason)
{
    return "quorvel-report: no server folder at '" + folder + "': " + reason + "\n";
}

const std::string usage = "usage: quorvel-report [--server DIR] [--from YYYY-MM-DD] [--to YYYY-MM-DD] "
                          "[--format text|csv|json] VERB [VALUE]\n";

BadInput helpToAFullDisk()
{
    BadInput row = toolRow(
        "HelpWrittenToAFullDiskIsAnError", ann, {"--help"}, 1, "",
        "quorvel-report: cannot write the output: No space left on device\n");
    row.saveTo = "/dev/full";
    row.alsoBinary = true;
    return row;
}

// Thirty thousand hits of a 1000-byte file name: the load keeps one name, the answer is 30 MB.
BadInput answerTooLargeForMemory()
{
    BadInput row = toolRow(
        "AnswerTooLargeForMemoryEndsWithAMessage",
        [](const TempServer& s) {
            std::string log;
            for (int i = 0; i < 30000; ++i)
                log += std::to_string(i) + "\tip\tacct\tbob\t" + std::string(1000, 'f') + "\r\n";
            s.writeDownloadLog(log);
        },
        {"user-downloads", "bob"}, 1, "", "Not enough memory for this command\n");
    row.addressSpaceKiB = 20000;
    return row;
}

// Two million empty records take 4 MB on disk and some 50 MB in memory.
BadInput logTooLargeForMemory()
{
    BadInput row = toolRow(
        "LogTooLargeForMemoryIsRefusedBeforeItIsLoaded",
        [](const TempServer& s) {
            std::string log;
            for (int i = 0; i < 2'000'000; ++i)
                log += "\t\n";
            s.writeDownloadLog(log);
        },
        {"user-downloads", ""}, 1, "", "Not enough memory to load 'Download Log.txt'\nMust load log first...\n");
    row.addressSpaceKiB = 30000;
    return row;
}

INSTANTIATE_TEST_SUITE_P(
    Tool, BadInputSuite,
    ::testing::Values(
        toolRow("ServerOptionMayFollowTheVerbJoinedByAnEqualsSign", ann, {"accounts", "--server=<root>/server"}, 0,
                "ann\r\n", ""),
        toolRow("LastServerOptionCounts", ann, {"accounts", "--server", "<root>/none"}, 1, "",
                noFolderAt("<root>/none", "No such file or directory")),
        toolRow(
            "ServerFolderThatIsAFileIsRefused", [](const TempServer& s) { s.write("plain", "x"); },
            {"accounts", "--server", "<root>/server/plain"}, 1, "",
            noFolderAt("<root>/server/plain", "Not a directory")),
        toolRow("ServerFolderNameTooLongIsRefused", ann, {"accounts", "--server", "<root>/" + std::string(300, 'n')},
                1, "", noFolderAt("<root>/" + std::string(300, 'n'), "File name too long")),
        toolRow(
            "DoubleDashLetsAValueStartWithADash",
            [](const TempServer& s) { s.writeDownloadLog(logOf({{"bob", "-x", "a.txt"}})); },
            {"user-downloads", "--", "-x"}, 0, "-x had downloaded these files...\r\n\r\n1/2/2003 4:05:06 PM: a.txt\r\n",
            ""),
        toolRow(
            "ADashAloneIsAValue", [](const TempServer& s) { s.writeDownloadLog(logOf({{"bob", "-", "a.txt"}})); },
            {"user-downloads", "-"}, 0, "- had downloaded these files...\r\n\r\n1/2/2003 4:05:06 PM: a.txt\r\n", ""),
        toolRow("UnknownOptionIsAUsageErrorThatSuggestsDoubleDash", ann, {"user-downloads", "-x"}, 2, "",
                "quorvel-report: unknown option '-x' (a VALUE that starts with '-' goes after --)\n" + usage),
        toolRow("VersionIsPrinted", ann, {"--version"}, 0, "quorvel-report " QUORVEL_VERSION "\n", ""),
        toolRow("ImpossibleDateIsAUsageError", ann, {"downloads-by-number", "--from", "2001-02-30"}, 2, "",
                "quorvel-report: --from: '2001-02-30' is not a date (YYYY-MM-DD)\n" + usage),
        toolRow("MalformedDateIsAUsageError", ann, {"downloads-by-number", "--to=1/2/2001"}, 2, "",
                "quorvel-report: --to: '1/2/2001' is not a date (YYYY-MM-DD)\n" + usage),
        toolRow("DateWithBytesAfterItIsAUsageError", ann, {"downloads-by-number", "--from", "2001-02-01x"}, 2, "",
                "quorvel-report: --from: '2001-02-01x' is not a date (YYYY-MM-DD)\n" + usage),
        toolRow("ADayThatIsNoDateIsAUsageError", ann, {"uploads-on-day", "0000-01-01"}, 2, "",
                "quorvel-report: uploads-on-day: '0000-01-01' is not a date (YYYY-MM-DD)\n" + usage),
        toolRow("PeriodThatEndsBeforeItStartsIsAUsageError", ann,
                {"--from=2001-03-01", "--to", "2001-02-01", "downloads-by-number"}, 2, "",
                "quorvel-report: --from 2001-03-01 is after --to 2001-02-01\n" + usage),
        toolRow("AccountsIgnoresAPeriod", ann, {"accounts", "--from", "2001-01-01"}, 0, "ann\r\n", ""),
        // The calendar has no year 0: such a stamp is unreadable, so the record is left out as
        // undated, not as before the period.
        toolRow(
            "YearZeroStampIsUndatedUnderAPeriod",
            [](const TempServer& s) {
                s.writeDownloadLog("1/1/0000 1:00\tip\tbob\tBob\ta.txt\r1/2/2001 1:00\tip\tbob\tBob\tb.txt\r");
            },
            {"--from", "0001-01-01", "downloads-by-day"}, 0,
            "Period: from 0001-01-01 (1 record without a readable date left out)\r\n\r\n"
            "Downloads By Day...\r\n\r\n1\t2001-01-02\r\n",
            ""),
        helpToAFullDisk(), answerTooLargeForMemory(), logTooLargeForMemory()),
    rowName);

TEST(TerminalLine, ShowsControlCharactersAsQuestionMarks)
{
    EXPECT_EQ(terminalLine("\x1b]0;title\x07name\x1b[2J\r\nnext\x7f"), "?]0;title?name?[2J  next?");
    EXPECT_EQ(terminalLine("raw C1 \x9b" "2J, UTF-8 C1 \xc2\x9b" "2J"), "raw C1 ?2J, UTF-8 C1 ?2J");
    EXPECT_EQ(terminalLine("caf\xc3\xa9 caf\xe9 \xe2\x80\x94 \xc2\xa0"), "caf\xc3\xa9 caf\xe9 \xe2\x80\x94 \xc2\xa0");
}

// An account folder named to set the terminal's title and clear its screen, counted while the
// progress goes to a terminal: the terminal gets none of its control characters.
TEST(TerminalLine, ProgressOfAReportCarriesNoControlCharacterFromANameAlong)
{
    TempServer server;
    server.addAccount("\x1b]0;pwned\x07\x1b[2J");
    server.writeDownloadLog(logOf({{"bob", "Bob", "a.txt"}}));
    std::ostringstream out, err, progress;
    const std::vector<std::string> args{"--server", server.folder(), "downloads-by-account"};
    ASSERT_EQ(runReport(args, out, err, FolderFile(server.programFolder(), server.configFolder()), &progress), 0);
    std::string shown = progress.str();
    for (std::size_t at = shown.find("\r\x1b[K"); at != std::string::npos; at = shown.find("\r\x1b[K"))
        shown.erase(at, 4); // the tool's own "go back and clear the line" before each caption
    EXPECT_NE(shown.find("?]0;pwned??[2J's Downloads"), std::string::npos) << shown;
    EXPECT_EQ(shown.find_first_of("\x1b\x07\r\n"), std::string::npos) << shown;
}

// A window whose output box cannot take a text: memory ran out while it was set.
class ExhaustedWindow : public FakeWindow {
public:
    void setOutputText(std::string) override { throw std::bad_alloc(); }
};

// In the window, a command that runs out of memory says so and leaves the output box, the
// tallies and the order of accounts as they were.
TEST(OutOfMemory, ACommandSaysSoAndLeavesTheOutputAndTheStateAsTheyWere)
{
    TempServer server;
    server.addAccount("ann");
    server.addAccount("bob");
    server.writeDownloadLog(logOf({{"bob", "Bob", "a.txt"}, {"bob", "Bob", "b.txt"}}));
    ExhaustedWindow window;
    FakePlatform platform;
    Analyzer a(window, platform, FolderFile(server.programFolder(), server.configFolder()));
    setServerFolder(a, server.folder());
    window.output = "an earlier result";
    for (const char* item : {"mnudownloadnumber", "mnusortbyaccount"}) {
        const Outcome outcome = runCommand(a, [&](Analyzer& analyzer) { return runRow(analyzer, *findMenuItem(item)); });
        EXPECT_EQ(outcome.reasons(), std::vector<std::string>{"Not enough memory for this command"}) << item;
        EXPECT_EQ(window.lastStatus(), "Not enough memory for this command") << item;
        EXPECT_EQ(window.output, "an earlier result") << item;
    }
    EXPECT_TRUE(a.state.download.files.empty());
    ASSERT_EQ(a.state.accounts.size(), 2u);
    EXPECT_EQ(a.state.accounts[0].name, "ann");
    EXPECT_EQ(a.state.accounts[1].downcount, 0);
}

} // namespace
} // namespace quorvel::test
