// SPDX-License-Identifier: MIT
// The twin property: for a loggen seed, every verb on the modern server's folder prints the same
// bytes as on its classic twin (the same records in the classic layout, stamps in the modern
// form), in every format, with and without a period. The twin itself is held to the reference
// model, so that two wrong answers that agree do not pass.
#include "logtext.h"
#include "referencemodel.h"
#include "reportrun.h"
#include "serverwriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace quorvel::test {
namespace {

namespace fs = std::filesystem;
using reference::Date;
using reference::Period;

// The two folders of one seed, written once per test program.
struct Twins {
    TempServer twin;
    TempServer mobius;
    std::vector<std::string> values; // searched for: an address, names, files and accounts of the log
    std::string day;                 // the first record's day, YYYY-MM-DD

    Twins()
    {
        loggen::Options options;
        options.downloadLines = 600;
        options.uploadLines = 150;
        options.accounts = 12;
        options.users = 60;
        options.files = 120;
        options.days = 60;
        options.seed = 23;
        options.out = twin.folder();
        options.format = loggen::Format::Twin;
        loggen::writeServer(options);
        options.out = mobius.folder();
        options.format = loggen::Format::Mobius;
        loggen::writeServer(options);
        const std::string log = readFile(fs::path(twin.folder()) / "Download Log.txt");
        values = pickValues(log);
        day = log.substr(log.find('\r') + 1, 10);
    }

    // From the twin's records: the first record's address, account, user name and file, and the first
    // user name and file that a modern log must escape (a quote, a backslash, a byte above 0x7F).
    static std::vector<std::string> pickValues(const std::string& log)
    {
        std::vector<std::string> picked;
        bool escapedName = false, escapedFile = false;
        for (const std::vector<std::string>& columns : recordsOf(log)) {
            if (picked.empty())
                picked = {columns[1], columns[2], columns[3], columns[4]};
            const auto escaped = [](const std::string& s) {
                return std::any_of(s.begin(), s.end(), [](char c) {
                    return c == '"' || c == '\\' || static_cast<unsigned char>(c) >= 0x7F;
                });
            };
            if (!escapedName && escaped(columns[3]))
                picked.push_back(columns[3]), escapedName = true;
            if (!escapedFile && escaped(columns[4]))
                picked.push_back(columns[4]), escapedFile = true;
        }
        return picked;
    }
};

const Twins& twins()
{
    static const Twins folders;
    return folders;
}

class TwinFolders : public ::testing::TestWithParam<reference::Verb> {};

TEST_P(TwinFolders, AnswerEveryVerbWithTheSameBytesInEveryFormatWithAndWithoutAPeriod)
{
    const reference::Verb& verb = GetParam();
    const Twins& folders = twins();
    ASSERT_EQ(folders.values.size(), 6u) << "the log holds names that a modern log escapes";
    const reference::Server model{readFile(fs::path(folders.twin.folder()) / "Download Log.txt"),
                                  readFile(fs::path(folders.twin.folder()) / "Upload Log.txt"), [&] {
                                      std::vector<std::string> accounts;
                                      for (const auto& entry :
                                           fs::directory_iterator(fs::path(folders.twin.folder()) / "users"))
                                          accounts.push_back(entry.path().filename().string());
                                      return accounts;
                                  }()};
    const std::vector<Period> periods{{}, {Date{2001, 1, 20}, Date{2001, 2, 10}}, {{}, Date{2001, 1, 5}}};
    using enum reference::Verb::Value;
    for (const std::string& value : verb.value == Text  ? folders.values
                                    : verb.value == Day ? std::vector<std::string>{folders.day, "2001-01-21"}
                                                        : std::vector<std::string>{""})
        for (const Period& period : periods)
            for (const char* format : {"text", "csv", "json"}) {
                const reference::Call call{verb.name, value, period.from, period.to, format};
                const std::vector<std::string> args = reference::argumentsOf(verb, call);
                SCOPED_TRACE(verb.name + " '" + value + "' " + format +
                             (period.from || period.to ? " in a period" : ""));
                const ReportRun classic = reportOn(folders.twin, args);
                const ReportRun modern = reportOn(folders.mobius, args);
                ASSERT_EQ(classic.code, 0) << classic.err;
                ASSERT_EQ(modern.code, 0) << modern.err;
                EXPECT_EQ(modern.out, classic.out);
                EXPECT_EQ(modern.err, classic.err);
                const reference::Printed expected = reference::answer(model, call);
                EXPECT_EQ(classic.out, expected.out);
                EXPECT_EQ(classic.err, expected.err);
            }
}

INSTANTIATE_TEST_SUITE_P(Verbs, TwinFolders, ::testing::ValuesIn(reference::verbs()), [](const auto& row) {
    std::string name = row.param.name;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
});

TEST(SampleMobius, AnswersEveryVerb)
{
    const std::string sample = QUORVEL_SOURCE_DIR "/examples/sample-mobius";
    const TempServer program;
    for (const reference::Verb& verb : reference::verbs()) {
        std::vector<std::string> args{"--server", sample, verb.name};
        if (verb.value != reference::Verb::Value::None)
            args.push_back(verb.value == reference::Verb::Value::Day ? "2025-06-01" : "guest");
        const ReportRun run = report(program, args);
        EXPECT_EQ(run.code, 0) << verb.name;
        EXPECT_EQ(run.err, "") << verb.name;
        EXPECT_NE(run.out, "") << verb.name;
    }
}

TEST(TwinFolders, TheModernLogHoldsItsTrapsAndEscapes)
{
    const Twins& folders = twins();
    std::string log;
    for (const auto& entry : fs::directory_iterator(folders.mobius.folder()))
        if (entry.path().extension() == ".log")
            log += readFile(entry.path());
    for (const char* held : {"ip=", "level=ERROR", "msg=\"File download started\"", "msg=\"Start folder download\"",
                             "msg=\"Folder upload started\"", "\\u00a0", "\\x", "\\\"", "remoteAddr=[2001:db8:"})
        EXPECT_NE(log.find(held), std::string::npos) << held;
    EXPECT_EQ(
        std::distance(fs::directory_iterator(fs::path(folders.mobius.folder()) / "Users"), fs::directory_iterator()),
        std::distance(fs::directory_iterator(fs::path(folders.twin.folder()) / "users"), fs::directory_iterator()));
}

} // namespace
} // namespace quorvel::test
