// binary format and binary scan: packing numbers and texts into bytes and
// reading them back, field by field ("a A b B h H c s S t i I n w W m f r R d
// q Q x X @" with counts or "*"). Texts end at a zero byte, so a packed
// result that holds one is refused instead of being cut short.
#include "commands/tcl_words.h"

#include "commands/list_core.h"
#include "commands/string_core.h"
#include "expr/number_rules.h"
#include "interp/errors.h"
#include "interp/registry.h"
#include "util/heap_text.h"
#include "util/number_text.h"
#include "util/text.h"
#include "vars/variables.h"

#include <cstring>
#include <string>
#include <string_view>

namespace {

// One field of a binary format: its type, the unsigned flag and the count
// (-1 when none was written, -2 for "*").
struct BinaryField {
    char type = 0;
    bool is_unsigned = false;
    int64_t count = -1;
};

constexpr int64_t kNoCount = -1;
constexpr int64_t kStarCount = -2;
// Counts above this are refused rather than allocated.
constexpr int64_t kMaxCount = 16 * 1024 * 1024;

// The size in bytes of a numeric field type, 0 for the other types.
int numericSize(char type) {
    switch (type) {
    case 'c':
        return 1;
    case 's':
    case 'S':
    case 't':
        return 2;
    case 'i':
    case 'I':
    case 'n':
    case 'f':
    case 'r':
    case 'R':
        return 4;
    case 'w':
    case 'W':
    case 'm':
    case 'd':
    case 'q':
    case 'Q':
        return 8;
    default:
        return 0;
    }
}

// Big-endian types; the native order is little-endian on every target.
bool bigEndian(char type) {
    return type == 'S' || type == 'I' || type == 'W' || type == 'R' || type == 'Q';
}

bool floating(char type) {
    return type == 'f' || type == 'r' || type == 'R' || type == 'd' || type == 'q' || type == 'Q';
}

class FieldReader {
  public:
    FieldReader(Interpreter* interp, const char* command, const char* format)
        : interp_(interp), command_(command), p_(format) {}

    // The next field; false at the end of the format or (reported) on a bad one.
    bool next(BinaryField* field) {
        while (*p_ == ' ' || *p_ == '\t' || *p_ == '\n' || *p_ == '\r')
            p_++;
        if (!*p_) return false;
        *field = BinaryField();
        field->type = *p_++;
        if (!numericSize(field->type) && !std::strchr("aAbBhHxX@", field->type)) {
            char text[2] = {field->type, 0};
            zorakReportError(interp_, "%s: Bad field specifier '%s'\n", command_, text);
            failed_ = true;
            return false;
        }
        if (*p_ == 'u') {
            field->is_unsigned = true;
            p_++;
        }
        if (*p_ == '*') {
            field->count = kStarCount;
            p_++;
        } else if (*p_ >= '0' && *p_ <= '9') {
            int64_t n = 0;
            while (*p_ >= '0' && *p_ <= '9') {
                if (n <= kMaxCount) n = n * 10 + (*p_ - '0');
                p_++;
            }
            if (n > kMaxCount) {
                zorakReportError(interp_, "%s: Count above %li\n", command_,
                                 static_cast<long>(kMaxCount));
                failed_ = true;
                return false;
            }
            field->count = n;
        }
        return true;
    }
    bool failed() const { return failed_; }

  private:
    Interpreter* interp_;
    const char* command_;
    const char* p_;
    bool failed_ = false;
};

void putBytes(std::string* out, size_t* cursor, const char* bytes, size_t n) {
    if (*cursor + n > out->size()) out->resize(*cursor + n, '\0');
    std::memcpy(&(*out)[*cursor], bytes, n);
    *cursor += n;
}

void putNumber(std::string* out, size_t* cursor, char type, uint64_t bits) {
    int size = numericSize(type);
    char bytes[8];
    for (int k = 0; k < size; k++) {
        int shift = bigEndian(type) ? 8 * (size - 1 - k) : 8 * k;
        bytes[k] = static_cast<char>((bits >> shift) & 0xFF);
    }
    putBytes(out, cursor, bytes, static_cast<size_t>(size));
}

uint64_t numberBits(char type, int64_t integer, double real) {
    if (numericSize(type) == 4 && floating(type)) {
        float f = static_cast<float>(real);
        uint32_t b;
        std::memcpy(&b, &f, 4);
        return b;
    }
    if (floating(type)) {
        uint64_t b;
        std::memcpy(&b, &real, 8);
        return b;
    }
    return static_cast<uint64_t>(integer);
}

int binaryFormat(Interpreter* interp, int argc, char** argv) {
    const char* command = "binary format";
    FieldReader reader(interp, command, argv[2]);
    std::string out;
    size_t cursor = 0;
    int next = 3;
    BinaryField field;
    auto takeValue = [&](const char** value) {
        if (next >= argc) {
            zorakReportError(interp, "%s: Not enough values for the fields\n", command);
            return false;
        }
        *value = argv[next++];
        return true;
    };
    while (reader.next(&field)) {
        char type = field.type;
        int64_t count = field.count;
        const char* value = nullptr;
        if (type == 'x') {
            if (count == kStarCount) {
                zorakReportError(interp, "%s: \"*\" cannot be used with x\n", command);
                return ERROR;
            }
            std::string zeros(static_cast<size_t>(count == kNoCount ? 1 : count), '\0');
            putBytes(&out, &cursor, zeros.data(), zeros.size());
        } else if (type == 'X') {
            size_t back =
                count == kStarCount ? cursor : static_cast<size_t>(count == kNoCount ? 1 : count);
            cursor = back > cursor ? 0 : cursor - back;
        } else if (type == '@') {
            if (count == kNoCount) {
                zorakReportError(interp, "%s: Missing count for @\n", command);
                return ERROR;
            }
            cursor = count == kStarCount ? out.size() : static_cast<size_t>(count);
            if (cursor > out.size()) out.resize(cursor, '\0');
        } else if (type == 'a' || type == 'A') {
            if (!takeValue(&value)) return ERROR;
            size_t length = std::strlen(value);
            size_t n =
                count == kStarCount ? length : static_cast<size_t>(count == kNoCount ? 1 : count);
            std::string bytes(value, length < n ? length : n);
            bytes.resize(n, type == 'a' ? '\0' : ' ');
            putBytes(&out, &cursor, bytes.data(), n);
        } else if (type == 'b' || type == 'B' || type == 'h' || type == 'H') {
            if (!takeValue(&value)) return ERROR;
            bool bits = type == 'b' || type == 'B';
            bool highFirst = type == 'B' || type == 'H';
            unsigned base = bits ? 2 : 16;
            int per = bits ? 8 : 2;
            size_t length = std::strlen(value);
            size_t n =
                count == kStarCount ? length : static_cast<size_t>(count == kNoCount ? 1 : count);
            if (n > length) n = length;
            std::string bytes((n + per - 1) / per, '\0');
            for (size_t k = 0; k < n; k++) {
                int digit = zorakDigitValue(value[k]);
                if (digit >= static_cast<int>(base)) {
                    zorakReportError(interp, "%s: Expected %s digits but got '%s'\n", command,
                                     bits ? "binary" : "hexadecimal", value);
                    return ERROR;
                }
                int width = bits ? 1 : 4;
                int slot = static_cast<int>(k % per);
                int shift = highFirst ? 8 - width * (slot + 1) : width * slot;
                bytes[k / per] = static_cast<char>(bytes[k / per] | (digit << shift));
            }
            putBytes(&out, &cursor, bytes.data(), bytes.size());
        } else {
            if (!takeValue(&value)) return ERROR;
            ScopedVector items;
            if (count == kNoCount) {
                zorakVectorAppend(&items.get(), value);
            } else {
                zorakScanList(value, &items.get(), ListScanOptions());
                if (count != kStarCount) {
                    if (items->count < count) {
                        zorakReportError(interp, "%s: The list '%s' has fewer than %li values\n",
                                         command, value, static_cast<long>(count));
                        return ERROR;
                    }
                    while (items->count > count)
                        zorakVectorRemove(&items.get(), items->count - 1);
                }
            }
            for (int k = 0; k < items->count; k++) {
                const char* item = items->items[k];
                int64_t integer = 0;
                double real = 0;
                bool ok = floating(type) ? zorakStrictDouble(item, &real)
                                         : zorakStrictInteger(item, &integer);
                if (!ok) {
                    zorakReportError(interp, "%s: Expected %s but got '%s'\n", command,
                                     floating(type) ? "a floating-point number" : "an integer",
                                     item);
                    return ERROR;
                }
                putNumber(&out, &cursor, type, numberBits(type, integer, real));
            }
        }
    }
    if (reader.failed()) return ERROR;
    size_t zero = out.find('\0');
    if (zero != std::string::npos) {
        zorakReportError(interp, "%s: Byte %li of the result is zero, which a text cannot hold\n",
                         command, static_cast<long>(zero));
        return ERROR;
    }
    return zorakStringResult(interp, out);
}

// One numeric value read at data[at] as the type gives it.
std::string readNumber(std::string_view data, size_t at, const BinaryField& field) {
    char type = field.type;
    int size = numericSize(type);
    uint64_t bits = 0;
    for (int k = 0; k < size; k++) {
        int shift = bigEndian(type) ? 8 * (size - 1 - k) : 8 * k;
        bits |= static_cast<uint64_t>(static_cast<unsigned char>(data[at + k])) << shift;
    }
    if (floating(type)) {
        if (size == 4) {
            uint32_t b = static_cast<uint32_t>(bits);
            float f;
            std::memcpy(&f, &b, 4);
            return zorakShortestDouble(f);
        }
        double d;
        std::memcpy(&d, &bits, 8);
        return zorakShortestDouble(d);
    }
    int64_t value;
    if (field.is_unsigned || size == 8) {
        value = static_cast<int64_t>(bits);
    } else {
        // Sign-extend from the field's width.
        int shift = 64 - 8 * size;
        value = static_cast<int64_t>(bits << shift) >> shift;
    }
    char text[32];
    zorakPrintInt64(text, value, field.is_unsigned);
    return text;
}

int binaryScan(Interpreter* interp, int argc, char** argv) {
    const char* command = "binary scan";
    std::string_view data(argv[2]);
    FieldReader reader(interp, command, argv[3]);
    size_t cursor = 0;
    int next = 4;
    int assigned = 0;
    BinaryField field;
    while (reader.next(&field)) {
        char type = field.type;
        int64_t count = field.count;
        size_t left = data.size() - cursor;
        if (type == 'x') {
            size_t n =
                count == kStarCount ? left : static_cast<size_t>(count == kNoCount ? 1 : count);
            if (n > left) break;
            cursor += n;
            continue;
        }
        if (type == 'X') {
            size_t n =
                count == kStarCount ? cursor : static_cast<size_t>(count == kNoCount ? 1 : count);
            cursor = n > cursor ? 0 : cursor - n;
            continue;
        }
        if (type == '@') {
            if (count == kNoCount) {
                zorakReportError(interp, "%s: Missing count for @\n", command);
                return ERROR;
            }
            size_t at = count == kStarCount ? data.size() : static_cast<size_t>(count);
            if (at > data.size()) break;
            cursor = at;
            continue;
        }
        if (next >= argc) {
            zorakReportError(interp, "%s: Not enough variable names for the fields\n", command);
            return ERROR;
        }
        const char* name = argv[next++];
        std::string value;
        if (type == 'a' || type == 'A') {
            size_t n =
                count == kStarCount ? left : static_cast<size_t>(count == kNoCount ? 1 : count);
            if (n > left) break;
            value = std::string(data.substr(cursor, n));
            cursor += n;
            if (type == 'A') {
                while (!value.empty() && (value.back() == ' ' || value.back() == '\0'))
                    value.pop_back();
            }
        } else if (type == 'b' || type == 'B' || type == 'h' || type == 'H') {
            bool bits = type == 'b' || type == 'B';
            bool highFirst = type == 'B' || type == 'H';
            int per = bits ? 8 : 2;
            int width = bits ? 1 : 4;
            size_t n = count == kStarCount ? left * static_cast<size_t>(per)
                                           : static_cast<size_t>(count == kNoCount ? 1 : count);
            size_t bytes = (n + per - 1) / per;
            if (bytes > left) break;
            for (size_t k = 0; k < n; k++) {
                unsigned char byte = static_cast<unsigned char>(data[cursor + k / per]);
                int slot = static_cast<int>(k % per);
                int shift = highFirst ? 8 - width * (slot + 1) : width * slot;
                value.push_back("0123456789abcdef"[(byte >> shift) & ((1 << width) - 1)]);
            }
            cursor += bytes;
        } else {
            size_t size = static_cast<size_t>(numericSize(type));
            if (count == kNoCount) {
                if (size > left) break;
                value = readNumber(data, cursor, field);
                cursor += size;
            } else {
                size_t n = count == kStarCount ? left / size : static_cast<size_t>(count);
                if (n * size > left) break;
                std::string list;
                for (size_t k = 0; k < n; k++) {
                    zorakListAppendWord(&list, readNumber(data, cursor, field));
                    cursor += size;
                }
                value = list;
            }
        }
        if (!zorakWordsSetVar(interp, command, name, value.c_str())) return ERROR;
        assigned++;
    }
    if (reader.failed()) return ERROR;
    return zorakStringResultInt(interp, assigned);
}

// binary format fields ?value ...? | binary scan data fields ?varname ...?
int zorakCommandBinary(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    if (zorakEqualNoCase(argv[1], "format")) return binaryFormat(interp, argc, argv);
    if (zorakEqualNoCase(argv[1], "scan")) {
        if (argc < 4) return zorakWrongArgs(interp, argc, argv);
        return binaryScan(interp, argc, argv);
    }
    zorakReportError(interp, "%s: Unknown subcommand '%s' (format or scan)\n", argv[0], argv[1]);
    return ERROR;
}

} // namespace

void zorakRegisterBinaryCommand(Interpreter* interp) {
    zorakRegisterCommand(interp, "binary", zorakCommandBinary, nullptr, 0);
}
