// The infix expression engine. It computes nothing itself: every operator is
// applied by running the operator command of the same name through the
// evaluator, strictly from left to right; add_precedence_brackets first
// inserts the parentheses that give *, / and ** their higher precedence and
// && and || their lower one.
#pragma once

#include "interp/interp.h"
#include "util/buffer.h"

#include <cstdint>
#include <string>
#include <string_view>

// The engine's process-wide state.
struct ExprState {
    // Active eval_infix levels.
    int infix_depth = 0;
    // The translator folds constant command forms (explain turns it off).
    int16_t fold_constants = 1;
};

extern ExprState zorakExpr;

// The deepest nesting of parenthesised groups, function calls and nested
// expressions that an expression may reach; deeper ones fail with a message.
constexpr int kMaxInfixDepth = 1000;

// The deepest nesting of parentheses in text. Every pass checks it first, so
// a text nested too deeply is refused before anything is copied for it.
int zorakParenDepth(std::string_view text);

// Evaluates infix text. *value must be null on entry; on success it receives
// a heap text that the caller releases. Returns the completion code.
int evaluate_expression(Interpreter* interp, const char* text, char** value);

// The core: evaluates the text at *position from left to right. Returns a
// fresh heap text, or null with *error set (1 empty expression, 3 unhandled
// operator, 4 missing operand, or the failing code of an operator command).
char* eval_infix(Interpreter* interp, const char** position, int* error);

// Inserts the precedence parentheses in place.
void add_precedence_brackets(Buffer& buffer);

// Reads the operator at text into op (at most two characters and a zero);
// *length receives the characters consumed, 0 when there is no operator.
void read_operator(const char* text, char op[3], int* length);
int operator_arity(const char* op);

// Translates infix text into nested command form ("[+ 1 [* 2 x]]").
// Returns 0 on success and 1 on failure.
int decompose_expression(const char* text, std::string* out);
bool is_constant_expression(const char* text);

void zorakRegisterExprCommands(Interpreter* interp);
