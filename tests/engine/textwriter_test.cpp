// SPDX-License-Identifier: MIT
// Report texts are measured, then written piece by piece into room made once: every length of
// piece is copied exactly, numbers are written in full, a text whose pieces change between
// the two passes is refused before a byte lands outside the room, and a large text's room ends
// just short of whole huge pages.
#include "core/hugepages.h"
#include "core/textwriter.h"

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

TEST(TextWriter, AppendsExactlyTheMeasuredTextAfterWhatTheTextHeld)
{
    const std::int64_t big = std::numeric_limits<std::int64_t>::max();
    const std::int64_t small = std::numeric_limits<std::int64_t>::min();
    std::string text = "head|";
    appendText(text, [&](auto& out) { out.put(big).put("\t").put(small).put("\t").put(std::int64_t{0}).put("\tname\r\n"); });
    EXPECT_EQ(text, "head|" + std::to_string(big) + "\t" + std::to_string(small) + "\t0\tname\r\n");
    EXPECT_EQ(decimal(small), std::to_string(small));
}

// Pieces that grow or shrink between the measure and the write are a fault of the caller,
// refused in every build: a longer write before it passes the room, a shorter one at the end.
TEST(TextWriter, RefusesTextThatDiffersFromWhatWasMeasured)
{
    for (const std::string_view second : {"abcd", "ab"}) {
        int pass = 0;
        std::string text;
        EXPECT_THROW(appendText(text, [&](auto& out) { out.put(pass++ == 0 ? std::string_view("abc") : second); }),
                     std::logic_error)
            << second;
    }
}

// A text of half a huge page or more gets a capacity that, with malloc's header and the
// terminator, fills whole 2 MiB pages; smaller texts get what they ask for.
TEST(TextWriter, LargeTextsFillWholeHugePages)
{
    constexpr std::size_t hugePage = std::size_t{2} << 20;
    for (const std::size_t bytes : {std::size_t{0}, std::size_t{1000}, hugePage / 2 - 1})
        EXPECT_EQ(textCapacity(bytes), bytes) << bytes;
    for (const std::size_t bytes : {hugePage / 2, hugePage - 4097, hugePage - 4096, hugePage, std::size_t{5000000}}) {
        const std::size_t capacity = textCapacity(bytes);
        EXPECT_GE(capacity, bytes) << bytes;
        EXPECT_EQ((capacity + 4097) % hugePage, 0u) << bytes;
        EXPECT_LT(capacity - bytes, hugePage) << bytes;
    }
}

} // namespace
} // namespace quorvel
