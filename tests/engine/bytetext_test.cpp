// SPDX-License-Identifier: MIT
// The byte-to-text rule: valid UTF-8 as it is, any other text as Windows-1252 with its five
// undefined bytes kept as Latin-1, and back again without losing a byte.
#include "core/bytetext.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace quorvel {
namespace {

// A byte after 0xFF, which UTF-8 never holds, so the text is taken as 8-bit.
std::string eightBit(unsigned char byte)
{
    return std::string("\xff") + static_cast<char>(byte);
}

TEST(ByteText, EveryByteOfAn8BitTextComesBackFromItsCharacter)
{
    for (int byte = 0; byte < 256; ++byte) {
        const std::string bytes = eightBit(static_cast<unsigned char>(byte));
        const std::string text = utf8Text(bytes);
        EXPECT_TRUE(isValidUtf8(text)) << byte;
        EXPECT_EQ(windows1252Bytes(text), bytes) << byte;
    }
}

struct Letter {
    unsigned char byte;
    const char* shown; // UTF-8
};

void PrintTo(const Letter& l, std::ostream* os)
{
    *os << "byte " << static_cast<int>(l.byte);
}

class ByteShownAs : public ::testing::TestWithParam<Letter> {};

TEST_P(ByteShownAs, ItsWindows1252Character)
{
    EXPECT_EQ(utf8Text(eightBit(GetParam().byte)), std::string("\xc3\xbf") + GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Letters, ByteShownAs,
                         ::testing::Values(Letter{0x80, "\xe2\x82\xac"}, // €
                                           Letter{0x8A, "\xc5\xa0"},     // Š
                                           Letter{0x8E, "\xc5\xbd"},     // Ž
                                           Letter{0x9F, "\xc5\xb8"},     // Ÿ
                                           Letter{0x85, "\xe2\x80\xa6"}, // …
                                           Letter{0x81, "\xc2\x81"},     // undefined: Latin-1
                                           Letter{0x9D, "\xc2\x9d"},     // undefined: Latin-1
                                           Letter{0xA0, "\xc2\xa0"},     // no-break space
                                           Letter{0xE9, "\xc3\xa9"},     // é
                                           Letter{0x41, "A"}));

TEST(ByteText, ValidUtf8IsKeptAsItIs)
{
    EXPECT_EQ(utf8Text("Ren\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80"), "Ren\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80");
    EXPECT_EQ(utf8Text(""), "");
}

// Text with a character that has no Windows-1252 byte, or that is not UTF-8 at all.
TEST(ByteText, TextWithoutAWindows1252FormHasNoBytes)
{
    EXPECT_EQ(windows1252Bytes("\xce\xa9"), std::nullopt); // Ω
    EXPECT_EQ(windows1252Bytes("\xc2\x80"), std::nullopt); // U+0080: 0x80 is €
    EXPECT_EQ(windows1252Bytes("a\xf0\x9f\x98\x80"), std::nullopt);
    EXPECT_EQ(windows1252Bytes("caf\xe9"), std::nullopt); // not UTF-8
    EXPECT_EQ(windows1252Bytes(""), std::string());
}

} // namespace
} // namespace quorvel
