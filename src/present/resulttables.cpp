// SPDX-License-Identifier: MIT
#include "present/resulttables.h"

#include <memory>
#include <string>

namespace quorvel {

namespace {

using Column = ResultTable::Column;
using Cell = ResultTable::Cell;

// A table of owned rows: cellOf(rows, row, column) gives each cell.
template <class Rows, class CellOf>
ResultTable tableOf(std::string_view name, ResultTable::Shape shape, std::vector<Column> columns, Rows rows,
                    std::size_t count, CellOf cellOf)
{
    auto held = std::make_shared<const Rows>(std::move(rows));
    return {name, shape, std::move(columns), count,
            [held, cellOf](std::size_t row, std::size_t column) { return cellOf(*held, row, column); }};
}

} // namespace

ResultTable countListingTable(std::string_view name, std::string_view key, CountRows rows)
{
    const std::size_t count = rows.size();
    return tableOf(name, ResultTable::Shape::Listing, {{key, false}, {"count", true}}, std::move(rows), count,
                   [](const CountRows& held, std::size_t row, std::size_t column) {
                       return column == 0 ? Cell{held[row].first, 0} : Cell{{}, held[row].second};
                   });
}

ResultTable nameTable(std::string_view name, std::string_view column, std::vector<std::string> names)
{
    const std::size_t count = names.size();
    return tableOf(name, ResultTable::Shape::Rows, {{column, false}}, std::move(names), count,
                   [](const std::vector<std::string>& held, std::size_t row, std::size_t) {
                       return Cell{held[row], 0};
                   });
}

ResultTable winnerTable(std::string_view name, std::string_view column, const std::optional<Winner>& winner)
{
    CountRows rows;
    if (winner)
        rows.emplace_back(std::string(winner->name), winner->count);
    ResultTable table = countListingTable(name, column, std::move(rows));
    table.shape = ResultTable::Shape::Rows;
    return table;
}

ResultTable hitTable(std::string_view name, const LogRecords& records, std::vector<std::int64_t> hits,
                     std::string_view shownName, Field shown)
{
    const std::size_t count = hits.size();
    return tableOf(name, ResultTable::Shape::Rows, {{"time", false}, {shownName, false}}, std::move(hits), count,
                   [&records, shown](const std::vector<std::int64_t>& held, std::size_t row, std::size_t column) {
                       return Cell{records.field(held[row], column == 0 ? Field::stamp : shown), 0};
                   });
}

ResultTable bothSidesHitTable(std::string_view name, const LogRecords& downloads, std::vector<std::int64_t> downHits,
                              const LogRecords& uploads, std::vector<std::int64_t> upHits)
{
    struct Hits {
        std::vector<std::int64_t> down, up;
    };
    const std::size_t count = downHits.size() + upHits.size();
    return tableOf(name, ResultTable::Shape::Rows, {{"side", false}, {"time", false}, {"file", false}},
                   Hits{std::move(downHits), std::move(upHits)}, count,
                   [&downloads, &uploads](const Hits& held, std::size_t row, std::size_t column) {
                       const bool down = row < held.down.size();
                       if (column == 0)
                           return Cell{down ? "download" : "upload", 0};
                       const std::int64_t record = down ? held.down[row] : held.up[row - held.down.size()];
                       return Cell{(down ? downloads : uploads).field(record, column == 1 ? Field::stamp : Field::filename),
                                   0};
                   });
}

ResultTable timeTable(std::string_view name, const TimeCounts& counts, TimeUnit unit)
{
    CountRows rows;
    for (const auto& [key, n] : counts.keys)
        rows.emplace_back(timeKey(unit, key), n);
    if (counts.undated > 0)
        rows.emplace_back("undated", counts.undated);
    ResultTable table = countListingTable(name, unit == TimeUnit::Day     ? "day"
                                                : unit == TimeUnit::Month ? "month"
                                                                          : "hour",
                                          std::move(rows));
    table.shape = unit == TimeUnit::Day     ? ResultTable::Shape::ByDay
                  : unit == TimeUnit::Month ? ResultTable::Shape::ByMonth
                                            : ResultTable::Shape::ByHour;
    for (const auto& [key, n] : counts.keys)
        table.timeKeys.push_back(key);
    return table;
}

ResultTable lastTransferTable(std::string_view name, std::span<const std::string_view> names,
                              std::span<const LastTransfer> last, std::span<const std::size_t> order)
{
    std::vector<std::pair<std::string, std::string>> rows;
    for (const std::size_t i : order)
        rows.emplace_back(names[i], lastTransferKey(last[i]));
    const std::size_t count = rows.size();
    return tableOf(name, ResultTable::Shape::Rows, {{"account", false}, {"last", false}}, std::move(rows), count,
                   [](const auto& held, std::size_t row, std::size_t column) {
                       return Cell{column == 0 ? held[row].first : held[row].second, 0};
                   });
}

} // namespace quorvel
