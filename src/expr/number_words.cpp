// The strict reader of number words that the number commands share.
#include "expr/number_words.h"

#include "expr/number_rules.h"
#include "interp/errors.h"
#include "util/heap_text.h"
#include "util/number_text.h"

#include <cmath>
#include <cstdarg>
#include <cstdlib>
#include <cstring>

namespace {

NumberWord outOfRange() {
    NumberWord word;
    word.kind = NumberWordKind::OutOfRange;
    return word;
}

NumberWord integerWord(int64_t value) {
    NumberWord word;
    word.kind = NumberWordKind::Integer;
    word.integer = value;
    word.real = static_cast<double>(value);
    return word;
}

// Digits after a radix prefix: all valid, at least one, at most 64 bits.
NumberWord readRadixDigits(const char* digits, int radix) {
    if (!*digits) return NumberWord();
    uint64_t value = 0;
    bool overflow = false;
    for (const char* p = digits; *p; p++) {
        int digit = zorakDigitValue(*p);
        if (digit >= radix) return NumberWord();
        uint64_t d = static_cast<uint64_t>(digit);
        if (value > (UINT64_MAX - d) / static_cast<uint64_t>(radix)) overflow = true;
        value = value * static_cast<uint64_t>(radix) + d;
    }
    if (overflow) return outOfRange();
    return integerWord(static_cast<int64_t>(value));
}

NumberWord readDecimalInteger(const char* text) {
    bool negative = *text == '-';
    if (*text == '-' || *text == '+') text++;
    uint64_t magnitude = 0;
    for (const char* p = text; *p; p++) {
        uint64_t d = static_cast<uint64_t>(*p - '0');
        if (magnitude > (UINT64_MAX - d) / 10) return outOfRange();
        magnitude = magnitude * 10 + d;
    }
    // Up to the unsigned 64-bit range a positive value wraps into the signed
    // range as a radix text does: the radix-literal pass writes 0xff..ff as
    // 18446744073709551615, and the two must read alike.
    if (negative && magnitude > uint64_t(1) << 63) return outOfRange();
    return integerWord(negative ? static_cast<int64_t>(0 - magnitude)
                                : static_cast<int64_t>(magnitude));
}

} // namespace

NumberWord zorakReadNumberWord(const char* text) {
    if (!text) return NumberWord();
    while (*text == ' ' || *text == '\t')
        text++;
    if (int radix = zorakRadixPrefix(text)) return readRadixDigits(text + 2, radix);
    if (!zorakIsDecimalNumber(text)) return NumberWord();
    if (!std::strchr(text, '.')) return readDecimalInteger(text);
    NumberWord word;
    word.real = std::strtod(text, nullptr);
    if (std::isinf(word.real)) return outOfRange();
    word.kind = NumberWordKind::Float;
    return word;
}

int zorakNumberFailure(Interpreter* interp, const char* format, ...) {
    va_list args;
    va_start(args, format);
    zorakReportErrorV(interp, format, args);
    va_end(args);
    zorakSetResult(interp, "", 0);
    return ERROR;
}

bool zorakNumberArgument(Interpreter* interp, const char* command, const char* text,
                         NumberWord* out) {
    *out = zorakReadNumberWord(text);
    if (out->kind == NumberWordKind::NotNumber) {
        zorakNumberFailure(interp, "%s: Invalid argument '%s'. Expected number\n", command, text);
        return false;
    }
    if (out->kind == NumberWordKind::OutOfRange) {
        zorakNumberFailure(interp, "%s: Number out of range '%s'\n", command, text);
        return false;
    }
    return true;
}

bool zorakIntegerArgument(Interpreter* interp, const char* command, const char* text,
                          int64_t* out) {
    NumberWord word;
    if (!zorakNumberArgument(interp, command, text, &word)) return false;
    if (word.kind != NumberWordKind::Integer) {
        zorakNumberFailure(interp, "%s: Invalid argument '%s'. Expected integer\n", command, text);
        return false;
    }
    *out = word.integer;
    return true;
}

bool zorakBoundedArgument(Interpreter* interp, const char* command, const char* name,
                          const char* text, int64_t low, int64_t high, int64_t* out) {
    if (!zorakIntegerArgument(interp, command, text, out)) return false;
    if (*out >= low && *out <= high) return true;
    char lowText[32], highText[32];
    zorakPrintInt64(lowText, low);
    zorakPrintInt64(highText, high);
    zorakNumberFailure(interp, "%s: %s out of range '%s' (%s to %s)\n", command, name, text,
                       lowText, highText);
    return false;
}

std::string zorakFunctionText(const NumberWord& word, const char* text) {
    if (word.kind != NumberWordKind::Integer) return text;
    char buf[32];
    zorakPrintInt64(buf, word.integer);
    return buf;
}

std::string zorakIntegerList(const std::vector<int64_t>& values) {
    std::string text;
    text.reserve(values.size() * 4);
    char buf[32];
    for (size_t i = 0; i < values.size(); i++) {
        if (i) text += ' ';
        text.append(buf, static_cast<size_t>(zorakPrintInt64(buf, values[i])));
    }
    return text;
}

int zorakFunctionResult(Interpreter* interp, char* value) {
    HeapText owned(value);
    if (!value) {
        zorakSetResult(interp, "", 0);
        return ERROR;
    }
    zorakSetResult(interp, value, 0);
    return OK;
}
