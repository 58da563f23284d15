// SPDX-License-Identifier: MIT
#pragma once

#include "model/logrecords.h"
#include "model/side.h"
#include "present/reporttext.h"
#include "present/resulttable.h"
#include "query/activity.h"

#include <cstdint>
#include <optional>
#include <string>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvel {

// The answers as tables, with the rows of their texts in the same order. A table keeps its own
// copies of names; a search's table reads its hits from the records, so it is dropped when its
// log is reloaded.

using CountRows = std::vector<std::pair<std::string, std::int64_t>>;

// A count listing: a key column ("file", "account", "address") and "count".
ResultTable countListingTable(std::string_view name, std::string_view key, CountRows rows);

// One column of names ("account", "user", "file").
ResultTable nameTable(std::string_view name, std::string_view column, std::vector<std::string> names);

// A "number one" answer: one row of name and count, none without a winner.
ResultTable winnerTable(std::string_view name, std::string_view column, const std::optional<Winner>& winner);

// A search's hits: "time" (the first column as written) and the shown column ("file", "user").
ResultTable hitTable(std::string_view name, const LogRecords& records, std::vector<std::int64_t> hits,
                     std::string_view shownName, Field shown);

// Both logs' hits of an account: "side" ("download", then "upload"), "time", "file".
ResultTable bothSidesHitTable(std::string_view name, const LogRecords& downloads, std::vector<std::int64_t> downHits,
                              const LogRecords& uploads, std::vector<std::int64_t> upHits);

// A listing by day, month or hour: its key column and "count", the undated last as "undated".
ResultTable timeTable(std::string_view name, const TimeCounts& counts, TimeUnit unit);

// The last transfers: "account" and "last" (a day, "never" or "undated"), in the given order.
ResultTable lastTransferTable(std::string_view name, std::span<const std::string_view> names,
                              std::span<const LastTransfer> last, std::span<const std::size_t> order);

} // namespace quorvel
