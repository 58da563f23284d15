// SPDX-License-Identifier: MIT
#include "model/logrecords.h"

#include <algorithm>
#include <utility>

namespace quorvel {

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

void LogRecords::absorb(LogRecords&& part)
{
    count_ += part.count_;
    if (kept_.has(Field::stamp)) {
        prefixText_.adopt(std::move(part.prefixText_));
        prefixes_.insert(prefixes_.end(), part.prefixes_.begin(), part.prefixes_.end());
    }
    for (const Field f : interned) {
        if (!kept_.has(f))
            continue;
        Column& c = columns_[column(f)];
        const Column& from = part.columns_[column(f)];
        const std::vector<std::uint32_t> indexes = c.tally.absorb(from.tally);
        const std::size_t at = c.ids.size();
        c.ids.resize(at + from.ids.size());
        std::transform(from.ids.begin(), from.ids.end(), c.ids.begin() + static_cast<std::ptrdiff_t>(at),
                       [&](std::uint32_t id) { return indexes[id]; });
    }
    part = LogRecords(kept_);
}

LogRecords::Footprint LogRecords::footprint() const
{
    const auto records = static_cast<std::uint64_t>(count_);
    Footprint used;
    if (kept_.has(Field::stamp))
        used.perRecord += records * sizeof(Prefix) + prefixText_.filled();
    for (const Field f : interned) {
        if (!kept_.has(f))
            continue;
        used.perRecord += records * sizeof(std::uint32_t);
        used.distinct += columns_[column(f)].tally.footprint();
    }
    return used;
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
