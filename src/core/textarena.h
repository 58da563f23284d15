// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

namespace quorvel {

// Keeps copies of byte strings in large blocks that never move, so that the views it hands
// out stay valid as long as the arena lives, however much is added later. Moving the arena
// keeps them valid too. One allocation per block instead of one per string. Blocks start at
// 16 KiB and double up to largestBlock, so that a small log costs little; blocks of 2 MiB or
// more start on a 2 MiB boundary, so that they can be backed by huge pages.
class TextArena {
public:
    explicit TextArena(std::size_t largestBlock = 64u << 10) : largestBlock_(largestBlock) {}

    // Skips the small first blocks when about `bytes` are expected.
    void expect(std::size_t bytes) { nextBlock_ = std::max(nextBlock_, std::min(bytes, largestBlock_)); }

    // The bytes of every block taken so far, and of those the bytes filled (the ends of full
    // blocks that could not take the next copy count as filled).
    std::size_t allocated() const { return allocated_; }
    std::size_t filled() const { return allocated_ - left_; }

    // A stable copy of bytes; the copy of an empty string is empty.
    std::string_view keep(std::string_view bytes)
    {
        if (bytes.empty() || bytes.size() > left_)
            return keepInNewBlock(bytes);
        std::memcpy(free_, bytes.data(), bytes.size());
        const std::string_view copy(free_, bytes.size());
        free_ += bytes.size();
        left_ -= bytes.size();
        return copy;
    }

    // Takes over other's blocks: the views other handed out stay valid as long as this arena
    // lives. New copies still go to this arena's own open block.
    void adopt(TextArena&& other);

private:
    struct Release {
        std::size_t bytes;
        void operator()(char* block) const;
    };
    using Block = std::unique_ptr<char, Release>;
    char* newBlock(std::size_t bytes);
    std::string_view keepInNewBlock(std::string_view bytes);

    std::size_t largestBlock_;
    std::size_t nextBlock_ = 16u << 10;
    std::vector<Block> blocks_;
    char* free_ = nullptr;
    std::size_t left_ = 0;
    std::size_t allocated_ = 0;
};

} // namespace quorvel
