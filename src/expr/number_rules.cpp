#include "expr/number_rules.h"

#include "interp/interp.h"
#include "util/number_text.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <cstdio>
#include <cstdlib>

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

int zorakRadixPrefix(const char* text) {
    char first = text[0];
    if (!first) return 0;
    char letter = lower(text[1]);
    if (first == '0') {
        if (letter == 'x') return 16;
        if (letter == 'b') return 2;
        if (letter == 'o') return 8;
    } else if (first == '&') {
        if (letter == 'h') return 16;
        if (letter == 'b') return 2;
    }
    return 0;
}

int64_t parse_integer_text(const char* text, IntegerTextStatus* status) {
    if (status) *status = IntegerTextStatus::Ok;
    if (!text) return 0;
    while (*text == ' ' || *text == '\t')
        text++;
    int radix = text[0] ? zorakRadixPrefix(text) : 0;
    if (radix) {
        // Radix digits wrap in 64 bits, so 0xffffffffffffffff reads as -1.
        uint64_t value = 0;
        for (const char* p = text + 2; zorakDigitValue(*p) < radix; p++)
            value =
                value * static_cast<uint64_t>(radix) + static_cast<uint64_t>(zorakDigitValue(*p));
        return static_cast<int64_t>(value);
    }
    if (text[0] == '&') {
        if (status) *status = IntegerTextStatus::UnknownType;
        return 0;
    }
    return zorakLeadingInt(text);
}

bool is_float_text(std::string_view text) {
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) i++;
    int digits = 0, dots = 0;
    for (; i < text.size(); i++) {
        if (isDigit(text[i]))
            digits++;
        else if (text[i] == '.')
            dots++;
        else
            return false;
    }
    return dots == 1 && digits > 0;
}

bool zorakIsFloatOperand(const char* text) {
    char c = text[0];
    if (!(isDigit(c) || c == '.' || c == '+' || c == '-')) return false;
    return is_float_text(text);
}

NumericClass numeric_class(const char* text) {
    const char* p = text;
    while (*p == ' ' || *p == '\t')
        p++;
    if (*p == '+' || *p == '-') p++;
    int dots = 0;
    if (*p == '.') {
        // A leading "." belongs to the number: .5 is floating.
        dots = 1;
        p++;
    }
    if (!isDigit(*p)) return NumericClass::NotNumeric;
    char second = p[1];
    if ((second == 'b' || second == 'o' || second == 'x' || second == 'X' || second == 'r') &&
        isDigit(p[2]))
        return NumericClass::Integer;
    for (; *p; p++) {
        if (isDigit(*p)) continue;
        if (*p == '.') {
            if (++dots > 1) return NumericClass::Integer;
            continue;
        }
        return NumericClass::NotNumeric;
    }
    return dots ? NumericClass::Float : NumericClass::Integer;
}

bool zorakIsNumberText(const char* text) {
    if (!text || !*text) return false;
    if (zorakIsDecimalNumber(text)) return true;
    int radix = zorakRadixPrefix(text);
    if (!radix || radix == 8) return false;
    const char* p = text + 2;
    if (!*p) return false;
    for (; *p; p++)
        if (zorakDigitValue(*p) >= radix) return false;
    return true;
}

double zorakTextToDouble(const char* text) {
    return text ? std::strtod(text, nullptr) : 0.0;
}

double zorakFloatTextToDouble(const char* text) {
    // Correctly rounded like strtod; values out of range are left to strtod.
    const char* start = *text == '+' ? text + 1 : text;
    double value = 0.0;
    auto parsed = std::from_chars(start, start + std::strlen(start), value);
    if (parsed.ec == std::errc()) return value;
    return std::strtod(text, nullptr);
}

int64_t zorakDoubleToInt64(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 9223372036854775808.0) return INT64_MAX;
    if (value < -9223372036854775808.0) return INT64_MIN;
    return static_cast<int64_t>(value);
}

std::string zorakFormatDouble(const char* format, double value) {
    char small[64];
    int n = std::snprintf(small, sizeof small, format, value);
    if (n < 0) return std::string();
    if (static_cast<size_t>(n) < sizeof small) return std::string(small, static_cast<size_t>(n));
    // Very large values print several hundred digits.
    std::string big(static_cast<size_t>(n) + 1, '\0');
    std::snprintf(big.data(), big.size(), format, value);
    big.resize(static_cast<size_t>(n));
    return big;
}

namespace {

// "%.15f" through the exact shortest-path formatter, which gives the very
// digits printf gives. Returns the length written into buf (400 bytes).
int fixed15(char* buf, double value) {
    auto written = std::to_chars(buf, buf + 399, value, std::chars_format::fixed, 15);
    if (written.ec != std::errc()) return std::snprintf(buf, 400, "%.15f", value);
    *written.ptr = '\0';
    return static_cast<int>(written.ptr - buf);
}

} // namespace

std::string zorakFormatFixed15(double value) {
    char buf[400];
    int n = fixed15(buf, value);
    return std::string(buf, static_cast<size_t>(n));
}

std::string zorakFormatFunctionValue(double value) {
    char buf[400];
    int n = fixed15(buf, value);
    // The field width of 15 only shows for texts such as inf and nan.
    std::string text(n < 15 ? static_cast<size_t>(15 - n) : 0, ' ');
    text.append(buf, static_cast<size_t>(n));
    return text;
}

int zorakPrintInt64(char* buf, int64_t value, bool as_unsigned) {
    bool negative = !as_unsigned && value < 0;
    uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    char digits[24];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    int length = 0;
    if (negative) buf[length++] = '-';
    while (n)
        buf[length++] = digits[--n];
    buf[length] = '\0';
    return length;
}

void zorakSetIntResult(Interpreter* interp, int64_t value, bool as_unsigned) {
    char buf[32];
    int n = zorakPrintInt64(buf, value, as_unsigned);
    zorakSetResult(interp, buf, n);
}

void zorakSetFixed15Result(Interpreter* interp, double value) {
    char buf[400];
    int n = fixed15(buf, value);
    zorakSetResult(interp, buf, n);
}
