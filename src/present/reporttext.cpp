// SPDX-License-Identifier: MIT
#include "present/reporttext.h"

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

void appendHitLines(std::string& text, const LogRecords& records, std::span<const std::int64_t> hits, Field shown)
{
    appendText(text, [&](auto& out) {
        for (const std::int64_t i : hits)
            out.put(records.stamp(i)).put(": ").put(records.field(i, shown)).put(crlf);
    });
}

} // namespace quorvel
