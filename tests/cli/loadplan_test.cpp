// SPDX-License-Identifier: MIT
// quorvel-report loads only the columns its verb reads, and for a search only the records the
// search can print. Whatever the log holds, every verb must print exactly what it prints after
// a load that keeps everything, as the window's load does.
#include "reportrun.h"

#include "cli/cliwindow.h"
#include "commands/commandtable.h"
#include "commands/serverfolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvel::test {
namespace {

// A log where values recur in other columns (a name that is also an account and a file), with
// empty and missing columns, repeated header lines, every line end and bytes of any encoding.
const std::string downloads = "Date/time\tAddress\tAccount\tName\tFile Name\r"
                              "d1\tip\tbob\tBob\ta.txt\r\n"
                              "d2\tip\tann\tbob\tBob\n"
                              "d3\tip\tbob\tBob\tb.txt\tmore\r"
                              "\r\n"
                              "Date/time\tAddress\r"
                              "d4\tip\t\t\t\r"
                              "d5\tip\tann\r"
                              "d6\tip\tcaf\xe9\tJos\xc3\xa9\tcaf\xe9.sit\r"
                              "d7 no tab\r"
                              "d8\tip\tbob\tAnn\ta.txt";
const std::string uploads = "u1\tip\tbob\tCarl\tc.sit\ru2\tip\tann\tCarl\tc.sit\ru3\tip\tbob\t\t";

std::string printed(const CommandRow& verb, const CliWindow& window)
{
    if (!verb.prints)
        return window.output();
    std::string text;
    for (const std::string& entry : window.entries(*verb.prints))
        text += entry + "\r\n";
    return text;
}

// What the verb prints after loads that keep every column of every record.
std::string printedAfterFullLoads(const TempServer& server, const CommandRow& verb, const std::string& value)
{
    std::ostringstream err;
    CliWindow window(nullptr);
    CliPlatform platform(err);
    Analyzer a(window, platform, FolderFile(server.programFolder(), server.configFolder()));
    setServerFolder(a, server.folder());
    verb.run(a, value);
    return printed(verb, window);
}

struct PlanCase {
    std::string verb;
    std::string value;
};

void PrintTo(const PlanCase& c, std::ostream* os)
{
    *os << c.verb << " '" << c.value << "'";
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
    const ReportRun run = reportOn(server, args);
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, printedAfterFullLoads(server, *verb, GetParam().value));
}

std::vector<PlanCase> everyVerb()
{
    std::vector<PlanCase> cases;
    for (const CommandRow& verb : commandTable()) {
        if (verb.verb.empty())
            continue;
        if (verb.value == ValueKind::None) {
            cases.push_back({std::string(verb.verb), ""});
            continue;
        }
        // A value of this column, one found only in other columns, an empty one, an encoded one.
        for (const char* value : {"bob", "Bob", "a.txt", "", "caf\xe9", "Jos\xc3\xa9", "nobody"})
            cases.push_back({std::string(verb.verb), value});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(EveryVerb, LoadPlans, ::testing::ValuesIn(everyVerb()));

} // namespace
} // namespace quorvel::test
