// SPDX-License-Identifier: MIT
#pragma once

#include "core/textwriter.h"
#include "model/logrecords.h"
#include "model/side.h"
#include "model/stamp.h"
#include "query/activity.h"
#include "query/counts.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quorvel {

// The texts the output box receives: a heading, an empty line, then the answer; lines end in
// CR LF.

inline constexpr std::string_view crlf = "\r\n";

// A report's heading followed by an empty line.
std::string headingText(std::string_view heading);

// A listing: the heading, then one line per row of [first, last): the count, a TAB, the name,
// CR LF, where countAndName(row) gives the count and the name.
template <class It, class CountAndName>
std::string countListingText(std::string_view heading, It first, It last, CountAndName countAndName)
{
    std::string text = headingText(heading);
    appendText(text, [&](auto& out) {
        for (It it = first; it != last; ++it) {
            const auto [count, name] = countAndName(*it);
            out.put(count).put("\t").put(name).put(crlf);
        }
    });
    return text;
}

// A "number one" answer: the heading, then "<name> with <count> downloads" (uploads), without a
// final line end; "null with 0 downloads" when there is no winner.
std::string numberOneText(std::string_view heading, const std::optional<Winner>& winner, Side side);

// The heading, then one name a line.
std::string nameListText(std::string_view heading, std::span<const std::string_view> names);

// The headings of the searches: by user name (namesearch), by file (filesearch) and by
// account (usersearch).
std::string nameSearchHeading(Side side, std::string_view name);
std::string fileSearchHeading(Side side, std::string_view file);
std::string accountSearchHeading(Side side, std::string_view account);

// A day as YYYY-MM-DD, a month key (year * 12 + month - 1) as YYYY-MM.
std::string dayText(DayNumber day);
std::string monthText(std::int32_t month);

// "2001-01-01 to 2001-03-31", "from 2001-01-01", "until 2001-03-31" or "all time".
std::string periodText(const Period& period);

// The line a report or search begins with under a period, and an empty line: "Period: ...",
// then " (N records without a readable date left out)" when N is not 0.
std::string periodLead(const Period& period, std::int64_t undated);

// A listing by day, month or hour: the heading, then "count TAB key" per key, oldest first,
// and "N TAB undated" last when undated records were counted. timeKey is a key's text:
// YYYY-MM-DD, YYYY-MM or the hour's two digits.
enum class TimeUnit { Day, Month, Hour };
std::string timeKey(TimeUnit unit, std::int32_t key);
std::string timeListingText(std::string_view heading, const TimeCounts& counts, TimeUnit unit);

// Each account's last transfer: the heading, then "key TAB account" in the given order, the key
// (lastTransferKey) being "never", "undated" or the day of the latest stamp.
std::string lastTransferKey(const LastTransfer& last);
std::string lastTransfersText(std::string_view heading, std::span<const std::string_view> names,
                              std::span<const LastTransfer> last, std::span<const std::size_t> order);

// Appends one line "<stamp>: <shown column>" per hit, in order.
void appendHitLines(std::string& text, const LogRecords& records, std::span<const std::int64_t> hits, Field shown);

} // namespace quorvel
