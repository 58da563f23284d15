// SPDX-License-Identifier: MIT
#include "state/logrecords.h"

#include <algorithm>

namespace quorvel {

namespace {

constexpr std::array interned{Field::account, Field::username, Field::filename};

} // namespace

LogRecords::LogRecords(FieldSet kept) : kept_(kept) {}

void LogRecords::reserve(std::int64_t n)
{
    const auto records = static_cast<std::size_t>(n);
    if (kept_.has(Field::stamp)) {
        prefixes_.reserve(records);
        prefixText_.expect(records * 32);
    }
    // A table of up to 2 MiB for a large log: one huge page, so its first growths cost nothing.
    const std::size_t keys = std::min<std::size_t>(records / 32, std::size_t{1} << 15);
    for (const Field f : interned) {
        if (!kept_.has(f))
            continue;
        Column& c = columns_[column(f)];
        c.ids.reserve(records);
        if (c.tally.size() == 0)
            c.tally = KeyTally(keys);
    }
}

void LogRecords::append(std::string_view text, std::span<const LineCut> lines)
{
    count_ += static_cast<std::int64_t>(lines.size());
    if (kept_.has(Field::stamp)) {
        for (const LineCut& line : lines) {
            const std::string_view kept = prefixText_.keep(line.stampAndSpare(text));
            prefixes_.push_back({kept.data(), static_cast<std::uint32_t>(kept.size()), line.tab[0]});
        }
    }
    for (const Field f : interned) {
        if (!kept_.has(f))
            continue;
        Column& c = columns_[column(f)];
        c.tally.addEach(
            lines.size(), [&](std::size_t k) { return lines[k].field(text, f); },
            [&](std::size_t, std::size_t index) { c.ids.push_back(static_cast<std::uint32_t>(index)); });
    }
}

std::string_view LogRecords::field(std::int64_t index, Field which) const
{
    const auto i = static_cast<std::size_t>(index);
    if (which == Field::stamp || which == Field::spare) {
        const Prefix& p = prefixes_[i];
        if (which == Field::stamp)
            return {p.at, p.stamp};
        return p.stamp < p.length ? std::string_view(p.at + p.stamp + 1, p.length - p.stamp - 1) : std::string_view();
    }
    const Column& c = columns_[column(which)];
    return c.tally.keys()[c.ids[i]];
}

} // namespace quorvel
