// SPDX-License-Identifier: MIT
// The questions of time and address on a small log with ties and undated records, and a
// period applied to a report, a search and a pick list.
#include "enginefixture.h"

#include "commands/commandtable.h"
#include "commands/loading.h"
#include "commands/period.h"
#include "commands/reports.h"
#include "commands/saving.h"
#include "commands/searches.h"

#include <string>
#include <vector>

namespace quorvel::test {
namespace {

// Two records on 31 January in two stamp forms, one a day later, one in December, one for Al
// on 31 January, and three undated ones: no stamp, no such day, and year 0, which the calendar
// does not have.
const std::string downloads = "Date/time\tAddress\tAccount\tName\tFile Name\r"
                              "01/31/2001 10:41:18 PM\t10.0.0.1\tbob\tBob\ta.txt\r"
                              "1/31/2001 22:00:00\t10.0.0.2\tann\tAnn\tb.txt\r"
                              "2/1/2001 9:05 AM\t10.0.0.1\tbob\tBob\ta.txt\r"
                              "yesterday\t10.0.0.2\tann\tAnn\tc.txt\r"
                              "12/5/2000 1:00\t10.0.0.3\tcy\tCy\ta.txt\r"
                              "1/31/2001 3:00\t\tAl\tAl\td.txt\r"
                              "2/30/2001 1:00\t10.0.0.4\teve\tEve\te.txt\r"
                              "1/1/0000 1:00\t10.0.0.5\tzed\tZed\tf.txt";

class Insights : public EngineTest {
protected:
    Insights()
    {
        for (const char* account : {"ann", "bob", "cy", "dora", "eve", "Al", "zed"})
            server.addAccount(account);
        server.writeDownloadLog(downloads);
    }
    const std::string& run(const char* item)
    {
        EXPECT_TRUE(runCommand(a, [&](Analyzer& analyzer) { return runRow(analyzer, *findMenuItem(item)); }).isDone())
            << item;
        return window.output;
    }
    void choosePeriod(PeriodDialogDates dates)
    {
        platform.periodAnswers.push_back(dates);
        EXPECT_TRUE(runCommand(a, mnuperiod_Click).isDone());
    }
};

TEST_F(Insights, CountByDayMonthAndHourWithTheUndatedLast)
{
    EXPECT_EQ(run("mnudownloadsbyday"), "Downloads By Day...\r\n\r\n1\t2000-12-05\r\n3\t2001-01-31\r\n"
                                        "1\t2001-02-01\r\n3\tundated\r\n");
    EXPECT_EQ(window.lastStatus(), "Done...");
    EXPECT_EQ(run("mnudownloadsbymonth"),
              "Downloads By Month...\r\n\r\n1\t2000-12\r\n3\t2001-01\r\n1\t2001-02\r\n3\tundated\r\n");
    std::string hours = "Downloads By Hour...\r\n\r\n";
    for (int hour = 0; hour < 24; ++hour) {
        const int count = hour == 1 || hour == 3 || hour == 9 ? 1 : hour == 22 ? 2 : 0;
        hours += std::to_string(count) + "\t" + (hour < 10 ? "0" : "") + std::to_string(hour) + "\r\n";
    }
    EXPECT_EQ(run("mnudownloadsbyhour"), hours + "3\tundated\r\n");
}

TEST_F(Insights, AddressesMostFirstTheLaterSeenFirstAmongEqualsAndNoEmptyAddress)
{
    EXPECT_EQ(run("mnudownloadsbyaddress"),
              "Downloads By Address...\r\n\r\n2\t10.0.0.2\r\n2\t10.0.0.1\r\n1\t10.0.0.5\r\n1\t10.0.0.4\r\n"
              "1\t10.0.0.3\r\n");
}

// Al and ann last downloaded on the same day: the order of the folders decides, not the order
// an earlier report sorted the accounts into.
TEST_F(Insights, LastTransfersNeverThenUndatedThenOldestFirst)
{
    run("mnusortbyaccount");
    EXPECT_EQ(run("mnulastdownloads"),
              "Last Download By Account...\r\n\r\nnever\tdora\r\nundated\teve\r\nundated\tzed\r\n"
              "2000-12-05\tcy\r\n2001-01-31\tAl\r\n2001-01-31\tann\r\n2001-02-01\tbob\r\n");
}

// ann downloaded more than bob, so a sort by account leaves bob before ann; their last downloads,
// on one day, still come in the order of the folders.
TEST_F(Insights, LastTransfersOfOneDayKeepTheOrderOfTheFoldersAfterASortByAccount)
{
    server.writeDownloadLog("1/31/2001 1:00\t\tann\tAnn\ta.txt\r1/31/2001 2:00\t\tann\tAnn\ta.txt\r"
                            "1/31/2001 3:00\t\tbob\tBob\tb.txt\r");
    run("mnusortbyaccount");
    EXPECT_EQ(run("mnulastdownloads"), "Last Download By Account...\r\n\r\nnever\tAl\r\nnever\tcy\r\nnever\tdora\r\n"
                                       "never\teve\r\nnever\tzed\r\n2001-01-31\tann\r\n2001-01-31\tbob\r\n");
}

TEST_F(Insights, APeriodLimitsReportsSearchesAndPickListsAndNamesTheUndated)
{
    platform.periodAnswers.push_back(std::nullopt);
    EXPECT_EQ(runCommand(a, mnuperiod_Click).kind(), Outcome::Kind::Cancelled);
    loadlog(a, Side::Download);
    choosePeriod({{2001, 1, 1}, {2001, 1, 31}, true, true});
    // The dialog opened on the first and last readable days of the loaded log.
    const PeriodDialogDates& shown = platform.periodRequests.back();
    EXPECT_EQ(std::vector<int>({shown.from.year, shown.from.month, shown.from.day, shown.to.month, shown.to.day}),
              std::vector<int>({2000, 12, 5, 2, 1}));
    EXPECT_EQ(window.lastStatus(), "Period: 2001-01-01 to 2001-01-31");
    const std::string lead = "Period: 2001-01-01 to 2001-01-31 (3 records without a readable date left out)\r\n\r\n";
    EXPECT_EQ(run("mnusortbydate"), lead + "Downloads By Date...\r\n\r\n1\ta.txt\r\n1\tb.txt\r\n1\td.txt\r\n");
    EXPECT_EQ(run("mnudownloadsbyday"), lead + "Downloads By Day...\r\n\r\n3\t2001-01-31\r\n");
    runCommand(a, [](Analyzer& analyzer) { return ask(analyzer, namesearch, Side::Download, "Bob"); });
    EXPECT_EQ(window.output, lead + "Bob had downloaded these files...\r\n\r\n01/31/2001 10:41:18 PM: a.txt\r\n");
    run("mnuUserDownloads");
    EXPECT_EQ(window.list(Dialog::DownNames), (std::vector<std::string>{"Bob", "Ann", "Al"}));

    choosePeriod({{2001, 2, 1}, {2001, 2, 1}, true, false});
    EXPECT_EQ(window.list(Dialog::DownNames), std::vector<std::string>{}); // emptied for the new period
    EXPECT_EQ(run("mnunumberdown"), "Period: from 2001-02-01 (3 records without a readable date left out)\r\n\r\n"
                                    "The number one downloader is...\r\n\r\nBob with 1 downloads");
    choosePeriod({{2001, 2, 1}, {2001, 2, 1}, false, false});
    EXPECT_EQ(window.lastStatus(), "Period: all time");
    EXPECT_EQ(run("mnusortbydate"),
              "Downloads By Date...\r\n\r\n3\ta.txt\r\n1\tb.txt\r\n1\tc.txt\r\n1\td.txt\r\n1\te.txt\r\n1\tf.txt\r\n");
}

// A period open at its start leaves the undated records out too; the file pick list made before
// it is emptied and made again for it, and the answer shown before it can no longer be exported.
TEST_F(Insights, APeriodUntilADayLeavesTheUndatedOutAndDropsWhatWasMadeBeforeIt)
{
    loadlog(a, Side::Download);
    run("mnuFileDownloads");
    EXPECT_EQ(window.list(Dialog::DownFiles).size(), 6u);
    choosePeriod({{2001, 2, 1}, {2001, 1, 31}, false, true});
    EXPECT_EQ(window.lastStatus(), "Period: until 2001-01-31");
    EXPECT_EQ(window.list(Dialog::DownFiles), std::vector<std::string>{});
    EXPECT_EQ(runCommand(a, mnuexportcsv_Click).kind(), Outcome::Kind::Refused);
    EXPECT_EQ(run("mnudownloadsbyday"), "Period: until 2001-01-31 (3 records without a readable date left out)\r\n\r\n"
                                        "Downloads By Day...\r\n\r\n1\t2000-12-05\r\n3\t2001-01-31\r\n");
    run("mnuFileDownloads");
    EXPECT_EQ(window.list(Dialog::DownFiles), (std::vector<std::string>{"a.txt", "b.txt", "d.txt"}));
}

// The dialog opens on the days of the loaded logs, which their loads noted: opening reads no
// record, shows no caption, and Cancel leaves the status line as it was.
TEST_F(Insights, PeriodOpensOnTheLoadedLogsDaysWithoutAPassOverTheRecords)
{
    server.writeUploadLog("Date/time\tAddress\tAccount\tName\tFile Name\r"
                          "3/1/2001 1:00\t10.0.0.1\tbob\tBob\ta.txt\r"
                          "11/30/2000 25:00\t10.0.0.1\tbob\tBob\ta.txt\r"
                          "11/30/2000 1:00\t10.0.0.1\tbob\tBob\ta.txt\r"
                          "11/30/2000 25:00\t10.0.0.1\tbob\tBob\ta.txt");
    const auto shownDays = [this] {
        const std::size_t statuses = window.statuses.size();
        platform.periodAnswers.push_back(std::nullopt);
        EXPECT_EQ(runCommand(a, mnuperiod_Click).kind(), Outcome::Kind::Cancelled);
        EXPECT_EQ(window.statuses.size(), statuses) << window.lastStatus();
        EXPECT_FALSE(a.state.download.stamps || a.state.upload.stamps);
        const PeriodDialogDates& shown = platform.periodRequests.back();
        EXPECT_TRUE(shown.fromOn && shown.toOn);
        return std::vector<int>{shown.from.year, shown.from.month, shown.from.day,
                                shown.to.year,   shown.to.month,   shown.to.day};
    };
    loadlog(a, Side::Download);
    EXPECT_EQ(shownDays(), std::vector<int>({2000, 12, 5, 2001, 2, 1}));
    loadlog(a, Side::Upload);
    EXPECT_EQ(shownDays(), std::vector<int>({2000, 11, 30, 2001, 3, 1}));
    // A log without a readable stamp adds no day.
    server.writeDownloadLog("yesterday\t10.0.0.1\tbob\tBob\ta.txt\r");
    loadlog(a, Side::Download);
    EXPECT_EQ(shownDays(), std::vector<int>({2000, 11, 30, 2001, 3, 1}));
}

} // namespace
} // namespace quorvel::test
