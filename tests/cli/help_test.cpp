// SPDX-License-Identifier: MIT
// quorvel-report --help: the manual page is made from it, so it lists every verb and option of
// the tables with its description, in lines help2man reads as terms and descriptions.
#include "cli/options.h"
#include "commands/commandtable.h"
#include "reportrun.h"

#include <gtest/gtest.h>

#include <sstream>

namespace quorvel::test {
namespace {

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// Whether a line reads "  <term>", two spaces or more, then "<description>".
// The term indented by two blanks, then its description after blanks, on its line or, below a
// long term, alone on the next.
bool hasEntry(const std::vector<std::string>& lines, const std::string& term, std::string_view description)
{
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const std::string& line = lines[k];
        if (line == "  " + term && k + 1 < lines.size()) {
            const std::string& next = lines[k + 1];
            const std::size_t at = next.find_first_not_of(' ');
            if (at > 2 && at != std::string::npos && next.substr(at) == description)
                return true;
        }
        const std::size_t at = line.find(description, 2 + term.size() + 2);
        if (line.starts_with("  " + term + "  ") && at != std::string::npos && at + description.size() == line.size() &&
            line.find_first_not_of(' ', 2 + term.size()) == at)
            return true;
    }
    return false;
}

TEST(Help, ListsEveryVerbAndOptionWithItsDescriptionOnOneLine)
{
    TempServer server;
    const ReportRun run = report(server, {"--help"});
    ASSERT_EQ(run.code, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(run.out.starts_with("Usage: quorvel-report [OPTION]... VERB [VALUE]\n")) << run.out;
    const std::vector<std::string> lines = linesOf(run.out);
    for (const CommandRow& row : commandTable()) {
        if (row.verb.empty())
            continue;
        const std::string term =
            std::string(row.verb) + (row.value == ValueKind::None ? "" : " ") + std::string(valueName(row.value));
        EXPECT_FALSE(row.description.empty()) << term;
        EXPECT_TRUE(hasEntry(lines, term, row.description)) << term;
    }
    for (const OptionRow& option : reportOptions()) {
        const std::string term = (option.shortName.empty() ? "" : std::string(option.shortName) + ", ") +
                                 std::string(option.name) + (option.value.empty() ? "" : " ") +
                                 std::string(option.value);
        EXPECT_TRUE(hasEntry(lines, term, option.description)) << term;
    }
    for (const std::string& line : lines)
        EXPECT_LE(line.size(), 80u) << line;
    EXPECT_TRUE(hasEntry(lines, "0", "answered"));
    EXPECT_TRUE(hasEntry(lines, "2", "usage error"));
}

// The parser takes its options from the same table: each option that takes a value asks for it.
TEST(Help, EveryOptionListedIsTakenByTheParser)
{
    TempServer server;
    for (const OptionRow& option : reportOptions()) {
        if (option.value.empty())
            continue;
        const ReportRun run = report(server, {std::string(option.name)});
        EXPECT_EQ(run.code, 2) << option.name;
        EXPECT_TRUE(run.err.starts_with("quorvel-report: " + std::string(option.name) + " needs a")) << run.err;
    }
    for (const std::string_view flag : {"-h", "--help", "--version"})
        EXPECT_EQ(report(server, {std::string(flag)}).code, 0) << flag;
}

} // namespace
} // namespace quorvel::test
