// SPDX-License-Identifier: MIT
#include "present/exports.h"

#include "core/bytetext.h"
#include "core/textwriter.h"

namespace quorvel {

namespace {

void appendCsvField(std::string& out, std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        out.append(text);
        return;
    }
    out += '"';
    for (const char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

void appendGuardedCsvField(std::string& out, std::string_view text)
{
    if (text.empty() || std::string_view("=+-@\t\r").find(text.front()) == std::string_view::npos) {
        appendCsvField(out, text);
        return;
    }
    std::string guarded = "'";
    guarded += text;
    appendCsvField(out, guarded);
}

void appendJsonString(std::string& out, std::string_view text)
{
    static constexpr char hex[] = "0123456789abcdef";
    out += '"';
    for (const char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                out += "\\u00";
                out += hex[static_cast<unsigned char>(c) >> 4];
                out += hex[static_cast<unsigned char>(c) & 0xF];
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

// One cell of a row: a count as its decimal digits, a text as UTF-8 through the format's quoting.
void appendCell(std::string& out, const Answer& table, std::size_t row, std::size_t column,
                void (*appendText)(std::string&, std::string_view))
{
    const Cell cell = table.cell(row, column);
    if (table.columns[column].kind == ColumnKind::Count)
        out += decimal(cell.count);
    else
        appendText(out, utf8Text(cell.text));
}

} // namespace

std::string csvText(const Answer& table, CsvCells cells)
{
    const auto appendField = cells == CsvCells::Guarded ? appendGuardedCsvField : appendCsvField;
    std::string out;
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
        if (c > 0)
            out += ',';
        appendCsvField(out, table.columns[c].name);
    }
    out += crlf;
    for (std::size_t r = 0; r < table.rows; ++r) {
        const std::size_t rowStart = out.size();
        bool blank = true;
        for (std::size_t c = 0; c < table.columns.size(); ++c) {
            if (c > 0)
                out += ',';
            const std::size_t cellStart = out.size();
            appendCell(out, table, r, c, appendField);
            blank = blank && out.size() == cellStart;
        }
        if (blank)
            out.insert(rowStart, "\"\"");
        out += crlf;
    }
    return out;
}

std::string jsonText(const Answer& table)
{
    if (table.rows == 0)
        return "[]\n";
    std::string out = "[\n";
    for (std::size_t r = 0; r < table.rows; ++r) {
        out += '{';
        for (std::size_t c = 0; c < table.columns.size(); ++c) {
            if (c > 0)
                out += ',';
            appendJsonString(out, table.columns[c].name);
            out += ':';
            appendCell(out, table, r, c, appendJsonString);
        }
        out += r + 1 < table.rows ? "},\n" : "}\n";
    }
    out += "]\n";
    return out;
}

} // namespace quorvel
