// SPDX-License-Identifier: MIT
#pragma once

#include "core/progress.h"
#include "ingest/loadplan.h"
#include "ingest/logreader.h"
#include "model/logrecords.h"

#include <cstdint>
#include <optional>

namespace quorvel {

// What a read of a log gives: its records as the plan keeps them, and the number of record
// lines the log holds (the plan may have left some of them out).
struct LogRead {
    LogRecords records;
    std::int64_t lines = 0;
};

// Reads an open log in blocks (its size as it was when opened), cutting and parsing the lines
// of each block as it arrives (fixstr, then sortstr4 on each line), so the whole text is never
// held; keeps what the plan asks for. After each block, progress.reached(bytes read so far,
// size). Nothing when the log cannot be read (an I/O error) or does not fit in memory; an
// exception thrown by progress stops the read and passes through.
std::optional<LogRead> readRecords(const LogFile& file, const LoadPlan& plan, Progress& progress);

} // namespace quorvel
