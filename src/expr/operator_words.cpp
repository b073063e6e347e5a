// The operator words beside the inline math commands: "." joins texts,
// "<=>" compares two values as -1, 0 or 1 with the typing of the relational
// commands, "=>>" appends to a struct member as "=>" writes one, and "@>"
// runs a command line as "@" does but gives back what it printed.
#include "expr/number_rules.h"
#include "interp/errors.h"
#include "interp/registry.h"
#include "platform/platform.h"
#include "shell/settings.h"
#include "interp/parser.h"
#include "util/text.h"
#include "vars/variable_words.h"

#include <cstring>
#include <string>

namespace {

bool isEmptyMarker(const char* word) {
    return std::strcmp(word, "{}") == 0 || std::strcmp(word, "\"\"") == 0;
}

// . a ?b ...?: the words joined without separators; "{}" adds nothing.
int zorakCommandConcatenate(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    std::string out;
    for (int i = 1; i < argc; i++)
        if (!isEmptyMarker(argv[i])) out += argv[i];
    zorakSetResult(interp, out.c_str(), static_cast<int>(out.size()));
    return OK;
}

template <typename T> int order(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

int compareTexts(const char* a, const char* b, bool nocase) {
    for (size_t i = 0;; i++) {
        unsigned char x = static_cast<unsigned char>(nocase ? zorakLowerAscii(a[i]) : a[i]);
        unsigned char y = static_cast<unsigned char>(nocase ? zorakLowerAscii(b[i]) : b[i]);
        if (x != y) return x < y ? -1 : 1;
        if (!x) return 0;
    }
}

double asDouble(const char* text, NumericClass kind) {
    return kind == NumericClass::Float ? zorakTextToDouble(text)
                                       : static_cast<double>(parse_integer_text(text));
}

// <=> a b ?-nocase? ?-unsigned?: numbers compare as numbers (as doubles when
// either is floating), anything else byte by byte.
int zorakCommandSpaceship(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    bool nocase = false, asUnsigned = false;
    for (int i = 3; i < argc; i++) {
        if (zorakEqualNoCase(argv[i], "-nocase"))
            nocase = true;
        else if (zorakEqualNoCase(argv[i], "-unsigned"))
            asUnsigned = true;
        else
            return zorakWrongArgs(interp, argc, argv);
    }
    const char* a = isEmptyMarker(argv[1]) ? "" : argv[1];
    const char* b = isEmptyMarker(argv[2]) ? "" : argv[2];
    NumericClass ka = numeric_class(a);
    NumericClass kb = numeric_class(b);
    int result;
    if (ka == NumericClass::NotNumeric || kb == NumericClass::NotNumeric)
        result = compareTexts(a, b, nocase);
    else if (ka == NumericClass::Float || kb == NumericClass::Float)
        result = order(asDouble(a, ka), asDouble(b, kb));
    else if (asUnsigned)
        result = order(static_cast<uint64_t>(parse_integer_text(a)),
                       static_cast<uint64_t>(parse_integer_text(b)));
    else
        result = order(parse_integer_text(a), parse_integer_text(b));
    zorakSetIntResult(interp, result);
    return OK;
}

// =>> member text: the member's text with text appended, written back as
// "=>" writes (cut to the field's size); the result is the field's address.
int zorakCommandStructAppend(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 3) return zorakWrongArgs(interp, argc, argv);
    int code = zorakCallWords(interp, argv[0], "->", {"->", argv[1]});
    if (code != OK) return code;
    std::string text = interp->result ? interp->result : "";
    text += argv[2];
    return zorakCallWords(interp, argv[0], "=>", {"=>", argv[1], text});
}

bool collect(void* data, const char* bytes, size_t size) {
    static_cast<std::string*>(data)->append(bytes, size);
    return true;
}

// @> word ?word ...?: the words joined into a command line for the system's
// command interpreter; the result is what it printed, one line end removed.
int zorakCommandCapture(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    std::string line;
    for (int i = 1; i < argc; i++) {
        if (i > 1) line += ' ';
        line += argv[i];
    }
    if (zorakSettings.escape) {
        zorakUnescape(line.data());
        line.resize(std::strlen(line.c_str()));
    }
    std::string output;
    if (!platformCaptureCommand(line, collect, &output)) {
        zorakReportError(interp, "%s: Error running '%s'\n", argv[0], line.c_str());
        return ERROR;
    }
    if (!output.empty() && output.back() == '\n') output.pop_back();
    if (!output.empty() && output.back() == '\r') output.pop_back();
    zorakSetResult(interp, output.c_str(), static_cast<int>(output.size()));
    return OK;
}

} // namespace

void zorakRegisterOperatorWords(Interpreter* interp) {
    zorakRegisterCommand(interp, ".", zorakCommandConcatenate, nullptr, 0);
    zorakRegisterCommand(interp, "<=>", zorakCommandSpaceship, nullptr, 0);
    zorakRegisterCommand(interp, "=>>", zorakCommandStructAppend, nullptr, 0);
    zorakRegisterCommand(interp, "@>", zorakCommandCapture, nullptr, 0);
}
