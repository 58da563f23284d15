// SPDX-License-Identifier: MIT
#pragma once

// The text of a modern server's log line as both of its readers (slogline.h) read it: the
// bytes that end a key or a value, escapes, addresses and the transfer messages.

#include "model/side.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#ifdef __SSE2__
#include <emmintrin.h>
#include <xmmintrin.h>
#endif

namespace quorvel::slog {

#ifdef __SSE2__
// Which of the 16 bytes at p are one of Stops, one bit each, the first byte in the lowest bit.
template <char... Stops> unsigned stopMask(const char* p)
{
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    __m128i hit = _mm_setzero_si128();
    ((hit = _mm_or_si128(hit, _mm_cmpeq_epi8(v, _mm_set1_epi8(Stops)))), ...);
    return static_cast<unsigned>(_mm_movemask_epi8(hit));
}
#endif

// The first byte of [p, end) that is one of Stops, or end; 16 bytes at a time where it can.
template <char... Stops> const char* findFirst(const char* p, const char* end)
{
#ifdef __SSE2__
    for (; end - p >= 16; p += 16)
        if (const unsigned mask = stopMask<Stops...>(p); mask != 0)
            return p + std::countr_zero(mask);
#endif
    while (p < end && ((*p != Stops) && ...))
        ++p;
    return p;
}

// The last byte of [p, end) that is one of Stops, or nullptr; 16 bytes at a time where it can.
template <char... Stops> const char* findLast(const char* p, const char* end)
{
#ifdef __SSE2__
    for (; end - p >= 16; end -= 16)
        if (const unsigned mask = stopMask<Stops...>(end - 16); mask != 0)
            return end - 16 + (31 - std::countl_zero(mask));
#endif
    while (end > p) {
        const char c = *--end;
        if (((c == Stops) || ...))
            return end;
    }
    return nullptr;
}

// The LFs of a text, found 64 bytes at a time with one compare a 16 bytes, so that a line's
// end costs a few bit operations rather than a search of its own.
class LineEnds {
public:
    explicit LineEnds(std::string_view text) : end_(text.data() + text.size()), chunk_(end_) {}

    // The first LF in [p, the text's end), or nullptr; p never goes back.
    const char* next(const char* p)
    {
        for (;;) {
            if (p >= chunk_ && p - chunk_ < span_) {
                const std::uint64_t left = mask_ & (~std::uint64_t{0} << (p - chunk_));
                if (left != 0)
                    return chunk_ + std::countr_zero(left);
                p = chunk_ + span_;
            }
            if (p >= end_)
                return nullptr;
            chunk_ = p;
            span_ = std::min<std::ptrdiff_t>(64, end_ - p);
            mask_ = span_ == 64 ? maskAt(p) : tailMask(p);
        }
    }

private:
    static constexpr std::uintptr_t prefetchAhead = 1024;

    static std::uint64_t maskAt(const char* p)
    {
#ifdef __SSE2__
        const __m128i lf = _mm_set1_epi8('\n');
        // A file read in place comes from memory, not from a cache a copy filled: asked for
        // ahead, its bytes are there when they are scanned.
        _mm_prefetch(reinterpret_cast<const char*>(reinterpret_cast<std::uintptr_t>(p) + prefetchAhead), _MM_HINT_T0);
        std::uint64_t mask = 0;
        for (int part = 0; part < 4; ++part) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * part));
            mask |= static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, lf))))
                    << (16 * part);
        }
        return mask;
#else
        std::uint64_t mask = 0;
        for (int i = 0; i < 64; ++i)
            mask |= std::uint64_t{p[i] == '\n'} << i;
        return mask;
#endif
    }
    // The mask of the text's last bytes, fewer than 64: the bytes past its end are no LF.
    std::uint64_t tailMask(const char* p) const
    {
        char tail[64] = {};
        std::memcpy(tail, p, static_cast<std::size_t>(end_ - p));
        return maskAt(tail);
    }

    const char* end_;
    const char* chunk_; // the bytes [chunk_, chunk_ + span_) are those whose LFs mask_ holds
    std::ptrdiff_t span_ = 0;
    std::uint64_t mask_ = 0;
};

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

// The byte an escape of one letter stands for, or -1 when the letter makes no such escape.
inline int escapedByte(char letter)
{
    switch (letter) {
    case '"':
    case '\\':
        return letter;
    case 'a':
        return '\a';
    case 'b':
        return '\b';
    case 'f':
        return '\f';
    case 'n':
        return '\n';
    case 'r':
        return '\r';
    case 't':
        return '\t';
    case 'v':
        return '\v';
    default:
        return -1;
    }
}

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

// Whether one of the eight bytes of v is c.
inline bool hasByte(std::uint64_t v, char c)
{
    constexpr std::uint64_t ones = 0x0101010101010101u;
    const std::uint64_t x = v ^ (ones * static_cast<unsigned char>(c));
    return ((x - ones) & ~x & (ones << 7)) != 0;
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
