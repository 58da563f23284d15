// SPDX-License-Identifier: MIT
#pragma once

#include "core/progress.h"
#include "ingest/loadplan.h"
#include "ingest/logreader.h"
#include "ingest/readlog.h"
#include "model/side.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace quorvel {

// The log of a modern server's folder: every file in it whose name ends in ".log" and that
// holds a modern log line (one that begins with the keys time, level and msg) within its first
// 64 KiB, so that a saved journal, whose first lines are others, is found too. They are read as
// one log: the rotated backups ("<name>-YYYY-MM-DDTHH-MM-SS.mmm.log") oldest first by the time
// in their names (ties by name), then the live log, the one file whose name is no backup's.
struct MobiusLog {
    enum class Status {
        Found,
        NotFound,   // no file of the folder is a modern log
        Unreadable, // a ".log" file cannot be opened or read: it may be the log
        Several,    // more than one live log: reading both would count transfers twice
    };
    Status status = Status::NotFound;
    // Found: the files in reading order; Unreadable: that file; Several: the live logs in name
    // order.
    std::vector<std::string> names;
    // Found: the files, open, in reading order; each one's size is taken when it was opened.
    std::vector<std::unique_ptr<LogFile>> files;

    // The bytes of all its files together.
    std::uint64_t size() const;
};

// Finds the log in a modern server's folder (one that cannot be listed has none).
MobiusLog findMobiusLog(const std::filesystem::path& folder);

// What one read of a modern log gives: each side's records as the plan keeps them, its record
// lines and its damaged ones (LogRead::damaged), and how the read ended: as Read, or where it
// stopped, in the file named by `file`.
struct MobiusRead {
    LogRead::Status status = LogRead::Status::Read;
    std::size_t file = 0;
    std::array<LogRead, 2> sides; // by Side
};

// Reads the log's files in order, each in pieces up to the size it had when opened, in place
// from mapped parts where it can be (FilePieces; the classic rules: bytes appended meanwhile are
// not read, a file that shrank, even while mapped, stops the read as Shrunk),
// judging each line (SlogReader) and keeping, for each side asked for in `sides`, the transfer
// records the plan keeps; a UTF-8 byte order mark at a file's very start is skipped. A side not
// asked for keeps nothing. After each piece, progress.reached(bytes read so far, size of all
// files); an exception thrown by progress stops the read and passes through.
//
// The load must fit in memoryBudget bytes, judged as a classic log's load is (readlog.h), for
// the sides' records together: the read stops as NotEnoughMemory once the projection passes
// it. Records are only kept when the status is Read.
MobiusRead readMobiusLog(const MobiusLog& log, const LoadPlan& plan, std::array<bool, 2> sides, Progress& progress,
                         std::uint64_t memoryBudget);

} // namespace quorvel
