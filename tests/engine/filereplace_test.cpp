// SPDX-License-Identifier: MIT
#include "core/filereplace.h"

#include "tempserver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvel::test {
namespace {

namespace fs = std::filesystem;

class ReplaceFile : public ::testing::Test {
protected:
    fs::path path(std::string_view leaf) const { return temp.root() / leaf; }
    std::vector<std::string> entries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(temp.root()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    TempServer temp;
};

TEST_F(ReplaceFile, FollowsSymbolicLinksDanglingOrNotAndKeepsThem)
{
    fs::create_directory(path("real"));
    fs::create_symlink("real/results.txt", path("latest.txt"));
    fs::create_symlink("latest.txt", path("chain.txt"));
    EXPECT_EQ(replaceFile(path("chain.txt"), {"new"}), std::nullopt);
    EXPECT_EQ(fs::read_symlink(path("latest.txt")), "real/results.txt");
    EXPECT_EQ(fs::read_symlink(path("chain.txt")), "latest.txt");
    EXPECT_EQ(readFile(path("real/results.txt")), "new");
    EXPECT_EQ(replaceFile(path("chain.txt"), {"newer"}), std::nullopt);
    EXPECT_TRUE(fs::is_symlink(path("latest.txt")));
    EXPECT_EQ(readFile(path("real/results.txt")), "newer");
}

TEST_F(ReplaceFile, KeepsThePermissionBitsOfTheReplacedFile)
{
    temp.write("out.txt", "earlier");
    fs::permissions(temp.folder() + "/out.txt", fs::perms(0751));
    EXPECT_EQ(replaceFile(temp.folder() + "/out.txt", {"a", "b"}), std::nullopt);
    EXPECT_EQ(fs::status(temp.folder() + "/out.txt").permissions(), fs::perms(0751));
    EXPECT_EQ(readFile(temp.folder() + "/out.txt"), "ab");
}

TEST_F(ReplaceFile, NewFileGetsTheModeTheUmaskAllows)
{
    const mode_t earlier = ::umask(027);
    const auto result = replaceFile(path("new.txt"), {"x"});
    ::umask(earlier);
    EXPECT_EQ(result, std::nullopt);
    EXPECT_EQ(fs::status(path("new.txt")).permissions(), fs::perms(0640));
}

TEST_F(ReplaceFile, NameAtTheFileSystemsLengthLimitStillSaves)
{
    const std::string leaf = std::string(251, 'n') + ".txt";
    EXPECT_EQ(replaceFile(path(leaf), {"x"}), std::nullopt);
    EXPECT_EQ(readFile(path(leaf)), "x");
    EXPECT_EQ(entries().size(), 3u); // program, server and the file: no temporary left
}

TEST_F(ReplaceFile, NamedPipeIsWrittenNotReplaced)
{
    ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0600), 0);
    EXPECT_EQ(replaceFile(path("pipe"), {"x"}), "No such device or address"); // no reader: never blocks
    const int reader = ::open(path("pipe").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(replaceFile(path("pipe"), {"through", "\r\n"}), std::nullopt);
    char buffer[16] = {};
    EXPECT_EQ(::read(reader, buffer, sizeof buffer), 9);
    ::close(reader);
    EXPECT_EQ(std::string(buffer), "through\r\n");
    EXPECT_TRUE(fs::is_fifo(path("pipe")));
}

// Limits the size of files this process may write (this works for root too), so that a
// write fails halfway through.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : signal_(std::signal(SIGXFSZ, SIG_IGN))
    {
        ::getrlimit(RLIMIT_FSIZE, &earlier_);
        rlimit limited = earlier_;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &earlier_);
        std::signal(SIGXFSZ, signal_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    void (*signal_)(int);
    rlimit earlier_{};
};

TEST_F(ReplaceFile, WriteFailingHalfwayLeavesTheEarlierFileWholeAndNoTemporary)
{
    temp.write("out.txt", "earlier");
    fs::rename(temp.folder() + "/out.txt", path("out.txt"));
    const std::string big(64 * 1024, 'b');
    std::optional<std::string> result;
    {
        const FileSizeLimit limit(4096);
        result = replaceFile(path("out.txt"), {big});
    }
    EXPECT_EQ(result, "File too large");
    EXPECT_EQ(readFile(path("out.txt")), "earlier");
    EXPECT_EQ(entries(), (std::vector<std::string>{"out.txt", "program", "server"}));
}

} // namespace
} // namespace quorvel::test
