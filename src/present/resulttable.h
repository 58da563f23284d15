// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// An answer as a table: named columns of text or of counts, and rows. It is what quorvel-report
// writes as CSV or JSON, what "Export as CSV..." saves and what "Chart" draws, so its rows are
// those of the answer's text, in the same order. Cells are made when asked for, from what the
// answer was computed from: a table of a million hits costs no more than its hits.
struct ResultTable {
    struct Column {
        std::string_view name; // "file", "count"
        bool isCount = false;
    };
    // What a chart can make of it: a count listing (bars), a time listing (a date axis or
    // bars in their order), or nothing.
    enum class Shape { Rows, Listing, ByDay, ByMonth, ByHour };
    // A text cell's bytes, or a count cell's count.
    struct Cell {
        std::string_view text;
        std::int64_t count = 0;
    };

    std::string_view name; // the verb that answers it: "downloads-by-number"
    Shape shape = Shape::Rows;
    std::vector<Column> columns;
    std::size_t rows = 0;
    std::function<Cell(std::size_t row, std::size_t column)> cell;
    // Under a period: the records left out for want of a readable date.
    std::int64_t undated = 0;
    // A time listing's keys as numbers, one for each row but the "undated" one, in row order:
    // the DayNumber by day, year * 12 + month - 1 by month, the hour by hour. Empty for the
    // other shapes. A chart places its points by them.
    std::vector<std::int32_t> timeKeys{};
    // At least the bytes of its text cells together, known without making them: what an
    // estimate of its CSV and JSON starts from. The text of its answer holds each of them.
    std::uint64_t textBytes = 0;
};

} // namespace quorvel
