// SPDX-License-Identifier: MIT
#pragma once

#include <cctype>
#include <initializer_list>
#include <string>
#include <string_view>

namespace quorvel::test {

// One log line in the server's layout: stamp, address, account, user name, file name.
inline std::string record(std::string_view stamp, std::string_view account, std::string_view user,
                          std::string_view file)
{
    std::string line(stamp);
    for (std::string_view field : {std::string_view("10.0.0.1"), account, user, file})
        line.append("\t").append(field);
    return line;
}

// A log as the server writes it: a column header, then every record after a CR.
inline std::string serverLog(std::initializer_list<std::string> records)
{
    std::string text = "Date/time\tAddress\tAccount\tName\tFile Name";
    for (const std::string& line : records)
        text.append("\r").append(line);
    return text;
}

// A log of n records "s<i>" by accounts, names and files cycling through a few values each.
inline std::string bigLog(int n)
{
    std::string text;
    for (int i = 1; i <= n; ++i)
        text.append(record("s" + std::to_string(i), "acct" + std::to_string(i % 7), "user" + std::to_string(i % 13),
                           "file" + std::to_string(i % 101)))
            .append("\r\n");
    return text;
}

// A test name made of a table row's description: letters and digits kept, the rest "_".
template <class Info> std::string rowName(const Info& info)
{
    std::string name = std::to_string(info.index) + "_" + info.param.catches;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}

} // namespace quorvel::test
