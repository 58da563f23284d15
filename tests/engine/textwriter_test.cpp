// SPDX-License-Identifier: MIT
// Report texts are written piece by piece into room made beforehand: every length of piece
// is copied exactly, numbers are written in full, and writing past the room is refused
// before a byte lands outside it.
#include "state/hugepages.h"
#include "state/textwriter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>

namespace quorvel {
namespace {

TEST(TextWriter, CopiesPiecesOfEveryLengthExactly)
{
    std::string source;
    for (int i = 0; i < 100; ++i)
        source.push_back(static_cast<char>('!' + i % 90));
    for (std::size_t length = 0; length <= source.size(); ++length) {
        // Guards around the piece show that nothing is written outside it.
        std::string target(length + 2, '#');
        copyBytes(target.data() + 1, source.data(), length);
        EXPECT_EQ(target, "#" + source.substr(0, length) + "#") << "length " << length;
    }
}

TEST(TextWriter, FillsExactlyTheAnnouncedRoomAfterWhatTheTextHeld)
{
    const std::int64_t big = std::numeric_limits<std::int64_t>::max();
    const std::int64_t small = std::numeric_limits<std::int64_t>::min();
    const std::string expected = "head|" + std::to_string(big) + "\t" + std::to_string(small) + "\t0\tname\r\n";
    std::string text = "head|";
    TextWriter out(text, expected.size() - 5);
    EXPECT_FALSE(out.full());
    out.put(big).put("\t").put(small).put("\t").put(std::int64_t{0}).put("\tname").put("\r\n");
    EXPECT_TRUE(out.full());
    EXPECT_EQ(text, expected);
    EXPECT_EQ(decimalLength(big), std::to_string(big).size());
    EXPECT_EQ(decimalLength(small), std::to_string(small).size());
}

TEST(TextWriter, RefusesToWritePastTheRoom)
{
    std::string text = "kept";
    TextWriter out(text, 5);
    out.put("abc");
    EXPECT_THROW(out.put("def"), std::length_error);
    EXPECT_THROW(out.put(std::int64_t{123}), std::length_error);
    out.put(std::int64_t{45});
    EXPECT_TRUE(out.full());
    EXPECT_EQ(text, "keptabc45");
}

TEST(TextWriter, LargeTextsGetRoomForAtLeastTheirBytes)
{
    for (const std::size_t bytes : {std::size_t{0}, std::size_t{1000}, std::size_t{1} << 20, (std::size_t{2} << 20) - 4097,
                                    (std::size_t{2} << 20) - 4096, std::size_t{5000000}}) {
        EXPECT_GE(textCapacity(bytes), bytes);
        std::string text;
        reserveText(text, bytes);
        EXPECT_GE(text.capacity(), bytes);
    }
}

} // namespace
} // namespace quorvel
