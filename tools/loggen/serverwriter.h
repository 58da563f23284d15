// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <filesystem>

namespace loggen {

struct Options {
    std::filesystem::path out;          // the server folder to write
    std::uint64_t downloadLines = 1000; // records of "Download Log.txt"
    std::uint64_t uploadLines = 200;    // records of "Upload Log.txt"
    std::uint64_t seed = 1;
    std::size_t accounts = 300; // logins seen in the logs
    std::size_t users = 5000;   // nicknames
    std::size_t files = 50000;  // file leaf names
    std::uint64_t days = 0;     // the span of the logs; 0: about 1,370 download records a day
};

// Writes "Download Log.txt", "Upload Log.txt" and "users/<login>/" under options.out, the
// same bytes for the same options. Returns false after a message on stderr when a file cannot
// be written.
bool writeServer(const Options& options);

} // namespace loggen
