// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace quorvel {

// Counts the distinct values of a field in order of first occurrence: an open-addressing hash
// table of views into the log text, with no allocation per record. Equality is byte equality.
class KeyTally {
public:
    explicit KeyTally(std::size_t expectedKeys = 0);

    // Counts one occurrence of key; returns its index in order of first occurrence.
    std::size_t add(std::string_view key);
    // The index of key, or npos when it was never added.
    std::size_t find(std::string_view key) const;

    const std::vector<std::string_view>& keys() const { return keys_; }
    const std::vector<std::int64_t>& counts() const { return counts_; }
    std::size_t size() const { return keys_.size(); }

    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

private:
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t index = empty;
    };
    static constexpr std::uint32_t empty = 0xFFFFFFFFu;

    std::size_t probe(std::string_view key, std::uint64_t hash) const;
    void grow();

    std::vector<Slot> slots_;
    std::vector<std::string_view> keys_;
    std::vector<std::int64_t> counts_;
};

// A fast non-cryptographic hash of bytes.
std::uint64_t hashBytes(std::string_view bytes);

} // namespace quorvel
