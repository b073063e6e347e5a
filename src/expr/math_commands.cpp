// The increment commands, the conditional command ? and the statistics and
// conversion commands.
#include "expr/math_commands.h"

#include "expr/expression.h"
#include "expr/math_ops.h"
#include "expr/number_rules.h"

#include "interp/errors.h"
#include "interp/evaluator.h"
#include "interp/registry.h"
#include "shell/settings.h"
#include "util/heap_text.h"
#include "util/number_text.h"
#include "util/text.h"
#include "vars/arrays.h"
#include "vars/variables.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

std::string formatInteger(int64_t value, bool asUnsigned) {
    char buf[32];
    int n = zorakPrintInt64(buf, value, asUnsigned);
    return std::string(buf, static_cast<size_t>(n));
}

void setText(Interpreter* interp, const std::string& text) {
    zorakSetResult(interp, text.c_str(), static_cast<int>(text.size()));
}

int64_t wrapAdd(int64_t a, int64_t b) {
    return static_cast<int64_t>(static_cast<uint64_t>(a) + static_cast<uint64_t>(b));
}

// Stores a new value into a plain variable the way set does, without a
// second lookup when nothing but the value changes.
int storeScalar(Interpreter* interp, Var* var, const char* name, const std::string& text) {
    if (!var->parent && !var->is_constant && !var->is_pointer && var->type == VT_AUTO) {
        zorakStrAssign(&var->value, text);
        zorakValueChanged(var);
        var->changed = 1;
        var->size = static_cast<int32_t>(text.size());
        return OK;
    }
    return set_value(interp, name, text.c_str(), 1);
}

// incr, decr, ++ and --: name ?amount? ?-unsigned? ?-width n?
int zorakCommandIncr(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    bool subtract = std::strcmp(argv[0], "--") == 0 || std::strcmp(argv[0], "decr") == 0;
    bool asUnsigned = false;
    int64_t width = 0;
    int64_t amount = 1;
    bool amountSeen = false;
    for (int i = 2; i < argc; i++) {
        if (zorakEqualNoCase(argv[i], "-unsigned")) {
            asUnsigned = true;
        } else if (zorakEqualNoCase(argv[i], "-width")) {
            if (i + 1 < argc) width = std::max<int64_t>(0, zorakLeadingInt(argv[++i]));
        } else if (!amountSeen) {
            amount = zorakLeadingInt(argv[i]);
            amountSeen = true;
        }
    }
    if (subtract) amount = static_cast<int64_t>(0 - static_cast<uint64_t>(amount));
    const char* name = argv[1];
    Var* var = zorakGetVar(interp, name, kScopeCurrent);
    if (var && var->type == VT_AUTO && !var->is_pointer) {
        const char* current = var->value ? var->value : "";
        IntegerTextStatus status;
        int64_t value = parse_integer_text(current, &status);
        if (status == IntegerTextStatus::UnknownType) {
            zorakReportError(interp, "%s: Unknown type %s\n", argv[0], current);
            return ERROR;
        }
        std::string text = formatInteger(wrapAdd(value, amount), asUnsigned);
        int code = storeScalar(interp, var, name, text);
        if (code != OK) return code;
        setText(interp, text);
        return OK;
    }
    const char* open = std::strchr(name, '(');
    size_t length = std::strlen(name);
    if (!var && open && open != name && name[length - 1] == ')') {
        std::string arrayName(name, static_cast<size_t>(open - name));
        std::string key(open + 1, static_cast<size_t>(name + length - 1 - (open + 1)));
        const char* element = zorakArrayGetElement(interp, arrayName.c_str(), key.c_str());
        if (element) {
            if (!zorakIsNumberText(element)) {
                zorakReportError(interp, "%s: Array argument '%s' is not a number\n", argv[0],
                                 name);
                return ERROR;
            }
            int64_t result = wrapAdd(parse_integer_text(element), amount);
            std::string text;
            if (asUnsigned)
                text = formatInteger(result, true);
            else if (width == 8 || width == 16 || width == 32)
                text = formatInteger(static_cast<int64_t>(static_cast<uint64_t>(result) &
                                                          ((uint64_t(1) << width) - 1)),
                                     false);
            else
                text = formatInteger(result, false);
            int code = set_value(interp, name, text.c_str(), 1);
            if (code != OK) return code;
            setText(interp, text);
            return OK;
        }
    }
    if (zorakIsNumberText(name)) {
        setText(interp, formatInteger(wrapAdd(parse_integer_text(name), amount), asUnsigned));
        return OK;
    }
    zorakReportError(interp, "%s: Argument '%s' is neither scalar variable or number\n", argv[0],
                     name);
    return ERROR;
}

// +++ name: the value plus one, stored back into an existing variable.
int zorakCommandPlusPlusPlus(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    Var* var = zorakGetVar(interp, argv[1], kScopeCurrent);
    const char* current = var ? (var->value ? var->value : "") : argv[1];
    std::string text = formatInteger(wrapAdd(parse_integer_text(current), 1), false);
    if (var) {
        int code = storeScalar(interp, var, argv[1], text);
        if (code != OK) return code;
    }
    setText(interp, text);
    return OK;
}

// ? condition then-script ?:? else-script
int zorakCommandConditional(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 4) return zorakWrongArgs(interp, argc, argv);
    interp->subst_code = 0;
    double truth = 0.0;
    int code;
    if (zorakSettings.expression_off) {
        code = kuvetEval(interp, argv[1], 0, 0);
        if (code == OK || code == RETURN) truth = zorakTextToDouble(interp->result);
    } else {
        char* value = nullptr;
        code = evaluate_expression(interp, argv[1], &value);
        HeapText owned(value);
        if ((code == OK || code == RETURN) && value) truth = zorakTextToDouble(value);
    }
    if (code != OK && code != RETURN) {
        Var* message = zorakGetVar(interp, "::errorMsg", kScopeGlobal);
        zorakSetResult(interp, message && message->value ? message->value : "", 0);
        return code;
    }
    const char* chosen = argv[2];
    if (truth == 0.0) chosen = (std::strcmp(argv[3], ":") == 0 && argc >= 5) ? argv[4] : argv[3];
    zorakSetResult(interp, "", 0);
    return kuvetEval(interp, chosen, 0, 0);
}

// min and max over 64-bit decimal integers.
int zorakCommandMinMax(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    bool wantMax = std::strcmp(argv[0], "max") == 0;
    int64_t best = zorakLeadingInt(argv[1]);
    for (int i = 2; i < argc; i++) {
        int64_t v = zorakLeadingInt(argv[i]);
        if (wantMax ? v > best : v < best) best = v;
    }
    zorakSetIntResult(interp, best);
    return OK;
}

int zorakCommandCeil(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    zorakSetIntResult(interp, zorakDoubleToInt64(std::ceil(zorakTextToDouble(argv[1]))));
    return OK;
}

// atof prints the value with "%f", ftoa with "%e".
int zorakCommandAtof(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    const char* format = std::strcmp(argv[0], "ftoa") == 0 ? "%e" : "%f";
    setText(interp, zorakFormatDouble(format, zorakTextToDouble(argv[1])));
    return OK;
}

int zorakCommandMean(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    double sum = 0.0;
    for (int i = 1; i < argc; i++)
        sum += zorakTextToDouble(argv[i]);
    setText(interp, zorakFormatFunctionValue(sum / (argc - 1)));
    return OK;
}

// The element at position ceil(n / 2) of the sorted values, so the lower
// middle value of an even count.
int zorakCommandMedian(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    std::vector<double> values;
    values.reserve(static_cast<size_t>(argc - 1));
    for (int i = 1; i < argc; i++)
        values.push_back(zorakTextToDouble(argv[i]));
    // NaN has no place in an ordering; it sorts first so the sort stays sound.
    std::sort(values.begin(), values.end(), [](double a, double b) {
        if (std::isnan(a)) return !std::isnan(b);
        if (std::isnan(b)) return false;
        return a < b;
    });
    size_t n = values.size();
    setText(interp, zorakFormatFunctionValue(values[(n + 1) / 2 - 1]));
    return OK;
}

int zorakCommandMode(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    std::unordered_map<std::string_view, int> counts;
    for (int i = 1; i < argc; i++)
        counts[argv[i]]++;
    int best = 1;
    const char* winner = nullptr;
    for (int i = 1; i < argc; i++) {
        int count = counts[argv[i]];
        if (count > best) {
            best = count;
            winner = argv[i];
        }
    }
    if (!winner) {
        zorakReportError(interp, "%s: Series has no mode\n", argv[0]);
        return ERROR;
    }
    zorakSetResult(interp, winner, 0);
    return OK;
}

} // namespace

void zorakRegisterMathCommands(Interpreter* interp) {
    zorakRegisterCommand(interp, "incr", zorakCommandIncr, nullptr, 0);
    zorakRegisterCommand(interp, "decr", zorakCommandIncr, nullptr, 0);
    zorakRegisterCommand(interp, "++", zorakCommandIncr, nullptr, 0);
    zorakRegisterCommand(interp, "--", zorakCommandIncr, nullptr, 0);
    zorakRegisterCommand(interp, "+++", zorakCommandPlusPlusPlus, nullptr, 0);
    zorakRegisterCommand(interp, "?", zorakCommandConditional, nullptr, 0);
    zorakRegisterCommand(interp, "min", zorakCommandMinMax, nullptr, 0);
    zorakRegisterCommand(interp, "max", zorakCommandMinMax, nullptr, 0);
    zorakRegisterCommand(interp, "ceil", zorakCommandCeil, nullptr, 0);
    zorakRegisterCommand(interp, "atof", zorakCommandAtof, nullptr, 0);
    zorakRegisterCommand(interp, "ftoa", zorakCommandAtof, nullptr, 0);
    zorakRegisterCommand(interp, "mean", zorakCommandMean, nullptr, 0);
    zorakRegisterCommand(interp, "median", zorakCommandMedian, nullptr, 0);
    zorakRegisterCommand(interp, "mode", zorakCommandMode, nullptr, 0);
}
