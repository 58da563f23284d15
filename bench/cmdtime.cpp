// SPDX-License-Identifier: MIT
// cmdtime OUT ERR PROGRAM [ARG...]: runs the program with its output and errors written to OUT
// and ERR, and prints one line "WALL CPU PEAK STATUS": seconds of wall clock, seconds of CPU
// (user + system, descendants included), the largest resident set in KiB, the exit status.
// The benchmark times each side of a comparison with it, so that neither pays for a shell or
// a timing tool it did not need.
#include "childrun.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: cmdtime OUT ERR PROGRAM [ARG...]\n");
        return 2;
    }
    const std::vector<std::string> command(argv + 3, argv + argc);
    const quorvel::bench::ChildRun run = quorvel::bench::runChild(command, argv[1], argv[2]);
    if (run.status < 0) {
        std::fprintf(stderr, "cmdtime: cannot run %s\n", argv[3]);
        return 1;
    }
    std::printf("%.4f %.4f %ld %d\n", run.wall, run.cpu, run.peakKiB, run.status);
    return 0;
}
