// SPDX-License-Identifier: MIT
#pragma once

#include "core/hugepages.h"
#include "core/keytally.h"
#include "core/textarena.h"
#include "model/field.h"

#include <array>
#include <concepts>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace quorvel {

// Where one line of a text stands and how it is cut into columns, as the line cutter gives it:
// field(text, f) is the column f of the line; stampAndSpare(text) is the stamp and, when the
// line has a TAB, the TAB and the spare after it, in one piece; stampLength() is the stamp's
// length.
template <class Cut>
concept LineCutOf = requires(const Cut& cut, std::string_view text, Field f)
{
    {
        cut.field(text, f)
        } -> std::same_as<std::string_view>;
    {
        cut.stampAndSpare(text)
        } -> std::same_as<std::string_view>;
    {
        cut.stampLength()
        } -> std::same_as<std::uint32_t>;
};

// A loaded log (downloads / uploads), kept by column. The account, username and filename
// columns are interned while the log loads: each holds the tally of its distinct values, in
// order of first occurrence and with their counts, and the index of every record's value in
// it, so reports count nothing again and searches compare numbers. The stamp and spare
// columns are kept as text. A load may keep only some columns (quorvel-report keeps those its
// verb reads); the others stay empty and must not be asked for.
class LogRecords {
public:
    LogRecords() : LogRecords(FieldSet::all()) {}
    explicit LogRecords(FieldSet kept);

    // Room for about n records, so that a large load does not grow its arrays step by step.
    void reserve(std::int64_t n);
    // Appends the records of the lines cut in text, in order; the bytes are copied, the text
    // may go away afterwards.
    template <LineCutOf Cut> void append(std::string_view text, std::span<const Cut> lines);

    // Appends part's records after these, as if their lines had followed these in one log:
    // first occurrences, counts and every record's values come out the same. part keeps the
    // same columns and is left empty.
    void absorb(LogRecords&& part);

    // downloadcount / uploadcount
    std::int64_t count() const { return count_; }
    bool keeps(Field f) const { return kept_.has(f); }
    std::string_view field(std::int64_t index, Field field) const;
    std::string_view stamp(std::int64_t i) const { return field(i, Field::stamp); }
    std::string_view spare(std::int64_t i) const { return field(i, Field::spare); }
    std::string_view account(std::int64_t i) const { return field(i, Field::account); }
    std::string_view username(std::int64_t i) const { return field(i, Field::username); }
    std::string_view filename(std::int64_t i) const { return field(i, Field::filename); }

    // At least the bytes of the kept stamps and spares together.
    std::uint64_t stampAndSpareBytes() const { return prefixText_.filled(); }

    // The distinct values of an interned column (account, username, filename) with their
    // counts over every record, in order of first occurrence.
    const KeyTally& tally(Field f) const { return columns_[column(f)].tally; }
    // For each record, the index of its value in tally(f).
    std::span<const std::uint32_t> ids(Field f) const { return columns_[column(f)].ids; }

    // The memory the records hold, in two parts: what grows with every record (each column's
    // index, the stamps and spares, as much as they fill of the room made for them) and what
    // grows with the distinct values (the tallies).
    struct Footprint {
        std::uint64_t perRecord = 0;
        std::uint64_t distinct = 0;
    };
    Footprint footprint() const;

private:
    // Where a record's stamp and spare are kept: "stamp", or "stamp TAB spare" when the line
    // has a TAB.
    struct Prefix {
        const char* at = nullptr;
        std::uint32_t length = 0;
        std::uint32_t stamp = 0;
    };
    struct Column {
        KeyTally tally;
        std::vector<std::uint32_t, HugePageAllocator<std::uint32_t>> ids;
    };
    static constexpr std::array interned{Field::account, Field::username, Field::filename};
    template <Field f, LineCutOf Cut> void appendColumn(std::string_view text, std::span<const Cut> lines);
    static std::size_t column(Field f)
    {
        return static_cast<std::size_t>(f) - static_cast<std::size_t>(Field::account);
    }

    FieldSet kept_;
    std::int64_t count_ = 0;
    TextArena prefixText_{2u << 20};
    std::vector<Prefix, HugePageAllocator<Prefix>> prefixes_;
    std::array<Column, 3> columns_;
};

template <LineCutOf Cut> void LogRecords::append(std::string_view text, std::span<const Cut> lines)
{
    count_ += static_cast<std::int64_t>(lines.size());
    if (kept_.has(Field::stamp)) {
        for (const Cut& line : lines) {
            const std::string_view kept = prefixText_.keep(line.stampAndSpare(text));
            prefixes_.push_back({kept.data(), static_cast<std::uint32_t>(kept.size()), line.stampLength()});
        }
    }
    appendColumn<Field::account>(text, lines);
    appendColumn<Field::username>(text, lines);
    appendColumn<Field::filename>(text, lines);
}

// One instance per column, so that cutting the column out of each line is made for it.
template <Field f, LineCutOf Cut> void LogRecords::appendColumn(std::string_view text, std::span<const Cut> lines)
{
    if (!kept_.has(f))
        return;
    Column& c = columns_[column(f)];
    c.tally.addEach(
        lines.size(), [&](std::size_t k) { return lines[k].field(text, f); },
        [&](std::size_t, std::size_t index) { c.ids.push_back(static_cast<std::uint32_t>(index)); });
}

} // namespace quorvel
