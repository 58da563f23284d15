// SPDX-License-Identifier: MIT
#include "state/keytally.h"

#include <bit>
#include <cstring>

namespace quorvel {

namespace {

constexpr std::uint64_t mul = 0x9E3779B97F4A7C15ull;

std::uint64_t mix(std::uint64_t x)
{
    x ^= x >> 32;
    x *= 0xD6E8FEB86659FD93ull;
    x ^= x >> 32;
    return x;
}

std::size_t capacityFor(std::size_t keys)
{
    return std::bit_ceil(keys * 2 < 16 ? std::size_t{16} : keys * 2);
}

} // namespace

std::uint64_t hashBytes(std::string_view bytes)
{
    const char* p = bytes.data();
    std::size_t n = bytes.size();
    std::uint64_t h = n * mul;
    while (n >= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        h = (h ^ word) * mul;
        h ^= h >> 29;
        p += 8;
        n -= 8;
    }
    if (n > 0) {
        std::uint64_t word = 0;
        std::memcpy(&word, p, n);
        h = (h ^ word) * mul;
    }
    return mix(h);
}

KeyTally::KeyTally(std::size_t expectedKeys) : slots_(capacityFor(expectedKeys))
{
    keys_.reserve(expectedKeys);
    counts_.reserve(expectedKeys);
}

std::size_t KeyTally::probe(std::string_view key, std::uint64_t hash) const
{
    const std::size_t mask = slots_.size() - 1;
    const auto tag = static_cast<std::uint32_t>(hash);
    std::size_t at = static_cast<std::size_t>(hash >> 32) & mask;
    while (slots_[at].index != empty && (slots_[at].hash != tag || keys_[slots_[at].index] != key))
        at = (at + 1) & mask;
    return at;
}

std::size_t KeyTally::add(std::string_view key)
{
    const std::uint64_t hash = hashBytes(key);
    const std::size_t at = probe(key, hash);
    if (slots_[at].index != empty) {
        ++counts_[slots_[at].index];
        return slots_[at].index;
    }
    const std::size_t index = keys_.size();
    slots_[at] = Slot{static_cast<std::uint32_t>(hash), static_cast<std::uint32_t>(index)};
    keys_.push_back(key);
    counts_.push_back(1);
    if (keys_.size() * 2 > slots_.size())
        grow();
    return index;
}

std::size_t KeyTally::find(std::string_view key) const
{
    const std::size_t at = probe(key, hashBytes(key));
    return slots_[at].index == empty ? npos : slots_[at].index;
}

void KeyTally::grow()
{
    std::vector<Slot> old(slots_.size() * 2);
    old.swap(slots_);
    const std::size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
        if (slot.index == empty)
            continue;
        std::size_t at = static_cast<std::size_t>(hashBytes(keys_[slot.index]) >> 32) & mask;
        while (slots_[at].index != empty)
            at = (at + 1) & mask;
        slots_[at] = slot;
    }
}

} // namespace quorvel
