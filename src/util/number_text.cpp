#include "util/number_text.h"

#include "util/heap_text.h"

#include <cinttypes>
#include <cstdio>

bool zorakIsDecimalNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        i++;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        i++;
        if (i >= text.size()) return false;
        char next = text[i];
        if (!(next == '.' || (next >= '0' && next <= '9'))) return false;
    }
    int digits = 0, dots = 0;
    for (; i < text.size(); i++) {
        char c = text[i];
        if (c >= '0' && c <= '9') {
            digits++;
        } else if (c == '.') {
            if (++dots > 1) return false;
        } else {
            return false;
        }
    }
    return digits > 0;
}

char* zorakFormatInt(int64_t value) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%" PRId64, value);
    return zorakStrDup(buf);
}

char* zorakFormatUnsigned(uint64_t value) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%" PRIu64, value);
    return zorakStrDup(buf);
}

int64_t zorakLeadingInt(const char* text) {
    if (!text) return 0;
    while (*text == ' ' || *text == '\t' || *text == '\n' || *text == '\r' || *text == '\v' ||
           *text == '\f')
        text++;
    bool negative = false;
    if (*text == '+' || *text == '-') negative = *text++ == '-';
    uint64_t value = 0;
    const uint64_t limit = negative ? uint64_t(INT64_MAX) + 1 : uint64_t(INT64_MAX);
    for (; *text >= '0' && *text <= '9'; text++) {
        uint64_t digit = uint64_t(*text - '0');
        if (value > (limit - digit) / 10) {
            value = limit;
            break;
        }
        value = value * 10 + digit;
    }
    if (negative) return value == uint64_t(INT64_MAX) + 1 ? INT64_MIN : -int64_t(value);
    return int64_t(value);
}

std::string zorakFormatGrouped(uint64_t value) {
    std::string digits = std::to_string(value);
    std::string out;
    for (size_t i = 0; i < digits.size(); i++) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

int zorakDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
}
