// SPDX-License-Identifier: MIT
// A log is read in blocks, each handed on cut just after a line end, so that no line is ever
// split between two blocks, whatever the block size and wherever the line ends fall.
#include "tempserver.h"

#include "ingest/linestream.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quorvel::test {
namespace {

struct StreamCase {
    const char* what;
    std::string text;
};

void PrintTo(const StreamCase& c, std::ostream* os)
{
    *os << c.what;
}

class LineStream : public ::testing::TestWithParam<std::tuple<StreamCase, std::size_t>> {
protected:
    std::vector<std::string> blocks(const std::string& text, std::size_t blockBytes)
    {
        server.writeDownloadLog(text);
        const LogFile file(std::filesystem::path(server.folder()) / "Download Log.txt");
        std::vector<std::string> out;
        bytesRead = streamLines(
            file, 0, file.size(), [&](std::string_view lines) { out.emplace_back(lines); },
            [](std::uint64_t, std::uint64_t) {}, blockBytes);
        return out;
    }
    TempServer server;
    std::optional<std::uint64_t> bytesRead;
};

bool endsLine(const std::string& block)
{
    return !block.empty() && (block.back() == '\r' || block.back() == '\n');
}

TEST_P(LineStream, HandsOnWholeLinesInOrder)
{
    const auto& [c, blockBytes] = GetParam();
    const std::vector<std::string> got = blocks(c.text, blockBytes);
    ASSERT_TRUE(bytesRead);
    EXPECT_EQ(*bytesRead, c.text.size());
    std::string joined;
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_FALSE(got[i].empty());
        EXPECT_TRUE(i + 1 == got.size() || endsLine(got[i])) << "block " << i << " ends inside a line";
        joined += got[i];
    }
    EXPECT_EQ(joined, c.text);
}

// Before a read that must grow the block for a long line, the block is reported at its old and
// its new size together; after the last read nothing grows.
TEST(LineStreamBlock, CountsTheGrowthTheNextReadCausesBeforeIt)
{
    const TempServer server;
    const std::pair<std::string, std::vector<std::uint64_t>> cases[] = {
        {std::string(20, 'x'), {12, 24, 48, 32}},
        {std::string(16, 'x'), {12, 24, 16}},
        {"abc\ndefgh", {4, 12, 8}},
    };
    for (const auto& [text, peaks] : cases) {
        server.writeDownloadLog(text);
        const LogFile file(std::filesystem::path(server.folder()) / "Download Log.txt");
        std::vector<std::uint64_t> reported;
        streamLines(
            file, 0, file.size(), [](std::string_view) {},
            [&](std::uint64_t, std::uint64_t peak) { reported.push_back(peak); }, 4);
        EXPECT_EQ(reported, peaks) << text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, LineStream,
    ::testing::Combine(
        ::testing::Values(StreamCase{"empty file", ""}, StreamCase{"no line end", "d\tip\tbob\tBob\tfile"},
                          StreamCase{"CR LF falling across blocks", "ab\r\ncd\r\nef\r\n"},
                          StreamCase{"lone CRs and LFs", "a\rb\nc\r\rd\n\ne"},
                          StreamCase{"a line much longer than a block",
                                     std::string(100, 'x') + "\ry\r" + std::string(50, 'z')},
                          StreamCase{"only line ends", "\r\n\r\r\n\n"}),
        ::testing::Values(std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{7}, lineBlockBytes)));

} // namespace
} // namespace quorvel::test
