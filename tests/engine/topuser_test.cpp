// SPDX-License-Identifier: MIT
#include "enginefixture.h"
#include "sidetexts.h"
#include "logtext.h"
#include "sideprinter.h"

#include "commands/reports.h"

#include <string>
#include <vector>

namespace quorvel::test {
namespace {

struct TopUserCase {
    const char* catches;
    std::string log;
    std::string answer; // "<name> with <n>"
};

void PrintTo(const TopUserCase& row, std::ostream* os)
{
    *os << row.catches;
}

class TopUser : public EngineTest, public ::testing::WithParamInterface<std::tuple<TopUserCase, Side>> {};

TEST_P(TopUser, NamesTheUserInTheMostRecords)
{
    const auto& [row, side] = GetParam();
    SCOPED_TRACE(row.catches);
    side == Side::Download ? server.writeDownloadLog(row.log) : server.writeUploadLog(row.log);
    ask(a, topUser, side);
    EXPECT_EQ(window.output, std::string(sideTexts(side).topUserHeading) + "\r\n\r\n" + row.answer +
                                 std::string(sideTexts(side).transfers));
    EXPECT_EQ(window.lastStatus(), "Done...");
}

const TopUserCase topUserCases[] = {
    {"the most records win", logOf({{"x", "bob", "f"}, {"x", "alice", "f"}, {"x", "alice", "f"}}), "alice with 2"},
    {"a tie goes to the user first seen later",
     logOf({{"x", "alice", "f"}, {"x", "bob", "f"}, {"x", "bob", "f"}, {"x", "alice", "f"}}), "bob with 2"},
    {"the first record counts", logOf({{"x", "carol", "f"}}), "carol with 1"},
    {"a user named null is an ordinary user", logOf({{"x", "null", "f"}, {"x", "null", "f"}, {"x", "bob", "f"}}),
     "null with 2"},
    {"an empty log has no candidate", "", "null with 0"},
    {"letter case makes different users", logOf({{"x", "Bob", "f"}, {"x", "bob", "f"}, {"x", "bob", "f"}}),
     "bob with 2"},
    {"a trailing blank makes a different user", logOf({{"x", "bob ", "f"}, {"x", "bob ", "f"}, {"x", "bob", "f"}}),
     "bob  with 2"},
    {"an empty user name can win", logOf({{"x", "", "f"}, {"x", "", "f"}, {"x", "bob", "f"}}), " with 2"},
    {"the server's header is no user and the unterminated newest line counts",
     serverLogOf({{"x", "Name", "f"}, {"x", "zed", "f"}, {"x", "zed", "f"}}), "zed with 2"},
};

INSTANTIATE_TEST_SUITE_P(Logs, TopUser,
                         ::testing::Combine(::testing::ValuesIn(topUserCases),
                                            ::testing::Values(Side::Download, Side::Upload)));

using TopUserCaptions = EngineTest;

TEST_F(TopUserCaptions, ShowSelectionThenTheLastCandidatesCountingCaptionThenDone)
{
    server.writeUploadLog(logOf({{"x", "ann", "f"}, {"x", "bo", "f"}, {"x", "ann", "f"}}));
    runMenuItem(a, "mnunumup");
    const std::vector<std::string> tail(window.statuses.end() - 3, window.statuses.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"Selecting Users 3/3", "bo's Uploads\r\nLooking at Upload Number 2/2\r\n",
                                              "Done..."}));
    EXPECT_EQ(window.output, "The number one uploader is...\r\n\r\nann with 2 uploads");
}

} // namespace
} // namespace quorvel::test
