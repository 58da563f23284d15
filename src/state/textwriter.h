// SPDX-License-Identifier: MIT
#pragma once

#include "state/hugepages.h"

#include <charconv>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quorvel {

// Copies n bytes with a few fixed-size moves when n is small (two overlapping moves cover any
// length from one size to twice it), without the call a variable-length copy costs: a report
// is tens of thousands of pieces of a few bytes.
inline void copyBytes(char* to, const char* from, std::size_t n)
{
    const auto pair = [&](auto word) {
        constexpr std::size_t w = sizeof(word);
        decltype(word) last;
        std::memcpy(&word, from, w);
        std::memcpy(&last, from + n - w, w);
        std::memcpy(to, &word, w);
        std::memcpy(to + n - w, &last, w);
    };
    struct Wide {
        std::uint64_t half[2];
    };
    if (n >= 16 && n <= 32)
        pair(Wide{});
    else if (n >= 8 && n < 16)
        pair(std::uint64_t{});
    else if (n >= 4 && n < 8)
        pair(std::uint32_t{});
    else if (n > 0 && n < 4) {
        to[0] = from[0];
        to[n / 2] = from[n / 2];
        to[n - 1] = from[n - 1];
    } else if (n > 32)
        std::memcpy(to, from, n);
}

// The number of characters of a number's decimal text.
inline std::size_t decimalLength(std::int64_t value)
{
    char digits[24];
    return static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, value).ptr - digits);
}

// Writes the pieces of a text whose length is known beforehand straight into its bytes, which
// is several times cheaper than appending them one by one. Writing more than was announced
// is a fault of the caller and throws before anything is written out of bounds.
class TextWriter {
public:
    // Makes text exactly `bytes` longer, in huge pages where the system allows; the writer
    // fills those bytes.
    TextWriter(std::string& text, std::size_t bytes)
    {
        const std::size_t start = text.size();
        reserveText(text, start + bytes);
        text.resize(start + bytes);
        at_ = text.data() + start;
        end_ = at_ + bytes;
    }

    TextWriter& put(std::string_view piece)
    {
        room(piece.size());
        copyBytes(at_, piece.data(), piece.size());
        at_ += piece.size();
        return *this;
    }

    TextWriter& put(std::int64_t value)
    {
        const std::to_chars_result r = std::to_chars(at_, end_, value);
        if (r.ec != std::errc())
            room(decimalLength(value));
        at_ = r.ptr;
        return *this;
    }

    // True once every announced byte is written.
    bool full() const { return at_ == end_; }

private:
    void room(std::size_t n) const
    {
        if (n > static_cast<std::size_t>(end_ - at_))
            throw std::length_error("TextWriter: more text than announced");
    }

    char* at_ = nullptr;
    char* end_ = nullptr;
};

} // namespace quorvel
