// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace quorvel {

// Keeps copies of byte strings in large blocks that never move, so that the views it hands
// out stay valid as long as the arena lives, however much is added later. Moving the arena
// keeps them valid too. One allocation per block instead of one per string.
class TextArena {
public:
    explicit TextArena(std::size_t blockBytes = 64u << 10) : blockBytes_(blockBytes) {}

    // A stable copy of bytes; the copy of an empty string is empty.
    std::string_view keep(std::string_view bytes);

private:
    std::size_t blockBytes_;
    std::vector<std::unique_ptr<char[]>> blocks_;
    char* free_ = nullptr;
    std::size_t left_ = 0;
};

} // namespace quorvel
