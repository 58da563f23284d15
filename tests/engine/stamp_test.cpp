// SPDX-License-Identifier: MIT
// The stamp reader: the forms the server writes are read, anything else makes a record
// undated.
#include "model/stamp.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

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

INSTANTIATE_TEST_SUITE_P(
    Forms, StampReader,
    ::testing::Values(
        // The three forms, one-digit parts, letter case of AM/PM.
        StampCase{"01/31/2001 10:41:18 PM", CivilDate{2001, 1, 31}, 22, 41, 18},
        StampCase{"1/31/2001 22:41:18", CivilDate{2001, 1, 31}, 22, 41, 18},
        StampCase{"1/5/2001 9:05 am", CivilDate{2001, 1, 5}, 9, 5, 0},
        StampCase{"12/31/1999 12:00:00 AM", CivilDate{1999, 12, 31}, 0, 0, 0},
        StampCase{"12/31/1999 12:59:59 pM", CivilDate{1999, 12, 31}, 12, 59, 59},
        StampCase{"6/1/2024 0:00", CivilDate{2024, 6, 1}, 0, 0, 0},
        // Leap days by the Gregorian rule.
        StampCase{"2/29/2000 1:00", CivilDate{2000, 2, 29}, 1, 0, 0},
        StampCase{"2/29/2024 1:00", CivilDate{2024, 2, 29}, 1, 0, 0},
        StampCase{"2/29/1900 1:00", std::nullopt},
        StampCase{"2/29/2001 1:00", std::nullopt},
        // The years 0001 to 9999; the calendar has no year 0.
        StampCase{"1/1/0001 0:00", CivilDate{1, 1, 1}, 0, 0, 0},
        StampCase{"12/31/9999 23:59:59", CivilDate{9999, 12, 31}, 23, 59, 59},
        StampCase{"1/1/0000 1:00", std::nullopt},
        StampCase{"2/29/0000 1:00", std::nullopt},
        // Impossible dates and times.
        StampCase{"4/31/2001 1:00", std::nullopt},
        StampCase{"13/1/2001 1:00", std::nullopt},
        StampCase{"0/1/2001 1:00", std::nullopt},
        StampCase{"1/0/2001 1:00", std::nullopt},
        StampCase{"1/1/2001 24:00", std::nullopt},
        StampCase{"1/1/2001 0:00 AM", std::nullopt},
        StampCase{"1/1/2001 13:00 PM", std::nullopt},
        StampCase{"1/1/2001 1:60", std::nullopt},
        StampCase{"1/1/2001 1:00:60", std::nullopt},
        // Anything but the exact form.
        StampCase{"", std::nullopt},
        StampCase{"Date/time", std::nullopt},
        StampCase{"1/1/01 1:00", std::nullopt},
        StampCase{"001/1/2001 1:00", std::nullopt},
        StampCase{"1/1/2001  1:00", std::nullopt},
        StampCase{"1/1/2001 1:0", std::nullopt},
        StampCase{"1/1/2001 1:00 ", std::nullopt},
        StampCase{"1/1/2001 1:00 PMX", std::nullopt},
        StampCase{"1/1/2001 1:00 XM", std::nullopt},
        StampCase{" 1/1/2001 1:00", std::nullopt},
        StampCase{"1-1-2001 1:00", std::nullopt},
        StampCase{"1/1/2001", std::nullopt}));

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

} // namespace
} // namespace quorvel
