// Commands that inspect or change the command table: alias, rename, undef,
// is_command, commands, procs, functions and cmdcount.
#include "console/console.h"
#include "interp/errors.h"
#include "interp/evaluator.h"
#include "interp/registry.h"
#include "shell/settings.h"
#include "util/heap_text.h"
#include "util/number_text.h"
#include "util/text.h"
#include "util/wildcard.h"
#include "vars/procedures.h"
#include "vars/variables.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

// The names of the expression functions, in the order `functions` lists them.
const char* const kFunctionNames[] = {
    "abs",     "acos",     "asin", "atan",  "bool", "ceil",  "decr",  "div",      "cos",   "cosh",
    "degrees", "double",   "exp",  "fib",   "fix",  "floor", "fmod",  "fraction", "hypot", "incr",
    "int",     "integral", "log",  "log10", "max",  "min",   "mul",   "pow",      "rand",  "rnd",
    "round",   "sgn",      "sin",  "sinh",  "sqr",  "sqrt",  "srand", "tan",      "tanh",  "wide"};

enum class ProcActivity { None, Running, Caller };

// Whether a procedure is the one now running or one of its callers. While
// uplevel runs a script in an outer frame, the running procedure is still
// the innermost call in progress, not the owner of the current frame.
ProcActivity procActivity(Interpreter* interp, const char* name) {
    CallFrame* frame = zorakActiveProcFrame() ? zorakActiveProcFrame() : interp->callframe;
    if (frame && frame->proc_name && std::strcmp(frame->proc_name, name) == 0)
        return ProcActivity::Running;
    for (frame = frame ? frame->parent : nullptr; frame; frame = frame->parent)
        if (frame->proc_name && std::strcmp(frame->proc_name, name) == 0)
            return ProcActivity::Caller;
    return ProcActivity::None;
}

// Space-separated names of the table, filtered by pattern (case-insensitive).
void listNames(Interpreter* interp, const char* pattern, bool procsOnly) {
    std::string names;
    bool any = false;
    for (int i = 0; i < interp->command_count; i++) {
        const Command& cmd = interp->commands[i];
        if (procsOnly && !cmd.is_proc) continue;
        if (pattern && !zorakWildcardMatch(pattern, cmd.name, true)) continue;
        if (any) names += ' ';
        names += cmd.name;
        any = true;
    }
    if (procsOnly && !any) return;
    zorakSetResult(interp, names.c_str(), 0);
}

} // namespace

int zorakCommandAlias(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    Command* existing = zorakGetCommand(interp, argv[2]);
    if (!existing) {
        zorakReportError(interp, "%s: Command '%s' not found\n", "alias", argv[2]);
        return ERROR;
    }
    if (zorakGetCommand(interp, argv[1])) {
        zorakReportError(interp, "alias: Alias '%s' already exists\n", argv[1]);
        return ERROR;
    }
    if (!existing->handler) {
        zorakReportError(interp, "%s: Error retrieving '%s'\n", "alias", argv[2]);
        return ERROR;
    }
    Command copy = *existing;
    if (zorakRegisterCommand(interp, argv[1], copy.handler, copy.private_data, copy.is_proc)) {
        zorakReportError(interp, "alias: Failed to register '%s' as alias for '%s'\n", argv[1],
                         argv[2]);
        return ERROR;
    }
    return OK;
}

int zorakCommandRename(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    const char* oldName = argv[1];
    const char* newName = argv[2];
    ProcActivity activity = procActivity(interp, oldName);
    if (activity == ProcActivity::Running) {
        zorakReportError(interp, "%s: Can't rename the active proc '%s'\n", argv[0], oldName);
        return ERROR;
    }
    if (activity == ProcActivity::Caller) {
        zorakReportError(interp, "%s: Can't rename active proc's parent: '%s'\n", argv[0], oldName);
        return ERROR;
    }
    Command* cmd = zorakGetCommand(interp, oldName);
    if (cmd && !zorakGetCommand(interp, newName)) {
        if (*newName) {
            // The record moves to its new place in the order with its handler
            // and data; taking the data off first keeps a procedure's record
            // from being released with the old name. The old name is the
            // record's own, so "::name" renames name.
            Command moved = *cmd;
            HeapText currentName(zorakStrDup(cmd->name));
            cmd->private_data = nullptr;
            zorakUnregisterCommand(interp, currentName.get());
            if (zorakRegisterCommand(interp, newName, moved.handler, moved.private_data,
                                     moved.is_proc) != 0) {
                // The new name could not be stored: the command keeps its old one.
                zorakRegisterCommand(interp, currentName.get(), moved.handler, moved.private_data,
                                     moved.is_proc);
                zorakSetResult(interp, "0", 0);
                return ERROR;
            }
            zorakSetResult(interp, "1", 0);
            return OK;
        }
        if (zorakUnregisterCommand(interp, oldName)) {
            zorakSetResult(interp, "1", 0);
            return OK;
        }
    }
    bool quiet = false;
    for (int i = 3; i < argc; i++)
        if (zorakEqualNoCase(argv[i], "-nocomplain")) quiet = true;
    if (!quiet && (zorakSettings.error_echo || zorakSettings.debug))
        console_printf("%s: Command %s not found\n", argv[0], oldName);
    zorakSetResult(interp, "0", 0);
    return ERROR;
}

namespace {

// Removes one command with the active-procedure checks; returns the code.
int undefOne(Interpreter* interp, const char* command, const char* name, bool complain) {
    ProcActivity activity = procActivity(interp, name);
    if (activity != ProcActivity::None) {
        if (!complain) return OK;
        zorakReportError(interp,
                         activity == ProcActivity::Running
                             ? "%s: Can't undef the active proc '%s'\n"
                             : "%s: Can't undef active proc's parent: '%s'\n",
                         command, name);
        return ERROR;
    }
    if (!zorakUnregisterCommand(interp, name)) {
        if (!complain) return OK;
        zorakReportError(interp, "undef: Error unregistering proc '%s'", name);
        return ERROR;
    }
    return OK;
}

} // namespace

int zorakCommandUndef(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    bool complain = !zorakEqualNoCase(argv[argc - 1], "-nocomplain");
    int last = complain ? argc : argc - 1;
    if (zorakEqualNoCase(argv[1], "-glob")) {
        const char* pattern = last > 2 ? argv[2] : "";
        if (!*pattern) {
            zorakReportError(interp, "%s: -glob requires a filter argument\n", argv[0]);
            return ERROR;
        }
        bool procsOnly = false;
        for (int i = 3; i < last; i++)
            if (zorakEqualNoCase(argv[i], "-proc")) procsOnly = true;
        ScopedVector matches;
        for (int i = 0; i < interp->command_count; i++) {
            const Command& cmd = interp->commands[i];
            if (procsOnly && !cmd.is_proc) continue;
            if (zorakWildcardMatch(pattern, cmd.name, true))
                zorakVectorAppend(&matches.get(), cmd.name);
        }
        ScopedVector removed;
        int code = OK;
        for (int i = 0; i < matches->count; i++) {
            int one = undefOne(interp, argv[0], matches->items[i], complain);
            if (one == OK && !zorakGetCommand(interp, matches->items[i]))
                zorakVectorAppend(&removed.get(), matches->items[i]);
            if (one != OK) code = one;
        }
        HeapText joined(zorakJoinWords(nullptr, removed->count, removed->items));
        zorakSetResult(interp, joined.get() ? joined.get() : "", 0);
        return code;
    }
    for (int i = 1; i < last; i++) {
        int code = undefOne(interp, argv[0], argv[i], complain);
        if (code != OK) return code;
    }
    return OK;
}

int zorakCommandIsCommand(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    zorakSetResult(interp, zorakGetCommand(interp, argv[1]) ? "1" : "0", 0);
    return OK;
}

int zorakCommandCommands(Interpreter* interp, int argc, char** argv, void*) {
    listNames(interp, argc > 1 ? argv[1] : nullptr, false);
    return OK;
}

int zorakCommandProcs(Interpreter* interp, int argc, char** argv, void*) {
    listNames(interp, argc > 1 ? argv[1] : nullptr, true);
    return OK;
}

int zorakCommandFunctions(Interpreter* interp, int argc, char** argv, void*) {
    std::string names;
    for (const char* name : kFunctionNames) {
        if (argc > 1 && !zorakWildcardMatch(argv[1], name, true)) continue;
        if (!names.empty()) names += ' ';
        names += name;
    }
    zorakSetResult(interp, names.c_str(), 0);
    return OK;
}

int zorakCommandCmdcount(Interpreter* interp, int argc, char** argv, void*) {
    for (int i = 1; i < argc; i++) {
        if (std::strcmp(argv[i], "-reset") == 0) {
            interp->command_counter = 0;
            zorakSetResult(interp, "0", 0);
            return OK;
        }
    }
    if (argc < 2) {
        HeapText count(zorakFormatUnsigned(interp->command_counter));
        zorakSetResult(interp, count.get(), 0);
        return OK;
    }
    const char* varName = argc > 2 ? argv[2] : nullptr;
    if (varName) set_var(interp, varName, "");
    zorakSetGlobal(interp, "errorInfo", "");
    zorakSetGlobal(interp, "errorCode", "0");
    zorakSetGlobal(interp, "errorLine", "0");
    uint32_t before = interp->command_counter;
    int code = kuvetEval(interp, argv[1], 0, 0);
    if (varName) {
        if (code == ERROR) {
            Var* message = zorakGetVar(interp, "::errorMsg", kScopeGlobal);
            if (message) {
                HeapText text(zorakStrDup(message->value));
                set_var(interp, varName, text.get());
            } else {
                char text[256];
                std::snprintf(text, sizeof text, "%s: Exception (Code %i)", argv[0], code);
                set_var(interp, varName, text);
            }
        } else {
            HeapText result(zorakStrDup(interp->result));
            set_var(interp, varName, result.get());
        }
    }
    // An error is reported and counted, never passed on: cmdcount measures a
    // script that may fail. exit and stop still end the whole script, with
    // the script's own result (exit's value).
    if (code == EXIT || code == STOP) return code;
    HeapText count(zorakFormatUnsigned(interp->command_counter - before));
    zorakSetResult(interp, count.get(), 0);
    return OK;
}

void zorakRegisterRegistryCommands(Interpreter* interp) {
    zorakRegisterCommand(interp, "alias", zorakCommandAlias, nullptr, 0);
    zorakRegisterCommand(interp, "rename", zorakCommandRename, nullptr, 0);
    zorakRegisterCommand(interp, "undef", zorakCommandUndef, nullptr, 0);
    zorakRegisterCommand(interp, "is_command", zorakCommandIsCommand, nullptr, 0);
    zorakRegisterCommand(interp, "commands", zorakCommandCommands, nullptr, 0);
    zorakRegisterCommand(interp, "procs", zorakCommandProcs, nullptr, 0);
    zorakRegisterCommand(interp, "functions", zorakCommandFunctions, nullptr, 0);
    zorakRegisterCommand(interp, "cmdcount", zorakCommandCmdcount, nullptr, 0);
}
