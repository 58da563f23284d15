// SPDX-License-Identifier: MIT
// Tables as CSV and JSON: every awkward value comes out as the formats ask, and the window's
// "Export as CSV..." writes the last result guarded for a spreadsheet, says when there is none,
// and names a failure.
#include "enginefixture.h"
#include "logtext.h"

#include "commands/commandtable.h"
#include "commands/saving.h"
#include "present/exports.h"

#include <string>

namespace quorvel::test {
namespace {

Answer fileCounts(CountRows rows)
{
    return countListing(Side::Download, "", {"file", ColumnKind::File}, std::move(rows), Selection{});
}

Answer names(std::string_view column, std::vector<std::string> entries)
{
    return nameList(TextShape::Entries, Side::Download, "", {column, ColumnKind::User}, std::move(entries), Selection{});
}

// Names with a comma, a quote, CR and LF together and alone, TAB and a control character, one in Windows-1252
// ("\x8E" is "Ž"), one already in UTF-8, and an empty one.
Answer awkwardTable()
{
    return fileCounts(
                             {{"a,b", 3},
                              {"say \"hi\"", 2},
                              {"two\r\nlines\n", 1},
                              {"cr\ronly", 1},
                              {"lf\nonly", 1},
                              {"tab\there\x01", 1},
                              {"Vin\x8E\xe9", 1},
                              {"caf\xc3\xa9", 0},
                              {"", -1}});
}

TEST(Exports, CsvQuotesWhatItMustAndWritesUtf8)
{
    EXPECT_EQ(csvText(awkwardTable(), CsvCells::Verbatim), "file,count\r\n"
                                                           "\"a,b\",3\r\n"
                                                           "\"say \"\"hi\"\"\",2\r\n"
                                                           "\"two\r\nlines\n\",1\r\n"
                                                           "\"cr\ronly\",1\r\n"
                                                           "\"lf\nonly\",1\r\n"
                                                           "tab\there\x01,1\r\n"
                                                           "Vin\xc5\xbd\xc3\xa9,1\r\n"
                                                           "caf\xc3\xa9,0\r\n"
                                                           ",-1\r\n");
}

TEST(Exports, JsonEscapesWhatItMustAndWritesUtf8)
{
    EXPECT_EQ(jsonText(awkwardTable()), "[\n"
                                        "{\"file\":\"a,b\",\"count\":3},\n"
                                        "{\"file\":\"say \\\"hi\\\"\",\"count\":2},\n"
                                        "{\"file\":\"two\\r\\nlines\\n\",\"count\":1},\n"
                                        "{\"file\":\"cr\\ronly\",\"count\":1},\n"
                                        "{\"file\":\"lf\\nonly\",\"count\":1},\n"
                                        "{\"file\":\"tab\\there\\u0001\",\"count\":1},\n"
                                        "{\"file\":\"Vin\xc5\xbd\xc3\xa9\",\"count\":1},\n"
                                        "{\"file\":\"caf\xc3\xa9\",\"count\":0},\n"
                                        "{\"file\":\"\",\"count\":-1}\n"
                                        "]\n");
}

TEST(Exports, NoRowsStillNameTheColumns)
{
    const Answer empty = names("account", {});
    EXPECT_EQ(csvText(empty, CsvCells::Verbatim), "account\r\n");
    EXPECT_EQ(jsonText(empty), "[]\n");
}

// A blank line is skipped by CSV readers: a row of empty cells would be lost.
TEST(Exports, ARowOfEmptyCellsIsNeverABlankLine)
{
    for (const CsvCells cells : {CsvCells::Verbatim, CsvCells::Guarded}) {
        EXPECT_EQ(csvText(names("user", {"", "bob", ""}), cells),
                  "user\r\n\"\"\r\nbob\r\n\"\"\r\n");
        const std::vector<std::vector<std::string_view>> cellsOf{{"", ""}, {"", "x"}, {"y", ""}};
        const Answer twoColumns{.shape = TextShape::Hits,
                                .columns = {{"time", ColumnKind::Stamp}, {"file", ColumnKind::File}},
                                .rows = cellsOf.size(),
                                .cell = [&](std::size_t row, std::size_t column) { return Cell{cellsOf[row][column]}; }};
        EXPECT_EQ(csvText(twoColumns, cells), "time,file\r\n\"\",\r\n,x\r\ny,\r\n");
    }
}

// Names a user or an uploader chose, as a spreadsheet would take them.
Answer formulaTable()
{
    return fileCounts(
                             {{"=HYPERLINK(\"http://a.b/\",\"x\")", 1},
                              {"+1", 2},
                              {"-2", 3},
                              {"@SUM(A1)", 4},
                              {"\tx", 5},
                              {"\rx", 6},
                              {"a=b", -7},
                              {" =x", 8},
                              {"'q", 9},
                              {"", 10}});
}

TEST(Exports, GuardedCellsCannotBeTakenForFormulas)
{
    EXPECT_EQ(csvText(formulaTable(), CsvCells::Guarded), "file,count\r\n"
                                                          "\"'=HYPERLINK(\"\"http://a.b/\"\",\"\"x\"\")\",1\r\n"
                                                          "'+1,2\r\n"
                                                          "'-2,3\r\n"
                                                          "'@SUM(A1),4\r\n"
                                                          "'\tx,5\r\n"
                                                          "\"'\rx\",6\r\n"
                                                          "a=b,-7\r\n"
                                                          " =x,8\r\n"
                                                          "'q,9\r\n"
                                                          ",10\r\n");
}

class ExportCommand : public EngineTest {
protected:
    void SetUp() override { server.writeDownloadLog(logOf({{"bob", "Bob", "a,b.txt"}, {"ann", "Ann", "c.txt"}})); }
    Outcome runItem(const char* item)
    {
        return runCommand(a, [&](Analyzer& analyzer) { return runRow(analyzer, *findMenuItem(item)); });
    }
};

TEST_F(ExportCommand, WritesTheLastResultWhereTheDialogSays)
{
    EXPECT_EQ(runItem("mnuexportcsv").kind(), Outcome::Kind::Refused);
    EXPECT_EQ(window.lastStatus(), "Nothing to export yet...");
    EXPECT_TRUE(platform.saveRequests.empty());

    runItem("mnudownloadnumber");
    const std::string file = (server.root() / "out.csv").string();
    platform.saveAnswers.push_back(file);
    EXPECT_TRUE(runItem("mnuexportcsv").isDone());
    ASSERT_EQ(platform.saveRequests.size(), 1u);
    EXPECT_EQ(platform.saveRequests[0].title, "Export as CSV");
    EXPECT_EQ(platform.saveRequests[0].proposedName, "downloads-by-number.csv");
    EXPECT_EQ(platform.saveRequests[0].initialFolder, server.folder());
    EXPECT_EQ(readFile(file), "file,count\r\nc.txt,1\r\n\"a,b.txt\",1\r\n");

    // The next export starts where the last one went; a failure names the file and the reason.
    platform.saveAnswers.push_back(server.root().string());
    EXPECT_EQ(runItem("mnuexportcsv").kind(), Outcome::Kind::Refused);
    EXPECT_EQ(platform.saveRequests[1].initialFolder, server.root().string());
    ASSERT_EQ(platform.errors.size(), 1u);
    EXPECT_EQ(platform.errors[0].title, "Export as CSV");
    EXPECT_EQ(platform.errors[0].text, "Cannot export '" + server.root().string() + "': Is a directory");

    // A reload leaves nothing to export.
    runItem("mnuLoaddownloadlog");
    EXPECT_EQ(runItem("mnuexportcsv").kind(), Outcome::Kind::Refused);
    EXPECT_EQ(window.lastStatus(), "Nothing to export yet...");
}

TEST_F(ExportCommand, GuardsNamesThatASpreadsheetWouldTakeForFormulas)
{
    server.writeDownloadLog(logOf(
        {{"bob", "=cmd|' /C calc'!A0", "@a.txt"}, {"ann", "Ann", "-b.txt"}, {"bob", "=cmd|' /C calc'!A0", "+c.txt"}}));
    const std::string file = (server.root() / "out.csv").string();
    runItem("mnudownloadnumber");
    platform.saveAnswers.push_back(file);
    ASSERT_TRUE(runItem("mnuexportcsv").isDone());
    EXPECT_EQ(readFile(file), "file,count\r\n'+c.txt,1\r\n'-b.txt,1\r\n'@a.txt,1\r\n");
    runItem("mnunumberdown");
    platform.saveAnswers.push_back(file);
    ASSERT_TRUE(runItem("mnuexportcsv").isDone());
    EXPECT_EQ(readFile(file), "user,count\r\n'=cmd|' /C calc'!A0,2\r\n");
}

} // namespace
} // namespace quorvel::test
