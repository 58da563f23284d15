// SPDX-License-Identifier: MIT
#pragma once

#include "model/logrecords.h"
#include "model/side.h"
#include "model/stamp.h"
#include "query/selection.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvel {

// What a column of an answer holds: a count, a key of time, a stamp as the log writes it, the
// log a row comes from, or one of the names a record carries. Every renderer reads the kinds:
// CSV and JSON write counts as numbers, the chart draws a count against a day, a month, an
// hour or a name.
enum class ColumnKind { Count, Day, Month, Hour, Stamp, Side, File, Account, User, Address };

struct Column {
    std::string_view name; // the CSV header's and the JSON key's: "file", "count"
    ColumnKind kind;
};

// A text cell's bytes, or a count cell's count.
struct Cell {
    std::string_view text;
    std::int64_t count = 0;
};

// How the program's text writes the rows, each shape as the output box has always shown it, a
// line a row of the cells of the answer's shown columns. Every shape but Entries starts each
// section with its heading and an empty line.
enum class TextShape {
    Listing, // the cells parted by TAB: "count TAB name", "day TAB account"
    Winner,  // "<name> with <count> downloads" from its one row, without a final line end;
             // "null with 0 downloads" without a row
    Names,   // one cell a line
    Hits,    // the cells parted by ": ": "<stamp>: <file>", "<stamp>: <user>: <file>"
    Entries, // one cell a line, and nothing else: the entries of a list box
};

// Rows under a heading of their own. Most answers have one section; an answer about both logs
// has one for each, in its order of rows.
struct Section {
    std::string heading;
    std::size_t rows = 0;
};

// One question's answer: what the output box's text, --format csv and json, "Export as
// CSV..." and "Chart" are all made from. Its cells are made when asked for, from what the
// answer was computed from: a table of a million hits costs no more than its hits. An answer
// that reads a log's records (the hits of a search) is dropped when that log is reloaded.
struct Answer {
    std::string_view verb{}; // the verb that asks it: "downloads-by-number"
    TextShape shape = TextShape::Listing;
    Side side = Side::Download; // the log the rows come from, unless a Side column says
    std::vector<Section> sections{};
    std::vector<Column> columns{};
    std::vector<std::size_t> shown{}; // the columns a line of the text shows, in its order
    std::size_t rows = 0;
    std::function<Cell(std::size_t row, std::size_t column)> cell{};
    // The period the records were read under, and the records it left out for want of a
    // readable date.
    Period period{};
    std::int64_t undated = 0;

    // The first column of this kind; columns.size() when there is none.
    std::size_t columnOf(ColumnKind kind) const;
};

// An answer's frame: its shape, side, one section under heading (none for Entries), columns,
// the columns its text shows, and the period facts of the selection it read.
Answer answerFrame(TextShape shape, Side side, std::string heading, std::vector<Column> columns,
                   std::vector<std::size_t> shown, const Selection& selection);

// Gives the answer `rows` rows held by it: cellOf(held, row, column) makes each cell.
template <class Rows, class CellOf> void holdRows(Answer& answer, Rows rows, std::size_t count, CellOf cellOf)
{
    auto held = std::make_shared<const Rows>(std::move(rows));
    answer.rows = count;
    answer.cell = [held, cellOf](std::size_t row, std::size_t column) { return cellOf(*held, row, column); };
}

// Rows of a name and a count, in the order shown.
using CountRows = std::vector<std::pair<std::string, std::int64_t>>;

// A listing of names and their counts ("count TAB name" lines): columns key and "count".
Answer countListing(Side side, std::string heading, Column key, CountRows rows, const Selection& selection);

// One column of names, under a heading (Names) or as a list box's entries (Entries).
Answer nameList(TextShape shape, Side side, std::string heading, Column column, std::vector<std::string> names,
                const Selection& selection);

// A search's hits among the records, in order: columns "time" (the stamp as written) and the
// shown column, read from the records when asked.
Answer hitList(Side side, std::string heading, const LogRecords& records, std::vector<std::int64_t> hits,
               Column shownColumn, Field shown, const Selection& selection);

} // namespace quorvel
