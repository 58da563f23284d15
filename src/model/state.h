// SPDX-License-Identifier: MIT
#pragma once

#include "model/logrecords.h"
#include "model/side.h"
#include "model/stamp.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// One row of a per-file tally.
struct filecount {
    std::string_view filename; // a view into the log's filename column
    std::int64_t count = 0;
};

// One server account: a folder under "users".
struct accountinfo {
    std::string name;
    std::int64_t downcount = 0;
    std::int64_t upcount = 0;
};

// Everything derived from one log.
struct LogState {
    // downloads / uploads, by column. The log's text (downloadlogtext / uploadlogtext) is read
    // in blocks and not kept.
    LogRecords records;
    std::vector<filecount> files; // downloadfiles / uploadfiles
    bool loaded = false;          // downloadloaded / uploadloaded
    bool nameslisted = false;     // downnameslisted / upnameslisted
    bool fileslisted = false;     // downfileslisted / upfileslisted
    // The stamps of the records, read once the first command needs them.
    std::optional<RecordStamps> stamps;
    // The first and last readable day of the records, noted by the load (quorvel-report's notes
    // them only of the stamps it reads); nothing when no record has a readable stamp.
    std::optional<DaySpan> days;
    // A load may keep only the records of a period (quorvel-report does): that period, and the
    // records it left out for want of a readable date.
    std::optional<Period> loadedPeriod;
    std::int64_t undatedLeftOut = 0;
};

// The analyzer state that the main window owns for the life of the program. Containers are
// 0-based: record k of the log (k = 1, 2, ...) is index k - 1.
struct State {
    LogState download;
    LogState upload;
    std::vector<accountinfo> accounts;
    std::string serverfolder;  // empty while no folder is known
    std::string savefilename;  // the file chosen by "Save as..."
    bool folderset = false;
    bool accountsloaded = false;
    // The period every command reads, until changed; all time when no end is set.
    Period period;

    LogState& log(Side side) { return side == Side::Download ? download : upload; }
    const LogState& log(Side side) const { return side == Side::Download ? download : upload; }
};

} // namespace quorvel
