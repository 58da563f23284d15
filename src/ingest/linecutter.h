// SPDX-License-Identifier: MIT
#pragma once

#include "ingest/linescanner.h"

#include <string_view>

namespace quorvel {

// The line cutter (fixstr / fixstr2), which the load runs on every block it reads: calls
// onLine(const ScannedLine&) for every record line of text, in order. Lines end at CR LF, a
// lone CR or a lone LF; the text after the last line end is a line too. Empty lines and
// column-header lines (first column exactly "Date/time") are no records and are left out.
template <class OnLine> void fixstr(std::string_view text, OnLine&& onLine)
{
    scanLines(text, [&](const ScannedLine& line) {
        if (!isHeaderAt(text, line.begin))
            onLine(line);
    });
}

} // namespace quorvel
