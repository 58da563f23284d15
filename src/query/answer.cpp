// SPDX-License-Identifier: MIT
#include "query/answer.h"

#include <algorithm>

namespace quorvel {

std::size_t Answer::columnOf(ColumnKind kind) const
{
    return static_cast<std::size_t>(
        std::find_if(columns.begin(), columns.end(), [kind](const Column& c) { return c.kind == kind; }) -
        columns.begin());
}

Answer answerFrame(TextShape shape, Side side, std::string heading, std::vector<Column> columns,
                   std::vector<std::size_t> shown, const Selection& selection)
{
    Answer answer;
    answer.shape = shape;
    answer.side = side;
    if (shape != TextShape::Entries)
        answer.sections.push_back({std::move(heading), 0});
    answer.columns = std::move(columns);
    answer.shown = std::move(shown);
    answer.period = selection.period;
    answer.undated = selection.undated;
    return answer;
}

Answer countListing(Side side, std::string heading, Column key, CountRows rows, const Selection& selection)
{
    Answer answer =
        answerFrame(TextShape::Listing, side, std::move(heading), {key, {"count", ColumnKind::Count}}, {1, 0}, selection);
    const std::size_t count = rows.size();
    holdRows(answer, std::move(rows), count, [](const CountRows& held, std::size_t row, std::size_t column) {
        return column == 0 ? Cell{held[row].first} : Cell{{}, held[row].second};
    });
    answer.sections.front().rows = count;
    return answer;
}

Answer nameList(TextShape shape, Side side, std::string heading, Column column, std::vector<std::string> names,
                const Selection& selection)
{
    Answer answer = answerFrame(shape, side, std::move(heading), {column}, {0}, selection);
    const std::size_t count = names.size();
    holdRows(answer, std::move(names), count,
             [](const std::vector<std::string>& held, std::size_t row, std::size_t) { return Cell{held[row]}; });
    if (!answer.sections.empty())
        answer.sections.front().rows = count;
    return answer;
}

Answer hitList(Side side, std::string heading, const LogRecords& records, std::vector<std::int64_t> hits,
               Column shownColumn, Field shown, const Selection& selection)
{
    Answer answer =
        answerFrame(TextShape::Hits, side, std::move(heading), {{"time", ColumnKind::Stamp}, shownColumn}, {0, 1},
                    selection);
    const std::size_t count = hits.size();
    holdRows(answer, std::move(hits), count,
             [&records, shown](const std::vector<std::int64_t>& held, std::size_t row, std::size_t column) {
                 return Cell{column == 0 ? records.stamp(held[row]) : records.field(held[row], shown)};
             });
    answer.sections.front().rows = count;
    return answer;
}

} // namespace quorvel
