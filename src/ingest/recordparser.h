// SPDX-License-Identifier: MIT
#pragma once

#include "state/logentry.h"

#include <cstdint>
#include <string_view>

namespace quorvel {

// The record parser (sortstr4 / sortstr5): cuts a line at its first four TABs into stamp,
// spare, account, username and filename; further TABs stay in filename. A line with fewer
// TABs fills the columns it has and leaves the others empty. offset is where the line starts
// in the log text. A line longer than 4 GiB keeps its first 4 GiB.
logentry sortstr4(std::string_view line, std::uint64_t offset);

} // namespace quorvel
