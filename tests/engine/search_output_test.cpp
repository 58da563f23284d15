// SPDX-License-Identifier: MIT
#include "enginefixture.h"
#include "searchlog.h"

#include "commands/loading.h"
#include "commands/searches.h"
#include "present/statustext.h"

#include <string>
#include <vector>

namespace quorvel::test {
namespace {

// Both logs loaded; record 1 of each carries the names that several cases look for, so a
// search that skips record 1 loses its first hit.
class LoadedLogs : public EngineTest {
protected:
    LoadedLogs()
    {
        server.writeDownloadLog(serverLog({
            record("d1", "bob", "Bob", "a.txt"),
            record("d2", "alice", "Alice", "b.txt"),
            record("d3", "Bob", "bob", "a.txt"),
            record("d4", "bob2", "Bob ", "A.txt"),
            record("d5", "", "", ""),
            record("d6", "bob", "Bob", "dir/a.txt"),
            record("d7", " bob", "Bo", "a.txt "),
        }));
        server.writeUploadLog(serverLog({
            record("u1", "bob", "Bob", "up.sit"),
            record("u2", "carol", "Bob", "up.sit"),
            record("u3", "bob", "Carol", "Up.sit"),
        }));
        loadlog(a, Side::Download);
        loadlog(a, Side::Upload);
        window.statuses.clear();
        window.outputWrites = 0;
    }
};

// namesearch, filesearch or usersearch.
using SearchOf = Question;

struct SearchCase {
    const char* catches;
    SearchOf search;
    Side side;
    const char* key;
    const char* output;
};

void PrintTo(const SearchCase& c, std::ostream* os)
{
    *os << c.catches;
}

class SearchOutput : public LoadedLogs, public ::testing::WithParamInterface<SearchCase> {};

TEST_P(SearchOutput, IsHeadingEmptyLineAndOneLinePerWholeTextCaseSensitiveHitSetOnce)
{
    ask(a, GetParam().search, GetParam().side, GetParam().key);
    EXPECT_EQ(window.output, GetParam().output);
    EXPECT_EQ(window.outputWrites, 1);
    EXPECT_EQ(window.lastStatus(), "Done...");
}

INSTANTIATE_TEST_SUITE_P(
    Searches, SearchOutput,
    ::testing::Values(
        SearchCase{"name: record 1 is examined; case, trailing blank and prefix are no hit", namesearch, Side::Download,
                   "Bob", "Bob had downloaded these files...\r\n\r\nd1: a.txt\r\nd6: dir/a.txt\r\n"},
        SearchCase{"name: lower case is a different name", namesearch, Side::Download, "bob",
                   "bob had downloaded these files...\r\n\r\nd3: a.txt\r\n"},
        SearchCase{"name: no hit leaves the heading alone", namesearch, Side::Download, "nobody",
                   "nobody had downloaded these files...\r\n\r\n"},
        SearchCase{"name: the empty name finds the record with an empty name", namesearch, Side::Download, "",
                   " had downloaded these files...\r\n\r\nd5: \r\n"},
        SearchCase{"name: upload texts, hits from several accounts", namesearch, Side::Upload, "Bob",
                   "Bob had uploaded these files...\r\n\r\nu1: up.sit\r\nu2: up.sit\r\n"},
        SearchCase{"file: one line per record, path and trailing blank matter", filesearch, Side::Download, "a.txt",
                   "Users who have downloaded a.txt...\r\n\r\nd1: Bob\r\nd3: bob\r\n"},
        SearchCase{"file: upper case is a different file", filesearch, Side::Download, "A.txt",
                   "Users who have downloaded A.txt...\r\n\r\nd4: Bob \r\n"},
        SearchCase{"file: no hit", filesearch, Side::Download, "a", "Users who have downloaded a...\r\n\r\n"},
        SearchCase{"file: upload texts", filesearch, Side::Upload, "up.sit",
                   "Users who have uploaded up.sit...\r\n\r\nu1: Bob\r\nu2: Bob\r\n"},
        SearchCase{"account: record 1 included, case, leading blank and longer account are no hit", usersearch,
                   Side::Download, "bob", "Files that bob has downloaded...\r\n\r\nd1: a.txt\r\nd6: dir/a.txt\r\n"},
        SearchCase{"account: no hit", usersearch, Side::Download, "bo", "Files that bo has downloaded...\r\n\r\n"},
        SearchCase{"account: upload record 1 is examined too", usersearch, Side::Upload, "bob",
                   "Files that bob has uploaded...\r\n\r\nu1: up.sit\r\nu3: Up.sit\r\n"}),
    [](const auto& row) { return rowName(row); });

// The status captions of a whole search, in order.
struct CaptionCase {
    const char* catches;
    SearchOf search;
    Side side;
    const char* key;
    std::vector<std::string> statuses;
};

void PrintTo(const CaptionCase& c, std::ostream* os)
{
    *os << c.catches;
}

class SearchCaptions : public LoadedLogs, public ::testing::WithParamInterface<CaptionCase> {};

TEST_P(SearchCaptions, EndWithTheLastRecordsCaptionThenDone)
{
    ask(a, GetParam().search, GetParam().side, GetParam().key);
    EXPECT_EQ(window.statuses, GetParam().statuses);
}

INSTANTIATE_TEST_SUITE_P(
    Searches, SearchCaptions,
    ::testing::Values(
        CaptionCase{"name search, download", namesearch, Side::Download, "x",
                    {"x's Downloads\r\n", "x's Downloads\r\nLooking at Download Number 7/7\r\n", "Done..."}},
        CaptionCase{"name search, upload", namesearch, Side::Upload, "x",
                    {"x's Uploads\r\n", "x's Uploads\r\nLooking at Upload Number 3/3\r\n", "Done..."}},
        CaptionCase{"file search, download", filesearch, Side::Download, "f",
                    {"Searching to see who's downloaded f\r\n",
                     "Searching to see who's downloaded f\r\nLooking at Download Number 7/7\r\n", "Done..."}},
        CaptionCase{"file search, upload", filesearch, Side::Upload, "f",
                    {"Searching to see who's uploaded f\r\n",
                     "Searching to see who's uploaded f\r\nLooking at Upload Number 3/3\r\n", "Done..."}},
        CaptionCase{"account search, download", usersearch, Side::Download, "b",
                    {"Searching to see what b has downloaded\r\n",
                     "Searching to see what b has downloaded\r\nLooking at Download Number 7/7\r\n", "Done..."}},
        CaptionCase{"account search, upload", usersearch, Side::Upload, "b",
                    {"Searching to see what b has uploaded\r\n",
                     "Searching to see what b has uploaded\r\nLooking at Upload Number 3/3\r\n", "Done..."}}),
    [](const auto& row) { return rowName(row); });

TEST_F(LoadedLogs, BothListsDownloadsThenTwoEmptyLinesThenUploads)
{
    ask(a, usersearchboth, Side::Download, "bob");
    EXPECT_EQ(window.output, "Files that bob has downloaded...\r\n\r\nd1: a.txt\r\nd6: dir/a.txt\r\n"
                             "\r\n\r\nFiles that bob has uploaded...\r\n\r\nu1: up.sit\r\nu3: Up.sit\r\n");
    EXPECT_EQ(window.outputWrites, 1);
    EXPECT_EQ(window.statuses, (std::vector<std::string>{
                                   "Searching to see what bob has downloaded\r\n",
                                   "Searching to see what bob has downloaded\r\nLooking at Download Number 7/7\r\n",
                                   "Searching to see what bob has uploaded\r\n",
                                   "Searching to see what bob has uploaded\r\nLooking at Upload Number 3/3\r\n",
                                   "Done...",
                               }));
}

TEST_F(LoadedLogs, BothWithoutDownloadHitsHasThreeEmptyLinesBetweenTheHeadings)
{
    ask(a, usersearchboth, Side::Download, "carol");
    EXPECT_EQ(window.output, "Files that carol has downloaded...\r\n\r\n\r\n\r\n"
                             "Files that carol has uploaded...\r\n\r\nu2: up.sit\r\n");
}

TEST_F(LoadedLogs, BothWithoutAnyHitKeepsBothHeadings)
{
    ask(a, usersearchboth, Side::Download, "nobody");
    EXPECT_EQ(window.output, "Files that nobody has downloaded...\r\n\r\n\r\n\r\n"
                             "Files that nobody has uploaded...\r\n\r\n");
}

TEST_F(EngineTest, NameAndFileSearchesOfAnUnloadedLogGiveTheHeadingWithoutAsking)
{
    ask(a, namesearch, Side::Download, "x");
    EXPECT_EQ(window.output, "x had downloaded these files...\r\n\r\n");
    ask(a, filesearch, Side::Upload, "f");
    EXPECT_EQ(window.output, "Users who have uploaded f...\r\n\r\n");
    EXPECT_EQ(window.statuses, (std::vector<std::string>{"x's Downloads\r\n", "Done...",
                                                         "Searching to see who's uploaded f\r\n", "Done..."}));
    EXPECT_TRUE(platform.questions.empty());
}

TEST_F(EngineTest, SearchOfALogWithCrLfLineEndsPrintsNoLineFeedInTheStamp)
{
    server.writeDownloadLog("t1\tip\tbob\tBob\tx\r\nt2\tip\tbob\tBob\ty\r\n");
    loadlog(a, Side::Download);
    ask(a, namesearch, Side::Download, "Bob");
    EXPECT_EQ(window.output, "Bob had downloaded these files...\r\n\r\nt1: x\r\nt2: y\r\n");
}

// The guards of the account searches.
class AccountSearchGuard : public EngineTest {
protected:
    AccountSearchGuard()
    {
        server.writeDownloadLog(record("d1", "bob", "Bob", "a.txt"));
        server.writeUploadLog(record("u1", "bob", "Bob", "b.txt"));
        window.output = "earlier report";
    }
    void expectRefusedKeepingTheOutput()
    {
        EXPECT_EQ(window.lastStatus(), mustLoadMessage);
        EXPECT_EQ(window.output, "earlier report");
        EXPECT_EQ(window.outputWrites, 0);
    }
};

TEST_F(AccountSearchGuard, DeclinedDownloadQuestionRefusesTheDownloadSearch)
{
    platform.okAnswers = {false};
    ask(a, usersearch, Side::Download, "bob");
    ASSERT_EQ(platform.questions.size(), 1u);
    EXPECT_EQ(platform.questions[0].title, "Load download log");
    expectRefusedKeepingTheOutput();
}

TEST_F(AccountSearchGuard, AcceptedQuestionLoadsTheLogAndSearches)
{
    ask(a, usersearch, Side::Upload, "bob");
    ASSERT_EQ(platform.questions.size(), 1u);
    EXPECT_EQ(platform.questions[0].title, "Load upload log");
    EXPECT_EQ(window.output, "Files that bob has uploaded...\r\n\r\nu1: b.txt\r\n");
}

TEST_F(AccountSearchGuard, AcceptedQuestionWithTheLogMissingRefuses)
{
    std::filesystem::remove(server.folder() + "/Download Log.txt");
    ask(a, usersearch, Side::Download, "bob");
    expectRefusedKeepingTheOutput();
}

TEST_F(AccountSearchGuard, BothAsksForEachMissingLogBeforeDecidingAndWritesNothingHalfLoaded)
{
    platform.okAnswers = {false, true};
    ask(a, usersearchboth, Side::Download, "bob");
    ASSERT_EQ(platform.questions.size(), 2u);
    EXPECT_EQ(platform.questions[0].title, "Load download log");
    EXPECT_EQ(platform.questions[1].title, "Load upload log");
    EXPECT_TRUE(a.state.upload.loaded);
    expectRefusedKeepingTheOutput();
}

TEST_F(AccountSearchGuard, BothWithTheDownloadLogLoadedAsksOnlyForTheUploadLog)
{
    loadlog(a, Side::Download);
    platform.okAnswers = {false};
    ask(a, usersearchboth, Side::Download, "bob");
    ASSERT_EQ(platform.questions.size(), 1u);
    EXPECT_EQ(platform.questions[0].title, "Load upload log");
    expectRefusedKeepingTheOutput();
}

} // namespace
} // namespace quorvel::test
