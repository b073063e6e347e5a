// The stack command: stack variables hold a last-in, first-out stack of
// texts of fixed capacity (the Stack container the call trace uses too).
// Subcommands create, push, pop, peek, walk, list and remove them.
#include "commands/list_core.h"
#include "interp/errors.h"
#include "interp/evaluator.h"
#include "interp/registry.h"
#include "util/heap_text.h"
#include "util/number_text.h"
#include "util/stack.h"
#include "util/text.h"
#include "vars/scope_aliases.h"
#include "vars/structs.h"
#include "vars/variables.h"

#include <climits>
#include <string>
#include <vector>

namespace {

void setNumber(Interpreter* interp, long long value) {
    HeapText text(zorakFormatInt(value));
    zorakSetResult(interp, text.get(), 0);
}

int stackCreate(Interpreter* interp, const char* command, const char* name, const char* size) {
    Var* var = set_var(interp, name, "") == 0 ? zorakGetVar(interp, name, kScopeCurrent) : nullptr;
    if (!var) {
        zorakReportError(interp, "%s create: '%s' failed\n", command, name);
        return ERROR;
    }
    long long capacity = zorakLeadingInt(size);
    if (capacity < 1) capacity = 1;
    if (capacity > INT_MAX) capacity = INT_MAX;
    Stack* stack = zorakStackCreate(static_cast<int>(capacity), 1);
    if (!zorakStackIsValid(stack)) {
        zorakStackDestroy(stack);
        zorakRemoveVar(interp, name);
        zorakSetErrorCode(interp, 5, command);
        zorakSetResult(interp, "0", 0);
        return ERROR;
    }
    zorakStrAssign(&var->value, "<stack>");
    zorakValueChanged(var);
    var->type = VT_STACK;
    var->stack = stack;
    var->changed = 1;
    zorakSetResult(interp, "1", 0);
    return OK;
}

// Frees the stack (an alias only lets go of its target's) and removes the
// variable through unset; the result is unset's completion code.
int stackUnset(Interpreter* interp, int argc, char** argv, Var* var) {
    bool complain = !(argc > 3 && zorakEqualNoCase(argv[3], "-nocomplain"));
    if (var) {
        if (!var->parent && var->stack) {
            zorakAliasDropContainers(var);
            zorakStackDestroy(var->stack);
        }
        var->stack = nullptr;
        var->type = VT_AUTO;
    }
    std::string unset = "unset", name = argv[2], quiet = "-nocomplain";
    char* words[] = {unset.data(), name.data(), complain ? nullptr : quiet.data(), nullptr};
    int code = zorakCommandUnset(interp, complain ? 2 : 3, words, nullptr);
    setNumber(interp, code);
    return code;
}

// The items that are not empty, top first or bottom first, as a list.
void stackList(Interpreter* interp, const Stack* stack, bool topFirst) {
    std::string out;
    for (int i = 0; i < stack->count; i++) {
        const char* item = zorakStackItem(stack, topFirst ? stack->count - 1 - i : i);
        if (item && *item) zorakListAppendWord(&out, item);
    }
    zorakSetResult(interp, out.c_str(), 0);
}

int stackPush(Interpreter* interp, int argc, char** argv, Stack* stack) {
    long long count = stack->count;
    for (int i = 3; i < argc; i++) {
        if (count >= stack->capacity) {
            zorakSetResult(interp, "Stack overflow", 0);
            return ERROR;
        }
        // An empty text is refused and not counted.
        if (*argv[i] && zorakStackPushText(stack, argv[i])) count++;
    }
    setNumber(interp, count);
    return OK;
}

// stack item name index ?default? ?-end?: index 0 is the bottom item.
int stackItem(Interpreter* interp, int argc, char** argv, const Stack* stack) {
    long long index = zorakLeadingInt(argv[3]);
    if (index < 0) index = 0;
    if (argc > 4 && zorakEqualNoCase(argv[argc - 1], "-end")) index = stack->count - 1;
    const char* item =
        index < stack->count ? zorakStackItem(stack, static_cast<int>(index)) : nullptr;
    zorakSetResult(interp, item ? item : argc > 4 ? argv[4] : "{}", 0);
    return OK;
}

// stack foreach name varname body ?-r…?: the walk runs over the items as
// they were when it began, so a body that pushes, pops or removes the stack
// changes nothing under it.
int stackForeach(Interpreter* interp, int argc, char** argv, const Stack* stack) {
    bool reverse = false;
    for (int i = 5; i < argc; i++)
        if (zorakEqualNoCase(std::string(argv[i]).substr(0, 2), "-r")) reverse = true;
    std::vector<std::string> items;
    for (int i = 0; i < stack->count; i++) {
        const char* item = zorakStackItem(stack, reverse ? stack->count - 1 - i : i);
        items.emplace_back(item ? item : "");
    }
    for (const std::string& item : items) {
        if (set_var(interp, argv[3], item.c_str()) != 0) return ERROR;
        int code = kuvetEval(interp, argv[4], 0, 0);
        if (code == BREAK) return OK;
        if (code != OK && code != CONTINUE) return code;
    }
    return OK;
}

int stackDispatch(Interpreter* interp, int argc, char** argv) {
    const char* command = argv[0];
    const char* sub = argv[1];
    const char* name = argv[2];
    auto is = [sub](const char* word) { return zorakEqualNoCase(sub, word); };
    Var* var = zorakGetVar(interp, name, kScopeCurrent);
    if (!var) {
        if (is("create")) {
            if (argc < 4) return zorakWrongArgs(interp, argc, argv);
            return stackCreate(interp, command, name, argv[3]);
        }
        // Removing what is not there is quiet when asked to be.
        if (is("unset") && argc > 3 && zorakEqualNoCase(argv[3], "-nocomplain"))
            return stackUnset(interp, argc, argv, nullptr);
        zorakReportError(interp, "%s %s: '%s' not found\n", command, sub, name);
        return ERROR;
    }
    if (var->type != VT_STACK) {
        zorakReportError(interp, "%s %s: '%s' exists and is not a stack variable\n", command, sub,
                         name);
        return ERROR;
    }
    if (is("unset")) return stackUnset(interp, argc, argv, var);
    Stack* stack = var->stack;
    if (!stack) {
        zorakReportError(interp, "%s %s: Stack '%s' not initialised\n", command, sub, name);
        zorakSetResult(interp, "0", 0);
        return ERROR;
    }
    if (argc == 3) {
        if (is("peek")) {
            const char* top = zorakStackPeekText(stack);
            zorakSetResult(interp, top ? top : "", 0);
            return OK;
        }
        if (is("pop")) {
            HeapText top(zorakStackPopText(stack));
            zorakSetResult(interp, top.get() ? top.get() : "", 0);
            return OK;
        }
        if (is("is_empty")) {
            zorakSetResult(interp, zorakStackIsEmpty(stack) ? "1" : "0", 0);
            return OK;
        }
        if (is("size") || is("count")) {
            setNumber(interp, is("size") ? stack->capacity : stack->count);
            return OK;
        }
        if (is("clear")) {
            zorakStackClear(stack);
            zorakSetResult(interp, "1", 0);
            return OK;
        }
        if (is("list") || is("listr")) {
            stackList(interp, stack, is("list"));
            return OK;
        }
        if (is("create")) {
            zorakReportError(interp, "%s %s: Variable '%s' already exists\n", command, sub, name);
            zorakSetResult(interp, "", 0);
            return ERROR;
        }
    } else {
        if (is("push")) return stackPush(interp, argc, argv, stack);
        if (is("item")) return stackItem(interp, argc, argv, stack);
        if (is("foreach") && argc >= 5) return stackForeach(interp, argc, argv, stack);
    }
    zorakReportError(interp, "%s: Unknown argument '%s'\n", command, sub);
    return ERROR;
}

int zorakCommandStack(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    try {
        return stackDispatch(interp, argc, argv);
    } catch (...) {
        zorakReportException("zorakCommandStack", nullptr);
        return ERROR;
    }
}

} // namespace

void zorakRegisterStackCommands(Interpreter* interp) {
    zorakRegisterCommand(interp, "stack", zorakCommandStack, nullptr, 0);
}
