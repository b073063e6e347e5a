// Completion codes, the numbered error table and the shared error reporter.
#pragma once

#include "interp/interp.h"

#include <cstdarg>

constexpr int OK = ZORAK_OK;
constexpr int ERROR = ZORAK_ERROR;
constexpr int RETURN = ZORAK_RETURN;
constexpr int BREAK = ZORAK_BREAK;
constexpr int CONTINUE = ZORAK_CONTINUE;
constexpr int EXIT = ZORAK_EXIT;
constexpr int STOP = ZORAK_STOP;
constexpr int GOTO = ZORAK_GOTO;
constexpr int DEFINED = ZORAK_DEFINED;

extern const char* const kErrorTexts[8];

// Stores a formatted message in ::errorMsg and prints it as the settings say.
// Returns true when the message was printed.
bool zorakReportError(Interpreter* interp, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;
bool zorakReportErrorV(Interpreter* interp, const char* format, va_list args);
void zorakSetErrorCode(Interpreter* interp, int code, const char* text);
const char* zorakCodeName(Interpreter* interp, int code);
void zorakReportException(const char* place, const char* detail);
// Reports that place ran out of memory: prints "place: out of memory" as
// the settings say, and leaves the numbered memory error (5, "Memory
// allocation") in ::errorCode and ::errorMsg. It never throws, though the
// report itself may find no memory left.
void zorakReportOutOfMemory(Interpreter* interp, const char* place);
// Sets a global variable through the variable layer (the error variables).
void zorakSetGlobal(Interpreter* interp, const char* name, const char* value);
