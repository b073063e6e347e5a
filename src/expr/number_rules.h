// The numeric text rules of the dialect: which texts are integers and which
// floating-point numbers, how they are read, and the fixed result formats.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

enum class IntegerTextStatus {
    Ok,
    // A text starting with "&" and no known radix letter after it.
    UnknownType
};

// The radix a prefix selects ("0x" or "&h" 16, "0b" or "&b" 2, "0o" 8; the
// letter in either case), or 0 for a text without one.
int zorakRadixPrefix(const char* text);

// "0x"/"&h" hexadecimal, "0b"/"&b" binary and "0o" octal digits (wrapping in
// 64 bits); anything else a signed decimal with leading blanks skipped and
// reading stopped at the first non-digit (saturating at the 64-bit range).
int64_t parse_integer_text(const char* text, IntegerTextStatus* status = nullptr);

// An optional sign, then only digits and exactly one ".", at least one digit.
bool is_float_text(std::string_view text);

// The arithmetic commands' test: the first character is a digit, ".", "+"
// or "-" and the text is floating text.
bool zorakIsFloatOperand(const char* text);

enum class NumericClass { NotNumeric, Integer, Float };
// The relational commands' classification of an operand.
NumericClass numeric_class(const char* text);

// True for a decimal number, or for a radix text ("0x", "&h", "&b") whose
// digits are all valid: the values the unary and increment commands accept.
bool zorakIsNumberText(const char* text);

// The C library's text-to-double conversion.
double zorakTextToDouble(const char* text);
// The same conversion for a text that passed is_float_text, done faster.
double zorakFloatTextToDouble(const char* text);
// A double converted to a 64-bit integer, saturating at the range and
// giving 0 for NaN, so no conversion is undefined.
int64_t zorakDoubleToInt64(double value);

// The result formats.
// Writes a 64-bit integer in decimal ("%I64i", or "%I64u" when as_unsigned)
// into buf (at least 24 bytes) with a terminating zero; returns the length.
int zorakPrintInt64(char* buf, int64_t value, bool as_unsigned = false);
std::string zorakFormatFixed15(double value);       // "%.15f"
std::string zorakFormatFunctionValue(double value); // "%15.15f"
std::string zorakFormatDouble(const char* format, double value);
void zorakSetIntResult(struct Interpreter* interp, int64_t value, bool as_unsigned = false);
void zorakSetFixed15Result(struct Interpreter* interp, double value);
