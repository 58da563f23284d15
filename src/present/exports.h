// SPDX-License-Identifier: MIT
#pragma once

#include "present/resulttable.h"

#include <string>

namespace quorvel {

// A table as CSV (RFC 4180): a row of column names, then one row per row of the table, every
// row ended by CR LF; a field holding a comma, a double quote, CR or LF is quoted, its quotes
// doubled. Text is written as UTF-8 by the program's byte-to-text rule. No byte order mark.
std::string csvText(const ResultTable& table);

// A table as JSON (RFC 8259): an array of one object per row, keys the column names in order,
// counts as numbers and text as strings; "[" LF, one object a line separated by "," LF, "]" LF,
// or "[]" LF for no rows.
std::string jsonText(const ResultTable& table);

} // namespace quorvel
