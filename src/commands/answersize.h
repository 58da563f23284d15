// SPDX-License-Identifier: MIT
#pragma once

#include "commands/analyzer.h"
#include "commands/outcome.h"
#include "query/activity.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace quorvel {

// The memory an answer takes, estimated before anything of it is built, from what the load
// knows: the number of records, each interned column's distinct values and the bytes of their
// keys, the bytes of the stamps and addresses. No estimate walks the records. Each counts what
// the answer allocates at its peak: the query's tallies, copies and order, the output box's
// text, the table kept for "Export as CSV..." and "Chart", a pick list's entries (as the
// engine holds them; the window's own widgets are not counted). Where the load cannot know a
// number (how many distinct addresses or days there are), the largest it can be is taken;
// where it can only know an average (how long the lines of a search's hits are), the average.
// The window and quorvel-report ask the same; docs/performance.md compares the estimates with
// what the answers take.
struct AnswerSize {
    std::uint64_t bytes = 0; // everything, the text included
    std::uint64_t text = 0;  // the output box's text, which a period's line copies once more

    AnswerSize& operator+=(const AnswerSize& other)
    {
        bytes += other.bytes;
        text += other.text;
        return *this;
    }
    friend AnswerSize operator+(AnswerSize x, const AnswerSize& y) { return x += y; }
};

// Refuses with "Not enough memory for this command" when the answer would pass what the system
// can still give (Analyzer::memoryLeft); done otherwise. While it would, the trail's steps
// (Analyzer::trail) are dropped first, the oldest first, to make room.
Outcome affordAnswer(Analyzer& a, const AnswerSize& size);

// What reading the side's records under the period adds to an answer: the records' stamps
// when they are read for it (readsStamps, or a period the load did not apply), and the list of
// the period's records.
AnswerSize selectionSize(const Analyzer& a, Side side, bool readsStamps);

// A count listing ("count TAB name" lines) of up to `rows` names taking nameBytes together,
// counted among `records` records, from a tally of the log or of the accounts. The reports on
// the accounts count as one, whatever they show of it.
AnswerSize countListingSize(std::uint64_t rows, std::uint64_t nameBytes, std::int64_t records);

// The "number one" of up to `values` distinct values: each is counted, one is shown.
AnswerSize numberOneSize(std::uint64_t values);

// A pick list of up to `rows` names taking nameBytes together.
AnswerSize pickListSize(std::uint64_t rows, std::uint64_t nameBytes);

// The last transfer of each of `accounts` accounts taking nameBytes together, among the
// `logAccounts` distinct accounts of the log.
AnswerSize lastTransferSize(std::uint64_t accounts, std::uint64_t nameBytes, std::uint64_t logAccounts);

// The hits of a search for key in the column match ("<stamp>: <shown>" lines), as many as
// the tally counts, each as long as the log's lines are on average.
AnswerSize hitListSize(const LogRecords& records, Field match, std::string_view key, Field shown);

// `hits` records listed with their user name and file ("<stamp>: <user>: <file>"), each as
// long as the log's lines are on average, and kept for the table: the transfers from an
// address or on a day.
AnswerSize transferListSize(const LogRecords& records, std::uint64_t hits);
// The most of them an answer can hold in the memory left besides reading the side's records
// (with their stamps when readsStamps), the hits' list growing by doubling as they are found.
std::uint64_t affordableTransfers(const Analyzer& a, Side side, bool readsStamps);

// Counts by day, month or hour of up to `records` records whose readable stamps lie within
// days (none: no readable stamp).
AnswerSize timeListingSize(TimeUnit unit, std::int64_t records, const std::optional<DaySpan>& days);

// The most distinct addresses a count by address of the side's log can hold in the memory left
// besides the reading of its records: each with its tally's slots and copy, its row, the
// table's row and the text's line (countByAddress refuses more as it counts them).
std::uint64_t affordableAddresses(const Analyzer& a, Side side);

// An answer written as CSV or JSON (present/exports.h), from its rows, its columns and the bytes
// of its text cells, each byte as the most a text byte becomes in the format.
AnswerSize csvSize(const Answer& answer);
AnswerSize jsonSize(const Answer& answer);

} // namespace quorvel
