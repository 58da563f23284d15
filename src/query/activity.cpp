// SPDX-License-Identifier: MIT
#include "query/activity.h"

#include "core/keytally.h"
#include "query/counts.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <new>

namespace quorvel {

namespace {

// Counts the selected records by keyOf(stamp) for dated records, oldest key first. Keys are
// counted in an array from the least key to the greatest, which costs less than a map.
template <class KeyOf>
TimeCounts countByKey(const RecordStamps& stamps, const LogRecords& records, const Selection& selection, KeyOf keyOf)
{
    TimeCounts result;
    std::int32_t least = std::numeric_limits<std::int32_t>::max();
    std::int32_t greatest = std::numeric_limits<std::int32_t>::min();
    selection.forEach(records, [&](std::int64_t i) {
        const Stamp& stamp = stamps[static_cast<std::size_t>(i)];
        if (stamp.day == undatedDay) {
            ++result.undated;
            return;
        }
        least = std::min(least, keyOf(stamp));
        greatest = std::max(greatest, keyOf(stamp));
    });
    if (least > greatest)
        return result;
    std::vector<std::int64_t> counts(static_cast<std::size_t>(std::int64_t{greatest} - least + 1), 0);
    selection.forEach(records, [&](std::int64_t i) {
        const Stamp& stamp = stamps[static_cast<std::size_t>(i)];
        if (stamp.day != undatedDay)
            ++counts[static_cast<std::size_t>(keyOf(stamp) - least)];
    });
    for (std::size_t k = 0; k < counts.size(); ++k)
        if (counts[k] > 0)
            result.keys.emplace_back(least + static_cast<std::int32_t>(k), counts[k]);
    return result;
}

} // namespace

TimeCounts countByDay(const RecordStamps& stamps, const LogRecords& records, const Selection& selection)
{
    return countByKey(stamps, records, selection, [](const Stamp& stamp) { return stamp.day; });
}

TimeCounts countByMonth(const RecordStamps& stamps, const LogRecords& records, const Selection& selection)
{
    return countByKey(stamps, records, selection, [](const Stamp& stamp) {
        const CivilDate date = civilDate(stamp.day);
        return date.year * 12 + date.month - 1;
    });
}

TimeCounts countByHour(const RecordStamps& stamps, const LogRecords& records, const Selection& selection)
{
    TimeCounts result = countByKey(stamps, records, selection, [](const Stamp& stamp) { return stamp.second / 3600; });
    std::vector<std::pair<std::int32_t, std::int64_t>> hours;
    for (std::int32_t hour = 0; hour < 24; ++hour)
        hours.emplace_back(hour, 0);
    for (const auto& [hour, count] : result.keys)
        hours[static_cast<std::size_t>(hour)].second = count;
    result.keys = std::move(hours);
    return result;
}

std::vector<std::pair<std::string_view, std::int64_t>> countByAddress(const LogRecords& records,
                                                                      const Selection& selection,
                                                                      std::size_t mostAddresses)
{
    KeyTally addresses;
    // The k-th selected record, without a list of them all.
    const std::size_t selected = selection.all ? static_cast<std::size_t>(records.count()) : selection.records.size();
    const auto recordAt = [&](std::size_t k) {
        return selection.all ? static_cast<std::int64_t>(k) : static_cast<std::int64_t>(selection.records[k]);
    };
    // The rows show the records' own addresses, which outlive this tally's copies.
    std::vector<std::int64_t> firstRecord;
    constexpr std::size_t stride = 4096;
    for (std::size_t start = 0; start < selected; start += stride) {
        addresses.addEach(
            std::min(stride, selected - start), [&](std::size_t k) { return records.spare(recordAt(start + k)); },
            [&](std::size_t k, std::size_t id) {
                if (id == firstRecord.size())
                    firstRecord.push_back(recordAt(start + k));
            });
        if (addresses.size() > mostAddresses)
            throw std::bad_alloc();
    }
    std::vector<std::pair<std::string_view, std::int64_t>> rows;
    for (std::size_t id = 0; id < addresses.size(); ++id)
        if (const std::string_view address = records.spare(firstRecord[id]); !address.empty())
            rows.emplace_back(address, addresses.counts()[id]);
    sortAscendingByCount(rows, [](const auto& row) { return row.second; });
    std::reverse(rows.begin(), rows.end());
    return rows;
}

std::vector<LastTransfer> lastTransfers(const RecordStamps& stamps, const LogRecords& records,
                                        const Selection& selection, std::span<const std::string_view> names)
{
    const KeyTally& accounts = records.tally(Field::account);
    const std::span<const std::uint32_t> ids = records.ids(Field::account);
    std::vector<LastTransfer> byAccount(accounts.size());
    selection.forEach(records, [&](std::int64_t i) {
        LastTransfer& last = byAccount[ids[static_cast<std::size_t>(i)]];
        const Stamp& stamp = stamps[static_cast<std::size_t>(i)];
        if (stamp.day == undatedDay) {
            if (last.kind == LastTransfer::Kind::Never)
                last.kind = LastTransfer::Kind::Undated;
        } else if (last.kind != LastTransfer::Kind::Dated || stamp > last.latest) {
            last = {LastTransfer::Kind::Dated, stamp};
        }
    });
    std::vector<LastTransfer> last(names.size());
    for (std::size_t i = 0; i < names.size(); ++i)
        if (const std::size_t at = accounts.find(names[i]); at != KeyTally::npos)
            last[i] = byAccount[at];
    return last;
}

std::vector<std::size_t> lastTransferOrder(std::span<const LastTransfer> last)
{
    std::vector<std::size_t> order(last.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    const auto rank = [&](std::size_t i) {
        const LastTransfer& t = last[i];
        return std::pair{static_cast<int>(t.kind), t.kind == LastTransfer::Kind::Dated ? t.latest.day : 0};
    };
    std::stable_sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) { return rank(x) < rank(y); });
    return order;
}

Answer timeAnswer(Side side, TimeUnit unit, const TimeCounts& counts, const Selection& selection)
{
    static constexpr Column keys[] = {
        {"day", ColumnKind::Day}, {"month", ColumnKind::Month}, {"hour", ColumnKind::Hour}};
    static constexpr std::string_view headings[] = {"Downloads By Day...", "Downloads By Month...",
                                                    "Downloads By Hour..."};
    const auto u = static_cast<std::size_t>(unit);
    CountRows rows;
    rows.reserve(counts.keys.size() + 1);
    for (const auto& [key, n] : counts.keys) {
        char hour[4];
        std::snprintf(hour, sizeof hour, "%02d", key);
        rows.emplace_back(unit == TimeUnit::Day ? dayText(key) : unit == TimeUnit::Month ? monthText(key) : hour, n);
    }
    if (counts.undated > 0)
        rows.emplace_back("undated", counts.undated);
    return countListing(side, twinText(side, headings[u]), keys[u], std::move(rows), selection);
}

Answer addressAnswer(Side side, std::vector<std::pair<std::string_view, std::int64_t>> rows, const Selection& selection)
{
    using Rows = std::vector<std::pair<std::string_view, std::int64_t>>;
    Answer answer = answerFrame(TextShape::Listing, side, twinText(side, "Downloads By Address..."),
                                {{"address", ColumnKind::Address}, {"count", ColumnKind::Count}}, {1, 0}, selection);
    answer.sections.front().rows = rows.size();
    const std::size_t count = rows.size();
    // The addresses are the records' own: the answer goes when its log is reloaded.
    holdRows(answer, std::move(rows), count, [](const Rows& held, std::size_t row, std::size_t column) {
        return column == 0 ? Cell{held[row].first} : Cell{{}, held[row].second};
    });
    return answer;
}

Answer lastTransferAnswer(Side side, std::span<const std::string_view> names, std::span<const LastTransfer> last,
                          std::span<const std::size_t> order, const Selection& selection)
{
    using Rows = std::vector<std::pair<std::string, std::string>>;
    Rows rows;
    rows.reserve(order.size());
    for (const std::size_t i : order)
        rows.emplace_back(names[i], last[i].kind == LastTransfer::Kind::Never     ? "never"
                                    : last[i].kind == LastTransfer::Kind::Undated ? "undated"
                                                                                  : dayText(last[i].latest.day));
    Answer answer = answerFrame(TextShape::Listing, side, twinText(side, "Last Download By Account..."),
                                {{"account", ColumnKind::Account}, {"last", ColumnKind::Day}}, {1, 0}, selection);
    answer.sections.front().rows = rows.size();
    const std::size_t count = rows.size();
    holdRows(answer, std::move(rows), count, [](const Rows& held, std::size_t row, std::size_t column) {
        return Cell{column == 0 ? held[row].first : held[row].second};
    });
    return answer;
}

} // namespace quorvel
