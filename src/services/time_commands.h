// The calendar and clock routines that the clock command and the date and
// time commands share, and the registration of those families.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct Interpreter;

// The clock values the calendar routines accept: 0001-01-01 00:00:00 to
// 9999-12-31 23:59:59 UTC.
constexpr int64_t kFirstClockValue = -62135596800LL;
constexpr int64_t kLastClockValue = 253402300799LL;

// A moment broken into calendar fields, in UTC or the local zone.
struct CalendarTime {
    int64_t year = 1970;
    int month = 1; // 1-12
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int weekday = 4;  // 0 Sunday .. 6 Saturday
    int yearday = 0;  // 0-365
    long offset = 0;  // seconds east of UTC
    bool dst = false; // summer time in force
    std::string zone; // "GMT" in UTC, the system's short name otherwise
};

bool zorakIsLeapYear(int64_t year);
int zorakDaysInMonth(int64_t year, int month);
// Days since 1970-01-01 of a proleptic Gregorian date; month and day may
// lie outside their ranges and carry over.
int64_t zorakDaysFromCivil(int64_t year, int64_t month, int64_t day);
void zorakCivilFromDays(int64_t days, int64_t* year, int* month, int* day);

// Breaks a clock value (seconds since 1970 UTC) into calendar fields. False
// when the value lies outside the calendar's range or the zone is unknown.
bool zorakBreakTime(int64_t seconds, bool gmt, CalendarTime* out);
// The clock value of calendar fields, out-of-range fields carrying over.
bool zorakMakeTime(int64_t year, int64_t month, int64_t day, int64_t hour, int64_t minute,
                   int64_t second, bool gmt, int64_t* out);
// Formats a clock value with the %-codes of the clock command.
bool zorakFormatClock(int64_t seconds, std::string_view format, bool gmt, std::string* out);

// A whole decimal number (optional blanks around, optional sign) that fits
// 64 bits; false for anything else.
bool zorakReadWholeNumber(std::string_view text, int64_t* value);

// Days since 1899-12-30, the fraction being the time of day: the date
// serial numbers of dateserial, now -double and the conversions.
double zorakSerialFromCalendar(const CalendarTime& time);

// Reads a date with an optional time: "yyyy-mm-dd", "yyyy/mm/dd" or
// "yyyymmdd", then optionally "T" or blanks and "hh:mm" or "hh:mm:ss" with
// an optional fraction and a trailing "Z". With strict, fields out of range
// (month 13, February 30, hour 24) make it fail; otherwise they carry over.
bool zorakParseIsoDate(std::string_view text, bool strict, CalendarTime* out, double* fraction);

// Registers the time, clock, environment and interp commands.
void zorakRegisterTimeAndEnvironmentCommands(Interpreter* interp);
void zorakRegisterClockCommand(Interpreter* interp);
void zorakRegisterTimeCommands(Interpreter* interp);
void zorakRegisterEnvironmentCommands(Interpreter* interp);
void zorakRegisterInterpCommand(Interpreter* interp);
// Drops the events that the after command queued for an interpreter that
// goes away.
void zorakDropAfterEvents(Interpreter* interp);
