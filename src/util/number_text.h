// Number-text helpers shared by the evaluator and the commands.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// True for the decimal number form a command word may take to be its own
// result: optional leading blanks or tabs, an optional sign that must be
// followed by a digit or ".", then digits with at most one "."; at least one
// digit and nothing else.
bool zorakIsDecimalNumber(std::string_view text);

// Fresh heap texts holding a number in decimal.
char* zorakFormatInt(int64_t value);
char* zorakFormatUnsigned(uint64_t value);

// C atol rules: leading blanks, optional sign, digits; stops at the first
// other character; no digits gives 0. Never overflows (saturates).
int64_t zorakLeadingInt(const char* text);

// A count written with a comma between groups of three digits ("1,234,567").
std::string zorakFormatGrouped(uint64_t value);

// The value of a decimal or hexadecimal digit (either case), or 99 for any
// other character, so that "digitValue(c) < base" tests a digit of base.
int zorakDigitValue(char c);
