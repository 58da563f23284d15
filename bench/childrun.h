// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

namespace quorvel::bench {

// What one run of a program cost: wall-clock seconds, CPU seconds (user + system) and the
// largest resident set in KiB, each of the program and of every descendant it waited for (a
// shell's pipeline included); status is its exit status, 128 + the signal that ended it, or
// -1 when it could not be started.
struct ChildRun {
    double wall = 0;
    double cpu = 0;
    long peakKiB = 0;
    int status = -1;
};

// Runs argv (the program looked up in PATH) with its output and errors written to the files
// out and err, and waits for it. Nothing stands between the two: no shell, no timing tool.
ChildRun runChild(const std::vector<std::string>& argv, const std::string& out, const std::string& err);

} // namespace quorvel::bench
