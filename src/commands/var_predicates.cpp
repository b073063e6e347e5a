// The predicates on variables, commands and values: is_proc, is_const,
// is_array, is_null, is_empty and is_list. Each answers "1" or "0".
#include "interp/errors.h"
#include "interp/registry.h"
#include "vars/variable_words.h"
#include "vars/variables.h"

#include <cstring>
#include <string_view>

namespace {

void setTruth(Interpreter* interp, bool value) {
    zorakSetResult(interp, value ? "1" : "0", 1);
}

int zorakCommandIsProc(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    Command* command = zorakGetCommand(interp, argv[1]);
    setTruth(interp, command && command->is_proc);
    return OK;
}

int zorakCommandIsConst(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    Var* var = zorakGetVar(interp, argv[1], kScopeCurrent);
    setTruth(interp, var && var->is_constant);
    return OK;
}

int zorakCommandIsArray(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    Var* var = zorakGetVar(interp, argv[1], kScopeCurrent);
    setTruth(interp, var && var->type == VT_ARRAY);
    return OK;
}

// A variable that is missing or holds nothing.
int zorakCommandIsNull(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    Var* var = zorakGetVar(interp, argv[1], kScopeCurrent);
    bool null = !var || (var->type == VT_AUTO && (!var->value || !*var->value));
    setTruth(interp, null);
    return OK;
}

// Every word is empty; "{}" and a pair of double quotes count as empty, as
// in the text comparison commands.
int zorakCommandIsEmpty(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    bool empty = true;
    for (int i = 1; i < argc && empty; i++) {
        std::string_view word = argv[i];
        empty = word.empty() || word == "{}" || word == "\"\"";
    }
    setTruth(interp, empty);
    return OK;
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The index after the brace that closes the one at i, or npos.
size_t closingBrace(std::string_view text, size_t i) {
    int depth = 0;
    for (; i < text.size(); i++) {
        char c = text[i];
        if (c == '\\') {
            i++;
        } else if (c == '{') {
            depth++;
        } else if (c == '}' && --depth == 0) {
            return i + 1;
        }
    }
    return std::string_view::npos;
}

// The index after the quote that closes the one at i, or npos.
size_t closingQuote(std::string_view text, size_t i) {
    for (i++; i < text.size(); i++) {
        if (text[i] == '\\')
            i++;
        else if (text[i] == '"')
            return i + 1;
    }
    return std::string_view::npos;
}

// A well-formed list: every braced element closes, every quoted element
// closes, and a closing brace or quote is followed by a separator.
bool isWellFormedList(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        if (isSpace(text[i])) {
            i++;
            continue;
        }
        size_t end;
        if (text[i] == '{' || text[i] == '"') {
            end = text[i] == '{' ? closingBrace(text, i) : closingQuote(text, i);
            if (end == std::string_view::npos) return false;
            if (end < text.size() && !isSpace(text[end])) return false;
        } else {
            end = i;
            while (end < text.size() && !isSpace(text[end]))
                end += text[end] == '\\' ? 2 : 1;
        }
        i = end;
    }
    return true;
}

int zorakCommandIsList(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    setTruth(interp, isWellFormedList(argv[1]));
    return OK;
}

} // namespace

void zorakRegisterVariablePredicates(Interpreter* interp) {
    zorakRegisterCommand(interp, "is_proc", zorakCommandIsProc, nullptr, 0);
    zorakRegisterCommand(interp, "is_const", zorakCommandIsConst, nullptr, 0);
    zorakRegisterCommand(interp, "is_array", zorakCommandIsArray, nullptr, 0);
    zorakRegisterCommand(interp, "is_null", zorakCommandIsNull, nullptr, 0);
    zorakRegisterCommand(interp, "is_empty", zorakCommandIsEmpty, nullptr, 0);
    zorakRegisterCommand(interp, "is_list", zorakCommandIsList, nullptr, 0);
}
