// SPDX-License-Identifier: MIT
#pragma once

#include "query/answer.h"

#include <string>

namespace quorvel {

// How csvText writes a text cell: as it is (quorvel-report's CSV, which scripts read), or guarded
// for a spreadsheet, which takes a cell that begins with "=", "+", "-", "@", TAB or CR for a
// formula: such a cell gets a leading "'" ("Export as CSV...", whose file is opened in one). User
// names are chosen by whoever connects and file names by uploaders. Counts are never guarded.
enum class CsvCells { Verbatim, Guarded };

// An answer as CSV (RFC 4180): a row of column names, then one row per row of the answer, every
// row ended by CR LF; a field holding a comma, a double quote, CR or LF is quoted, its quotes
// doubled (a guard's "'" goes inside the quotes). A row whose cells are all empty is written
// with its first cell as "", so that no reader skips it as a blank line. Text is written as
// UTF-8 by the program's byte-to-text rule. No byte order mark.
std::string csvText(const Answer& answer, CsvCells cells);

// An answer as JSON (RFC 8259): an array of one object per row, keys the column names in order,
// counts as numbers and text as strings; "[" LF, one object a line separated by "," LF, "]" LF,
// or "[]" LF for no rows.
std::string jsonText(const Answer& answer);

} // namespace quorvel
