// SPDX-License-Identifier: MIT
#pragma once

#include "state/hugepages.h"
#include "state/textarena.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace quorvel {

// Counts the distinct values of a field in order of first occurrence: an open-addressing hash
// table with no allocation per record. Equality is byte equality. The tally keeps its own copy
// of each distinct key, so the text it was given may go away. A slot also holds a copy of a
// short key (most names and file names), so that a lookup usually touches one cache line.
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
    // 32 bytes a slot, two to a cache line; keys up to 25 bytes (nearly every name and file
    // name) are compared without leaving the slot.
    static constexpr std::size_t inlineBytes = 25;
    struct alignas(32) Slot {
        std::uint32_t index = empty;
        std::uint16_t tag = 0;    // the hash's upper half
        std::uint8_t length = 0;  // the key's length; inlineBytes + 1 for any longer key
        char bytes[inlineBytes] = {};
    };
    static constexpr std::uint32_t empty = 0xFFFFFFFFu;

    bool holds(const Slot& slot, std::string_view key, std::uint32_t hash) const;
    std::size_t addHashed(std::string_view key, std::uint32_t hash);
    std::size_t probe(std::string_view key, std::uint32_t hash) const;
    void grow();

    std::vector<Slot, HugePageAllocator<Slot>> slots_;
    TextArena arena_;
    std::vector<std::string_view> keys_; // views into arena_
    std::vector<std::int64_t> counts_;
};

// A fast non-cryptographic hash of bytes.
std::uint32_t hashBytes(std::string_view bytes);

} // namespace quorvel
