// SPDX-License-Identifier: MIT
#include "state/logrecords.h"

#include "state/hugepages.h"

#include <cstring>

namespace quorvel {

namespace {

constexpr std::array interned{Field::account, Field::username, Field::filename};

template <class T> void reserveHuge(std::vector<T>& v, std::int64_t n)
{
    v.reserve(static_cast<std::size_t>(n));
    adviseHugePages(v.data(), v.capacity() * sizeof(T));
}

} // namespace

LogRecords::LogRecords(FieldSet kept) : kept_(kept) {}

void LogRecords::reserve(std::int64_t n)
{
    if (kept_.has(Field::stamp))
        reserveHuge(prefixes_, n);
    for (const Field f : interned)
        if (kept_.has(f))
            reserveHuge(columns_[column(f)].ids, n);
}

void LogRecords::append(std::span<const logentry> batch)
{
    count_ += static_cast<std::int64_t>(batch.size());
    if (kept_.has(Field::stamp)) {
        for (const logentry& e : batch) {
            // The spare column follows the stamp and its TAB in the line, so one copy keeps both.
            const bool tab = e.spare.data() == e.stamp.data() + e.stamp.size() + 1;
            const std::size_t length = tab ? e.stamp.size() + 1 + e.spare.size() : e.stamp.size();
            const std::string_view kept = prefixText_.keep({e.stamp.data(), length});
            prefixes_.push_back({kept.data(), static_cast<std::uint32_t>(length), static_cast<std::uint32_t>(e.stamp.size())});
        }
    }
    for (const Field f : interned) {
        if (!kept_.has(f))
            continue;
        Column& c = columns_[column(f)];
        c.tally.addEach(
            batch.size(), [&](std::size_t k) { return batch[k].field(f); },
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
