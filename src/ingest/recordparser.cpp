// SPDX-License-Identifier: MIT
#include "ingest/recordparser.h"

namespace quorvel {

logentry sortstr4(std::string_view line)
{
    LineCut cut;
    scanLines(line, [&](const ScannedLine& found) { cut = cutOf(found); });
    const auto column = [&](Field f) { return cut.field(line, f); };
    return {column(Field::stamp), column(Field::spare), column(Field::account), column(Field::username),
            column(Field::filename)};
}

} // namespace quorvel
