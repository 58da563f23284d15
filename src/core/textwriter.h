// SPDX-License-Identifier: MIT
#pragma once

#include "core/hugepages.h"

#include <charconv>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quorvel {

// The line end of every text the program writes.
inline constexpr std::string_view crlf = "\r\n";

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

// Room for the decimal text of any 64-bit number.
inline constexpr std::size_t decimalRoom = 20;

// The decimal text of a number: no separators, no leading zeros.
inline std::string decimal(std::int64_t value)
{
    char digits[decimalRoom];
    return {digits, std::to_chars(digits, digits + sizeof digits, value).ptr};
}

// The number of characters of a number's decimal text.
inline std::size_t decimalLength(std::int64_t value)
{
    char digits[decimalRoom];
    return static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, value).ptr - digits);
}

// Joins the pieces of a caption or a line.
template <class... Pieces> std::string concat(const Pieces&... pieces)
{
    std::string out;
    out.reserve((std::string_view(pieces).size() + ...));
    (out.append(std::string_view(pieces)), ...);
    return out;
}

// The first pass of appendText: counts the bytes the pieces will take.
class TextMeasure {
public:
    TextMeasure& put(std::string_view piece)
    {
        bytes_ += piece.size();
        return *this;
    }
    TextMeasure& put(std::int64_t value)
    {
        bytes_ += decimalLength(value);
        return *this;
    }
    std::size_t bytes() const { return bytes_; }

private:
    std::size_t bytes_ = 0;
};

// The second pass of appendText: writes the pieces straight into room made beforehand, which
// is several times cheaper than appending them one by one. A piece that does not fit throws
// before a byte lands outside the room.
class TextWriter {
public:
    TextWriter(char* at, std::size_t bytes) : at_(at), end_(at + bytes) {}

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
    bool full() const { return at_ == end_; }

private:
    void room(std::size_t n) const
    {
        if (n > static_cast<std::size_t>(end_ - at_))
            throw std::logic_error("TextWriter: more text than was measured");
    }

    char* at_;
    char* end_;
};

// Appends a text described once by pieces(out), a callable that puts the same pieces (texts
// and numbers) into whatever `out` it is given: it is called once to measure them, then once
// to write them into room made once, on huge pages when the text is large. A second pass that
// writes other bytes than the first measured is a fault of the caller: std::logic_error.
template <class Pieces> void appendText(std::string& text, Pieces&& pieces)
{
    TextMeasure measure;
    pieces(measure);
    const std::size_t start = text.size();
    reserveText(text, start + measure.bytes());
    text.resize(start + measure.bytes());
    TextWriter out(text.data() + start, measure.bytes());
    pieces(out);
    if (!out.full())
        throw std::logic_error("TextWriter: less text than was measured");
}

} // namespace quorvel
