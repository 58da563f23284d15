// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace quorvel {

// One line of a log text: [begin, end) in bytes, line end excluded.
struct LineSpan {
    std::uint64_t begin;
    std::uint64_t end;
};

// The line cutter (fixstr / fixstr2). Lines end at CR LF, a lone CR or a lone LF; the text
// after the last line end is a line too. Empty lines and column-header lines (first column
// exactly "Date/time") are left out: every line returned is a record. onChunk is called
// every few thousand lines so that the caller can let the window breathe.
template <class OnChunk>
std::vector<LineSpan> fixstr(std::string_view text, OnChunk&& onChunk);

// True when the line is a column header: its first column is exactly "Date/time".
bool isHeaderLine(std::string_view line);

// The first CR or LF in [p, end), or end.
const char* findLineEnd(const char* p, const char* end);

template <class OnChunk>
std::vector<LineSpan> fixstr(std::string_view text, OnChunk&& onChunk)
{
    std::vector<LineSpan> lines;
    const char* const base = text.data();
    const char* const end = base + text.size();
    const char* p = base;
    while (p < end) {
        const char* eol = findLineEnd(p, end);
        const std::string_view line(p, static_cast<std::size_t>(eol - p));
        if (!line.empty() && !isHeaderLine(line)) {
            lines.push_back({static_cast<std::uint64_t>(p - base), static_cast<std::uint64_t>(eol - base)});
            if ((lines.size() & 0xFFFF) == 0)
                onChunk();
        }
        p = eol;
        if (p < end && *p++ == '\r' && p < end && *p == '\n')
            ++p; // the LF of a CR LF pair belongs to the line end
    }
    return lines;
}

} // namespace quorvel
