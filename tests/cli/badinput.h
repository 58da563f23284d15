// SPDX-License-Identifier: MIT
#pragma once

#include "privatecgroup.h"
#include "tempserver.h"

#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace quorvel::test {

// One bad input, given to the engine (a menu command on fake windows) and to quorvel-report
// (in-process), with what a user must see in both. "<root>" in a path or a text stands for
// the temporary folder that holds the server folder ("<root>/server") and the program.
struct BadInput {
    std::string what;                               // the fault the row catches: the test's name
    std::function<void(const TempServer&)> arrange; // makes the bad input
    std::string command;                            // the menu command the engine runs; empty: none
    std::vector<std::string> verb;                  // quorvel-report's arguments; empty: no such use
    // The refusal status lines and error boxes ("title: text"), each followed by "\n"; the
    // tool prints the same on stderr unless err says otherwise.
    std::string messages;
    // The report: the output box (a refused command leaves it as it was) and stdout.
    std::string out;
    int code = 0; // the tool's exit code
    std::string err = "=messages";
    // A status line the engine's command must show besides its refusals (such as a load's
    // "Done..." with its damaged lines); empty: none in particular.
    std::string status;
    bool needsPermissionBits = false; // the bad input is a permission that root would override
    // The server is a modern one: the engine loads no classic upload log before the command,
    // which would make it classic.
    bool mobius = false;
    bool viaFolderFile = false; // the server folder comes from the folder file at start
    // Runs once, right after the log was opened and its size taken (at its first
    // "Loading...   0/" caption).
    std::function<void(const TempServer&)> whileLoading;
    std::string saveTo;      // the file "Save as..." is given; the tool's stdout goes there too
    bool alsoBinary = false; // also run the real quorvel-report executable
    // Runs only the executable, its address space limited to this many KiB (not under
    // AddressSanitizer, which cannot run so).
    std::uint64_t addressSpaceKiB = 0;
    // With addressSpaceKiB: the executable runs in a private mount namespace where its control
    // group has this memory limit (skipped where that cannot be set up).
    std::optional<ControlGroupLimit> controlGroup;
};

void PrintTo(const BadInput& row, std::ostream* os);

// Runs every row against a fresh temporary server and checks the outcome, and that nothing
// under the temporary folder changed and no state was lost.
class BadInputSuite : public ::testing::TestWithParam<BadInput> {};

// The test name of a row.
std::string rowName(const ::testing::TestParamInfo<BadInput>& row);

// The first, hand-checked lines of the download report most rows run.
inline std::string byNumber(const std::string& lines)
{
    return "Downloads By Number...\r\n\r\n" + lines;
}

// The text already in the output box when a row's command runs.
inline constexpr const char* earlierResult = "an earlier result";

} // namespace quorvel::test
