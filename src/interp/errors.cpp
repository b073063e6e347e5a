#include "interp/errors.h"

#include "console/console.h"
#include "shell/settings.h"
#include "util/stack.h"
#include "vars/variables.h"

#include <cstdio>
#include <cstring>

const char* const kErrorTexts[8] = {"No error",
                                    "Syntax error",
                                    "Expected integer",
                                    "Stack overflow",
                                    "Error calling Velement",
                                    "Memory allocation",
                                    "Can't unset a struct member",
                                    "Error"};

static const char* const kCodeNames[9] = {"ok",   "error", "return", "break",  "continue",
                                          "exit", "stop",  "goto",   "defined"};

void zorakSetGlobal(Interpreter* interp, const char* name, const char* value) {
    if (!interp || !interp->callframe) return;
    char qualified[64];
    std::snprintf(qualified, sizeof qualified, "::%s", name);
    set_var(interp, qualified, value);
}

static void printCallTrace(bool open) {
    Stack* trace = zorakEval.call_trace;
    if (open) Writes("\r\n");
    int count = trace ? trace->count : 0;
    for (int i = 0; i < count; i++) {
        const char* entry = reinterpret_cast<const char*>(zorakStackPeek(trace, i));
        char line[1024];
        if (entry) {
            std::snprintf(line, sizeof line, "%s", entry);
            size_t n = std::strlen(line);
            while (n > 0 && std::strchr("\r\n\t ", line[n - 1]))
                line[--n] = '\0';
        }
        uint8_t saved = get_text_attribute();
        set_text_attribute(i == 0 ? 14 : 6);
        if (open) Writes(i == 0 ? "   At:" : "   In:");
        set_text_attribute(saved);
        if (open) console_printf(" %s\r\n", entry ? line : "[unknown]");
    }
}

bool zorakReportErrorV(Interpreter* interp, const char* format, va_list args) {
    long checkpoint = zorakEval.checkpoint;
    if (!console_state.console_open) OpenConsole(0);
    if (!format || !*format) return false;
    char message[1025];
    std::vsnprintf(message, sizeof message, format, args);
    size_t n = std::strlen(message);
    while (n > 0 && (message[n - 1] == '\r' || message[n - 1] == '\n'))
        message[--n] = '\0';
    if (interp) zorakSetGlobal(interp, "errorMsg", message);
    if (zorakSettings.quiet_next_error) {
        zorakSettings.quiet_next_error = 0;
        zorakEval.checkpoint = checkpoint;
        return false;
    }
    if (zorakLibrary.cgi_mode) {
        Writes("<font color=\"grey\">");
        Writes(message);
        Writes("</font><br>");
        return true;
    }
    if (!zorakSettings.step_mode && !zorakSettings.debug && !zorakSettings.error_echo) return false;
    bool open = console_state.console_open != 0;
    {
        SavedColours colours;
        if (zorakSettings.step_mode) {
            set_text_attribute(224);
            if (open) Writes("Breakpoint ");
        } else if (zorakSettings.stacktrace && open) {
            Writes("Error: ");
        }
        if (open) {
            Writes(message);
            Writes("\r\n");
        }
        if (zorakSettings.stacktrace) printCallTrace(open);
    }
    Writes("\r\n");
    return true;
}

bool zorakReportError(Interpreter* interp, const char* format, ...) {
    va_list args;
    va_start(args, format);
    bool printed = zorakReportErrorV(interp, format, args);
    va_end(args);
    return printed;
}

void zorakSetErrorCode(Interpreter* interp, int code, const char* text) {
    bool known = code >= 0 && code <= 7;
    if ((zorakSettings.debug || zorakSettings.error_echo) && text && known)
        console_printf("%s: %s\r\n", text, kErrorTexts[code]);
    char number[16];
    std::snprintf(number, sizeof number, "%d", code);
    zorakSetGlobal(interp, "errorCode", number);
    zorakSetGlobal(interp, "errorMsg", known ? kErrorTexts[code] : "");
}

const char* zorakCodeName(Interpreter* interp, int code) {
    if (code < 0 || code > 8) return "Unhandled error";
    char number[16];
    std::snprintf(number, sizeof number, "%d", code);
    zorakSetGlobal(interp, "errorCode", number);
    return kCodeNames[code];
}

void zorakReportException(const char* place, const char* detail) {
    if (!zorakSettings.error_echo && !zorakSettings.debug) return;
    {
        SavedColours colours;
        set_text_attribute(12);
        if (place) console_printf("\nException in '%s' at line %li", place, zorakEval.checkpoint);
        if (detail && *detail) console_printf(" (%s)", detail);
    }
    Writes("\n");
}

void zorakReportOutOfMemory(Interpreter* interp, const char* place) {
    try {
        zorakReportError(interp, "%s: out of memory\n", place && *place ? place : "eval");
        zorakSetErrorCode(interp, 5, nullptr);
    } catch (...) {
        // Nothing is left to report with; the caller's code 1 says enough.
    }
}
