// The random commands: srand, rnd, lrand, rndseq and randomstr. They all
// draw from the Mersenne Twister of the math functions, so srand makes
// every one of them (and rand() and rnd() in expressions) repeat, on every
// system alike.
#include "expr/number_words.h"

#include "commands/list_core.h"
#include "expr/math_functions.h"
#include "expr/number_rules.h"
#include "interp/errors.h"
#include "interp/registry.h"
#include "platform/platform.h"
#include "util/heap_text.h"

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int64_t kRandomMax = 2147483647;

// A draw from 0 to bound - 1 (bound at least 1).
uint64_t draw(uint64_t bound) {
    return zorakMathGenerator()() % bound;
}

// srand ?seed?: seeds the generator through srand(); without a seed, from
// the clock. The result is the seed, so srand [srand] repeats a run.
int zorakCommandSrand(Interpreter* interp, int argc, char** argv, void*) {
    if (argc > 2) return zorakWrongArgs(interp, argc, argv);
    int64_t seed = 0;
    if (argc == 2) {
        if (!zorakIntegerArgument(interp, argv[0], argv[1], &seed)) return ERROR;
    } else {
        seed = static_cast<int64_t>(platformClockSeed() & 0xffffffffu);
    }
    char buf[32];
    zorakPrintInt64(buf, seed);
    return zorakFunctionResult(interp, zorakMathFunctionValue(interp, "srand", buf, nullptr));
}

// rnd ?low? high: rnd(low, high), a random integer from low to high; both
// bounds from 0 to 2147483647 (low defaults to 0).
int zorakCommandRnd(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2 || argc > 3) return zorakWrongArgs(interp, argc, argv);
    int64_t low = 0, high = 0;
    if (argc == 3 && !zorakBoundedArgument(interp, argv[0], "Bound", argv[1], 0, kRandomMax, &low))
        return ERROR;
    if (!zorakBoundedArgument(interp, argv[0], "Bound", argv[argc - 1], 0, kRandomMax, &high))
        return ERROR;
    std::string first = std::to_string(low), second = std::to_string(high);
    return zorakFunctionResult(
        interp, zorakMathFunctionValue(interp, "rnd", first.c_str(), second.c_str()));
}

// lrand list: one element of the list, chosen at random; an empty list
// gives the empty text.
int zorakCommandLrand(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2) return zorakWrongArgs(interp, argc, argv);
    StringVector elements;
    int count = zorakScanList(argv[1], &elements, ListScanOptions());
    if (count == 0) {
        zorakVectorFree(&elements);
        zorakSetResult(interp, "", 0);
        return OK;
    }
    int pick = static_cast<int>(draw(static_cast<uint64_t>(count)));
    zorakSetResult(interp, elements.items[pick], 0);
    zorakVectorFree(&elements);
    return OK;
}

// rndseq count, or rndseq low high: every integer from 1 to count (or from
// low to high) once, in random order.
int zorakCommandRndseq(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2 || argc > 3) return zorakWrongArgs(interp, argc, argv);
    int64_t low = 1, high = 0;
    if (argc == 2) {
        if (!zorakBoundedArgument(interp, argv[0], "Count", argv[1], 0, kNumberWordsMaxCount,
                                  &high))
            return ERROR;
    } else {
        if (!zorakIntegerArgument(interp, argv[0], argv[1], &low) ||
            !zorakIntegerArgument(interp, argv[0], argv[2], &high))
            return ERROR;
        if (low > high) {
            return zorakNumberFailure(interp, "%s: Low bound %s above high bound %s\n", argv[0],
                                      argv[1], argv[2]);
        }
        if (static_cast<uint64_t>(high) - static_cast<uint64_t>(low) >=
            static_cast<uint64_t>(kNumberWordsMaxCount)) {
            return zorakNumberFailure(interp, "%s: Too many elements (more than %d)\n", argv[0],
                                      static_cast<int>(kNumberWordsMaxCount));
        }
    }
    std::vector<int64_t> values;
    for (int64_t v = low; v <= high; v++) {
        values.push_back(v);
        if (v == high) break; // high may be the largest 64-bit value
    }
    // Fisher-Yates: every order equally likely.
    for (size_t i = values.size(); i > 1; i--)
        std::swap(values[i - 1], values[draw(i)]);
    std::string text = zorakIntegerList(values);
    zorakSetResult(interp, text.c_str(), static_cast<int>(text.size()));
    return OK;
}

// randomstr length ?characters?: a text of random characters drawn from the
// given set (default: the ASCII letters and digits).
int zorakCommandRandomstr(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2 || argc > 3) return zorakWrongArgs(interp, argc, argv);
    int64_t length = 0;
    if (!zorakBoundedArgument(interp, argv[0], "Length", argv[1], 0, kNumberWordsMaxCount, &length))
        return ERROR;
    const char* set =
        argc == 3 ? argv[2] : "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    size_t size = std::strlen(set);
    if (size == 0) {
        return zorakNumberFailure(interp, "%s: Empty character set\n", argv[0]);
    }
    std::string text(static_cast<size_t>(length), ' ');
    for (char& c : text)
        c = set[draw(size)];
    zorakSetResult(interp, text.c_str(), static_cast<int>(text.size()));
    return OK;
}

struct CommandRow {
    const char* name;
    CommandHandler handler;
};

const CommandRow kRandomCommands[] = {
    {"srand", zorakCommandSrand},         {"rnd", zorakCommandRnd},
    {"lrand", zorakCommandLrand},         {"rndseq", zorakCommandRndseq},
    {"randomstr", zorakCommandRandomstr},
};

} // namespace

void zorakRegisterRandomCommands(Interpreter* interp) {
    for (const CommandRow& row : kRandomCommands)
        zorakRegisterCommand(interp, row.name, row.handler, nullptr, 0);
}
