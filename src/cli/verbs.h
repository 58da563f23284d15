// SPDX-License-Identifier: MIT
#pragma once

#include "cli/cliwindow.h"
#include "state/analyzer.h"
#include "state/loadplan.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quorvel {

// A verb of quorvel-report. A report verb prints the output box its command leaves; a list
// verb prints the entries of one dialog's list box.
struct Verb {
    std::string_view name;
    std::string_view valueName; // empty when the verb takes no value
    std::optional<Dialog> list; // set for list verbs
    void (*run)(Analyzer& a, const std::string& value);
    // Whether the command did its work; when it did not, the tool exits 1.
    bool (*succeeded)(const Analyzer& a, const CliWindow& window);
    // The columns the command reads; a load keeps no others.
    FieldSet reads = FieldSet::all();
    // For a search: the column it compares with the value; a load keeps only the records
    // whose column equals the value, the only ones the search can print.
    std::optional<Field> match = std::nullopt;

    LoadPlan plan(const std::string& value) const { return {reads, match, match ? value : std::string()}; }
};

std::span<const Verb> verbs();
const Verb* findVerb(std::string_view name);

} // namespace quorvel
