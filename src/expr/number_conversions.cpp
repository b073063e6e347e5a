// The conversion commands: the C type casts (int, long, short, char, wide,
// double, float, signed, unsigned, uchar, uint, ulong, ushort), the radix
// converters (baseconv, bintoint, inttohex ...), tohex and fromhex for the
// bytes of a text, bit, and the dotted IPv4 address converters.
#include "expr/number_words.h"

#include "expr/math_functions.h"
#include "expr/number_rules.h"
#include "interp/errors.h"
#include "interp/registry.h"
#include "util/number_text.h"

#include <cmath>
#include <cstring>
#include <string>

namespace {

// A cast target: the width in bits of an integer type (0 for the types the
// math functions compute) and whether its values are signed. The library
// was designed for a 32-bit system, so long and int-sized types are 32 bits
// wide and only wide is 64.
struct CastType {
    const char* name;
    int bits;
    bool is_signed;
};

const CastType kCastTypes[] = {{"int", 0, true},    {"wide", 0, true},    {"double", 0, true},
                               {"float", 0, true},  {"long", 32, true},   {"signed", 32, true},
                               {"short", 16, true}, {"char", 8, true},    {"unsigned", 32, false},
                               {"uint", 32, false}, {"ulong", 32, false}, {"ushort", 16, false},
                               {"uchar", 8, false}};

const CastType* findCastType(const char* name) {
    for (const CastType& type : kCastTypes)
        if (std::strcmp(type.name, name) == 0) return &type;
    return nullptr;
}

void setText(Interpreter* interp, const std::string& text) {
    zorakSetResult(interp, text.c_str(), static_cast<int>(text.size()));
}

// The integer reading of int(): a non-negative value's integral part, a
// negative value's floor. False when it leaves the 64-bit range.
bool integerReading(const NumberWord& word, int64_t* out) {
    if (word.kind == NumberWordKind::Integer) {
        *out = word.integer;
        return true;
    }
    double whole = word.real >= 0.0 ? std::trunc(word.real) : std::floor(word.real);
    if (!(whole >= -9223372036854775808.0 && whole < 9223372036854775808.0)) return false;
    *out = static_cast<int64_t>(whole);
    return true;
}

// int, wide and double are the math functions of the same names; the
// narrower integer types wrap the integer reading into their width as a C
// cast does; float rounds to single precision.
int zorakCommandCast(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    const CastType* type = findCastType(argv[0]);
    if (!type) type = &kCastTypes[0];
    NumberWord word;
    if (!zorakNumberArgument(interp, argv[0], argv[1], &word)) return ERROR;
    std::string argument = zorakFunctionText(word, argv[1]);
    if (std::strcmp(type->name, "double") == 0)
        return zorakFunctionResult(
            interp, zorakMathFunctionValue(interp, "double", argument.c_str(), nullptr));
    if (std::strcmp(type->name, "float") == 0) {
        float single = static_cast<float>(word.real);
        if (std::isinf(single)) {
            return zorakNumberFailure(interp, "%s: Number out of range '%s'\n", argv[0], argv[1]);
        }
        setText(interp, zorakFormatFunctionValue(static_cast<double>(single)));
        return OK;
    }
    int64_t value = 0;
    if (!integerReading(word, &value)) {
        return zorakNumberFailure(interp, "%s: Number out of range '%s'\n", argv[0], argv[1]);
    }
    if (type->bits == 0)
        return zorakFunctionResult(
            interp, zorakMathFunctionValue(interp, type->name, argument.c_str(), nullptr));
    uint64_t mask = (uint64_t(1) << type->bits) - 1;
    uint64_t bits = static_cast<uint64_t>(value) & mask;
    uint64_t signBit = uint64_t(1) << (type->bits - 1);
    int64_t cast = static_cast<int64_t>(bits);
    if (type->is_signed && (bits & signBit)) cast = static_cast<int64_t>(bits | ~mask);
    zorakSetIntResult(interp, cast);
    return OK;
}

// ---------------------------------------------------------------- radixes

// The value of a digit of bases up to 36 (letters in either case), or 99.
int digitValue36(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'z') return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    return 99;
}

// Reads the digits of text in radix into a 64-bit magnitude, reporting an
// empty text, a digit the radix does not have and a value beyond 64 bits.
bool readDigits(Interpreter* interp, const char* command, const char* text, const char* digits,
                int radix, uint64_t* out) {
    if (!*digits) {
        zorakNumberFailure(interp, "%s: No digits in '%s'\n", command, text);
        return false;
    }
    uint64_t value = 0;
    for (const char* p = digits; *p; p++) {
        int digit = digitValue36(*p);
        if (digit >= radix) {
            zorakNumberFailure(interp, "%s: Invalid digit '%c' for base %d in '%s'\n", command, *p,
                               radix, text);
            return false;
        }
        uint64_t d = static_cast<uint64_t>(digit);
        if (value > (UINT64_MAX - d) / static_cast<uint64_t>(radix)) {
            zorakNumberFailure(interp, "%s: Number out of range '%s'\n", command, text);
            return false;
        }
        value = value * static_cast<uint64_t>(radix) + d;
    }
    *out = value;
    return true;
}

std::string writeDigits(uint64_t value, int radix, int64_t minimum) {
    std::string text;
    do {
        text.insert(text.begin(), "0123456789abcdefghijklmnopqrstuvwxyz"[value % uint64_t(radix)]);
        value /= uint64_t(radix);
    } while (value);
    if (static_cast<int64_t>(text.size()) < minimum)
        text.insert(0, static_cast<size_t>(minimum) - text.size(), '0');
    return text;
}

int radixOfCommand(const char* name) {
    if (std::strncmp(name, "bin", 3) == 0 || std::strcmp(name, "inttobin") == 0) return 2;
    if (std::strncmp(name, "oct", 3) == 0 || std::strcmp(name, "inttooct") == 0) return 8;
    return 16;
}

// bintoint, octtoint, hextoint: digits (the radix prefix of the numeric
// text rules allowed) to a 64-bit integer, wrapping into the signed range
// as radix literals do.
int zorakCommandRadixToInt(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    int radix = radixOfCommand(argv[0]);
    const char* digits = argv[1];
    if (zorakRadixPrefix(digits) == radix) digits += 2;
    uint64_t value = 0;
    if (!readDigits(interp, argv[0], argv[1], digits, radix, &value)) return ERROR;
    zorakSetIntResult(interp, static_cast<int64_t>(value));
    return OK;
}

// inttobin, inttooct, inttohex: value ?digits?. A negative value is written
// as its 64-bit two's complement; digits pads with leading zeros.
int zorakCommandIntToRadix(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2 || argc > 3) return zorakWrongArgs(interp, argc, argv);
    int64_t value = 0;
    if (!zorakIntegerArgument(interp, argv[0], argv[1], &value)) return ERROR;
    int64_t minimum = 0;
    if (argc == 3 &&
        !zorakBoundedArgument(interp, argv[0], "Digit count", argv[2], 0, 64, &minimum))
        return ERROR;
    setText(interp, writeDigits(static_cast<uint64_t>(value), radixOfCommand(argv[0]), minimum));
    return OK;
}

// baseconv and convbase: text from to, for bases 2 to 36; a leading "-"
// is kept in front of the converted digits.
int zorakCommandBaseConv(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 4) return zorakWrongArgs(interp, argc, argv);
    int64_t from = 0, to = 0;
    if (!zorakBoundedArgument(interp, argv[0], "Base", argv[2], 2, 36, &from) ||
        !zorakBoundedArgument(interp, argv[0], "Base", argv[3], 2, 36, &to))
        return ERROR;
    const char* digits = argv[1];
    bool negative = *digits == '-';
    if (negative) digits++;
    uint64_t value = 0;
    if (!readDigits(interp, argv[0], argv[1], digits, static_cast<int>(from), &value)) return ERROR;
    std::string text = writeDigits(value, static_cast<int>(to), 0);
    if (negative && value) text.insert(0, 1, '-');
    setText(interp, text);
    return OK;
}

// tohex: every byte of the text as two lower-case hex digits.
int zorakCommandToHex(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    std::string text;
    for (const char* p = argv[1]; *p; p++) {
        unsigned char byte = static_cast<unsigned char>(*p);
        text += "0123456789abcdef"[byte >> 4];
        text += "0123456789abcdef"[byte & 15];
    }
    setText(interp, text);
    return OK;
}

// fromhex: pairs of hex digits back to the bytes of a text. A zero byte
// would end the text early, so it is refused rather than silently dropping
// everything after it.
int zorakCommandFromHex(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    const char* hex = argv[1];
    size_t length = std::strlen(hex);
    if (length % 2) {
        return zorakNumberFailure(interp, "%s: Odd number of hex digits in '%s'\n", argv[0], hex);
    }
    std::string text;
    for (size_t i = 0; i < length; i += 2) {
        for (size_t j = i; j < i + 2; j++)
            if (zorakDigitValue(hex[j]) >= 16) {
                return zorakNumberFailure(interp, "%s: Invalid digit '%c' for base 16 in '%s'\n",
                                          argv[0], hex[j], hex);
            }
        int byte = zorakDigitValue(hex[i]) * 16 + zorakDigitValue(hex[i + 1]);
        if (byte == 0) {
            return zorakNumberFailure(interp,
                                      "%s: Zero byte at position %d cannot be held in a text\n",
                                      argv[0], static_cast<int>(i / 2) + 1);
        }
        text += static_cast<char>(byte);
    }
    setText(interp, text);
    return OK;
}

// bit value n ?0|1?: bit n (0 is the lowest) of a 64-bit value, or the value
// with that bit set or cleared.
int zorakCommandBit(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 3 || argc > 4) return zorakWrongArgs(interp, argc, argv);
    int64_t value = 0, position = 0, state = 0;
    if (!zorakIntegerArgument(interp, argv[0], argv[1], &value) ||
        !zorakBoundedArgument(interp, argv[0], "Bit number", argv[2], 0, 63, &position))
        return ERROR;
    uint64_t mask = uint64_t(1) << position;
    uint64_t bits = static_cast<uint64_t>(value);
    if (argc == 3) {
        zorakSetResult(interp, (bits & mask) ? "1" : "0", 1);
        return OK;
    }
    if (!zorakBoundedArgument(interp, argv[0], "Bit value", argv[3], 0, 1, &state)) return ERROR;
    bits = state ? (bits | mask) : (bits & ~mask);
    zorakSetIntResult(interp, static_cast<int64_t>(bits));
    return OK;
}

// ---------------------------------------------------------------- addresses

// ip_to_long: a dotted IPv4 address (four decimal parts of 0 to 255) to its
// unsigned 32-bit value, the first part the highest byte.
int zorakCommandIpToLong(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    const char* p = argv[1];
    uint64_t value = 0;
    for (int part = 0; part < 4; part++) {
        int digits = 0, byte = 0;
        while (*p >= '0' && *p <= '9' && digits < 4) {
            byte = byte * 10 + (*p++ - '0');
            digits++;
        }
        bool separatorOk = part < 3 ? *p == '.' : *p == '\0';
        if (digits == 0 || digits > 3 || byte > 255 || !separatorOk) {
            return zorakNumberFailure(interp, "%s: Invalid IP address '%s'\n", argv[0], argv[1]);
        }
        if (part < 3) p++;
        value = value * 256 + static_cast<uint64_t>(byte);
    }
    zorakSetIntResult(interp, static_cast<int64_t>(value));
    return OK;
}

// long_to_ip: a 32-bit value, unsigned or as a signed 32-bit long, to the
// dotted form.
int zorakCommandLongToIp(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    int64_t value = 0;
    if (!zorakBoundedArgument(interp, argv[0], "Address", argv[1], -2147483648LL, 4294967295LL,
                              &value))
        return ERROR;
    uint32_t address = static_cast<uint32_t>(value);
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        if (!text.empty()) text += '.';
        text += std::to_string((address >> shift) & 255);
    }
    setText(interp, text);
    return OK;
}

struct CommandRow {
    const char* name;
    CommandHandler handler;
};

const CommandRow kConversionCommands[] = {
    {"baseconv", zorakCommandBaseConv},
    {"convbase", zorakCommandBaseConv},
    {"bintoint", zorakCommandRadixToInt},
    {"octtoint", zorakCommandRadixToInt},
    {"hextoint", zorakCommandRadixToInt},
    {"inttobin", zorakCommandIntToRadix},
    {"inttooct", zorakCommandIntToRadix},
    {"inttohex", zorakCommandIntToRadix},
    {"tohex", zorakCommandToHex},
    {"fromhex", zorakCommandFromHex},
    {"bit", zorakCommandBit},
    {"ip_to_long", zorakCommandIpToLong},
    {"long_to_ip", zorakCommandLongToIp},
};

} // namespace

void zorakRegisterNumberConversionCommands(Interpreter* interp) {
    for (const CastType& type : kCastTypes)
        zorakRegisterCommand(interp, type.name, zorakCommandCast, nullptr, 0);
    for (const CommandRow& row : kConversionCommands)
        zorakRegisterCommand(interp, row.name, row.handler, nullptr, 0);
}
