// SPDX-License-Identifier: MIT
#pragma once

// The text of a modern server's log line as both of its readers (slogline.h) read it: the
// bytes that end a key or a value, escapes, addresses and the transfer messages.

#include "model/side.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace quorvel::slog {

// The first byte of [p, end) that is one of Stops, or end; 16 bytes at a time where it can.
template <char... Stops> const char* findFirst(const char* p, const char* end)
{
#ifdef __SSE2__
    while (end - p >= 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        __m128i hit = _mm_setzero_si128();
        ((hit = _mm_or_si128(hit, _mm_cmpeq_epi8(v, _mm_set1_epi8(Stops)))), ...);
        const auto mask = static_cast<unsigned>(_mm_movemask_epi8(hit));
        if (mask != 0)
            return p + std::countr_zero(mask);
        p += 16;
    }
#endif
    while (p < end && ((*p != Stops) && ...))
        ++p;
    return p;
}

// The value of a hexadecimal digit, or -1 for another byte.
inline int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The escapes of one letter, and the byte each one stands for.
inline constexpr std::string_view escapeLetters = "\"\\abfnrtv";
inline constexpr std::string_view escapeBytes = "\"\\\a\b\f\n\r\t\v";

// Whether the value of a \u or \U escape names a code point a value may hold.
inline bool isCodePoint(std::uint32_t code)
{
    return code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
}

// Writes a code point's UTF-8 bytes at out; returns their number.
std::size_t utf8Of(std::uint32_t code, char* out);

// Decodes onto out the escape whose letter is at q, just after its backslash, in a line that ends
// at end; returns where the value goes on, or nullptr when the escape cannot be read there.
const char* decodeEscape(const char* q, const char* end, std::string& out);

// remoteAddr without its port: the address between the brackets of "[IPv6]:port", the part
// before the one ":" of "IPv4:port"; anything else as it is.
std::string_view hostOf(std::string_view address);

struct Message {
    std::string_view text;
    Side side;
};

// The transfer messages; each one's path key is the slot FilePath + its position.
inline constexpr Message messages[] = {
    {"Download file", Side::Download},
    {"Start folder download", Side::Download},
    {"File upload complete", Side::Upload},
    {"Folder upload started", Side::Upload},
};

// The eight bytes at p as one number.
inline std::uint64_t eightBytes(const char* p)
{
    std::uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// The place of text's message in the table, or the table's size when it is none of them. Every
// message has at least eight bytes: they are compared as one number before the rest.
inline std::size_t messageOf(std::string_view text)
{
    for (std::size_t m = 0; m < std::size(messages); ++m)
        if (text.size() == messages[m].text.size() && eightBytes(text.data()) == eightBytes(messages[m].text.data()) &&
            text == messages[m].text)
            return m;
    return std::size(messages);
}

} // namespace quorvel::slog
