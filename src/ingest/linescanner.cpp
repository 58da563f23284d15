// SPDX-License-Identifier: MIT
#include "ingest/linescanner.h"

namespace quorvel {

namespace {

constexpr std::string_view header = "Date/time";

} // namespace

bool isHeaderAt(std::string_view text, std::uint64_t at)
{
    if (text[at] != 'D' || text.size() - at < header.size() || text.compare(at, header.size(), header) != 0)
        return false;
    const std::uint64_t after = at + header.size();
    return after == text.size() || text[after] == '\t' || text[after] == '\r' || text[after] == '\n';
}

} // namespace quorvel
