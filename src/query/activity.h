// SPDX-License-Identifier: MIT
#pragma once

#include "model/logrecords.h"
#include "model/stamp.h"
#include "query/answer.h"
#include "query/selection.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvel {

// When and from where: the selected records counted by their stamps and addresses.

// Records by a key of their stamp, oldest key first, and the selected records whose stamp is
// not readable.
struct TimeCounts {
    std::vector<std::pair<std::int32_t, std::int64_t>> keys; // key, count
    std::int64_t undated = 0;
};

// By day (the key is the DayNumber), by month (year * 12 + month - 1), by hour of the day (all
// 24 hours, zero counts included).
TimeCounts countByDay(const RecordStamps& stamps, const LogRecords& records, const Selection& selection);
TimeCounts countByMonth(const RecordStamps& stamps, const LogRecords& records, const Selection& selection);
TimeCounts countByHour(const RecordStamps& stamps, const LogRecords& records, const Selection& selection);

// Every distinct non-empty address (the second column) with its number of selected records,
// most first; among equal counts the address first seen later comes first. Throws
// std::bad_alloc as soon as it meets more than mostAddresses distinct addresses, which the
// memory left could not hold: how many there are is known only by counting them.
std::vector<std::pair<std::string_view, std::int64_t>> countByAddress(const LogRecords& records,
                                                                      const Selection& selection,
                                                                      std::size_t mostAddresses = SIZE_MAX);

// An account's last transfer: none at all, none with a readable stamp, or the latest stamp.
struct LastTransfer {
    enum class Kind { Never, Undated, Dated };
    Kind kind = Kind::Never;
    Stamp latest;
};

// The last transfer of each name among the selected records (a record is a name's when its
// account column equals it, byte for byte), in the order of names.
std::vector<LastTransfer> lastTransfers(const RecordStamps& stamps, const LogRecords& records,
                                        const Selection& selection, std::span<const std::string_view> names);

// The order in which the last transfers are listed: the names without any transfer, then those
// with only undated ones, then the rest by the day of their latest stamp, oldest first; ties
// in the order of names. Gives indexes into names.
std::vector<std::size_t> lastTransferOrder(std::span<const LastTransfer> last);

// The answers of the questions of time and address, for the side's log read through the
// selection.

// "Downloads By Day" / "By Month" / "By Hour": "count TAB key" per key, oldest first (YYYY-MM-DD,
// YYYY-MM, or the hour's two digits), then "N TAB undated" when undated records were counted.
enum class TimeUnit { Day, Month, Hour };
Answer timeAnswer(Side side, TimeUnit unit, const TimeCounts& counts, const Selection& selection);

// "Downloads By Address": "count TAB address" per row, in the given order.
Answer addressAnswer(Side side, std::vector<std::pair<std::string_view, std::int64_t>> rows,
                     const Selection& selection);

// "Last Download By Account": "key TAB account" in the given order, the key being "never",
// "undated" or the day of the latest stamp.
Answer lastTransferAnswer(Side side, std::span<const std::string_view> names, std::span<const LastTransfer> last,
                          std::span<const std::size_t> order, const Selection& selection);

} // namespace quorvel
