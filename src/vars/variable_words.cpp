// The variable words: result and setresult, defined, dummy, empty, swap,
// type, varname, content, new, cset, the in-place editors setat, setb, setl
// and setr, sc (the changed flag), walk, enum and the keyed store.
#include "vars/variable_words.h"

#include "commands/list_core.h"
#include "console/console.h"
#include "expr/number_rules.h"
#include "interp/errors.h"
#include "interp/registry.h"
#include "util/heap_text.h"
#include "util/number_text.h"
#include "util/stack.h"
#include "util/text.h"
#include "util/wildcard.h"
#include "vars/arrays.h"
#include "vars/hash_table.h"
#include "vars/structs.h"
#include "vars/variables.h"

#include <cstring>
#include <string>
#include <vector>

StoreState zorakStore;

namespace {

void setText(Interpreter* interp, const std::string& text) {
    zorakSetResult(interp, text.c_str(), static_cast<int>(text.size()));
}

void setTruth(Interpreter* interp, bool value) {
    zorakSetResult(interp, value ? "1" : "0", 1);
}

bool isElement(const char* name) {
    return std::strchr(name, '(') != nullptr;
}

// A whole integer word: decimal or a radix text, no fraction.
bool readInteger(const char* text, int64_t* out) {
    if (!zorakIsNumberText(text) || std::strchr(text, '.')) return false;
    *out = parse_integer_text(text);
    return true;
}

// ---------------------------------------------------------------- plain values

// True when the element reference or plain variable name exists.
bool variableExists(Interpreter* interp, const char* name) {
    if (!isElement(name)) return zorakGetVar(interp, name, kScopeCurrent) != nullptr;
    std::string text = name;
    size_t open = text.find('(');
    size_t close = text.rfind(')');
    if (close == std::string::npos || close <= open) return false;
    std::string array = text.substr(0, open);
    std::string key = text.substr(open + 1, close - open - 1);
    const char* value = nullptr;
    return array_get_element(interp, array.c_str(), key.c_str(), &value, 0) != 0;
}

// Reads the text of a plain variable or an array element for the commands
// that edit values in place; containers, structs and pointers are refused.
bool readPlain(Interpreter* interp, const char* command, const char* name, std::string* out) {
    if (isElement(name)) {
        if (set_value(interp, name, nullptr, 0) != OK) {
            zorakReportError(interp, "%s: Variable '%s' not found\n", command, name);
            return false;
        }
        *out = interp->result ? interp->result : "";
        return true;
    }
    Var* var = zorakGetVar(interp, name, kScopeCurrent);
    if (!var) {
        zorakReportError(interp, "%s: Variable '%s' not found\n", command, name);
        return false;
    }
    if (var->type != VT_AUTO || var->is_pointer) {
        zorakReportError(interp, "%s: Variable '%s' is not a plain variable (type %s)\n", command,
                         name, var_type_name(var->type));
        return false;
    }
    *out = var->value ? var->value : "";
    return true;
}

// Assigns a plain variable or an array element, making it when missing.
// Constants and containers are refused with the command's own message.
bool writePlain(Interpreter* interp, const char* command, const char* name,
                const std::string& value) {
    if (!isElement(name)) {
        Var* var = zorakGetVar(interp, name, kScopeCurrent);
        if (var && var->is_constant) {
            zorakReportError(interp, "%s: Can't change const '%s'\n", command, name);
            return false;
        }
        if (var && (var->type != VT_AUTO || var->is_pointer)) {
            zorakReportError(interp, "%s: Variable '%s' is not a plain variable (type %s)\n",
                             command, name, var_type_name(var->type));
            return false;
        }
    }
    if (set_value(interp, name, value.c_str(), 0) != OK) {
        zorakReportError(interp, "%s: Can't assign to '%s'\n", command, name);
        return false;
    }
    return true;
}

// ---------------------------------------------------------------- result words

// The result the previous command left passes through unchanged; a name
// also receives it.
int zorakCommandResult(Interpreter* interp, int argc, char** argv, void*) {
    if (argc > 2) return zorakWrongArgs(interp, argc, argv);
    if (argc == 2) {
        std::string text = interp->result ? interp->result : "";
        if (!writePlain(interp, argv[0], argv[1], text)) return ERROR;
        setText(interp, text);
    }
    return OK;
}

// The completion code named by word: a code name in any case or a number.
bool readCode(const char* word, int* code) {
    static const char* const names[] = {"ok",   "error", "return", "break",  "continue",
                                        "exit", "stop",  "goto",   "defined"};
    for (int i = 0; i < 9; i++) {
        if (zorakEqualNoCase(word, names[i])) {
            *code = i;
            return true;
        }
    }
    int64_t number;
    if (!readInteger(word, &number) || number < 0 || number > 0x7fffffff) return false;
    *code = static_cast<int>(number);
    return true;
}

int zorakCommandSetresult(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2 || argc > 3) return zorakWrongArgs(interp, argc, argv);
    int code = OK;
    if (argc == 3 && !readCode(argv[2], &code)) {
        zorakReportError(interp, "%s: Invalid code '%s'\n", argv[0], argv[2]);
        return ERROR;
    }
    zorakSetResult(interp, argv[1], 0);
    return code;
}

int zorakCommandDummy(Interpreter*, int, char**, void*) {
    return OK;
}

// ---------------------------------------------------------------- tests and lookups

int zorakCommandDefined(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    bool vars = true, commands = true;
    const char* name = nullptr;
    for (int i = 1; i < argc; i++) {
        if (zorakEqualNoCase(argv[i], "-var"))
            commands = false;
        else if (zorakEqualNoCase(argv[i], "-command"))
            vars = false;
        else if (!name)
            name = argv[i];
    }
    if (!name) return zorakWrongArgs(interp, argc, argv);
    bool found = (vars && variableExists(interp, name)) ||
                 (commands && zorakGetCommand(interp, name) != nullptr);
    setTruth(interp, found);
    return OK;
}

int zorakCommandType(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2 || argc > 3) return zorakWrongArgs(interp, argc, argv);
    bool code = argc == 3 && zorakEqualNoCase(argv[2], "-code");
    if (argc == 3 && !code) return zorakWrongArgs(interp, argc, argv);
    Var* var = zorakGetVar(interp, argv[1], kScopeCurrent);
    if (!var) {
        zorakReportError(interp, "%s: Variable '%s' not found\n", argv[0], argv[1]);
        return ERROR;
    }
    if (code)
        zorakSetIntResult(interp, var->type);
    else
        zorakSetResult(interp, var->is_constant ? "const" : var_type_name(var->type), 0);
    return OK;
}

int zorakCommandVarname(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    bool nocase = false, global = false;
    const char* pattern = nullptr;
    for (int i = 1; i < argc; i++) {
        if (zorakEqualNoCase(argv[i], "-nocase"))
            nocase = true;
        else if (zorakEqualNoCase(argv[i], "-global"))
            global = true;
        else if (!pattern)
            pattern = argv[i];
    }
    if (!pattern) return zorakWrongArgs(interp, argc, argv);
    Var* var =
        zorakGetVarGlob(interp, pattern, nocase ? 1 : 0, global ? kScopeGlobal : kScopeCurrent);
    zorakSetResult(interp, var && var->name ? var->name : "", 0);
    return OK;
}

// The items of a stack, bottom first.
std::string stackContent(const Stack* stack) {
    std::string out;
    for (int i = 0; stack && i < stack->count; i++) {
        const char* item = zorakStackItem(stack, i);
        zorakListAppendWord(&out, item ? item : "");
    }
    return out;
}

// Field names (after the struct's name and ".") and their texts.
std::string structContent(Interpreter* interp, const Var* var) {
    std::string out;
    if (!var->list) return out;
    for (Var* member : var->list->members) {
        const char* dot = member->name ? std::strchr(member->name, '.') : nullptr;
        zorakListAppendWord(&out, dot ? dot + 1 : (member->name ? member->name : ""));
        HeapText text(zorakStructMemberText(interp, member));
        zorakListAppendWord(&out, text.get() ? text.get() : "");
    }
    return out;
}

int zorakCommandContent(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    const char* name = argv[1];
    if (isElement(name)) {
        std::string value;
        if (!readPlain(interp, argv[0], name, &value)) return ERROR;
        setText(interp, value);
        return OK;
    }
    Var* var = zorakGetVar(interp, name, kScopeCurrent);
    if (!var) {
        zorakReportError(interp, "%s: Variable '%s' not found\n", argv[0], name);
        return ERROR;
    }
    std::string out;
    switch (var->type) {
    case VT_ARRAY:
        if (var->table) {
            ScopedVector keys, values;
            int32_t count = var->table->collect_pairs(&keys.get(), &values.get());
            for (int32_t i = 0; i < count; i++) {
                zorakListAppendWord(&out, keys->items[i]);
                zorakListAppendWord(&out, values->items[i]);
            }
        }
        break;
    case VT_DICTIONARY: {
        HeapText text(zorakVarHooks.dict_render ? zorakVarHooks.dict_render(interp, var) : nullptr);
        if (text.get()) out = text.get();
        break;
    }
    case VT_STACK:
        out = stackContent(var->stack);
        break;
    case VT_STRUCT:
        out = structContent(interp, var);
        break;
    case VT_FIELD: {
        HeapText text(zorakStructMemberText(interp, var));
        if (!text.get()) return ERROR;
        out = text.get();
        break;
    }
    default:
        out = var->value ? var->value : "";
        break;
    }
    setText(interp, out);
    return OK;
}

// ---------------------------------------------------------------- assignments

// Every named variable becomes empty; the result is empty whatever the
// names, so [empty] is an empty word.
int zorakCommandEmpty(Interpreter* interp, int argc, char** argv, void*) {
    for (int i = 1; i < argc; i++)
        if (!writePlain(interp, argv[0], argv[i], "")) return ERROR;
    zorakSetResult(interp, "", 0);
    return OK;
}

int zorakCommandSwap(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 3) return zorakWrongArgs(interp, argc, argv);
    std::string a, b;
    if (!readPlain(interp, argv[0], argv[1], &a) || !readPlain(interp, argv[0], argv[2], &b))
        return ERROR;
    if (!writePlain(interp, argv[0], argv[1], b)) return ERROR;
    if (!writePlain(interp, argv[0], argv[2], a)) {
        // Put the first one back so a refused swap changes nothing.
        writePlain(interp, argv[0], argv[1], a);
        return ERROR;
    }
    zorakSetResult(interp, "", 0);
    return OK;
}

int zorakCommandNew(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2 || argc > 3) return zorakWrongArgs(interp, argc, argv);
    if (variableExists(interp, argv[1])) {
        zorakReportError(interp, "%s: Variable '%s' already exists\n", argv[0], argv[1]);
        return ERROR;
    }
    std::string value = argc == 3 ? argv[2] : "";
    if (!writePlain(interp, argv[0], argv[1], value)) return ERROR;
    setText(interp, value);
    return OK;
}

// Assigns only a variable that is missing or empty; the result is the
// value the variable holds afterwards.
int zorakCommandCset(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 3) return zorakWrongArgs(interp, argc, argv);
    std::string value;
    if (variableExists(interp, argv[1])) {
        if (!readPlain(interp, argv[0], argv[1], &value)) return ERROR;
        if (!value.empty()) {
            setText(interp, value);
            return OK;
        }
    }
    value = argv[2];
    if (!writePlain(interp, argv[0], argv[1], value)) return ERROR;
    setText(interp, value);
    return OK;
}

// A 1-based position from 1 to one past the end of the value.
bool readPosition(Interpreter* interp, const char* command, const char* word, size_t length,
                  size_t* index) {
    int64_t position;
    if (!readInteger(word, &position) || position < 1 ||
        static_cast<uint64_t>(position) > length + 1) {
        zorakReportError(interp, "%s: Position '%s' out of range (1 to %lu)\n", command, word,
                         static_cast<unsigned long>(length + 1));
        return false;
    }
    *index = static_cast<size_t>(position - 1);
    return true;
}

// Overwrites the value from position on; what runs past the end extends it.
int overwriteAt(Interpreter* interp, char** argv, const std::string& text) {
    std::string value;
    if (!readPlain(interp, argv[0], argv[1], &value)) return ERROR;
    size_t index;
    if (!readPosition(interp, argv[0], argv[2], value.size(), &index)) return ERROR;
    value.replace(index, std::min(text.size(), value.size() - index), text);
    if (!writePlain(interp, argv[0], argv[1], value)) return ERROR;
    setText(interp, value);
    return OK;
}

int zorakCommandSetat(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 4) return zorakWrongArgs(interp, argc, argv);
    return overwriteAt(interp, argv, argv[3]);
}

// The bytes are given by their codes; a zero byte would end the text.
int zorakCommandSetb(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 4) return zorakWrongArgs(interp, argc, argv);
    std::string bytes;
    for (int i = 3; i < argc; i++) {
        int64_t code;
        if (!readInteger(argv[i], &code) || code < 1 || code > 255) {
            zorakReportError(interp, "%s: Invalid byte value '%s' (1 to 255)\n", argv[0], argv[i]);
            return ERROR;
        }
        bytes += static_cast<char>(code);
    }
    return overwriteAt(interp, argv, bytes);
}

// setl and setr place a text in the width of the variable's value (or the
// width given), left- or right-aligned with blanks; a longer text is cut to
// the width, keeping its left part.
int zorakCommandSetAligned(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 3 || argc > 4) return zorakWrongArgs(interp, argc, argv);
    size_t width;
    if (argc == 4) {
        int64_t n;
        if (!readInteger(argv[3], &n) || n < 0 || n > 0x100000) {
            zorakReportError(interp, "%s: Invalid width '%s' (0 to 1048576)\n", argv[0], argv[3]);
            return ERROR;
        }
        width = static_cast<size_t>(n);
    } else {
        std::string value;
        if (!readPlain(interp, argv[0], argv[1], &value)) return ERROR;
        width = value.size();
    }
    std::string text = argv[2];
    if (text.size() > width) text.resize(width);
    std::string padding(width - text.size(), ' ');
    std::string value = std::strcmp(argv[0], "setr") == 0 ? padding + text : text + padding;
    if (!writePlain(interp, argv[0], argv[1], value)) return ERROR;
    setText(interp, value);
    return OK;
}

// sc name ?flag?: the changed flag that every assignment sets; a flag word
// sets or clears it, so a script can learn whether anything assigned the
// variable since it last looked.
int zorakCommandSc(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2 || argc > 3) return zorakWrongArgs(interp, argc, argv);
    Var* var = zorakGetVar(interp, argv[1], kScopeCurrent);
    if (!var) {
        zorakReportError(interp, "%s: Variable '%s' not found\n", argv[0], argv[1]);
        return ERROR;
    }
    if (argc == 3) {
        int64_t flag;
        if (!readInteger(argv[2], &flag)) {
            zorakReportError(interp, "%s: Invalid flag '%s' (0 or 1)\n", argv[0], argv[2]);
            return ERROR;
        }
        var->changed = flag != 0 ? 1 : 0;
        // An alias shares its flag with the variable it stands for.
        if (var->parent && !var->subscript) var->parent->changed = var->changed;
    }
    setTruth(interp, var->changed != 0);
    return OK;
}

// ---------------------------------------------------------------- walk and enum

// Prints any variable: containers through their own walkers, a stack top
// first, a plain variable as one line.
int zorakCommandWalk(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    Var* var = zorakGetVar(interp, argv[1], kScopeCurrent);
    if (!var) {
        zorakReportError(interp, "%s: Variable '%s' not found\n", argv[0], argv[1]);
        return ERROR;
    }
    auto handOn = [&](const char* command, const char* sub) {
        std::vector<std::string> words = {command, sub};
        for (int i = 1; i < argc; i++)
            words.push_back(argv[i]);
        return zorakCallWords(interp, argv[0], command, words);
    };
    switch (var->type) {
    case VT_ARRAY:
        return handOn("array", "walk");
    case VT_DICTIONARY:
        return handOn("dict", "walk");
    case VT_STRUCT:
        return zorakCallWords(interp, argv[0], "struct", {"struct", "dump", argv[1]});
    case VT_STACK: {
        const Stack* stack = var->stack;
        int count = stack ? stack->count : 0;
        console_printf("STACK WALK: %s (%i items)\n\n", argv[1], count);
        for (int i = count - 1; i >= 0; i--) {
            const char* item = zorakStackItem(stack, i);
            console_printf("%i:\t'%s'\n", count - 1 - i, item ? item : "");
        }
        zorakSetIntResult(interp, count);
        return OK;
    }
    default: {
        std::string value;
        if (!readPlain(interp, argv[0], argv[1], &value)) return ERROR;
        console_printf("%s = '%s'\n", argv[1], value.c_str());
        zorakSetResult(interp, "1", 1);
        return OK;
    }
    }
}

// enum {A B {C 10} D} ?start?: constants numbered upwards from start (0),
// an element "name value" setting the number from there on.
int zorakCommandEnum(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2 || argc > 3) return zorakWrongArgs(interp, argc, argv);
    int64_t next = 0;
    if (argc == 3 && !readInteger(argv[2], &next)) {
        zorakReportError(interp, "%s: Invalid start value '%s'\n", argv[0], argv[2]);
        return ERROR;
    }
    ScopedVector elements;
    zorakSplitList(argv[1], &elements.get());
    std::vector<std::pair<std::string, int64_t>> names;
    for (int i = 0; i < elements->count; i++) {
        ScopedVector parts;
        zorakSplitList(elements->items[i], &parts.get());
        if (parts->count == 0) continue;
        if (parts->count > 2 || (parts->count == 2 && !readInteger(parts->items[1], &next))) {
            zorakReportError(interp, "%s: Invalid element '%s'\n", argv[0], elements->items[i]);
            return ERROR;
        }
        if (variableExists(interp, parts->items[0])) {
            zorakReportError(interp, "%s: Variable '%s' already exists\n", argv[0],
                             parts->items[0]);
            return ERROR;
        }
        names.emplace_back(parts->items[0], next);
        next = static_cast<int64_t>(static_cast<uint64_t>(next) + 1);
    }
    for (const auto& [name, value] : names) {
        HeapText text(zorakFormatInt(value));
        if (define_const(interp, name.c_str(), text.get(), 0, 0) != 0) return ERROR;
    }
    zorakSetIntResult(interp, static_cast<int64_t>(names.size()));
    return OK;
}

// ---------------------------------------------------------------- store

int storeGet(Interpreter* interp, int argc, char** argv) {
    auto found = zorakStore.entries.find(argv[2]);
    if (found != zorakStore.entries.end()) {
        setText(interp, found->second);
        return OK;
    }
    if (argc > 3) {
        zorakSetResult(interp, argv[3], 0);
        return OK;
    }
    zorakReportError(interp, "%s %s: Key '%s' not found\n", argv[0], argv[1], argv[2]);
    return ERROR;
}

int storeNames(Interpreter* interp, int argc, char** argv) {
    std::string out;
    for (const auto& entry : zorakStore.entries)
        if (argc < 3 || zorakWildcardMatch(argv[2], entry.first, true))
            zorakListAppendWord(&out, entry.first);
    setText(interp, out);
    return OK;
}

int zorakCommandStore(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    auto is = [&](const char* sub, int least, int most) {
        return zorakEqualNoCase(argv[1], sub) && argc >= least && argc <= most;
    };
    if (is("clear", 2, 2)) {
        zorakStore.entries.clear();
        zorakSetResult(interp, "", 0);
        return OK;
    }
    if (is("count", 2, 2)) {
        zorakSetIntResult(interp, static_cast<int64_t>(zorakStore.entries.size()));
        return OK;
    }
    if (is("names", 2, 3)) return storeNames(interp, argc, argv);
    if (is("set", 4, 4)) {
        zorakStore.entries[argv[2]] = argv[3];
        zorakSetResult(interp, argv[3], 0);
        return OK;
    }
    if (is("get", 3, 4)) return storeGet(interp, argc, argv);
    if (is("exists", 3, 3)) {
        setTruth(interp, zorakStore.entries.count(argv[2]) != 0);
        return OK;
    }
    if (is("unset", 3, 3)) {
        setTruth(interp, zorakStore.entries.erase(argv[2]) != 0);
        return OK;
    }
    static const char* const known[] = {"clear", "count", "names", "set", "get", "exists", "unset"};
    for (const char* sub : known)
        if (zorakEqualNoCase(argv[1], sub)) return zorakWrongArgs(interp, argc, argv);
    zorakReportError(interp, "%s: Unknown subcommand '%s'\n", argv[0], argv[1]);
    return ERROR;
}

struct Row {
    const char* name;
    CommandHandler handler;
};

const Row kVariableWords[] = {
    {"result", zorakCommandResult},   {"setresult", zorakCommandSetresult},
    {"dummy", zorakCommandDummy},     {"defined", zorakCommandDefined},
    {"type", zorakCommandType},       {"varname", zorakCommandVarname},
    {"content", zorakCommandContent}, {"empty", zorakCommandEmpty},
    {"swap", zorakCommandSwap},       {"new", zorakCommandNew},
    {"cset", zorakCommandCset},       {"setat", zorakCommandSetat},
    {"setb", zorakCommandSetb},       {"setl", zorakCommandSetAligned},
    {"setr", zorakCommandSetAligned}, {"sc", zorakCommandSc},
    {"walk", zorakCommandWalk},       {"enum", zorakCommandEnum},
    {"store", zorakCommandStore},
};

} // namespace

int zorakCallWords(Interpreter* interp, const char* caller, const char* name,
                   std::vector<std::string> words) {
    Command* command = zorakGetCommand(interp, name);
    if (!command || !command->handler) {
        zorakReportError(interp, "%s: Command '%s' not found\n", caller, name);
        return ERROR;
    }
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    return command->handler(interp, static_cast<int>(words.size()), argv.data(),
                            command->private_data);
}

void zorakRegisterVariableWords(Interpreter* interp) {
    for (const Row& row : kVariableWords)
        zorakRegisterCommand(interp, row.name, row.handler, nullptr, 0);
    zorakRegisterVariablePredicates(interp);
    zorakRegisterCommandWords(interp);
    zorakRegisterOperatorWords(interp);
}
