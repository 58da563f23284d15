// SPDX-License-Identifier: MIT
#include "reportrun.h"

#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

TEST(AccountsVerb, ListsAccountFoldersInCaseInsensitiveOrderEachEndedByCrLf)
{
    TempServer server;
    server.addAccount("bob");
    server.addAccount("Alice");
    server.addAccount("admin");
    server.addAccount(".hidden");
    server.write("users/notes.txt", "not an account");
    const ReportRun run = reportOn(server, {"accounts"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "admin\r\nAlice\r\nbob\r\n");
    EXPECT_EQ(run.err, "");
}

TEST(AccountsVerb, WithoutAnyServerFolderSaysHowToGiveOne)
{
    TempServer server;
    const ReportRun run = report(server, {"accounts"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "quorvel-report: no server folder: give --server DIR\n");
}

TEST(AccountsVerb, UsesTheRememberedFolderByDefault)
{
    TempServer server;
    server.addAccount("guest");
    ASSERT_TRUE(FolderFile(server.programFolder(), server.configFolder()).write(server.folder()));
    const ReportRun run = report(server, {"accounts"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "guest\r\n");
}

struct UsageCase {
    std::vector<std::string> args;
};

class UsageErrors : public ::testing::TestWithParam<UsageCase> {};

TEST_P(UsageErrors, ExitTwoWithUsageOnStderr)
{
    TempServer server;
    const ReportRun run = report(server, GetParam().args);
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("usage: quorvel-report [--server DIR] [--from YYYY-MM-DD] [--to YYYY-MM-DD] "
                           "[--format text|csv|json] VERB [VALUE]\n"),
              std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Calls, UsageErrors,
                         ::testing::Values(UsageCase{{}}, UsageCase{{"--server"}}, UsageCase{{"no-such-verb"}},
                                           UsageCase{{"accounts", "extra"}}, UsageCase{{"--server", "/tmp"}},
                                           UsageCase{{"--server", "", "accounts"}}));

} // namespace
} // namespace quorvel::test
