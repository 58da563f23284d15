// SPDX-License-Identifier: MIT
#include "model/stamp.h"

#include <algorithm>

namespace quorvel {

namespace {

bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month)
{
    constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}

// Reads 1 to maxDigits decimal digits at text[at]; nothing when there is no digit there.
std::optional<int> digits(std::string_view text, std::size_t& at, std::size_t minDigits, std::size_t maxDigits)
{
    int value = 0;
    std::size_t count = 0;
    while (at < text.size() && count < maxDigits && text[at] >= '0' && text[at] <= '9') {
        value = value * 10 + (text[at] - '0');
        ++at;
        ++count;
    }
    if (count < minDigits)
        return std::nullopt;
    return value;
}

bool expect(std::string_view text, std::size_t& at, char c)
{
    if (at >= text.size() || text[at] != c)
        return false;
    ++at;
    return true;
}

// "AM" or "PM" in any letter case at text[at]: 0 for AM, 12 for PM, nothing otherwise.
std::optional<int> meridiem(std::string_view text, std::size_t at)
{
    if (text.size() - at != 2 || (text[at + 1] != 'm' && text[at + 1] != 'M'))
        return std::nullopt;
    if (text[at] == 'a' || text[at] == 'A')
        return 0;
    if (text[at] == 'p' || text[at] == 'P')
        return 12;
    return std::nullopt;
}

} // namespace

bool isRealDay(int year, int month, int day)
{
    return month >= 1 && month <= 12 && day >= 1 && day <= daysInMonth(year, month);
}

// Days from civil, after the well-known era-based conversion: exact for every Gregorian date.
DayNumber dayNumber(const CivilDate& date)
{
    const int y = date.year - (date.month <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yearOfEra = y - era * 400;
    const int dayOfYear = (153 * (date.month + (date.month > 2 ? -3 : 9)) + 2) / 5 + date.day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

CivilDate civilDate(DayNumber day)
{
    const int z = day + 719468;
    const int era = (z >= 0 ? z : z - 146096) / 146097;
    const int dayOfEra = z - era * 146097;
    const int yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int mp = (5 * dayOfYear + 2) / 153;
    const int d = dayOfYear - (153 * mp + 2) / 5 + 1;
    const int m = mp + (mp < 10 ? 3 : -9);
    return {yearOfEra + era * 400 + (m <= 2 ? 1 : 0), m, d};
}

std::optional<Stamp> readStamp(std::string_view text)
{
    std::size_t at = 0;
    const auto month = digits(text, at, 1, 2);
    if (!month || !expect(text, at, '/'))
        return std::nullopt;
    const auto day = digits(text, at, 1, 2);
    if (!day || !expect(text, at, '/'))
        return std::nullopt;
    const auto year = digits(text, at, 4, 4);
    if (!year || !expect(text, at, ' ') || !isRealDay(*year, *month, *day))
        return std::nullopt;
    const auto hour = digits(text, at, 1, 2);
    if (!hour || !expect(text, at, ':'))
        return std::nullopt;
    const auto minute = digits(text, at, 2, 2);
    if (!minute || *minute > 59)
        return std::nullopt;
    int second = 0;
    if (at < text.size() && text[at] == ':') {
        ++at;
        const auto s = digits(text, at, 2, 2);
        if (!s || *s > 59)
            return std::nullopt;
        second = *s;
    }
    int hours = *hour;
    if (at < text.size()) {
        const auto half = expect(text, at, ' ') ? meridiem(text, at) : std::nullopt;
        if (!half || hours < 1 || hours > 12)
            return std::nullopt;
        hours = hours % 12 + *half;
    } else if (hours > 23) {
        return std::nullopt;
    }
    return Stamp{dayNumber({*year, *month, *day}), (hours * 60 + *minute) * 60 + second};
}

void DaySpanNotes::noteDate(std::string_view stamp)
{
    const std::optional<Stamp> read = readStamp(stamp);
    if (!read)
        return;
    span_ = span_ ? DaySpan{std::min(span_->first, read->day), std::max(span_->last, read->day)}
                  : DaySpan{read->day, read->day};
    // A readable stamp begins with at least "1/1/2001 " and at most "12/31/2001 ".
    const std::size_t length = stamp.find(' ') + 1;
    recent_[older_] = {eightBytes(stamp.data()), eightBytes(stamp.data() + length - 8), length};
    older_ = 1 - older_;
}

} // namespace quorvel
