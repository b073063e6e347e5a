// The clocks, sleeping and the local time zone on Linux.
#include "platform/platform.h"

#include <sched.h>
#include <time.h>

#include <cerrno>
#include <cstring>

int64_t platformClockMicroseconds() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

int64_t platformMonotonicMicroseconds() {
    timespec now{};
    // The boot-time clock counts from the system's start, suspended time too.
    if (clock_gettime(CLOCK_BOOTTIME, &now) != 0) clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

void platformSleep(long milliseconds) {
    if (milliseconds < 1) {
        sched_yield();
        return;
    }
    timespec wait{milliseconds / 1000, (milliseconds % 1000) * 1000000L};
    while (nanosleep(&wait, &wait) != 0 && errno == EINTR) {
    }
}

bool platformLocalZone(long long seconds, PlatformZone* zone) {
    time_t t = static_cast<time_t>(seconds);
    tm local{};
    if (!localtime_r(&t, &local)) return false;
    zone->offset = local.tm_gmtoff;
    zone->dst = local.tm_isdst > 0;
    zone->name = local.tm_zone ? local.tm_zone : "";
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
    errno = 0;
    time_t t = mktime(&local);
    if (t == static_cast<time_t>(-1) && errno != 0) return false;
    *seconds = static_cast<long long>(t);
    return true;
}
