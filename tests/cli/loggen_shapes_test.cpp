// SPDX-License-Identifier: MIT
// loggen's logs, which the benchmark measures: without the options of the second shape it writes
// the bytes it always wrote (the committed sample servers are its output); with --paths and
// --addresses it writes file names that are paths of about 40 bytes and only the chosen number
// of addresses; and every verb answers such a log as the reference model does.
#include "logtext.h"
#include "referencemodel.h"
#include "reportrun.h"
#include "serverwriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace quorvel::test {
namespace {

namespace fs = std::filesystem;

// Every file under folder, by its path relative to it, with its bytes.
std::map<std::string, std::string> filesUnder(const fs::path& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), folder).string()] = readFile(entry.path());
    return files;
}

TEST(LoggenSamples, AreItsOwnBytesWithoutTheNewOptions)
{
    // The options of tools/loggen/make-sample.sh.
    const TempServer classic, mobius;
    loggen::Options options;
    options.out = classic.folder();
    options.downloadLines = 3000;
    options.uploadLines = 800;
    options.days = 365;
    options.accounts = 20;
    options.users = 60;
    options.files = 150;
    options.seed = 2001;
    ASSERT_TRUE(loggen::writeServer(options));
    EXPECT_TRUE(filesUnder(classic.folder()) == filesUnder(QUORVEL_SOURCE_DIR "/examples/sample-server"));

    options.out = mobius.folder();
    options.format = loggen::Format::Mobius;
    options.downloadLines = 2000;
    options.uploadLines = 500;
    options.year = 2025;
    options.seed = 2025;
    ASSERT_TRUE(loggen::writeServer(options));
    EXPECT_TRUE(filesUnder(mobius.folder()) == filesUnder(QUORVEL_SOURCE_DIR "/examples/sample-mobius"));
}

loggen::Options pathShape(const TempServer& server, std::uint64_t lines)
{
    loggen::Options options;
    options.out = server.folder();
    options.downloadLines = lines;
    options.uploadLines = lines / 5;
    options.paths = true;
    options.addresses = 2;
    options.seed = 7;
    return options;
}

TEST(LoggenPathShape, HoldsPathsOfAboutFortyBytesSkewedAsNamesAreAndTwoAddresses)
{
    const TempServer server;
    ASSERT_TRUE(loggen::writeServer(pathShape(server, 20000)));
    const auto records = recordsOf(readFile(fs::path(server.folder()) / "Download Log.txt"));
    ASSERT_EQ(records.size(), 20000u);
    std::set<std::string> addresses, accounts;
    std::map<std::string, std::size_t> files;
    std::size_t bytes = 0, accented = 0;
    for (const auto& r : records) {
        ASSERT_EQ(r.size(), 5u);
        addresses.insert(r[1]);
        accounts.insert(r[2]);
        const std::string& file = r[4];
        ++files[file];
        bytes += file.size();
        accented += std::any_of(file.begin(), file.end(), [](char c) { return static_cast<unsigned char>(c) > 0x7F; });
        // Folder/Sub/leaf, the leaf "three words 1.2.ext".
        const std::size_t first = file.find('/'), second = file.find('/', first + 1);
        ASSERT_TRUE(first > 0 && second != std::string::npos && second > first + 1) << file;
        const std::string leaf = file.substr(second + 1);
        EXPECT_EQ(leaf.find('/'), std::string::npos) << file;
        EXPECT_GE(std::count(leaf.begin(), leaf.end(), ' '), 3) << file;
        EXPECT_NE(leaf.find('.'), std::string::npos) << file;
    }
    const double mean = static_cast<double>(bytes) / static_cast<double>(records.size());
    EXPECT_GT(mean, 36.0);
    EXPECT_LT(mean, 44.0);
    EXPECT_GT(accented, 0u);
    EXPECT_LT(accented, records.size() / 10);
    EXPECT_EQ(addresses.size(), 2u);
    EXPECT_GT(accounts.size(), 100u);
    EXPECT_LE(accounts.size(), 300u);
    // A few files are very common and most are rare.
    std::vector<std::size_t> counts;
    for (const auto& [file, count] : files)
        counts.push_back(count);
    std::sort(counts.rbegin(), counts.rend());
    EXPECT_GT(counts[0], 50 * counts[counts.size() / 2]);
}

TEST(LoggenAddresses, AreTheSameInTheTwinAndTheModernFolder)
{
    const TempServer twin, mobius;
    loggen::Options options;
    options.out = twin.folder();
    options.format = loggen::Format::Twin;
    options.addresses = 3;
    ASSERT_TRUE(loggen::writeServer(options));
    options.out = mobius.folder();
    options.format = loggen::Format::Mobius;
    ASSERT_TRUE(loggen::writeServer(options));
    std::set<std::string> addresses;
    for (const auto& r : recordsOf(readFile(fs::path(twin.folder()) / "Download Log.txt")))
        addresses.insert(r.at(1));
    ASSERT_EQ(addresses.size(), 3u);
    std::string log;
    for (const auto& entry : fs::directory_iterator(mobius.folder()))
        if (entry.path().extension() == ".log")
            log += readFile(entry.path());
    for (const std::string& address : addresses)
        EXPECT_NE(log.find(address), std::string::npos) << address;
    for (const std::string& address : addresses) {
        const ReportRun classic = reportOn(twin, {"downloads-from-address", address});
        const ReportRun modern = reportOn(mobius, {"downloads-from-address", address});
        EXPECT_EQ(classic.code, 0);
        EXPECT_EQ(modern.out, classic.out);
    }
}

TEST(LoggenPathShape, EveryVerbAnswersAsTheReferenceModel)
{
    const TempServer server;
    loggen::Options options = pathShape(server, 1500);
    options.accounts = 15;
    options.users = 80;
    options.files = 300;
    ASSERT_TRUE(loggen::writeServer(options));
    const fs::path folder = server.folder();
    reference::Server model{readFile(folder / "Download Log.txt"), readFile(folder / "Upload Log.txt"), {}};
    for (const auto& entry : fs::directory_iterator(folder / "users"))
        model.accounts.push_back(entry.path().filename().string());
    const std::vector<std::string> first = recordsOf(model.download).at(0);
    const std::vector<std::string> values{first[1], first[2], first[3], first[4]};
    using enum reference::Verb::Value;
    for (const reference::Verb& verb : reference::verbs())
        for (const std::string& value : verb.value == Text  ? values
                                        : verb.value == Day ? std::vector<std::string>{"2001-01-03", "2001-01-17"}
                                                            : std::vector<std::string>{""})
            for (const char* format : {"text", "csv", "json"}) {
                const reference::Call call{verb.name, value, {}, {}, format};
                SCOPED_TRACE(verb.name + " '" + value + "' " + format);
                const ReportRun run = reportOn(server, reference::argumentsOf(verb, call));
                ASSERT_EQ(run.code, 0) << run.err;
                const reference::Printed expected = reference::answer(model, call);
                EXPECT_EQ(run.out, expected.out);
                EXPECT_EQ(run.err, expected.err);
            }
}

} // namespace
} // namespace quorvel::test
