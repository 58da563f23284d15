// SPDX-License-Identifier: MIT
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace quorvel {

// One non-empty line of a log text found by scanLines: [begin, end) in bytes, line end
// excluded, and the positions of its first four TABs; a TAB the line lacks is at end.
struct ScannedLine {
    std::uint64_t begin = 0;
    std::uint64_t end = 0;
    std::uint64_t tab[4] = {0, 0, 0, 0};
};

// Which bytes of a 64-byte block are line ends (CR or LF) and TABs, one bit per byte, the
// first byte in the lowest bit.
struct BlockMasks {
    std::uint64_t ends = 0;
    std::uint64_t tabs = 0;
};

// The masks of the 64 bytes at p.
inline BlockMasks classifyBlock(const char* p)
{
    BlockMasks m;
#ifdef __SSE2__
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i tab = _mm_set1_epi8('\t');
    for (int part = 0; part < 4; ++part) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * part));
        const int shift = 16 * part;
        const auto bits = [&](__m128i eq) {
            return static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(eq))) << shift;
        };
        m.ends |= bits(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf)));
        m.tabs |= bits(_mm_cmpeq_epi8(v, tab));
    }
#else
    for (int i = 0; i < 64; ++i) {
        const std::uint64_t bit = std::uint64_t{1} << i;
        m.ends |= p[i] == '\r' || p[i] == '\n' ? bit : 0;
        m.tabs |= p[i] == '\t' ? bit : 0;
    }
#endif
    return m;
}

// The masks of the block at offset `at` of text; the bytes past the text's end count as
// neither.
inline BlockMasks classifyAt(std::string_view text, std::uint64_t at)
{
    if (text.size() - at >= 64)
        return classifyBlock(text.data() + at);
    char tail[64] = {};
    std::memcpy(tail, text.data() + at, text.size() - at);
    return classifyBlock(tail);
}

// Calls onLine(const ScannedLine&) for every non-empty line of text, in order. Every CR and
// every LF ends a line, so CR LF, a lone CR and a lone LF each end one line (the empty line
// between CR and LF is not reported); the text after the last line end is a line too.
// Header lines are reported like any other. One pass over the text in 64-byte blocks,
// visiting only its line ends and TABs.
template <class OnLine> void scanLines(std::string_view text, OnLine&& onLine)
{
    ScannedLine line;
    int tabs = 0;
    const auto finish = [&](std::uint64_t end) {
        if (end != line.begin) {
            for (int t = tabs; t < 4; ++t)
                line.tab[t] = end;
            line.end = end;
            onLine(static_cast<const ScannedLine&>(line));
        }
        line.begin = end + 1;
        tabs = 0;
    };
    for (std::uint64_t at = 0; at < text.size(); at += 64) {
        const BlockMasks m = classifyAt(text, at);
        for (std::uint64_t bits = m.ends | m.tabs; bits != 0; bits &= bits - 1) {
            const int b = std::countr_zero(bits);
            if ((m.tabs >> b) & 1) {
                if (tabs < 4)
                    line.tab[tabs++] = at + static_cast<std::uint64_t>(b);
                continue;
            }
            finish(at + static_cast<std::uint64_t>(b));
        }
    }
    finish(text.size());
}

// True when the line starting at `at` (a line start of text) is a column header: its first
// column is exactly "Date/time".
bool isHeaderAt(std::string_view text, std::uint64_t at);

} // namespace quorvel
