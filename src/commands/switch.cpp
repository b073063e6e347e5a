// switch ?options? value pattern body ?pattern body ...?, or with the pairs
// given as one list. Numeric texts compare as numbers unless -glob is given.
#include "commands/control_flow.h"

#include "commands/list_core.h"
#include "expr/expression.h"
#include "expr/number_rules.h"
#include "interp/errors.h"
#include "interp/evaluator.h"
#include "interp/registry.h"
#include "util/heap_text.h"
#include "util/text.h"
#include "util/wildcard.h"
#include "vars/variables.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

struct SwitchOptions {
    bool glob = false;
    bool nocase = false;
    bool eval = false;
};

bool isIntegerText(const char* text) {
    return zorakIsNumberText(text) && !is_float_text(text);
}

bool valuesMatch(const SwitchOptions& options, const char* pattern, const char* value) {
    if (options.glob) return zorakWildcardMatch(pattern, value, options.nocase);
    if (is_float_text(pattern) || is_float_text(value))
        return zorakTextToDouble(pattern) == zorakTextToDouble(value);
    if (isIntegerText(pattern) && isIntegerText(value))
        return parse_integer_text(pattern) == parse_integer_text(value);
    return options.nocase ? zorakEqualNoCase(pattern, value) : std::strcmp(pattern, value) == 0;
}

// The text a pattern stands for: a $name pattern reads the variable, and
// with -eval a pattern is an expression. Returns the completion code.
int patternValue(Interpreter* interp, const SwitchOptions& options, const char* pattern,
                 std::string* out) {
    if (!options.glob && pattern[0] == '$' && pattern[1]) {
        Var* var = zorakGetVar(interp, pattern + 1, kScopeCurrent);
        *out = var && var->value ? var->value : "";
        return OK;
    }
    if (!options.glob && options.eval) {
        char* value = nullptr;
        int code = evaluate_expression(interp, pattern, &value);
        HeapText owned(value);
        if (code == ERROR) return ERROR;
        *out = value ? value : "";
        return OK;
    }
    *out = pattern;
    return OK;
}

int zorakCommandSwitch(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    SwitchOptions options;
    std::vector<const char*> words;
    for (int i = 1; i < argc; i++) {
        const char* w = argv[i];
        if (zorakEqualNoCase(w, "-glob"))
            options.glob = true;
        else if (zorakEqualNoCase(w, "-exact"))
            options.glob = false;
        else if (zorakEqualNoCase(w, "-nocase"))
            options.nocase = true;
        else if (zorakEqualNoCase(w, "-eval"))
            options.eval = true;
        else if (std::strcmp(w, "--") != 0)
            words.push_back(w);
    }
    if (words.size() < 2) {
        zorakReportError(interp, "switch: Invalid argument count\n");
        return ERROR;
    }
    // The switch command and its codes belong to this run alone.
    interp->subst_code = 0;
    const char* value = words[0];
    ScopedVector listed;
    std::vector<const char*> pairs;
    if (words.size() > 2) {
        if ((words.size() - 1) % 2) return zorakWrongArgs(interp, argc, argv);
        pairs.assign(words.begin() + 1, words.end());
    } else {
        int count = zorakSplitList(words[1], &listed.get());
        if (count % 2) {
            zorakReportError(interp, "%s: Error: Odd number of switch argument pairs (%li)\n",
                             argv[0], static_cast<long>(count));
            return ERROR;
        }
        for (int i = 0; i < count; i++)
            pairs.push_back(listed->items[i]);
    }
    set_var(interp, "this", value);
    bool fallThrough = false;
    for (size_t k = 0; k + 1 < pairs.size(); k += 2) {
        const char* pattern = pairs[k];
        const char* body = pairs[k + 1];
        bool isDefault = zorakEqualNoCase(pattern, "default");
        if (isDefault && k + 2 < pairs.size()) {
            zorakReportError(interp, "switch: default statement must appear last\n");
            return ERROR;
        }
        if (!fallThrough && !isDefault) {
            std::string text;
            if (patternValue(interp, options, pattern, &text) != OK) return ERROR;
            if (text.empty() || interp->subst_code != OK) continue;
            if (!valuesMatch(options, text.c_str(), value)) continue;
        }
        if (std::strcmp(body, "-") == 0) {
            // Shares the next pattern's body.
            fallThrough = true;
            continue;
        }
        if (isDefault && !*body) {
            zorakSetResult(interp, "", 0);
            return OK;
        }
        zorakSetResult(interp, "", 0);
        int code = std::strcmp(body, "{}") == 0 ? OK : kuvetEval(interp, body, 0, 0);
        if (interp->subst_code != OK || !interp->result || !*interp->result)
            zorakSetResult(interp, value, 0);
        return code == RETURN ? OK : code;
    }
    if (fallThrough) {
        zorakSetResult(interp, value, 0);
        return OK;
    }
    zorakReportError(interp, "switch: No matching case for '%s'. (Include a 'default' case)\n",
                     value);
    return ERROR;
}

} // namespace

void zorakRegisterSwitchCommands(Interpreter* interp) {
    zorakRegisterCommand(interp, "switch", zorakCommandSwitch, nullptr, 0);
}
