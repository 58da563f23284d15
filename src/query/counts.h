// SPDX-License-Identifier: MIT
#pragma once

#include "model/logrecords.h"
#include "model/state.h"
#include "query/answer.h"
#include "query/selection.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace quorvel {

// The questions that count records. Over every record they are answered from the tallies the
// load made, at the cost of the number of distinct values; over a selection, by one walk over
// the selected records.

// The distinct values of an interned column among the selected records, in order of first
// occurrence, with the number of records holding each.
struct ValueCounts {
    std::vector<std::string_view> values;
    std::vector<std::int64_t> counts;
};
ValueCounts countValues(const LogRecords& records, Field field, const Selection& selection);

// The per-file tally (listfiles / listupfiles): every distinct non-empty file name, in order of
// first occurrence, with the number of records naming it.
std::vector<filecount> fileTally(const LogRecords& records, const Selection& selection);

// The distinct values of an interned column in order of first occurrence (a pick list).
std::vector<std::string_view> distinctValues(const LogRecords& records, Field field, const Selection& selection);

// The number of selected records whose column equals each name, byte for byte, in the order
// of names.
std::vector<std::int64_t> countEach(const LogRecords& records, Field field, std::span<const std::string_view> names,
                                    const Selection& selection);

// Sorts rows in ascending order of count(row), keeping rows of equal count in their order: the
// order a bubble sort that swaps only strictly greater counts leaves. Read from the end, the
// most counted row comes first and, among equal counts, the row that stood later.
template <class Row, class Count> void sortAscendingByCount(std::vector<Row>& rows, Count count)
{
    std::stable_sort(rows.begin(), rows.end(), [&](const Row& x, const Row& y) { return count(x) < count(y); });
}

// A "number one" answer: the name with the most records and its count.
struct Winner {
    std::string_view name;
    std::int64_t count = 0;
};

// The last of the names with the highest count (the one an ascending stable sort would put
// last); nothing when there are no names.
std::optional<Winner> lastMaximum(std::span<const std::string_view> names, std::span<const std::int64_t> counts);

// The names whose count is zero, in their order.
std::vector<std::string_view> uncounted(std::span<const std::string_view> names, std::span<const std::int64_t> counts);

// The answers of the counting questions, for the side's log read through the selection.

// "Sort By Date" / "Sort By Download Number": the files of a tally with their counts, in its
// order or read from its end (a tally sorted ascending lists the most transferred first).
Answer filesAnswer(Side side, const std::vector<filecount>& files, bool fromEnd, const Selection& selection);

// "Sort By Account": the accounts, sorted ascending by the side's count, listed from the end.
Answer accountsAnswer(Side side, const std::vector<accountinfo>& accounts, const Selection& selection);

// "User Number 1 Downloader" / "Account Number 1 Downloader": the winner's name (a user name
// or an account, as column says) and count; no row when there is none.
Answer numberOneAnswer(Side side, Column column, const std::optional<Winner>& winner, const Selection& selection);

// "Account that aren't downloading": the accounts without a record, in their order.
Answer idleAccountsAnswer(Side side, std::span<const std::string_view> idle, const Selection& selection);

// "Transfers By Account": each name's downloads and uploads as "downloads TAB uploads TAB
// account", those who take most without giving first (downloads less uploads, the greatest
// first), equals in the order of names; columns "downloads", "uploads", "account".
Answer takersAnswer(std::span<const std::string_view> names, std::span<const std::int64_t> downloads,
                    std::span<const std::int64_t> uploads, const Selection& downSelection,
                    const Selection& upSelection);

// A pick list of the side's user names or file names: the list box's entries.
Answer pickListAnswer(Side side, Field field, std::span<const std::string_view> values, const Selection& selection);

} // namespace quorvel
