// SPDX-License-Identifier: MIT
#pragma once

#include "core/progress.h"
#include "model/logrecords.h"
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

} // namespace quorvel
