// SPDX-License-Identifier: MIT
// Every answer is refused when what the system can give is less than what the answer really
// allocates, and answers when it can give a few times that. What an answer allocates is
// measured here: this program replaces the global operator new and counts every block live.
// The logs are kept small enough that no allocation reaches the 2 MiB from which large arrays
// are mapped directly (core/hugepages.h) and would pass by the count.
#include "fakeplatform.h"
#include "fakewindow.h"
#include "tempserver.h"

#include "commands/answersize.h"
#include "commands/commandtable.h"
#include "commands/loading.h"
#include "commands/program.h"
#include "commands/reports.h"
#include "commands/saving.h"
#include "commands/serverfolder.h"
#include "present/exports.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <malloc.h>
#include <new>
#include <string>
#include <vector>

namespace {

std::size_t liveBytes = 0;
std::size_t peakBytes = 0;

void* counted(void* block)
{
    if (!block)
        throw std::bad_alloc();
    liveBytes += malloc_usable_size(block);
    peakBytes = std::max(peakBytes, liveBytes);
    return block;
}

void* counted(std::size_t n, std::align_val_t align)
{
    const auto a = static_cast<std::size_t>(align);
    return counted(std::aligned_alloc(a, (std::max<std::size_t>(n, 1) + a - 1) / a * a));
}

void uncounted(void* block) noexcept
{
    if (block) {
        liveBytes -= malloc_usable_size(block);
        std::free(block);
    }
}

} // namespace

// Every form of new and delete, so that no block is made by one allocator and freed by another
// (AddressSanitizer replaces them all).
void* operator new(std::size_t n)
{
    return counted(std::malloc(n == 0 ? 1 : n));
}
void* operator new[](std::size_t n)
{
    return operator new(n);
}
void* operator new(std::size_t n, std::align_val_t align)
{
    return counted(n, align);
}
void* operator new[](std::size_t n, std::align_val_t align)
{
    return counted(n, align);
}
void* operator new(std::size_t n, const std::nothrow_t&) noexcept
{
    try {
        return operator new(n);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t n, const std::nothrow_t& tag) noexcept
{
    return operator new(n, tag);
}
void* operator new(std::size_t n, std::align_val_t align, const std::nothrow_t&) noexcept
{
    try {
        return counted(n, align);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t n, std::align_val_t align, const std::nothrow_t& tag) noexcept
{
    return operator new(n, align, tag);
}
void operator delete(void* block) noexcept
{
    uncounted(block);
}
void operator delete[](void* block) noexcept
{
    uncounted(block);
}
void operator delete(void* block, std::size_t) noexcept
{
    uncounted(block);
}
void operator delete[](void* block, std::size_t) noexcept
{
    uncounted(block);
}
void operator delete(void* block, std::align_val_t) noexcept
{
    uncounted(block);
}
void operator delete[](void* block, std::align_val_t) noexcept
{
    uncounted(block);
}
void operator delete(void* block, std::size_t, std::align_val_t) noexcept
{
    uncounted(block);
}
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept
{
    uncounted(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept
{
    uncounted(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept
{
    uncounted(block);
}
void operator delete(void* block, std::align_val_t, const std::nothrow_t&) noexcept
{
    uncounted(block);
}
void operator delete[](void* block, std::align_val_t, const std::nothrow_t&) noexcept
{
    uncounted(block);
}

namespace quorvel::test {
namespace {

// What the system can give while a test runs.
std::uint64_t budget = 0;
std::uint64_t givenBudget()
{
    return budget;
}

// A number generator of its own, so the logs are the same on every run.
class Numbers {
public:
    std::uint32_t below(std::uint32_t n)
    {
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<std::uint32_t>(state_ >> 33) % n;
    }

private:
    std::uint64_t state_ = 7;
};

std::string nameOf(const char* kind, std::uint32_t i, std::uint32_t extra)
{
    return kind + std::to_string(i) + std::string(extra, 'x');
}

// 12,000 transfers over ten thousand years, each from an address of its own: the counts by
// day and by address are as large as the load allows. Names of many lengths, some 8-bit; long
// file names, so that a search's text outweighs what else it takes.
std::string spreadLog(std::uint32_t lines)
{
    Numbers random;
    std::string log = "Date/time\tAddress\tAccount\tName\tFile Name";
    for (std::uint32_t i = 0; i < lines; ++i) {
        // Half the transfers are one user's, half of a file's: searches with many hits.
        const std::uint32_t user = random.below(2) ? 0 : random.below(900);
        const std::uint32_t file = random.below(2) ? 0 : random.below(3000);
        log += "\r" + std::to_string(1 + random.below(12)) + "/" + std::to_string(1 + random.below(28)) + "/" +
               std::to_string(1 + random.below(9999)) + " " + std::to_string(random.below(24)) + ":0" +
               std::to_string(random.below(10)) + "\t10." + std::to_string(i / 65536) + "." +
               std::to_string(i / 256 % 256) + "." + std::to_string(i % 256) + "\t" +
               nameOf("acct", random.below(40), 0) + "\t" + nameOf(user % 7 ? "user" : "us\xe9r", user, user % 23) +
               "\t" + nameOf("file", file, 100 + file % 61);
    }
    return log;
}

// The most frequent value of a column in the loaded download log: what the searches look for.
std::string mostFrequent(const LogRecords& records, Field field)
{
    const KeyTally& tally = records.tally(field);
    const auto most = std::max_element(tally.counts().begin(), tally.counts().end());
    return std::string(tally.keys()[static_cast<std::size_t>(most - tally.counts().begin())]);
}

// A window that keeps no captions: the fake window's list of them would grow with every
// command and count as the answer's.
class QuietWindow : public FakeWindow {
public:
    void setStatus(std::string_view) override {}
};

struct Ran {
    Outcome outcome = Outcome::done();
    std::size_t peak = 0; // bytes allocated at the peak beyond what was live before the command
    std::string output;
};

class AnswerMemory : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        server.writeDownloadLog(spreadLog(12'000));
        server.writeUploadLog(spreadLog(3'000));
        for (int i = 0; i < 40; i += 2)
            server.addAccount(nameOf("acct", static_cast<std::uint32_t>(i), 0));
    }

    // Loads everything on a fresh window, then runs the verb with `left` bytes to be had, then
    // `after` on its result (a search's table reads the records, which go with the window).
    Ran run(const CommandRow& row, std::uint64_t left,
                 const std::function<void(const Answer&)>& after = nullptr)
    {
        QuietWindow window;
        FakePlatform platform;
        Analyzer a(window, platform, FolderFile(server.programFolder(), server.configFolder()));
        setServerFolder(a, server.folder());
        mnuloadall_Click(a);
        if (GetParam())
            a.state.period = Period{dayNumber({100, 1, 1}), dayNumber({9999, 12, 31})};
        window.output = "an earlier result";
        const std::string value = valueFor(row, a);
        budget = left;
        a.memoryLeft = givenBudget;
        const std::size_t before = liveBytes;
        peakBytes = liveBytes;
        Ran result;
        result.outcome = runCommand(a, [&](Analyzer& analyzer) { return runRow(analyzer, row, value); });
        result.peak = peakBytes - before;
        result.output = window.output;
        if (after && a.lastAnswer)
            after(*a.lastAnswer);
        return result;
    }

    static std::string valueFor(const CommandRow& row, const Analyzer& a)
    {
        const LogRecords& records = a.state.download.records;
        if (row.value == ValueKind::Name)
            return mostFrequent(records, Field::username);
        if (row.value == ValueKind::File)
            return mostFrequent(records, Field::filename);
        if (row.value == ValueKind::Address)
            return std::string(records.spare(0));
        if (row.value == ValueKind::Day)
            return dayText(readStamp(records.stamp(0)).value_or(Stamp{}).day);
        return row.value == ValueKind::Account ? mostFrequent(records, Field::account) : std::string();
    }

    TempServer server;
};

// Allocations of tables made outside a command: CSV and JSON.
template <class Make> std::size_t peakOf(Make make)
{
    const std::size_t before = liveBytes;
    peakBytes = liveBytes;
    const std::string text = make();
    return peakBytes - before;
}

// The answers of the download log's verbs; the upload twins run the same code.
std::vector<const CommandRow*> answerVerbs()
{
    std::vector<const CommandRow*> verbs;
    for (const CommandRow& row : commandTable())
        if (!row.verb.empty() && row.verb != "accounts" && !row.verb.starts_with("upload") &&
            !row.verb.ends_with("-uploads") && !row.verb.ends_with("uploader") && row.verb != "account-both")
            verbs.push_back(&row);
    verbs.push_back(findVerb("account-both"));
    return verbs;
}

TEST_P(AnswerMemory, EveryAnswerIsRefusedBelowWhatItTakesAndAnswersAtAFewTimesThat)
{
    for (const CommandRow* row : answerVerbs()) {
        SCOPED_TRACE(std::string(row->verb));
        const Ran measured = run(*row, UINT64_MAX);
        ASSERT_TRUE(measured.outcome.isDone());
        const Ran below = run(*row, measured.peak - 1);
        EXPECT_EQ(below.outcome.reasons(), std::vector<std::string>{"Not enough memory for this command"})
            << "an answer that takes " << measured.peak << " bytes was not refused below that";
        EXPECT_TRUE(below.output == "an earlier result");
        const std::uint64_t plenty = 6 * measured.peak + 65536;
        const Ran above = run(*row, plenty);
        EXPECT_TRUE(above.outcome.isDone())
            << "an answer that takes " << measured.peak << " bytes was refused at " << plenty;
        EXPECT_TRUE(above.output == measured.output);
    }
}

TEST_P(AnswerMemory, CsvAndJsonTakeNoMoreThanTheirEstimateNorManyTimesLess)
{
    for (const CommandRow* row : answerVerbs()) {
        SCOPED_TRACE(std::string(row->verb));
        bool made = false;
        run(*row, UINT64_MAX, [&](const Answer& table) {
            made = true;
            const std::size_t csv = peakOf([&] { return csvText(table, CsvCells::Guarded); });
            const std::size_t json = peakOf([&] { return jsonText(table); });
            EXPECT_GE(csvSize(table).bytes, csv);
            EXPECT_GE(jsonSize(table).bytes, json);
            EXPECT_LE(csvSize(table).bytes, 12 * csv + 65536);
            EXPECT_LE(jsonSize(table).bytes, 12 * json + 65536);
        });
        EXPECT_TRUE(made);
    }
}

// `rows` names of the bytes that grow most: Windows-1252 bytes that become three bytes of UTF-8
// (and a quote, doubled in CSV), or control bytes that JSON writes as six.
std::string growingNames(char first, char last, int rows)
{
    std::string log;
    for (int i = 0; i < rows; ++i) {
        std::string name = std::to_string(i) + "\"";
        for (int k = 0; k < 150; ++k)
            name += static_cast<char>(first + (i + k) % (last - first + 1));
        log += "1/2/2003 4:05\t10.0.0.1\tacct\tuser\t" + name + "\r\n";
    }
    return log;
}

// A text made by appending holds up to three times its bytes while it moves, depending on how
// far its end lies past a doubling of its room: tables of rows from n to 2n meet the worst.
TEST(ExportMemory, NamesThatGrowMostStayWithinTheEstimate)
{
    for (const auto& [first, last] : {std::pair{'\x80', '\x9f'}, std::pair{'\x01', '\x08'}}) {
        for (int step = 0; step < 12; ++step) {
            const int rows = static_cast<int>(1000 * std::exp2(step / 12.0));
            SCOPED_TRACE(std::to_string(rows) + " rows from byte " + std::to_string(first));
            TempServer server;
            server.writeDownloadLog(growingNames(first, last, rows));
            QuietWindow window;
            FakePlatform platform;
            Analyzer a(window, platform, FolderFile(server.programFolder(), server.configFolder()));
            setServerFolder(a, server.folder());
            ASSERT_TRUE(runCommand(a, [](Analyzer& analyzer) { return runMenuItem(analyzer, "mnudownloadnumber"); }).isDone());
            const Answer& table = *a.lastAnswer;
            EXPECT_GE(csvSize(table).bytes, peakOf([&] { return csvText(table, CsvCells::Guarded); }));
            EXPECT_GE(jsonSize(table).bytes, peakOf([&] { return jsonText(table); }));
        }
    }
}

// The window's "Export as CSV..." asks the same before it makes the file's text.
TEST(ExportMemory, TheWindowsExportIsRefusedBelowWhatItsTextTakes)
{
    TempServer server;
    server.writeDownloadLog(spreadLog(12'000));
    QuietWindow window;
    FakePlatform platform;
    Analyzer a(window, platform, FolderFile(server.programFolder(), server.configFolder()));
    setServerFolder(a, server.folder());
    ASSERT_TRUE(runCommand(a, [](Analyzer& analyzer) { return runMenuItem(analyzer, "mnudownloadnumber"); }).isDone());
    const std::size_t takes = peakOf([&] { return csvText(*a.lastAnswer, CsvCells::Guarded); });
    const std::string file = (server.root() / "export.csv").string();
    a.memoryLeft = givenBudget;
    for (const std::uint64_t left : {std::uint64_t{takes - 1}, std::uint64_t{UINT64_MAX}}) {
        budget = left;
        platform.saveAnswers.push_back(file);
        const Outcome outcome = runCommand(a, [](Analyzer& analyzer) { return mnuexportcsv_Click(analyzer); });
        const bool enough = left == UINT64_MAX;
        EXPECT_EQ(outcome.isDone(), enough);
        EXPECT_EQ(outcome.reasons(),
                  enough ? std::vector<std::string>{} : std::vector<std::string>{"Not enough memory for this command"});
        EXPECT_EQ(std::filesystem::exists(file), enough);
    }
    EXPECT_EQ(window.output.substr(0, 22), "Downloads By Number...");
}

INSTANTIATE_TEST_SUITE_P(Periods, AnswerMemory, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& period) {
                             return period.param ? "UnderAPeriod" : "AllTime";
                         });

} // namespace
} // namespace quorvel::test
