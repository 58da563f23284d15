// SPDX-License-Identifier: MIT
#include "core/textarena.h"

#include "core/hugepages.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <utility>

namespace quorvel {

void TextArena::Release::operator()(char* block) const
{
    releaseHuge(block, bytes);
}

char* TextArena::newBlock(std::size_t bytes)
{
    Block block(static_cast<char*>(allocateHuge(bytes)), Release{bytes});
    blocks_.push_back(std::move(block));
    allocated_ += bytes;
    return blocks_.back().get();
}

void TextArena::adopt(TextArena&& other)
{
    blocks_.insert(blocks_.end(), std::make_move_iterator(other.blocks_.begin()),
                   std::make_move_iterator(other.blocks_.end()));
    other.blocks_.clear();
    // What other left unfilled of its open block counts as filled here.
    allocated_ += other.allocated_;
    other.allocated_ = 0;
    other.free_ = nullptr;
    other.left_ = 0;
}

std::string_view TextArena::keepInNewBlock(std::string_view bytes)
{
    if (bytes.empty())
        return {};
    // A string longer than a quarter block gets a block of its own; the current one stays open.
    const std::size_t size = std::min(nextBlock_, largestBlock_);
    if (bytes.size() > size / 4)
        return {static_cast<char*>(std::memcpy(newBlock(bytes.size()), bytes.data(), bytes.size())), bytes.size()};
    free_ = newBlock(size);
    left_ = size;
    nextBlock_ = size * 2;
    return keep(bytes);
}

} // namespace quorvel
