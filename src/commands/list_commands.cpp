// The list commands that read, build and cut lists: list, llength, lindex,
// lrange, lreverse, lassign, concat, join, lappend, split and lreplace.
// Lists are plain texts; each command parses its argument with the shared
// routines of list_core and writes its result back as text.
#include "commands/list_core.h"

#include "console/console.h"
#include "interp/errors.h"
#include "interp/evaluator.h"
#include "interp/registry.h"
#include "shell/settings.h"
#include "util/heap_text.h"
#include "util/number_text.h"
#include "util/text.h"
#include "vars/arrays.h"
#include "vars/variables.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

namespace {

constexpr const char* kQuoteLineEnd =
    "%s: List element in quotes followed by \"\\r\\n\" instead of space\n";

// The index count - 1 - n, computed without overflow for any n.
int64_t fromEnd(int count, int64_t n) {
    constexpr int64_t kLimit = int64_t{1} << 40;
    if (n > kLimit) n = kLimit;
    if (n < -kLimit) n = -kLimit;
    return count - 1 - n;
}

bool startsWithEnd(const char* word) {
    return zorakEqualNoCase(std::string_view(word).substr(0, 3), "end");
}

// An index word of lindex: an optional sign and decimal digits, nothing else.
bool isIndex(std::string_view word, int64_t* value) {
    size_t i = 0;
    if (i < word.size() && (word[i] == '-' || word[i] == '+')) i++;
    if (i == word.size()) return false;
    for (size_t j = i; j < word.size(); j++)
        if (word[j] < '0' || word[j] > '9') return false;
    std::string text(word);
    *value = zorakLeadingInt(text.c_str());
    return true;
}

// The elements of the list most recently scanned by lindex and llength.
// Reading a long list element by element scans the same text again and
// again; the scan of an equal text is taken from here instead. The text is
// compared in full, so the cache can never answer for a different list.
struct ScannedList {
    std::string text;
    ScopedVector elements;
    bool quote_line_end = false;
    bool valid = false;
    // The value stamp of the variable whose lent value was scanned (0 when
    // the text came from elsewhere): the same stamp is the same text.
    uint64_t stamp = 0;
};

ScannedList scannedList;

// Lists shorter than this are scanned afresh; caching them gains nothing.
constexpr size_t kCacheMinimum = 256;

// The scan of text with keep-empty on, from the cache when it holds the
// same text. The vector belongs to the cache or to scratch.
const StringVector& scanKeepEmpty(std::string_view text, StringVector* scratch,
                                  bool* quote_line_end) {
    ListScanOptions options;
    options.keep_empty = true;
    if (text.size() < kCacheMinimum) {
        zorakScanList(text, scratch, options, quote_line_end);
        return *scratch;
    }
    if (!scannedList.valid || scannedList.text.size() != text.size() ||
        std::memcmp(scannedList.text.data(), text.data(), text.size()) != 0) {
        scannedList.valid = false;
        scannedList.stamp = 0;
        zorakVectorFree(&scannedList.elements.get());
        scannedList.text.assign(text);
        zorakScanList(text, &scannedList.elements.get(), options, &scannedList.quote_line_end);
        scannedList.valid = true;
    }
    *quote_line_end = scannedList.quote_line_end;
    return scannedList.elements.get();
}

// The same for a command word: a word equal to the cached text is
// recognised in one pass over it.
const StringVector& scanWordKeepEmpty(const char* word, StringVector* scratch,
                                      bool* quote_line_end) {
    WordOrigin origin;
    if (zorakWordOrigin(word, &origin)) {
        // A lent variable value is known by its stamp, without reading it.
        if (scannedList.valid && scannedList.stamp == origin.stamp) {
            *quote_line_end = scannedList.quote_line_end;
            return scannedList.elements.get();
        }
        const StringVector& scanned = scanKeepEmpty(word, scratch, quote_line_end);
        if (&scanned == &scannedList.elements.get()) scannedList.stamp = origin.stamp;
        return scanned;
    }
    if (scannedList.valid &&
        std::strncmp(scannedList.text.c_str(), word, scannedList.text.size() + 1) == 0) {
        *quote_line_end = scannedList.quote_line_end;
        return scannedList.elements.get();
    }
    return scanKeepEmpty(word, scratch, quote_line_end);
}

int setText(Interpreter* interp, const std::string& text) {
    zorakSetResult(interp, text.c_str(), 0);
    return OK;
}

// A list builder's join of elements [from, to) of a vector.
void appendBuilt(std::string* out, const StringVector& v, int from, int to) {
    for (int i = from; i < to; i++)
        zorakListAppendWord(out, v.items[i]);
}

int zorakCommandList(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 1) return zorakWrongArgs(interp, argc, argv);
    return setText(interp, zorakBuildList(argc - 1, argv + 1));
}

int zorakCommandLlength(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    ScopedVector scratch;
    bool quoteLineEnd = false;
    int count = scanWordKeepEmpty(argv[1], &scratch.get(), &quoteLineEnd).count;
    return setText(interp, std::to_string(count));
}

int lindexFail(Interpreter* interp, const char* command) {
    zorakReportError(interp, kQuoteLineEnd, command);
    zorakSetResult(interp, "0", 0);
    return ERROR;
}

// lindex list end?-N?: counted from the last element, clamped to the list.
int lindexFromEnd(Interpreter* interp, const char* command, const char* list, const char* word) {
    ScopedVector scratch;
    bool quoteLineEnd = false;
    const StringVector& elements = scanWordKeepEmpty(list, &scratch.get(), &quoteLineEnd);
    if (quoteLineEnd) return lindexFail(interp, command);
    if (elements.count == 0) {
        zorakSetResult(interp, "", 0);
        return ERROR;
    }
    int64_t index = fromEnd(elements.count, word[3] == '-' ? zorakLeadingInt(word + 4) : 0);
    if (index < 0) index = 0;
    if (index > elements.count - 1) index = elements.count - 1;
    zorakSetResult(interp, elements.items[index], 0);
    return OK;
}

// The outer brace pair of a value, removed once.
std::string unbraceOnce(std::string_view value) {
    size_t first = value.find_first_not_of("\r\n\t ");
    size_t last = value.find_last_not_of("\r\n\t ");
    if (first != std::string_view::npos && value[first] == '{' && value[last] == '}' &&
        last > first)
        return std::string(value.substr(first + 1, last - first - 1));
    return std::string(value);
}

int zorakCommandLindex(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    if (argc == 2) {
        zorakSetResult(interp, argv[1], 0);
        return OK;
    }
    if (startsWithEnd(argv[2])) return lindexFromEnd(interp, argv[0], argv[1], argv[2]);
    // The list itself is read in place; only nested values are copied.
    std::string nested;
    // Until the first index is applied, current is the list word itself
    // (measured only when it is needed: a long list is read from the cache).
    bool atWord = true;
    std::string_view current;
    for (int w = 2; w < argc; w++) {
        ScopedVector indices;
        zorakScanList(argv[w], &indices.get(), ListScanOptions{});
        for (int k = 0; k < indices->count; k++) {
            int64_t index = 0;
            if (!isIndex(indices->items[k], &index)) {
                zorakSetResult(interp, "", 0);
                return ERROR;
            }
            ScopedVector scratch;
            bool quoteLineEnd = false;
            const StringVector& elements =
                atWord ? scanWordKeepEmpty(argv[1], &scratch.get(), &quoteLineEnd)
                       : scanKeepEmpty(current, &scratch.get(), &quoteLineEnd);
            if (quoteLineEnd) return lindexFail(interp, argv[0]);
            bool whole = atWord;
            atWord = false;
            if (elements.count <= 1) {
                if (whole) current = argv[1];
                // A single element answers every index.
                nested = unbraceOnce(current);
                current = nested;
                break;
            }
            nested = index >= 0 && index < elements.count ? elements.items[index] : "";
            current = nested;
        }
    }
    if (atWord) current = argv[1];
    zorakSetResult(interp, std::string(current).c_str(), 0);
    return OK;
}

// The last index of lrange: "end", "end-N" or a number.
int64_t rangeLast(const char* word, int count) {
    if (std::strncmp(word, "end", 3) != 0) return zorakLeadingInt(word);
    if (word[3] != '-') return count - 1;
    int64_t last = fromEnd(count, zorakLeadingInt(word + 4));
    return last < 0 ? 0 : last;
}

int zorakCommandLrange(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 4) return zorakWrongArgs(interp, argc, argv);
    if (!*argv[1]) {
        zorakSetResult(interp, "{}", 0);
        return OK;
    }
    ScopedVector elements;
    int count = zorakSplitList(argv[1], &elements.get());
    int64_t first = zorakLeadingInt(argv[2]);
    int64_t last = rangeLast(argv[3], count);
    if (first < 0 || last >= count) {
        zorakReportError(interp, "%s: Invalid range value in %li %li\n", argv[0],
                         static_cast<long>(first), static_cast<long>(last));
        return ERROR;
    }
    std::string out;
    for (int64_t i = first; i <= last; i++)
        zorakListAppendBraced(&out, elements->items[i], i == first);
    return setText(interp, out);
}

int zorakCommandLreverse(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    ScopedVector elements;
    int count = zorakSplitList(argv[1], &elements.get());
    std::string out;
    for (int i = count - 1; i >= 0; i--)
        zorakListAppendBraced(&out, elements->items[i], i == count - 1);
    return setText(interp, out);
}

// Assigns a variable or array element the way set does, leaving the
// interpreter's result alone.
int assignQuietly(Interpreter* interp, const char* name, const char* value) {
    HeapText saved(zorakStrDup(interp->result));
    int code = set_value(interp, name, value, 1);
    zorakSetResult(interp, saved.get(), 0);
    return code;
}

int zorakCommandLassign(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    ScopedVector elements;
    ListScanOptions options;
    options.keep_empty = true;
    int count = zorakScanList(argv[1], &elements.get(), options);
    int names = argc - 2;
    for (int i = 0; i < names; i++) {
        int code = assignQuietly(interp, argv[2 + i], i < count ? elements->items[i] : "{}");
        if (code != OK) return code;
    }
    if (count > names) {
        std::string rest;
        appendBuilt(&rest, elements.get(), names, count);
        return setText(interp, rest);
    }
    return OK;
}

int zorakCommandConcat(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 1) return zorakWrongArgs(interp, argc, argv);
    std::string out;
    for (int i = 1; i < argc; i++) {
        std::string_view word = argv[i];
        size_t start = word.find_first_not_of(" \t");
        size_t end = word.find_last_not_of(" \t");
        if (i > 1) out += ' ';
        if (start != std::string_view::npos) out.append(word.substr(start, end - start + 1));
    }
    return setText(interp, out);
}

int zorakCommandJoin(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    const char* separator = argc > 2 ? argv[2] : " ";
    ScopedVector elements;
    int count = zorakSplitList(argv[1], &elements.get());
    std::string out;
    bool first = true;
    auto add = [&](const char* item) {
        if (!first) out += separator;
        out += item;
        first = false;
    };
    for (int i = 0; i < count; i++) {
        const char* element = elements->items[i];
        if (element[0] != '{') {
            add(element);
            continue;
        }
        // A braced group inside an element is joined in its place.
        ScopedVector inner;
        int n = zorakSplitList(element, &inner.get());
        for (int j = 0; j < n; j++)
            add(inner->items[j]);
    }
    return setText(interp, out);
}

// One value as lappend writes it: the characters that a later evaluation
// would substitute or group are escaped, an empty value is "{}", and a value
// holding a space is braced.
void appendEscaped(std::string* out, std::string_view value) {
    if (!out->empty()) out->push_back(' ');
    if (value.empty()) {
        out->append("{}");
        return;
    }
    bool wrap = value.find(' ') != std::string_view::npos;
    if (wrap) out->push_back('{');
    for (char c : value) {
        if (std::strchr("{}[]$\\", c) && c) out->push_back('\\');
        out->push_back(c);
    }
    if (wrap) out->push_back('}');
}

// lappend on an array element "name(key)".
int lappendElement(Interpreter* interp, int argc, char** argv) {
    const char* name = argv[1];
    const char* open = std::strchr(name, '(');
    const char* close = std::strrchr(name, ')');
    std::string array(name, static_cast<size_t>(open - name));
    std::string key(open + 1, static_cast<size_t>(close - open - 1));
    const char* existing = zorakArrayGetElement(interp, array.c_str(), key.c_str());
    std::string value = existing ? existing : "";
    for (int i = 2; i < argc; i++)
        appendEscaped(&value, argv[i]);
    if (array_set_element(interp, array.c_str(), key.c_str(), value.c_str(), 0, 0)) return ERROR;
    return setText(interp, value);
}

// The length of the value the last lappend left, known by its stamp: a list
// built element by element is not measured again for every element.
struct KnownLength {
    uint64_t stamp = 0;
    size_t length = 0;
};
KnownLength lappendLength;

int zorakCommandLappend(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    const char* name = argv[1];
    const char* open = std::strchr(name, '(');
    if (open && open != name && std::strrchr(name, ')') > open)
        return lappendElement(interp, argc, argv);
    Var* var = zorakGetVar(interp, name, kScopeCurrent);
    if (!var) {
        if (set_var(interp, name, "") || !(var = zorakGetVar(interp, name, kScopeCurrent))) {
            if (zorakSettings.error_echo)
                console_printf("lappend: variable '%s' does not exist\n", name);
            return ERROR;
        }
    }
    // A constant keeps its value: lappend would otherwise rewrite it.
    if (var->type != VT_AUTO || var->is_pointer || var->is_constant) {
        zorakReportError(interp, "lappend: Can't lappend to existing var type in %s\n", name);
        return ERROR;
    }
    std::string added;
    for (int i = 2; i < argc; i++)
        appendEscaped(&added, argv[i]);
    const char* current = var->value ? var->value : "";
    if (!var->parent) {
        // The value grows in place; a long list is not copied for every append.
        size_t length = lappendLength.stamp == zorakValueStamp(var) ? lappendLength.length
                                                                    : std::strlen(current);
        if (length) added.insert(added.begin(), ' ');
        size_t total = length + added.size();
        char* grown = static_cast<char*>(std::realloc(var->value, total + 1));
        if (!grown) throw std::bad_alloc();
        std::memcpy(grown + length, added.data(), added.size());
        grown[total] = '\0';
        var->value = grown;
        zorakValueChanged(var);
        lappendLength = KnownLength{zorakValueStamp(var), total};
        var->changed = 1;
        if (total > 0 && total <= INT32_MAX) {
            zorakSetResult(interp, var->value, static_cast<int>(total));
            return OK;
        }
        zorakSetResult(interp, var->value, 0);
        return OK;
    }
    std::string value = current;
    if (!value.empty()) value += ' ';
    value += added;
    if (set_var(interp, name, value.c_str())) return ERROR;
    return setText(interp, value);
}

// ---------------------------------------------------------------- split

struct SplitRequest {
    const char* chars = nullptr;
    bool literal = false;
    const char* array = nullptr;
};

int splitToArray(Interpreter* interp, const char* command, const std::vector<std::string>& fields,
                 const char* array) {
    if (zorakGetVar(interp, array, kScopeCurrent)) {
        zorakReportError(interp, "%s: Array variable '%s' exists\n", "split", array);
        return ERROR;
    }
    for (size_t i = 0; i < fields.size(); i++) {
        std::string key = std::to_string(i);
        if (array_set_element(interp, array, key.c_str(), fields[i].c_str(), 0, 0)) {
            zorakReportError(interp, "%s: Failed to set array %s(%s)=%s\n", command, array,
                             key.c_str(), fields[i].c_str());
            return ERROR;
        }
    }
    return setText(interp, std::to_string(fields.size()));
}

int zorakCommandSplit(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    SplitRequest request;
    for (int i = 2; i < argc; i++) {
        if (std::strcmp(argv[i], "-literal") == 0)
            request.literal = true;
        else if (zorakEqualNoCase(argv[i], "-array") && i + 1 < argc)
            request.array = argv[++i];
        else if (!request.chars)
            request.chars = argv[i];
    }
    const char* text = argv[1];
    if (!request.chars && !request.array) {
        zorakSetResult(interp, text, 0);
        return OK;
    }
    std::string_view chars = request.chars ? request.chars : "";
    std::vector<std::string> fields = zorakSplitFields(text, chars, request.literal);
    if (request.array) return splitToArray(interp, argv[0], fields, request.array);
    if (fields.size() == 1) {
        zorakSetResult(interp, fields[0].c_str(), 0);
        return OK;
    }
    std::string out;
    for (size_t i = 0; i < fields.size(); i++) {
        const std::string& field = fields[i];
        if (i) out += ' ';
        bool wrap = chars.empty() ? std::strchr("\b\t\n\r \"$", field[0]) != nullptr
                                  : field.find_first_of(" \t") != std::string::npos;
        if (!chars.empty() && field.empty()) {
            out += "{}";
            continue;
        }
        if (wrap) out += '{';
        out += field;
        if (wrap) out += '}';
    }
    return setText(interp, out);
}

// ---------------------------------------------------------------- lreplace

// An index of lreplace: a number, "end", or "end-N" (at least 0); "end"
// followed by anything else is 0.
int64_t replaceIndex(const char* word, int count) {
    if (!startsWithEnd(word)) return zorakLeadingInt(word);
    if (!word[3]) return count - 1;
    if (word[3] == '-') {
        int64_t index = fromEnd(count, zorakLeadingInt(word + 4));
        return index < 0 ? 0 : index;
    }
    return 0;
}

int zorakCommandLreplace(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 4) return zorakWrongArgs(interp, argc, argv);
    const char* list = argv[1];
    ScopedVector elements;
    int count = zorakSplitList(list, &elements.get());
    int64_t first = replaceIndex(argv[2], count);
    if (first < 0) first = 0;
    std::string out;
    if (!*list) {
        if (first != 0) {
            zorakReportError(interp, "%s: List doesn't contain element %li\n", argv[0],
                             static_cast<long>(first));
            return ERROR;
        }
        for (int i = 4; i < argc; i++)
            zorakListAppendBraced(&out, argv[i], i == 4);
        return setText(interp, out);
    }
    if (count == 0) {
        zorakReportError(interp, "%s: Failed to process arguments\n", argv[0]);
        return ERROR;
    }
    int64_t last = replaceIndex(argv[3], count);
    if (first > last) {
        zorakReportError(interp, "%s: Error, start index > end index\n", argv[0]);
        return ERROR;
    }
    int keep = first < count ? static_cast<int>(first) : count;
    appendBuilt(&out, elements.get(), 0, keep);
    for (int i = 4; i < argc; i++)
        zorakListAppendBraced(&out, argv[i], false);
    for (int64_t i = last < count ? last + 1 : count; i < count; i++)
        zorakListAppendBraced(&out, elements->items[i], false);
    size_t start = out.find_first_not_of(' ');
    return setText(interp, start == std::string::npos ? "" : out.substr(start));
}

} // namespace

void zorakRegisterListCommands(Interpreter* interp) {
    zorakRegisterListSearchCommands(interp);
    zorakRegisterCommand(interp, "list", zorakCommandList, nullptr, 0);
    zorakRegisterCommand(interp, "llength", zorakCommandLlength, nullptr, 0);
    zorakRegisterCommand(interp, "lindex", zorakCommandLindex, nullptr, 0);
    zorakRegisterCommand(interp, "lrange", zorakCommandLrange, nullptr, 0);
    zorakRegisterCommand(interp, "lreverse", zorakCommandLreverse, nullptr, 0);
    zorakRegisterCommand(interp, "lassign", zorakCommandLassign, nullptr, 0);
    zorakRegisterCommand(interp, "concat", zorakCommandConcat, nullptr, 0);
    zorakRegisterCommand(interp, "join", zorakCommandJoin, nullptr, 0);
    zorakRegisterCommand(interp, "lappend", zorakCommandLappend, nullptr, 0);
    zorakRegisterCommand(interp, "split", zorakCommandSplit, nullptr, 0);
    zorakRegisterCommand(interp, "lreplace", zorakCommandLreplace, nullptr, 0);
    zorakLendWordsTo(zorakCommandLlength, nullptr);
    zorakLendWordsTo(zorakCommandLindex, nullptr);
    zorakLendWordsTo(zorakCommandLrange, nullptr);
}
