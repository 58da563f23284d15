// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace quorvel {

// Where one parsed log line stands in the loaded text: the line's offset and length and the
// positions of its first four TABs relative to the line start. A TAB that the line lacks is
// recorded at the line's length, so the fields it would open are empty. 32 bytes a record
// keeps a log of millions of lines well under twice its own size in memory.
struct logentry {
    std::uint64_t offset = 0;
    std::uint32_t tab[4] = {0, 0, 0, 0};
    std::uint32_t length = 0;
};

// The five columns of a line, in order.
enum class Field { stamp, spare, account, username, filename };

// A loaded log: its text (downloadlogtext / uploadlogtext) and its records (downloads /
// uploads). Fields are views into the text; they stay valid as long as this object lives
// and is not reloaded.
class LogRecords {
public:
    LogRecords() = default;
    LogRecords(std::unique_ptr<char[]> text, std::uint64_t size, std::vector<logentry> entries);

    std::string_view text() const { return {text_.get(), size_}; }
    // downloadcount / uploadcount
    std::int64_t count() const { return static_cast<std::int64_t>(entries_.size()); }
    std::string_view field(std::int64_t index, Field field) const;
    std::string_view stamp(std::int64_t i) const { return field(i, Field::stamp); }
    std::string_view spare(std::int64_t i) const { return field(i, Field::spare); }
    std::string_view account(std::int64_t i) const { return field(i, Field::account); }
    std::string_view username(std::int64_t i) const { return field(i, Field::username); }
    std::string_view filename(std::int64_t i) const { return field(i, Field::filename); }

private:
    std::unique_ptr<char[]> text_;
    std::uint64_t size_ = 0;
    std::vector<logentry> entries_;
};

inline std::string_view LogRecords::field(std::int64_t index, Field which) const
{
    const logentry& e = entries_[static_cast<std::size_t>(index)];
    const auto f = static_cast<unsigned>(which);
    const std::uint32_t begin = f == 0 ? 0 : (e.tab[f - 1] < e.length ? e.tab[f - 1] + 1 : e.length);
    const std::uint32_t end = f == 4 ? e.length : e.tab[f];
    return {text_.get() + e.offset + begin, end - begin};
}

} // namespace quorvel
