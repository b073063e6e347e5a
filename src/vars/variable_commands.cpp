// The commands that read, assign, remove and show variables: set (also =
// and variable), unset, const, inspect and vars.
#include "console/console.h"
#include "interp/errors.h"
#include "interp/registry.h"
#include "util/heap_text.h"
#include "util/number_text.h"
#include "util/text.h"
#include "util/wildcard.h"
#include "vars/arrays.h"
#include "vars/hash_table.h"
#include "vars/variables.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

const char* const kRule =
    "----------------------------------------------------------------------\n";

unsigned long long address(const void* p) {
    return static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(p));
}

struct UnsetOptions {
    bool glob = false;
    bool complain = true;
    bool allowConst = false;
    bool nocase = false;
};

// How one name word of unset ended.
enum class UnsetStep { Removed, NotRemoved, EndCommand };

// The first word with "(" after its first character names one array
// element; it decides the whole command.
int unsetElement(Interpreter* interp, const char* command, const char* word, const char* open,
                 const UnsetOptions& options) {
    std::string array(word, static_cast<size_t>(open - word));
    std::string subscript;
    int depth = 0;
    bool closed = false;
    for (const char* c = open; *c && !closed; c++) {
        if (*c == '(')
            depth++;
        else if (*c == ')' && --depth == 0) {
            subscript.assign(open + 1, static_cast<size_t>(c - open - 1));
            closed = true;
        }
    }
    bool erased = false;
    if (closed && !subscript.empty()) {
        size_t start = subscript.find_first_not_of('"');
        size_t end = subscript.find_last_not_of('"');
        subscript =
            start == std::string::npos
                ? ""
                : zorakUnescapeBlanks(std::string_view(subscript).substr(start, end - start + 1));
        Var* var = zorakGetVarGlob(interp, array.c_str(), options.nocase, kScopeCurrent);
        if (var && var->type == VT_ARRAY && var->table && !subscript.empty()) {
            hash_table* table = var->table;
            if (options.nocase) {
                // The key as stored, so that erase finds its bucket.
                const char* stored = nullptr;
                hash_node** buckets = table->buckets();
                for (int32_t i = 0; buckets && i < table->table_size && !stored; i++)
                    for (hash_node* n = buckets[i]; n && !stored; n = n->next)
                        if (n->key && zorakEqualNoCase(n->key, subscript)) stored = n->key;
                if (stored) {
                    std::string key(stored);
                    erased = table->erase(key.c_str());
                }
            } else {
                erased = table->erase(subscript.c_str());
            }
        }
    }
    if (erased) {
        zorakSetResult(interp, "1", 0);
        return OK;
    }
    if (options.complain)
        zorakReportError(interp, "%s: %s unsetting array element '%s'\n", command, "Error", word);
    zorakSetResult(interp, "0", 0);
    return options.complain ? ERROR : OK;
}

// Removes every plain record of the frame whose name matches the pattern.
// Returns how many records matched, or -1 when the command must end (the
// result and code are then set in *code).
long unsetGlob(Interpreter* interp, const char* command, const char* pattern,
               const UnsetOptions& options, int* code) {
    const char* match = pattern;
    CallFrame* frame = interp->callframe;
    if (match[0] == ':' && match[1] == ':') {
        match += 2;
        frame = frame_at_level(interp, 0);
    }
    long matched = 0;
    Var* next = nullptr;
    for (Var* var = frame ? frame->vars : nullptr; var; var = next) {
        next = var->next;
        if (!var->name || !zorakWildcardMatch(match, var->name, options.nocase)) continue;
        matched++;
        if (var->is_constant && !options.allowConst) {
            if (options.complain)
                zorakReportError(interp, "%s %s: Can't unset const '%s' (use -const)\n", command,
                                 pattern, var->name);
            zorakSetResult(interp, "0", 0);
            *code = options.complain ? ERROR : OK;
            return -1;
        }
        if (var->type == VT_ARRAY) {
            if (!options.complain) continue;
            zorakReportError(interp, "%s: Can't unset array '%s' (use array unset)\n", command,
                             var->name);
            zorakSetResult(interp, "0", 0);
            *code = ERROR;
            return -1;
        }
        if (var->type != VT_AUTO && var->type != VT_POINTER) continue;
        if (zorakUnlinkVar(frame, var)) zorakFreeVar(var);
    }
    return matched;
}

UnsetStep unsetName(Interpreter* interp, const char* command, const char* name,
                    const UnsetOptions& options) {
    Var* var = zorakGetVar(interp, name, kScopeCurrent);
    if (var && var->type == VT_STRUCT) {
        bool released = zorakVarHooks.struct_unset && zorakVarHooks.struct_unset(interp, name) == 0;
        if (released) return UnsetStep::Removed;
        var = nullptr;
    }
    if (!var) {
        if (options.complain) zorakReportError(interp, "%s: '%s' not found\n", command, name);
        return UnsetStep::NotRemoved;
    }
    if (var->type == VT_FIELD) {
        if (options.complain) zorakSetErrorCode(interp, 6, command);
        return UnsetStep::NotRemoved;
    }
    const char* bare = name;
    CallFrame* frame = interp->callframe;
    if (bare[0] == ':' && bare[1] == ':') {
        bare += 2;
        frame = frame_at_level(interp, 0);
    }
    if (var->is_constant && !options.allowConst) {
        if (options.complain)
            zorakReportError(interp, "%s %s: Can't unset const '%s' (use -const)\n", command, name,
                             bare);
        return UnsetStep::NotRemoved;
    }
    switch (var->type) {
    case VT_ARRAY:
        if (array_unset_worker(interp, name, options.complain, options.allowConst) == 0)
            return UnsetStep::Removed;
        if (options.complain)
            zorakReportError(interp, "%s: Failed to unset array '%s'\n", command, name);
        return UnsetStep::NotRemoved;
    case VT_AUTO:
    case VT_POINTER:
    case VT_DICTIONARY:
        // zorakFreeVar releases a dictionary's table with the record.
        if (!zorakUnlinkVar(frame, var)) return UnsetStep::NotRemoved;
        zorakFreeVar(var);
        return UnsetStep::Removed;
    default:
        if (options.complain)
            zorakReportError(interp, "%s: Unhandled var type '%s' in '%s'\n", command,
                             var_type_name(var->type), name);
        return UnsetStep::NotRemoved;
    }
}

bool isOption(const char* word, const char* option) {
    return zorakEqualNoCase(word, option);
}

// ---------------------------------------------------------------- vars

struct VarsOptions {
    CallFrame* frame = nullptr;
    int mode = 0; // 0 ordinary variables, 1 constants, 2 both
    bool list = false;
    bool wide = false;
    bool quiet = false;
    const char* pattern = nullptr;
};

bool shown(const Var* var, const VarsOptions& options) {
    if (options.mode == 0 && var->is_constant) return false;
    if (options.mode == 1 && !var->is_constant) return false;
    return !options.pattern || zorakWildcardMatch(options.pattern, var->name, true);
}

// The type column of one listed variable and its colour.
const char* kindOf(const Var* var, uint8_t* colour) {
    switch (var->type) {
    case VT_ARRAY:
        *colour = 11;
        return "array";
    case VT_STRUCT:
        *colour = 13;
        return "struct";
    case VT_FIELD:
        *colour = 13;
        return "field";
    case VT_STACK:
        *colour = 14;
        return "stack";
    case VT_DICTIONARY:
        *colour = 11;
        return "dict";
    case VT_POINTER:
        *colour = 12;
        return "pointer";
    default:
        break;
    }
    const char* value = var->value ? var->value : "";
    if (var->is_pointer) {
        *colour = 12;
        return "pointer";
    }
    if (!*value) {
        *colour = 8;
        return "empty";
    }
    if (zorakIsDecimalNumber(value)) {
        *colour = 10;
        return std::strchr(value, '.') ? "float" : "int";
    }
    *colour = 15;
    return "string";
}

std::string shownValue(const Var* var, bool wide) {
    switch (var->type) {
    case VT_ARRAY:
        return "<array>";
    case VT_STRUCT:
        return "<struct>";
    case VT_STACK:
        return "<stack>";
    default:
        break;
    }
    std::string value = var->value ? var->value : "";
    if (value.empty()) return "<empty>";
    size_t limit = wide ? 100 : 45;
    if (value.size() > limit) value = value.substr(0, limit) + "...";
    for (char& c : value)
        if (c == '\r' || c == '\n' || c == '\t') c = ' ';
    return value;
}

void printVarsHeader(const VarsOptions& options) {
    std::string header = "\nDefined ";
    header += options.mode == 1 ? "constants " : "variables ";
    if (options.pattern) header += "matching '" + std::string(options.pattern) + "' ";
    console_printf("%sat level %i\n", header.c_str(), options.frame->level);
    console_printf("%s", kRule);
}

} // namespace

int zorakCommandSet(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2 || argc > 3) return zorakWrongArgs(interp, argc, argv);
    const char* name = argv[1];
    if (std::strcmp(name, "-") == 0) return OK;
    if (!*name) {
        zorakReportError(interp, "%s: Variable name is empty\n", "set");
        return ERROR;
    }
    if (argc == 3 && interp->result_kind == 7) {
        interp->result_kind = 0;
        // The last command left a dictionary: the variable becomes one.
        if (zorakVarHooks.dict_assign) return zorakVarHooks.dict_assign(interp, name, argv[2]);
    }
    return set_value(interp, name, argc == 3 ? argv[2] : nullptr, 1);
}

int zorakCommandUnset(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    const char* command = argv[0] ? argv[0] : "unset";
    UnsetOptions options;
    for (int i = 1; i < argc; i++) {
        const char* word = argv[i];
        if (!word) {
            zorakReportError(interp, "NULL arg in unset for arg %li\n", static_cast<long>(i));
            zorakSetResult(interp, "0", 0);
            return ERROR;
        }
        if (word[0] != '-') continue;
        if (isOption(word, "-glob"))
            options.glob = true;
        else if (isOption(word, "-nocomplain"))
            options.complain = false;
        else if (isOption(word, "-const"))
            options.allowConst = true;
        else if (isOption(word, "-nocase"))
            options.nocase = true;
    }
    bool anyKept = false;
    long matched = 0;
    for (int i = 1; i < argc; i++) {
        const char* word = argv[i];
        if (word[0] == '-') continue;
        const char* open = word[0] ? std::strchr(word + 1, '(') : nullptr;
        if (open) return unsetElement(interp, command, word, open, options);
        if (options.glob) {
            int code = OK;
            long count = unsetGlob(interp, command, word, options, &code);
            if (count < 0) return code;
            matched += count;
            continue;
        }
        if (unsetName(interp, command, word, options) != UnsetStep::Removed) anyKept = true;
    }
    bool failed = options.complain && (options.glob ? matched == 0 : anyKept);
    zorakSetResult(interp, failed ? "0" : "1", 0);
    return failed ? ERROR : OK;
}

int zorakCommandConst(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    int replace = 0;
    for (int i = 3; i < argc; i++)
        if (argv[i] && std::strcmp(argv[i], "-nocomplain") == 0) replace = 1;
    if (define_const(interp, argv[1], argv[2], 0, replace)) return ERROR;
    zorakSetResult(interp, argv[2], 0);
    return OK;
}

int zorakCommandInspect(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    const char* name = argv[1];
    std::string lookup = name;
    // "a(x)" inspects the array a.
    size_t open = lookup.find('(');
    if (open != std::string::npos && open > 0 && lookup.back() == ')') lookup.resize(open);
    Var* var = zorakGetVar(interp, lookup.c_str(), kScopeCurrent);
    if (!var) {
        zorakReportError(interp, "%s: Variable '%s' not found\n", argv[0], name);
        zorakSetResult(interp, "0", 0);
        return OK;
    }
    {
        SavedColours colours;
        set_text_attribute(11);
        console_printf("%s", kRule);
        console_printf("INSPECT Var '%s' at 0x%llx", name, address(var));
        if (argc > 2) console_printf(" (%s)", argv[2]);
        console_printf("\n%s", kRule);
    }
    console_printf("Level:          '%i'\n", var->level);
    console_printf("Name:           '%s'\n", var->name ? var->name : "");
    console_printf("Value:          '%-.50s'\n", var->value ? var->value : "");
    {
        SavedColours colours;
        if (var->type < 0 || var->type > 11) set_text_attribute(12);
        console_printf("Type:            %i (%s)\n", var->type, var_type_name(var->type));
    }
    console_printf("Subscript:      '%-.50s'...\n", var->subscript ? var->subscript : "<NULL>");
    console_printf("Size:            %i\n", var->size);
    console_printf("List:          0x%llx\n", address(var->list));
    console_printf("Stack:         0x%llx\n", address(var->stack));
    console_printf("Table:         0x%llx\n", address(var->table));
    console_printf("Variant:       0x%llx\n", address(var->variant));
    console_printf("Parent:        0x%llx\n", address(var->parent));
    console_printf("Next->:        0x%llx\n", address(var->next));
    console_printf("Changed:         %i\n", var->changed);
    console_printf("is_pointer       %i\n", var->is_pointer);
    console_printf("is_constant      %i\n", var->is_constant);
    console_printf("is_protected     %i\n", var->is_protected);
    console_printf("ignore_case      %i\n", var->ignore_case);
    console_printf("%s", kRule);
    zorakSetResult(interp, "1", 0);
    return OK;
}

int zorakCommandVars(Interpreter* interp, int argc, char** argv, void*) {
    VarsOptions options;
    options.frame = interp->callframe;
    for (int i = 1; i < argc; i++) {
        const char* word = argv[i];
        if (isOption(word, "-level") && i + 1 < argc) {
            int64_t level = zorakLeadingInt(argv[++i]);
            options.frame = frame_at_level(interp, level < 0 ? 0 : static_cast<int>(level));
        } else if (isOption(word, "-auto"))
            options.mode = 0;
        else if (isOption(word, "-const"))
            options.mode = 1;
        else if (isOption(word, "-all"))
            options.mode = 2;
        else if (isOption(word, "-list"))
            options.list = true;
        else if (isOption(word, "-wide"))
            options.wide = true;
        else if (isOption(word, "-q"))
            options.quiet = true;
        else if (word[0] != '-')
            options.pattern = word;
    }
    if (!options.frame) {
        zorakSetResult(interp, "0", 0);
        return OK;
    }
    if (options.list) {
        HeapText list(zorakStrDup(""));
        for (Var* var = options.frame->vars; var; var = var->next) {
            if (!var->name || !shown(var, options)) continue;
            if (*list.get()) zorakStrAppendChar(list.out(), ' ');
            bool brace = std::strchr(var->name, ' ') != nullptr;
            if (brace) zorakStrAppendChar(list.out(), '{');
            zorakStrAppend(list.out(), var->name);
            if (brace) zorakStrAppendChar(list.out(), '}');
        }
        zorakSetResult(interp, list.get(), 0);
        return OK;
    }
    if (!options.quiet) printVarsHeader(options);
    long count = 0;
    int nameWidth = options.wide ? 30 : 20;
    for (Var* var = options.frame->vars; var; var = var->next) {
        if (!var->name || !shown(var, options)) continue;
        count++;
        uint8_t colour = 7;
        const char* kind = kindOf(var, &colour);
        {
            SavedColours colours;
            set_text_attribute(colour);
            console_printf("%-8s ", kind);
        }
        console_printf("%-*s %s\n", nameWidth, var->name, shownValue(var, options.wide).c_str());
    }
    if (count == 0) {
        console_printf("<no matches found>");
        if (options.mode == 0) console_printf(" (try: %s -const)", argv[0]);
        console_printf("\n");
    }
    char number[32];
    std::snprintf(number, sizeof number, "%ld", count);
    zorakSetResult(interp, number, 0);
    return OK;
}

void zorakRegisterVariableCommands(Interpreter* interp) {
    zorakRegisterCommand(interp, "set", zorakCommandSet, nullptr, 0);
    zorakRegisterCommand(interp, "=", zorakCommandSet, nullptr, 0);
    zorakRegisterCommand(interp, "variable", zorakCommandSet, nullptr, 0);
    zorakRegisterCommand(interp, "unset", zorakCommandUnset, nullptr, 0);
    zorakRegisterCommand(interp, "const", zorakCommandConst, nullptr, 0);
    zorakRegisterCommand(interp, "inspect", zorakCommandInspect, nullptr, 0);
    zorakRegisterCommand(interp, "vars", zorakCommandVars, nullptr, 0);
}
