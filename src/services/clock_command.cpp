// The clock command (seconds, milliseconds, microseconds, clicks, format,
// scan, add) and the proleptic Gregorian calendar that the date and time
// commands share with it. Calendar arithmetic is done here on whole days,
// so only the local time zone comes from the system.
#include "services/time_commands.h"

#include "interp/errors.h"
#include "interp/interp.h"
#include "interp/registry.h"
#include "platform/platform.h"
#include "util/text.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <regex>
#include <string>

namespace {

const char* const kDayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                  "Thursday", "Friday", "Saturday"};
const char* const kMonthNames[12] = {"January",   "February", "March",    "April",
                                     "May",       "June",     "July",     "August",
                                     "September", "October",  "November", "December"};

constexpr int64_t kSecondsPerDay = 86400;

int64_t floorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) q--;
    return q;
}

} // namespace

bool zorakIsLeapYear(int64_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int zorakDaysInMonth(int64_t year, int month) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && zorakIsLeapYear(year) ? 29 : kDays[month - 1];
}

// Counts from 1 March so that the leap day ends each counted year.
int64_t zorakDaysFromCivil(int64_t year, int64_t month, int64_t day) {
    year += floorDiv(month - 1, 12);
    month = month - 1 - floorDiv(month - 1, 12) * 12 + 1;
    if (month <= 2) year--;
    int64_t era = floorDiv(year, 400);
    int64_t yoe = year - era * 400;
    int64_t mp = (month + 9) % 12;
    int64_t doy = (153 * mp + 2) / 5;
    int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468 + (day - 1);
}

void zorakCivilFromDays(int64_t days, int64_t* year, int* month, int* day) {
    days += 719468;
    int64_t era = floorDiv(days, 146097);
    int64_t doe = days - era * 146097;
    int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    int64_t mp = (5 * doy + 2) / 153;
    *day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    *month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    *year = yoe + era * 400 + (*month <= 2 ? 1 : 0);
}

bool zorakBreakTime(int64_t seconds, bool gmt, CalendarTime* out) {
    if (seconds < kFirstClockValue || seconds > kLastClockValue) return false;
    CalendarTime time;
    if (gmt) {
        time.zone = "GMT";
    } else {
        PlatformZone zone;
        if (!platformLocalZone(seconds, &zone)) return false;
        time.offset = zone.offset;
        time.dst = zone.dst;
        time.zone = zone.name;
    }
    int64_t local = seconds + time.offset;
    int64_t days = floorDiv(local, kSecondsPerDay);
    int64_t rest = local - days * kSecondsPerDay;
    zorakCivilFromDays(days, &time.year, &time.month, &time.day);
    time.hour = static_cast<int>(rest / 3600);
    time.minute = static_cast<int>(rest / 60 % 60);
    time.second = static_cast<int>(rest % 60);
    time.weekday = static_cast<int>(days + 4 - floorDiv(days + 4, 7) * 7);
    time.yearday = static_cast<int>(days - zorakDaysFromCivil(time.year, 1, 1));
    *out = time;
    return true;
}

bool zorakMakeTime(int64_t year, int64_t month, int64_t day, int64_t hour, int64_t minute,
                   int64_t second, bool gmt, int64_t* out) {
    // Fields far outside any calendar would overflow the sums below.
    const int64_t kLimit = 1000000000LL;
    if (year < -kLimit || year > kLimit || month < -kLimit || month > kLimit ||
        day < -kLimit * 100 || day > kLimit * 100 || hour < -kLimit * 1000 ||
        hour > kLimit * 1000 || minute < -kLimit * 1000 || minute > kLimit * 1000 ||
        second < -kLimit * 1000 || second > kLimit * 1000)
        return false;
    int64_t days = zorakDaysFromCivil(year, month, day);
    int64_t total = days * kSecondsPerDay + hour * 3600 + minute * 60 + second;
    if (total < kFirstClockValue - kSecondsPerDay || total > kLastClockValue + kSecondsPerDay)
        return false;
    if (!gmt) {
        // The fields, carried into range, are a local time for the system.
        int64_t d = floorDiv(total, kSecondsPerDay);
        int64_t rest = total - d * kSecondsPerDay;
        int64_t y;
        int m, dd;
        zorakCivilFromDays(d, &y, &m, &dd);
        long long clock = 0;
        PlatformZone zone;
        if (platformLocalToClock(static_cast<int>(y), m, dd, static_cast<int>(rest / 3600),
                                 static_cast<int>(rest / 60 % 60), static_cast<int>(rest % 60),
                                 &clock))
            total = clock;
        else if (platformLocalZone(total, &zone))
            // Where the system's own conversion ends, the zone's offset at
            // that moment is taken off.
            total -= zone.offset;
        else
            return false;
    }
    if (total < kFirstClockValue || total > kLastClockValue) return false;
    *out = total;
    return true;
}

bool zorakReadWholeNumber(std::string_view text, int64_t* value) {
    size_t i = 0, n = text.size();
    while (i < n && (text[i] == ' ' || text[i] == '\t'))
        i++;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    size_t digits = 0;
    uint64_t result = 0;
    for (; i < n && text[i] >= '0' && text[i] <= '9'; i++, digits++) {
        uint64_t digit = static_cast<uint64_t>(text[i] - '0');
        if (result > (UINT64_MAX - digit) / 10) return false;
        result = result * 10 + digit;
    }
    while (i < n && (text[i] == ' ' || text[i] == '\t'))
        i++;
    if (!digits || i != n) return false;
    if (result > static_cast<uint64_t>(INT64_MAX) + (negative ? 1u : 0u)) return false;
    *value = negative ? static_cast<int64_t>(0 - result) : static_cast<int64_t>(result);
    return true;
}

double zorakSerialFromCalendar(const CalendarTime& time) {
    // 1899-12-30 lies 25569 days before 1970-01-01.
    double days = static_cast<double>(zorakDaysFromCivil(time.year, time.month, time.day) + 25569);
    double part = (time.hour * 3600.0 + time.minute * 60.0 + time.second) / 86400.0;
    // Before the epoch of the serials the fraction still counts forward in
    // the day, as the serial's sign says only which side of the epoch.
    return days < 0 ? days - part : days + part;
}

namespace {

// Week numbers of the ISO calendar: weeks start on Monday and week 1 holds
// the year's first Thursday.
int isoWeeksInYear(int64_t year) {
    int64_t jan1 = zorakDaysFromCivil(year, 1, 1);
    int weekday = static_cast<int>(((jan1 + 4) % 7 + 7) % 7);
    return weekday == 4 || (weekday == 3 && zorakIsLeapYear(year)) ? 53 : 52;
}

void isoWeek(const CalendarTime& time, int64_t* iso_year, int* week) {
    int isoWeekday = time.weekday == 0 ? 7 : time.weekday;
    int w = (time.yearday + 1 - isoWeekday + 10) / 7;
    *iso_year = time.year;
    if (w < 1) {
        *iso_year = time.year - 1;
        w = isoWeeksInYear(*iso_year);
    } else if (w > isoWeeksInYear(time.year)) {
        *iso_year = time.year + 1;
        w = 1;
    }
    *week = w;
}

void appendNumber(std::string* out, int64_t value, int width, char pad) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld", static_cast<long long>(value < 0 ? -value : value));
    std::string digits = text;
    if (value < 0) out->push_back('-');
    for (int i = static_cast<int>(digits.size()); i < width; i++)
        out->push_back(pad);
    *out += digits;
}

void formatCode(char code, const CalendarTime& t, int64_t seconds, std::string* out) {
    int hour12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
    int64_t iso_year;
    int week;
    switch (code) {
    case 'a':
        out->append(kDayNames[t.weekday], 3);
        break;
    case 'A':
        *out += kDayNames[t.weekday];
        break;
    case 'b':
    case 'h':
        out->append(kMonthNames[t.month - 1], 3);
        break;
    case 'B':
        *out += kMonthNames[t.month - 1];
        break;
    case 'c':
        formatCode('a', t, seconds, out);
        *out += ' ';
        formatCode('b', t, seconds, out);
        *out += ' ';
        appendNumber(out, t.day, 2, '0');
        *out += ' ';
        formatCode('T', t, seconds, out);
        *out += ' ';
        appendNumber(out, t.year, 4, '0');
        break;
    case 'C':
        appendNumber(out, t.year / 100, 2, '0');
        break;
    case 'd':
        appendNumber(out, t.day, 2, '0');
        break;
    case 'D':
    case 'x':
        appendNumber(out, t.month, 2, '0');
        *out += '/';
        appendNumber(out, t.day, 2, '0');
        *out += '/';
        appendNumber(out, t.year, 4, '0');
        break;
    case 'e':
        appendNumber(out, t.day, 2, ' ');
        break;
    case 'g':
        isoWeek(t, &iso_year, &week);
        appendNumber(out, iso_year % 100, 2, '0');
        break;
    case 'G':
        isoWeek(t, &iso_year, &week);
        appendNumber(out, iso_year, 4, '0');
        break;
    case 'H':
        appendNumber(out, t.hour, 2, '0');
        break;
    case 'I':
        appendNumber(out, hour12, 2, '0');
        break;
    case 'j':
        appendNumber(out, t.yearday + 1, 3, '0');
        break;
    case 'J':
        appendNumber(out, zorakDaysFromCivil(t.year, t.month, t.day) + 2440588, 1, ' ');
        break;
    case 'k':
        appendNumber(out, t.hour, 2, ' ');
        break;
    case 'l':
        appendNumber(out, hour12, 2, ' ');
        break;
    case 'm':
        appendNumber(out, t.month, 2, '0');
        break;
    case 'M':
        appendNumber(out, t.minute, 2, '0');
        break;
    case 'N':
        appendNumber(out, t.month, 2, ' ');
        break;
    case 'n':
        *out += '\n';
        break;
    case 'p':
        *out += t.hour < 12 ? "AM" : "PM";
        break;
    case 'P':
        *out += t.hour < 12 ? "am" : "pm";
        break;
    case 'r':
        formatCode('I', t, seconds, out);
        *out += ':';
        formatCode('M', t, seconds, out);
        *out += ':';
        formatCode('S', t, seconds, out);
        *out += ' ';
        formatCode('P', t, seconds, out);
        break;
    case 'R':
        formatCode('H', t, seconds, out);
        *out += ':';
        formatCode('M', t, seconds, out);
        break;
    case 's':
        appendNumber(out, seconds, 1, ' ');
        break;
    case 'S':
        appendNumber(out, t.second, 2, '0');
        break;
    case 't':
        *out += '\t';
        break;
    case 'T':
    case 'X':
        formatCode('H', t, seconds, out);
        *out += ':';
        formatCode('M', t, seconds, out);
        *out += ':';
        formatCode('S', t, seconds, out);
        break;
    case 'u':
        appendNumber(out, t.weekday == 0 ? 7 : t.weekday, 1, ' ');
        break;
    case 'U':
        appendNumber(out, (t.yearday + 7 - t.weekday) / 7, 2, '0');
        break;
    case 'V':
        isoWeek(t, &iso_year, &week);
        appendNumber(out, week, 2, '0');
        break;
    case 'w':
        appendNumber(out, t.weekday, 1, ' ');
        break;
    case 'W':
        appendNumber(out, (t.yearday + 7 - (t.weekday + 6) % 7) / 7, 2, '0');
        break;
    case 'y':
        appendNumber(out, t.year % 100, 2, '0');
        break;
    case 'Y':
        appendNumber(out, t.year, 4, '0');
        break;
    case 'z': {
        long offset = t.offset < 0 ? -t.offset : t.offset;
        *out += t.offset < 0 ? '-' : '+';
        appendNumber(out, offset / 3600, 2, '0');
        appendNumber(out, offset / 60 % 60, 2, '0');
        if (offset % 60) appendNumber(out, offset % 60, 2, '0');
        break;
    }
    case 'Z':
        if (!t.zone.empty()) {
            *out += t.zone;
        } else {
            // A zone without a name shows its offset.
            formatCode('z', t, seconds, out);
        }
        break;
    case '%':
        *out += '%';
        break;
    default:
        *out += '%';
        *out += code;
        break;
    }
}

} // namespace

bool zorakFormatClock(int64_t seconds, std::string_view format, bool gmt, std::string* out) {
    CalendarTime time;
    if (!zorakBreakTime(seconds, gmt, &time)) return false;
    for (size_t i = 0; i < format.size(); i++) {
        if (format[i] != '%' || i + 1 == format.size()) {
            *out += format[i];
            continue;
        }
        char code = format[++i];
        // The alternative-numeral modifiers change nothing in this locale.
        if ((code == 'E' || code == 'O') && i + 1 < format.size()) code = format[++i];
        formatCode(code, time, seconds, out);
    }
    return true;
}

namespace {

int monthFromName(std::string_view name) {
    if (name.size() < 3) return 0;
    for (int i = 0; i < 12; i++) {
        std::string_view full = kMonthNames[i];
        if (name.size() <= full.size() && zorakEqualNoCase(name, full.substr(0, name.size())))
            return i + 1;
    }
    return 0;
}

bool weekdayName(std::string_view name) {
    if (name.size() < 3) return false;
    for (const char* day : kDayNames) {
        std::string_view full = day;
        if (name.size() <= full.size() && zorakEqualNoCase(name, full.substr(0, name.size())))
            return true;
    }
    return false;
}

bool isUtcName(std::string_view name) {
    return zorakEqualNoCase(name, "GMT") || zorakEqualNoCase(name, "UTC") ||
           zorakEqualNoCase(name, "Z") || zorakEqualNoCase(name, "UT");
}

// Fields read by a scan; unset ones come from the base time.
struct ScanFields {
    int64_t year = -1, month = -1, day = -1, yearday = -1;
    int64_t hour = -1, minute = 0, second = 0;
    int pm = -1; // -1 no AM/PM given, 0 AM, 1 PM
    int64_t seconds = 0;
    bool have_seconds = false;
    bool utc = false;
    bool have_offset = false;
    long offset = 0;
};

int64_t twoDigitYear(int64_t year) {
    return year < 38 ? 2000 + year : 1900 + year;
}

// The clock value of scanned fields; the base fills the date when none was
// read, and the time of day is midnight when none was read.
bool resolveScan(const ScanFields& f, int64_t base, bool gmt, int64_t* out) {
    if (f.have_seconds) {
        *out = f.seconds;
        return true;
    }
    bool useGmt = gmt || f.utc || f.have_offset;
    CalendarTime b;
    if (!zorakBreakTime(base, useGmt, &b)) return false;
    int64_t year = b.year, month = b.month, day = b.day;
    if (f.year >= 0 || f.month >= 0 || f.day >= 0 || f.yearday >= 0) {
        year = f.year >= 0 ? f.year : b.year;
        month = f.month >= 0 ? f.month : 1;
        day = f.day >= 0 ? f.day : 1;
        if (f.yearday >= 0 && f.month < 0) {
            month = 1;
            day = f.yearday;
        }
    }
    int64_t hour = f.hour >= 0 ? f.hour : 0;
    if (f.pm >= 0) {
        if (hour < 1 || hour > 12) return false;
        hour = hour % 12 + (f.pm ? 12 : 0);
    }
    if (!zorakMakeTime(year, month, day, hour, f.minute, f.second, useGmt, out)) return false;
    if (f.have_offset) *out -= f.offset;
    return *out >= kFirstClockValue && *out <= kLastClockValue;
}

// Reads up to width digits (at least one) at text[*at].
bool scanDigits(std::string_view text, size_t* at, int width, int64_t* value) {
    size_t start = *at;
    int64_t result = 0;
    while (*at < text.size() && *at - start < static_cast<size_t>(width) && text[*at] >= '0' &&
           text[*at] <= '9')
        result = result * 10 + (text[(*at)++] - '0');
    if (*at == start) return false;
    *value = result;
    return true;
}

std::string_view scanWord(std::string_view text, size_t* at) {
    size_t start = *at;
    while (*at < text.size() && ((text[*at] | 0x20) >= 'a' && (text[*at] | 0x20) <= 'z'))
        (*at)++;
    return text.substr(start, *at - start);
}

bool scanWithFormat(std::string_view text, std::string_view format, ScanFields* f) {
    size_t at = 0;
    auto skipBlanks = [&] {
        while (at < text.size() && (text[at] == ' ' || text[at] == '\t' || text[at] == '\n'))
            at++;
    };
    for (size_t i = 0; i < format.size(); i++) {
        char c = format[i];
        if (c == ' ' || c == '\t' || c == '\n') {
            skipBlanks();
            continue;
        }
        if (c != '%' || i + 1 == format.size()) {
            if (at >= text.size() || text[at] != c) return false;
            at++;
            continue;
        }
        char code = format[++i];
        if ((code == 'E' || code == 'O') && i + 1 < format.size()) code = format[++i];
        int64_t value = 0;
        switch (code) {
        case 'Y':
            if (!scanDigits(text, &at, 4, &f->year)) return false;
            break;
        case 'y':
            if (!scanDigits(text, &at, 2, &value)) return false;
            f->year = twoDigitYear(value);
            break;
        case 'm':
        case 'N':
            skipBlanks();
            if (!scanDigits(text, &at, 2, &f->month)) return false;
            break;
        case 'd':
        case 'e':
            skipBlanks();
            if (!scanDigits(text, &at, 2, &f->day)) return false;
            break;
        case 'j':
            if (!scanDigits(text, &at, 3, &f->yearday)) return false;
            break;
        case 'H':
        case 'k':
        case 'I':
        case 'l':
            skipBlanks();
            if (!scanDigits(text, &at, 2, &f->hour)) return false;
            break;
        case 'M':
            if (!scanDigits(text, &at, 2, &f->minute)) return false;
            break;
        case 'S':
            if (!scanDigits(text, &at, 2, &f->second)) return false;
            break;
        case 's': {
            size_t start = at;
            if (at < text.size() && text[at] == '-') at++;
            while (at < text.size() && text[at] >= '0' && text[at] <= '9')
                at++;
            if (!zorakReadWholeNumber(text.substr(start, at - start), &f->seconds)) return false;
            f->have_seconds = true;
            break;
        }
        case 'b':
        case 'B':
        case 'h': {
            int month = monthFromName(scanWord(text, &at));
            if (!month) return false;
            f->month = month;
            break;
        }
        case 'a':
        case 'A':
            if (!weekdayName(scanWord(text, &at))) return false;
            break;
        case 'p':
        case 'P': {
            std::string_view word = scanWord(text, &at);
            if (zorakEqualNoCase(word, "am"))
                f->pm = 0;
            else if (zorakEqualNoCase(word, "pm"))
                f->pm = 1;
            else
                return false;
            break;
        }
        case 'Z': {
            std::string_view word = scanWord(text, &at);
            if (!isUtcName(word)) return false;
            f->utc = true;
            break;
        }
        case 'z': {
            if (at >= text.size() || (text[at] != '+' && text[at] != '-')) return false;
            bool negative = text[at++] == '-';
            int64_t hh = 0, mm = 0;
            if (!scanDigits(text, &at, 2, &hh)) return false;
            if (at < text.size() && text[at] == ':') at++;
            if (!scanDigits(text, &at, 2, &mm)) return false;
            f->offset = static_cast<long>((hh * 3600 + mm * 60) * (negative ? -1 : 1));
            f->have_offset = true;
            break;
        }
        case 'D':
            if (!scanWithFormat(text.substr(at), "%m/%d/%Y", f)) return false;
            return true;
        case 'T':
            if (!scanWithFormat(text.substr(at), "%H:%M:%S", f)) return false;
            return true;
        case 'R':
            if (!scanWithFormat(text.substr(at), "%H:%M", f)) return false;
            return true;
        case '%':
            if (at >= text.size() || text[at] != '%') return false;
            at++;
            break;
        default:
            return false;
        }
    }
    skipBlanks();
    return at == text.size();
}

// The free-form dates scan reads without a format.
bool scanFreeForm(std::string_view input, ScanFields* f) {
    std::string text(input);
    // Trailing zone names and a leading weekday carry no date.
    static const std::regex kZone(R"(^(.*?)\s*\b(gmt|utc|ut|z)$)", std::regex::icase);
    static const std::regex kWeekday(R"(^([a-z]{3,9})\.?,?\s+(.*)$)", std::regex::icase);
    static const std::regex kIso(
        R"(^(\d{4})-(\d{1,2})-(\d{1,2})(?:(?:t|\s+)(\d{1,2}):(\d{2})(?::(\d{2}))?)?$)",
        std::regex::icase);
    static const std::regex kSlashIso(
        R"(^(\d{4})/(\d{1,2})/(\d{1,2})(?:\s+(\d{1,2}):(\d{2})(?::(\d{2}))?)?$)");
    static const std::regex kCompact(R"(^(\d{4})(\d{2})(\d{2})(?:t(\d{2})(\d{2})(\d{2}))?$)",
                                     std::regex::icase);
    static const std::regex kUs(
        R"(^(\d{1,2})/(\d{1,2})/(\d{4}|\d{2})(?:\s+(\d{1,2}):(\d{2})(?::(\d{2}))?)?$)");
    static const std::regex kDayMonth(
        R"(^(\d{1,2})[\s-]+([a-z]{3,9})\.?[\s-]+(\d{4})(?:\s+(\d{1,2}):(\d{2})(?::(\d{2}))?)?$)",
        std::regex::icase);
    static const std::regex kMonthDay(
        R"(^([a-z]{3,9})\.?\s+(\d{1,2}),?\s+(\d{4})(?:\s+(\d{1,2}):(\d{2})(?::(\d{2}))?)?$)",
        std::regex::icase);
    // The default format of clock format: "Tue Nov 14 22:13:20 GMT 2023".
    static const std::regex kCtime(
        R"(^([a-z]{3,9})\s+(\d{1,2})\s+(\d{1,2}):(\d{2}):(\d{2})(?:\s+([a-z]+))?\s+(\d{4})$)",
        std::regex::icase);
    static const std::regex kTime(R"(^(\d{1,2}):(\d{2})(?::(\d{2}))?(?:\s*(am|pm))?$)",
                                  std::regex::icase);
    size_t first = text.find_first_not_of(" \t\r\n");
    size_t last = text.find_last_not_of(" \t\r\n");
    if (first == std::string::npos) return false;
    text = text.substr(first, last - first + 1);
    std::smatch m;
    if (std::regex_match(text, m, kWeekday) && weekdayName(m[1].str())) text = m[2].str();
    if (std::regex_match(text, m, kCtime)) {
        f->month = monthFromName(m[1].str());
        if (!f->month) return false;
        f->day = std::atoll(m[2].str().c_str());
        f->hour = std::atoll(m[3].str().c_str());
        f->minute = std::atoll(m[4].str().c_str());
        f->second = std::atoll(m[5].str().c_str());
        if (m[6].matched) {
            if (!isUtcName(m[6].str())) return false;
            f->utc = true;
        }
        f->year = std::atoll(m[7].str().c_str());
        return true;
    }
    if (std::regex_match(text, m, kZone)) {
        f->utc = true;
        text = m[1].str();
    }
    auto takeTime = [&](int from) {
        if (!m[from].matched) return;
        f->hour = std::atoll(m[from].str().c_str());
        f->minute = std::atoll(m[from + 1].str().c_str());
        f->second = m[from + 2].matched ? std::atoll(m[from + 2].str().c_str()) : 0;
    };
    if (std::regex_match(text, m, kIso) || std::regex_match(text, m, kSlashIso) ||
        std::regex_match(text, m, kCompact)) {
        f->year = std::atoll(m[1].str().c_str());
        f->month = std::atoll(m[2].str().c_str());
        f->day = std::atoll(m[3].str().c_str());
        takeTime(4);
        return true;
    }
    if (std::regex_match(text, m, kUs)) {
        f->month = std::atoll(m[1].str().c_str());
        f->day = std::atoll(m[2].str().c_str());
        int64_t year = std::atoll(m[3].str().c_str());
        f->year = m[3].length() == 2 ? twoDigitYear(year) : year;
        takeTime(4);
        return true;
    }
    if (std::regex_match(text, m, kDayMonth)) {
        f->day = std::atoll(m[1].str().c_str());
        f->month = monthFromName(m[2].str());
        f->year = std::atoll(m[3].str().c_str());
        takeTime(4);
        return f->month != 0;
    }
    if (std::regex_match(text, m, kMonthDay)) {
        f->month = monthFromName(m[1].str());
        f->day = std::atoll(m[2].str().c_str());
        f->year = std::atoll(m[3].str().c_str());
        takeTime(4);
        return f->month != 0;
    }
    if (std::regex_match(text, m, kTime)) {
        f->hour = std::atoll(m[1].str().c_str());
        f->minute = std::atoll(m[2].str().c_str());
        f->second = m[3].matched ? std::atoll(m[3].str().c_str()) : 0;
        if (m[4].matched) f->pm = zorakEqualNoCase(m[4].str(), "pm") ? 1 : 0;
        return true;
    }
    return false;
}

bool readBoolean(std::string_view text, bool* value) {
    static const char* const kTrue[] = {"1", "true", "yes", "on"};
    static const char* const kFalse[] = {"0", "false", "no", "off"};
    for (const char* word : kTrue)
        if (zorakEqualNoCase(text, word)) return *value = true;
    for (const char* word : kFalse)
        if (zorakEqualNoCase(text, word)) return !(*value = false);
    return false;
}

// The options shared by format, scan and add.
struct ClockOptions {
    bool gmt = false;
    bool utc_named = false; // -timezone :UTC names the zone "UTC"
    std::string format;
    bool have_format = false;
    int64_t base = 0;
    bool have_base = false;
};

int readClockOptions(Interpreter* interp, const char* sub, int first, int argc, char** argv,
                     bool allow_format, bool allow_base, ClockOptions* options) {
    for (int i = first; i < argc; i += 2) {
        std::string_view name = argv[i];
        if (i + 1 >= argc) {
            zorakReportError(interp, "clock %s: Missing value for option '%s'\n", sub, argv[i]);
            return ERROR;
        }
        const char* value = argv[i + 1];
        if (allow_format && zorakEqualNoCase(name, "-format")) {
            options->format = value;
            options->have_format = true;
        } else if (zorakEqualNoCase(name, "-gmt")) {
            if (!readBoolean(value, &options->gmt)) {
                zorakReportError(interp, "clock %s: Expected a boolean but got '%s'\n", sub, value);
                return ERROR;
            }
        } else if (zorakEqualNoCase(name, "-timezone")) {
            std::string_view zone = value;
            if (!zone.empty() && zone[0] == ':') zone.remove_prefix(1);
            if (zone.empty() || zorakEqualNoCase(zone, "localtime")) {
                options->gmt = false;
            } else if (isUtcName(zone)) {
                options->gmt = true;
                options->utc_named = true;
            } else {
                zorakReportError(interp, "clock %s: Time zone '%s' is not supported\n", sub, value);
                return ERROR;
            }
        } else if (zorakEqualNoCase(name, "-locale")) {
            // Names and formats are always the English ones.
        } else if (allow_base && zorakEqualNoCase(name, "-base")) {
            if (!zorakReadWholeNumber(value, &options->base)) {
                zorakReportError(interp, "clock %s: Expected integer but got '%s'\n", sub, value);
                return ERROR;
            }
            options->have_base = true;
        } else {
            zorakReportError(interp, "clock %s: Bad option '%s'\n", sub, argv[i]);
            return ERROR;
        }
    }
    return OK;
}

void setNumber(Interpreter* interp, int64_t value) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld", static_cast<long long>(value));
    zorakSetResult(interp, text, 0);
}

int clockFormat(Interpreter* interp, int argc, char** argv) {
    if (argc < 3 || argc % 2 == 0) return zorakWrongArgs(interp, argc, argv);
    int64_t value;
    if (!zorakReadWholeNumber(argv[2], &value)) {
        zorakReportError(interp, "clock format: Expected integer but got '%s'\n", argv[2]);
        return ERROR;
    }
    ClockOptions options;
    if (readClockOptions(interp, "format", 3, argc, argv, true, false, &options) != OK)
        return ERROR;
    std::string format = options.have_format ? options.format : "%a %b %d %H:%M:%S %Z %Y";
    if (options.utc_named) {
        // %Z names the zone as the option did.
        for (size_t at = format.find("%Z"); at != std::string::npos; at = format.find("%Z", at))
            format.replace(at, 2, "UTC"), at += 3;
    }
    std::string out;
    if (!zorakFormatClock(value, format, options.gmt, &out)) {
        zorakReportError(interp, "clock format: Clock value %s is out of range\n", argv[2]);
        return ERROR;
    }
    zorakSetResult(interp, out.c_str(), static_cast<int>(out.size()));
    if (out.empty()) zorakSetResult(interp, "", 0);
    return OK;
}

int clockScan(Interpreter* interp, int argc, char** argv) {
    if (argc < 3 || argc % 2 == 0) return zorakWrongArgs(interp, argc, argv);
    ClockOptions options;
    if (readClockOptions(interp, "scan", 3, argc, argv, true, true, &options) != OK) return ERROR;
    int64_t base = options.have_base ? options.base : platformClockMicroseconds() / 1000000;
    ScanFields fields;
    bool read = options.have_format ? scanWithFormat(argv[2], options.format, &fields)
                                    : scanFreeForm(argv[2], &fields);
    if (!read) {
        if (options.have_format)
            zorakReportError(interp, "clock scan: '%s' does not match the format '%s'\n", argv[2],
                             options.format.c_str());
        else
            zorakReportError(interp, "clock scan: Unable to read a date from '%s'\n", argv[2]);
        return ERROR;
    }
    int64_t value;
    if (!resolveScan(fields, base, options.gmt, &value)) {
        zorakReportError(interp, "clock scan: Date '%s' is out of range\n", argv[2]);
        return ERROR;
    }
    setNumber(interp, value);
    return OK;
}

// Units of clock add; the calendar ones move the local (or UTC) date and
// keep the time of day, the others move the clock.
int unitIndex(std::string_view unit) {
    static const char* const kUnits[] = {"years", "months",  "weeks",  "days",
                                         "hours", "minutes", "seconds"};
    for (int i = 0; i < 7; i++) {
        std::string_view full = kUnits[i];
        if (zorakEqualNoCase(unit, full) || zorakEqualNoCase(unit, full.substr(0, full.size() - 1)))
            return i;
    }
    return -1;
}

int clockAdd(Interpreter* interp, int argc, char** argv) {
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    int64_t value;
    if (!zorakReadWholeNumber(argv[2], &value)) {
        zorakReportError(interp, "clock add: Expected integer but got '%s'\n", argv[2]);
        return ERROR;
    }
    int i = 3;
    // Count and unit pairs come first; options begin with "-" and a letter.
    int pairsEnd = i;
    while (pairsEnd + 1 < argc && !(argv[pairsEnd][0] == '-' &&
                                    std::isalpha(static_cast<unsigned char>(argv[pairsEnd][1]))))
        pairsEnd += 2;
    if (pairsEnd < argc &&
        !(argv[pairsEnd][0] == '-' && std::isalpha(static_cast<unsigned char>(argv[pairsEnd][1]))))
        return zorakWrongArgs(interp, argc, argv);
    ClockOptions options;
    if (readClockOptions(interp, "add", pairsEnd, argc, argv, false, false, &options) != OK)
        return ERROR;
    for (; i < pairsEnd; i += 2) {
        int64_t count;
        if (!zorakReadWholeNumber(argv[i], &count)) {
            zorakReportError(interp, "clock add: Expected integer but got '%s'\n", argv[i]);
            return ERROR;
        }
        int unit = unitIndex(argv[i + 1]);
        if (unit < 0) {
            zorakReportError(interp,
                             "clock add: Unknown unit '%s', must be years, months, weeks, days, "
                             "hours, minutes or seconds\n",
                             argv[i + 1]);
            return ERROR;
        }
        static const int64_t kSeconds[] = {0, 0, 0, 0, 3600, 60, 1};
        bool ok = true;
        if (unit >= 4) {
            // A count beyond the calendar's span cannot land inside it.
            if (count > kLastClockValue - kFirstClockValue ||
                count < kFirstClockValue - kLastClockValue)
                ok = false;
            else
                value += count * kSeconds[unit];
            ok = ok && value >= kFirstClockValue && value <= kLastClockValue;
        } else {
            CalendarTime t;
            ok = zorakBreakTime(value, options.gmt, &t) && count < 100000000 && count > -100000000;
            if (ok) {
                int64_t year = t.year, month = t.month, day = t.day;
                if (unit == 0 || unit == 1) {
                    int64_t months = (year * 12 + month - 1) + (unit == 0 ? count * 12 : count);
                    year = floorDiv(months, 12);
                    month = months - year * 12 + 1;
                    // The 31st of a shorter month is its last day.
                    int last = year >= 1 && year <= 9999
                                   ? zorakDaysInMonth(year, static_cast<int>(month))
                                   : 31;
                    if (day > last) day = last;
                } else {
                    day += unit == 2 ? count * 7 : count;
                }
                ok = zorakMakeTime(year, month, day, t.hour, t.minute, t.second, options.gmt,
                                   &value);
            }
        }
        if (!ok) {
            zorakReportError(interp, "clock add: Result is out of range\n");
            return ERROR;
        }
    }
    setNumber(interp, value);
    return OK;
}

int zorakCommandClock(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    std::string_view sub = argv[1];
    int64_t now = platformClockMicroseconds();
    if (zorakEqualNoCase(sub, "seconds") || zorakEqualNoCase(sub, "milliseconds") ||
        zorakEqualNoCase(sub, "microseconds")) {
        if (argc != 2) return zorakWrongArgs(interp, argc, argv);
        int64_t value = zorakEqualNoCase(sub, "seconds")        ? now / 1000000
                        : zorakEqualNoCase(sub, "milliseconds") ? now / 1000
                                                                : now;
        setNumber(interp, value);
        return OK;
    }
    if (zorakEqualNoCase(sub, "clicks")) {
        if (argc > 3) return zorakWrongArgs(interp, argc, argv);
        int64_t clicks = platformMonotonicMicroseconds();
        if (argc == 3) {
            if (zorakEqualNoCase(argv[2], "-milliseconds")) {
                clicks /= 1000;
            } else if (!zorakEqualNoCase(argv[2], "-microseconds")) {
                zorakReportError(interp,
                                 "clock clicks: Bad option '%s', must be -milliseconds or "
                                 "-microseconds\n",
                                 argv[2]);
                return ERROR;
            }
        }
        setNumber(interp, clicks);
        return OK;
    }
    if (zorakEqualNoCase(sub, "format")) return clockFormat(interp, argc, argv);
    if (zorakEqualNoCase(sub, "scan")) return clockScan(interp, argc, argv);
    if (zorakEqualNoCase(sub, "add")) return clockAdd(interp, argc, argv);
    zorakReportError(interp,
                     "clock: Unknown subcommand '%s', must be add, clicks, format, microseconds, "
                     "milliseconds, scan or seconds\n",
                     argv[1]);
    return ERROR;
}

} // namespace

bool zorakParseIsoDate(std::string_view input, bool strict, CalendarTime* out, double* fraction) {
    static const std::regex kIso(
        R"(^\s*(\d{4})(?:-(\d{1,2})-(\d{1,2})|/(\d{1,2})/(\d{1,2})|(\d{2})(\d{2}))(?:(?:[tT]|\s+)(\d{1,2}):(\d{2})(?::(\d{2})(\.\d+)?)?)?\s*[zZ]?\s*$)");
    std::string text(input);
    std::smatch m;
    if (!std::regex_match(text, m, kIso)) return false;
    int group = m[2].matched ? 2 : m[4].matched ? 4 : 6;
    int64_t year = std::atoll(m[1].str().c_str());
    int64_t month = std::atoll(m[group].str().c_str());
    int64_t day = std::atoll(m[group + 1].str().c_str());
    int64_t hour = m[8].matched ? std::atoll(m[8].str().c_str()) : 0;
    int64_t minute = m[9].matched ? std::atoll(m[9].str().c_str()) : 0;
    int64_t second = m[10].matched ? std::atoll(m[10].str().c_str()) : 0;
    *fraction = m[11].matched ? std::atof(m[11].str().c_str()) : 0.0;
    if (strict && (year < 1 || month < 1 || month > 12 || day < 1 ||
                   day > zorakDaysInMonth(year, static_cast<int>(month)) || hour > 23 ||
                   minute > 59 || second > 59))
        return false;
    int64_t seconds;
    if (!zorakMakeTime(year, month, day, hour, minute, second, true, &seconds)) return false;
    return zorakBreakTime(seconds, true, out);
}

void zorakRegisterClockCommand(Interpreter* interp) {
    zorakRegisterCommand(interp, "clock", zorakCommandClock, nullptr, 0);
}
