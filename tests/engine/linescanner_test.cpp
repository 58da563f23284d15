// SPDX-License-Identifier: MIT
#include "commands/loading.h"
#include "ingest/linecutter.h"
#include "ingest/recordparser.h"

#include "enginefixture.h"
#include "logtext.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvel {
namespace {

using test::referenceCut;

// A separator placed so that it straddles or touches a 64-byte block boundary of the scan.
struct BoundaryCase {
    std::size_t at;
    std::string separator;
};

void PrintTo(const BoundaryCase& c, std::ostream* os)
{
    *os << "at " << c.at << " separator of " << c.separator.size() << " bytes";
}

std::vector<BoundaryCase> boundaryCases()
{
    const std::vector<std::string> separators{
        "\r\n",    "\r", "\n", "\t", "\t\t\t\t\t", "\n\r", "\rDate/time\t", "\rDate/time", "\r\nDate/times\tx",
        "\r\r\n\n"};
    std::vector<BoundaryCase> cases;
    for (const std::size_t at : {0, 1, 62, 63, 64, 65, 126, 127, 128})
        for (const std::string& separator : separators)
            cases.push_back({at, separator});
    return cases;
}

std::string boundaryText(const BoundaryCase& c)
{
    std::string text;
    for (std::size_t i = 0; i < c.at; ++i)
        text += static_cast<char>(i % 7 == 3 ? '\t' : 'a' + static_cast<char>(i % 26));
    return text + c.separator + "y\tz";
}

class BlockBoundaries : public ::testing::TestWithParam<BoundaryCase> {};

TEST_P(BlockBoundaries, CutterLosesNoLineEndOrTabBetweenBlocks)
{
    const std::string text = boundaryText(GetParam());
    std::vector<std::string> lines;
    fixstr(text, [&](const ScannedLine& line) { lines.push_back(text.substr(line.begin, line.end - line.begin)); });
    EXPECT_EQ(lines, referenceCut(text));
}

INSTANTIATE_TEST_SUITE_P(Scan, BlockBoundaries, ::testing::ValuesIn(boundaryCases()));

TEST(RecordParserBlocks, FindsEveryTabAcrossBlockBoundaries)
{
    for (const std::size_t at : {0u, 1u, 62u, 63u, 64u, 65u, 127u}) {
        const std::string line = std::string(at, 'x') + "\ta\tb\t\tc\td";
        LineCut cut;
        fixstr(line, [&](const ScannedLine& found) { cut = sortstr4(found); });
        EXPECT_EQ(cut.field(line, Field::stamp), std::string(at, 'x')) << "first TAB at " << at;
        EXPECT_EQ((std::vector<std::string_view>{cut.field(line, Field::spare), cut.field(line, Field::account),
                                                 cut.field(line, Field::username), cut.field(line, Field::filename)}),
                  (std::vector<std::string_view>{"a", "b", "", "c\td"}))
            << "first TAB at " << at;
    }
}

using LoadCaptions = test::EngineTest;

TEST_F(LoadCaptions, FusedLoadShowsEveryPhaseAndCountsRecordsNotLines)
{
    std::string log = "Date/time\tAddress\tAccount\tName\tFile Name";
    for (int i = 0; i < 5000; ++i)
        log += "\r01/31/2001 10:41:18 PM\t1.2.3.4\tguest\tJoe\tfile" + std::to_string(i % 3);
    server.writeDownloadLog(log);
    loadlog(a, Side::Download);
    const std::string size = std::to_string(log.size());
    const std::vector<std::string> expected{"(Download Log) Loading...   0/" + size,
                                            "(Download Log) Loading...   " + size + "/" + size,
                                            "(Download Log) Converting to a usable string...",
                                            "(Download Log) Sorting...   0/5000",
                                            "(Download Log) Sorting...   4096/5000",
                                            "(Download Log) Sorting...   5000/5000",
                                            "(Download Log) Done..."};
    // The log spans several read blocks; each shows its own "Loading..." caption.
    std::vector<std::string> statuses = window.statuses;
    std::erase_if(statuses, [&](const std::string& s) {
        return s.starts_with("(Download Log) Loading...") && s != expected[0] && s != expected[1];
    });
    EXPECT_EQ(statuses, expected);
    ASSERT_EQ(a.state.download.records.count(), 5000);
    EXPECT_EQ(a.state.download.records.filename(4999), "file1");
}

} // namespace
} // namespace quorvel
