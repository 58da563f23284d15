// SPDX-License-Identifier: MIT
#include "state/textarena.h"

#include "state/hugepages.h"

#include <cstring>

namespace quorvel {

std::string_view TextArena::keep(std::string_view bytes)
{
    if (bytes.empty())
        return {};
    if (bytes.size() > left_) {
        // A string longer than a block gets a block of its own; the current block stays open.
        const bool own = bytes.size() > blockBytes_ / 4;
        const std::size_t size = own ? bytes.size() : blockBytes_;
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(size));
        adviseHugePages(blocks_.back().get(), size);
        if (own) {
            std::memcpy(blocks_.back().get(), bytes.data(), bytes.size());
            return {blocks_.back().get(), bytes.size()};
        }
        free_ = blocks_.back().get();
        left_ = size;
    }
    std::memcpy(free_, bytes.data(), bytes.size());
    const std::string_view copy(free_, bytes.size());
    free_ += bytes.size();
    left_ -= bytes.size();
    return copy;
}

} // namespace quorvel
