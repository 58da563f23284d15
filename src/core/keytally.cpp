// SPDX-License-Identifier: MIT
#include "core/keytally.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace quorvel {

namespace {

constexpr std::uint64_t mul = 0x9E3779B97F4A7C15ull;

std::size_t capacityFor(std::size_t keys)
{
    return std::bit_ceil(keys * 2 < 16 ? std::size_t{16} : keys * 2);
}

std::uint64_t load64(const char* p)
{
    std::uint64_t word;
    std::memcpy(&word, p, 8);
    return word;
}

std::uint64_t load32(const char* p)
{
    std::uint32_t word;
    std::memcpy(&word, p, 4);
    return word;
}

// The last bytes of a key (1 to 8 of them, all of it when the key is shorter than 8 bytes) as
// one word, with fixed-size loads only: a key of 8 bytes or more ends with its last 8 bytes,
// which may overlap bytes already hashed. The key's length is hashed separately.
std::uint64_t tailWord(const char* p, std::size_t n, bool longKey)
{
    if (longKey)
        return load64(p + n - 8);
    if (n >= 4)
        return load32(p) | load32(p + n - 4) << 32;
    const auto byte = [p](std::size_t i) { return std::uint64_t{static_cast<unsigned char>(p[i])}; };
    return byte(0) | byte(n / 2) << 8 | byte(n - 1) << 16;
}

// Whether the n bytes at a and b are equal, for n up to 32, with fixed-size loads that stay
// inside the n bytes (overlapping where n is not a power of two) instead of a library call.
bool equalShort(const char* a, const char* b, std::size_t n)
{
    if (n >= 16)
        return ((load64(a) ^ load64(b)) | (load64(a + 8) ^ load64(b + 8)) | (load64(a + n - 16) ^ load64(b + n - 16)) |
                (load64(a + n - 8) ^ load64(b + n - 8))) == 0;
    if (n >= 8)
        return ((load64(a) ^ load64(b)) | (load64(a + n - 8) ^ load64(b + n - 8))) == 0;
    if (n >= 4)
        return ((load32(a) ^ load32(b)) | (load32(a + n - 4) ^ load32(b + n - 4))) == 0;
    for (std::size_t i = 0; i < n; ++i)
        if (a[i] != b[i])
            return false;
    return true;
}

} // namespace

std::uint32_t hashBytes(std::string_view bytes)
{
    const char* p = bytes.data();
    std::size_t n = bytes.size();
    const bool longKey = n >= 8;
    std::uint64_t h = n * mul;
    while (n > 8) {
        h = std::rotl((h ^ load64(p)) * mul, 29);
        p += 8;
        n -= 8;
    }
    if (n > 0)
        h = (h ^ tailWord(p, n, longKey)) * mul;
    h ^= h >> 32;
    h *= 0xD6E8FEB86659FD93ull;
    return static_cast<std::uint32_t>(h >> 32);
}

KeyTally::KeyTally(std::size_t expectedKeys) : slots_(capacityFor(expectedKeys))
{
    keys_.reserve(expectedKeys);
    counts_.reserve(expectedKeys);
}

bool KeyTally::holds(const Slot& slot, std::string_view key, std::uint32_t hash) const
{
    if (slot.tag != static_cast<std::uint16_t>(hash >> 16))
        return false;
    if (slot.length <= inlineBytes)
        return slot.length == key.size() && equalShort(slot.bytes, key.data(), key.size());
    return keys_[slot.index] == key;
}

std::size_t KeyTally::probe(std::string_view key, std::uint32_t hash) const
{
    const std::size_t mask = slots_.size() - 1;
    std::size_t at = hash & mask;
    while (slots_[at].index != empty && !holds(slots_[at], key, hash))
        at = (at + 1) & mask;
    return at;
}

std::size_t KeyTally::addHashed(std::string_view key, std::uint32_t hash, std::int64_t count)
{
    const std::size_t at = probe(key, hash);
    Slot& slot = slots_[at];
    if (slot.index != empty) {
        counts_[slot.index] += count;
        return slot.index;
    }
    const std::size_t index = keys_.size();
    slot.index = static_cast<std::uint32_t>(index);
    slot.tag = static_cast<std::uint16_t>(hash >> 16);
    slot.length = static_cast<std::uint8_t>(std::min(key.size(), inlineBytes + 1));
    if (!key.empty() && key.size() <= inlineBytes)
        std::memcpy(slot.bytes, key.data(), key.size());
    keys_.push_back(arena_.keep(key));
    counts_.push_back(count);
    if (keys_.size() * 2 > slots_.size())
        grow();
    return index;
}

std::vector<std::uint32_t> KeyTally::absorb(const KeyTally& part)
{
    std::vector<std::uint32_t> indexes(part.size());
    for (std::size_t i = 0; i < part.size(); ++i)
        indexes[i] = static_cast<std::uint32_t>(addHashed(part.keys_[i], hashBytes(part.keys_[i]), part.counts_[i]));
    return indexes;
}

std::size_t KeyTally::find(std::string_view key) const
{
    const std::size_t at = probe(key, hashBytes(key));
    return slots_[at].index == empty ? npos : slots_[at].index;
}

void KeyTally::grow()
{
    std::vector<Slot, HugePageAllocator<Slot>> old(slots_.size() * 2);
    old.swap(slots_);
    const std::size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
        if (slot.index == empty)
            continue;
        // A short key is rehashed from its copy in the slot, without reaching into the arena.
        const std::string_view key =
            slot.length <= inlineBytes ? std::string_view(slot.bytes, slot.length) : keys_[slot.index];
        std::size_t at = hashBytes(key) & mask;
        while (slots_[at].index != empty)
            at = (at + 1) & mask;
        slots_[at] = slot;
    }
}

} // namespace quorvel
