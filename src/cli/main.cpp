// SPDX-License-Identifier: MIT
#include "cli/report.h"

#include <iostream>
#include <unistd.h>

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    // The one place that decides whether stderr is a terminal: progress goes there, and every
    // message is made safe for it.
    return quorvel::runReport(args, std::cout, std::cerr, quorvel::FolderFile::ofThisProgram(),
                              ::isatty(STDERR_FILENO) ? &std::cerr : nullptr);
}
