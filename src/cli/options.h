// SPDX-License-Identifier: MIT
#pragma once

#include <span>
#include <string_view>

namespace quorvel {

// The options of quorvel-report in the order --help lists them. The argument parser, the help
// and the bash completion all read them here.
struct OptionRow {
    std::string_view name;          // "--server"
    std::string_view value{};       // what follows: "DIR", or its choices "text|csv|json"; empty: nothing
    std::string_view description{}; // one line, for --help and the manual
    std::string_view shortName{};   // "-h"; empty: none
};

std::span<const OptionRow> reportOptions();

// The row of an option by its long or short name; nullptr when there is none ("--" ends the
// options and is listed, but is no option).
const OptionRow* findOption(std::string_view name);

} // namespace quorvel
