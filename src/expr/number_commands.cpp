// The number commands for truth values (bool, sbool, true, false), parts
// and rounding (fmod, fpart, fraction, vfract, integral, round), fib, the
// predicates is_numeric, is_mod and inrange, and range. Where a name is
// also a math function, the command computes through that function.
#include "expr/number_words.h"

#include "expr/math_functions.h"
#include "expr/number_rules.h"
#include "interp/errors.h"
#include "interp/registry.h"
#include "util/heap_text.h"

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

void setText(Interpreter* interp, const std::string& text) {
    zorakSetResult(interp, text.c_str(), static_cast<int>(text.size()));
}

void setTruth(Interpreter* interp, bool value) {
    zorakSetResult(interp, value ? "1" : "0", 1);
}

// Checks every word from first on as a number and hands them, read, to the
// math function of the given name (one or two arguments).
int callFunction(Interpreter* interp, const char* function, int argc, char** argv, int first) {
    std::string texts[2];
    for (int i = first; i < argc && i - first < 2; i++) {
        NumberWord word;
        if (!zorakNumberArgument(interp, argv[0], argv[i], &word)) return ERROR;
        texts[i - first] = zorakFunctionText(word, argv[i]);
    }
    const char* second = argc - first > 1 ? texts[1].c_str() : nullptr;
    return zorakFunctionResult(interp,
                               zorakMathFunctionValue(interp, function, texts[0].c_str(), second));
}

// bool value: the bool() function, which reads any text: a number is true
// when its integer reading is not 0, any other text only when it is "true".
bool truthOf(Interpreter* interp, const char* text) {
    HeapText value(zorakMathFunctionValue(interp, "bool", text, nullptr));
    return value.get() && std::strcmp(value.get(), "1") == 0;
}

int zorakCommandBool(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    setTruth(interp, truthOf(interp, argv[1]));
    return OK;
}

// sbool value: the same truth as bool, spelled "true" or "false".
int zorakCommandSbool(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    setText(interp, truthOf(interp, argv[1]) ? "true" : "false");
    return OK;
}

int zorakCommandTrueFalse(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 1) return zorakWrongArgs(interp, argc, argv);
    setTruth(interp, std::strcmp(argv[0], "true") == 0);
    return OK;
}

// fmod a b, fraction x (and fpart), integral x: the math functions.
int zorakCommandFmod(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 3) return zorakWrongArgs(interp, argc, argv);
    return callFunction(interp, "fmod", argc, argv, 1);
}

int zorakCommandFraction(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    return callFunction(interp, "fraction", argc, argv, 1);
}

int zorakCommandIntegral(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    NumberWord word;
    if (!zorakNumberArgument(interp, argv[0], argv[1], &word)) return ERROR;
    // The function saturates; a value that leaves the 64-bit range is an
    // error here.
    if (word.kind == NumberWordKind::Float &&
        !(std::fabs(std::trunc(word.real)) < 9223372036854775808.0)) {
        return zorakNumberFailure(interp, "%s: Number out of range '%s'\n", argv[0], argv[1]);
    }
    return callFunction(interp, "integral", argc, argv, 1);
}

// round x ?places?: round(x) or round(x,places); places from 0 to 400.
int zorakCommandRound(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2 || argc > 3) return zorakWrongArgs(interp, argc, argv);
    int64_t places = 0;
    if (argc == 3 &&
        !zorakBoundedArgument(interp, argv[0], "Decimal places", argv[2], 0, 400, &places))
        return ERROR;
    return callFunction(interp, "round", argc, argv, 1);
}

// vfract x ?max_denominator?: the last convergent of the continued fraction
// of x whose denominator is at most the limit (default 1000000): "3/4",
// "-7/2", or a whole number alone.
int zorakCommandVfract(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2 || argc > 3) return zorakWrongArgs(interp, argc, argv);
    NumberWord word;
    if (!zorakNumberArgument(interp, argv[0], argv[1], &word)) return ERROR;
    int64_t limit = 1000000;
    if (argc == 3 &&
        !zorakBoundedArgument(interp, argv[0], "Denominator", argv[2], 1, 1000000000, &limit))
        return ERROR;
    double x = std::fabs(word.real);
    // Numerators stay below 1e9 * 1e9, inside 64 bits.
    if (x >= 1e9) {
        return zorakNumberFailure(interp, "%s: Number out of range '%s'\n", argv[0], argv[1]);
    }
    int64_t h0 = 0, h1 = 1, k0 = 1, k1 = 0;
    double rest = x;
    for (int step = 0; step < 64; step++) {
        double whole = std::floor(rest);
        if (k1 > 0 && whole > static_cast<double>(limit)) break;
        int64_t a = static_cast<int64_t>(whole);
        int64_t k2 = a * k1 + k0;
        if (k2 > limit) break;
        int64_t h2 = a * h1 + h0;
        h0 = h1;
        h1 = h2;
        k0 = k1;
        k1 = k2;
        double fraction = rest - whole;
        if (fraction <= 0.0 ||
            std::fabs(static_cast<double>(h1) / static_cast<double>(k1) - x) <= 1e-15 * x)
            break;
        rest = 1.0 / fraction;
    }
    std::string text = (word.real < 0.0 && h1 != 0) ? "-" : "";
    text += std::to_string(h1);
    if (k1 != 1) text += "/" + std::to_string(k1);
    setText(interp, text);
    return OK;
}

// fib n: fib(n) for the Fibonacci numbers that fit in 64 bits.
int zorakCommandFib(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    int64_t n = 0;
    if (!zorakBoundedArgument(interp, argv[0], "Index", argv[1], 0, 92, &n)) return ERROR;
    return callFunction(interp, "fib", argc, argv, 1);
}

int zorakCommandIsNumeric(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    setTruth(interp, zorakReadNumberWord(argv[1]).kind != NumberWordKind::NotNumber);
    return OK;
}

// is_mod a b: whether the integer a is a multiple of b.
int zorakCommandIsMod(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 3) return zorakWrongArgs(interp, argc, argv);
    int64_t a = 0, b = 0;
    if (!zorakIntegerArgument(interp, argv[0], argv[1], &a) ||
        !zorakIntegerArgument(interp, argv[0], argv[2], &b))
        return ERROR;
    if (b == 0) {
        return zorakNumberFailure(interp, "%s: Division by zero\n", argv[0]);
    }
    // -1 divides everything; the remainder of the lowest value by -1 would
    // overflow.
    setTruth(interp, b == -1 || a % b == 0);
    return OK;
}

// inrange value low high: whether low <= value <= high, as doubles when any
// of the three is floating, else as 64-bit integers.
int zorakCommandInrange(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 4) return zorakWrongArgs(interp, argc, argv);
    NumberWord words[3];
    bool floating = false;
    for (int i = 0; i < 3; i++) {
        if (!zorakNumberArgument(interp, argv[0], argv[i + 1], &words[i])) return ERROR;
        floating = floating || words[i].kind == NumberWordKind::Float;
    }
    if (floating)
        setTruth(interp, words[1].real <= words[0].real && words[0].real <= words[2].real);
    else
        setTruth(interp,
                 words[1].integer <= words[0].integer && words[0].integer <= words[2].integer);
    return OK;
}

// range ?start? end ?step?: the integers from start (default 0) up to but
// not including end, step apart (default 1; a negative step counts down).
int zorakCommandRange(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2 || argc > 4) return zorakWrongArgs(interp, argc, argv);
    int64_t start = 0, end = 0, step = 1;
    if (argc == 2) {
        if (!zorakIntegerArgument(interp, argv[0], argv[1], &end)) return ERROR;
    } else if (!zorakIntegerArgument(interp, argv[0], argv[1], &start) ||
               !zorakIntegerArgument(interp, argv[0], argv[2], &end)) {
        return ERROR;
    }
    if (argc == 4 && !zorakIntegerArgument(interp, argv[0], argv[3], &step)) return ERROR;
    if (step == 0) {
        return zorakNumberFailure(interp, "%s: Step must not be 0\n", argv[0]);
    }
    // The count in unsigned arithmetic, so no span of 64-bit values
    // overflows.
    uint64_t count = 0;
    if (step > 0 && end > start) {
        uint64_t span = static_cast<uint64_t>(end) - static_cast<uint64_t>(start);
        count = (span - 1) / static_cast<uint64_t>(step) + 1;
    } else if (step < 0 && end < start) {
        uint64_t span = static_cast<uint64_t>(start) - static_cast<uint64_t>(end);
        uint64_t down = 0 - static_cast<uint64_t>(step);
        count = (span - 1) / down + 1;
    }
    if (count > static_cast<uint64_t>(kNumberWordsMaxCount)) {
        return zorakNumberFailure(interp, "%s: Too many elements (more than %d)\n", argv[0],
                                  static_cast<int>(kNumberWordsMaxCount));
    }
    std::vector<int64_t> values(static_cast<size_t>(count));
    uint64_t value = static_cast<uint64_t>(start);
    for (int64_t& element : values) {
        element = static_cast<int64_t>(value);
        value += static_cast<uint64_t>(step);
    }
    setText(interp, zorakIntegerList(values));
    return OK;
}

struct CommandRow {
    const char* name;
    CommandHandler handler;
};

const CommandRow kNumberCommands[] = {
    {"bool", zorakCommandBool},         {"sbool", zorakCommandSbool},
    {"true", zorakCommandTrueFalse},    {"false", zorakCommandTrueFalse},
    {"fmod", zorakCommandFmod},         {"fpart", zorakCommandFraction},
    {"fraction", zorakCommandFraction}, {"vfract", zorakCommandVfract},
    {"integral", zorakCommandIntegral}, {"round", zorakCommandRound},
    {"fib", zorakCommandFib},           {"is_numeric", zorakCommandIsNumeric},
    {"is_mod", zorakCommandIsMod},      {"inrange", zorakCommandInrange},
    {"range", zorakCommandRange},
};

} // namespace

void zorakRegisterNumberCommands(Interpreter* interp) {
    for (const CommandRow& row : kNumberCommands)
        zorakRegisterCommand(interp, row.name, row.handler, nullptr, 0);
    zorakRegisterNumberConversionCommands(interp);
    zorakRegisterRandomCommands(interp);
}
