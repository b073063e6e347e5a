// The math functions of expressions (sqrt(2), pow(2,10) ...) and the
// commands that reach them directly: funct and arity.
#pragma once

#include "interp/interp.h"

#include <random>

struct MathFunction {
    const char* name;
    int arity;
};

// The 41 table entries; the first 40 are the names expressions recognise.
extern const MathFunction kMathFunctions[41];
constexpr int kExpressionFunctionCount = 40;

// True when expressions recognise the name as a function (case folded).
bool zorakIsExpressionFunction(const char* name, size_t length);
// The table entry of exactly this name, or null.
const MathFunction* zorakFindMathFunction(const char* name);

// Calls the named function on the parenthesised arguments at *position (the
// "(" after the name, blanks allowed before it). On return *position points
// at the closing ")". Returns a fresh heap text, or null when the function
// has no value (the reason has been reported).
char* call_math_function(Interpreter* interp, const char* name, const char** position);

// The value of a math function for one argument (second null) or two, as
// a call in an expression computes it from already evaluated argument texts.
// Returns a fresh heap text, or null when there is none (reported).
char* zorakMathFunctionValue(Interpreter* interp, const char* name, const char* first,
                             const char* second);

// The Mersenne Twister behind rand and rnd, seeded with 5489 until srand.
std::mt19937& zorakMathGenerator();

void zorakRegisterMathFunctionCommands(Interpreter* interp);
