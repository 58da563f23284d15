// SPDX-License-Identifier: MIT
#include "query/counts.h"

namespace quorvel {

std::vector<filecount> fileTally(const LogRecords& records)
{
    const KeyTally& tally = records.tally(Field::filename);
    std::vector<filecount> files;
    files.reserve(tally.size());
    for (std::size_t i = 0; i < tally.size(); ++i)
        if (!tally.keys()[i].empty())
            files.push_back(filecount{tally.keys()[i], tally.counts()[i]});
    return files;
}

std::span<const std::string_view> distinctValues(const LogRecords& records, Field field)
{
    return records.tally(field).keys();
}

std::vector<std::int64_t> countEach(const LogRecords& records, Field field, std::span<const std::string_view> names)
{
    std::vector<std::int64_t> counts(names.size(), 0);
    if (names.empty())
        return counts;
    const KeyTally& tally = records.tally(field);
    for (std::size_t i = 0; i < names.size(); ++i)
        if (const std::size_t at = tally.find(names[i]); at != KeyTally::npos)
            counts[i] = tally.counts()[at];
    return counts;
}

std::optional<Winner> lastMaximum(std::span<const std::string_view> names, std::span<const std::int64_t> counts)
{
    std::optional<std::size_t> best;
    for (std::size_t i = 0; i < counts.size(); ++i)
        if (!best || counts[i] >= counts[*best])
            best = i;
    if (!best)
        return std::nullopt;
    return Winner{names[*best], counts[*best]};
}

std::vector<std::string_view> uncounted(std::span<const std::string_view> names, std::span<const std::int64_t> counts)
{
    std::vector<std::string_view> zero;
    for (std::size_t i = 0; i < names.size(); ++i)
        if (counts[i] == 0)
            zero.push_back(names[i]);
    return zero;
}

} // namespace quorvel
