// SPDX-License-Identifier: MIT
#include "cli/help.h"

#include "cli/options.h"
#include "commands/commandtable.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace quorvel {

namespace {

// The longest term whose description stands beside it; a longer one has its description on the
// next line, so that the descriptions keep one column that leaves them room.
constexpr std::size_t longestTermBeside = 25;

// A term and its description as help2man reads them: the term indented by two spaces, the
// description from column on, on the term's line or below a longer term. The descriptions are
// short enough for one line of 80 columns.
void printEntry(std::ostream& out, std::string_view term, std::string_view description, std::size_t column)
{
    std::string line = "  " + std::string(term);
    if (term.size() > longestTermBeside) {
        out << line << '\n';
        line.clear();
    }
    line.resize(column, ' ');
    out << line << description << '\n';
}

} // namespace

void printHelp(std::ostream& out)
{
    std::vector<std::pair<std::string, std::string_view>> verbs, options;
    for (const CommandRow& row : commandTable())
        if (!row.verb.empty())
            verbs.emplace_back(std::string(row.verb) + (row.value == ValueKind::None ? "" : " ") +
                                   std::string(valueName(row.value)),
                               row.description);
    for (const OptionRow& row : reportOptions())
        options.emplace_back((row.shortName.empty() ? "" : std::string(row.shortName) + ", ") + std::string(row.name) +
                                 (row.value.empty() ? "" : " ") + std::string(row.value),
                             row.description);
    std::size_t column = 0;
    for (const auto& [term, description] : verbs)
        column = std::max(column, std::min(term.size(), longestTermBeside));
    for (const auto& [term, description] : options)
        column = std::max(column, std::min(term.size(), longestTermBeside));
    column += 4;

    out << "Usage: quorvel-report [OPTION]... VERB [VALUE]\n"
           "Answers one question about a Hotline file server's transfer logs and account\n"
           "folders and prints the answer: the text the window's output box would hold, or a\n"
           "table.\n"
           "\nVerbs:\n";
    for (const auto& [term, description] : verbs)
        printEntry(out, term, description, column);
    out << "\nOptions:\n";
    for (const auto& [term, description] : options)
        printEntry(out, term, description, column);
    out << "Options may stand before or after the verb; --server=DIR is --server DIR, and so\n"
           "on. With --from or --to, records without a readable date are left out. The\n"
           "server folder is a classic server's folder or a Mobius server's configuration\n"
           "folder (the one that holds Users/ and the server's .log files).\n"
           "\nExit status:\n"
           "  0  answered\n"
           "  1  refused: no server folder, a log or folder that cannot be read, too little\n"
           "     memory, or an output that cannot be written (the reason goes to stderr)\n"
           "  2  usage error\n"
           "\nExamples:\n"
           "The files of the server in /srv/hotline, most downloaded first.\n"
           "  $ quorvel-report --server /srv/hotline downloads-by-number\n";
}

} // namespace quorvel
