// SPDX-License-Identifier: MIT
#include "ingest/recordparser.h"

#include <cstring>
#include <limits>

namespace quorvel {

logentry sortstr4(std::string_view line, std::uint64_t offset)
{
    constexpr std::size_t limit = std::numeric_limits<std::uint32_t>::max();
    if (line.size() > limit)
        line = line.substr(0, limit);
    logentry e;
    e.offset = offset;
    e.length = static_cast<std::uint32_t>(line.size());
    const char* const begin = line.data();
    const char* p = begin;
    std::size_t left = line.size();
    for (std::uint32_t& tab : e.tab) {
        const void* found = left ? std::memchr(p, '\t', left) : nullptr;
        if (!found) {
            tab = e.length;
            left = 0;
            continue;
        }
        const char* t = static_cast<const char*>(found);
        tab = static_cast<std::uint32_t>(t - begin);
        left -= static_cast<std::size_t>(t + 1 - p);
        p = t + 1;
    }
    return e;
}

} // namespace quorvel
