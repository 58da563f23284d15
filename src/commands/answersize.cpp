// SPDX-License-Identifier: MIT
#include "commands/answersize.h"

#include "commands/program.h"
#include "core/keytally.h"
#include "core/textwriter.h"
#include "query/activity.h"

#include <algorithm>

namespace quorvel {

namespace {

// What every answer has whatever its rows: its heading, the period's line, the table's
// columns.
constexpr std::uint64_t fixedBytes = 512;
// A text of 1 MiB or more is given room up to whole 2 MiB pages (core/hugepages.h).
constexpr std::uint64_t largeText = std::uint64_t{1} << 20;
constexpr std::uint64_t hugePage = std::uint64_t{2} << 20;

// A vector or text that grows by doubling holds its old and its new room at once: up to three
// times its bytes. A std::string of its own is 32 bytes; past 15 bytes its text is in a heap
// block of up to 24 bytes more than the text.
constexpr std::uint64_t grown = 3;
constexpr std::uint64_t heapBlock = 24;

// A row of a count listing: the query's copy of the tally (a view and a count, 24), its rows
// in order (24) and the order's buffer (24), under a period its counts and first sightings
// (8, and 4 grown), for the accounts a copy of each (48); the table's row of a name and a
// count (40, grown, and the name's block). The text is measured before it is written.
constexpr std::uint64_t countRowBytes = 24 + 24 + 24 + 8 + grown * 4 + 48 + grown * 40 + heapBlock;
// A value of a "number one" answer: the query's copy of the tally (24) and under a period its
// counts and first sightings (8, and 4 grown).
constexpr std::uint64_t countedValueBytes = 24 + 8 + grown * 4;
// An entry of a pick list: the query's copy of the tally and a period's counts (44), the list's
// entry and the table's row (a string each, and its block).
constexpr std::uint64_t pickRowBytes = 44 + 2 * (32 + heapBlock);
// An account's last transfer: its name (16, grown), transfer (12) and place in the order (8,
// and 4 for the order's buffer); the table's row of two strings (grown, and the name's block).
constexpr std::uint64_t lastRowBytes = grown * 16 + 12 + 8 + 4 + grown * 64 + heapBlock;
// A line of the last transfers besides the name: a day (at most 10 bytes), a TAB and CR LF.
constexpr std::uint64_t lastLineBytes = 13;
// A record number of a search's hit, kept for its table.
constexpr std::uint64_t hitBytes = 8;
// A key of the counts by time: the counted key (16, grown) and the table's row (40, grown);
// the text's line besides the count: a TAB, the key (at most 10 bytes) and CR LF.
constexpr std::uint64_t timeRowBytes = grown * 16 + grown * 40;
constexpr std::uint64_t timeLineBytes = 13;
// An address: the tally's slots (32 bytes, two to four per key, and half as many again while
// they grow), its key and count (24, grown), the record it was first seen in (8, grown), the
// row (24, grown) and the order's buffer (12), the table's row (40 and the address's block),
// the text's TAB and CR LF.
constexpr std::uint64_t addressRowBytes = 6 * 32 + grown * 24 + grown * 8 + grown * 24 + 12 + 40 + heapBlock + 3;
// What a byte of a text cell becomes at the most: CSV writes Windows-1252 bytes as UTF-8 (up to
// 3 bytes) and doubles quotes; JSON writes a control byte as \u00XX.
constexpr std::uint64_t csvByteBytes = 3;
constexpr std::uint64_t jsonByteBytes = 6;
// A text cell's quotes and separator, with room for a short cell its answer's text does not
// hold (the side of "account-both"); a count cell's digits and separator.
constexpr std::uint64_t textCellBytes = 10;
constexpr std::uint64_t countCellBytes = decimalRoom + 1;

std::uint64_t digits(std::int64_t records)
{
    return decimalLength(std::max<std::int64_t>(records, 0));
}

// The bytes a column holds over all records: each distinct key as often as it occurs.
std::uint64_t columnBytes(const LogRecords& records, Field field)
{
    if (!records.keeps(field))
        return 0;
    const KeyTally& tally = records.tally(field);
    std::uint64_t bytes = 0;
    for (std::size_t k = 0; k < tally.size(); ++k)
        bytes += tally.keys()[k].size() * static_cast<std::uint64_t>(tally.counts()[k]);
    return bytes;
}

std::uint64_t averageOver(std::uint64_t bytes, std::int64_t records)
{
    const auto n = static_cast<std::uint64_t>(records);
    return (bytes + n - 1) / n;
}

// An answer that allocates `other` bytes besides its text of `text` bytes, which it holds
// `copies` times at its peak (three when the text is made by appending to it).
AnswerSize withText(std::uint64_t other, std::uint64_t text, std::uint64_t copies = 1)
{
    const std::uint64_t rounding = text >= largeText ? hugePage : 0;
    return {fixedBytes + other + copies * text + rounding, text};
}

} // namespace

Outcome affordAnswer(Analyzer& a, const AnswerSize& size)
{
    // A period's line goes in front of the text, which is then copied once (commands/period.h).
    const std::uint64_t lead = a.state.period.isAllTime() ? 0 : size.text;
    // The trail's answers give way to a new one, the oldest first.
    while (size.bytes + lead > a.memoryLeft()) {
        if (a.trail.empty())
            return refuse(a, notEnoughMemoryMessage);
        a.trail.erase(a.trail.begin());
    }
    return Outcome::done();
}

AnswerSize selectionSize(const Analyzer& a, Side side, bool readsStamps)
{
    const LogState& log = a.state.log(side);
    const auto records = static_cast<std::uint64_t>(log.records.count());
    const bool walked = !a.state.period.isAllTime() && log.loadedPeriod != a.state.period;
    const std::uint64_t stamps = (readsStamps || walked) && !log.stamps ? records * sizeof(Stamp) : 0;
    const std::uint64_t selected = walked ? grown * records * sizeof(std::uint32_t) : 0;
    return {stamps + selected, 0};
}

AnswerSize countListingSize(std::uint64_t rows, std::uint64_t nameBytes, std::int64_t records)
{
    // The text's line: the count, a TAB, the name, CR LF. The query's copies (of the accounts)
    // and the table hold the names too.
    return withText(rows * countRowBytes + 2 * nameBytes, rows * (digits(records) + 3) + nameBytes);
}

AnswerSize numberOneSize(std::uint64_t values)
{
    return withText(values * countedValueBytes, 0);
}

AnswerSize pickListSize(std::uint64_t rows, std::uint64_t nameBytes)
{
    return withText(rows * pickRowBytes + 2 * nameBytes, 0);
}

AnswerSize lastTransferSize(std::uint64_t accounts, std::uint64_t nameBytes, std::uint64_t logAccounts)
{
    // The text is made by appending to it; the table holds the names too.
    return withText(accounts * lastRowBytes + logAccounts * sizeof(LastTransfer) + nameBytes,
                    accounts * lastLineBytes + nameBytes, grown);
}

AnswerSize hitListSize(const LogRecords& records, Field match, std::string_view key, Field shown)
{
    const std::size_t at = records.tally(match).find(key);
    if (at == KeyTally::npos || records.count() == 0)
        return withText(0, key.size());
    const auto hits = static_cast<std::uint64_t>(records.tally(match).counts()[at]);
    // "<stamp>: <shown>" CR LF; the stamps' bytes hold the addresses too.
    const std::uint64_t line = averageOver(records.stampAndSpareBytes(), records.count()) +
                               averageOver(columnBytes(records, shown), records.count()) + 4;
    return withText(hits * hitBytes, key.size() + hits * line);
}

AnswerSize transferListSize(const LogRecords& records, std::uint64_t hits)
{
    if (records.count() == 0)
        return withText(0, 0);
    const std::uint64_t line = averageOver(records.stampAndSpareBytes(), records.count()) +
                               averageOver(columnBytes(records, Field::username), records.count()) +
                               averageOver(columnBytes(records, Field::filename), records.count()) + 6;
    return withText(hits * hitBytes, hits * line);
}

std::uint64_t affordableTransfers(const Analyzer& a, Side side, bool readsStamps)
{
    const LogRecords& records = a.state.log(side).records;
    const std::uint64_t taken = selectionSize(a, side, readsStamps).bytes + transferListSize(records, 0).bytes;
    const std::uint64_t each = (transferListSize(records, 1).bytes - transferListSize(records, 0).bytes) + grown * hitBytes;
    const std::uint64_t left = a.memoryLeft();
    return left > taken ? (left - taken) / each : 0;
}

AnswerSize timeListingSize(TimeUnit unit, std::int64_t records, const std::optional<DaySpan>& days)
{
    const auto monthOf = [](DayNumber day) {
        const CivilDate date = civilDate(day);
        return std::uint64_t(date.year) * 12 + std::uint64_t(date.month);
    };
    const std::uint64_t keys = !days                     ? 0
                               : unit == TimeUnit::Day   ? std::uint64_t(days->last - days->first) + 1
                               : unit == TimeUnit::Month ? monthOf(days->last) - monthOf(days->first) + 1
                                                         : 24;
    // A count for every key from the least to the greatest, then a row for every key counted
    // and one for the undated records.
    const std::uint64_t rows = std::min(static_cast<std::uint64_t>(records), keys) + 1;
    // The text is made by appending to it.
    return withText(keys * sizeof(std::int64_t) + rows * timeRowBytes, rows * (digits(records) + timeLineBytes), grown);
}

std::uint64_t affordableAddresses(const Analyzer& a, Side side)
{
    const LogRecords& records = a.state.log(side).records;
    const std::uint64_t left = a.memoryLeft();
    const std::uint64_t taken = fixedBytes + selectionSize(a, side, false).bytes;
    // The tally's copy, the table and the text each hold the address; the stamps' bytes hold the
    // addresses too, so their average is at least an address's.
    const std::uint64_t each = addressRowBytes + digits(records.count()) +
                               3 * averageOver(records.stampAndSpareBytes(), std::max<std::int64_t>(records.count(), 1));
    return left > taken ? (left - taken) / each : 0;
}

namespace {

// The bytes of an answer's text cells together: each is read once, which costs far less than
// writing it.
std::uint64_t textBytes(const Answer& answer)
{
    std::uint64_t bytes = 0;
    for (std::size_t column = 0; column < answer.columns.size(); ++column)
        if (answer.columns[column].kind != ColumnKind::Count)
            for (std::size_t row = 0; row < answer.rows; ++row)
                bytes += answer.cell(row, column).text.size();
    return bytes;
}

} // namespace

AnswerSize csvSize(const Answer& answer)
{
    std::uint64_t header = 2, row = 2;
    for (const Column& column : answer.columns) {
        header += column.name.size() + textCellBytes;
        row += column.kind == ColumnKind::Count ? countCellBytes : textCellBytes;
    }
    // The text is made by appending to it.
    return {fixedBytes + grown * (header + answer.rows * row + csvByteBytes * textBytes(answer)), 0};
}

AnswerSize jsonSize(const Answer& answer)
{
    std::uint64_t row = 4;
    for (const Column& column : answer.columns)
        row += jsonByteBytes * column.name.size() + 4 +
               (column.kind == ColumnKind::Count ? countCellBytes : textCellBytes);
    return {fixedBytes + grown * (4 + answer.rows * row + jsonByteBytes * textBytes(answer)), 0};
}

} // namespace quorvel
