// The math function evaluator behind function calls in expressions, and the
// funct and arity commands.
#include "expr/math_functions.h"

#include "console/console.h"
#include "expr/expression.h"
#include "expr/number_rules.h"
#include "interp/errors.h"
#include "interp/registry.h"
#include "shell/settings.h"
#include "util/heap_text.h"
#include "util/text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

const MathFunction kMathFunctions[41] = {
    {"abs", 1},   {"acos", 1}, {"asin", 1}, {"atan", 1},     {"bool", 1},    {"ceil", 1},
    {"decr", 1},  {"div", 2},  {"cos", 1},  {"cosh", 1},     {"degrees", 1}, {"double", 1},
    {"exp", 1},   {"fib", 1},  {"fix", 1},  {"floor", 1},    {"fmod", 2},    {"fraction", 1},
    {"hypot", 2}, {"incr", 1}, {"int", 1},  {"integral", 1}, {"log", 1},     {"log10", 1},
    {"max", 2},   {"min", 2},  {"mul", 2},  {"pow", 2},      {"rand", 0},    {"rnd", 2},
    {"round", 2}, {"sgn", 1},  {"sin", 1},  {"sinh", 1},     {"sqr", 1},     {"sqrt", 1},
    {"srand", 0}, {"tan", 1},  {"tanh", 1}, {"wide", 1},     {"error", 1}};

bool zorakIsExpressionFunction(const char* name, size_t length) {
    std::string_view wanted(name, length);
    for (int i = 0; i < kExpressionFunctionCount; i++)
        if (zorakEqualNoCase(kMathFunctions[i].name, wanted)) return true;
    return false;
}

const MathFunction* zorakFindMathFunction(const char* name) {
    for (const MathFunction& f : kMathFunctions)
        if (std::strcmp(f.name, name) == 0) return &f;
    return nullptr;
}

std::mt19937& zorakMathGenerator() {
    static std::mt19937 generator(5489u);
    return generator;
}

namespace {

char* floating(double value) {
    return zorakStrDup(zorakFormatFunctionValue(value));
}

char* integer(int64_t value) {
    char buf[32];
    zorakPrintInt64(buf, value);
    return zorakStrDup(buf);
}

char* domainError(Interpreter* interp, const char* name, const char* argument) {
    zorakReportError(interp, "%s(%s): Domain error\n", name, argument);
    return nullptr;
}

// Fibonacci numbers wrap in 64 bits beyond the 93rd; fast doubling gives the
// same wrapped values as counting up, in logarithmic time.
uint64_t fibonacci(uint64_t n) {
    uint64_t a = 0, b = 1; // F(k), F(k+1)
    for (int bit = 63; bit >= 0; bit--) {
        uint64_t c = a * (2 * b - a);
        uint64_t d = a * a + b * b;
        a = c;
        b = d;
        if ((n >> bit) & 1) {
            uint64_t next = a + b;
            a = b;
            b = next;
        }
    }
    return a;
}

int64_t limitRandomBound(int64_t value) {
    if (value < 0) return 0;
    return value > 2147483647 ? 2147483647 : value;
}

char* oneArgument(Interpreter* interp, const char* name, const char* text) {
    std::string lowered;
    for (const char* p = name; *p; p++)
        lowered += (*p >= 'A' && *p <= 'Z') ? static_cast<char>(*p - 'A' + 'a') : *p;
    const std::string& f = lowered;
    double v = zorakTextToDouble(text);
    if (f == "abs") return floating(std::fabs(v));
    if (f == "acos" || f == "asin") {
        if (v < -1.0 || v > 1.0) return domainError(interp, name, text);
        return floating(f == "acos" ? std::acos(v) : std::asin(v));
    }
    if (f == "atan") return floating(std::atan(v));
    if (f == "ceil") return floating(std::ceil(v));
    if (f == "cos") return floating(std::cos(v));
    if (f == "cosh") return floating(std::cosh(v));
    if (f == "double") return floating(v);
    if (f == "floor") return floating(std::floor(v));
    // The part after the integral one (for values that fit in 32 bits this is
    // the value minus its 32-bit truncation).
    if (f == "fraction") return floating(v - std::trunc(v));
    if (f == "exp") return floating(std::exp(v));
    if (f == "round") return zorakStrDup(zorakFormatDouble("%.0f", std::round(v)));
    if (f == "sin") return floating(std::sin(v));
    if (f == "sinh") return floating(std::sinh(v));
    if (f == "tan") return floating(std::tan(v));
    if (f == "tanh") return floating(std::tanh(v));
    if (f == "log" || f == "log10") {
        if (v < 0.0) return domainError(interp, name, text);
        return floating(f == "log" ? std::log(v) : std::log10(v));
    }
    if (f == "sqr") return floating(v * v);
    if (f == "sqrt") {
        if (v < 0.0) return domainError(interp, name, text);
        return floating(std::sqrt(v));
    }
    if (f == "degrees") return floating(v * 57.29577951471995);
    int64_t n = parse_integer_text(text);
    if (f == "bool") {
        if (zorakIsNumberText(text)) return integer(n != 0 ? 1 : 0);
        return integer(zorakEqualNoCase(text, "true") ? 1 : 0);
    }
    if (f == "incr") return integer(static_cast<int64_t>(static_cast<uint64_t>(n) + 1));
    if (f == "decr") return integer(static_cast<int64_t>(static_cast<uint64_t>(n) - 1));
    if (f == "int" || f == "wide") return integer(v >= 0.0 ? n : zorakDoubleToInt64(std::floor(v)));
    if (f == "fix" || f == "integral") return integer(zorakDoubleToInt64(std::trunc(v)));
    if (f == "fib") return integer(n < 0 ? 0 : static_cast<int64_t>(fibonacci(uint64_t(n))));
    if (f == "sgn") return integer(v > 0.0 ? 1 : (v < 0.0 ? -1 : 0));
    if (f == "srand") {
        std::srand(static_cast<unsigned>(n));
        zorakMathGenerator().seed(static_cast<std::mt19937::result_type>(n));
        return integer(n);
    }
    zorakReportError(interp, "function: Error, wrong # of args (%li) for '%s'\n", 1L, name);
    return nullptr;
}

char* twoArguments(Interpreter* interp, const char* name, const char* first, const char* second) {
    std::string f;
    for (const char* p = name; *p; p++)
        f += (*p >= 'A' && *p <= 'Z') ? static_cast<char>(*p - 'A' + 'a') : *p;
    double a = zorakTextToDouble(first);
    double b = zorakTextToDouble(second);
    if (f == "div") return floating(b == 0.0 ? 0.0 : a / b);
    if (f == "mul") return floating(a * b);
    if (f == "fmod") {
        // The remainder of a division by zero does not exist; nan is no value.
        if (b == 0.0) {
            zorakReportError(interp, "%s(%s,%s): Domain error\n", name, first, second);
            return nullptr;
        }
        return floating(std::fmod(a, b));
    }
    if (f == "hypot") return floating(std::hypot(a, b));
    if (f == "max") return floating(a > b ? a : b);
    if (f == "min") return floating(a < b ? a : b);
    if (f == "pow") {
        if (b > 1000.0) {
            zorakReportError(interp, "Error: RValue overflow - pow(%s,%s)\n", first, second);
            return nullptr;
        }
        return floating(std::pow(a, b));
    }
    if (f == "round") {
        int64_t places = parse_integer_text(second);
        if (places < 0) places = 0;
        if (places > 400) places = 400;
        char format[16];
        std::snprintf(format, sizeof format, "%%.%df", static_cast<int>(places));
        return zorakStrDup(zorakFormatDouble(format, a));
    }
    if (f == "rnd") {
        int64_t low = limitRandomBound(parse_integer_text(first));
        int64_t high = limitRandomBound(parse_integer_text(second));
        if (low > high) std::swap(low, high);
        uint64_t span = static_cast<uint64_t>(high - low) + 1;
        return integer(low + static_cast<int64_t>(zorakMathGenerator()() % span));
    }
    zorakReportError(interp, "Error: Wrong number of arguments (%li) for function '%s'\n", 2L,
                     name);
    return nullptr;
}

bool blank(std::string_view text) {
    return text.find_first_not_of(" \t") == std::string::npos;
}

char* evaluateArgument(Interpreter* interp, const std::string& text) {
    const char* position = text.c_str();
    int error = 0;
    return eval_infix(interp, &position, &error);
}

} // namespace

char* call_math_function(Interpreter* interp, const char* name, const char** position) {
    const char* p = *position;
    while (*p == ' ' || *p == '\t')
        p++;
    if (*p != '(') {
        zorakReportError(interp, "Syntax error in '%s'\n", name);
        return nullptr;
    }
    const char* open = p;
    int depth = 0;
    const char* close = nullptr;
    for (const char* q = open; *q; q++) {
        if (*q == '(')
            depth++;
        else if (*q == ')' && --depth == 0) {
            close = q;
            break;
        }
    }
    if (!close) {
        if (zorakSettings.error_echo || zorakSettings.debug)
            console_printf("Expression in function '%s' '%s' has %s\n", name, open,
                           open[1] ? "too many (" : "an empty string");
        return nullptr;
    }
    *position = close;
    std::string_view inner(open + 1, static_cast<size_t>(close - open - 1));
    // The first comma outside nested parentheses separates the arguments.
    size_t comma = std::string_view::npos;
    depth = 0;
    for (size_t i = 0; i < inner.size(); i++) {
        if (inner[i] == '(')
            depth++;
        else if (inner[i] == ')')
            depth--;
        else if (inner[i] == ',' && depth == 0) {
            comma = i;
            break;
        }
    }
    if (blank(inner)) {
        if (zorakEqualNoCase(name, "rand")) {
            double r = static_cast<double>(zorakMathGenerator()() >> 1) * 4.656612875245797e-10;
            return zorakStrDup(zorakFormatFixed15(r));
        }
        zorakReportError(interp, "function: Error, wrong # of args (%li) for '%s'\n", 0L, name);
        return nullptr;
    }
    std::string firstText(inner.substr(0, comma));
    HeapText first(evaluateArgument(interp, firstText));
    if (!first.get()) return nullptr;
    if (comma == std::string_view::npos) return oneArgument(interp, name, first.get());
    std::string secondText(inner.substr(comma + 1));
    HeapText second(evaluateArgument(interp, secondText));
    if (!second.get()) {
        zorakReportError(interp, "Error: Improper argument for function %s(%s,%s)\n", name,
                         firstText.c_str(), secondText.c_str());
        return nullptr;
    }
    return twoArguments(interp, name, first.get(), second.get());
}

char* zorakMathFunctionValue(Interpreter* interp, const char* name, const char* first,
                             const char* second) {
    if (!second) return oneArgument(interp, name, first);
    return twoArguments(interp, name, first, second);
}

namespace {

int zorakCommandFunct(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    if (!zorakFindMathFunction(argv[1])) {
        zorakReportError(interp, "%s: %s is not a funct\n", argv[0], argv[1]);
        return ERROR;
    }
    std::string call = "(";
    for (int i = 2; i < argc; i++) {
        if (i > 2) call += ',';
        call += argv[i];
    }
    call += ')';
    const char* position = call.c_str();
    HeapText value(call_math_function(interp, argv[1], &position));
    if (!value.get()) {
        zorakSetResult(interp, "", 0);
        return ERROR;
    }
    zorakSetResult(interp, value.get(), 0);
    return OK;
}

int zorakCommandArity(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    const MathFunction* f = zorakFindMathFunction(argv[1]);
    zorakSetIntResult(interp, f ? f->arity : -1);
    return OK;
}

} // namespace

void zorakRegisterMathFunctionCommands(Interpreter* interp) {
    zorakRegisterCommand(interp, "funct", zorakCommandFunct, nullptr, 0);
    zorakRegisterCommand(interp, "arity", zorakCommandArity, nullptr, 0);
}
