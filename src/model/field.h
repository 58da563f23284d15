// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <initializer_list>

namespace quorvel {

// The five columns of a log line (a logentry), in order: stamp, spare, account, username,
// filename.
enum class Field { stamp, spare, account, username, filename };

// A set of columns: which of them a load keeps. The stamp and spare columns are kept together.
class FieldSet {
public:
    constexpr FieldSet() = default;
    constexpr FieldSet(std::initializer_list<Field> fields)
    {
        for (const Field f : fields)
            bits_ |= bit(f);
    }
    static constexpr FieldSet all()
    {
        return {Field::stamp, Field::spare, Field::account, Field::username, Field::filename};
    }
    constexpr bool has(Field f) const { return (bits_ & bit(f)) != 0; }

private:
    static constexpr std::uint8_t bit(Field f) { return static_cast<std::uint8_t>(1u << static_cast<unsigned>(f)); }
    std::uint8_t bits_ = 0;
};

} // namespace quorvel
