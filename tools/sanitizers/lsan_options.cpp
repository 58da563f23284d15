// SPDX-License-Identifier: MIT
// Linked into the window's executables in the sanitizer build: LeakSanitizer takes its
// suppressions from the project's file, so that a leak of a system library does not end every
// run of the window with a report, and the program's own leaks still do.
extern "C" const char* __lsan_default_options()
{
    return "suppressions=" QUORVEL_LSAN_SUPPRESSIONS;
}
