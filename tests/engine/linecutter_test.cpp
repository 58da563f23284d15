// SPDX-License-Identifier: MIT
#include "ingest/linecutter.h"
#include "ingest/recordparser.h"
#include "model/logrecords.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvel {
namespace {

std::vector<std::string> cut(std::string_view text)
{
    std::vector<std::string> out;
    fixstr(text, [&](const ScannedLine& line) { out.emplace_back(text.substr(line.begin, line.end - line.begin)); });
    return out;
}

using Lines = std::vector<std::string>;

struct CutCase {
    const char* what;
    std::string text;
    Lines lines;
};

class LineCutter : public ::testing::TestWithParam<CutCase> {};

TEST_P(LineCutter, CutsIntoRecordLines)
{
    EXPECT_EQ(cut(GetParam().text), GetParam().lines) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    LineEnds, LineCutter,
    ::testing::Values(CutCase{"CR LF ends keep no line-feed in the next line", "A\r\nB\r\n", Lines{"A", "B"}},
                      CutCase{"a lone CR ends a line", "A\rB\r", Lines{"A", "B"}},
                      CutCase{"a lone LF ends a line", "A\nB\n", Lines{"A", "B"}},
                      CutCase{"mixed ends", "A\r\nB\nC\rD", Lines{"A", "B", "C", "D"}},
                      CutCase{"the unterminated tail is the newest line", "A\rB", Lines{"A", "B"}},
                      CutCase{"empty text", "", Lines{}},
                      CutCase{"blank lines are no records", "\r\r\n\n\rA\r\n\r\n", Lines{"A"}},
                      CutCase{"LF CR is two line ends", "A\n\rB", Lines{"A", "B"}},
                      CutCase{"header lines anywhere are no records",
                              "Date/time\tAddress\tAccount\tName\tFile Name\rx\ty\r\nDate/time\ta\rDate/time", Lines{"x\ty"}},
                      CutCase{"a header alone on its line, whatever ends it",
                              "Date/time\rA\rDate/time\r\nB\nDate/time\nC", Lines{"A", "B", "C"}},
                      CutCase{"only an exact first column makes a header", "Date/times\ta\rdate/time\tb",
                              Lines{"Date/times\ta", "date/time\tb"}},
                      CutCase{"a line longer than a vector block", std::string(100, 'x') + "\r" + std::string(33, 'y'),
                              Lines{std::string(100, 'x'), std::string(33, 'y')}}));

struct Fields {
    std::string stamp, spare, account, username, filename;
    bool operator==(const Fields&) const = default;
};

void PrintTo(const Fields& f, std::ostream* os)
{
    *os << '[' << f.stamp << '|' << f.spare << '|' << f.account << '|' << f.username << '|' << f.filename << ']';
}

// The line cut and parsed as a load does, then kept and read back by the records.
Fields parse(const std::string& line)
{
    LineCut cut;
    fixstr(line, [&](const ScannedLine& found) { cut = sortstr4(found); });
    LogRecords records;
    records.append(line, std::span<const LineCut>(&cut, 1));
    return {std::string(records.stamp(0)), std::string(records.spare(0)), std::string(records.account(0)),
            std::string(records.username(0)), std::string(records.filename(0))};
}

struct ParseCase {
    const char* what;
    std::string line;
    Fields fields;
};

class RecordParser : public ::testing::TestWithParam<ParseCase> {};

TEST_P(RecordParser, SplitsColumns)
{
    EXPECT_EQ(parse(GetParam().line), GetParam().fields) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Columns, RecordParser,
    ::testing::Values(
        ParseCase{"five columns", "d\tt\tguest\tJoe\tStuff/file.sit", {"d", "t", "guest", "Joe", "Stuff/file.sit"}},
        ParseCase{"extra TABs stay in filename", "d\tt\ta\tu\tf\tg\th", {"d", "t", "a", "u", "f\tg\th"}},
        ParseCase{"empty columns", "\t\t\t\tx", {"", "", "", "", "x"}},
        ParseCase{"nothing after the fourth TAB", "d\tt\ta\tu\t", {"d", "t", "a", "u", ""}},
        ParseCase{"three TABs fill four columns", "d\tt\ta\tu", {"d", "t", "a", "u", ""}},
        ParseCase{"one TAB", "d\tt", {"d", "t", "", "", ""}},
        ParseCase{"no TAB", "just text", {"just text", "", "", "", ""}},
        ParseCase{"a TAB at the end of a short line", "d\t", {"d", "", "", "", ""}}));

} // namespace
} // namespace quorvel
