// How loops and branches evaluate their conditions. In script mode (the
// default) a condition is a script whose result is tested; in expression
// mode (option expression on) it is an infix expression.
#pragma once

#include "interp/interp.h"
#include "util/heap_text.h"

#include <cstdint>

bool zorakFlowUsesExpression();

// True for the texts while treats as false: empty, or made only of the
// characters 0 . + and -.
bool is_false_text(const char* text);

// A condition's outcome: the completion code and, when there is one, the
// value: the expression's value, or in script mode the interpreter's result
// (read before anything else runs).
struct ConditionOutcome {
    int code = 0;
    bool has_value = false;
    HeapText value;
    const char* text(const Interpreter* interp) const {
        if (value.get()) return value.get();
        if (has_value && interp->result) return interp->result;
        return "";
    }
};

// Runs the condition in the current mode.
void zorakEvalCondition(Interpreter* interp, const char* condition, ConditionOutcome* outcome);
