// SPDX-License-Identifier: MIT
// --format csv and json carry the rows of the text answer, in its order: each verb family's
// CSV and JSON are read back and compared with the rows read from its text.
#include "reportrun.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvel::test {
namespace {

using Row = std::vector<std::string>;
using Rows = std::vector<Row>;

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find("\r\n", at), text.size());
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

// How a verb's text holds its rows.
enum class Text { Listing, Last, HeadedNames, Names, Winner, Hits, BothHits };

Rows rowsOfText(Text kind, const std::string& text)
{
    std::vector<std::string> lines = linesOf(text);
    Rows rows;
    std::string side = "download";
    for (std::size_t i = kind == Text::Names ? 0 : 2; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const std::size_t tab = line.find('\t');
        switch (kind) {
        case Text::Listing:
            rows.push_back({line.substr(tab + 1), line.substr(0, tab)});
            break;
        case Text::Last:
            rows.push_back({line.substr(tab + 1), line.substr(0, tab)});
            break;
        case Text::HeadedNames:
        case Text::Names:
            rows.push_back({line});
            break;
        case Text::Winner: {
            const std::size_t with = line.find(" with ");
            rows.push_back({line.substr(0, with), line.substr(with + 6, line.find(' ', with + 6) - with - 6)});
            break;
        }
        case Text::Hits:
            rows.push_back({line.substr(0, line.find(": ")), line.substr(line.find(": ") + 2)});
            break;
        case Text::BothHits:
            if (line.empty()) {
                side = "upload";
                i += 3; // the second empty line, the uploads' heading and its empty line
                continue;
            }
            rows.push_back({side, line.substr(0, line.find(": ")), line.substr(line.find(": ") + 2)});
            break;
        }
    }
    return rows;
}

// RFC 4180 as quorvel-report writes it, read as Python's csv module and spreadsheets read it:
// a blank line holds no row. The first row (the column names) is returned apart.
Rows rowsOfCsv(const std::string& csv, Row& columns)
{
    Rows rows(1);
    std::string field;
    bool quoted = false;
    bool quotes = false; // the row so far holds a quote
    for (std::size_t i = 0; i < csv.size(); ++i) {
        const char c = csv[i];
        if (quoted && c == '"' && i + 1 < csv.size() && csv[i + 1] == '"') {
            field += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
            quotes = true;
        } else if (!quoted && c == ',') {
            rows.back().push_back(std::exchange(field, {}));
        } else if (!quoted && c == '\r' && csv[i + 1] == '\n') {
            if (!rows.back().empty() || !field.empty() || quotes) {
                rows.back().push_back(std::exchange(field, {}));
                rows.emplace_back();
            }
            quotes = false;
            ++i;
        } else {
            field += c;
        }
    }
    rows.pop_back();
    columns = rows.front();
    rows.erase(rows.begin());
    return rows;
}

// The flat objects of one JSON array, values as text (numbers as written); keys in order.
Rows rowsOfJson(const std::string& json, Row& keys)
{
    Rows rows;
    std::size_t i = 0;
    const auto string = [&] {
        std::string value;
        for (++i; json[i] != '"'; ++i) {
            if (json[i] != '\\') {
                value += json[i];
                continue;
            }
            const char escaped = json[++i];
            value += escaped == 'n' ? '\n' : escaped == 'r' ? '\r' : escaped == 't' ? '\t' : escaped;
        }
        ++i;
        return value;
    };
    for (; i < json.size(); ++i) {
        if (json[i] != '{')
            continue;
        Row row;
        Row names;
        for (++i; json[i] != '}'; ++i) {
            names.push_back(string());
            ++i; // ':'
            if (json[i] == '"') {
                row.push_back(string());
            } else {
                const std::size_t end = json.find_first_of(",}", i);
                row.push_back(json.substr(i, end - i));
                i = end;
            }
            if (json[i] == '}')
                break;
        }
        keys = names;
        rows.push_back(row);
    }
    return rows;
}

struct FormatCase {
    std::vector<std::string> args;
    Text text;
    Row columns;
};

void PrintTo(const FormatCase& c, std::ostream* os)
{
    *os << c.args[0];
}

class Formats : public ::testing::TestWithParam<FormatCase> {
protected:
    Formats()
    {
        server.writeDownloadLog(serverLog(
            {"1/2/2001 1:00\tip1\tbob\tBob\ta.txt", "1/3/2001 2:00 PM\tip2\tann\tAnn\tb.txt",
             "1/3/2001 3:00\tip1\tbob\tBob\ta.txt", "later\tip3\tcy\tCy\tc.sit", "1/4/2001 1:00\tip4\tcy\t\td.txt"}));
        server.writeUploadLog(
            serverLog({"2/1/2001 1:00\tip1\tbob\tBob\tc.sit", "2/9/2001 1:00\tip2\tann\tAnn\tc.sit"}));
        for (const char* account : {"ann", "bob", "cy", "dora"})
            server.addAccount(account);
    }
    static std::string serverLog(const std::vector<std::string>& lines)
    {
        std::string log = "Date/time\tAddress\tAccount\tName\tFile Name";
        for (const std::string& line : lines)
            log += "\r" + line;
        return log;
    }
    std::string run(std::vector<std::string> args, const char* format)
    {
        args.push_back(std::string("--format=") + format);
        const ReportRun result = reportOn(server, args);
        EXPECT_EQ(result.code, 0) << result.err;
        return result.out;
    }
    TempServer server;
};

TEST_P(Formats, CsvAndJsonHoldTheRowsOfTheText)
{
    const Rows expected = rowsOfText(GetParam().text, run(GetParam().args, "text"));
    ASSERT_FALSE(expected.empty());
    Row csvColumns, jsonKeys;
    EXPECT_EQ(rowsOfCsv(run(GetParam().args, "csv"), csvColumns), expected);
    EXPECT_EQ(csvColumns, GetParam().columns);
    EXPECT_EQ(rowsOfJson(run(GetParam().args, "json"), jsonKeys), expected);
    EXPECT_EQ(jsonKeys, GetParam().columns);
}

INSTANTIATE_TEST_SUITE_P(
    VerbFamilies, Formats,
    ::testing::Values(FormatCase{{"downloads-by-date"}, Text::Listing, {"file", "count"}},
                      FormatCase{{"downloads-by-number"}, Text::Listing, {"file", "count"}},
                      FormatCase{{"uploads-by-account"}, Text::Listing, {"account", "count"}},
                      FormatCase{{"downloads-by-address"}, Text::Listing, {"address", "count"}},
                      FormatCase{{"downloads-by-day"}, Text::Listing, {"day", "count"}},
                      FormatCase{{"uploads-by-month"}, Text::Listing, {"month", "count"}},
                      FormatCase{{"downloads-by-hour"}, Text::Listing, {"hour", "count"}},
                      FormatCase{{"last-downloads"}, Text::Last, {"account", "last"}},
                      FormatCase{{"inactive-uploaders"}, Text::HeadedNames, {"account"}},
                      FormatCase{{"accounts"}, Text::Names, {"account"}},
                      FormatCase{{"download-names"}, Text::Names, {"user"}},
                      FormatCase{{"upload-files"}, Text::Names, {"file"}},
                      FormatCase{{"top-downloader"}, Text::Winner, {"user", "count"}},
                      FormatCase{{"top-account-uploader"}, Text::Winner, {"account", "count"}},
                      FormatCase{{"user-downloads", "Bob"}, Text::Hits, {"time", "file"}},
                      FormatCase{{"file-uploads", "c.sit"}, Text::Hits, {"time", "user"}},
                      FormatCase{{"account-both", "bob"}, Text::BothHits, {"side", "time", "file"}}));

// Under a period CSV and JSON hold the rows alone; the records left out go to stderr.
TEST(FormatsUnderAPeriod, NameTheUndatedOnStderrOnly)
{
    TempServer server;
    server.writeDownloadLog("1/2/2001 1:00\tip\tbob\tBob\ta.txt\rlater\tip\tcy\tCy\tc.sit");
    const ReportRun run = reportOn(server, {"--from", "2001-01-01", "downloads-by-date", "--format", "csv"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "file,count\r\na.txt,1\r\n");
    EXPECT_EQ(run.err, "quorvel-report: 1 record without a readable date left out\n");
    const ReportRun wrong = reportOn(server, {"downloads-by-date", "--format", "xml"});
    EXPECT_EQ(wrong.code, 2);
    EXPECT_EQ(wrong.err.substr(0, wrong.err.find('\n') + 1), "quorvel-report: --format must be text, csv or json\n");
}

// The tool's CSV is the scripts' contract: a name that a spreadsheet would take for a formula
// is written as it is (only the window's "Export as CSV..." guards it).
TEST(FormatsOfTheTool, CsvKeepsNamesThatLookLikeFormulas)
{
    TempServer server;
    server.writeDownloadLog("1/2/2001 1:00\tip\tbob\t=HYPERLINK(\"http://a.b/\",\"x\")\t-a.txt");
    EXPECT_EQ(reportOn(server, {"--format=csv", "download-names"}).out,
              "user\r\n\"=HYPERLINK(\"\"http://a.b/\"\",\"\"x\"\")\"\r\n");
    EXPECT_EQ(reportOn(server, {"--format=csv", "download-files"}).out, "file\r\n-a.txt\r\n");
}

} // namespace
} // namespace quorvel::test
