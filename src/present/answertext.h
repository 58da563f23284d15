// SPDX-License-Identifier: MIT
#pragma once

#include "query/answer.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace quorvel {

// The text the output box receives for an answer, byte for byte as the program has always
// written it: under a period, "Period: ..." (and " (N records without a readable date left
// out)") and an empty line first; then each section's heading, an empty line and its rows in
// the answer's text shape, sections parted by an empty line; lines end in CR LF. A list box's
// entries (TextShape::Entries) are their cells alone, one a line.
std::string answerText(const Answer& answer);

// A shown cell of an answer's text: its row and column, and the bytes [begin, end) it takes.
struct CellPlace {
    std::size_t row = 0;
    std::size_t column = 0;
    std::size_t begin = 0;
    std::size_t end = 0;
};

// Where the shown cells of an answer stand in its text (answerText): the rows are found from
// the answer, never from the text, whose names may hold TABs and line breaks. Made with one
// pass over the rows, it keeps where every 64th row and each section's first row begin; a
// look-up then measures at most 64 rows. It reads the answer it was made from, which must
// outlive it unchanged.
class TextCells {
public:
    explicit TextCells(const Answer& answer);

    // The cell that holds the byte at offset; nothing in a heading, a period line, an empty
    // line, between cells or past the text.
    std::optional<CellPlace> at(std::size_t offset) const;

private:
    static constexpr std::size_t markEvery = 64;
    struct Mark {
        std::size_t row;
        std::size_t offset;
    };

    const Answer& answer_;
    std::vector<Mark> marks_;
};

} // namespace quorvel
