// The text encoding commands: backslash escapes (addslash, escape,
// unescape), URL and base64 coding, MD5 digests, numbers packed as the hex
// of their bytes (mkn, cvn) and wide-character text (wchar_length,
// wchar_to_string). A text never holds a zero byte, so a decoder that would
// produce one refuses or keeps the code as written instead of cutting the
// text short.
#include "commands/text_commands.h"

#include "commands/string_core.h"
#include "expr/number_rules.h"
#include "interp/errors.h"
#include "interp/registry.h"
#include "util/md5.h"
#include "util/number_text.h"
#include "util/text.h"

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

void appendHexByte(std::string* out, unsigned char byte) {
    out->push_back(kHexDigits[byte >> 4]);
    out->push_back(kHexDigits[byte & 15]);
}

// A command of the form "cmd text ?-var?" reads its text through this.
bool singleText(Interpreter* interp, int argc, char** argv, std::string* text, int* code) {
    if (argc < 2 || argc > 3) {
        *code = zorakWrongArgs(interp, argc, argv);
        return false;
    }
    bool byName = false;
    if ((*code = zorakTextVarFlag(interp, argc, argv, 2, &byName)) != OK) return false;
    *text = zorakTextOperand(interp, argv[1], byName);
    return true;
}

// ---------------------------------------------------------------- escapes

// addslash text ?chars?: a backslash before every backslash, double quote
// and single quote, or before every character of chars.
int zorakCommandAddslash(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2 || argc > 3) return zorakWrongArgs(interp, argc, argv);
    std::string_view set = argc > 2 ? argv[2] : "\\\"'";
    std::string out;
    for (const char* p = argv[1]; *p; p++) {
        if (set.find(*p) != std::string_view::npos) out.push_back('\\');
        out.push_back(*p);
    }
    return zorakStringResult(interp, out);
}

// The letters of the C escapes, in the order of their codes in kEscapeCodes.
const char kEscapeLetters[] = "abtnvfr";
const char kEscapeCodes[] = "\a\b\t\n\v\f\r";

// escape text: the text written with C-like escapes, so that unescape gives
// it back: backslash and double quote get a backslash, the control codes
// with a letter use it, other control codes and 127 become "\xHH".
int zorakCommandEscape(Interpreter* interp, int argc, char** argv, void*) {
    std::string text, out;
    int code = OK;
    if (!singleText(interp, argc, argv, &text, &code)) return code;
    for (char c : text) {
        const char* known = std::strchr(kEscapeCodes, c);
        if (c == '\\' || c == '"') {
            out.push_back('\\');
            out.push_back(c);
        } else if (known) {
            out.push_back('\\');
            out.push_back(kEscapeLetters[known - kEscapeCodes]);
        } else if (static_cast<unsigned char>(c) < 32 || c == 127) {
            out.append("\\x");
            appendHexByte(&out, static_cast<unsigned char>(c));
        } else {
            out.push_back(c);
        }
    }
    return zorakStringResult(interp, out);
}

int octalDigit(char c) {
    return c >= '0' && c <= '7' ? c - '0' : 99;
}

// unescape text: C-like escapes decoded: the letters a b f n r t v, "\xH"
// and "\xHH", one to three octal digits (up to 255), and a backslash before
// any other character gives that character. An escape of code 0 is kept as
// written, and a backslash at the very end stays.
int zorakCommandUnescape(Interpreter* interp, int argc, char** argv, void*) {
    std::string text, out;
    int code = OK;
    if (!singleText(interp, argc, argv, &text, &code)) return code;
    for (size_t i = 0; i < text.size(); i++) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out.push_back(text[i]);
            continue;
        }
        size_t start = i++;
        char c = text[i];
        int value = -1;
        if (c == 'x') {
            value = 0;
            size_t digits = 0;
            while (digits < 2 && i + 1 < text.size() && zorakDigitValue(text[i + 1]) < 16)
                value = value * 16 + zorakDigitValue(text[++i]), digits++;
            if (digits == 0) {
                zorakReportError(interp, "%s: Invalid hexadecimal escape in '%.40s'\n", argv[0],
                                 text.c_str());
                return ERROR;
            }
        } else if (octalDigit(c) < 8) {
            value = octalDigit(c);
            for (int digits = 1; digits < 3 && i + 1 < text.size() && octalDigit(text[i + 1]) < 8 &&
                                 value * 8 + octalDigit(text[i + 1]) <= 255;
                 digits++)
                value = value * 8 + octalDigit(text[++i]);
        } else if (const char* letter = std::strchr(kEscapeLetters, c); letter && c) {
            value = static_cast<unsigned char>(kEscapeCodes[letter - kEscapeLetters]);
        } else {
            value = static_cast<unsigned char>(c);
        }
        if (value == 0)
            out.append(text, start, i - start + 1);
        else
            out.push_back(static_cast<char>(value));
    }
    return zorakStringResult(interp, out);
}

// ---------------------------------------------------------------- URLs

bool urlUnreserved(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.' || c == '~';
}

// urlencode text: every byte but letters, digits and "-_.~" as "%HH".
int zorakCommandUrlencode(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    std::string out;
    for (const char* p = argv[1]; *p; p++) {
        if (urlUnreserved(*p)) {
            out.push_back(*p);
        } else {
            out.push_back('%');
            appendHexByte(&out, static_cast<unsigned char>(*p));
        }
    }
    return zorakStringResult(interp, out);
}

// urldecode text: "%HH" becomes its byte and "+" a blank, as in form data.
// A "%" without two hexadecimal digits, and "%00", stay as written.
int zorakCommandUrldecode(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    std::string_view text(argv[1]);
    std::string out;
    for (size_t i = 0; i < text.size(); i++) {
        char c = text[i];
        if (c == '+') {
            out.push_back(' ');
        } else if (c == '%' && i + 2 < text.size() && zorakDigitValue(text[i + 1]) < 16 &&
                   zorakDigitValue(text[i + 2]) < 16 &&
                   (text[i + 1] != '0' || text[i + 2] != '0')) {
            out.push_back(static_cast<char>(zorakDigitValue(text[i + 1]) * 16 +
                                            zorakDigitValue(text[i + 2])));
            i += 2;
        } else {
            out.push_back(c);
        }
    }
    return zorakStringResult(interp, out);
}

// ---------------------------------------------------------------- base64

const char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string base64Encode(std::string_view text) {
    std::string out;
    out.reserve((text.size() + 2) / 3 * 4);
    for (size_t i = 0; i < text.size(); i += 3) {
        uint32_t group = static_cast<unsigned char>(text[i]) << 16;
        size_t n = text.size() - i < 3 ? text.size() - i : 3;
        if (n > 1) group |= static_cast<unsigned char>(text[i + 1]) << 8;
        if (n > 2) group |= static_cast<unsigned char>(text[i + 2]);
        for (size_t k = 0; k < 4; k++)
            out.push_back(k <= n ? kBase64[(group >> (18 - 6 * k)) & 63] : '=');
    }
    return out;
}

int base64Value(char c) {
    const char* at = c ? std::strchr(kBase64, c) : nullptr;
    return at ? static_cast<int>(at - kBase64) : -1;
}

// Decodes base64 text; blanks and line ends are skipped and the closing
// "=" padding may be left out. False for any other character, padding
// before the end or a lone last character.
bool base64Decode(std::string_view text, std::string* out) {
    uint32_t bits = 0;
    int held = 0;
    size_t digits = 0, padding = 0;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
        if (c == '=') {
            padding++;
            continue;
        }
        int value = base64Value(c);
        if (value < 0 || padding > 0) return false;
        digits++;
        bits = (bits << 6) | static_cast<uint32_t>(value);
        held += 6;
        if (held >= 8) {
            held -= 8;
            out->push_back(static_cast<char>((bits >> held) & 255));
        }
    }
    if (digits % 4 == 1 || padding > 2) return false;
    return padding == 0 || (digits + padding) % 4 == 0;
}

// base64 text ?-encode? ?-decode?: the text in base64 (RFC 4648 alphabet,
// with padding), or decoded with -decode.
int zorakCommandBase64(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2 || argc > 3) return zorakWrongArgs(interp, argc, argv);
    bool decode = false;
    if (argc > 2) {
        if (zorakEqualNoCase(argv[2], "-decode"))
            decode = true;
        else if (!zorakEqualNoCase(argv[2], "-encode"))
            return zorakTextBadOption(interp, argv[0], argv[2]);
    }
    if (!decode) return zorakStringResult(interp, base64Encode(argv[1]));
    std::string out;
    if (!base64Decode(argv[1], &out)) {
        zorakReportError(interp, "%s: Invalid base64 text '%.40s'\n", argv[0], argv[1]);
        return ERROR;
    }
    if (size_t zero = out.find('\0'); zero != std::string::npos) {
        zorakReportError(interp, "%s: Decoded data holds a zero byte at offset %lld\n", argv[0],
                         static_cast<long long>(zero));
        return ERROR;
    }
    return zorakStringResult(interp, out);
}

// md5 text ?-var?: the MD5 digest as 32 lower-case hexadecimal digits.
int zorakCommandMd5(Interpreter* interp, int argc, char** argv, void*) {
    std::string text;
    int code = OK;
    if (!singleText(interp, argc, argv, &text, &code)) return code;
    char hex[33];
    zorakMd5Hex(text.data(), text.size(), hex);
    return zorakStringResult(interp, hex);
}

// ---------------------------------------------------------------- packed numbers

struct PackedType {
    const char* name;
    int size;
    bool floating;
};

const PackedType kPackedTypes[] = {
    {"char", 1, false},  {"byte", 1, false}, {"short", 2, false},
    {"int", 4, false},   {"long", 4, false}, {"wide", 8, false},
    {"int64", 8, false}, {"float", 4, true}, {"double", 8, true},
};

const PackedType* packedType(Interpreter* interp, const char* command, int argc, char** argv,
                             int at) {
    if (argc <= at) return &kPackedTypes[3];
    for (const PackedType& type : kPackedTypes)
        if (zorakEqualNoCase(argv[at], type.name)) return &type;
    zorakReportError(interp, "%s: Unknown type '%s'\n", command, argv[at]);
    return nullptr;
}

// mkn value ?type?: the bytes of the value stored as type (default int),
// lowest first, each as two hexadecimal digits: "mkn 258 short" is "0201".
int zorakCommandMkn(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2 || argc > 3) return zorakWrongArgs(interp, argc, argv);
    const PackedType* type = packedType(interp, argv[0], argc, argv, 2);
    if (!type) return ERROR;
    uint64_t bits = 0;
    if (type->floating) {
        // Besides the dialect's number texts, anything the C library reads
        // whole: exponents, "inf" and "nan".
        int64_t whole = 0;
        char* end = nullptr;
        double value = zorakTextInteger(argv[1], &whole) ? static_cast<double>(whole)
                                                         : std::strtod(argv[1], &end);
        if (end && (end == argv[1] || *end)) return zorakTextBadNumber(interp, argv[0], argv[1]);
        if (type->size == 4) {
            // A finite value beyond the float range has no float to become.
            if (std::isfinite(value) && std::fabs(value) > FLT_MAX) {
                zorakReportError(interp, "%s: Value %s is out of range for %s\n", argv[0], argv[1],
                                 type->name);
                return ERROR;
            }
            auto narrow = static_cast<float>(value);
            uint32_t word = 0;
            std::memcpy(&word, &narrow, sizeof word);
            bits = word;
        } else {
            std::memcpy(&bits, &value, sizeof bits);
        }
    } else {
        int64_t value = 0;
        if (!zorakTextInteger(argv[1], &value)) return zorakTextBadNumber(interp, argv[0], argv[1]);
        // Signed and unsigned values of the width both fit.
        if (type->size < 8) {
            int64_t lowest = -(int64_t{1} << (8 * type->size - 1));
            int64_t highest = (int64_t{1} << (8 * type->size)) - 1;
            if (value < lowest || value > highest) {
                zorakReportError(interp, "%s: Value %s is out of range for %s\n", argv[0], argv[1],
                                 type->name);
                return ERROR;
            }
        }
        bits = static_cast<uint64_t>(value);
    }
    std::string out;
    for (int i = 0; i < type->size; i++)
        appendHexByte(&out, static_cast<unsigned char>(bits >> (8 * i)));
    return zorakStringResult(interp, out);
}

// The shortest of the usual precisions that reads back as the same value.
// A float is compared as a float, so 0.1f reads back as "0.1".
std::string shortestDouble(double value, bool narrow) {
    std::string text;
    for (int digits = narrow ? 6 : 15; digits <= (narrow ? 9 : 17); digits++) {
        char format[16];
        std::snprintf(format, sizeof format, "%%.%dg", digits);
        text = zorakFormatDouble(format, value);
        double back = zorakTextToDouble(text.c_str());
        if (std::isnan(value) || (narrow ? static_cast<float>(back) == value : back == value))
            break;
    }
    return text;
}

// cvn hex ?type? ?-unsigned?: the value whose bytes mkn wrote as hex.
int zorakCommandCvn(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2 || argc > 4) return zorakWrongArgs(interp, argc, argv);
    bool asUnsigned = false;
    if (argc > 2 && zorakEqualNoCase(argv[argc - 1], "-unsigned")) {
        asUnsigned = true;
        argc--;
    }
    if (argc > 3) return zorakTextBadOption(interp, argv[0], argv[3]);
    const PackedType* type = packedType(interp, argv[0], argc, argv, 2);
    if (!type) return ERROR;
    std::string_view hex(argv[1]);
    bool valid = hex.size() == static_cast<size_t>(2 * type->size);
    for (char c : hex)
        valid = valid && zorakDigitValue(c) < 16;
    if (!valid) {
        zorakReportError(interp, "%s: Expected %d hexadecimal digits for %s but got '%s'\n",
                         argv[0], 2 * type->size, type->name, argv[1]);
        return ERROR;
    }
    uint64_t bits = 0;
    for (int i = type->size - 1; i >= 0; i--)
        bits = (bits << 8) | static_cast<uint64_t>(zorakDigitValue(hex[2 * i]) * 16 +
                                                   zorakDigitValue(hex[2 * i + 1]));
    if (type->floating) {
        double value = 0;
        if (type->size == 4) {
            float narrow = 0;
            auto word = static_cast<uint32_t>(bits);
            std::memcpy(&narrow, &word, sizeof narrow);
            return zorakStringResult(interp, shortestDouble(narrow, true));
        }
        std::memcpy(&value, &bits, sizeof value);
        return zorakStringResult(interp, shortestDouble(value, false));
    }
    if (!asUnsigned && type->size < 8 && (bits >> (8 * type->size - 1)) & 1)
        bits |= ~uint64_t{0} << (8 * type->size);
    zorakSetIntResult(interp, static_cast<int64_t>(bits), asUnsigned);
    return OK;
}

// ---------------------------------------------------------------- wide text

// The length of the UTF-8 sequence at text[i] and its code point, or 0 when
// no well-formed sequence starts there.
int utf8Sequence(std::string_view text, size_t i, uint32_t* point) {
    auto lead = static_cast<unsigned char>(text[i]);
    int length = lead < 0x80                   ? 1
                 : lead >= 0xC2 && lead < 0xE0 ? 2
                 : lead >= 0xE0 && lead < 0xF0 ? 3
                 : lead >= 0xF0 && lead < 0xF5 ? 4
                                               : 0;
    if (length == 0 || i + static_cast<size_t>(length) > text.size()) return 0;
    uint32_t value = length == 1 ? lead : lead & (0x7F >> length);
    for (int k = 1; k < length; k++) {
        auto next = static_cast<unsigned char>(text[i + static_cast<size_t>(k)]);
        if ((next & 0xC0) != 0x80) return 0;
        value = (value << 6) | (next & 0x3F);
    }
    static const uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < kLeast[length] || value > 0x10FFFF || (value >= 0xD800 && value < 0xE000)) return 0;
    *point = value;
    return length;
}

// wchar_length text ?-var?: how many wide (UTF-16) characters the text
// makes. The text is read as UTF-8; a byte that starts no well-formed
// sequence counts as one character, as in a single-byte code page.
int zorakCommandWcharLength(Interpreter* interp, int argc, char** argv, void*) {
    std::string text;
    int code = OK;
    if (!singleText(interp, argc, argv, &text, &code)) return code;
    int64_t units = 0;
    for (size_t i = 0; i < text.size();) {
        uint32_t point = 0;
        int length = utf8Sequence(text, i, &point);
        units += point >= 0x10000 && length == 4 ? 2 : 1;
        i += length > 0 ? static_cast<size_t>(length) : 1;
    }
    return zorakStringResultInt(interp, units);
}

void appendUtf8(std::string* out, uint32_t point) {
    if (point < 0x80) {
        out->push_back(static_cast<char>(point));
    } else if (point < 0x800) {
        out->push_back(static_cast<char>(0xC0 | (point >> 6)));
        out->push_back(static_cast<char>(0x80 | (point & 0x3F)));
    } else if (point < 0x10000) {
        out->push_back(static_cast<char>(0xE0 | (point >> 12)));
        out->push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (point & 0x3F)));
    } else {
        out->push_back(static_cast<char>(0xF0 | (point >> 18)));
        out->push_back(static_cast<char>(0x80 | ((point >> 12) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (point & 0x3F)));
    }
}

// wchar_to_string code ?code ...?: the text (UTF-8) of wide character codes
// 0 to 0xFFFF; a surrogate pair makes one character and a code 0 ends the
// text as it ends a wide string.
int zorakCommandWcharToString(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    std::string out;
    for (int i = 1; i < argc; i++) {
        int64_t unit = 0;
        if (!zorakTextInteger(argv[i], &unit)) return zorakTextBadNumber(interp, argv[0], argv[i]);
        if (unit < 0 || unit > 0xFFFF) {
            zorakReportError(interp, "%s: Code %s is out of range 0 to 0xFFFF\n", argv[0], argv[i]);
            return ERROR;
        }
        if (unit == 0) break;
        auto point = static_cast<uint32_t>(unit);
        if (point >= 0xD800 && point < 0xE000) {
            int64_t low = 0;
            bool paired = point < 0xDC00 && i + 1 < argc && zorakTextInteger(argv[i + 1], &low) &&
                          low >= 0xDC00 && low < 0xE000;
            if (!paired) {
                zorakReportError(interp, "%s: Unpaired surrogate code %s\n", argv[0], argv[i]);
                return ERROR;
            }
            point = 0x10000 + ((point - 0xD800) << 10) + static_cast<uint32_t>(low - 0xDC00);
            i++;
        }
        appendUtf8(&out, point);
    }
    return zorakStringResult(interp, out);
}

struct EncodingCommand {
    const char* name;
    CommandHandler handler;
};

const EncodingCommand kEncodingCommands[] = {
    {"addslash", zorakCommandAddslash},
    {"base64", zorakCommandBase64},
    {"cvn", zorakCommandCvn},
    {"escape", zorakCommandEscape},
    {"md5", zorakCommandMd5},
    {"mkn", zorakCommandMkn},
    {"unescape", zorakCommandUnescape},
    {"urldecode", zorakCommandUrldecode},
    {"urlencode", zorakCommandUrlencode},
    {"wchar_length", zorakCommandWcharLength},
    {"wchar_to_string", zorakCommandWcharToString},
};

} // namespace

void zorakRegisterTextEncodingCommands(Interpreter* interp) {
    for (const EncodingCommand& command : kEncodingCommands)
        zorakRegisterCommand(interp, command.name, command.handler, nullptr, 0);
}
