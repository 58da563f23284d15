// SPDX-License-Identifier: MIT
#include "state/logentry.h"

#include <utility>

namespace quorvel {

LogRecords::LogRecords(std::unique_ptr<char[]> text, std::uint64_t size, std::vector<logentry> entries)
    : text_(std::move(text)), size_(size), entries_(std::move(entries))
{
}

} // namespace quorvel
