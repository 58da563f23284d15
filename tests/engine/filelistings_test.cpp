// SPDX-License-Identifier: MIT
#include "enginefixture.h"
#include "sidetexts.h"
#include "logtext.h"
#include "sideprinter.h"

#include "commands/loading.h"
#include "commands/reports.h"
#include "commands/reports.h"

#include <string>
#include <vector>

namespace quorvel::test {
namespace {

struct ListingCase {
    const char* catches;
    std::string log;
    std::string byDate;   // the lines after the heading
    std::string byNumber; // the lines after the heading
};

void PrintTo(const ListingCase& row, std::ostream* os)
{
    *os << row.catches;
}

class FileListings : public EngineTest, public ::testing::WithParamInterface<std::tuple<ListingCase, Side>> {
protected:
    Side side() const { return std::get<1>(GetParam()); }
    const ListingCase& row() const { return std::get<0>(GetParam()); }
    void writeLog(const std::string& text)
    {
        side() == Side::Download ? server.writeDownloadLog(text) : server.writeUploadLog(text);
    }
};

TEST_P(FileListings, ByDateListsFilesInOrderOfFirstOccurrence)
{
    SCOPED_TRACE(row().catches);
    writeLog(row().log);
    ask(a, sortByDate, side());
    EXPECT_EQ(window.output, std::string(sideTexts(side()).byDateHeading) + "\r\n\r\n" + row().byDate);
    EXPECT_EQ(window.lastStatus(), "Done...");
    EXPECT_EQ(window.outputWrites, 1);
}

TEST_P(FileListings, ByNumberListsMostTransferredFirstAndTiesLatestFirst)
{
    SCOPED_TRACE(row().catches);
    writeLog(row().log);
    ask(a, sortByNumber, side());
    EXPECT_EQ(window.output, std::string(sideTexts(side()).byNumberHeading) + "\r\n\r\n" + row().byNumber);
    EXPECT_EQ(window.outputWrites, 1);
}

const ListingCase listingCases[] = {
    {"order of first occurrence, ties reversed by number",
     logOf({{"u", "u", "B"}, {"u", "u", "A"}, {"u", "u", "B"}, {"u", "u", "C"}}), "2\tB\r\n1\tA\r\n1\tC\r\n",
     "2\tB\r\n1\tC\r\n1\tA\r\n"},
    {"the first record is counted", logOf({{"u", "u", "only"}}), "1\tonly\r\n", "1\tonly\r\n"},
    {"letter case and a trailing blank make different files",
     logOf({{"u", "u", "a"}, {"u", "u", "A"}, {"u", "u", "a "}, {"u", "u", "a"}}), "2\ta\r\n1\tA\r\n1\ta \r\n",
     "2\ta\r\n1\ta \r\n1\tA\r\n"},
    {"records without a file name are left out",
     "s\tip\tacct\tuser\r\n" + logOf({{"u", "u", ""}, {"u", "u", "x"}}) + "short line\r\n", "1\tx\r\n", "1\tx\r\n"},
    {"a TAB inside a file name is printed unchanged", logOf({{"u", "u", "x\ty"}}), "1\tx\ty\r\n", "1\tx\ty\r\n"},
    {"a file named null is an ordinary file", logOf({{"u", "u", "null"}, {"u", "u", "null"}}), "2\tnull\r\n",
     "2\tnull\r\n"},
    {"an empty log gives the heading only", "", "", ""},
    {"the server's layout: header skipped, newest unterminated line counted",
     serverLogOf({{"bob", "Bob", "f1"}, {"ann", "Ann", "f2"}, {"bob", "Bob", "f1"}}), "2\tf1\r\n1\tf2\r\n",
     "2\tf1\r\n1\tf2\r\n"},
    {"ascending counts come out reversed by number",
     logOf({{"u", "u", "one"},
            {"u", "u", "two"},
            {"u", "u", "two"},
            {"u", "u", "three"},
            {"u", "u", "three"},
            {"u", "u", "three"}}),
     "1\tone\r\n2\ttwo\r\n3\tthree\r\n", "3\tthree\r\n2\ttwo\r\n1\tone\r\n"},
};

INSTANTIATE_TEST_SUITE_P(Logs, FileListings,
                         ::testing::Combine(::testing::ValuesIn(listingCases),
                                            ::testing::Values(Side::Download, Side::Upload)));

class FileTally : public EngineTest {
protected:
    std::vector<std::pair<std::string, std::int64_t>> tally(Side side) const
    {
        std::vector<std::pair<std::string, std::int64_t>> rows;
        for (const filecount& f : a.state.log(side).files)
            rows.emplace_back(f.filename, f.count);
        return rows;
    }
    using Rows = std::vector<std::pair<std::string, std::int64_t>>;
};

TEST_F(FileTally, ByDateLeavesTheTallyInOrderOfFirstOccurrence)
{
    server.writeDownloadLog(logOf({{"u", "u", "B"}, {"u", "u", "A"}, {"u", "u", "B"}}));
    runMenuItem(a, "mnusortbydate");
    EXPECT_EQ(tally(Side::Download), (Rows{{"B", 2}, {"A", 1}}));
}

TEST_F(FileTally, ByNumberLeavesTheTallyAscendingByCountWithTiesInFirstOccurrenceOrder)
{
    server.writeDownloadLog(logOf({{"u", "u", "B"}, {"u", "u", "A"}, {"u", "u", "B"}, {"u", "u", "C"}}));
    runMenuItem(a, "mnudownloadnumber");
    EXPECT_EQ(tally(Side::Download), (Rows{{"A", 1}, {"C", 1}, {"B", 2}}));
}

TEST_F(FileTally, IsRebuiltFromTheLogSoRunningTwiceGivesTheSameText)
{
    server.writeUploadLog(logOf({{"u", "u", "B"}, {"u", "u", "A"}, {"u", "u", "A"}, {"u", "u", "C"}}));
    runMenuItem(a, "mnuupnum");
    const std::string first = window.output;
    runMenuItem(a, "mnuupnum");
    EXPECT_EQ(window.output, first);
    runMenuItem(a, "mnuupdate");
    EXPECT_EQ(window.output, "Uploads By Date...\r\n\r\n1\tB\r\n2\tA\r\n1\tC\r\n");
}

TEST_F(FileTally, OfOneSideLeavesTheOtherSideAlone)
{
    server.writeDownloadLog(logOf({{"u", "u", "down"}}));
    server.writeUploadLog(logOf({{"u", "u", "up"}}));
    runMenuItem(a, "mnusortbydate");
    runMenuItem(a, "mnuupdate");
    EXPECT_EQ(tally(Side::Download), (Rows{{"down", 1}}));
    EXPECT_EQ(tally(Side::Upload), (Rows{{"up", 1}}));
}

TEST_F(FileTally, ByNumberLeavesTheLastRecordsCaptionInTheStatusLine)
{
    server.writeDownloadLog(logOf({{"u", "u", "B"}, {"u", "u", "A"}, {"u", "u", "B"}}));
    server.writeUploadLog(logOf({{"u", "u", "B"}, {"u", "u", "A"}}));
    runMenuItem(a, "mnudownloadnumber");
    EXPECT_EQ(window.lastStatus(), "Looking at Download Number 3/3");
    runMenuItem(a, "mnuupnum");
    EXPECT_EQ(window.lastStatus(), "Looking at Upload Number 2/2");
}

TEST_F(FileTally, OfAnEmptyLogLeavesTheStatusLineAsTheLoaderLeftIt)
{
    server.writeDownloadLog("");
    runMenuItem(a, "mnudownloadnumber");
    EXPECT_EQ(window.lastStatus(), "(Download Log) Done...");
    EXPECT_EQ(window.output, "Downloads By Number...\r\n\r\n");
}

TEST_F(FileTally, OfALongLogShowsCaptionsSparinglyAndEndsAtTheLastRecord)
{
    std::string log;
    for (int i = 0; i < 10000; ++i)
        log += "s\tip\tacct\tuser\tfile" + std::to_string(i % 7) + "\r\n";
    server.writeDownloadLog(log);
    loadlog(a, Side::Download);
    window.statuses.clear();
    const std::vector<filecount> files = listfiles(a, Side::Download, Selection{});
    EXPECT_EQ(window.statuses, (std::vector<std::string>{"Looking at Download Number 4096/10000",
                                                         "Looking at Download Number 8192/10000",
                                                         "Looking at Download Number 10000/10000"}));
    ASSERT_EQ(files.size(), 7u);
    EXPECT_EQ(files[0].count, 1429);
    EXPECT_EQ(files[6].count, 1428);
}

} // namespace
} // namespace quorvel::test
