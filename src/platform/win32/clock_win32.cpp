// The clocks, sleeping and the local time zone on Windows.
#include "platform/platform.h"

#include <windows.h>

#include <cstring>
#include <ctime>
#include <time.h>

int64_t platformClockMicroseconds() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    uint64_t ticks = (static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    // 100-nanosecond ticks since 1601 as microseconds since 1970.
    return static_cast<int64_t>((ticks - 116444736000000000ull) / 10);
}

int64_t platformMonotonicMicroseconds() {
    LARGE_INTEGER frequency, count;
    if (QueryPerformanceFrequency(&frequency) && QueryPerformanceCounter(&count) &&
        frequency.QuadPart > 0) {
        int64_t whole = count.QuadPart / frequency.QuadPart;
        int64_t part = count.QuadPart % frequency.QuadPart;
        return whole * 1000000 + part * 1000000 / frequency.QuadPart;
    }
    return static_cast<int64_t>(GetTickCount64()) * 1000;
}

void platformSleep(long milliseconds) {
    Sleep(milliseconds < 1 ? 0 : static_cast<DWORD>(milliseconds));
}

bool platformLocalZone(long long seconds, PlatformZone* zone) {
    // The C runtime knows local time from 1970 to 3000 only; outside that,
    // the zone of the nearest moment it knows stands in.
    const long long kLastKnown = 32503680000LL - 86400;
    if (seconds < 86400) seconds = 86400;
    if (seconds > kLastKnown) seconds = kLastKnown;
    __time64_t t = static_cast<__time64_t>(seconds);
    tm local{}, utc{};
    if (_localtime64_s(&local, &t) != 0 || _gmtime64_s(&utc, &t) != 0) return false;
    // The offset is the local calendar time read back as if it were UTC.
    __time64_t localAsUtc = _mkgmtime64(&local);
    if (localAsUtc == -1) return false;
    zone->offset = static_cast<long>(localAsUtc - t);
    zone->dst = local.tm_isdst > 0;
    _tzset();
    const char* name = _tzname[zone->dst ? 1 : 0];
    zone->name = name ? name : "";
    return true;
}

bool platformLocalToClock(int year, int month, int day, int hour, int minute, int second,
                          long long* seconds) {
    tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    __time64_t t = _mktime64(&local);
    if (t == -1) return false;
    *seconds = static_cast<long long>(t);
    return true;
}
