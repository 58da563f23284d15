// SPDX-License-Identifier: MIT
#include "cli/report.h"

#include <filesystem>
#include <iostream>
#include <unistd.h>

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
    return quorvel::runReport(args, std::cout, std::cerr, quorvel::FolderFile::forProgram(program),
                              ::isatty(STDERR_FILENO) ? &std::cerr : nullptr);
}
