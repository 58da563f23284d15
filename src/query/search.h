// SPDX-License-Identifier: MIT
#pragma once

#include "core/progress.h"
#include "model/logrecords.h"
#include "query/answer.h"
#include "model/stamp.h"
#include "query/selection.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace quorvel {

// The selected records (0-based, in order) whose interned column `match` equals key as a
// whole, byte for byte (letter case counts, nothing is trimmed). Walks the log in strides and
// reports progress.reached(i, count) at the end of each, so the last report is (count, count).
std::vector<std::int64_t> findRecords(const LogRecords& records, Field match, std::string_view key,
                                      const Selection& selection, Progress& progress);

// The three searches: the column compared with the value and the one shown beside each hit's
// stamp. By user name (namesearch) the files, by file (filesearch) the user names, by account
// (usersearch) the files.
enum class SearchKind { Name, File, Account };
struct SearchDesign {
    Field match;
    Field shown;
    Column shownColumn;
};
const SearchDesign& searchDesign(SearchKind kind);

// A search's answer: under "<name> had downloaded these files...", "Users who have downloaded
// <file>..." or "Files that <account> has downloaded..." (upload: uploaded), a line
// "<stamp>: <shown>" per hit.
Answer searchAnswer(SearchKind kind, Side side, std::string_view value, const LogRecords& records,
                    std::vector<std::int64_t> hits, const Selection& selection);

// An account's hits in both logs (usersearchboth): the download search's section, then the
// upload search's; columns "side" ("download", "upload"), "time" and "file".
Answer bothLogsAnswer(std::string_view account, const LogRecords& downloads, std::vector<std::int64_t> downHits,
                      const Selection& downSelection, const LogRecords& uploads, std::vector<std::int64_t> upHits,
                      const Selection& upSelection);

// The selected records (0-based, in order) whose address (the second column, which is not
// interned) is address as a whole, byte for byte, and those whose stamp lies on day; progress as
// findRecords. How many there are is known only by finding them: past mostHits, which the memory
// left could not answer, they throw std::bad_alloc.
std::vector<std::int64_t> recordsFrom(const LogRecords& records, std::string_view address, const Selection& selection,
                                      Progress& progress, std::size_t mostHits);
std::vector<std::int64_t> recordsOn(const LogRecords& records, const RecordStamps& stamps, DayNumber day,
                                    const Selection& selection, Progress& progress, std::size_t mostHits);

// Every transfer from an address or on a day: under "Downloads from <address>..." or
// "Downloads on <YYYY-MM-DD>..." (upload: Uploads), a line "<stamp>: <user name>: <file>" per
// hit; columns "time", "address", "account", "user", "file".
Answer fromAddressAnswer(Side side, std::string_view address, const LogRecords& records,
                         std::vector<std::int64_t> hits, const Selection& selection);
Answer onDayAnswer(Side side, DayNumber day, const LogRecords& records, std::vector<std::int64_t> hits,
                   const Selection& selection);

} // namespace quorvel
