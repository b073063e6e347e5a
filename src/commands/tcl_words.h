// The familiar Tcl words: format, printf and scan, binary, subst, apply, K,
// let, lset, lmap and lcount. Texts are 8-bit and end at a zero byte, so
// these commands refuse to make a zero byte instead of losing what follows.
#pragma once

#include "interp/interp.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The routine behind format and printf: fills the conversions of format from
// values. A bad specifier, a value of the wrong kind or too few values is
// reported as "command: ..." and gives false.
bool zorakFormatValues(Interpreter* interp, const char* command, const char* format, int count,
                       char** values, std::string* out);

// The shortest text that reads back as the same double, written as scan and
// binary give floating values: "350.0", "1e-5", "1.5e+300", "Inf".
std::string zorakShortestDouble(double value);

// The longest floating-point number at the start of text (sign, digits with
// at most one ".", an exponent only when it has digits, or "inf"/"infinity");
// returns the characters it takes, 0 when there is none.
size_t zorakScanDoubleText(std::string_view text, double* value);

// A whole text as an integer: blanks around, a sign, then "0x"/"&h", "0b"/"&b",
// "0o" or decimal digits, wrapping at 64 bits. False when anything else is there.
bool zorakStrictInteger(std::string_view text, int64_t* value);
// A whole text as a double: a number zorakScanDoubleText takes whole (blanks
// around allowed) or an integer zorakStrictInteger takes.
bool zorakStrictDouble(std::string_view text, double* value);

// Appends a character code: 1 to 255 as that byte, larger codes (up to
// 0x10FFFF) in UTF-8.
void zorakAppendCodePoint(std::string* out, uint32_t code);

// Stores value in the variable name for command. A constant keeps its value
// and, like any other failed store, is reported; returns false then.
bool zorakWordsSetVar(Interpreter* interp, const char* command, const char* name,
                      const char* value);

// Each family registers itself; zorakRegisterTclWordCommands registers them all.
void zorakRegisterFormatCommands(Interpreter* interp);
void zorakRegisterBinaryCommand(Interpreter* interp);
void zorakRegisterListWordCommands(Interpreter* interp);
void zorakRegisterEvalWordCommands(Interpreter* interp);
void zorakRegisterTclWordCommands(Interpreter* interp);
