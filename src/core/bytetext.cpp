// SPDX-License-Identifier: MIT
#include "core/bytetext.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace quorvel {

namespace {

bool continuation(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

} // namespace

// The second byte's range rules out overlong forms, surrogates and code points above U+10FFFF.
std::size_t utf8SequenceAt(std::string_view bytes, std::size_t i)
{
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = at(i);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (bytes.size() - i < length || at(i + 1) < low || at(i + 1) > high)
        return 0;
    for (std::size_t k = 2; k < length; ++k)
        if (!continuation(at(i + k)))
            return 0;
    return length;
}

bool isValidUtf8(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size();) {
        // Plain ASCII eight bytes at a time: most names and reports are nothing else.
        if (bytes.size() - i >= 8) {
            std::uint64_t word;
            std::memcpy(&word, bytes.data() + i, 8);
            if ((word & 0x8080808080808080ull) == 0) {
                i += 8;
                continue;
            }
        }
        const std::size_t length = utf8SequenceAt(bytes, i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

namespace {

// The characters of bytes 0x80 to 0x9F in Windows-1252; 0 where it leaves the byte undefined.
constexpr std::array<char32_t, 32> windows1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char32_t windows1252Char(unsigned char byte)
{
    if (byte < 0x80 || byte > 0x9F)
        return byte;
    const char32_t mapped = windows1252High[byte - 0x80u];
    return mapped != 0 ? mapped : byte;
}

// The byte of a character under windows1252Char, or nothing.
std::optional<char> windows1252Byte(char32_t c)
{
    if (c < 0x80 || (c > 0x9F && c <= 0xFF))
        return static_cast<char>(c);
    if (c <= 0x9F)
        return windows1252High[c - 0x80u] == 0 ? std::optional<char>(static_cast<char>(c)) : std::nullopt;
    const auto it = std::find(windows1252High.begin(), windows1252High.end(), c);
    if (it == windows1252High.end())
        return std::nullopt;
    return static_cast<char>(0x80 + (it - windows1252High.begin()));
}

void appendUtf8(std::string& text, char32_t c)
{
    if (c < 0x80) {
        text.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        text.push_back(static_cast<char>(0xC0 | (c >> 6)));
        text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        text.push_back(static_cast<char>(0xE0 | (c >> 12)));
        text.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// The code point that starts at utf8[i] in valid UTF-8, and where the next one starts.
char32_t nextCodePoint(std::string_view utf8, std::size_t& i)
{
    const auto at = [&](std::size_t k) { return static_cast<char32_t>(static_cast<unsigned char>(utf8[k])); };
    const char32_t lead = at(i);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t c = length == 1 ? lead : lead & (0x7Fu >> length);
    for (std::size_t k = 1; k < length; ++k)
        c = (c << 6) | (at(i + k) & 0x3F);
    i += length;
    return c;
}

} // namespace

std::string utf8Text(std::string_view bytes)
{
    if (isValidUtf8(bytes))
        return std::string(bytes);
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const char byte : bytes)
        appendUtf8(text, windows1252Char(static_cast<unsigned char>(byte)));
    return text;
}

std::optional<std::string> windows1252Bytes(std::string_view utf8)
{
    if (!isValidUtf8(utf8))
        return std::nullopt;
    std::string bytes;
    bytes.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const std::optional<char> byte = windows1252Byte(nextCodePoint(utf8, i));
        if (!byte)
            return std::nullopt;
        bytes.push_back(*byte);
    }
    return bytes;
}

} // namespace quorvel
