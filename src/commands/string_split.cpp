// The string commands that cut text into lists or rewrite it piece by
// piece: slice (fixed-width fields), map (pairwise substitution), strtok,
// chartok and strsplit.
#include "commands/string_core.h"

#include "commands/list_core.h"
#include "interp/errors.h"
#include "interp/registry.h"
#include "util/number_text.h"
#include "util/text.h"

#include <cinttypes>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string listOf(const std::vector<std::string>& fields, bool keepEmpty) {
    std::string out;
    for (const std::string& field : fields)
        if (keepEmpty || !field.empty()) zorakListAppendWord(&out, field);
    return out;
}

// Writes one finished field of slice: braced when it holds a blank or a tab,
// "{}" when empty, and always followed by a space.
void sliceField(std::string* out, std::string* field) {
    size_t end = field->find_last_not_of(' ');
    field->resize(end == std::string::npos ? 0 : end + 1);
    if (field->empty())
        out->append("{}");
    else
        zorakListAppendBraced(out, *field, true);
    out->push_back(' ');
    field->clear();
}

// strtok text ?chars?: the runs of text between separator characters.
int zorakCommandStrtok(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    std::string_view chars = argc > 2 && *argv[2] ? argv[2] : " \t\r\n";
    return zorakStringResult(interp, listOf(zorakSplitFields(argv[1], chars, false), false));
}

// chartok text: one element per character.
int zorakCommandChartok(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    return zorakStringResult(interp, listOf(zorakSplitFields(argv[1], "", false), true));
}

// strsplit text separator: cut at every occurrence of the whole separator.
int zorakCommandStrsplit(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    return zorakStringResult(interp, listOf(zorakSplitFields(argv[1], argv[2], true), true));
}

} // namespace

// slice text column ...: columns are 1-based cut positions; each line of the
// text is cut at them into fields, carriage returns counting as columns.
int zorakCommandSlice(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    std::vector<int64_t> cuts;
    for (int i = 2; i < argc; i++) {
        int64_t column = zorakLeadingInt(argv[i]);
        if (column < (cuts.empty() ? 0 : cuts.back())) {
            zorakReportError(interp, "%s: stop value %" PRId64 " out of sequence\n", argv[0],
                             column);
            return ERROR;
        }
        cuts.push_back(column);
    }
    if (cuts.empty()) return zorakStringResult(interp, argv[1]);
    std::string out, field;
    size_t next = 0;
    int64_t column = 1;
    for (const char* p = argv[1]; *p; p++) {
        if (*p == '\n') {
            sliceField(&out, &field);
            next = 0;
            column = 1;
            continue;
        }
        // A carriage return takes a column but ends no field.
        if (*p == '\r') {
            column++;
            continue;
        }
        for (; next < cuts.size() && column >= cuts[next]; next++)
            sliceField(&out, &field);
        column++;
        if (field.empty() && (*p == ' ' || *p == '\t')) continue;
        field.push_back(*p);
    }
    if (column > 1) sliceField(&out, &field);
    return zorakStringResult(interp, out);
}

// map ?-nocase? {from to ...} text: at each position the first pair whose
// from matches is replaced by its to; text that no pair matches stays.
int zorakCommandMap(Interpreter* interp, int argc, char** argv, void*) {
    int first = 1;
    bool nocase = false;
    for (; first < argc && zorakEqualNoCase(argv[first], "-nocase"); first++)
        nocase = true;
    if (argc - first < 2) return zorakWrongArgs(interp, argc, argv);
    const char* mapping = argv[first];
    ScopedVector pairs;
    ListScanOptions options;
    options.keep_empty = true;
    int count = zorakScanList(mapping, &pairs.get(), options);
    if (count % 2) {
        zorakReportError(interp, "%s: %s unpaired arglist: '%-.25s...' argcount: %i\n", argv[0],
                         "Error", mapping, count);
        return ERROR;
    }
    for (int k = 0; k < count; k += 2) {
        if (!*pairs->items[k]) {
            zorakReportError(interp, "%s: %s list lvalue %i is empty: {}\n", argv[0], "Error", k);
            return ERROR;
        }
    }
    std::string_view text(argv[first + 1]);
    std::string out;
    out.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        bool replaced = false;
        for (int k = 0; k < count && !replaced; k += 2) {
            std::string_view from(pairs->items[k]);
            std::string_view here = text.substr(at, from.size());
            if (nocase ? zorakEqualNoCase(here, from) : here == from) {
                out.append(pairs->items[k + 1]);
                at += from.size();
                replaced = true;
            }
        }
        if (!replaced) out.push_back(text[at++]);
    }
    return zorakStringResult(interp, out);
}

void zorakRegisterStringSplitCommands(Interpreter* interp) {
    zorakRegisterCommand(interp, "chartok", zorakCommandChartok, nullptr, 0);
    zorakRegisterCommand(interp, "map", zorakCommandMap, nullptr, 0);
    zorakRegisterCommand(interp, "slice", zorakCommandSlice, nullptr, 0);
    zorakRegisterCommand(interp, "strsplit", zorakCommandStrsplit, nullptr, 0);
    zorakRegisterCommand(interp, "strtok", zorakCommandStrtok, nullptr, 0);
}
