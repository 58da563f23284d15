// SPDX-License-Identifier: MIT
#include "reportrun.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvel::test {
namespace {

struct VerbCase {
    std::vector<std::string> args;
    const char* out;
};

void PrintTo(const VerbCase& c, std::ostream* os)
{
    for (const std::string& arg : c.args)
        *os << arg << ' ';
}

// A server in its own layout: a column header, then each transfer after a CR.
class SearchVerbs : public ::testing::TestWithParam<VerbCase> {
protected:
    SearchVerbs()
    {
        server.writeDownloadLog("Date/time\tAddress\tAccount\tName\tFile Name"
                                "\rd1\tip\tbob\tBob\ta.txt\rd2\tip\tann\tAnn\tb.txt\rd3\tip\tbob\tBob\tb.txt");
        server.writeUploadLog("u1\tip\tbob\tCarl\tc.sit\ru2\tip\tann\tCarl\tc.sit");
    }
    TempServer server;
};

TEST_P(SearchVerbs, PrintsWhatTheWindowWouldShow)
{
    const ReportRun run = reportOn(server, GetParam().args);
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, GetParam().out);
    EXPECT_EQ(run.err, "");
}

INSTANTIATE_TEST_SUITE_P(
    Verbs, SearchVerbs,
    ::testing::Values(
        VerbCase{{"download-names"}, "Bob\r\nAnn\r\n"}, VerbCase{{"download-files"}, "a.txt\r\nb.txt\r\n"},
        VerbCase{{"upload-names"}, "Carl\r\n"}, VerbCase{{"upload-files"}, "c.sit\r\n"},
        VerbCase{{"user-downloads", "Bob"}, "Bob had downloaded these files...\r\n\r\nd1: a.txt\r\nd3: b.txt\r\n"},
        VerbCase{{"user-uploads", "Carl"}, "Carl had uploaded these files...\r\n\r\nu1: c.sit\r\nu2: c.sit\r\n"},
        VerbCase{{"file-downloads", "b.txt"}, "Users who have downloaded b.txt...\r\n\r\nd2: Ann\r\nd3: Bob\r\n"},
        VerbCase{{"file-uploads", "x"}, "Users who have uploaded x...\r\n\r\n"},
        VerbCase{{"account-downloads", "ann"}, "Files that ann has downloaded...\r\n\r\nd2: b.txt\r\n"},
        VerbCase{{"account-uploads", "bob"}, "Files that bob has uploaded...\r\n\r\nu1: c.sit\r\n"},
        VerbCase{{"account-both", "bob"},
                 "Files that bob has downloaded...\r\n\r\nd1: a.txt\r\nd3: b.txt\r\n"
                 "\r\n\r\nFiles that bob has uploaded...\r\n\r\nu1: c.sit\r\n"}));

struct MissingLogCase {
    std::vector<std::string> args;
};

class SearchVerbsWithoutLogs : public ::testing::TestWithParam<MissingLogCase> {};

TEST_P(SearchVerbsWithoutLogs, AreRefusedWithTheReasons)
{
    TempServer server;
    server.writeDownloadLog("d1\tip\tbob\tBob\ta.txt");
    const ReportRun run = reportOn(server, GetParam().args);
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "Cannot find 'Upload Log.txt' in '" + server.folder() + "'\nMust load log first...\n");
}

INSTANTIATE_TEST_SUITE_P(
    Verbs, SearchVerbsWithoutLogs,
    ::testing::Values(MissingLogCase{{"upload-names"}}, MissingLogCase{{"user-uploads", "Bob"}},
                      MissingLogCase{{"account-both", "bob"}}));

} // namespace
} // namespace quorvel::test
