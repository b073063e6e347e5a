// The calendar arithmetic that the clock and date commands share.
#include "interp_fixture.h"
#include "services/time_commands.h"

#include <gtest/gtest.h>

// Day numbers and dates convert into each other across the whole range,
// leap days and negative years included.
TEST(Calendar, DaysAndDatesRoundTrip) {
    int64_t first = zorakDaysFromCivil(-400, 1, 1);
    int64_t last = zorakDaysFromCivil(10000, 12, 31);
    int64_t year;
    int month, day;
    int64_t previous = first - 1;
    for (int64_t days = first; days <= last; days += 13) {
        zorakCivilFromDays(days, &year, &month, &day);
        ASSERT_GE(day, 1);
        ASSERT_LE(day, zorakDaysInMonth(year, month));
        ASSERT_EQ(zorakDaysFromCivil(year, month, day), days);
        ASSERT_GT(days, previous);
        previous = days;
    }
}

// Out-of-range months and days carry into the next fields.
TEST(Calendar, FieldsCarryOver) {
    EXPECT_EQ(zorakDaysFromCivil(1970, 1, 1), 0);
    EXPECT_EQ(zorakDaysFromCivil(1969, 13, 1), 0);
    EXPECT_EQ(zorakDaysFromCivil(1970, 3, 0), zorakDaysFromCivil(1970, 2, 28));
    EXPECT_EQ(zorakDaysFromCivil(2024, 0, 1), zorakDaysFromCivil(2023, 12, 1));
    EXPECT_EQ(zorakDaysFromCivil(2024, -11, 1), zorakDaysFromCivil(2023, 1, 1));
    EXPECT_EQ(zorakDaysFromCivil(2000, 1, 366), zorakDaysFromCivil(2000, 12, 31));
}

// Breaking a clock value and making it again gives the value back; the
// ends of the range hold and one second beyond them fails.
TEST(Calendar, BreakAndMakeInUtc) {
    for (int64_t value : {kFirstClockValue, int64_t{-1}, int64_t{0}, int64_t{951782400},
                          int64_t{1700000000}, kLastClockValue}) {
        CalendarTime t;
        ASSERT_TRUE(zorakBreakTime(value, true, &t));
        int64_t made = 0;
        ASSERT_TRUE(zorakMakeTime(t.year, t.month, t.day, t.hour, t.minute, t.second, true, &made));
        EXPECT_EQ(made, value);
    }
    CalendarTime t;
    EXPECT_FALSE(zorakBreakTime(kFirstClockValue - 1, true, &t));
    EXPECT_FALSE(zorakBreakTime(kLastClockValue + 1, true, &t));
    int64_t made = 0;
    EXPECT_FALSE(zorakMakeTime(10000, 1, 1, 0, 0, 0, true, &made));
    EXPECT_FALSE(zorakMakeTime(INT64_MAX, INT64_MIN, 1, 0, 0, 0, true, &made));
}

// Whole numbers only, within 64 bits.
TEST(Calendar, WholeNumbers) {
    int64_t value = 0;
    EXPECT_TRUE(zorakReadWholeNumber(" -12 ", &value));
    EXPECT_EQ(value, -12);
    EXPECT_TRUE(zorakReadWholeNumber("-9223372036854775808", &value));
    EXPECT_EQ(value, INT64_MIN);
    EXPECT_FALSE(zorakReadWholeNumber("9223372036854775808", &value));
    EXPECT_FALSE(zorakReadWholeNumber("1.5", &value));
    EXPECT_FALSE(zorakReadWholeNumber("", &value));
    EXPECT_FALSE(zorakReadWholeNumber("-", &value));
    EXPECT_FALSE(zorakReadWholeNumber("0x10", &value));
}

using AfterQueue = InterpTest;

// Scripts queued by after go with their interpreter: a fresh one at the
// same address starts with an empty queue.
TEST_F(AfterQueue, DroppedWhenTheInterpreterGoes) {
    ASSERT_EQ(eval("after 1000 {set x 1}; after idle {set y 2}; llength [after info]"), 0);
    EXPECT_EQ(result(), "2");
    zorakReleaseInterp(interp);
    interp = zorakCreateInterp();
    zorakRegisterCommands(interp);
    ASSERT_EQ(eval("llength [after info]"), 0);
    EXPECT_EQ(result(), "0");
    EXPECT_EQ(eval("doevents"), 0);
    EXPECT_EQ(result(), "0");
}
