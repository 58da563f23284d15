// SPDX-License-Identifier: MIT
// The stamp reader: the forms the server writes are read, anything else makes a record
// undated.
#include "model/stamp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace quorvel {
namespace {

struct StampCase {
    const char* text;
    std::optional<CivilDate> date; // nothing: undated
    int hour = 0, minute = 0, second = 0;
};

void PrintTo(const StampCase& c, std::ostream* os)
{
    *os << '"' << c.text << '"';
}

class StampReader : public ::testing::TestWithParam<StampCase> {};

TEST_P(StampReader, ReadsTheServersFormsOnly)
{
    const std::optional<Stamp> stamp = readStamp(GetParam().text);
    if (!GetParam().date) {
        EXPECT_FALSE(stamp);
        return;
    }
    ASSERT_TRUE(stamp);
    const CivilDate date = civilDate(stamp->day);
    EXPECT_EQ(date.year, GetParam().date->year);
    EXPECT_EQ(date.month, GetParam().date->month);
    EXPECT_EQ(date.day, GetParam().date->day);
    EXPECT_EQ(stamp->second, (GetParam().hour * 60 + GetParam().minute) * 60 + GetParam().second);
}

const StampCase stampCases[] = {
    // The three forms, one-digit parts, letter case of AM/PM.
    StampCase{"01/31/2001 10:41:18 PM", CivilDate{2001, 1, 31}, 22, 41, 18},
    StampCase{"1/31/2001 22:41:18", CivilDate{2001, 1, 31}, 22, 41, 18},
    StampCase{"1/5/2001 9:05 am", CivilDate{2001, 1, 5}, 9, 5, 0},
    StampCase{"12/31/1999 12:00:00 AM", CivilDate{1999, 12, 31}, 0, 0, 0},
    StampCase{"12/31/1999 12:59:59 pM", CivilDate{1999, 12, 31}, 12, 59, 59},
    StampCase{"6/1/2024 0:00", CivilDate{2024, 6, 1}, 0, 0, 0},
    // Leap days by the Gregorian rule.
    StampCase{"2/29/2000 1:00", CivilDate{2000, 2, 29}, 1, 0, 0},
    StampCase{"2/29/2024 1:00", CivilDate{2024, 2, 29}, 1, 0, 0}, StampCase{"2/29/1900 1:00", std::nullopt},
    StampCase{"2/29/2001 1:00", std::nullopt},
    // The years 0001 to 9999; the calendar has no year 0.
    StampCase{"1/1/0001 0:00", CivilDate{1, 1, 1}, 0, 0, 0},
    StampCase{"12/31/9999 23:59:59", CivilDate{9999, 12, 31}, 23, 59, 59}, StampCase{"1/1/0000 1:00", std::nullopt},
    StampCase{"2/29/0000 1:00", std::nullopt},
    // Impossible dates and times.
    StampCase{"4/31/2001 1:00", std::nullopt}, StampCase{"13/1/2001 1:00", std::nullopt},
    StampCase{"0/1/2001 1:00", std::nullopt}, StampCase{"1/0/2001 1:00", std::nullopt},
    StampCase{"1/1/2001 24:00", std::nullopt}, StampCase{"1/1/2001 0:00 AM", std::nullopt},
    StampCase{"1/1/2001 13:00 PM", std::nullopt}, StampCase{"1/1/2001 1:60", std::nullopt},
    StampCase{"1/1/2001 1:00:60", std::nullopt},
    // Anything but the exact form.
    StampCase{"", std::nullopt}, StampCase{"Date/time", std::nullopt}, StampCase{"1/1/01 1:00", std::nullopt},
    StampCase{"001/1/2001 1:00", std::nullopt}, StampCase{"1/1/2001  1:00", std::nullopt},
    StampCase{"1/1/2001 1:0", std::nullopt}, StampCase{"1/1/2001 1:00 ", std::nullopt},
    StampCase{"1/1/2001 1:00 PMX", std::nullopt}, StampCase{"1/1/2001 1:00 XM", std::nullopt},
    StampCase{" 1/1/2001 1:00", std::nullopt}, StampCase{"1-1-2001 1:00", std::nullopt},
    StampCase{"1/1/2001", std::nullopt},
    // The modern form: the day and hour written, whatever the offset says.
    StampCase{"2026-03-14T21:07:52-04:00", CivilDate{2026, 3, 14}, 21, 7, 52},
    StampCase{"2026-03-15T02:00:11Z", CivilDate{2026, 3, 15}, 2, 0, 11},
    StampCase{"2026-03-14T23:30:00+05:30", CivilDate{2026, 3, 14}, 23, 30, 0},
    StampCase{"0001-01-01T00:00:00+23:59", CivilDate{1, 1, 1}, 0, 0, 0},
    StampCase{"9999-12-31T23:59:59-00:00", CivilDate{9999, 12, 31}, 23, 59, 59},
    StampCase{"2024-02-29T12:00:00Z", CivilDate{2024, 2, 29}, 12, 0, 0},
    StampCase{"2001-02-29T12:00:00Z", std::nullopt}, StampCase{"0000-01-01T00:00:00Z", std::nullopt},
    StampCase{"2026-13-01T00:00:00Z", std::nullopt}, StampCase{"2026-03-14T24:00:00Z", std::nullopt},
    StampCase{"2026-03-14T23:60:00Z", std::nullopt}, StampCase{"2026-03-14T23:00:60Z", std::nullopt},
    StampCase{"2026-03-14T23:00:00+24:00", std::nullopt}, StampCase{"2026-03-14T23:00:00+05:60", std::nullopt},
    StampCase{"2026-03-14T21:07:52.123-04:00", std::nullopt}, StampCase{"2026-03-14T21:07:52", std::nullopt},
    StampCase{"2026-03-14T21:07Z", std::nullopt}, StampCase{"2026-03-14 21:07:52Z", std::nullopt},
    StampCase{"2026-03-14t21:07:52z", std::nullopt}, StampCase{"2026-3-14T21:07:52Z", std::nullopt},
    StampCase{"2026-03-14T1:07:52Z", std::nullopt}, StampCase{"2026-03-14T21:07:52+0400", std::nullopt},
    StampCase{"2026-03-14T21:07:52+04", std::nullopt}, StampCase{"2026-03-14T21:07:52*04:00", std::nullopt},
    StampCase{"2026-03-14T21:07:52Z ", std::nullopt}, StampCase{"2026-03-14T21:07:52-04:00x", std::nullopt},
    StampCase{"20260-03-14T21:07:52Z", std::nullopt}, StampCase{"2026-03-14", std::nullopt}};

INSTANTIATE_TEST_SUITE_P(Forms, StampReader, ::testing::ValuesIn(stampCases));

// A reader of stamps in a row reads each as it stands, whatever stamp came before it: one of the
// same date (whose date it does not read again), of a date that only begins the same, of the
// other form, or none.
TEST(StampsInARow, ReadEachAsItStandsWhateverCameBefore)
{
    for (const StampCase& before : stampCases) {
        for (const StampCase& now : stampCases) {
            quorvel::StampReader reader;
            reader.read(before.text);
            EXPECT_EQ(reader.read(now.text), readStamp(now.text))
                << '"' << before.text << "\" then \"" << now.text << '"';
        }
    }
}

TEST(CivilDates, CountDaysAcrossCenturiesBothWays)
{
    EXPECT_EQ(dayNumber({1970, 1, 1}), 0);
    EXPECT_EQ(dayNumber({2000, 3, 1}) - dayNumber({2000, 2, 28}), 2);
    EXPECT_EQ(dayNumber({1900, 3, 1}) - dayNumber({1900, 2, 28}), 1);
    for (DayNumber day = dayNumber({1599, 12, 25}); day < dayNumber({2401, 1, 5}); day += 13) {
        const CivilDate date = civilDate(day);
        ASSERT_TRUE(isRealDay(date.year, date.month, date.day)) << day;
        ASSERT_EQ(dayNumber(date), day);
    }
}

// The span of a sequence of stamps, reckoned apart: each stamp read on its own.
std::optional<DaySpan> spanOfEach(const std::vector<std::string>& stamps)
{
    std::optional<DaySpan> span;
    for (const std::string& text : stamps) {
        const std::optional<Stamp> stamp = readStamp(text);
        if (!stamp)
            continue;
        if (!span)
            span = DaySpan{stamp->day, stamp->day};
        span->first = std::min(span->first, stamp->day);
        span->last = std::max(span->last, stamp->day);
    }
    return span;
}

// Rows: stamps in log order. The notes skip a stamp that shares the date of one of the last
// two readable ones: those whose date only looks alike must still be read.
TEST(DaySpanNotes, GiveTheFirstAndLastReadableDayOfTheStampsShown)
{
    const std::vector<std::vector<std::string>> logs{
        {},
        {"yesterday", "Date/time", ""},
        {"2/30/2001 1:00", "1/31/2001 25:00"},
        {"1/31/2001 10:41:18 PM", "1/31/2001 22:00", "01/31/2001 3:00", "2/1/2001 9:05 AM", "12/5/2000 1:00"},
        // A date whose time is unreadable, then the same date readable: it counts once readable.
        {"3/1/2001 9:00", "3/2/2001 99:00", "3/2/2001 1:00"},
        // The same date and an unreadable time after a readable one: the day is noted already.
        {"3/2/2001 1:00", "3/2/2001 99:00", "3/1/2001 9:00"},
        // Dates that begin like the last readable one but are not the same.
        {"1/3/2001 1:00", "1/3/20011 1:00", "1/3/2001", "1/30/2001 1:00", "1/3/2001X1:00", "1/3/2002 1:00"},
        {"12/31/2001 1:00", "12/31/2009 1:00", "12/31/2001 1:00", "2/1/2001 1:00", "2/1/2000 1:00"},
        // One day in two forms, then three dates in turn.
        {"01/05/2001 1:00 PM", "1/5/2001 13:00", "01/05/2001 2:00 PM", "1/6/2001 1:00", "12/5/2000 1:00"},
        {"1/2/2001 1:00", "1/3/2001 1:00", "1/4/2001 1:00", "1/2/2001 1:00", "1/1/2001 1:00", "12/31/2000 9:00"},
        {" 1/1/1999 1:00", "1/1/2001 1:00", " 1/1/1999 1:00", "12/31/9999 23:59", "1/1/1000 1:00"},
        // The modern form, alone and beside the classic one: its date ends at the "T".
        {"2026-03-14T21:07:52-04:00", "2026-03-14T99:00:00Z", "2026-03-15T01:00:00Z", "2026-03-13T23:00:00+01:00"},
        {"2026-03-14T01:00:00Z", "2026-03-1T01:00:00Z", "2026-03-14 01:00:00Z", "3/14/2026 1:00", "2026-03-15T1:00",
         "2026-03-12T00:00:00Z", "3/11/2026 1:00"},
    };
    for (const std::vector<std::string>& stamps : logs) {
        DaySpanNotes notes;
        for (const std::string& stamp : stamps)
            notes.note(stamp);
        EXPECT_EQ(notes.span(), spanOfEach(stamps)) << ::testing::PrintToString(stamps);
    }
}

} // namespace
} // namespace quorvel
