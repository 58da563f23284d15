// SPDX-License-Identifier: MIT
#include "commands/drill.h"

#include "commands/commandtable.h"
#include "commands/program.h"
#include "model/stamp.h"
#include "present/answertext.h"

#include <string_view>
#include <utility>

namespace quorvel {

namespace {

// The download verb a column's kind drills to; empty when it drills nothing.
std::string_view drillVerb(ColumnKind kind)
{
    switch (kind) {
    case ColumnKind::File:
        return "file-downloads";
    case ColumnKind::Account:
        return "account-downloads";
    case ColumnKind::User:
        return "user-downloads";
    case ColumnKind::Address:
        return "downloads-from-address";
    case ColumnKind::Day:
        return "downloads-on-day";
    default:
        return {};
    }
}

// The log a row comes from: its side column's, else the answer's.
Side sideOf(const Answer& answer, std::size_t row)
{
    const std::size_t column = answer.columnOf(ColumnKind::Side);
    if (column == answer.columns.size())
        return answer.side;
    return answer.cell(row, column).text == "upload" ? Side::Upload : Side::Download;
}

// Restores Analyzer::drilling however the command ends.
class DrillScope {
public:
    explicit DrillScope(Analyzer& a) : a_(a) { a_.drilling = true; }
    ~DrillScope() { a_.drilling = false; }
    DrillScope(const DrillScope&) = delete;
    DrillScope& operator=(const DrillScope&) = delete;

private:
    Analyzer& a_;
};

} // namespace

std::optional<DrillTarget> drillTarget(const Answer& answer, std::size_t row, std::size_t column)
{
    if (row >= answer.rows || column >= answer.columns.size())
        return std::nullopt;
    const ColumnKind kind = answer.columns[column].kind;
    const std::string_view verb = drillVerb(kind);
    if (verb.empty())
        return std::nullopt;
    const std::string_view value = answer.cell(row, column).text;
    if (kind == ColumnKind::Day && !readDay(value))
        return std::nullopt;
    const bool both = kind == ColumnKind::Account && answer.verb == "transfers-by-account";
    const CommandRow* target = findVerb(both ? std::string("account-both") : twinText(sideOf(answer, row), verb));
    return DrillTarget{target, std::string(value)};
}

std::string drillHint(const DrillTarget& target)
{
    const CommandRow& row = *target.row;
    if (row.verb == "account-both")
        return "what account '" + target.value + "' downloaded and uploaded";
    const auto twin = [&](std::string_view text) { return twinText(row.side, text); };
    switch (row.value) {
    case ValueKind::File:
        return twin("who downloaded '") + target.value + "'";
    case ValueKind::Account:
        return "what account '" + target.value + twin("' downloaded");
    case ValueKind::Name:
        return "what user '" + target.value + twin("' downloaded");
    case ValueKind::Address:
        return twin("every download from ") + target.value;
    default:
        return twin("every download on ") + target.value;
    }
}

Outcome drill(Analyzer& a, const DrillTarget& target)
{
    const DrillScope scope(a);
    return runRow(a, *target.row, target.value);
}

Outcome mnuback_Click(Analyzer& a)
{
    if (a.trail.empty())
        return Outcome::done();
    Answer& previous = a.trail.back();
    a.window.setOutputText(answerText(previous));
    a.lastAnswer = std::move(previous);
    a.trail.pop_back();
    return Outcome::done();
}

} // namespace quorvel
