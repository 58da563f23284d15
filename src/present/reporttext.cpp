// SPDX-License-Identifier: MIT
#include "present/reporttext.h"

#include <cstdio>

namespace quorvel {

std::string headingText(std::string_view heading)
{
    return concat(heading, crlf, crlf);
}

std::string numberOneText(std::string_view heading, const std::optional<Winner>& winner, Side side)
{
    const Winner shown = winner.value_or(Winner{"null", 0});
    return concat(headingText(heading), shown.name, " with ", decimal(shown.count), sideInfo(side).transfers);
}

std::string nameListText(std::string_view heading, std::span<const std::string_view> names)
{
    std::string text = headingText(heading);
    appendText(text, [&](auto& out) {
        for (const std::string_view name : names)
            out.put(name).put(crlf);
    });
    return text;
}

std::string nameSearchHeading(Side side, std::string_view name)
{
    return headingText(concat(name, sideInfo(side).nameSearchHeading));
}

std::string fileSearchHeading(Side side, std::string_view file)
{
    return headingText(concat(sideInfo(side).fileSearchHeading, file, "..."));
}

std::string accountSearchHeading(Side side, std::string_view account)
{
    return headingText(concat("Files that ", account, sideInfo(side).userSearchVerb, "..."));
}

std::string dayText(DayNumber day)
{
    const CivilDate date = civilDate(day);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

std::string monthText(std::int32_t month)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d", month / 12, month % 12 + 1);
    return text;
}

std::string periodText(const Period& period)
{
    if (period.from && period.to)
        return concat(dayText(*period.from), " to ", dayText(*period.to));
    if (period.from)
        return concat("from ", dayText(*period.from));
    if (period.to)
        return concat("until ", dayText(*period.to));
    return "all time";
}

std::string periodLead(const Period& period, std::int64_t undated)
{
    std::string lead = concat("Period: ", periodText(period));
    if (undated > 0)
        lead += concat(" (", decimal(undated), undated == 1 ? " record" : " records",
                       " without a readable date left out)");
    return headingText(lead);
}

std::string timeKey(TimeUnit unit, std::int32_t key)
{
    if (unit == TimeUnit::Day)
        return dayText(key);
    if (unit == TimeUnit::Month)
        return monthText(key);
    char hour[4];
    std::snprintf(hour, sizeof hour, "%02d", key);
    return hour;
}

std::string timeListingText(std::string_view heading, const TimeCounts& counts, TimeUnit unit)
{
    std::string text = headingText(heading);
    for (const auto& [k, count] : counts.keys)
        text += concat(decimal(count), "\t", timeKey(unit, k), crlf);
    if (counts.undated > 0)
        text += concat(decimal(counts.undated), "\tundated", crlf);
    return text;
}

std::string lastTransfersText(std::string_view heading, std::span<const std::string_view> names,
                              std::span<const LastTransfer> last, std::span<const std::size_t> order)
{
    std::string text = headingText(heading);
    for (const std::size_t i : order)
        text += concat(lastTransferKey(last[i]), "\t", names[i], crlf);
    return text;
}

std::string lastTransferKey(const LastTransfer& last)
{
    if (last.kind == LastTransfer::Kind::Never)
        return "never";
    if (last.kind == LastTransfer::Kind::Undated)
        return "undated";
    return dayText(last.latest.day);
}

void appendHitLines(std::string& text, const LogRecords& records, std::span<const std::int64_t> hits, Field shown)
{
    appendText(text, [&](auto& out) {
        for (const std::int64_t i : hits)
            out.put(records.stamp(i)).put(": ").put(records.field(i, shown)).put(crlf);
    });
}

} // namespace quorvel
