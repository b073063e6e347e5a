// The stand-alone string commands that cut, search, fold, trim and patch
// text, and append. Positions they take and return count bytes from 1; a
// search that finds nothing answers 0.
#include "commands/string_core.h"

#include "console/console.h"
#include "interp/errors.h"
#include "interp/registry.h"
#include "util/heap_text.h"
#include "util/number_text.h"
#include "util/text.h"
#include "util/wildcard.h"
#include "vars/variables.h"

#include <algorithm>
#include <cinttypes>
#include <cstring>
#include <string>

namespace {

bool isFlag(const char* word, const char* flag) {
    return std::strcmp(word, flag) == 0;
}

// True when any word from first on is the flag, compared exactly.
bool hasFlag(int argc, char** argv, int first, const char* flag) {
    for (int i = first; i < argc; i++)
        if (isFlag(argv[i], flag)) return true;
    return false;
}

// A search position as a result: 1-based, 0 for none.
int positionResult(Interpreter* interp, size_t at) {
    return zorakStringResultInt(interp,
                                at == std::string_view::npos ? 0 : static_cast<int64_t>(at) + 1);
}

// The value of the plain variable a word names; reports a missing one.
bool namedText(Interpreter* interp, const char* command, const char* name, Var** var) {
    *var = zorakStringVar(interp, name);
    if (*var) return true;
    zorakReportError(interp, "%s: Variable '%s' not found\n", command, name);
    return false;
}

// The variable a patching command changes: it must exist and hold a plain,
// changeable value.
Var* patchTarget(Interpreter* interp, const char* command, const char* name, bool print) {
    Var* var = zorakGetVar(interp, name, kScopeCurrent);
    if (!var) return nullptr;
    if (var->type == VT_AUTO && !var->is_pointer && !var->is_constant) return var;
    const char* type = var->type != VT_AUTO ? var_type_name(var->type)
                       : var->is_pointer    ? var_type_name(VT_POINTER)
                                            : "const";
    if (print)
        console_printf("%s: Cannot assign to variable %s of type %s\n", command, name, type);
    else
        zorakReportError(interp, "%s: Cannot assign to variable %s of type %s\n", command, name,
                         type);
    return nullptr;
}

// ---------------------------------------------------------------- left, right

// left and right: with four or more words the last must be "-var", and the
// text then names a variable; a missing one gives the empty string.
bool edgeText(Interpreter* interp, int argc, char** argv, std::string_view* text) {
    *text = argv[1];
    if (argc < 4) return true;
    if (!isFlag(argv[argc - 1], "-var")) return false;
    Var* var = zorakStringVar(interp, argv[1]);
    if (!var) return false;
    *text = zorakStringVarText(var);
    return true;
}

// ---------------------------------------------------------------- search

struct SearchRequest {
    bool nocase = false;
    bool by_name = false;
};

// strstr, rinstr and strstrr: text find ?-nocase? ?-var?
int search(Interpreter* interp, int argc, char** argv, bool last) {
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    SearchRequest request;
    for (int i = 3; i < argc; i++) {
        if (zorakEqualNoCase(argv[i], "-nocase")) request.nocase = true;
        if (isFlag(argv[i], "-var")) request.by_name = true;
    }
    std::string_view text(argv[1]), find(argv[2]);
    if (request.by_name) {
        Var* textVar = nullptr;
        Var* findVar = nullptr;
        if (!namedText(interp, argv[0], argv[1], &textVar)) return ERROR;
        if (!namedText(interp, argv[0], argv[2], &findVar)) return ERROR;
        text = zorakStringVarText(textVar);
        find = zorakStringVarText(findVar);
    }
    // An empty find is found at once only by the case-blind search.
    if (find.empty()) return zorakStringResult(interp, request.nocase ? "1" : "0");
    return positionResult(interp, zorakStringFind(text, find, request.nocase, last));
}

// strto, strtor, stripto, striptor: the text before (or after) the first
// (or last) occurrence of find; the whole text when there is none.
int cutAt(Interpreter* interp, int argc, char** argv, bool last, bool after) {
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    bool nocase = false;
    for (int i = 3; i < argc; i++)
        if (zorakEqualNoCase(argv[i], "-nocase")) nocase = true;
    std::string_view text(argv[1]), find(argv[2]);
    size_t at = find.empty() ? std::string_view::npos : zorakStringFind(text, find, nocase, last);
    if (at == std::string_view::npos) return zorakStringResult(interp, text);
    return zorakStringResult(interp, after ? text.substr(at + find.size()) : text.substr(0, at));
}

// ---------------------------------------------------------------- prefix

// trimprefix and trimsuffix: varname piece ?-nocase?
int trimPiece(Interpreter* interp, int argc, char** argv, bool suffix) {
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    const char* name = argv[1];
    if (!zorakGetVar(interp, name, kScopeCurrent)) {
        zorakReportError(interp, "%s: %s not found\n", argv[0], name);
        return ERROR;
    }
    Var* var = patchTarget(interp, argv[0], name, false);
    if (!var) return ERROR;
    bool nocase = hasFlag(argc, argv, 3, "-nocase");
    std::string_view value = zorakStringVarText(var), piece(argv[2]);
    if (piece.empty() || piece.size() > value.size()) return zorakStringResult(interp, "0");
    std::string_view end =
        suffix ? value.substr(value.size() - piece.size()) : value.substr(0, piece.size());
    if (nocase ? !zorakEqualNoCase(end, piece) : end != piece)
        return zorakStringResult(interp, "0");
    std::string rest(suffix ? value.substr(0, value.size() - piece.size())
                            : value.substr(piece.size()));
    if (zorakStringStore(interp, name, var, rest) != OK) return ERROR;
    return zorakStringResultInt(interp, static_cast<int64_t>(piece.size()));
}

// ---------------------------------------------------------------- handlers

int zorakCommandLen(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    return zorakStringResultInt(interp, static_cast<int64_t>(std::strlen(argv[1])));
}

int zorakCommandToupper(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    std::string text(argv[1]);
    zorakStringUpper(&text);
    return zorakStringResult(interp, text);
}

int zorakCommandTolower(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    std::string text(argv[1]);
    zorakStringLower(&text);
    return zorakStringResult(interp, text);
}

// instr text find ?start? ?-nocase?: a match right at the start gives 1.
int zorakCommandInstr(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    bool nocase = false;
    int64_t start = 1;
    for (int i = 3; i < argc; i++) {
        if (isFlag(argv[i], "-nocase"))
            nocase = true;
        else
            start = std::max<int64_t>(zorakLeadingInt(argv[i]), 1);
    }
    std::string_view text(argv[1]), find(argv[2]);
    if (find.empty()) return zorakStringResult(interp, nocase ? "1" : "0");
    if (start > static_cast<int64_t>(text.size())) return zorakStringResult(interp, "0");
    text.remove_prefix(static_cast<size_t>(start - 1));
    return positionResult(interp, zorakStringFind(text, find, nocase, false));
}

int zorakCommandStrstr(Interpreter* interp, int argc, char** argv, void*) {
    return search(interp, argc, argv, false);
}

int zorakCommandStrstrr(Interpreter* interp, int argc, char** argv, void*) {
    return search(interp, argc, argv, true);
}

// strchr text char ?-nocase?: the position of the first byte of char.
int zorakCommandStrchr(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    bool nocase = false;
    for (int i = 3; i < argc; i++)
        if (zorakEqualNoCase(argv[i], "-nocase")) nocase = true;
    std::string_view find = std::string_view(argv[2]).substr(0, 1);
    if (find.empty()) return zorakStringResult(interp, "0");
    return positionResult(interp, zorakStringFind(argv[1], find, nocase, false));
}

int zorakCommandStrto(Interpreter* interp, int argc, char** argv, void*) {
    return cutAt(interp, argc, argv, false, false);
}

int zorakCommandStrtor(Interpreter* interp, int argc, char** argv, void*) {
    return cutAt(interp, argc, argv, true, false);
}

int zorakCommandStripto(Interpreter* interp, int argc, char** argv, void*) {
    return cutAt(interp, argc, argv, false, true);
}

int zorakCommandStriptor(Interpreter* interp, int argc, char** argv, void*) {
    return cutAt(interp, argc, argv, true, true);
}

// charcount text char: how often the first byte of char occurs.
int zorakCommandCharcount(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    std::string_view text(argv[1]);
    char c = argv[2][0];
    int64_t count = c ? std::count(text.begin(), text.end(), c) : 0;
    return zorakStringResultInt(interp, count);
}

// trim text ?chars? ?-var?: blanks and line ends by default.
int zorakCommandTrim(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    bool byName = hasFlag(argc, argv, 2, "-var");
    std::string_view set = " \t\r\n";
    if (argc > 2 && *argv[2] && !isFlag(argv[2], "-var")) set = argv[2];
    if (!byName) return zorakStringResult(interp, zorakStringTrim(argv[1], set, true, true));
    Var* var = nullptr;
    if (!namedText(interp, argv[0], argv[1], &var)) return ERROR;
    std::string trimmed(zorakStringTrim(zorakStringVarText(var), set, true, true));
    if (zorakStringStore(interp, argv[1], var, trimmed) != OK) return ERROR;
    return zorakStringResult(interp, trimmed);
}

int zorakCommandTrimprefix(Interpreter* interp, int argc, char** argv, void*) {
    return trimPiece(interp, argc, argv, false);
}

int zorakCommandTrimsuffix(Interpreter* interp, int argc, char** argv, void*) {
    return trimPiece(interp, argc, argv, true);
}

// chomp text ?-var?: one line end ("\r\n", "\n" or "\r") comes off the end.
int zorakCommandChomp(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    bool byName = argc > 2 && isFlag(argv[argc - 1], "-var");
    Var* var = byName ? zorakStringVar(interp, argv[1]) : nullptr;
    std::string_view text = var ? zorakStringVarText(var) : std::string_view(argv[1]);
    if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    std::string chomped(text);
    if (var && zorakStringStore(interp, argv[1], var, chomped) != OK) return ERROR;
    return zorakStringResult(interp, chomped);
}

// replacechar text from to ?-var?: every byte equal to the first byte of
// from becomes the first byte of to, or goes when to is empty.
int zorakCommandReplacechar(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 4) return zorakWrongArgs(interp, argc, argv);
    bool byName = argc > 4 && isFlag(argv[argc - 1], "-var");
    Var* var = byName ? zorakStringVar(interp, argv[1]) : nullptr;
    std::string text(var ? zorakStringVarText(var) : std::string_view(argv[1]));
    char from = argv[2][0], to = argv[3][0];
    if (from) {
        if (to)
            std::replace(text.begin(), text.end(), from, to);
        else
            text.erase(std::remove(text.begin(), text.end(), from), text.end());
    }
    if (var && zorakStringStore(interp, argv[1], var, text) != OK) return ERROR;
    return zorakStringResult(interp, text);
}

// mid varname text position ?count?: overwrites bytes of the value in
// place; the value never grows or shrinks.
int zorakCommandMid(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 4) return zorakWrongArgs(interp, argc, argv);
    const char* name = argv[1];
    if (!zorakGetVar(interp, name, kScopeCurrent)) {
        zorakReportError(interp, "%s: Variable '%s' not found\n", argv[0], name);
        return ERROR;
    }
    Var* var = patchTarget(interp, argv[0], name, true);
    if (!var) return ERROR;
    std::string value(zorakStringVarText(var));
    std::string_view text(argv[2]);
    int64_t length = static_cast<int64_t>(value.size());
    int64_t position = std::max<int64_t>(zorakLeadingInt(argv[3]), 1);
    if (position > length) {
        zorakReportError(
            interp, "%s: Bounds error. Insert position %" PRId64 " in string length %" PRId64 "\n",
            argv[0], position, length);
        return ERROR;
    }
    int64_t count = argc > 4 ? zorakLeadingInt(argv[4]) : static_cast<int64_t>(text.size());
    int64_t n = std::min({length - position + 1, static_cast<int64_t>(text.size()), count});
    if (n < 1) return OK;
    value.replace(static_cast<size_t>(position - 1), static_cast<size_t>(n), text.data(),
                  static_cast<size_t>(n));
    if (zorakStringStore(interp, name, var, value) != OK) return ERROR;
    return zorakStringResultInt(interp, n);
}

// append varName ?value ...?: the variable grows by each value in turn and is
// made when missing; the result is the new value.
int appendElement(Interpreter* interp, int argc, char** argv) {
    const char* name = argv[1];
    std::string value;
    if (set_value(interp, name, nullptr, 0) == OK) {
        value = interp->result ? interp->result : "";
    } else if (argc == 2) {
        zorakReportError(interp, "%s: Variable '%s' not found\n", argv[0], name);
        return ERROR;
    }
    for (int i = 2; i < argc; i++)
        value += argv[i];
    return set_value(interp, name, value.c_str(), 1);
}

int zorakCommandAppend(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    const char* name = argv[1];
    if (std::strchr(name, '(')) return appendElement(interp, argc, argv);
    Var* var = zorakGetVar(interp, name, kScopeCurrent);
    if (!var) {
        if (argc == 2) {
            zorakReportError(interp, "%s: Variable '%s' not found\n", argv[0], name);
            return ERROR;
        }
        if (set_var(interp, name, "") || !(var = zorakGetVar(interp, name, kScopeCurrent))) {
            zorakReportError(interp, "%s: Unhandled error\n", argv[0]);
            return ERROR;
        }
    }
    if (var->type != VT_AUTO || var->is_pointer || var->is_constant) {
        zorakReportError(interp, "%s: Variable type %s object '%s' not handled\n", argv[0],
                         var->is_constant ? "const" : var_type_name(var->type), name);
        return ERROR;
    }
    if (var->parent) {
        // An alias writes through to the variable (or element) it stands for.
        std::string value(zorakStringVarText(var));
        for (int i = 2; i < argc; i++)
            value += argv[i];
        if (set_var(interp, name, value.c_str())) return ERROR;
        return zorakStringResult(interp, value);
    }
    // The value grows in place, each piece copied once.
    size_t length = var->value ? std::strlen(var->value) : 0;
    if (!var->value) var->value = zorakStrDup("");
    for (int i = 2; i < argc; i++)
        length = zorakStrAppendAt(&var->value, length, argv[i], std::strlen(argv[i]));
    var->size = length > INT32_MAX ? INT32_MAX : static_cast<int32_t>(length);
    zorakValueChanged(var);
    var->changed = 1;
    return zorakStringResult(interp, std::string_view(var->value, length));
}

// ---------------------------------------------------------------- table

struct Row {
    const char* name;
    CommandHandler handler;
};

const Row kCommands[] = {
    {"append", zorakCommandAppend},
    {"charcount", zorakCommandCharcount},
    {"chomp", zorakCommandChomp},
    {"instr", zorakCommandInstr},
    {"left", zorakCommandLeft},
    {"len", zorakCommandLen},
    {"match", zorakCommandMatch},
    {"mid", zorakCommandMid},
    {"mids", zorakCommandMids},
    {"replacechar", zorakCommandReplacechar},
    {"right", zorakCommandRight},
    {"rinstr", zorakCommandStrstrr},
    {"strchr", zorakCommandStrchr},
    {"stripto", zorakCommandStripto},
    {"striptor", zorakCommandStriptor},
    {"strstr", zorakCommandStrstr},
    {"strstrr", zorakCommandStrstrr},
    {"strto", zorakCommandStrto},
    {"strtor", zorakCommandStrtor},
    {"tolower", zorakCommandTolower},
    {"toupper", zorakCommandToupper},
    {"trim", zorakCommandTrim},
    {"trimprefix", zorakCommandTrimprefix},
    {"trimsuffix", zorakCommandTrimsuffix},
};

} // namespace

int zorakCommandLeft(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    std::string_view text;
    int64_t n = zorakLeadingInt(argv[2]);
    if (!edgeText(interp, argc, argv, &text) || n < 1) return zorakStringResult(interp, "");
    return zorakStringResult(interp, text.substr(0, static_cast<size_t>(n)));
}

int zorakCommandRight(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    std::string_view text;
    int64_t n = zorakLeadingInt(argv[2]);
    if (!edgeText(interp, argc, argv, &text) || n < 1) return zorakStringResult(interp, "");
    size_t keep = std::min(static_cast<size_t>(n), text.size());
    return zorakStringResult(interp, text.substr(text.size() - keep));
}

// mids text start ?length? ?-var?: start counts from 1 (0 is taken as 1).
int zorakCommandMids(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    bool byName = argc > 3 && isFlag(argv[argc - 1], "-var");
    std::string_view text(argv[1]);
    if (byName) {
        Var* var = zorakStringVar(interp, argv[1]);
        text = var ? zorakStringVarText(var) : std::string_view();
    }
    if (text.empty()) {
        zorakReportError(interp, "%s %s: Invalid argument\n", argv[0], argv[1]);
        return ERROR;
    }
    int64_t length = static_cast<int64_t>(text.size());
    int64_t start = zorakLeadingInt(argv[2]);
    if (start == 0) start = 1;
    if (start < 0 || start > length) {
        zorakReportError(
            interp, "%s: Start position %" PRId64 " is < 1 or > string length of %" PRId64 "\n",
            argv[0], start, length);
        return ERROR;
    }
    int64_t rest = length - start + 1;
    int64_t count = rest;
    if (argc > (byName ? 4 : 3)) count = std::clamp<int64_t>(zorakLeadingInt(argv[3]), 0, rest);
    return zorakStringResult(
        interp, text.substr(static_cast<size_t>(start - 1), static_cast<size_t>(count)));
}

// match ?-nocase? pattern text: the first word not starting with "-" is the
// pattern and the next one the text.
int zorakCommandMatch(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    bool nocase = false;
    int pattern = 0;
    for (int i = 1; i < argc; i++) {
        if (zorakEqualNoCase(argv[i], "-nocase")) nocase = true;
        if (!pattern && argv[i][0] != '-') pattern = i;
    }
    if (!pattern || pattern + 1 >= argc) return zorakWrongArgs(interp, argc, argv);
    bool matched = zorakWildcardMatch(argv[pattern], argv[pattern + 1], nocase);
    return zorakStringResult(interp, matched ? "1" : "0");
}

void zorakRegisterStringWordCommands(Interpreter* interp) {
    for (const Row& row : kCommands)
        zorakRegisterCommand(interp, row.name, row.handler, nullptr, 0);
}
