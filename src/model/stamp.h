// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
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

// The stamp a record's first column holds, when it is readable: exactly month (1 or 2 digits)
// "/" day (1 or 2 digits, a real day of that month) "/" year (4 digits, 0001-9999: the calendar
// has no year 0), one space, hour (1 or 2 digits) ":" minutes (2 digits) and optionally ":"
// seconds (2 digits), then optionally one space and AM or PM in any letter case. With AM/PM the
// hour is 1-12 (12 AM is hour 0, 12 PM hour 12), without it 0-23. Anything else is no stamp: the
// record is undated.
std::optional<Stamp> readStamp(std::string_view text);

// The stamps of a log's records, in record order; an undated record's day is undatedDay.
inline constexpr DayNumber undatedDay = std::numeric_limits<DayNumber>::min();
using RecordStamps = std::vector<Stamp>;

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
