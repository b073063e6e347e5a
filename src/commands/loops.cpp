// The loops: while, for, foreach, loop, floop and do. Bodies are scripts;
// CONTINUE goes on with the next round, BREAK ends the loop with OK, and the
// other codes that end a body pass out unchanged.
#include "commands/control_flow.h"

#include "commands/flow_condition.h"
#include "commands/list_core.h"
#include "console/console.h"
#include "expr/expression.h"
#include "expr/number_rules.h"
#include "interp/errors.h"
#include "interp/evaluator.h"
#include "interp/registry.h"
#include "util/heap_text.h"
#include "util/number_text.h"
#include "util/text.h"
#include "vars/variables.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

bool endsScript(int code) {
    return code == ERROR || code == EXIT || code == STOP;
}

int zorakCommandWhile(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 3) return zorakWrongArgs(interp, argc, argv);
    const char* condition = argv[1];
    const char* body = argv[2];
    bool expression = zorakFlowUsesExpression();
    for (;;) {
        // An empty body runs no command, so the loop itself asks for Ctrl-C.
        if (zorakInterrupted(interp)) return STOP;
        if (expression) {
            char* value = nullptr;
            int code = evaluate_expression(interp, condition, &value);
            HeapText owned(value);
            // A failing condition ends the loop with its code, as in script mode.
            if (endsScript(code)) return code;
            if (!value || zorakLeadingInt(value) == 0) return OK;
        } else {
            if (!*condition) zorakSetResult(interp, "", 0);
            int code = kuvetEval(interp, condition, 0, 0);
            if (endsScript(code)) return code;
            if (is_false_text(interp->result)) return OK;
        }
        int code = kuvetEval(interp, body, 0, 0);
        if (code == OK || code == CONTINUE) continue;
        if (code == BREAK) return OK;
        return code;
    }
}

// The body runs once before the condition is first tested.
int zorakCommandFor(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 5) return zorakWrongArgs(interp, argc, argv);
    const char* start = argv[1];
    const char* condition = *argv[2] ? argv[2] : "1";
    const char* next = argv[3];
    const char* body = argv[4];
    if (kuvetEval(interp, start, 0, 0) != OK) {
        zorakReportError(interp, "for: Failed to initialise for {%s}\n", start);
        return ERROR;
    }
    for (;;) {
        if (zorakInterrupted(interp)) return STOP;
        int code = kuvetEval(interp, body, 0, 0);
        if (code == BREAK) return OK;
        if (code != OK && code != CONTINUE) return code;
        if (kuvetEval(interp, next, 0, 0) != OK) return ERROR;
        ConditionOutcome outcome;
        zorakEvalCondition(interp, condition, &outcome);
        if (outcome.code != OK) return outcome.code;
        if (zorakLeadingInt(outcome.text(interp)) == 0) return OK;
    }
}

int zorakCommandForeach(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 4) return zorakWrongArgs(interp, argc, argv);
    int bodyIndex = argc - 1;
    if (std::strcmp(argv[argc - 1], "-tail") == 0) bodyIndex = argc - 2;
    int words = bodyIndex - 1;
    if (words < 2 || words % 2) {
        console_printf("%s requires matching pairs of lvalue and rvalue (%i found)\n", argv[0],
                       words);
        return ERROR;
    }
    const char* body = argv[bodyIndex];
    int pairCount = words / 2;
    std::unique_ptr<ScopedVector[]> names(new ScopedVector[static_cast<size_t>(pairCount)]);
    std::unique_ptr<ScopedVector[]> values(new ScopedVector[static_cast<size_t>(pairCount)]);
    ListScanOptions options;
    options.keep_empty = true;
    double rounds = 0.0;
    int longestList = 0, longestNames = 0;
    for (int k = 0; k < pairCount; k++) {
        zorakScanList(argv[1 + 2 * k], &names[k].get(), options);
        zorakScanList(argv[2 + 2 * k], &values[k].get(), options);
        if (names[k]->count > longestNames) longestNames = names[k]->count;
        if (values[k]->count > longestList) longestList = values[k]->count;
        // An empty name list takes nothing and adds no rounds.
        if (longestNames > 0) {
            double share = static_cast<double>(longestList) / longestNames;
            rounds = std::ceil(share > rounds ? share : rounds);
        }
    }
    int64_t total = static_cast<int64_t>(rounds);
    for (int64_t round = 0; round < total; round++) {
        if (zorakInterrupted(interp)) return STOP;
        for (int k = 0; k < pairCount; k++) {
            StringVector& vars = names[k].get();
            StringVector& list = values[k].get();
            for (int j = 0; j < vars.count; j++) {
                int64_t index = round * vars.count + j;
                const char* value = index < list.count ? list.items[index] : "";
                if (set_value(interp, vars.items[j], value, 1) != OK) return ERROR;
            }
        }
        int code = kuvetEval(interp, body, 0, 0);
        if (code == OK || code == CONTINUE) continue;
        if (code == BREAK) return OK;
        return code;
    }
    return OK;
}

int setLoopVariable(Interpreter* interp, const char* name, const char* text) {
    return set_value(interp, name, text, 1);
}

// loop name from to ?step? body: an integer count with an exclusive end.
int zorakCommandLoop(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 5 && argc != 6) return zorakWrongArgs(interp, argc, argv);
    const char* name = argv[1];
    int64_t from = zorakLeadingInt(argv[2]);
    int64_t to = zorakLeadingInt(argv[3]);
    int64_t step = argc == 6 ? zorakLeadingInt(argv[4]) : 1;
    const char* body = argv[argc - 1];
    if (from > to) {
        step = -1;
    } else if (step == 0) {
        zorakReportError(interp, "%s: Invalid increment 0\n", argv[0]);
        return ERROR;
    }
    bool up = step > 0;
    int64_t value = from;
    for (;;) {
        if (zorakInterrupted(interp)) return STOP;
        char text[32];
        zorakPrintInt64(text, value);
        int code = setLoopVariable(interp, name, text);
        if (code != OK) return code;
        if (up ? value >= to : value <= to) return OK;
        code = kuvetEval(interp, body, 0, 0);
        if (code == BREAK) return OK;
        if (code != OK && code != CONTINUE) return code;
        Var* var = zorakGetVar(interp, name, kScopeCurrent);
        if (var && var->value) value = zorakLeadingInt(var->value);
        // A step past the 64-bit range leaves it, which ends the count.
        if (__builtin_add_overflow(value, step, &value)) return OK;
    }
}

int zorakCommandFloop(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 5 && argc != 6) return zorakWrongArgs(interp, argc, argv);
    const char* name = argv[1];
    double from = zorakTextToDouble(argv[2]);
    double to = zorakTextToDouble(argv[3]);
    double step = argc == 6 ? zorakTextToDouble(argv[4]) : 1.0;
    const char* body = argv[argc - 1];
    if (from > to) {
        step = -1.0;
    } else if (step == 0.0) {
        zorakReportError(interp, "%s: Invalid increment 0\n", argv[0]);
        return ERROR;
    }
    bool up = step > 0.0;
    double value = from;
    for (;;) {
        if (zorakInterrupted(interp)) return STOP;
        int code = setLoopVariable(interp, name, zorakFormatFixed15(value).c_str());
        if (code != OK) return code;
        if (up ? !(value < to) : !(value > to)) return OK;
        code = kuvetEval(interp, body, 0, 0);
        if (code == BREAK) return OK;
        if (code != OK && code != CONTINUE) return code;
        Var* var = zorakGetVar(interp, name, kScopeCurrent);
        if (var && var->value) value = zorakTextToDouble(var->value);
        // Far enough from zero a small step is lost in rounding, and the
        // loop would never reach its end.
        // The sum is stored before it is compared: x87 arithmetic (32-bit
        // Windows) would otherwise compare it at a higher precision than the
        // loop variable keeps.
        volatile double next = value + step;
        if (next == value) {
            char numbers[2][32];
            std::snprintf(numbers[0], sizeof numbers[0], "%.17g", step);
            std::snprintf(numbers[1], sizeof numbers[1], "%.17g", value);
            zorakReportError(interp, "%s: Increment %s cannot change the value %s\n", argv[0],
                             numbers[0], numbers[1]);
            return ERROR;
        }
        value += step;
    }
}

// do body ?while|until? condition, or do while|until condition body. The
// body always runs first.
int zorakCommandDo(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 3 && argc != 4) return zorakWrongArgs(interp, argc, argv);
    const char* body;
    const char* condition;
    bool until = false;
    if (argc == 3) {
        body = argv[1];
        condition = argv[2];
    } else if (zorakEqualNoCase(argv[1], "while") || zorakEqualNoCase(argv[1], "until")) {
        until = zorakEqualNoCase(argv[1], "until");
        condition = argv[2];
        body = argv[3];
    } else {
        body = argv[1];
        condition = argv[3];
        until = std::strcmp(argv[2], "until") == 0;
    }
    bool expression = zorakFlowUsesExpression();
    for (;;) {
        if (zorakInterrupted(interp)) return STOP;
        int code = kuvetEval(interp, body, 0, 0);
        if (code == CONTINUE) continue;
        if (code == RETURN || endsScript(code)) return code;
        if (code == BREAK || code == GOTO) return OK;
        ConditionOutcome outcome;
        zorakEvalCondition(interp, condition, &outcome);
        if (endsScript(outcome.code)) {
            zorakSetResult(interp, "0", 1);
            return outcome.code;
        }
        bool present = outcome.has_value;
        int64_t number = present ? zorakLeadingInt(outcome.text(interp)) : 0;
        bool ends = until ? (present && number != 0) : (!present || number == 0);
        if (ends) {
            zorakSetResult(interp, "1", 1);
            return OK;
        }
        if (outcome.code == RETURN || outcome.code == BREAK || outcome.code == GOTO) {
            if (expression) zorakSetResult(interp, outcome.text(interp), 0);
            return OK;
        }
    }
}

} // namespace

void zorakRegisterLoopCommands(Interpreter* interp) {
    zorakRegisterCommand(interp, "while", zorakCommandWhile, nullptr, 0);
    zorakRegisterCommand(interp, "for", zorakCommandFor, nullptr, 0);
    zorakRegisterCommand(interp, "foreach", zorakCommandForeach, nullptr, 0);
    zorakRegisterCommand(interp, "loop", zorakCommandLoop, nullptr, 0);
    zorakRegisterCommand(interp, "floop", zorakCommandFloop, nullptr, 0);
    zorakRegisterCommand(interp, "do", zorakCommandDo, nullptr, 0);
}
