// SPDX-License-Identifier: MIT
// Every verb, with and without a period, in every format, against the plain reference model, on
// small servers built to hold what the answers can get wrong: ties, undated and unreadable
// stamps, empty names, 8-bit and hostile bytes.
#include "referencemodel.h"
#include "reportrun.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvel::test {
namespace {

using reference::Date;
using reference::Period;
using reference::dateText;

struct Case {
    const char* name;
    std::string download, upload;
    std::vector<std::string> accounts;
    std::vector<std::string> values; // searched for, besides "" and an absent one
};

std::string line(std::string_view stamp, std::string_view address, std::string_view account, std::string_view user,
                 std::string_view file, std::string_view end = "\r")
{
    return std::string(stamp) + "\t" + std::string(address) + "\t" + std::string(account) + "\t" + std::string(user) +
           "\t" + std::string(file) + std::string(end);
}

// Equal counts everywhere: files, users, accounts, addresses, days, hours; the last transfers of
// several accounts on one day at different times.
Case ties()
{
    Case c{"Ties", "", "", {"carol", "Bob", "alice", "dave", "Eve", "eve"}, {"anna", "a.sit", "alice", "10.0.0.2"}};
    c.download = line("3/1/2001 9:00:00 AM", "10.0.0.1", "alice", "anna", "a.sit") +
                 line("3/1/2001 9:30:00 PM", "10.0.0.2", "Bob", "bo", "b.sit") +
                 line("3/2/2001 10:00", "10.0.0.2", "carol", "anna", "b.sit") +
                 line("3/2/2001 23:59:59", "10.0.0.1", "alice", "bo", "a.sit") +
                 line("3/3/2001 12:00 am", "10.0.0.3", "Eve", "cy", "c.sit") +
                 line("3/3/2001 12:00 PM", "10.0.0.3", "eve", "cy", "c.sit") +
                 line("4/1/2001 1:00", "", "Bob", "bo", "d.sit");
    c.upload = line("3/1/2001 9:00", "10.0.0.9", "carol", "cy", "up1") +
               line("3/1/2001 8:00", "10.0.0.8", "dave", "dy", "up2") +
               line("5/31/2002 7:00", "10.0.0.8", "carol", "cy", "up1") +
               line("5/31/2002 6:00", "10.0.0.9", "dave", "dy", "up2");
    return c;
}

// Stamps the rule must refuse or accept, in every line end and with a header and a byte order mark.
Case stamps()
{
    Case c{"Stamps", "", "", {"a", "b", "c"}, {"u", "f1"}};
    c.download = "\xEF\xBB\xBF" + line("Date/time", "Address", "Account", "Name", "File", "\r\n") +
                 line("1/1/0000 1:00", "1.2.3.4", "a", "u", "f1", "\r\n") +
                 line("2/29/2001 1:00", "", "a", "u", "f1", "\n") + line("2/29/2004 1:00", "", "b", "u", "f2", "\n") +
                 line("13/1/2001 1:00", "", "b", "u", "f2") + line("1/1/2001 1:5", "", "a", "u", "f3") +
                 line("1/1/2001 1:05:5", "", "a", "u", "f3") + line("1/1/2001 24:00", "", "b", "u", "f3") +
                 line("1/1/2001 0:00 AM", "", "b", "u", "f3") + line("1/1/2001 12:00 XM", "", "b", "u", "f3") +
                 line("01/01/2001 23:59:59", "", "b", "v", "f4") + line("1/1/2001 10:00 pm ", "", "b", "v", "f4") +
                 line("12/31/9999 11:59:59 PM", "", "c", "v", "f4") + line("1/1/0001 0:00", "", "c", "v", "f5") +
                 line(" 1/1/2001 1:00", "", "c", "v", "f5") + "1/2/2001 3:00\t\ta\tu\r\n\r\n" +
                 line("1/3/2001 4:00", "", "a", "u", "f6", "");
    c.upload = "";
    return c;
}

// Empty names, 8-bit and UTF-8 bytes (a file name holds every byte above 0x7F, each a letter of
// its own in CSV and JSON), and what CSV, JSON or a spreadsheet treat specially.
Case names()
{
    std::string high;
    for (int byte = 0x80; byte <= 0xFF; ++byte)
        high += static_cast<char>(byte);
    Case c{"Names",
           "",
           "",
           {"caf\xe9", "\xc3\xa9t\xc3\xa9", "quote\"s", "x"},
           {"caf\xe9", "=HYPERLINK(\"http://a.b/\",\"x\")", "a,b"}};
    c.download = line("6/1/2001 1:00", "", "", "", "", "\r\n") +
                 line("6/1/2001 2:00", "a,b", "caf\xe9", "caf\xe9", "caf\xe9.txt", "\r\n") +
                 line("6/2/2001 2:00", "\"q\"", "\xc3\xa9t\xc3\xa9", "\x80\x81\x8d\x9f", "tab\there", "\r\n") +
                 line("6/2/2001 3:00", "back\\slash", "quote\"s", "=HYPERLINK(\"http://a.b/\",\"x\")", "-1+2", "\r\n") +
                 line("6/3/2001 3:00", "\x1f\x01", "x", "", "@cmd", "\r\n") + line("junk", "", "x", "", "", "\r\n") +
                 line("6/3/2001 4:00", "", "nobody", "\xc3", "\xe2\x82", "\r\n") +
                 line("6/3/2001 5:00", "", "x", "hi", high, "\r\n");
    c.upload = line("6/1/2001 1:00", "", "", "", "", "\n") + line("bad", "", "x", "", "@cmd", "\n");
    return c;
}

// Stamps in the modern form: the day and hour written, whatever the zone says; the forms the
// rule refuses; both forms in one log.
Case modern()
{
    Case c{"Modern", "", "", {"a", "b"}, {"u", "f1", "2001:db8::1"}};
    c.download = line("2001-03-02T23:30:00-05:00", "2001:db8::1", "a", "u", "f1", "\n") +
                 line("2001-03-02T00:10:00+14:00", "10.0.0.1", "b", "u", "f2", "\n") +
                 line("2001-03-01T12:00:00Z", "", "a", "v", "f1", "\n") +
                 line("2001-03-03T01:00:00.000Z", "", "b", "v", "f3", "\n") +
                 line("2001-02-29T01:00:00Z", "", "b", "v", "f3", "\n") +
                 line("2001-03-02T24:00:00Z", "", "a", "u", "f1", "\n") +
                 line("2001-03-02t01:00:00z", "", "a", "u", "f1", "\n") +
                 line("2001-03-02T01:00:00+0500", "", "a", "u", "f1", "\n") +
                 line("2001-03-02T01:00:00+24:00", "", "a", "u", "f1", "\n") +
                 line("2001-03-02T01:00:00", "", "a", "u", "f1", "\n") +
                 line("3/2/2001 1:00 PM", "10.0.0.1", "b", "w", "f4", "\n") +
                 line("2001-04-01T23:59:59-00:00", "", "b", "w", "f4", "");
    c.upload = line("2002-05-31T07:00:00Z", "10.0.0.8", "a", "u", "up1") +
               line("2001-03-02T09:00:00+01:00", "10.0.0.9", "b", "u", "up2");
    return c;
}

// More accounts, files, users and addresses than a sort by insertion handles (16), nearly all
// tied: every listing keeps its order among equals past the first sixteen.
Case crowd()
{
    Case c{"Crowd", "", "", {}, {"u07", "user7", "10.0.1.7"}};
    for (int i = 24; i >= 1; --i) {
        const std::string n = std::to_string(i);
        c.accounts.push_back((i < 10 ? "u0" : "u") + n);
        if (i <= 20)
            c.download += line("3/2/2001 " + n + ":00", "10.0.1." + n, c.accounts.back(), "user" + n, "file" + n);
        if (i <= 18)
            c.upload += line("3/2/2001 5:00", "10.0.2." + n, c.accounts.back(), "user" + n, "up" + n);
    }
    c.download += line("junk", "", "u05", "user5", "file5");
    return c;
}

Case empty()
{
    return {"Empty", "", "", {}, {}};
}

class ReferenceAnswers : public ::testing::TestWithParam<Case> {};

TEST_P(ReferenceAnswers, EveryVerbInEveryFormatWithAndWithoutAPeriodIsTheModels)
{
    const Case& c = GetParam();
    TempServer server;
    server.writeDownloadLog(c.download);
    server.writeUploadLog(c.upload);
    for (const std::string& account : c.accounts)
        server.addAccount(account);
    const reference::Server model{c.download, c.upload, c.accounts};
    const std::vector<Period> periods = {{},
                                         {Date{2001, 3, 2}, {}},
                                         {{}, Date{2001, 3, 2}},
                                         {Date{2001, 3, 2}, Date{2001, 3, 2}},
                                         {Date{2001, 1, 1}, Date{2001, 12, 31}},
                                         {Date{1990, 1, 1}, Date{1990, 1, 2}}};
    std::vector<std::string> values = c.values;
    values.insert(values.end(), {"", "absent"});
    const std::vector<std::string> days = {"2001-03-02", "2001-06-02", "2004-02-29", "1990-01-01"};
    using enum reference::Verb::Value;
    for (const reference::Verb& verb : reference::verbs())
        for (const std::string& value : verb.value == Text  ? values
                                        : verb.value == Day ? days
                                                            : std::vector<std::string>{""})
            for (const Period& period : periods)
                for (const char* format : {"text", "csv", "json"}) {
                    const reference::Call call{verb.name, value, period.from, period.to, format};
                    const reference::Printed expected = reference::answer(model, call);
                    const ReportRun run = reportOn(server, reference::argumentsOf(verb, call));
                    SCOPED_TRACE(verb.name + " '" + value + "' " + format +
                                 (period.from ? " from " + dateText(*period.from) : "") +
                                 (period.to ? " to " + dateText(*period.to) : ""));
                    ASSERT_EQ(run.code, 0) << run.err;
                    EXPECT_EQ(run.out, expected.out);
                    EXPECT_EQ(run.err, expected.err);
                }
}

INSTANTIATE_TEST_SUITE_P(Servers, ReferenceAnswers,
                         ::testing::Values(ties(), stamps(), names(), modern(), crowd(), empty()),
                         [](const auto& row) { return std::string(row.param.name); });

} // namespace
} // namespace quorvel::test
