// SPDX-License-Identifier: MIT
// quorvel-report loads only the columns its verb reads, and for a search only the records the
// search can print. Whatever the log holds, every verb must print exactly what it prints after
// a load that keeps everything, as the window's load does.
#include "reportrun.h"

#include "present/answertext.h"

#include "cli/cliwindow.h"
#include "commands/commandtable.h"
#include "commands/serverfolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvel::test {
namespace {

// A log where values recur in other columns (a name that is also an account and a file), with
// empty and missing columns, repeated header lines, every line end, bytes of any encoding, and
// stamps in every form, some in the period the tests choose, some not, some unreadable.
const std::string downloads = "Date/time\tAddress\tAccount\tName\tFile Name\r"
                              "1/1/2001 1:00\tip1\tbob\tBob\ta.txt\r\n"
                              "01/15/2001 02:00:00 PM\tip2\tann\tbob\tBob\n"
                              "2/1/2001 3:00\tip1\tbob\tBob\tb.txt\tmore\r"
                              "\r\n"
                              "Date/time\tAddress\r"
                              "nope\tip3\t\t\t\r"
                              "2/28/2001 4:00 pm\tip2\tann\r"
                              "3/1/2001 5:00\tip1\tcaf\xe9\tJos\xc3\xa9\tcaf\xe9.sit\r"
                              "d7 no tab\r"
                              "1/20/2001 6:00\t\tbob\tAnn\ta.txt";
const std::string uploads = "1/2/2001 1:00\tip\tbob\tCarl\tc.sit\r2/2/2001 1:00\tip\tann\tCarl\tc.sit\rx\tip\tbob\t\t";
const std::vector<std::string> periodOptions{"--from", "2001-01-10", "--to=2001-02-28"};

// What the verb prints after loads that keep every column of every record, as the window's
// do, the period (if any) applied to the loaded records.
std::string printedAfterFullLoads(const TempServer& server, const CommandRow& verb, const std::string& value,
                                  bool inPeriod)
{
    std::ostringstream err;
    const Messages messages(err, false);
    CliWindow window(nullptr);
    CliPlatform platform(messages);
    Analyzer a(window, platform, FolderFile(server.programFolder(), server.configFolder()));
    a.style = MessageStyle::Tool;
    setServerFolder(a, server.folder());
    if (inPeriod)
        a.state.period = {dayNumber({2001, 1, 10}), dayNumber({2001, 2, 28})};
    runRow(a, verb, value);
    return a.lastAnswer && a.lastAnswer->shape == TextShape::Entries ? answerText(*a.lastAnswer) : window.output();
}

struct PlanCase {
    std::string verb;
    std::string value;
    bool inPeriod = false;
};

void PrintTo(const PlanCase& c, std::ostream* os)
{
    *os << c.verb << " '" << c.value << "'" << (c.inPeriod ? " in a period" : "");
}

class LoadPlans : public ::testing::TestWithParam<PlanCase> {
protected:
    LoadPlans()
    {
        server.writeDownloadLog(downloads);
        server.writeUploadLog(uploads);
        server.addAccount("bob");
        server.addAccount("ann");
        server.addAccount("idle");
    }
    TempServer server;
};

TEST_P(LoadPlans, PrintWhatAFullLoadPrints)
{
    const CommandRow* verb = findVerb(GetParam().verb);
    ASSERT_NE(verb, nullptr);
    std::vector<std::string> args{GetParam().verb};
    if (verb->value != ValueKind::None)
        args.push_back(GetParam().value);
    if (GetParam().inPeriod)
        args.insert(args.end(), periodOptions.begin(), periodOptions.end());
    const ReportRun run = reportOn(server, args);
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, printedAfterFullLoads(server, *verb, GetParam().value, GetParam().inPeriod));
}

std::vector<PlanCase> everyVerb()
{
    std::vector<PlanCase> cases;
    for (const CommandRow& verb : commandTable()) {
        if (verb.verb.empty())
            continue;
        for (const bool inPeriod : {false, true}) {
            if (verb.value == ValueKind::None) {
                cases.push_back({std::string(verb.verb), "", inPeriod});
                continue;
            }
            // A value of this column, one found only in other columns, an empty one, an encoded one;
            // for a day, days with records in and out of the period and without any.
            const std::vector<const char*> values =
                verb.value == ValueKind::Day
                    ? std::vector<const char*>{"2001-01-20", "2001-02-28", "2001-02-01", "1999-12-31"}
                    : std::vector<const char*>{"bob", "Bob", "a.txt", "", "caf\xe9", "Jos\xc3\xa9", "nobody", "ip1"};
            for (const char* value : values)
                cases.push_back({std::string(verb.verb), value, inPeriod});
        }
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(EveryVerb, LoadPlans, ::testing::ValuesIn(everyVerb()));

} // namespace
} // namespace quorvel::test
