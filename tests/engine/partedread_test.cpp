// SPDX-License-Identifier: MIT
// A log read by several threads at once, each taking the lines that start in its share of the
// bytes: whatever the number of parts and wherever their bounds fall (inside a line, between a
// CR and its LF, inside a line longer than a block, inside the byte order mark), the records,
// their first occurrences and counts are those of the lines as a plain model cuts them.
#include "logtext.h"
#include "tempserver.h"

#include "ingest/linestream.h"
#include "ingest/readlog.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace quorvel::test {
namespace {

namespace fs = std::filesystem;

using Fields = std::array<std::string, 5>;

// The records of a log text as a plain model cuts them: a byte order mark at the start is no
// text, columns end at the first four TABs of a line (referenceCut cuts the lines).
std::vector<Fields> modelRecords(std::string_view text)
{
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    std::vector<Fields> records;
    for (const std::string& line : referenceCut(text)) {
        Fields f;
        std::size_t at = 0;
        for (std::size_t c = 0; c < 4; ++c) {
            const std::size_t from = std::min(at, line.size());
            const std::size_t tab = std::min(line.find('\t', from), line.size());
            f[c] = line.substr(from, tab - from);
            at = tab + 1;
        }
        f[4] = at <= line.size() ? line.substr(at) : "";
        records.push_back(f);
    }
    return records;
}

class NoProgress final : public Progress {
public:
    void reached(std::int64_t, std::int64_t) override {}
};

class PartedRead : public ::testing::Test {
protected:
    LogRead read(const std::string& text, unsigned parts, const LoadPlan& plan = {})
    {
        server.writeDownloadLog(text);
        const LogFile file(logPath());
        return readRecords(file, plan, progress, std::uint64_t{1} << 34, ThreadCount{parts, true});
    }
    fs::path logPath() const { return fs::path(server.folder()) / "Download Log.txt"; }

    TempServer server;
    NoProgress progress;
};

// Lines of every ending, empty lines, headers, names seen again, short lines without TABs.
std::string mixedLog()
{
    std::string text = "\xEF\xBB\xBF"
                       "Date/time\tIP\tAccount\tName\tFile\r\n";
    const char* ends[] = {"\r\n", "\r", "\n", "\r\n\r\n", "\n\n"};
    for (int i = 0; i < 60; ++i) {
        text += "1/" + std::to_string(i % 28 + 1) + "/2001 10:00:00\t10.0.0." + std::to_string(i % 3) + "\tacct" +
                std::to_string(i % 4) + "\tuser" + std::to_string((i * 7) % 5) + "\tfile " + std::to_string(i % 9);
        text += ends[i % 5];
        if (i % 17 == 0)
            text += "Date/time\tagain\n";
        if (i % 13 == 0)
            text += "no tabs at all\r";
    }
    return text;
}

void expectModelRecords(const LogRead& got, const std::string& text, unsigned parts)
{
    const std::vector<Fields> want = modelRecords(text);
    ASSERT_EQ(got.status, LogRead::Status::Read) << parts << " parts";
    ASSERT_EQ(got.records.count(), static_cast<std::int64_t>(want.size())) << parts << " parts";
    EXPECT_EQ(got.lines, static_cast<std::int64_t>(want.size()));
    for (std::size_t i = 0; i < want.size(); ++i)
        for (std::size_t f = 0; f < 5; ++f)
            ASSERT_EQ(got.records.field(static_cast<std::int64_t>(i), static_cast<Field>(f)), want[i][f])
                << parts << " parts, record " << i << ", column " << f;
    for (const Field f : {Field::account, Field::username, Field::filename}) {
        std::vector<std::string> order;
        std::map<std::string, std::int64_t> counts;
        for (const Fields& r : want)
            if (counts[r[static_cast<std::size_t>(f)]]++ == 0)
                order.push_back(r[static_cast<std::size_t>(f)]);
        const KeyTally& tally = got.records.tally(f);
        ASSERT_EQ(tally.size(), order.size()) << parts << " parts";
        for (std::size_t k = 0; k < order.size(); ++k) {
            EXPECT_EQ(tally.keys()[k], order[k]) << parts << " parts: first occurrences in log order";
            EXPECT_EQ(tally.counts()[k], counts[order[k]]) << parts << " parts";
        }
    }
}

TEST_F(PartedRead, AnyNumberOfPartsGivesTheRecordsOfTheWholeLog)
{
    const std::string text = mixedLog();
    const std::optional<DaySpan> days = read(text, 1).days;
    for (unsigned parts = 1; parts <= 40; ++parts) {
        const LogRead got = read(text, parts);
        expectModelRecords(got, text, parts);
        EXPECT_EQ(got.days, days) << parts << " parts";
    }
}

// Logs the fuzz targets found when the parts were cut wrong.
TEST_F(PartedRead, ShortLogsInManyParts)
{
    constexpr char withNul[] = "\xEFV\0Date/time\tAddress\tAcso\1\0\0+unt\tName\tFile \x0C"
                               "ame\r1.2/2003 4-04:00:05:06 PM\t10.0.0.1\tbob\tBob\ta.txt";
    const std::string texts[] = {
        std::string("juqt text\rd\tt\ta\rd\tt\ta\tu\rd\t\r\t\t\t\tx"),
        std::string(withNul, sizeof withNul - 1),
    };
    for (const std::string& text : texts)
        for (unsigned parts = 1; parts <= 9; ++parts)
            expectModelRecords(read(text, parts), text, parts);
}

TEST_F(PartedRead, ALineLongerThanABlockStaysWholeWhereverThePartsEnd)
{
    const std::string text =
        "a\tb\tc\td\tshort\r\n" + std::string(lineBlockBytes * 2 + 7, 'L') + "\r\nx\ty\tz\tw\tafter";
    for (const unsigned parts : {2u, 3u, 5u, 7u, 64u})
        expectModelRecords(read(text, parts), text, parts);
}

// A search and a period judge each line where it is read: the kept records, their stamps and
// the undated ones counted are the same in parts.
TEST_F(PartedRead, ASearchUnderAPeriodKeepsTheSameRecordsInParts)
{
    LoadPlan plan;
    plan.match = Field::account;
    plan.value = "acct1";
    plan.period = Period{dayNumber({2001, 1, 5}), dayNumber({2001, 1, 20})};
    plan.stamps = true;
    plan.days = false;
    std::string text = mixedLog() + "\nnot a stamp\tip\tacct1\tu\tf\n";
    const LogRead one = read(text, 1, plan);
    ASSERT_GT(one.records.count(), 0);
    ASSERT_EQ(one.undated, 6); // five lines without TABs and the one without a stamp
    for (const unsigned parts : {2u, 3u, 7u, 19u}) {
        const LogRead got = read(text, parts, plan);
        ASSERT_EQ(got.records.count(), one.records.count()) << parts << " parts";
        EXPECT_EQ(got.undated, one.undated);
        EXPECT_EQ(*got.stamps, *one.stamps);
        EXPECT_EQ(got.days, one.days);
        for (std::int64_t i = 0; i < one.records.count(); ++i)
            EXPECT_EQ(got.records.filename(i), one.records.filename(i)) << parts << " parts, record " << i;
    }
}

TEST_F(PartedRead, ALineStartsAtTheFirstLineEndFromTheByteBefore)
{
    const std::string text = "ab\r\ncd\re\n\nf\r";
    server.writeDownloadLog(text);
    const LogFile file(logPath());
    for (std::uint64_t at = 0; at <= text.size(); ++at) {
        std::uint64_t want = at;
        if (at > 0) {
            const std::size_t end = text.find_first_of("\r\n", at - 1);
            want = end == std::string::npos ? text.size() : end + 1;
        }
        EXPECT_EQ(lineStartFrom(file, at, [] {}), want) << "from " << at;
    }
}

// One part over the budget stops the others at once, even one looking through a terabyte for
// the start of its first line.
TEST_F(PartedRead, APartOverTheBudgetStopsTheOthers)
{
    server.writeDownloadLog("");
    fs::resize_file(logPath(), std::uintmax_t{1} << 40);
    const LogFile file(logPath());
    const LogRead got = readRecords(file, LoadPlan{}, progress, std::uint64_t{1} << 30, ThreadCount{2, true});
    EXPECT_EQ(got.status, LogRead::Status::NotEnoughMemory);
    EXPECT_EQ(got.records.count(), 0);
}

TEST_F(PartedRead, ALogCutShortAfterItWasOpenedIsShrunk)
{
    server.writeDownloadLog(mixedLog());
    const LogFile file(logPath());
    fs::resize_file(logPath(), file.size() / 2);
    const LogRead got = readRecords(file, LoadPlan{}, progress, std::uint64_t{1} << 34, ThreadCount{3, true});
    EXPECT_EQ(got.status, LogRead::Status::Shrunk);
    EXPECT_EQ(got.records.count(), 0);
}

// What the progress throws stops the threads and passes through.
TEST_F(PartedRead, AnExceptionFromTheProgressPassesThrough)
{
    class Refusing final : public Progress {
    public:
        void reached(std::int64_t, std::int64_t) override { throw std::runtime_error("cancelled"); }
    } refusing;
    server.writeDownloadLog(mixedLog());
    const LogFile file(logPath());
    EXPECT_THROW(readRecords(file, LoadPlan{}, refusing, std::uint64_t{1} << 34, ThreadCount{4, true}),
                 std::runtime_error);
}

} // namespace
} // namespace quorvel::test
