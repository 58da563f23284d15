// SPDX-License-Identifier: MIT
#pragma once

#include <cstdio>
#include <cstdlib>

namespace quorvel::fuzz {

// Stops the fuzzer with a crash report when a property of the program does not hold, so that
// libFuzzer keeps the input that broke it.
inline void require(bool holds, const char* property)
{
    if (holds)
        return;
    std::fprintf(stderr, "property broken: %s\n", property);
    std::abort();
}

} // namespace quorvel::fuzz
