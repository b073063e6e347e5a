// The date and time commands: the clocks (now, ticks, timer), timing and
// waiting (time, sleep, after, vwait, doevents), and the calendar helpers
// (date, dateserial, day_of_week, the clock value and date serial
// conversions, is_date, is_dst, is_leapyear). Date serials count days since
// 1899-12-30 with the time of day as the fraction.
#include "services/time_commands.h"

#include "console/console.h"
#include "interp/errors.h"
#include "interp/evaluator.h"
#include "interp/interp.h"
#include "interp/registry.h"
#include "platform/platform.h"
#include "shell/settings.h"
#include "commands/list_core.h"
#include "util/text.h"
#include "vars/variables.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Scripts queued by after. Each belongs to the interpreter that queued it
// and runs only there.
struct AfterEvent {
    std::string id;
    std::string script;
    int64_t due = 0; // on the monotonic clock, microseconds
    bool idle = false;
    Interpreter* owner = nullptr;
};

struct AfterState {
    std::vector<AfterEvent> events;
    unsigned long next_id = 0;
};

AfterState zorakAfter;

// Long waits sleep in slices so that Ctrl-C is seen.
constexpr long kSleepSliceMs = 50;

int64_t nowMicros() {
    return platformMonotonicMicroseconds();
}

void setNumber(Interpreter* interp, int64_t value) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld", static_cast<long long>(value));
    zorakSetResult(interp, text, 0);
}

void setDouble(Interpreter* interp, double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.15g", value);
    zorakSetResult(interp, text, 0);
}

void setBool(Interpreter* interp, bool value) {
    zorakSetResult(interp, value ? "1" : "0", 1);
}

int64_t clockNow() {
    return platformClockMicroseconds() / 1000000;
}

// Sleeps, waking for Ctrl-C; false when the user interrupted.
bool sleepFor(Interpreter* interp, int64_t milliseconds) {
    int64_t end = nowMicros() + milliseconds * 1000;
    for (;;) {
        if (zorakInterrupted(interp)) return false;
        int64_t left = (end - nowMicros() + 999) / 1000;
        if (left <= 0) return true;
        platformSleep(static_cast<long>(left < kSleepSliceMs ? left : kSleepSliceMs));
    }
}

// A delay in milliseconds: a whole number from 0 up.
bool readDelay(Interpreter* interp, const char* command, const char* text, int64_t* ms) {
    if (!zorakReadWholeNumber(text, ms) || *ms < 0) {
        zorakReportError(interp, "%s: Expected a delay in milliseconds (0 or more) but got '%s'\n",
                         command, text);
        return false;
    }
    // Beyond a few centuries the sums on the clock would overflow.
    if (*ms > 10000000000000LL) *ms = 10000000000000LL;
    return true;
}

// Takes a flag out of a copy of the words, wherever it stands.
bool takeFlag(std::vector<char*>* words, const char* flag) {
    for (size_t i = 1; i < words->size(); i++) {
        if (zorakEqualNoCase((*words)[i], flag)) {
            words->erase(words->begin() + static_cast<long>(i));
            return true;
        }
    }
    return false;
}

std::string joinScripts(int first, int argc, char** argv) {
    std::string script;
    for (int i = first; i < argc; i++) {
        if (i > first) script += ' ';
        script += argv[i];
    }
    return script;
}

// ---- the clocks ----

int zorakCommandNow(Interpreter* interp, int argc, char** argv, void*) {
    std::vector<char*> words(argv, argv + argc);
    bool gmt = takeFlag(&words, "-gmt");
    bool serial = takeFlag(&words, "-double");
    int count = static_cast<int>(words.size());
    if (count != 1) return zorakWrongArgs(interp, argc, argv);
    CalendarTime t;
    if (!zorakBreakTime(clockNow(), gmt, &t)) {
        zorakReportError(interp, "now: The clock is out of range\n");
        return ERROR;
    }
    if (serial) {
        setDouble(interp, zorakSerialFromCalendar(t));
        return OK;
    }
    char text[64];
    std::snprintf(text, sizeof text, "%04lld-%02d-%02d %02d:%02d:%02d",
                  static_cast<long long>(t.year), t.month, t.day, t.hour, t.minute, t.second);
    zorakSetResult(interp, text, 0);
    return OK;
}

int zorakCommandTicks(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 1) return zorakWrongArgs(interp, argc, argv);
    setNumber(interp, nowMicros() / 1000);
    return OK;
}

// Seconds since local midnight, to the hundredth.
int zorakCommandTimer(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 1) return zorakWrongArgs(interp, argc, argv);
    int64_t micros = platformClockMicroseconds();
    CalendarTime t;
    if (!zorakBreakTime(micros / 1000000, false, &t)) t = CalendarTime{};
    double seconds = t.hour * 3600.0 + t.minute * 60.0 + t.second + (micros % 1000000) / 1e6;
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", seconds);
    zorakSetResult(interp, text, 0);
    return OK;
}

// ---- timing and waiting ----

int zorakCommandTime(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2 && argc != 3) return zorakWrongArgs(interp, argc, argv);
    int64_t count = 1;
    if (argc == 3 && !zorakReadWholeNumber(argv[2], &count)) {
        zorakReportError(interp, "time: Expected an iteration count but got '%s'\n", argv[2]);
        return ERROR;
    }
    int64_t start = nowMicros();
    for (int64_t i = 0; i < count; i++) {
        if (zorakInterrupted(interp)) return STOP;
        int code = kuvetEval(interp, argv[1], 0, 0);
        // A break ends the timing early; the other codes that end a script
        // pass out unchanged.
        if (code == BREAK) break;
        if (code != OK && code != CONTINUE) return code;
    }
    int64_t elapsed = nowMicros() - start;
    char text[80];
    if (count <= 0) {
        std::snprintf(text, sizeof text, "0 microseconds per iteration");
    } else {
        double per = static_cast<double>(elapsed) / static_cast<double>(count);
        if (per == std::floor(per))
            std::snprintf(text, sizeof text, "%.0f microseconds per iteration", per);
        else
            std::snprintf(text, sizeof text, "%.3f microseconds per iteration", per);
    }
    zorakSetResult(interp, text, 0);
    if (zorakSettings.echo) console_printf("%s\n", text);
    return OK;
}

int zorakCommandSleep(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    int64_t ms;
    if (!readDelay(interp, argv[0], argv[1], &ms)) return ERROR;
    return sleepFor(interp, ms) ? OK : STOP;
}

// Runs one queued script at global level; a failing one is reported (the
// error reporter has printed it) and the waiting goes on, as nobody called
// it to catch the error.
int runEvent(Interpreter* interp, const AfterEvent& event) {
    CallFrame* saved = interp->callframe;
    CallFrame* global = frame_at_level(interp, 0);
    if (global) interp->callframe = global;
    int code = kuvetEval(interp, event.script.c_str(), 0, 0);
    interp->callframe = saved;
    return code;
}

// Takes the next event of this interpreter that is due by `until`
// (timers in due order before idle scripts); false when none is.
bool takeDueEvent(Interpreter* interp, int64_t until, AfterEvent* out) {
    int best = -1;
    for (size_t i = 0; i < zorakAfter.events.size(); i++) {
        const AfterEvent& e = zorakAfter.events[i];
        if (e.owner != interp || e.idle || e.due > until) continue;
        if (best < 0 || e.due < zorakAfter.events[static_cast<size_t>(best)].due)
            best = static_cast<int>(i);
    }
    if (best < 0) {
        for (size_t i = 0; i < zorakAfter.events.size(); i++)
            if (zorakAfter.events[i].owner == interp && zorakAfter.events[i].idle) {
                best = static_cast<int>(i);
                break;
            }
    }
    if (best < 0) return false;
    *out = zorakAfter.events[static_cast<size_t>(best)];
    zorakAfter.events.erase(zorakAfter.events.begin() + best);
    return true;
}

// The earliest due time among this interpreter's events; false when it has
// none.
bool nextDue(Interpreter* interp, int64_t* due) {
    bool any = false;
    for (const AfterEvent& e : zorakAfter.events) {
        if (e.owner != interp) continue;
        int64_t when = e.idle ? 0 : e.due;
        if (!any || when < *due) *due = when;
        any = true;
    }
    return any;
}

// A script ending the whole run (exit, stop) ends the wait with it.
bool endsRun(int code) {
    return code == EXIT || code == STOP;
}

int zorakCommandDoevents(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 1) return zorakWrongArgs(interp, argc, argv);
    // Only what is due now runs; scripts that queue themselves again wait
    // for the next call, so this never spins.
    int64_t now = nowMicros();
    std::vector<std::string> due;
    for (const AfterEvent& e : zorakAfter.events)
        if (e.owner == interp && (e.idle || e.due <= now)) due.push_back(e.id);
    int ran = 0;
    for (const std::string& id : due) {
        for (size_t i = 0; i < zorakAfter.events.size(); i++) {
            if (zorakAfter.events[i].id != id || zorakAfter.events[i].owner != interp) continue;
            AfterEvent event = zorakAfter.events[i];
            zorakAfter.events.erase(zorakAfter.events.begin() + static_cast<long>(i));
            int code = runEvent(interp, event);
            ran++;
            if (endsRun(code)) return code;
            break;
        }
    }
    setNumber(interp, ran);
    return OK;
}

int zorakCommandVwait(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    // The variable is a global one, as the queued scripts run at global level.
    std::string name = argv[1];
    if (name.compare(0, 2, "::") != 0) name = "::" + name;
    size_t paren = name.find('(');
    std::string variable = paren == std::string::npos ? name : name.substr(0, paren);
    Var* before = zorakGetVar(interp, variable.c_str(), 0);
    if (before) before->changed = 0;
    for (;;) {
        int64_t due = 0;
        if (!nextDue(interp, &due)) {
            zorakReportError(interp, "vwait: Can't wait for variable '%s': would wait forever\n",
                             argv[1]);
            return ERROR;
        }
        int64_t wait = (due - nowMicros() + 999) / 1000;
        if (wait > 0 && !sleepFor(interp, wait)) return STOP;
        AfterEvent event;
        if (!takeDueEvent(interp, nowMicros(), &event)) continue;
        int code = runEvent(interp, event);
        if (endsRun(code)) return code;
        // A write marks the record; a variable made anew is marked too.
        Var* after = zorakGetVar(interp, variable.c_str(), 0);
        if (after && after->changed) break;
        if (before && !after) break;
        before = after;
    }
    zorakSetResult(interp, "", 0);
    return OK;
}

int afterInfo(Interpreter* interp, int argc, char** argv) {
    if (argc > 3) return zorakWrongArgs(interp, argc, argv);
    if (argc == 2) {
        std::string list;
        // Newest first.
        for (size_t i = zorakAfter.events.size(); i-- > 0;) {
            const AfterEvent& e = zorakAfter.events[i];
            if (e.owner != interp) continue;
            if (!list.empty()) list += ' ';
            list += e.id;
        }
        zorakSetResult(interp, list.c_str(), static_cast<int>(list.size()));
        if (list.empty()) zorakSetResult(interp, "", 0);
        return OK;
    }
    for (const AfterEvent& e : zorakAfter.events) {
        if (e.owner != interp || e.id != argv[2]) continue;
        const char* words[2] = {e.script.c_str(), e.idle ? "idle" : "timer"};
        std::string info = zorakBuildList(2, words);
        zorakSetResult(interp, info.c_str(), static_cast<int>(info.size()));
        return OK;
    }
    zorakReportError(interp, "after info: Event '%s' does not exist\n", argv[2]);
    return ERROR;
}

int zorakCommandAfter(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    std::string_view first = argv[1];
    if (zorakEqualNoCase(first, "info")) return afterInfo(interp, argc, argv);
    if (zorakEqualNoCase(first, "cancel")) {
        if (argc < 3) return zorakWrongArgs(interp, argc, argv);
        std::string script = joinScripts(2, argc, argv);
        // By id, or else by the script text; an unknown one is no error.
        for (size_t i = 0; i < zorakAfter.events.size(); i++) {
            const AfterEvent& e = zorakAfter.events[i];
            if (e.owner == interp && (e.id == script || e.script == script)) {
                zorakAfter.events.erase(zorakAfter.events.begin() + static_cast<long>(i));
                break;
            }
        }
        zorakSetResult(interp, "", 0);
        return OK;
    }
    AfterEvent event;
    event.owner = interp;
    if (zorakEqualNoCase(first, "idle")) {
        if (argc < 3) return zorakWrongArgs(interp, argc, argv);
        event.idle = true;
    } else {
        int64_t ms;
        if (!zorakReadWholeNumber(first, &ms)) {
            zorakReportError(interp,
                             "after: Bad argument '%s', must be cancel, idle, info or a delay in "
                             "milliseconds\n",
                             argv[1]);
            return ERROR;
        }
        // A delay below 0 is no delay; one of centuries is capped.
        if (ms < 0) ms = 0;
        if (ms > 10000000000000LL) ms = 10000000000000LL;
        if (argc == 2) return sleepFor(interp, ms) ? OK : STOP;
        event.due = nowMicros() + ms * 1000;
    }
    event.script = joinScripts(2, argc, argv);
    event.id = "after#" + std::to_string(zorakAfter.next_id++);
    zorakAfter.events.push_back(event);
    zorakSetResult(interp, event.id.c_str(), static_cast<int>(event.id.size()));
    return OK;
}

// ---- the calendar ----

// The date tokens: $yyyy, $yy, $mm, $dd, $hh, $ii (minutes), $ss; each
// inserted value is left alone, so no token is read twice.
std::string expandTokens(const std::string& format, const CalendarTime& t) {
    struct Token {
        const char* name;
        int64_t value;
        int width;
    };
    const Token tokens[] = {{"$yyyy", t.year, 4}, {"$yy", t.year % 100, 2}, {"$mm", t.month, 2},
                            {"$dd", t.day, 2},    {"$hh", t.hour, 2},       {"$ii", t.minute, 2},
                            {"$ss", t.second, 2}};
    std::string out;
    for (size_t i = 0; i < format.size();) {
        bool matched = false;
        if (format[i] == '$') {
            for (const Token& token : tokens) {
                size_t length = std::strlen(token.name);
                if (format.compare(i, length, token.name) != 0) continue;
                char text[32];
                std::snprintf(text, sizeof text, "%0*lld", token.width,
                              static_cast<long long>(token.value));
                out += text;
                i += length;
                matched = true;
                break;
            }
        }
        if (!matched) out += format[i++];
    }
    return out;
}

// A clock value given as a whole number, or the current time.
bool readClockValue(Interpreter* interp, const char* command, const char* text, int64_t* value) {
    if (zorakReadWholeNumber(text, value) && *value >= kFirstClockValue &&
        *value <= kLastClockValue)
        return true;
    zorakReportError(interp, "%s: Expected a clock value (seconds since 1970) but got '%s'\n",
                     command, text);
    return false;
}

int zorakCommandDate(Interpreter* interp, int argc, char** argv, void*) {
    std::vector<char*> words(argv, argv + argc);
    bool gmt = takeFlag(&words, "-gmt");
    int count = static_cast<int>(words.size());
    if (count > 3) return zorakWrongArgs(interp, argc, argv);
    int64_t when = clockNow();
    if (count == 3 && !readClockValue(interp, words[0], words[2], &when)) return ERROR;
    CalendarTime t;
    if (!zorakBreakTime(when, gmt, &t)) {
        zorakReportError(interp, "date: The time zone is unknown\n");
        return ERROR;
    }
    std::string text = expandTokens(count >= 2 ? words[1] : "$dd-$mm-$yyyy", t);
    zorakSetResult(interp, text.c_str(), static_cast<int>(text.size()));
    if (text.empty()) zorakSetResult(interp, "", 0);
    return OK;
}

int zorakCommandDateserial(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 4) return zorakWrongArgs(interp, argc, argv);
    int64_t field[3];
    for (int i = 0; i < 3; i++) {
        if (!zorakReadWholeNumber(argv[i + 1], &field[i])) {
            zorakReportError(interp, "dateserial: Expected integer but got '%s'\n", argv[i + 1]);
            return ERROR;
        }
    }
    int64_t seconds;
    CalendarTime t;
    // Months and days beyond their range carry into the next ones.
    if (!zorakMakeTime(field[0], field[1], field[2], 0, 0, 0, true, &seconds) ||
        !zorakBreakTime(seconds, true, &t)) {
        zorakReportError(interp, "dateserial: Date %s-%s-%s is out of range\n", argv[1], argv[2],
                         argv[3]);
        return ERROR;
    }
    setNumber(interp, static_cast<int64_t>(zorakSerialFromCalendar(t)));
    return OK;
}

// A date text of the forms zorakParseIsoDate reads, checked strictly.
bool readDate(Interpreter* interp, const char* command, const char* text, CalendarTime* t,
              double* fraction = nullptr) {
    double ignored;
    if (zorakParseIsoDate(text, true, t, fraction ? fraction : &ignored)) return true;
    zorakReportError(interp, "%s: Expected a date as yyyy-mm-dd ?hh:mm:ss? but got '%s'\n", command,
                     text);
    return false;
}

int zorakCommandDayOfWeek(Interpreter* interp, int argc, char** argv, void*) {
    std::vector<char*> words(argv, argv + argc);
    bool name = takeFlag(&words, "-name");
    int count = static_cast<int>(words.size());
    if (count > 2) return zorakWrongArgs(interp, argc, argv);
    CalendarTime t;
    if (count == 2) {
        if (!readDate(interp, words[0], words[1], &t)) return ERROR;
    } else if (!zorakBreakTime(clockNow(), false, &t)) {
        zorakReportError(interp, "day_of_week: The time zone is unknown\n");
        return ERROR;
    }
    if (name) {
        static const char* const kNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                              "Thursday", "Friday", "Saturday"};
        zorakSetResult(interp, kNames[t.weekday], 0);
    } else {
        setNumber(interp, t.weekday);
    }
    return OK;
}

int zorakCommandDateToCtime(Interpreter* interp, int argc, char** argv, void*) {
    std::vector<char*> words(argv, argv + argc);
    bool gmt = takeFlag(&words, "-gmt");
    int count = static_cast<int>(words.size());
    if (count != 2) return zorakWrongArgs(interp, argc, argv);
    CalendarTime t;
    if (!readDate(interp, words[0], words[1], &t)) return ERROR;
    int64_t seconds;
    if (!zorakMakeTime(t.year, t.month, t.day, t.hour, t.minute, t.second, gmt, &seconds)) {
        zorakReportError(interp, "date_to_ctime: Date '%s' is out of range\n", words[1]);
        return ERROR;
    }
    setNumber(interp, seconds);
    return OK;
}

int zorakCommandCtimeToDouble(Interpreter* interp, int argc, char** argv, void*) {
    std::vector<char*> words(argv, argv + argc);
    bool gmt = takeFlag(&words, "-gmt");
    int count = static_cast<int>(words.size());
    if (count != 2) return zorakWrongArgs(interp, argc, argv);
    int64_t seconds;
    if (!readClockValue(interp, words[0], words[1], &seconds)) return ERROR;
    CalendarTime t;
    if (!zorakBreakTime(seconds, gmt, &t)) {
        zorakReportError(interp, "ctime_to_double: The time zone is unknown\n");
        return ERROR;
    }
    setDouble(interp, zorakSerialFromCalendar(t));
    return OK;
}

int zorakCommandDoubleToCtime(Interpreter* interp, int argc, char** argv, void*) {
    std::vector<char*> words(argv, argv + argc);
    bool gmt = takeFlag(&words, "-gmt");
    int count = static_cast<int>(words.size());
    if (count != 2) return zorakWrongArgs(interp, argc, argv);
    char* end = nullptr;
    double serial = std::strtod(words[1], &end);
    while (end && (*end == ' ' || *end == '\t'))
        end++;
    // Serials of the calendar's years 1 to 9999 only.
    if (end == words[1] || !end || *end || !std::isfinite(serial) || serial < -693593.0 ||
        serial >= 2958466.0) {
        zorakReportError(interp, "double_to_ctime: Expected a date serial but got '%s'\n",
                         words[1]);
        return ERROR;
    }
    double days = std::trunc(serial);
    int64_t secondOfDay = std::llround(std::fabs(serial - days) * 86400.0);
    int64_t seconds;
    if (!zorakMakeTime(1899, 12, 30 + static_cast<int64_t>(days), 0, 0, secondOfDay, gmt,
                       &seconds)) {
        zorakReportError(interp, "double_to_ctime: Date serial %s is out of range\n", words[1]);
        return ERROR;
    }
    setNumber(interp, seconds);
    return OK;
}

int zorakCommandIsoToDouble(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    CalendarTime t;
    double fraction = 0;
    if (!readDate(interp, argv[0], argv[1], &t, &fraction)) return ERROR;
    double serial = zorakSerialFromCalendar(t);
    setDouble(interp, serial < 0 ? serial - fraction / 86400.0 : serial + fraction / 86400.0);
    return OK;
}

int zorakCommandIsDate(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    CalendarTime t;
    double fraction;
    setBool(interp, zorakParseIsoDate(argv[1], true, &t, &fraction));
    return OK;
}

int zorakCommandIsDst(Interpreter* interp, int argc, char** argv, void*) {
    if (argc > 2) return zorakWrongArgs(interp, argc, argv);
    int64_t when = clockNow();
    if (argc == 2 && !readClockValue(interp, argv[0], argv[1], &when)) return ERROR;
    PlatformZone zone;
    if (!platformLocalZone(when, &zone)) {
        zorakReportError(interp, "is_dst: The time zone is unknown\n");
        return ERROR;
    }
    setBool(interp, zone.dst);
    return OK;
}

int zorakCommandIsLeapyear(Interpreter* interp, int argc, char** argv, void*) {
    if (argc > 2) return zorakWrongArgs(interp, argc, argv);
    int64_t year;
    if (argc == 2) {
        if (!zorakReadWholeNumber(argv[1], &year)) {
            zorakReportError(interp, "is_leapyear: Expected a year but got '%s'\n", argv[1]);
            return ERROR;
        }
    } else {
        CalendarTime t;
        zorakBreakTime(clockNow(), false, &t);
        year = t.year;
    }
    setBool(interp, zorakIsLeapYear(year));
    return OK;
}

} // namespace

void zorakDropAfterEvents(Interpreter* interp) {
    auto& events = zorakAfter.events;
    for (size_t i = 0; i < events.size();) {
        if (events[i].owner == interp)
            events.erase(events.begin() + static_cast<long>(i));
        else
            i++;
    }
}

void zorakRegisterTimeCommands(Interpreter* interp) {
    static const struct {
        const char* name;
        CommandHandler handler;
    } kCommands[] = {
        {"now", zorakCommandNow},
        {"ticks", zorakCommandTicks},
        {"timer", zorakCommandTimer},
        {"time", zorakCommandTime},
        {"sleep", zorakCommandSleep},
        {"after", zorakCommandAfter},
        {"vwait", zorakCommandVwait},
        {"doevents", zorakCommandDoevents},
        {"date", zorakCommandDate},
        {"dateserial", zorakCommandDateserial},
        {"day_of_week", zorakCommandDayOfWeek},
        {"date_to_ctime", zorakCommandDateToCtime},
        {"ctime_to_double", zorakCommandCtimeToDouble},
        {"double_to_ctime", zorakCommandDoubleToCtime},
        {"iso_to_double", zorakCommandIsoToDouble},
        {"is_date", zorakCommandIsDate},
        {"is_dst", zorakCommandIsDst},
        {"is_leapyear", zorakCommandIsLeapyear},
    };
    for (const auto& row : kCommands)
        zorakRegisterCommand(interp, row.name, row.handler, nullptr, 0);
}

void zorakRegisterTimeAndEnvironmentCommands(Interpreter* interp) {
    zorakRegisterTimeCommands(interp);
    zorakRegisterClockCommand(interp);
    zorakRegisterEnvironmentCommands(interp);
    zorakRegisterInterpCommand(interp);
}
