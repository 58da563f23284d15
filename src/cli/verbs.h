// SPDX-License-Identifier: MIT
#pragma once

#include "cli/cliwindow.h"
#include "state/analyzer.h"

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
};

std::span<const Verb> verbs();
const Verb* findVerb(std::string_view name);

} // namespace quorvel
