// SPDX-License-Identifier: MIT
#pragma once

#include "core/hugepages.h"
#include "core/textarena.h"

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

    // Counts one occurrence of each of keyAt(0), keyAt(1), ..., keyAt(n - 1), in this order, and
    // calls onIndex(k, index) with the index of keyAt(k) in order of first occurrence. It
    // fetches the table slots of the keys a few steps ahead while it works on the current one,
    // so that their cache misses overlap.
    template <class KeyAt, class OnIndex> void addEach(std::size_t n, KeyAt&& keyAt, OnIndex&& onIndex);
    // Counts the keys of part after those counted so far, as if they had been added one by one
    // in part's order of first occurrence, each as often as part counted it. Returns, for each
    // index of part, the key's index here.
    std::vector<std::uint32_t> absorb(const KeyTally& part);
    // The index of key, or npos when it was never added.
    std::size_t find(std::string_view key) const;

    const std::vector<std::string_view>& keys() const { return keys_; }
    const std::vector<std::int64_t>& counts() const { return counts_; }
    std::size_t size() const { return keys_.size(); }
    // At least the bytes of the distinct keys together.
    std::size_t keyBytes() const { return arena_.filled(); }
    // The bytes the tally holds: its table, its lists and its copies of the keys.
    std::size_t footprint() const
    {
        return slots_.size() * sizeof(Slot) + keys_.size() * (sizeof(std::string_view) + sizeof(std::int64_t)) +
               arena_.allocated();
    }

    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

private:
    // 32 bytes a slot, two to a cache line; keys up to 25 bytes (nearly every name and file
    // name) are compared without leaving the slot.
    static constexpr std::size_t inlineBytes = 25;
    struct alignas(32) Slot {
        std::uint32_t index = empty;
        std::uint16_t tag = 0;   // the hash's upper half
        std::uint8_t length = 0; // the key's length; inlineBytes + 1 for any longer key
        char bytes[inlineBytes] = {};
    };
    static constexpr std::uint32_t empty = 0xFFFFFFFFu;

    bool holds(const Slot& slot, std::string_view key, std::uint32_t hash) const;
    std::size_t addHashed(std::string_view key, std::uint32_t hash, std::int64_t count = 1);
    void prefetch(std::uint32_t hash) const { __builtin_prefetch(&slots_[hash & (slots_.size() - 1)]); }
    std::size_t probe(std::string_view key, std::uint32_t hash) const;
    void grow();

    std::vector<Slot, HugePageAllocator<Slot>> slots_;
    TextArena arena_;
    std::vector<std::string_view> keys_; // views into arena_
    std::vector<std::int64_t> counts_;
};

// A fast non-cryptographic hash of bytes.
std::uint32_t hashBytes(std::string_view bytes);

template <class KeyAt, class OnIndex> void KeyTally::addEach(std::size_t n, KeyAt&& keyAt, OnIndex&& onIndex)
{
    constexpr std::size_t ahead = 8;
    std::uint32_t hashes[ahead];
    for (std::size_t i = 0; i < n && i < ahead; ++i) {
        hashes[i] = hashBytes(keyAt(i));
        prefetch(hashes[i]);
    }
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint32_t hash = hashes[i % ahead];
        if (i + ahead < n) {
            hashes[i % ahead] = hashBytes(keyAt(i + ahead));
            prefetch(hashes[i % ahead]);
        }
        onIndex(i, addHashed(keyAt(i), hash));
    }
}

} // namespace quorvel
