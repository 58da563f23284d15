// SPDX-License-Identifier: MIT
#pragma once
// Plain reference answers for the reports and searches, computed from the records with
// standard containers only, for the reports fuzz target to compare the program's output with.

#include "model/logrecords.h"
#include "sidetexts.h"
#include "model/side.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quorvel::fuzz {

// Distinct values in order of first occurrence, each with its number of records.
struct Tally {
    std::vector<std::string_view> keys;
    std::vector<std::int64_t> counts;
};

inline Tally referenceTally(const LogRecords& records, Field field, bool skipEmpty)
{
    Tally tally;
    std::unordered_map<std::string_view, std::size_t> at;
    for (std::int64_t i = 0; i < records.count(); ++i) {
        const std::string_view value = records.field(i, field);
        if (skipEmpty && value.empty())
            continue;
        const auto [it, fresh] = at.try_emplace(value, tally.keys.size());
        if (fresh) {
            tally.keys.push_back(value);
            tally.counts.push_back(0);
        }
        ++tally.counts[it->second];
    }
    return tally;
}

inline std::int64_t countEqual(const LogRecords& records, Field field, std::string_view value)
{
    std::int64_t n = 0;
    for (std::int64_t i = 0; i < records.count(); ++i)
        n += records.field(i, field) == value ? 1 : 0;
    return n;
}

inline std::string countLine(std::int64_t count, std::string_view name)
{
    return std::to_string(count).append("\t").append(name).append("\r\n");
}

// Lines "count TAB name" in the given order of positions.
inline std::string listing(std::string_view heading, const std::vector<std::string_view>& names,
                           const std::vector<std::int64_t>& counts, const std::vector<std::size_t>& order)
{
    std::string text = std::string(heading).append("\r\n\r\n");
    for (const std::size_t k : order)
        text.append(countLine(counts[k], names[k]));
    return text;
}

// Positions 0..n-1, most counted first; among equal counts the later position first.
inline std::vector<std::size_t> highestFirst(const std::vector<std::int64_t>& counts)
{
    std::vector<std::size_t> order(counts.size());
    for (std::size_t k = 0; k < order.size(); ++k)
        order[k] = order.size() - 1 - k;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) { return counts[x] > counts[y]; });
    return order;
}

// "<heading>" CR LF CR LF "<name> with <n> downloads" for the last of the highest counts.
inline std::string numberOne(std::string_view heading, const std::vector<std::string_view>& names,
                             const std::vector<std::int64_t>& counts, Side side)
{
    std::size_t best = 0;
    for (std::size_t k = 0; k < counts.size(); ++k)
        if (counts[k] >= counts[best])
            best = k;
    const bool any = !counts.empty();
    return std::string(heading)
        .append("\r\n\r\n")
        .append(any ? names[best] : "null")
        .append(" with ")
        .append(std::to_string(any ? counts[best] : 0))
        .append(test::sideTexts(side).transfers);
}

// The hit lines "<stamp>: <shown>" CR LF of every record whose `match` field equals key.
inline std::string hitLines(const LogRecords& records, Field match, Field shown, std::string_view key)
{
    std::string text;
    for (std::int64_t i = 0; i < records.count(); ++i)
        if (records.field(i, match) == key)
            text.append(records.stamp(i)).append(": ").append(records.field(i, shown)).append("\r\n");
    return text;
}

} // namespace quorvel::fuzz
