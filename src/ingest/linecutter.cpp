// SPDX-License-Identifier: MIT
#include "ingest/linecutter.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace quorvel {

bool isHeaderLine(std::string_view line)
{
    constexpr std::string_view header = "Date/time";
    return line.substr(0, header.size()) == header && (line.size() == header.size() || line[header.size()] == '\t');
}

const char* findLineEnd(const char* p, const char* end)
{
#ifdef __SSE2__
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    while (end - p >= 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const int mask = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(block, cr), _mm_cmpeq_epi8(block, lf)));
        if (mask != 0)
            return p + __builtin_ctz(static_cast<unsigned>(mask));
        p += 16;
    }
#endif
    while (p < end && *p != '\r' && *p != '\n')
        ++p;
    return p;
}

} // namespace quorvel
