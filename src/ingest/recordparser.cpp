// SPDX-License-Identifier: MIT
#include "ingest/recordparser.h"

namespace quorvel {

logentry sortstr4(std::string_view line)
{
    logentry e{line.substr(0, 0), line.substr(0, 0), line.substr(0, 0), line.substr(0, 0), line.substr(0, 0)};
    scanLines(line, [&](const ScannedLine& found) { e = entryOf(line, found); });
    return e;
}

} // namespace quorvel
