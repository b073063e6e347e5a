// format, printf and scan: the conversion languages of the C library as
// scripts know them (flags, width, precision, "*", positional "%n$", the
// integer, character, text and floating conversions), with every value
// checked before it is used and never a read past the last argument.
#include "commands/tcl_words.h"

#include "commands/list_core.h"
#include "commands/string_core.h"
#include "expr/number_rules.h"
#include "console/console.h"
#include "interp/errors.h"
#include "interp/parser.h"
#include "interp/registry.h"
#include "shell/settings.h"
#include "util/number_text.h"
#include "util/text.h"
#include "vars/variables.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace {

// Widths and precisions above this are refused rather than allocated.
constexpr int64_t kMaxField = 1000000;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// ---------------------------------------------------------------- format

struct FieldFormat {
    bool left = false, plus = false, space = false, zero = false, alternate = false;
    int64_t width = 0;
    int64_t precision = -1;
    // 'h' for 16 bits, 'l' for 64 (the default is 64 bits as well).
    char size = 0;
    char conversion = 0;
};

// Pads body to the field width: spaces before (or after, left-justified),
// or zeros after the sign and prefix when zero padding applies.
void padField(std::string* out, const FieldFormat& field, std::string_view prefix,
              std::string_view body, bool zeroPad) {
    int64_t length = static_cast<int64_t>(prefix.size() + body.size());
    int64_t fill = field.width > length ? field.width - length : 0;
    if (zeroPad) {
        out->append(prefix);
        out->append(static_cast<size_t>(fill), '0');
        out->append(body);
    } else if (field.left) {
        out->append(prefix);
        out->append(body);
        out->append(static_cast<size_t>(fill), ' ');
    } else {
        out->append(static_cast<size_t>(fill), ' ');
        out->append(prefix);
        out->append(body);
    }
}

void formatInteger(std::string* out, const FieldFormat& field, int64_t value) {
    char conv = field.conversion;
    bool isSigned = conv == 'd' || conv == 'i';
    uint64_t bits = static_cast<uint64_t>(value);
    if (field.size == 'h') {
        bits &= 0xFFFF;
        if (isSigned) value = static_cast<int16_t>(static_cast<uint16_t>(bits));
    }
    bool negative = isSigned && value < 0;
    uint64_t magnitude =
        isSigned ? (negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value))
                 : bits;
    unsigned base = 10;
    const char* digitSet = "0123456789abcdef";
    if (conv == 'o') base = 8;
    if (conv == 'x' || conv == 'X') base = 16;
    if (conv == 'X') digitSet = "0123456789ABCDEF";
    if (conv == 'b') base = 2;
    std::string digits;
    do {
        digits.push_back(digitSet[magnitude % base]);
        magnitude /= base;
    } while (magnitude);
    std::string body(digits.rbegin(), digits.rend());
    if (field.precision > static_cast<int64_t>(body.size()))
        body.insert(0, static_cast<size_t>(field.precision) - body.size(), '0');
    std::string prefix;
    if (negative)
        prefix = "-";
    else if (isSigned && field.plus)
        prefix = "+";
    else if (isSigned && field.space)
        prefix = " ";
    if (field.alternate) {
        if (conv == 'o' && body[0] != '0') body.insert(0, "0");
        if (conv == 'x') prefix += "0x";
        if (conv == 'X') prefix += "0X";
        if (conv == 'b') prefix += "0b";
    }
    // As scripts have always had it, "0" pads with zeros even beside "-".
    padField(out, field, prefix, body, field.zero && field.precision < 0);
}

void formatDouble(std::string* out, const FieldFormat& field, double value) {
    std::string cformat = "%";
    if (field.left) cformat += '-';
    if (field.plus) cformat += '+';
    if (field.space) cformat += ' ';
    if (field.zero) cformat += '0';
    if (field.alternate) cformat += '#';
    cformat += "*.*";
    cformat += field.conversion;
    int width = static_cast<int>(field.width);
    int precision = field.precision < 0 ? 6 : static_cast<int>(field.precision);
    int n = std::snprintf(nullptr, 0, cformat.c_str(), width, precision, value);
    if (n <= 0) return;
    std::vector<char> buffer(static_cast<size_t>(n) + 1);
    std::snprintf(buffer.data(), buffer.size(), cformat.c_str(), width, precision, value);
    out->append(buffer.data(), static_cast<size_t>(n));
}

class Formatter {
  public:
    Formatter(Interpreter* interp, const char* command, int count, char** values)
        : interp_(interp), command_(command), count_(count), values_(values) {}

    bool run(const char* format, std::string* out);

  private:
    bool fail(const char* message, const char* detail = nullptr) {
        if (detail)
            zorakReportError(interp_, "%s: %s '%s'\n", command_, message, detail);
        else
            zorakReportError(interp_, "%s: %s\n", command_, message);
        return false;
    }
    // The next value, or null (reported) when there is none.
    const char* next() {
        if (index_ < 0 || index_ >= count_) {
            fail(positional_ ? "Position of \"%n$\" beyond the values"
                             : "Not enough values for the conversions");
            return nullptr;
        }
        return values_[index_++];
    }
    bool integerValue(int64_t* value) {
        const char* text = next();
        if (!text) return false;
        if (!zorakStrictInteger(text, value)) return fail("Expected an integer but got", text);
        return true;
    }
    // A width or precision taken from the values by "*".
    bool starValue(int64_t* value) {
        if (!integerValue(value)) return false;
        if (*value > kMaxField || *value < -kMaxField)
            return fail("Field width or precision too large");
        return true;
    }
    bool readNumber(const char** p, int64_t* value) {
        int64_t n = 0;
        while (isDigit(**p)) {
            if (n <= kMaxField) n = n * 10 + (**p - '0');
            (*p)++;
        }
        if (n > kMaxField) return fail("Field width or precision too large");
        *value = n;
        return true;
    }
    bool conversion(const char** p, std::string* out);

    Interpreter* interp_;
    const char* command_;
    int count_;
    char** values_;
    int index_ = 0;
    bool positional_ = false;
    bool sequential_ = false;
};

bool Formatter::run(const char* format, std::string* out) {
    const char* p = format;
    while (*p) {
        if (*p != '%') {
            const char* start = p;
            while (*p && *p != '%')
                p++;
            out->append(start, static_cast<size_t>(p - start));
            continue;
        }
        if (p[1] == '%') {
            out->push_back('%');
            p += 2;
            continue;
        }
        p++;
        if (!conversion(&p, out)) return false;
    }
    return true;
}

bool Formatter::conversion(const char** position, std::string* out) {
    const char* p = *position;
    FieldFormat field;
    // "%n$" takes the n-th value; it cannot be mixed with plain conversions.
    const char* digits = p;
    while (isDigit(*digits))
        digits++;
    if (digits > p && *digits == '$') {
        int64_t n = 0;
        if (!readNumber(&p, &n)) return false;
        p++;
        if (sequential_) return fail("Cannot mix \"%\" and \"%n$\" conversions");
        positional_ = true;
        if (n < 1 || n > count_) return fail("Position of \"%n$\" beyond the values");
        index_ = static_cast<int>(n - 1);
    } else {
        if (positional_) return fail("Cannot mix \"%\" and \"%n$\" conversions");
        sequential_ = true;
    }
    for (;; p++) {
        if (*p == '-')
            field.left = true;
        else if (*p == '+')
            field.plus = true;
        else if (*p == ' ')
            field.space = true;
        else if (*p == '0')
            field.zero = true;
        else if (*p == '#')
            field.alternate = true;
        else
            break;
    }
    if (*p == '*') {
        p++;
        if (!starValue(&field.width)) return false;
        if (field.width < 0) {
            field.left = true;
            field.width = -field.width;
        }
    } else if (!readNumber(&p, &field.width)) {
        return false;
    }
    if (*p == '.') {
        p++;
        if (*p == '*') {
            p++;
            if (!starValue(&field.precision)) return false;
            if (field.precision < 0) field.precision = 0;
        } else if (!readNumber(&p, &field.precision)) {
            return false;
        }
    }
    if (*p == 'h') {
        field.size = 'h';
        p++;
    } else if (*p == 'l') {
        field.size = 'l';
        p++;
        if (*p == 'l') p++;
    }
    field.conversion = *p;
    if (!*p) return fail("Format ends inside a conversion");
    p++;
    *position = p;
    char conv[2] = {field.conversion, 0};
    switch (field.conversion) {
    case 'd':
    case 'i':
    case 'u':
    case 'o':
    case 'x':
    case 'X':
    case 'b': {
        int64_t value;
        if (!integerValue(&value)) return false;
        formatInteger(out, field, value);
        return true;
    }
    case 'c': {
        int64_t value;
        if (!integerValue(&value)) return false;
        if (value == 0) return fail("A zero character cannot be held in a text");
        if (value < 0 || value > 0x10FFFF) return fail("Character code out of range");
        std::string body;
        zorakAppendCodePoint(&body, static_cast<uint32_t>(value));
        padField(out, field, "", body, false);
        return true;
    }
    case 's': {
        const char* text = next();
        if (!text) return false;
        std::string_view body(text);
        if (field.precision >= 0 && static_cast<size_t>(field.precision) < body.size())
            body = body.substr(0, static_cast<size_t>(field.precision));
        padField(out, field, "", body, field.zero && !field.left);
        return true;
    }
    case 'f':
    case 'e':
    case 'E':
    case 'g':
    case 'G': {
        const char* text = next();
        if (!text) return false;
        double value;
        if (!zorakStrictDouble(text, &value))
            return fail("Expected a floating-point number but got", text);
        formatDouble(out, field, value);
        return true;
    }
    default:
        return fail("Bad field specifier", conv);
    }
}

// ---------------------------------------------------------------- scan

enum class ScanStep { Blank, Literal, Convert };

struct ScanDirective {
    ScanStep step = ScanStep::Literal;
    char literal = 0;
    char conversion = 0;
    bool suppress = false;
    // 0-based place of the value in the results; -1 when suppressed.
    int slot = -1;
    int64_t width = 0;
    // The set of %[...]: which bytes it takes.
    std::vector<bool> set;
};

bool inSet(const ScanDirective& d, char c) {
    return d.set[static_cast<unsigned char>(c)];
}

// Reads the body of "%[...]" starting after "[". False when it has no "]".
bool parseCharSet(const char** position, ScanDirective* d) {
    const char* p = *position;
    bool negate = false;
    if (*p == '^') {
        negate = true;
        p++;
    }
    std::vector<bool> set(256, false);
    // A "]" first belongs to the set.
    if (*p == ']') {
        set[']'] = true;
        p++;
    }
    while (*p && *p != ']') {
        unsigned char from = static_cast<unsigned char>(*p);
        if (p[1] == '-' && p[2] && p[2] != ']') {
            unsigned char to = static_cast<unsigned char>(p[2]);
            if (from > to) std::swap(from, to);
            for (unsigned c = from; c <= to; c++)
                set[c] = true;
            p += 3;
        } else {
            set[from] = true;
            p++;
        }
    }
    if (!*p) return false;
    *position = p + 1;
    if (negate) set.flip();
    d->set = std::move(set);
    return true;
}

class Scanner {
  public:
    Scanner(Interpreter* interp, const char* command) : interp_(interp), command_(command) {}
    // Reads the format into directives and counts the result slots.
    bool parse(const char* format);
    // Runs the directives over input. The values land in slots (an empty
    // optional stands for a slot no conversion filled).
    void run(std::string_view input);

    int slotCount() const { return slots_; }
    const std::vector<std::string>& values() const { return values_; }
    const std::vector<bool>& filled() const { return filled_; }
    // True when the input ran out before any conversion.
    bool endedEarly() const { return underflow_ && conversions_ == 0; }
    // True when some "%n$" position below the highest has no conversion.
    bool hasGap() const {
        for (bool u : used_)
            if (!u) return true;
        return false;
    }
    int assigned() const { return assigned_; }

    bool fail(const char* message, const char* detail = nullptr) {
        if (detail)
            zorakReportError(interp_, "%s: %s '%s'\n", command_, message, detail);
        else
            zorakReportError(interp_, "%s: %s\n", command_, message);
        return false;
    }

  private:
    bool convert(const ScanDirective& d, std::string_view input, size_t* pos);
    void store(const ScanDirective& d, std::string value) {
        if (d.slot < 0) return;
        values_[static_cast<size_t>(d.slot)] = std::move(value);
        filled_[static_cast<size_t>(d.slot)] = true;
        assigned_++;
    }

    Interpreter* interp_;
    const char* command_;
    std::vector<ScanDirective> directives_;
    std::vector<bool> used_;
    int slots_ = 0;
    std::vector<std::string> values_;
    std::vector<bool> filled_;
    bool underflow_ = false;
    int conversions_ = 0;
    int assigned_ = 0;
};

bool Scanner::parse(const char* format) {
    bool positional = false, sequential = false;
    std::vector<bool> used;
    for (const char* p = format; *p;) {
        ScanDirective d;
        if (isBlank(*p)) {
            while (isBlank(*p))
                p++;
            d.step = ScanStep::Blank;
            directives_.push_back(std::move(d));
            continue;
        }
        if (*p != '%' || p[1] == '%') {
            d.literal = *p;
            p += *p == '%' ? 2 : 1;
            directives_.push_back(std::move(d));
            continue;
        }
        p++;
        d.step = ScanStep::Convert;
        if (*p == '*') {
            d.suppress = true;
            p++;
        }
        const char* digits = p;
        while (isDigit(*digits))
            digits++;
        int64_t position = 0;
        if (digits > p && *digits == '$') {
            if (d.suppress) return fail("Bad conversion character", "$");
            for (; p < digits; p++)
                position = position < kMaxField ? position * 10 + (*p - '0') : position;
            p++;
            if (sequential) return fail("Cannot mix \"%\" and \"%n$\" conversions");
            positional = true;
            if (position < 1 || position > kMaxField)
                return fail("Position of \"%n$\" out of range");
        } else if (!d.suppress) {
            if (positional) return fail("Cannot mix \"%\" and \"%n$\" conversions");
            sequential = true;
        }
        while (isDigit(*p)) {
            if (d.width <= kMaxField) d.width = d.width * 10 + (*p - '0');
            p++;
        }
        if (d.width > kMaxField) return fail("Field width too large");
        while (*p == 'h' || *p == 'l' || *p == 'L')
            p++;
        d.conversion = *p;
        char conv[2] = {*p, 0};
        switch (*p) {
        case 'd':
        case 'i':
        case 'u':
        case 'o':
        case 'x':
        case 'X':
        case 'b':
        case 's':
        case 'n':
        case 'f':
        case 'e':
        case 'E':
        case 'g':
        case 'G':
            p++;
            break;
        case 'c':
            if (d.width) return fail("A field width cannot be given to %c");
            p++;
            break;
        case '[':
            p++;
            if (!parseCharSet(&p, &d)) return fail("Missing ] in the format");
            break;
        default:
            return fail("Bad conversion character", *p ? conv : "");
        }
        if (!d.suppress) {
            int slot = positional ? static_cast<int>(position - 1) : slots_;
            if (static_cast<size_t>(slot) >= used.size())
                used.resize(static_cast<size_t>(slot) + 1);
            if (used[static_cast<size_t>(slot)])
                return fail("A value is assigned by more than one \"%n$\" conversion");
            used[static_cast<size_t>(slot)] = true;
            d.slot = slot;
            if (slot + 1 > slots_) slots_ = slot + 1;
        }
        directives_.push_back(std::move(d));
    }
    used_ = used;
    values_.assign(static_cast<size_t>(slots_), std::string());
    filled_.assign(static_cast<size_t>(slots_), false);
    return true;
}

// Integer digits of base at pos, at most limit characters. A value that
// fits 64 bits keeps its bit pattern (so "ffffffffffffffff" reads as -1);
// a longer one saturates at the signed range. Returns the characters taken.
size_t scanDigits(std::string_view input, size_t pos, size_t limit, unsigned base, bool negative,
                  int64_t* value) {
    uint64_t magnitude = 0;
    bool overflow = false;
    size_t n = 0;
    while (pos + n < input.size() && n < limit) {
        int digit = zorakDigitValue(input[pos + n]);
        if (digit >= static_cast<int>(base)) break;
        if (magnitude > (UINT64_MAX - static_cast<uint64_t>(digit)) / base) overflow = true;
        magnitude = magnitude * base + static_cast<uint64_t>(digit);
        n++;
    }
    if (overflow)
        *value = negative ? INT64_MIN : INT64_MAX;
    else
        *value = static_cast<int64_t>(negative ? 0 - magnitude : magnitude);
    return n;
}

bool Scanner::convert(const ScanDirective& d, std::string_view input, size_t* pos) {
    size_t limit = d.width > 0 ? static_cast<size_t>(d.width) : input.size();
    size_t at = *pos;
    char conv = d.conversion;
    if (conv == 'c') {
        store(d, std::to_string(static_cast<unsigned char>(input[at])));
        *pos = at + 1;
        return true;
    }
    if (conv == '[') {
        size_t n = 0;
        while (at + n < input.size() && n < limit && inSet(d, input[at + n]))
            n++;
        if (n == 0) return false;
        store(d, std::string(input.substr(at, n)));
        *pos = at + n;
        return true;
    }
    if (conv == 's') {
        size_t n = 0;
        while (at + n < input.size() && n < limit && !isBlank(input[at + n]))
            n++;
        store(d, std::string(input.substr(at, n)));
        *pos = at + n;
        return true;
    }
    if (conv == 'f' || conv == 'e' || conv == 'E' || conv == 'g' || conv == 'G') {
        double value;
        size_t n = zorakScanDoubleText(input.substr(at, limit), &value);
        if (n == 0) {
            if (at + 1 == input.size() && (input[at] == '+' || input[at] == '-')) underflow_ = true;
            return false;
        }
        store(d, zorakShortestDouble(value));
        *pos = at + n;
        return true;
    }
    // The integers: a sign, then the digits of the conversion's base.
    size_t n = 0;
    bool negative = false;
    if (n < limit && (input[at] == '-' || input[at] == '+')) {
        negative = input[at] == '-';
        n++;
    }
    unsigned base = conv == 'o' ? 8 : conv == 'b' ? 2 : conv == 'x' || conv == 'X' ? 16 : 10;
    auto prefixed = [&](char letter) {
        return n + 1 < limit && at + n + 1 < input.size() && input[at + n] == '0' &&
               (input[at + n + 1] | 0x20) == letter;
    };
    if (conv == 'i') {
        if (prefixed('x'))
            base = 16;
        else if (n < limit && at + n < input.size() && input[at + n] == '0')
            base = 8;
    }
    size_t digitsAt = n;
    // "0x" (and "0b" for %b) counts only when a digit follows it.
    if ((base == 16 && prefixed('x')) || (base == 2 && prefixed('b'))) {
        int64_t probe;
        if (scanDigits(input, at + n + 2, 1, base, false, &probe) == 1) digitsAt = n + 2;
    }
    int64_t value = 0;
    size_t taken = scanDigits(input, at + digitsAt, limit - digitsAt, base, negative, &value);
    if (taken == 0) {
        // A lone sign at the end of the text is the text running out.
        if (at + n >= input.size()) underflow_ = true;
        return false;
    }
    char text[32];
    zorakPrintInt64(text, value, conv == 'u');
    store(d, text);
    *pos = at + digitsAt + taken;
    return true;
}

void Scanner::run(std::string_view input) {
    size_t pos = 0;
    for (const ScanDirective& d : directives_) {
        if (d.step == ScanStep::Blank) {
            while (pos < input.size() && isBlank(input[pos]))
                pos++;
            continue;
        }
        if (d.step == ScanStep::Literal) {
            if (pos >= input.size()) {
                underflow_ = true;
                return;
            }
            if (input[pos] != d.literal) return;
            pos++;
            continue;
        }
        if (d.conversion == 'n') {
            store(d, std::to_string(pos));
            conversions_++;
            continue;
        }
        if (pos >= input.size()) {
            underflow_ = true;
            return;
        }
        if (d.conversion != 'c' && d.conversion != '[') {
            while (pos < input.size() && isBlank(input[pos]))
                pos++;
            if (pos >= input.size()) {
                underflow_ = true;
                return;
            }
        }
        if (!convert(d, input, &pos)) return;
        conversions_++;
    }
}

// ---------------------------------------------------------------- commands

int zorakCommandFormat(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    std::string out;
    if (!zorakFormatValues(interp, argv[0], argv[1], argc - 2, argv + 2, &out)) {
        zorakSetResult(interp, "", 0);
        return ERROR;
    }
    return zorakStringResult(interp, out);
}

// printf: format, then write the text as puts -nonewline would.
int zorakCommandPrintf(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    std::string out;
    if (!zorakFormatValues(interp, argv[0], argv[1], argc - 2, argv + 2, &out)) {
        zorakSetResult(interp, "", 0);
        return ERROR;
    }
    if (zorakSettings.escape) {
        zorakUnescape(out.data());
        out.resize(std::strlen(out.c_str()));
    }
    if (console_state.console_open)
        Writes(out.c_str());
    else
        console_write_stdout(out.c_str());
    zorakSetResult(interp, "", 0);
    return OK;
}

// scan text format ?varname ...?: without names the values as a list (an
// unfilled one as {}), with names the count of values assigned; -1 (or,
// without names, the empty text) when the text ended before any conversion.
int zorakCommandScan(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    Scanner scanner(interp, argv[0]);
    if (!scanner.parse(argv[2])) {
        zorakSetResult(interp, "", 0);
        return ERROR;
    }
    int names = argc - 3;
    if (names > 0 && (names != scanner.slotCount() || scanner.hasGap())) {
        scanner.fail(names < scanner.slotCount() ? "Fewer variable names than conversions"
                                                 : "A variable name is assigned by no conversion");
        zorakSetResult(interp, "", 0);
        return ERROR;
    }
    scanner.run(argv[1]);
    if (names == 0) {
        if (scanner.endedEarly()) return zorakStringResult(interp, "");
        std::string list;
        for (const std::string& value : scanner.values())
            zorakListAppendWord(&list, value);
        return zorakStringResult(interp, list);
    }
    for (int i = 0; i < names; i++) {
        if (!scanner.filled()[static_cast<size_t>(i)]) continue;
        if (!zorakWordsSetVar(interp, argv[0], argv[3 + i],
                              scanner.values()[static_cast<size_t>(i)].c_str())) {
            zorakSetResult(interp, "", 0);
            return ERROR;
        }
    }
    return zorakStringResultInt(interp, scanner.endedEarly() ? -1 : scanner.assigned());
}

} // namespace

void zorakAppendCodePoint(std::string* out, uint32_t code) {
    if (code < 0x100) {
        out->push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out->push_back(static_cast<char>(0xC0 | (code >> 6)));
        out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out->push_back(static_cast<char>(0xE0 | (code >> 12)));
        out->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out->push_back(static_cast<char>(0xF0 | (code >> 18)));
        out->push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

bool zorakFormatValues(Interpreter* interp, const char* command, const char* format, int count,
                       char** values, std::string* out) {
    Formatter formatter(interp, command, count, values);
    return formatter.run(format, out);
}

std::string zorakShortestDouble(double value) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Inf" : "Inf";
    if (value == 0) return std::signbit(value) ? "-0.0" : "0.0";
    char text[40];
    for (int precision = 1; precision <= 17; precision++) {
        std::snprintf(text, sizeof text, "%.*e", precision - 1, value);
        if (std::strtod(text, nullptr) == value) break;
    }
    // text is "-d.ddde+XX": take the digits and the exponent apart.
    std::string mantissa(text, std::strchr(text, 'e'));
    int exponent = std::atoi(std::strchr(text, 'e') + 1);
    bool negative = mantissa[0] == '-';
    std::string digits;
    for (char c : mantissa)
        if (isDigit(c)) digits.push_back(c);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    std::string out = negative ? "-" : "";
    if (exponent < -4 || exponent > 16) {
        out += digits[0];
        if (digits.size() > 1) out += "." + digits.substr(1);
        out += exponent < 0 ? "e-" : "e+";
        out += std::to_string(exponent < 0 ? -exponent : exponent);
    } else if (exponent < 0) {
        out += "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
    } else {
        size_t whole = static_cast<size_t>(exponent) + 1;
        if (digits.size() <= whole) {
            out += digits + std::string(whole - digits.size(), '0') + ".0";
        } else {
            out += digits.substr(0, whole) + "." + digits.substr(whole);
        }
    }
    return out;
}

size_t zorakScanDoubleText(std::string_view text, double* value) {
    size_t n = 0;
    if (n < text.size() && (text[n] == '+' || text[n] == '-')) n++;
    size_t signEnd = n;
    for (const char* word : {"infinity", "inf"}) {
        size_t len = std::strlen(word);
        if (zorakEqualNoCase(text.substr(signEnd, len), word)) {
            *value = std::numeric_limits<double>::infinity();
            if (text[0] == '-') *value = -*value;
            return signEnd + len;
        }
    }
    size_t digits = 0;
    while (n < text.size() && isDigit(text[n])) {
        n++;
        digits++;
    }
    if (n < text.size() && text[n] == '.') {
        n++;
        while (n < text.size() && isDigit(text[n])) {
            n++;
            digits++;
        }
    }
    if (digits == 0) return 0;
    if (n < text.size() && (text[n] == 'e' || text[n] == 'E')) {
        size_t e = n + 1;
        if (e < text.size() && (text[e] == '+' || text[e] == '-')) e++;
        if (e < text.size() && isDigit(text[e])) {
            while (e < text.size() && isDigit(text[e]))
                e++;
            n = e;
        }
    }
    std::string copy(text.substr(0, n));
    *value = std::strtod(copy.c_str(), nullptr);
    return n;
}

bool zorakStrictInteger(std::string_view text, int64_t* value) {
    text = trimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    unsigned base = 10;
    if (text.size() > 2 && (text[0] == '0' || text[0] == '&')) {
        char letter = zorakLowerAscii(text[1]);
        if ((text[0] == '0' && letter == 'x') || (text[0] == '&' && letter == 'h')) base = 16;
        if (letter == 'b') base = 2;
        if (text[0] == '0' && letter == 'o') base = 8;
        if (base != 10) text.remove_prefix(2);
    }
    if (text.empty()) return false;
    uint64_t magnitude = 0;
    for (char c : text) {
        int digit = zorakDigitValue(c);
        if (digit >= static_cast<int>(base)) return false;
        magnitude = magnitude * base + static_cast<uint64_t>(digit);
    }
    *value = static_cast<int64_t>(negative ? 0 - magnitude : magnitude);
    return true;
}

bool zorakStrictDouble(std::string_view text, double* value) {
    int64_t integer;
    if (zorakStrictInteger(text, &integer)) {
        *value = static_cast<double>(integer);
        return true;
    }
    text = trimBlanks(text);
    return !text.empty() && zorakScanDoubleText(text, value) == text.size();
}

void zorakRegisterFormatCommands(Interpreter* interp) {
    zorakRegisterCommand(interp, "format", zorakCommandFormat, nullptr, 0);
    zorakRegisterCommand(interp, "printf", zorakCommandPrintf, nullptr, 0);
    zorakRegisterCommand(interp, "scan", zorakCommandScan, nullptr, 0);
}
