// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// A day of the proleptic Gregorian calendar, as the number of days since 1970-01-01. Logs have
// no time zone: their dates are the server's own.
using DayNumber = std::int32_t;

struct CivilDate {
    int year = 1970;
    int month = 1; // 1-12
    int day = 1;   // 1-31
};

// Whether year, month and day name a real day of the years 0001 to 9999 (leap years by the
// Gregorian rule; the calendar has no year 0).
bool isRealDay(int year, int month, int day);
DayNumber dayNumber(const CivilDate& date);
CivilDate civilDate(DayNumber day);

// A day as YYYY-MM-DD, a month key (year * 12 + month - 1) as YYYY-MM.
std::string dayText(DayNumber day);
std::string monthText(std::int32_t month);
// The day a text names as exactly YYYY-MM-DD; nothing when it names none.
std::optional<DayNumber> readDay(std::string_view text);

// The date and time of a record's first column.
struct Stamp {
    DayNumber day = 0;
    std::int32_t second = 0; // of the day, 0-86399

    auto operator<=>(const Stamp&) const = default;
};

// The stamp a record's first column holds, when it is readable, in one of two forms:
// - as a classic server writes it: exactly month (1 or 2 digits) "/" day (1 or 2 digits, a real
//   day of that month) "/" year (4 digits, 0001-9999: the calendar has no year 0), one space,
//   hour (1 or 2 digits) ":" minutes (2 digits) and optionally ":" seconds (2 digits), then
//   optionally one space and AM or PM in any letter case. With AM/PM the hour is 1-12 (12 AM is
//   hour 0, 12 PM hour 12), without it 0-23;
// - as a modern server writes it: exactly YYYY-MM-DD "T" HH:MM:SS (hour 00-23, minutes and
//   seconds 00-59), then "Z" or an offset "+HH:MM" or "-HH:MM" (00-23 and 00-59). The day and
//   the hour are the ones written, the server's clock as for the classic form: the offset is
//   not applied.
// Anything else is no stamp: the record is undated.
std::optional<Stamp> readStamp(std::string_view text);

// Reads stamps one after another as readStamp does, faster when a stamp begins with the same
// date as the readable one before it (a log's stamps come in order, many a day): that date,
// with the space or "T" after it, is not read again, only the time after it.
class StampReader {
public:
    std::optional<Stamp> read(std::string_view text);

private:
    char date_[16] = {}; // "12/31/2001 " or "2001-12-31T" at most
    std::size_t length_ = 0;
    DayNumber day_ = 0;
    bool modern_ = false;
};

// The stamps of a log's records, in record order; an undated record's day is undatedDay.
inline constexpr DayNumber undatedDay = std::numeric_limits<DayNumber>::min();
using RecordStamps = std::vector<Stamp>;

// The earliest and latest day of some readable stamps.
struct DaySpan {
    DayNumber first = 0;
    DayNumber last = 0;

    bool operator==(const DaySpan&) const = default;
};

// The span with day in it too.
inline DaySpan widened(const std::optional<DaySpan>& span, DayNumber day)
{
    return span ? DaySpan{std::min(span->first, day), std::max(span->last, day)} : DaySpan{day, day};
}

// Notes the earliest and latest day of the readable stamps it is shown, for a load that goes
// over every record once. A stamp's date comes first and ends at its first space, or at its
// "T" in the modern form, so a stamp that begins with the date of a readable one and that
// byte lies on a day already noted, whatever its time says. The dates of the last two readable stamps read are kept (a
// server writes a day as "1/5/2001" in one form and "01/05/2001" in another), so most stamps cost two comparisons of
// eight bytes; only a stamp with another date is read.
class DaySpanNotes {
public:
    void note(std::string_view stamp)
    {
        if (!recent_[0].begins(stamp) && !recent_[1].begins(stamp))
            noteDate(stamp);
    }
    // Nothing when no stamp was readable.
    const std::optional<DaySpan>& span() const { return span_; }

private:
    // The date of a readable stamp and the space or "T" after it ("1/31/2001 ", "2001-01-31T",
    // 9 to 11 bytes), kept as its first and its last eight bytes.
    struct DatePrefix {
        std::uint64_t head = 0;
        std::uint64_t tail = 0;
        std::size_t length = std::numeric_limits<std::size_t>::max(); // none yet: nothing begins so
        bool begins(std::string_view stamp) const
        {
            return stamp.size() >= length && eightBytes(stamp.data()) == head &&
                   eightBytes(stamp.data() + length - 8) == tail;
        }
    };
    static std::uint64_t eightBytes(const char* at)
    {
        std::uint64_t bytes;
        std::memcpy(&bytes, at, sizeof bytes);
        return bytes;
    }
    void noteDate(std::string_view stamp);

    std::optional<DaySpan> span_;
    std::array<DatePrefix, 2> recent_;
    std::size_t older_ = 0; // the one of recent_ the next date replaces
};

// A period of days, both ends included; either end may be open.
struct Period {
    std::optional<DayNumber> from;
    std::optional<DayNumber> to;

    bool isAllTime() const { return !from && !to; }
    bool contains(DayNumber day) const { return (!from || day >= *from) && (!to || day <= *to); }
    bool operator==(const Period&) const = default;
};

// "2001-01-01 to 2001-03-31", "from 2001-01-01", "until 2001-03-31" or "all time".
std::string periodText(const Period& period);

} // namespace quorvel
