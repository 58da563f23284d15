// SPDX-License-Identifier: MIT
#include "model/stamp.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>

namespace quorvel {

namespace {

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
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 && day <= 31 &&
           std::chrono::year_month_day{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                                       std::chrono::day{static_cast<unsigned>(day)}}
               .ok();
}

DayNumber dayNumber(const CivilDate& date)
{
    const std::chrono::sys_days day{std::chrono::year{date.year} / static_cast<unsigned>(date.month) /
                                    static_cast<unsigned>(date.day)};
    return static_cast<DayNumber>(day.time_since_epoch().count());
}

CivilDate civilDate(DayNumber day)
{
    const std::chrono::year_month_day date{std::chrono::sys_days{std::chrono::days{day}}};
    return {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day()))};
}

std::string dayText(DayNumber day)
{
    const CivilDate date = civilDate(day);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

std::string monthText(std::int32_t month)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d", month / 12, month % 12 + 1);
    return text;
}

std::optional<DayNumber> readDay(std::string_view text)
{
    std::size_t at = 0;
    const auto year = digits(text, at, 4, 4);
    if (!year || !expect(text, at, '-'))
        return std::nullopt;
    const auto month = digits(text, at, 2, 2);
    if (!month || !expect(text, at, '-'))
        return std::nullopt;
    const auto day = digits(text, at, 2, 2);
    if (!day || at != text.size() || !isRealDay(*year, *month, *day))
        return std::nullopt;
    return dayNumber({*year, *month, *day});
}

std::string periodText(const Period& period)
{
    if (period.from && period.to)
        return dayText(*period.from) + " to " + dayText(*period.to);
    if (period.from)
        return "from " + dayText(*period.from);
    if (period.to)
        return "until " + dayText(*period.to);
    return "all time";
}

namespace {

// The date a stamp begins with, up to and with the space or "T" that ends it; whether the stamp
// is of the modern form; nothing when the stamp begins with no readable date.
struct StampDate {
    DayNumber day = 0;
    std::size_t length = 0;
    bool modern = false;
};

std::optional<StampDate> readStampDate(std::string_view text)
{
    std::size_t at = 0;
    // Both forms begin with digits; only the modern one has a "-" within its first five bytes.
    if (text.size() > 4 && text[4] == '-') {
        // YYYY-MM-DD "T"
        const auto year = digits(text, at, 4, 4);
        if (!year || !expect(text, at, '-'))
            return std::nullopt;
        const auto month = digits(text, at, 2, 2);
        if (!month || !expect(text, at, '-'))
            return std::nullopt;
        const auto day = digits(text, at, 2, 2);
        if (!day || !expect(text, at, 'T') || !isRealDay(*year, *month, *day))
            return std::nullopt;
        return StampDate{dayNumber({*year, *month, *day}), at, true};
    }
    // M/D/YYYY and one space
    const auto month = digits(text, at, 1, 2);
    if (!month || !expect(text, at, '/'))
        return std::nullopt;
    const auto day = digits(text, at, 1, 2);
    if (!day || !expect(text, at, '/'))
        return std::nullopt;
    const auto year = digits(text, at, 4, 4);
    if (!year || !expect(text, at, ' ') || !isRealDay(*year, *month, *day))
        return std::nullopt;
    return StampDate{dayNumber({*year, *month, *day}), at, false};
}

// The modern form's time: HH:MM:SS, then Z or +HH:MM / -HH:MM; the second of the day.
std::optional<std::int32_t> readModernTime(std::string_view text, std::size_t at)
{
    const auto hour = digits(text, at, 2, 2);
    if (!hour || *hour > 23 || !expect(text, at, ':'))
        return std::nullopt;
    const auto minute = digits(text, at, 2, 2);
    if (!minute || *minute > 59 || !expect(text, at, ':'))
        return std::nullopt;
    const auto second = digits(text, at, 2, 2);
    if (!second || *second > 59)
        return std::nullopt;
    if (!expect(text, at, 'Z')) {
        if (!expect(text, at, '+') && !expect(text, at, '-'))
            return std::nullopt;
        const auto offsetHours = digits(text, at, 2, 2);
        if (!offsetHours || *offsetHours > 23 || !expect(text, at, ':'))
            return std::nullopt;
        const auto offsetMinutes = digits(text, at, 2, 2);
        if (!offsetMinutes || *offsetMinutes > 59)
            return std::nullopt;
    }
    if (at != text.size())
        return std::nullopt;
    return (*hour * 60 + *minute) * 60 + *second;
}

// The classic form's time: H:MM, optionally :SS, optionally a space and AM or PM. Read byte by
// byte: every stamp of a log is read, and this is most of it once its date is known.
std::optional<std::int32_t> readClassicTime(std::string_view text, std::size_t at)
{
    const auto digitAt = [&](std::size_t i) { return i < text.size() && text[i] >= '0' && text[i] <= '9'; };
    const auto twoDigits = [&](std::size_t i) { return (text[i] - '0') * 10 + (text[i + 1] - '0'); };
    if (!digitAt(at))
        return std::nullopt;
    int hours = text[at++] - '0';
    if (digitAt(at))
        hours = hours * 10 + (text[at++] - '0');
    if (at >= text.size() || text[at] != ':' || !digitAt(at + 1) || !digitAt(at + 2) || twoDigits(at + 1) > 59)
        return std::nullopt;
    const int minute = twoDigits(at + 1);
    at += 3;
    int second = 0;
    if (at < text.size() && text[at] == ':') {
        if (!digitAt(at + 1) || !digitAt(at + 2) || twoDigits(at + 1) > 59)
            return std::nullopt;
        second = twoDigits(at + 1);
        at += 3;
    }
    if (at < text.size()) {
        const auto half = text[at] == ' ' ? meridiem(text, at + 1) : std::nullopt;
        if (!half || hours < 1 || hours > 12)
            return std::nullopt;
        hours = hours % 12 + *half;
    } else if (hours > 23) {
        return std::nullopt;
    }
    return (hours * 60 + minute) * 60 + second;
}

std::optional<std::int32_t> readTime(std::string_view text, std::size_t at, bool modern)
{
    return modern ? readModernTime(text, at) : readClassicTime(text, at);
}

} // namespace

std::optional<Stamp> readStamp(std::string_view text)
{
    const std::optional<StampDate> date = readStampDate(text);
    if (!date)
        return std::nullopt;
    const std::optional<std::int32_t> second = readTime(text, date->length, date->modern);
    if (!second)
        return std::nullopt;
    return Stamp{date->day, *second};
}

std::optional<Stamp> StampReader::read(std::string_view text)
{
    if (length_ == 0 || text.size() <= length_ || text.compare(0, length_, std::string_view(date_, length_)) != 0) {
        const std::optional<StampDate> date = readStampDate(text);
        if (!date)
            return std::nullopt;
        std::memcpy(date_, text.data(), date->length);
        length_ = date->length;
        day_ = date->day;
        modern_ = date->modern;
    }
    const std::optional<std::int32_t> second = readTime(text, length_, modern_);
    if (!second)
        return std::nullopt;
    return Stamp{day_, *second};
}

void DaySpanNotes::noteDate(std::string_view stamp)
{
    const std::optional<Stamp> read = readStamp(stamp);
    if (!read)
        return;
    span_ = widened(span_, read->day);
    // A readable stamp begins with at least "1/1/2001 " and at most "12/31/2001 " or
    // "2001-12-31T"; no classic date holds a "T".
    const std::size_t length = stamp.find_first_of(" T") + 1;
    recent_[older_] = {eightBytes(stamp.data()), eightBytes(stamp.data() + length - 8), length};
    older_ = 1 - older_;
}

} // namespace quorvel
