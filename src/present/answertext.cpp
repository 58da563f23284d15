// SPDX-License-Identifier: MIT
#include "present/answertext.h"

#include "core/textwriter.h"

namespace quorvel {

namespace {

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

template <class Out> void putRow(Out& out, const Answer& answer, std::size_t row)
{
    const std::string_view between = answer.shape == TextShape::Listing ? "\t" : ": ";
    for (std::size_t k = 0; k < answer.shown.size(); ++k) {
        if (k > 0)
            out.put(between);
        putCell(out, answer, row, answer.shown[k]);
    }
    out.put(crlf);
}

// "<name> with <count> downloads", or "null with 0 downloads" when nobody won.
template <class Out> void putWinner(Out& out, const Answer& answer, const std::string& transfers)
{
    if (answer.rows == 0) {
        out.put("null with ").put(std::int64_t{0});
    } else {
        putCell(out, answer, 0, answer.shown[0]);
        out.put(" with ");
        putCell(out, answer, 0, answer.shown[1]);
    }
    out.put(transfers);
}

} // namespace

std::string answerText(const Answer& answer)
{
    const std::string transfers = twinText(answer.side, " downloads");
    std::string text;
    appendText(text, [&](auto& out) {
        if (answer.shape == TextShape::Entries) {
            for (std::size_t row = 0; row < answer.rows; ++row)
                putRow(out, answer, row);
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
                putWinner(out, answer, transfers);
                continue;
            }
            for (const std::size_t end = row + answer.sections[k].rows; row < end; ++row)
                putRow(out, answer, row);
        }
    });
    return text;
}

} // namespace quorvel
