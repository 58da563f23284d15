// SPDX-License-Identifier: MIT
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace quorvel::test {

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

} // namespace quorvel::test
