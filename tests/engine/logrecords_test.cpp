// SPDX-License-Identifier: MIT
// The loaded records keep their own copies of what they hold: the text they were cut from may
// go away. The interned columns count every value in order of first occurrence, and a load that
// keeps only some columns counts those the same way.
#include "ingest/linecutter.h"
#include "ingest/recordparser.h"
#include "model/logrecords.h"
#include "core/textarena.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace quorvel {
namespace {

// Appends the lines of text to records as a load does, then overwrites the text.
void appendAndForget(LogRecords& records, std::string text)
{
    std::vector<LineCut> cuts;
    fixstr(text, [&](const ScannedLine& line) { cuts.push_back(sortstr4(line)); });
    records.append(text, std::span<const LineCut>(cuts));
    text.assign(text.size(), '#');
}

const std::string firstPart = "d1\tip1\tbob\tBob\ta.txt\rd2\tip2\tann\tAnn\t" + std::string(300, 'L') + "\r";
const std::string secondPart = "d3\tip3\tbob\tAnn\ta.txt\rstamp only\rd5\t\tann";

TEST(LogRecords, KeepEveryFieldAfterTheTextIsGone)
{
    LogRecords records;
    appendAndForget(records, firstPart);
    appendAndForget(records, secondPart);
    ASSERT_EQ(records.count(), 5);
    const std::vector<std::vector<std::string>> expected{{"d1", "ip1", "bob", "Bob", "a.txt"},
                                                         {"d2", "ip2", "ann", "Ann", std::string(300, 'L')},
                                                         {"d3", "ip3", "bob", "Ann", "a.txt"},
                                                         {"stamp only", "", "", "", ""},
                                                         {"d5", "", "ann", "", ""}};
    for (std::int64_t i = 0; i < records.count(); ++i)
        for (int f = 0; f < 5; ++f)
            EXPECT_EQ(records.field(i, static_cast<Field>(f)),
                      expected[static_cast<std::size_t>(i)][static_cast<std::size_t>(f)])
                << "record " << i << " field " << f;
}

TEST(LogRecords, InternedColumnsCountInOrderOfFirstOccurrence)
{
    LogRecords records;
    appendAndForget(records, firstPart);
    appendAndForget(records, secondPart);
    const KeyTally& users = records.tally(Field::username);
    EXPECT_EQ(users.keys(), (std::vector<std::string_view>{"Bob", "Ann", ""}));
    EXPECT_EQ(users.counts(), (std::vector<std::int64_t>{1, 2, 2}));
    const std::span<const std::uint32_t> ids = records.ids(Field::account);
    EXPECT_EQ(std::vector<std::uint32_t>(ids.begin(), ids.end()), (std::vector<std::uint32_t>{0, 1, 0, 2, 1}));
}

TEST(LogRecords, AColumnKeptAloneCountsAsInAFullLoad)
{
    LogRecords all;
    LogRecords accounts(FieldSet{Field::account});
    for (LogRecords* records : {&all, &accounts}) {
        appendAndForget(*records, firstPart);
        appendAndForget(*records, secondPart);
    }
    EXPECT_FALSE(accounts.keeps(Field::filename));
    EXPECT_EQ(accounts.count(), all.count());
    EXPECT_EQ(accounts.tally(Field::account).keys(), all.tally(Field::account).keys());
    EXPECT_EQ(accounts.tally(Field::account).counts(), all.tally(Field::account).counts());
}

TEST(TextArena, CopiesStayIntactAcrossBlocksOfEverySize)
{
    TextArena arena(64);
    std::vector<std::pair<std::string, std::string_view>> kept;
    for (std::size_t n : {0u, 1u, 10u, 15u, 16u, 17u, 40u, 100u, 3u, 64u, 65u, 5u}) {
        std::string bytes(n, static_cast<char>('a' + kept.size()));
        kept.emplace_back(bytes, arena.keep(bytes));
    }
    const TextArena moved = std::move(arena);
    for (const auto& [bytes, copy] : kept)
        EXPECT_EQ(copy, bytes);
}

} // namespace
} // namespace quorvel
