// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <filesystem>

namespace loggen {

// The kind of server folder written.
enum class Format {
    Classic, // "Download Log.txt", "Upload Log.txt" and users/<login>/ as a classic server keeps them
    Twin,    // the classic layout of the records a modern server logs (see Mobius)
    Mobius,  // a modern server's folder: its log (mobius.log and one rotated backup) and Users/*.yaml
};

struct Options {
    std::filesystem::path out;          // the server folder to write
    std::uint64_t downloadLines = 1000; // download records
    std::uint64_t uploadLines = 200;    // upload records
    std::uint64_t seed = 1;
    std::size_t accounts = 300; // logins seen in the logs
    std::size_t users = 5000;   // nicknames
    std::size_t files = 50000;  // file leaf names
    std::uint64_t days = 0;     // the span of the logs; 0: about 1,370 download records a day
    int year = 2001;            // the logs start on 1 January of this year
    Format format = Format::Classic;
    std::uint64_t skipped = 3; // Mobius: lines that are no transfer records, per transfer record
    bool paths = false;        // file names as paths ("Games/Doom/Doom Kalo Patch 1.2.zip"); classic only
    std::size_t addresses = 0; // the distinct addresses the logs draw from; 0: a new one for each draw
};

// Writes the server folder options.out in its format, the same bytes for the same options.
// For one seed (and the same counts), the twin and the Mobius folder hold the same records,
// stamps written the same way, and the same accounts. Returns false after a message on stderr
// when a file cannot be written.
bool writeServer(const Options& options);

} // namespace loggen
