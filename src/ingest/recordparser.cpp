// SPDX-License-Identifier: MIT
#include "ingest/recordparser.h"

namespace quorvel {

logentry sortstr4(std::string_view line, std::uint64_t offset)
{
    ScannedLine scanned;
    scanLines(line, [&](const ScannedLine& found) { scanned = found; });
    logentry e = entryOf(scanned);
    e.offset = offset;
    return e;
}

} // namespace quorvel
