// The string command: the text operations under subcommands. Several
// subcommands are the stand-alone commands themselves, run with the words
// shifted by one so that the subcommand word stands in for the command name.
#include "commands/string_core.h"

#include "interp/errors.h"
#include "interp/registry.h"
#include "util/number_text.h"
#include "util/text.h"
#include "vars/arrays.h"
#include "vars/variables.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// The text a subcommand works on: the word itself, or the value of the
// plain variable it names when the "-var" flag was given.
struct Operand {
    const char* name = nullptr;
    Var* var = nullptr;
    std::string text;
};

Operand resolveOperand(Interpreter* interp, const char* word, bool byName) {
    Operand operand;
    operand.name = word;
    if (byName) operand.var = zorakStringVar(interp, word);
    operand.text = operand.var ? std::string(zorakStringVarText(operand.var)) : std::string(word);
    return operand;
}

// "-var" ends the words, exactly in lower case, and only past the minimum count.
bool trailingVarFlag(int argc, char** argv, int minimumWords) {
    return argc > minimumWords && std::strcmp(argv[argc - 1], "-var") == 0;
}

// The one-text subcommands: "string sub text ?-var?".
Operand oneText(Interpreter* interp, int argc, char** argv) {
    return resolveOperand(interp, argv[2], trailingVarFlag(argc, argv, 3));
}

// Hands back a changed text: into the variable first, then as the result.
int changed(Interpreter* interp, Operand& operand) {
    if (operand.var) {
        int code = zorakStringStore(interp, operand.name, operand.var, operand.text);
        if (code != OK) return code;
    }
    return zorakStringResult(interp, operand.text);
}

int invalidArgument(Interpreter* interp, char** argv) {
    zorakReportError(interp, "%s %s: Invalid argument\n", argv[0], argv[1]);
    return ERROR;
}

int boolResult(Interpreter* interp, bool value) {
    return zorakStringResult(interp, value ? "1" : "0");
}

// ---------------------------------------------------------------- case

// tolower takes its flag in front of the name: "tolower -var name".
int stringTolower(Interpreter* interp, int argc, char** argv) {
    bool byName = argc > 3 && std::strcmp(argv[2], "-var") == 0;
    Operand operand = resolveOperand(interp, argv[byName ? 3 : 2], byName);
    zorakStringLower(&operand.text);
    return changed(interp, operand);
}

int stringToupper(Interpreter* interp, int argc, char** argv) {
    Operand operand = oneText(interp, argc, argv);
    zorakStringUpper(&operand.text);
    return changed(interp, operand);
}

// Lower case with the first non-blank character in upper case.
int stringTotitle(Interpreter* interp, int argc, char** argv) {
    Operand operand = oneText(interp, argc, argv);
    std::string& text = operand.text;
    zorakStringLower(&text);
    auto first = std::find_if_not(text.begin(), text.end(), zorakStringIsSpace);
    if (first != text.end()) *first = zorakUpperAscii(*first);
    return changed(interp, operand);
}

// Lower case with the first character and every one after a blank in upper case.
int stringInitcaps(Interpreter* interp, int argc, char** argv) {
    Operand operand = oneText(interp, argc, argv);
    std::string& text = operand.text;
    zorakStringLower(&text);
    for (size_t i = 0; i < text.size(); i++)
        if (i == 0 || zorakStringIsSpace(text[i - 1])) text[i] = zorakUpperAscii(text[i]);
    return changed(interp, operand);
}

int stringReverse(Interpreter* interp, int argc, char** argv) {
    Operand operand = oneText(interp, argc, argv);
    std::reverse(operand.text.begin(), operand.text.end());
    return changed(interp, operand);
}

// ---------------------------------------------------------------- tests

int stringIsempty(Interpreter* interp, int argc, char** argv) {
    return boolResult(interp, oneText(interp, argc, argv).text.empty());
}

int stringLength(Interpreter* interp, int argc, char** argv) {
    return zorakStringResultInt(interp,
                                static_cast<int64_t>(oneText(interp, argc, argv).text.size()));
}

bool isAlpha(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isAlnum(char c) {
    return isAlpha(c) || (c >= '0' && c <= '9');
}

int stringIsAlpha(Interpreter* interp, int argc, char** argv) {
    const std::string text = oneText(interp, argc, argv).text;
    return boolResult(interp, std::all_of(text.begin(), text.end(), isAlpha));
}

int stringIsAlnum(Interpreter* interp, int argc, char** argv) {
    const std::string text = oneText(interp, argc, argv).text;
    return boolResult(interp, std::all_of(text.begin(), text.end(), isAlnum));
}

int stringEqual(Interpreter* interp, int argc, char** argv) {
    Operand operand = resolveOperand(interp, argv[2], trailingVarFlag(argc, argv, 4));
    return boolResult(interp, operand.text == argv[3]);
}

// ---------------------------------------------------------------- trim

// The set is the word after the text unless that word is the trailing flag;
// without it, a single space.
int trimSide(Interpreter* interp, int argc, char** argv, bool left, bool right) {
    bool byName = trailingVarFlag(argc, argv, 3);
    Operand operand = resolveOperand(interp, argv[2], byName);
    bool hasSet = argc > 3 && !(byName && argc == 4);
    std::string_view set = hasSet ? std::string_view(argv[3]) : std::string_view(" ");
    operand.text = std::string(zorakStringTrim(operand.text, set, left, right));
    return changed(interp, operand);
}

int stringTrim(Interpreter* interp, int argc, char** argv) {
    return trimSide(interp, argc, argv, true, true);
}

int stringTrimleft(Interpreter* interp, int argc, char** argv) {
    return trimSide(interp, argc, argv, true, false);
}

int stringTrimright(Interpreter* interp, int argc, char** argv) {
    return trimSide(interp, argc, argv, false, true);
}

// ---------------------------------------------------------------- pieces

// The first character of the text, count times.
int stringRepeat(Interpreter* interp, int argc, char** argv) {
    int64_t count = argc > 3 ? zorakLeadingInt(argv[3]) : 1;
    if (count < 0 || !*argv[2]) count = 0;
    // A result must fit the interpreter's recorded result length.
    if (count >= INT32_MAX) return invalidArgument(interp, argv);
    return zorakStringResult(interp, std::string(static_cast<size_t>(count), argv[2][0]));
}

int stringIndex(Interpreter* interp, int argc, char** argv) {
    Operand operand = resolveOperand(interp, argv[2], trailingVarFlag(argc, argv, 4));
    int64_t position = zorakLeadingInt(argv[3]);
    if (position < 0 || position >= static_cast<int64_t>(operand.text.size()))
        return invalidArgument(interp, argv);
    return zorakStringResult(
        interp, std::string_view(operand.text).substr(static_cast<size_t>(position), 1));
}

// A last index: "end", "end-N" or a number. False for a negative one.
bool lastIndex(const char* word, int64_t length, int64_t* last) {
    std::string_view text(word);
    if (zorakEqualNoCase(text.substr(0, 3), "end") &&
        (text.size() == 3 || (text[3] == '-' && text.size() > 4))) {
        *last = length - 1 - (text.size() == 3 ? 0 : zorakLeadingInt(word + 4));
        return text.size() == 3 || zorakLeadingInt(word + 4) >= 0;
    }
    *last = zorakLeadingInt(word);
    return *last >= 0;
}

int stringRange(Interpreter* interp, int, char** argv) {
    std::string_view text(argv[2]);
    int64_t length = static_cast<int64_t>(text.size());
    int64_t first = zorakLeadingInt(argv[3]);
    if (first < 0) {
        zorakReportError(interp, "%s: Invalid argument '%s'\n", argv[0], argv[3]);
        return ERROR;
    }
    int64_t last = 0;
    if (!lastIndex(argv[4], length, &last)) {
        zorakReportError(interp, "%s: Invalid argument '%s'\n", argv[0], argv[4]);
        return ERROR;
    }
    last = std::min(last, length - 1);
    if (last < first || first >= length) return zorakStringResult(interp, "");
    return zorakStringResult(
        interp, text.substr(static_cast<size_t>(first), static_cast<size_t>(last - first + 1)));
}

// Every occurrence of from, left to right and not overlapping, becomes to.
// "-glob" asks for pattern replacement, which leaves the text as it is.
int stringReplace(Interpreter* interp, int argc, char** argv) {
    std::string_view text(argv[2]), from(argv[3]), to(argv[4]);
    if ((argc > 5 && zorakEqualNoCase(argv[argc - 1], "-glob")) || from.empty())
        return zorakStringResult(interp, text);
    std::string out;
    out.reserve(text.size());
    size_t at = 0;
    for (size_t hit; (hit = text.find(from, at)) != std::string_view::npos;
         at = hit + from.size()) {
        out.append(text.substr(at, hit - at));
        out.append(to);
    }
    out.append(text.substr(at));
    return zorakStringResult(interp, out);
}

// One array element per line, keyed 0, 1, 2 ...
int stringToarray(Interpreter* interp, int, char** argv) {
    const char* array = argv[3];
    if (zorakGetVar(interp, array, kScopeCurrent)) {
        zorakReportError(interp, "%s %s: Array '%s' exists\n", argv[0], argv[1], array);
        return ERROR;
    }
    std::string_view text(argv[2]);
    int64_t stored = 0;
    int code = OK;
    for (size_t start = 0;; stored++) {
        size_t end = text.find('\n', start);
        std::string line(text.substr(start, end == std::string_view::npos ? end : end - start));
        std::string key = std::to_string(stored);
        code = array_set_element(interp, array, key.c_str(), line.c_str(), 0, 0) ? ERROR : OK;
        if (code != OK || end == std::string_view::npos) {
            if (code == OK) stored++;
            break;
        }
        start = end + 1;
    }
    zorakStringResultInt(interp, stored);
    return code;
}

// The wide-string form needs the raw-memory commands, which this build lacks.
int stringToWchar(Interpreter* interp, int, char** argv) {
    zorakReportError(interp, "%s %s: Unhandled command\n", argv[0], argv[1]);
    return ERROR;
}

// ---------------------------------------------------------------- shifted

int stringLeft(Interpreter* interp, int argc, char** argv) {
    return zorakCommandLeft(interp, argc - 1, argv + 1, nullptr);
}
int stringRight(Interpreter* interp, int argc, char** argv) {
    return zorakCommandRight(interp, argc - 1, argv + 1, nullptr);
}
int stringMids(Interpreter* interp, int argc, char** argv) {
    return zorakCommandMids(interp, argc - 1, argv + 1, nullptr);
}
int stringMatch(Interpreter* interp, int argc, char** argv) {
    return zorakCommandMatch(interp, argc - 1, argv + 1, nullptr);
}
int stringSlice(Interpreter* interp, int argc, char** argv) {
    return zorakCommandSlice(interp, argc - 1, argv + 1, nullptr);
}
int stringMap(Interpreter* interp, int argc, char** argv) {
    return zorakCommandMap(interp, argc - 1, argv + 1, nullptr);
}

// ---------------------------------------------------------------- table

struct Subcommand {
    const char* name;
    // Words in all, the command and subcommand words included.
    int minimum_words;
    int (*run)(Interpreter* interp, int argc, char** argv);
};

// Looked up in this order without regard to case; the first match wins.
const Subcommand kSubcommands[] = {
    {"tolower", 3, stringTolower},     {"isempty", 3, stringIsempty},
    {"toupper", 3, stringToupper},     {"length", 3, stringLength},
    {"trim", 3, stringTrim},           {"trimleft", 3, stringTrimleft},
    {"trimright", 3, stringTrimright}, {"totitle", 3, stringTotitle},
    {"initcaps", 3, stringInitcaps},   {"is_alpha", 3, stringIsAlpha},
    {"is_alnum", 3, stringIsAlnum},    {"repeat", 3, stringRepeat},
    {"reverse", 3, stringReverse},     {"equal", 4, stringEqual},
    {"to_wchar", 4, stringToWchar},    {"slice", 4, stringSlice},
    {"index", 4, stringIndex},         {"left", 4, stringLeft},
    {"mids", 4, stringMids},           {"match", 4, stringMatch},
    {"right", 4, stringRight},         {"map", 4, stringMap},
    {"toarray", 4, stringToarray},     {"replace", 5, stringReplace},
    {"range", 5, stringRange},
};

int zorakCommandString(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    for (const Subcommand& sub : kSubcommands) {
        if (!zorakEqualNoCase(argv[1], sub.name)) continue;
        if (argc < sub.minimum_words) return zorakWrongArgs(interp, argc, argv);
        return sub.run(interp, argc, argv);
    }
    zorakReportError(interp, "%s %s: Unhandled command\n", argv[0], argv[1]);
    return ERROR;
}

} // namespace

void zorakRegisterStringCommands(Interpreter* interp) {
    zorakRegisterCommand(interp, "string", zorakCommandString, nullptr, 0);
    zorakRegisterStringWordCommands(interp);
    zorakRegisterStringSplitCommands(interp);
}
