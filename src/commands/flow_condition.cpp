#include "commands/flow_condition.h"

#include "expr/expression.h"
#include "interp/errors.h"
#include "interp/evaluator.h"
#include "shell/settings.h"

bool zorakFlowUsesExpression() {
    return zorakSettings.expression_off == 0;
}

bool is_false_text(const char* text) {
    if (!text) return true;
    for (const char* p = text; *p; p++)
        if (*p != '0' && *p != '.' && *p != '+' && *p != '-') return false;
    return true;
}

void zorakEvalCondition(Interpreter* interp, const char* condition, ConditionOutcome* outcome) {
    outcome->value.reset();
    if (zorakFlowUsesExpression()) {
        char* value = nullptr;
        outcome->code = evaluate_expression(interp, condition, &value);
        outcome->value.reset(value);
        outcome->has_value = value != nullptr;
        return;
    }
    // An empty condition leaves an empty result, never a stale one.
    if (!*condition) zorakSetResult(interp, "", 0);
    outcome->code = kuvetEval(interp, condition, 0, 0);
    outcome->has_value = true;
}
