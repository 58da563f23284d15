// SPDX-License-Identifier: MIT
#include "logtext.h"
#include "reportrun.h"

#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

struct VerbCase {
    const char* verb;
    std::string out;
};

void PrintTo(const VerbCase& row, std::ostream* os)
{
    *os << row.verb;
}

// One server for every report verb: accounts ann, bob, cy; bob downloads most, ann uploads.
class ReportVerbs : public ::testing::TestWithParam<VerbCase> {
protected:
    ReportVerbs()
    {
        for (const char* account : {"ann", "bob", "cy"})
            server.addAccount(account);
        server.writeDownloadLog(
            serverLogOf({{"bob", "Bob", "song.mp3"}, {"ann", "Ann", "app.sit"}, {"bob", "Bob", "song.mp3"}}));
        server.writeUploadLog(serverLogOf({{"ann", "Ann", "new.txt"}}));
    }
    TempServer server;
};

TEST_P(ReportVerbs, PrintExactlyTheOutputBoxOfTheirCommand)
{
    const ReportRun run = reportOn(server, {GetParam().verb});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, GetParam().out);
    EXPECT_EQ(run.err, "");
}

INSTANTIATE_TEST_SUITE_P(
    Verbs, ReportVerbs,
    ::testing::Values(
        VerbCase{"downloads-by-date", "Downloads By Date...\r\n\r\n2\tsong.mp3\r\n1\tapp.sit\r\n"},
        VerbCase{"uploads-by-date", "Uploads By Date...\r\n\r\n1\tnew.txt\r\n"},
        VerbCase{"downloads-by-number", "Downloads By Number...\r\n\r\n2\tsong.mp3\r\n1\tapp.sit\r\n"},
        VerbCase{"uploads-by-number", "Uploads By Number...\r\n\r\n1\tnew.txt\r\n"},
        VerbCase{"downloads-by-account", "Downloads By Account...\r\n\r\n2\tbob\r\n1\tann\r\n0\tcy\r\n"},
        VerbCase{"uploads-by-account", "Uploads by Acount...\r\n\r\n1\tann\r\n0\tcy\r\n0\tbob\r\n"},
        VerbCase{"top-downloader", "The number one downloader is...\r\n\r\nBob with 2 downloads"},
        VerbCase{"top-uploader", "The number one uploader is...\r\n\r\nAnn with 1 uploads"},
        VerbCase{"top-account-downloader", "The mumber one account downloader is...\r\n\r\nbob with 2 downloads"},
        VerbCase{"top-account-uploader", "The mumber one account uploader is...\r\n\r\nann with 1 uploads"},
        VerbCase{"inactive-downloaders", "Accounts that have not downloaded in the current log...\r\n\r\ncy\r\n"},
        VerbCase{"inactive-uploaders", "Accounts that have not uploaded in the current log...\r\n\r\nbob\r\ncy\r\n"}),
    [](const ::testing::TestParamInfo<VerbCase>& row) {
        std::string name = row.param.verb;
        std::erase(name, '-');
        return name;
    });

TEST(ReportVerbRefusal, AMissingLogExitsOneWithTheReasonsOnStderr)
{
    TempServer server;
    const ReportRun run = reportOn(server, {"uploads-by-date"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "Cannot find 'Upload Log.txt' in '" + server.folder() + "'\nMust load log first...\n");
}

} // namespace
} // namespace quorvel::test
