// SPDX-License-Identifier: MIT
#include "state/logrecords.h"

namespace quorvel {

namespace {

constexpr std::array interned{Field::account, Field::username, Field::filename};

} // namespace

LogRecords::LogRecords(FieldSet kept) : kept_(kept) {}

void LogRecords::reserve(std::int64_t n)
{
    if (kept_.has(Field::stamp))
        prefixes_.reserve(static_cast<std::size_t>(n));
    for (const Field f : interned)
        if (kept_.has(f))
        {
            columns_[column(f)].ids.reserve(static_cast<std::size_t>(n));
            columns_[column(f)].tally = KeyTally(static_cast<std::size_t>(std::min<std::int64_t>(n / 64, 1 << 15)));
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
        for (const LineCut& line : lines)
            c.ids.push_back(static_cast<std::uint32_t>(c.tally.add(line.field(text, f))));
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
