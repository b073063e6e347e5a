// if, break, continue, exit and stop.
#include "commands/control_flow.h"

#include "commands/flow_condition.h"
#include "console/console.h"
#include "expr/expression.h"
#include "expr/number_rules.h"
#include "interp/errors.h"
#include "interp/evaluator.h"
#include "interp/registry.h"
#include "util/heap_text.h"
#include "util/text.h"

#include <cstring>
#include <string>

namespace {

// The first condition of if. In expression mode it is trimmed, freed of
// line ends, substituted, and then evaluated as an expression.
int firstCondition(Interpreter* interp, const char* condition, bool* truth) {
    *truth = false;
    if (!zorakFlowUsesExpression()) {
        int code = kuvetEval(interp, condition, 0, 0);
        if (code != OK) return code;
        *truth = zorakTextToDouble(interp->result) != 0.0;
        return OK;
    }
    std::string text;
    for (const char* p = condition; *p; p++)
        if (*p != '\r' && *p != '\n') text += *p;
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return OK;
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    int code = kuvetEval(interp, text.c_str(), 1, 0);
    if (code != OK) return code;
    if (!interp->result || !*interp->result) return OK;
    HeapText substituted(zorakStrDup(interp->result));
    char* value = nullptr;
    code = evaluate_expression(interp, substituted.get(), &value);
    HeapText owned(value);
    if (code != OK) return code;
    *truth = zorakTextToDouble(value) != 0.0;
    return OK;
}

// An elseif condition: a script, or an expression evaluated as written.
int laterCondition(Interpreter* interp, const char* condition, bool* truth) {
    ConditionOutcome outcome;
    zorakEvalCondition(interp, condition, &outcome);
    *truth = false;
    if (outcome.code != OK) return outcome.code;
    *truth = outcome.has_value && zorakTextToDouble(outcome.text(interp)) != 0.0;
    return OK;
}

int zorakCommandIf(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 3 || argc == 4 || argc == 7) return zorakWrongArgs(interp, argc, argv);
    bool truth = false;
    int code = firstCondition(interp, argv[1], &truth);
    if (code != OK) return code;
    if (truth) return kuvetEval(interp, argv[2], 0, 0);
    if (argc == 3) return OK;
    int end = argc;
    const char* elseBody = nullptr;
    if (zorakEqualNoCase(argv[argc - 2], "else")) {
        elseBody = argv[argc - 1];
        end = argc - 2;
    }
    for (int i = 3; i < end; i += 3) {
        if (!zorakEqualNoCase(argv[i], "elseif")) {
            console_printf("%s: expected 'elseif' / 'else': found '%s' as arg %i...\r\n", argv[0],
                           argv[i], i);
            return ERROR;
        }
        if (i + 2 >= end) return zorakWrongArgs(interp, argc, argv);
        code = laterCondition(interp, argv[i + 1], &truth);
        if (code != OK) return code;
        if (truth) return kuvetEval(interp, argv[i + 2], 0, 0);
    }
    if (elseBody) return kuvetEval(interp, elseBody, 0, 0);
    return OK;
}

// break and continue share a handler; the command name decides the code.
int zorakCommandBreak(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 1) return zorakWrongArgs(interp, argc, argv);
    return std::strcmp(argv[0], "continue") == 0 ? CONTINUE : BREAK;
}

int zorakCommandExit(Interpreter* interp, int argc, char** argv, void*) {
    if (argc > 2) return zorakWrongArgs(interp, argc, argv);
    if (argc == 2) zorakSetResult(interp, argv[1], 0);
    return EXIT;
}

int zorakCommandStop(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 1) return zorakWrongArgs(interp, argc, argv);
    return STOP;
}

} // namespace

void zorakRegisterControlFlowCommands(Interpreter* interp) {
    zorakRegisterCommand(interp, "if", zorakCommandIf, nullptr, 0);
    zorakRegisterCommand(interp, "break", zorakCommandBreak, nullptr, 0);
    zorakRegisterCommand(interp, "continue", zorakCommandBreak, nullptr, 0);
    zorakRegisterCommand(interp, "exit", zorakCommandExit, nullptr, 0);
    zorakRegisterCommand(interp, "stop", zorakCommandStop, nullptr, 0);
}
