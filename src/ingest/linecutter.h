// SPDX-License-Identifier: MIT
#pragma once

#include "ingest/linescanner.h"

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
// every few thousand lines so that the caller can let the window breathe. The loader does
// the same cut fused with the parse (see loadlog.cpp); this form serves single lines.
template <class OnChunk>
std::vector<LineSpan> fixstr(std::string_view text, OnChunk&& onChunk)
{
    std::vector<LineSpan> lines;
    scanLines(text, [&](const ScannedLine& line) {
        if (isHeaderAt(text, line.begin))
            return;
        lines.push_back({line.begin, line.end});
        if ((lines.size() & 0xFFFF) == 0)
            onChunk();
    });
    return lines;
}

} // namespace quorvel
