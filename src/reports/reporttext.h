// SPDX-License-Identifier: MIT
#pragma once

#include "state/progress.h"
#include "state/side.h"
#include "state/textwriter.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quorvel {

inline constexpr std::string_view crlf = "\r\n";
inline constexpr std::string_view doneMessage = "Done...";

// A report's heading followed by an empty line.
inline std::string headingText(std::string_view heading)
{
    return concat(heading, crlf, crlf);
}

// Appends one listing line per entry of [first, last): the count, a TAB, the name, CR LF,
// where countAndName(entry) gives the count and the name. The text grows once.
template <class It, class CountAndName> void appendCountLines(std::string& text, It first, It last, CountAndName countAndName)
{
    std::size_t size = 0;
    for (It it = first; it != last; ++it) {
        const auto [count, name] = countAndName(*it);
        size += decimalLength(count) + name.size() + 3;
    }
    TextWriter out(text, size);
    for (It it = first; it != last; ++it) {
        const auto [count, name] = countAndName(*it);
        out.put(count).put("\t").put(name).put(crlf);
    }
}

// The answer of a "number one" report: heading, an empty line, then "<name> with <count>
// downloads" (uploads), without a final line end.
inline std::string numberOneText(std::string_view heading, std::string_view name, std::int64_t count, Side side)
{
    return concat(headingText(heading), name, " with ", decimal(count), sideInfo(side).transfers);
}

// The index of the last of the highest counts; nothing when there are no counts. An ascending
// stable sort would put exactly this entry last.
inline std::optional<std::size_t> lastMaximum(std::span<const std::int64_t> counts)
{
    std::optional<std::size_t> best;
    for (std::size_t i = 0; i < counts.size(); ++i)
        if (!best || counts[i] >= counts[*best])
            best = i;
    return best;
}

// The caption shown while the transfers of one candidate (a user or an account) are counted:
// "<name>'s Downloads", CR LF, "Looking at Download Number <j>/<n>", CR LF.
inline std::string countingCaption(Side side, std::string_view name, std::int64_t j, std::int64_t n)
{
    const SideInfo& info = sideInfo(side);
    return concat(name, info.possessive, crlf, info.numberCaption, decimal(j), "/", decimal(n), crlf);
}

} // namespace quorvel
