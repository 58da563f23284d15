// SPDX-License-Identifier: MIT
// The byte-to-text rule: valid UTF-8 as it is, any other text as Windows-1252 with its five
// undefined bytes kept as Latin-1, and back again without losing a byte.
#include "core/bytetext.h"

#include <gtest/gtest.h>

#include <optional>
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
