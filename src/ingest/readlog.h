// SPDX-License-Identifier: MIT
#pragma once

#include "core/progress.h"
#include "core/threads.h"
#include "ingest/loadplan.h"
#include "ingest/logreader.h"
#include "model/logrecords.h"

#include <cstdint>
#include <optional>

namespace quorvel {

// What a read of a log gives: how it ended, the records as the plan keeps them, and the number
// of record lines the log holds (the plan may have left some of them out).
struct LogRead {
    enum class Status {
        Read,
        Unreadable,      // an I/O error
        NotEnoughMemory, // the records would not fit in the memory the system can give
        Shrunk,          // the log ended before the size it had when opened
    };
    Status status = Status::Read;
    LogRecords records;
    std::int64_t lines = 0;
    std::int64_t damaged = 0;           // record lines that could not be read and were left out (modern logs)
    std::int64_t undated = 0;           // under a period: the records left out for want of a readable date
    std::optional<RecordStamps> stamps; // the kept records' stamps, when the plan asks for them
    // The first and last readable day: of the whole log when the plan asks for days, else of the
    // stamps the load read (none when it read none).
    std::optional<DaySpan> days;
};

// Reads an open log in blocks, up to the size it had when opened, cutting and parsing the lines
// of each block as it arrives (fixstr, then sortstr4 on each line), so the whole text is never
// held; keeps what the plan asks for. A UTF-8 byte order mark at the very start is skipped.
// After each block, progress.reached(bytes read so far, size); an exception thrown by progress
// stops the read and passes through.
//
// The load must fit in memoryBudget bytes: after each block, what the records hold is
// projected to the whole log (see readlog.cpp) and the block the next read needs is added (a
// block that is about to grow for a long line counts with its new size), and the read stops
// as NotEnoughMemory once that passes the budget, before the growth, as it does when an
// allocation fails. Records are only kept when the status is Read.
//
// A log large enough for several threads (threads.partsFor) is read in as many parts of about
// equal size at once, each cut at line starts, and the parts joined in order: the records, their
// order and every count are the same as when one thread reads it. progress is then told how far
// the parts have come together, every so often, on the calling thread; the memory budget holds
// for all of them and for their joining.
LogRead readRecords(const LogFile& file, const LoadPlan& plan, Progress& progress, std::uint64_t memoryBudget,
                    ThreadCount threads);

// Thrown out of a read when the projected records pass the memory budget.
struct OverBudget {};

// What a load will hold once the whole log is read, judged after `parsed` of its `size` bytes
// were handed to the records, while the block of the next read takes `block` bytes at its
// peak. What grows with every record grows in proportion to the bytes; the tallies count twice
// (a table that grows holds its old and its new slots for a moment, and more distinct values
// may come). While nothing was handed over, the first line may run to the end of the log, so
// the whole log counts (the block holds it).
std::uint64_t projectedBytes(const LogRecords::Footprint& used, std::uint64_t parsed, std::uint64_t size,
                             std::uint64_t block);

} // namespace quorvel
