// The list commands that order and search: lsort, lsearch, in and ni.
#include "commands/list_core.h"

#include "interp/errors.h"
#include "interp/registry.h"
#include "util/heap_text.h"
#include "util/number_text.h"
#include "util/text.h"
#include "util/wildcard.h"
#include "vars/variables.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

enum class SortKind { Bytes, NoCase, Integer, Real };

int compareNoCase(const char* a, const char* b) {
    for (;; a++, b++) {
        int x = static_cast<unsigned char>(*a), y = static_cast<unsigned char>(*b);
        if (x >= 'A' && x <= 'Z') x += 'a' - 'A';
        if (y >= 'A' && y <= 'Z') y += 'a' - 'A';
        if (x != y || !x) return x - y;
    }
}

int compareElements(const char* a, const char* b, SortKind kind) {
    switch (kind) {
    case SortKind::Integer: {
        int64_t x = zorakLeadingInt(a), y = zorakLeadingInt(b);
        return x < y ? -1 : x > y ? 1 : 0;
    }
    case SortKind::Real: {
        double x = std::strtod(a, nullptr), y = std::strtod(b, nullptr);
        return x < y ? -1 : x > y ? 1 : 0;
    }
    case SortKind::NoCase:
        return compareNoCase(a, b);
    case SortKind::Bytes:
        break;
    }
    return std::strcmp(a, b);
}

// Orders the elements in place. Equal elements keep their order, so the
// outcome does not depend on the sorting routine.
void sortElements(StringVector* v, SortKind kind, bool descending) {
    std::stable_sort(v->items, v->items + v->count,
                     [kind, descending](const char* a, const char* b) {
                         int cmp = compareElements(a, b, kind);
                         return descending ? cmp > 0 : cmp < 0;
                     });
}

int zorakCommandLsort(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    bool descending = false;
    SortKind kind = SortKind::Bytes;
    bool nocase = false, integer = false, real = false;
    for (int i = 2; i < argc; i++) {
        if (zorakEqualNoCase(argv[i], "-descending") || zorakEqualNoCase(argv[i], "-decreasing"))
            descending = true;
        else if (zorakEqualNoCase(argv[i], "-nocase"))
            nocase = true;
        else if (zorakEqualNoCase(argv[i], "-integer"))
            integer = true;
        else if (zorakEqualNoCase(argv[i], "-real"))
            real = true;
    }
    if (integer)
        kind = SortKind::Integer;
    else if (real)
        kind = SortKind::Real;
    else if (nocase)
        kind = SortKind::NoCase;
    // A word naming a variable sorts that variable's value.
    Var* var = zorakGetVar(interp, argv[1], kScopeCurrent);
    std::string text = var && var->value ? var->value : argv[1];
    ScopedVector elements;
    zorakScanList(text, &elements.get(), ListScanOptions{});
    sortElements(&elements.get(), kind, descending);
    std::string out;
    for (int i = 0; i < elements->count; i++)
        zorakListAppendBraced(&out, elements->items[i], i == 0, false);
    zorakSetResult(interp, out.c_str(), 0);
    return OK;
}

// ---------------------------------------------------------------- lsearch

struct SearchOptions {
    bool exact = false;
    bool nocase = false;
    bool invert = false;
    bool all = false;
    bool inline_ = false;
    bool sort = false;
    bool descending = false;
    const char* start = nullptr;
};

bool matches(const SearchOptions& options, const char* pattern, const char* element) {
    bool hit = options.exact ? (options.nocase ? zorakEqualNoCase(pattern, element)
                                               : std::strcmp(pattern, element) == 0)
                             : zorakWildcardMatch(pattern, element, options.nocase);
    return hit != options.invert;
}

// Reads the options before the list; returns the index of the list word, or
// -1 when the command has failed (reported).
int readSearchOptions(Interpreter* interp, int argc, char** argv, SearchOptions* options) {
    int i = 1;
    for (; i < argc && argv[i][0] == '-'; i++) {
        const char* word = argv[i];
        if (zorakEqualNoCase(word, "-glob"))
            options->exact = false;
        else if (zorakEqualNoCase(word, "-exact"))
            options->exact = true;
        else if (zorakEqualNoCase(word, "-nocase"))
            options->nocase = true;
        else if (zorakEqualNoCase(word, "-not"))
            options->invert = true;
        else if (zorakEqualNoCase(word, "-all"))
            options->all = true;
        else if (zorakEqualNoCase(word, "-inline"))
            options->inline_ = true;
        else if (zorakEqualNoCase(word, "-sort"))
            options->sort = true;
        else if (zorakEqualNoCase(word, "-decreasing"))
            options->descending = true;
        else if (zorakEqualNoCase(word, "-start")) {
            if (i + 1 < argc && argv[i + 1][0] == '-') {
                zorakReportError(interp, "%s: %s argument -start '%s'\n", argv[0], "Invalid",
                                 argv[i + 1]);
                return -1;
            }
            if (i + 1 < argc) options->start = argv[++i];
        } else if (!zorakEqualNoCase(word, "-sorted") && !zorakEqualNoCase(word, "-increasing") &&
                   !zorakEqualNoCase(word, "-integer") && !zorakEqualNoCase(word, "-real") &&
                   !zorakEqualNoCase(word, "-ascii")) {
            zorakReportError(interp, "%s: Unhandled option '%s'\n", argv[0], word);
            return -1;
        }
    }
    if (argc - i != 2) {
        zorakReportError(interp, "%s: Search arg is missing\n", argv[0]);
        return -1;
    }
    return i;
}

int zorakCommandLsearch(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    SearchOptions options;
    int at = readSearchOptions(interp, argc, argv, &options);
    if (at < 0) return ERROR;
    const char* list = argv[at];
    const char* pattern = argv[at + 1];
    if (!*list) {
        zorakSetResult(interp, "-1", 0);
        return OK;
    }
    ScopedVector elements;
    int count = zorakScanList(list, &elements.get(), ListScanOptions{});
    if (options.sort)
        sortElements(&elements.get(), options.nocase ? SortKind::NoCase : SortKind::Bytes,
                     options.descending);
    int64_t start = options.start ? zorakLeadingInt(options.start) : 0;
    if (start < 0) start = 0;
    if (start > count - 1) start = count > 0 ? count - 1 : 0;
    std::string out;
    bool any = false;
    for (int64_t i = start; i < count; i++) {
        const char* element = elements->items[i];
        if (!matches(options, pattern, element)) continue;
        if (!options.all) {
            if (options.inline_)
                zorakSetResult(interp, element, 0);
            else
                zorakSetResult(interp, std::to_string(i).c_str(), 0);
            return OK;
        }
        if (any) out += ' ';
        any = true;
        if (!options.inline_)
            out += std::to_string(i);
        else if (!*element)
            out += "{}";
        else
            zorakListAppendBraced(&out, element, true, false);
    }
    if (!options.all)
        out = "-1";
    else if (!any)
        out = "{}";
    zorakSetResult(interp, out.c_str(), 0);
    return OK;
}

// in and ni: membership through lsearch, glob matching by default.
int membership(Interpreter* interp, int argc, char** argv, bool wanted) {
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    std::vector<char*> words;
    char command[] = "lsearch";
    words.push_back(command);
    if (argc > 3 && (std::strcmp(argv[3], "-glob") == 0 || std::strcmp(argv[3], "-nocase") == 0))
        words.push_back(argv[3]);
    words.push_back(argv[1]);
    words.push_back(argv[2]);
    words.push_back(nullptr);
    int code =
        zorakCommandLsearch(interp, static_cast<int>(words.size()) - 1, words.data(), nullptr);
    if (code != OK) {
        zorakReportError(interp, "%s: '%-.30s'... '%s'\n", argv[0], argv[1], argv[2]);
        return code;
    }
    bool found = interp->result && std::strcmp(interp->result, "-1") != 0;
    zorakSetResult(interp, found == wanted ? "1" : "0", 0);
    return OK;
}

int zorakCommandIn(Interpreter* interp, int argc, char** argv, void*) {
    return membership(interp, argc, argv, true);
}

int zorakCommandNi(Interpreter* interp, int argc, char** argv, void*) {
    return membership(interp, argc, argv, false);
}

} // namespace

void zorakRegisterListSearchCommands(Interpreter* interp) {
    zorakRegisterCommand(interp, "lsort", zorakCommandLsort, nullptr, 0);
    zorakRegisterCommand(interp, "lsearch", zorakCommandLsearch, nullptr, 0);
    zorakRegisterCommand(interp, "in", zorakCommandIn, nullptr, 0);
    zorakRegisterCommand(interp, "ni", zorakCommandNi, nullptr, 0);
}
