// SPDX-License-Identifier: MIT
#include "present/answertext.h"

#include "core/textwriter.h"

#include <algorithm>

namespace quorvel {

namespace {

// What stands between the cells of a row: a TAB in a listing, " with " in a winner's sentence,
// ": " otherwise.
std::string_view separatorOf(TextShape shape)
{
    return shape == TextShape::Listing ? "\t" : shape == TextShape::Winner ? " with " : ": ";
}

// Puts the cell as the text shows it: a count in decimal, anything else as its bytes.
template <class Out> void putCell(Out& out, const Answer& answer, std::size_t row, std::size_t column)
{
    const Cell cell = answer.cell(row, column);
    if (answer.columns[column].kind == ColumnKind::Count)
        out.put(cell.count);
    else
        out.put(cell.text);
}

template <class Out> void putPeriod(Out& out, const Answer& answer)
{
    out.put("Period: ").put(periodText(answer.period));
    if (answer.undated > 0)
        out.put(" (")
            .put(answer.undated)
            .put(answer.undated == 1 ? " record" : " records")
            .put(" without a readable date left out)");
    out.put(crlf).put(crlf);
}

// The shown cells of a row, parted as the shape parts them.
template <class Out> void putCells(Out& out, const Answer& answer, std::size_t row)
{
    for (std::size_t k = 0; k < answer.shown.size(); ++k) {
        if (k > 0)
            out.put(separatorOf(answer.shape));
        putCell(out, answer, row, answer.shown[k]);
    }
}

// The whole text; rowStarts(row) is called where each row's cells begin.
template <class Out, class RowStarts> void putAnswer(Out& out, const Answer& answer, RowStarts&& rowStarts)
{
    if (answer.shape == TextShape::Entries) {
        for (std::size_t row = 0; row < answer.rows; ++row) {
            rowStarts(row);
            putCells(out, answer, row);
            out.put(crlf);
        }
        return;
    }
    if (!answer.period.isAllTime())
        putPeriod(out, answer);
    std::size_t row = 0;
    for (std::size_t k = 0; k < answer.sections.size(); ++k) {
        if (k > 0)
            out.put(crlf).put(crlf);
        out.put(answer.sections[k].heading).put(crlf).put(crlf);
        if (answer.shape == TextShape::Winner) {
            // "<name> with <count> downloads", or "null with 0 downloads" when nobody won.
            if (answer.rows == 0) {
                out.put("null with ").put(std::int64_t{0});
            } else {
                rowStarts(0);
                putCells(out, answer, 0);
            }
            out.put(twinText(answer.side, " downloads"));
            continue;
        }
        for (const std::size_t end = row + answer.sections[k].rows; row < end; ++row) {
            rowStarts(row);
            putCells(out, answer, row);
            out.put(crlf);
        }
    }
}

} // namespace

std::string answerText(const Answer& answer)
{
    std::string text;
    appendText(text, [&](auto& out) { putAnswer(out, answer, [](std::size_t) {}); });
    return text;
}

TextCells::TextCells(const Answer& answer) : answer_(answer)
{
    std::vector<std::size_t> firsts;
    std::size_t first = 0;
    for (const Section& section : answer.sections) {
        firsts.push_back(first);
        first += section.rows;
    }
    TextMeasure measure;
    std::size_t nextFirst = 0;
    putAnswer(measure, answer, [&](std::size_t row) {
        bool startsSection = false;
        for (; nextFirst < firsts.size() && firsts[nextFirst] <= row; ++nextFirst)
            startsSection = startsSection || firsts[nextFirst] == row;
        if (startsSection || row % markEvery == 0)
            marks_.push_back({row, measure.bytes()});
    });
}

std::optional<CellPlace> TextCells::at(std::size_t offset) const
{
    auto mark = std::upper_bound(marks_.begin(), marks_.end(), offset,
                                 [](std::size_t at, const Mark& m) { return at < m.offset; });
    if (mark == marks_.begin())
        return std::nullopt;
    --mark;
    const std::size_t end = std::next(mark) == marks_.end() ? answer_.rows : std::next(mark)->row;
    const std::size_t between = separatorOf(answer_.shape).size();
    std::size_t at = mark->offset;
    for (std::size_t row = mark->row; row < end && at <= offset; ++row) {
        for (std::size_t k = 0; k < answer_.shown.size(); ++k) {
            if (k > 0)
                at += between;
            const std::size_t column = answer_.shown[k];
            const Cell cell = answer_.cell(row, column);
            const std::size_t length =
                answer_.columns[column].kind == ColumnKind::Count ? decimalLength(cell.count) : cell.text.size();
            if (offset >= at && offset < at + length)
                return CellPlace{row, column, at, at + length};
            at += length;
        }
        at += crlf.size();
    }
    return std::nullopt;
}

} // namespace quorvel
