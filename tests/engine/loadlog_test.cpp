// SPDX-License-Identifier: MIT
#include "enginefixture.h"
#include "permissionbits.h"
#include "sidetexts.h"

#include "commands/loading.h"
#include "commands/searches.h"
#include "core/textwriter.h"
#include "ingest/linestream.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace quorvel::test {
namespace {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

class LoadLog : public EngineTest, public ::testing::WithParamInterface<Side> {
protected:
    Side side() const { return GetParam(); }
    Side otherSide() const { return side() == Side::Download ? Side::Upload : Side::Download; }
    const SideTexts& info() const { return sideTexts(side()); }
    std::string logName() const { return std::string(info().logFileName); }
    std::string caption(std::string_view rest) const { return concat(info().logCaption, rest); }
    void writeLog(std::string_view bytes) const { server.write(info().logFileName, bytes); }
    const LogRecords& records() const { return a.state.log(side()).records; }
    Texts filenames() const
    {
        Texts names;
        for (std::int64_t i = 0; i < records().count(); ++i)
            names.emplace_back(records().filename(i));
        return names;
    }
};

std::string sideName(const ::testing::TestParamInfo<Side>& param)
{
    return param.param == Side::Download ? "Download" : "Upload";
}

TEST_P(LoadLog, AServerLogShowsEveryCaptionInOrderAndLoadsItsRecords)
{
    const std::string log = "Date/time\tAddress\tAccount\tName\tFile Name\r"
                            "2024/01/02 10:00\t10.0.0.1\tguest\tJoe\tStuff/a.sit\r"
                            "2024/01/02 11:00\t10.0.0.2\tadmin\tAnn\tb.txt";
    writeLog(log);
    loadlog(a, side());
    const std::string size = std::to_string(log.size());
    EXPECT_EQ(window.statuses, (Texts{caption("Loading...   0/" + size), caption("Loading...   " + size + "/" + size),
                                      caption("Converting to a usable string..."), caption("Sorting...   0/2"),
                                      caption("Sorting...   2/2"), caption("Done...")}));
    EXPECT_TRUE(a.state.log(side()).loaded);
    ASSERT_EQ(records().count(), 2);
    EXPECT_EQ(records().stamp(1), "2024/01/02 11:00");
    EXPECT_EQ(records().spare(1), "10.0.0.2");
    EXPECT_EQ(records().account(1), "admin");
    EXPECT_EQ(records().username(1), "Ann");
    EXPECT_EQ(records().filename(1), "b.txt");
}

TEST_P(LoadLog, AnEmptyFileLoadsWithNoRecords)
{
    writeLog("");
    loadlog(a, side());
    EXPECT_EQ(window.statuses, (Texts{caption("Loading...   0/0"), caption("Converting to a usable string..."),
                                      caption("Sorting...   0/0"), caption("Done...")}));
    EXPECT_TRUE(a.state.log(side()).loaded);
    EXPECT_EQ(records().count(), 0);
}

TEST_P(LoadLog, AMissingFileIsNotFoundAndDiscardsThePreviousLoad)
{
    writeLog("d\ts\ta\tu\tf");
    loadlog(a, side());
    fs::remove(fs::path(server.folder()) / logName());
    window.statuses.clear();
    loadlog(a, side());
    EXPECT_EQ(window.statuses, Texts{"Cannot find '" + logName() + "'"});
    EXPECT_FALSE(a.state.log(side()).loaded);
    EXPECT_EQ(records().count(), 0);
}

TEST_P(LoadLog, AFolderInPlaceOfTheLogCannotBeRead)
{
    fs::create_directory(fs::path(server.folder()) / logName());
    loadlog(a, side());
    EXPECT_EQ(window.statuses, Texts{"Cannot read '" + logName() + "'"});
    EXPECT_FALSE(a.state.log(side()).loaded);
}

TEST_P(LoadLog, APipeInPlaceOfTheLogCannotBeReadAndDoesNotWaitForAWriter)
{
    ASSERT_EQ(::mkfifo((fs::path(server.folder()) / logName()).c_str(), 0644), 0);
    loadlog(a, side());
    EXPECT_EQ(window.statuses, Texts{"Cannot read '" + logName() + "'"});
    EXPECT_FALSE(a.state.log(side()).loaded);
}

TEST_P(LoadLog, ALogWithoutReadPermissionCannotBeRead)
{
    writeLog("d\ts\ta\tu\tf");
    fs::permissions(fs::path(server.folder()) / logName(), fs::perms::none);
    {
        const PermissionBitsApply permissions;
        if (!PermissionBitsApply::enforced(server.programFolder()))
            GTEST_SKIP() << "permission bits are not enforced for this process";
        loadlog(a, side());
    }
    EXPECT_EQ(window.statuses, Texts{"Cannot read '" + logName() + "'"});
    EXPECT_FALSE(a.state.log(side()).loaded);
}

// A terabyte without a line end: its first line may hold all of it.
TEST_P(LoadLog, ALogTooLargeForMemoryIsRefusedAtItsFirstBlock)
{
    // One thread: with several, the caller's poll may see a part's first block read before
    // the refusal, a caption more than this test is about.
    a.threads = ThreadCount{1, true};
    writeLog("");
    fs::resize_file(fs::path(server.folder()) / logName(), std::uintmax_t{1} << 40);
    loadlog(a, side());
    EXPECT_EQ(window.statuses,
              (Texts{caption("Loading...   0/1099511627776"), "Not enough memory to load '" + logName() + "'"}));
    EXPECT_FALSE(a.state.log(side()).loaded);
}

std::uint64_t tenMiB()
{
    return std::uint64_t{10} << 20;
}

// A line without a line end doubles the block it is read into as it grows, and the old and the
// new block are held together while it moves: a 6 MiB line needs 4 + 8 MiB at once, a 3 MiB
// line 2 + 4 MiB.
TEST_P(LoadLog, AnUnendedLineIsRefusedBeforeItsBlockGrowsPastWhatIsLeft)
{
    a.threads = ThreadCount{1, true}; // its captions follow the block's growth
    a.memoryLeft = tenMiB;
    writeLog(std::string(std::size_t{6} << 20, 'x'));
    loadlog(a, side());
    ASSERT_GE(window.statuses.size(), 2u);
    EXPECT_EQ(window.statuses[window.statuses.size() - 2], caption("Loading...   2097152/6291456"));
    EXPECT_EQ(window.lastStatus(), "Not enough memory to load '" + logName() + "'");
    EXPECT_FALSE(a.state.log(side()).loaded);
    writeLog(std::string(std::size_t{3} << 20, 'x'));
    loadlog(a, side());
    EXPECT_TRUE(a.state.log(side()).loaded);
    EXPECT_EQ(records().count(), 1);
}

// Keeps the working directory of the test and restores it.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const fs::path& dir) : saved_(fs::current_path()) { fs::current_path(dir); }
    ~WorkingDirectory() { fs::current_path(saved_); }

private:
    fs::path saved_;
};

TEST_P(LoadLog, WithNoFolderKnownNothingIsLookedUpRelatively)
{
    writeLog("d\ts\ta\tu\tf");
    const WorkingDirectory inServer(server.folder());
    a.state = State{};
    loadlog(a, side());
    EXPECT_EQ(platform.browseTitles, Texts{"Select your Hotline Server Folder"});
    EXPECT_EQ(window.statuses, Texts{"Cannot find '" + logName() + "'"});
    EXPECT_FALSE(a.state.log(side()).loaded);
}

TEST_P(LoadLog, WithNoFolderKnownTheChosenFolderIsRead)
{
    writeLog("d\ts\ta\tu\tf");
    a.state = State{};
    platform.folderAnswers.push_back(server.folder());
    loadlog(a, side());
    EXPECT_TRUE(a.state.log(side()).loaded);
    EXPECT_EQ(filenames(), Texts{"f"});
}

TEST_P(LoadLog, AReloadClearsThePickListsAndFlagsOfItsOwnSideOnly)
{
    writeLog("d\ts\ta\tu\tf");
    loadlog(a, side());
    for (Dialog dialog : {Dialog::DownNames, Dialog::DownFiles, Dialog::UpNames, Dialog::UpFiles, Dialog::Accounts})
        window.list(dialog) = {"entry"};
    for (LogState* log : {&a.state.download, &a.state.upload}) {
        log->nameslisted = true;
        log->fileslisted = true;
    }
    a.state.log(otherSide()).loaded = true;
    a.state.log(side()).files.push_back({"f", 1});
    writeLog("d\ts\ta\tu\tnew");
    loadlog(a, side());
    EXPECT_EQ(window.list(pickDialog(side(), Pick::Names)), Texts{});
    EXPECT_EQ(window.list(pickDialog(side(), Pick::Files)), Texts{});
    EXPECT_FALSE(a.state.log(side()).nameslisted);
    EXPECT_FALSE(a.state.log(side()).fileslisted);
    EXPECT_TRUE(a.state.log(side()).files.empty());
    EXPECT_EQ(filenames(), Texts{"new"});
    EXPECT_EQ(window.list(pickDialog(otherSide(), Pick::Names)), Texts{"entry"});
    EXPECT_EQ(window.list(pickDialog(otherSide(), Pick::Files)), Texts{"entry"});
    EXPECT_EQ(window.list(Dialog::Accounts), Texts{"entry"});
    EXPECT_TRUE(a.state.log(otherSide()).nameslisted);
    EXPECT_TRUE(a.state.log(otherSide()).fileslisted);
    EXPECT_TRUE(a.state.log(otherSide()).loaded);
}

INSTANTIATE_TEST_SUITE_P(Sides, LoadLog, ::testing::Values(Side::Download, Side::Upload), sideName);

// Logs around the size of one read block: every line read once, in order, whatever the size.
constexpr std::uint64_t readBlock = lineBlockBytes;

struct SizeCase {
    std::uint64_t size;
};

class LoadLogSize : public EngineTest, public ::testing::WithParamInterface<SizeCase> {};

// Lines of 64 bytes numbered in their filename; the last one is cut to reach the size.
std::string numberedLog(std::uint64_t size, Texts& filenames)
{
    std::string log;
    log.reserve(size + 64);
    char line[80];
    for (int i = 0; log.size() < size; ++i) {
        std::snprintf(line, sizeof line, "2024/01/02\t10.0.0.1\tguest\tJoe\tfile%034d\r", i);
        log += line;
    }
    log.resize(size);
    for (std::size_t at = 0; at < log.size();) {
        const std::size_t end = std::min(log.find('\r', at), log.size());
        std::size_t field = at;
        for (int tabs = 0; tabs < 4 && field != std::string::npos; ++tabs)
            field = log.find('\t', field) < end ? log.find('\t', field) + 1 : std::string::npos;
        if (end > at)
            filenames.push_back(field == std::string::npos ? std::string() : log.substr(field, end - field));
        at = end + 1;
    }
    return log;
}

TEST_P(LoadLogSize, ReadsEveryByteOnceAndEndsAtTheFileSize)
{
    Texts expected;
    const std::string log = numberedLog(GetParam().size, expected);
    server.writeDownloadLog(log);
    loadlog(a, Side::Download);
    const LogRecords& records = a.state.download.records;
    Texts names;
    for (std::int64_t i = 0; i < records.count(); ++i)
        names.emplace_back(records.filename(i));
    EXPECT_EQ(names, expected);
    const std::string size = std::to_string(log.size());
    Texts loading;
    for (const std::string& status : window.statuses)
        if (status.starts_with("(Download Log) Loading..."))
            loading.push_back(status);
    ASSERT_GE(loading.size(), 2u);
    EXPECT_EQ(loading.front(), "(Download Log) Loading...   0/" + size);
    EXPECT_EQ(loading.back(), "(Download Log) Loading...   " + size + "/" + size);
    const std::string lastSort =
        "(Download Log) Sorting...   " + std::to_string(expected.size()) + "/" + std::to_string(expected.size());
    EXPECT_EQ(window.statuses.rbegin()[1], lastSort);
}

class LoadLogWhileWritten : public EngineTest {
protected:
    void SetUp() override
    {
        // The file changes after the first block: one thread reads it block by block.
        a.threads = ThreadCount{1, true};
        log = std::string(readBlock - 5, 'x') + "\rd\ts\ta\tu\tlast";
        server.writeDownloadLog(log);
    }
    // Runs change once, at the first yield of the load (after its first block).
    void loadChangingTheFile(const std::function<void()>& change)
    {
        window.onYield = [&] {
            if (window.yields == 1)
                change();
        };
        loadlog(a, Side::Download);
    }
    fs::path logPath() const { return fs::path(server.folder()) / "Download Log.txt"; }
    std::string log;
};

TEST_F(LoadLogWhileWritten, BytesAppendedDuringTheLoadAreNotRead)
{
    loadChangingTheFile(
        [&] { std::ofstream(logPath(), std::ios::binary | std::ios::app) << "\rd\ts\ta\tu\tappended"; });
    const LogRecords& records = a.state.download.records;
    ASSERT_EQ(records.count(), 2);
    EXPECT_EQ(records.filename(1), "last");
}

// Records of a log cut short are records of a log that is no more: the log is not loaded.
TEST_F(LoadLogWhileWritten, AFileCutShortDuringTheLoadIsNotLoaded)
{
    loadChangingTheFile([&] { fs::resize_file(logPath(), 10); });
    EXPECT_FALSE(a.state.download.loaded);
    EXPECT_EQ(a.state.download.records.count(), 0);
    EXPECT_EQ(window.lastStatus(), "'Download Log.txt' changed while it was read");
}

INSTANTIATE_TEST_SUITE_P(AroundOneBlock, LoadLogSize,
                         ::testing::Values(SizeCase{readBlock - 1}, SizeCase{readBlock}, SizeCase{readBlock + 1},
                                           SizeCase{2 * readBlock + 63}),
                         [](const auto& param) { return "Bytes" + std::to_string(param.param.size); });

} // namespace
} // namespace quorvel::test
