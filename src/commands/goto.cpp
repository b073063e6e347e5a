// The label commands: goto, goto_block, and the subroutine pair sub and
// gosub over parameterless procedures.
#include "commands/control_flow.h"

#include "commands/list_core.h"
#include "interp/errors.h"
#include "interp/evaluator.h"
#include "interp/registry.h"
#include "util/heap_text.h"
#include "util/text.h"
#include "vars/variables.h"

#include <cstring>
#include <vector>

namespace {

// Entries of goto_block's return stack.
constexpr size_t kMaxGosubDepth = 1000;

// Calls a command's handler with the given words, as the evaluator does: the
// current frame sees the words for the length of the call.
int callCommand(Interpreter* interp, Command* cmd, int argc, char** argv) {
    CallFrame* frame = interp->callframe;
    int savedArgc = frame ? frame->argc : 0;
    char** savedArgv = frame ? frame->argv : nullptr;
    if (frame) {
        frame->argc = argc;
        frame->argv = argv;
    }
    int code = cmd->handler(interp, argc, argv, cmd->private_data);
    if (frame) {
        frame->argc = savedArgc;
        frame->argv = savedArgv;
    }
    return code;
}

int zorakCommandGoto(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    zorakSetResult(interp, argv[1], 0);
    return GOTO;
}

// sub name body: a procedure without parameters, defined through proc.
int zorakCommandSub(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 3) return zorakWrongArgs(interp, argc, argv);
    if (!*argv[1]) {
        zorakReportError(interp, "sub: Name may not be empty\n");
        return ERROR;
    }
    Command* proc = zorakGetCommand(interp, "proc");
    if (!proc || !proc->handler) {
        zorakReportError(interp, "%s: Command '%s' not found\n", argv[0], "proc");
        return ERROR;
    }
    char procWord[] = "proc";
    char noParameters[] = "";
    char* words[5] = {procWord, argv[1], noParameters, argv[2], nullptr};
    return callCommand(interp, proc, 4, words) == OK ? OK : ERROR;
}

int zorakCommandGosub(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    Command* cmd = zorakGetCommand(interp, argv[1]);
    if (!cmd || !cmd->is_proc || !cmd->handler) {
        zorakReportError(interp, "%s: %s not found or is not a proc\n", argv[0], argv[1]);
        return ERROR;
    }
    char* words[2] = {argv[1], nullptr};
    int code = callCommand(interp, cmd, 1, words);
    return code == RETURN ? OK : code;
}

// goto_block {label script ?label script ...?}: runs the scripts in order;
// GOTO jumps to a label, and "goto"/"gosub" pairs jump by their script.
int zorakCommandGotoBlock(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    ScopedVector elements;
    int count = zorakSplitList(argv[1], &elements.get());
    if (count < 2 || count % 2) {
        zorakReportError(interp, "%s: Invalid argument\n", argv[0]);
        return ERROR;
    }
    int pairs = count / 2;
    char** items = elements->items;
    auto findLabel = [&](const char* label) {
        for (int k = 0; k < pairs; k++)
            if (zorakEqualNoCase(items[2 * k], label)) return k;
        return -1;
    };
    std::vector<int> returns;
    int k = 0;
    while (k < pairs) {
        const char* label = items[2 * k];
        const char* script = items[2 * k + 1];
        bool isGoto = zorakEqualNoCase(label, "goto");
        if (isGoto || zorakEqualNoCase(label, "gosub")) {
            int target = findLabel(script);
            if (target < 0) {
                zorakReportError(interp, "goto: label '%s' not found\n", script);
                return ERROR;
            }
            if (!isGoto) {
                if (returns.size() >= kMaxGosubDepth) {
                    zorakSetErrorCode(interp, 3, argv[0]);
                    return ERROR;
                }
                returns.push_back(k + 1);
            }
            k = target;
            continue;
        }
        set_var(interp, "this", label);
        int code = OK;
        if (!*script) {
            zorakSetResult(interp, "", 0);
        } else {
            char evalWord[] = "eval";
            char* words[3] = {evalWord, items[2 * k + 1], nullptr};
            code = zorakCommandEval(interp, 2, words, nullptr);
        }
        if (code == GOTO) {
            const char* wanted = interp->result ? interp->result : "";
            int target = findLabel(wanted);
            if (target < 0) {
                zorakReportError(interp, "goto: label '%s' not found\n", wanted);
                return ERROR;
            }
            k = target;
            continue;
        }
        if (code == BREAK) return OK;
        if (code == RETURN) {
            if (returns.empty()) return OK;
            k = returns.back();
            returns.pop_back();
            continue;
        }
        if (code == ERROR || code == STOP || code == EXIT) return code;
        k++;
    }
    return OK;
}

} // namespace

void zorakRegisterGotoCommands(Interpreter* interp) {
    zorakRegisterCommand(interp, "goto", zorakCommandGoto, nullptr, 0);
    zorakRegisterCommand(interp, "goto_block", zorakCommandGotoBlock, nullptr, 0);
    zorakRegisterCommand(interp, "sub", zorakCommandSub, nullptr, 0);
    zorakRegisterCommand(interp, "gosub", zorakCommandGosub, nullptr, 0);
}
