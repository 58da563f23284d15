// SPDX-License-Identifier: MIT
// Writes quorvel-report's bash completion to the file named by its argument; run by the build.
#include "cli/completion.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: quorvel-report-completion FILE\n", stderr);
        return 2;
    }
    errno = 0;
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out << quorvel::bashCompletion();
    out.close();
    if (!out) {
        std::fprintf(stderr, "quorvel-report-completion: cannot write '%s': %s\n", argv[1],
                     errno ? std::strerror(errno) : "write error");
        return 1;
    }
    return 0;
}
