// SPDX-License-Identifier: MIT
#include "cli/options.h"

#include <algorithm>
#include <iterator>

namespace quorvel {

namespace {

constexpr OptionRow options[] = {
    {"--server", "DIR", "the server folder (default: the one remembered)"},
    {"--from", "YYYY-MM-DD", "only the records of that day and later"},
    {"--to", "YYYY-MM-DD", "only the records of that day and earlier"},
    {"--format", "text|csv|json", "the answer as text (the default), CSV or JSON"},
    {"--help", "", "print this help and exit", "-h"},
    {"--version", "", "print the version and exit"},
    {"--", "", "end the options: a VALUE may then start with '-'"},
};

} // namespace

std::span<const OptionRow> reportOptions()
{
    return options;
}

const OptionRow* findOption(std::string_view name)
{
    const auto it = std::find_if(std::begin(options), std::end(options), [&](const OptionRow& row) {
        return row.name != "--" && (row.name == name || (!row.shortName.empty() && row.shortName == name));
    });
    return it == std::end(options) ? nullptr : &*it;
}

} // namespace quorvel
