// SPDX-License-Identifier: MIT
#pragma once

#include "commands/analyzer.h"
#include "commands/outcome.h"
#include "query/answer.h"

#include <cstddef>
#include <optional>
#include <string>

namespace quorvel {

struct CommandRow;

// Drilling down: a cell of an answer runs the question behind it, for the same side (a row
// with a side column, as the account's downloads then uploads have, drills that side) and
// under the same period:
//   a file       who transferred it            file-downloads FILE
//   an account   what it transferred           account-downloads ACCOUNT (account-both ACCOUNT
//                                              from Transfers By Account)
//   a user name  what it transferred           user-downloads NAME
//   an address   every transfer from it        downloads-from-address ADDRESS
//   a day        every transfer of that day    downloads-on-day YYYY-MM-DD
// and their upload twins. A count, a stamp, a month, an hour, a side, and a day cell that holds
// no date ("undated", "never") drill nothing.
struct DrillTarget {
    const CommandRow* row = nullptr; // the verb's row in the command table
    std::string value;
};

// What the answer's cell drills to; nothing for a cell that drills nothing or is not there.
std::optional<DrillTarget> drillTarget(const Answer& answer, std::size_t row, std::size_t column);

// What a drill-down does, in words: "who downloaded 'Glider.sit'", "every upload on 2001-03-14".
std::string drillHint(const DrillTarget& target);

// Runs the target's question as a drill-down: when it gives an answer, the answer shown before
// becomes the last step of the trail (see show); a refusal leaves the answer shown as it was
// (and the trail too, but for the steps let go to make room: see affordAnswer).
Outcome drill(Analyzer& a, const DrillTarget& target);

// Insights > "Back": shows the answer before the last drill-down again, as it was (its text;
// "Export as CSV..." and "Chart" follow it), and takes it off the trail. Does nothing when the
// trail is empty (the window disables the item then).
Outcome mnuback_Click(Analyzer& a);

} // namespace quorvel
