// SPDX-License-Identifier: MIT
// The questions on a small model, without windows: counts in log order and by count, the
// winner among equal counts, the accounts without records, and the walk of a search with its
// progress reports.
#include "ingest/linecutter.h"
#include "ingest/recordparser.h"
#include "query/counts.h"
#include "query/search.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace quorvel {
namespace {

LogRecords recordsOf(const std::string& text)
{
    std::vector<LineCut> cuts;
    fixstr(text, [&](const ScannedLine& line) { cuts.push_back(sortstr4(line)); });
    LogRecords records;
    records.append(text, std::span<const LineCut>(cuts));
    return records;
}

using Rows = std::vector<std::pair<std::string_view, std::int64_t>>;

Rows rowsOf(const std::vector<filecount>& files)
{
    Rows rows;
    for (const filecount& file : files)
        rows.emplace_back(file.filename, file.count);
    return rows;
}

const std::string log = "s1\tip\tann\tAnn\tb.txt\r"
                        "s2\tip\tbob\tBob\ta.txt\r"
                        "s3\tip\tann\tBob\t\r"
                        "s4\tip\tBob\tAnn\tb.txt\r"
                        "s5\tip\tbob\tCy\tc.txt";

TEST(Query, FileTallyKeepsFirstOccurrenceAndLeavesOutRecordsWithoutAFile)
{
    const LogRecords records = recordsOf(log);
    std::vector<filecount> files = fileTally(records, Selection{});
    EXPECT_EQ(rowsOf(files), (Rows{{"b.txt", 2}, {"a.txt", 1}, {"c.txt", 1}}));
    sortAscendingByCount(files, [](const filecount& f) { return f.count; });
    EXPECT_EQ(rowsOf(files), (Rows{{"a.txt", 1}, {"c.txt", 1}, {"b.txt", 2}}));
}

TEST(Query, AccountsAreCountedByteForByteAndTheLastOfEqualCountsWins)
{
    const LogRecords records = recordsOf(log);
    const std::vector<std::string_view> names{"bob", "nobody", "ann", "Bob", ""};
    const std::vector<std::int64_t> counts = countEach(records, Field::account, names, Selection{});
    EXPECT_EQ(counts, (std::vector<std::int64_t>{2, 0, 2, 1, 0}));
    const std::optional<Winner> winner = lastMaximum(names, counts);
    ASSERT_TRUE(winner);
    EXPECT_EQ(winner->name, "ann");
    EXPECT_EQ(winner->count, 2);
    EXPECT_FALSE(lastMaximum({}, {}));
    EXPECT_EQ(uncounted(names, counts), (std::vector<std::string_view>{"nobody", ""}));
}

class RecordedProgress final : public Progress {
public:
    void reached(std::int64_t done, std::int64_t total) override { reports.emplace_back(done, total); }
    std::vector<std::pair<std::int64_t, std::int64_t>> reports;
};

TEST(Query, FindRecordsWalksInStridesAndFindsEveryHitInOrder)
{
    std::string text;
    for (int i = 0; i < 10000; ++i)
        text += "s\tip\tacct\t" + std::string(i % 3000 == 7 ? "hit" : "other") + "\tf\r\n";
    const LogRecords records = recordsOf(text);
    RecordedProgress progress;
    EXPECT_EQ(findRecords(records, Field::username, "hit", Selection{}, progress), (std::vector<std::int64_t>{7, 3007, 6007, 9007}));
    using Reports = std::vector<std::pair<std::int64_t, std::int64_t>>;
    const Reports strides{{4096, 10000}, {8192, 10000}, {10000, 10000}};
    EXPECT_EQ(progress.reports, strides);
    progress.reports.clear();
    EXPECT_TRUE(findRecords(records, Field::username, "Hit", Selection{}, progress).empty());
    EXPECT_EQ(progress.reports, strides);
}

} // namespace
} // namespace quorvel
