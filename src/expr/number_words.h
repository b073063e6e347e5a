// The number commands: type conversions, radix conversions, truth values,
// rounding, predicates, ranges and random numbers. They share one strict
// reader of number words, so that a malformed or out-of-range number is an
// error instead of the silent 0 the operator commands read it as.
#pragma once

#include "interp/interp.h"

#include <cstdint>
#include <string>
#include <vector>

enum class NumberWordKind { NotNumber, Integer, Float, OutOfRange };

struct NumberWord {
    NumberWordKind kind = NumberWordKind::NotNumber;
    // Integer words: the value (radix words wrap into the signed range as
    // parse_integer_text reads them, so 0xffffffffffffffff is -1).
    int64_t integer = 0;
    // Both kinds: the value as a double.
    double real = 0.0;
};

// Reads a word by the numeric text rules, strictly: leading blanks, then a
// signed decimal integer, a floating text (digits with one "."), or a radix
// text ("0x"/"&h", "0b"/"&b", "0o") with at least one digit, every digit
// valid for the radix. Integers take 64 bits: decimal ones from the lowest
// signed value up to the highest unsigned one (which wraps, as radix texts
// do). Integers beyond that and floats beyond the double range are
// OutOfRange.
NumberWord zorakReadNumberWord(const char* text);

// Reports a failure of a number command through the error reporter and
// leaves the result empty (so catch sees the message rather than the value
// of an earlier substitution). Returns ERROR.
int zorakNumberFailure(Interpreter* interp, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;

// The same, reporting "CMD: Invalid argument 'TEXT'. Expected number" or
// "CMD: Number out of range 'TEXT'" and returning false for a bad word.
bool zorakNumberArgument(Interpreter* interp, const char* command, const char* text,
                         NumberWord* out);
// An integer word only: a floating word is "CMD: Invalid argument 'TEXT'.
// Expected integer".
bool zorakIntegerArgument(Interpreter* interp, const char* command, const char* text, int64_t* out);
// An integer word within low..high, else "CMD: NAME out of range 'TEXT'
// (LOW to HIGH)".
bool zorakBoundedArgument(Interpreter* interp, const char* command, const char* name,
                          const char* text, int64_t low, int64_t high, int64_t* out);

// The text a math function reads for a number word: integers in decimal,
// so that radix words such as &h10 reach it with their value.
std::string zorakFunctionText(const NumberWord& word, const char* text);

// Sets the result from a heap text a math function returned, freeing it;
// returns ERROR (with an empty result) when there was none.
int zorakFunctionResult(Interpreter* interp, char* value);

// The integers in decimal, separated by single spaces.
std::string zorakIntegerList(const std::vector<int64_t>& values);

// The largest count of elements or characters a number command builds.
constexpr int64_t kNumberWordsMaxCount = 1000000;

void zorakRegisterNumberConversionCommands(Interpreter* interp);
void zorakRegisterRandomCommands(Interpreter* interp);
// Registers every number command (the two families above as well).
void zorakRegisterNumberCommands(Interpreter* interp);
