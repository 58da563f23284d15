// SPDX-License-Identifier: MIT
#pragma once

#include "model/logrecords.h"
#include "model/stamp.h"
#include "query/selection.h"

#include <array>
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
// most first; among equal counts the address first seen later comes first.
std::vector<std::pair<std::string_view, std::int64_t>> countByAddress(const LogRecords& records,
                                                                      const Selection& selection);

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

} // namespace quorvel
