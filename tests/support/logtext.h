// SPDX-License-Identifier: MIT
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::test {

// The cutting rules written the slow, obvious way: every CR and LF ends a line, empty lines
// and lines whose first column is "Date/time" are no records.
inline std::vector<std::string> referenceCut(std::string_view text)
{
    std::vector<std::string> lines;
    std::string line;
    const auto finish = [&] {
        const bool header = line.substr(0, line.find('\t')) == "Date/time";
        if (!line.empty() && !header)
            lines.push_back(line);
        line.clear();
    };
    for (const char c : text) {
        if (c == '\r' || c == '\n')
            finish();
        else
            line += c;
    }
    finish();
    return lines;
}

// One transfer of a test log; the stamp and the address are filled in.
struct Transfer {
    std::string_view account;
    std::string_view user;
    std::string_view file;
};

inline std::string transferLine(const Transfer& t)
{
    return "1/2/2003 4:05:06 PM\t10.0.0.1\t" + std::string(t.account) + "\t" + std::string(t.user) + "\t" +
           std::string(t.file);
}

// A log of these transfers, each line ended by CR LF.
inline std::string logOf(std::initializer_list<Transfer> transfers)
{
    std::string text;
    for (const Transfer& t : transfers)
        text += transferLine(t) + "\r\n";
    return text;
}

// A log as the server writes it: the column header, then a CR before every transfer, and no
// line end after the newest one.
inline std::string serverLogOf(std::initializer_list<Transfer> transfers)
{
    std::string text = "Date/time\tAddress\tAccount\tName\tFile Name";
    for (const Transfer& t : transfers)
        text += "\r" + transferLine(t);
    return text;
}

// The records of a classic log, each cut into its columns: a header line, then every record
// after a CR, tab-separated.
inline std::vector<std::vector<std::string>> recordsOf(const std::string& log)
{
    std::vector<std::vector<std::string>> records;
    for (std::size_t at = log.find('\r'); at != std::string::npos; at = log.find('\r', at + 1)) {
        const std::string line = log.substr(at + 1, log.find('\r', at + 1) - at - 1);
        std::vector<std::string> columns;
        for (std::size_t from = 0;;) {
            const std::size_t tab = line.find('\t', from);
            columns.push_back(line.substr(from, tab - from));
            if (tab == std::string::npos)
                break;
            from = tab + 1;
        }
        records.push_back(columns);
    }
    return records;
}

} // namespace quorvel::test
