// lset, lmap and lcount: changing one element of a list variable, mapping a
// body or a lambda over lists, and counting the elements that match.
#include "commands/tcl_words.h"

#include "commands/list_core.h"
#include "commands/string_core.h"
#include "interp/errors.h"
#include "interp/evaluator.h"
#include "interp/registry.h"
#include "util/heap_text.h"
#include "util/text.h"
#include "util/wildcard.h"
#include "vars/procedures.h"
#include "vars/variables.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// An index word against a list of count elements: N, end, end-N, end+N,
// N+M and N-M. False when the word is none of these.
bool resolveIndex(std::string_view word, int64_t count, int64_t* index) {
    int64_t base = 0;
    std::string_view rest = word;
    if (zorakStartsWith(word, "end")) {
        base = count - 1;
        rest = word.substr(3);
        if (rest.empty()) {
            *index = base;
            return true;
        }
    } else {
        size_t sign = word.find_first_of("+-", 1);
        if (sign != std::string_view::npos) {
            if (!zorakStrictInteger(word.substr(0, sign), &base)) return false;
            rest = word.substr(sign);
        } else {
            return zorakStrictInteger(word, index);
        }
    }
    if (rest.size() < 2 || (rest[0] != '+' && rest[0] != '-')) return false;
    int64_t offset;
    if (rest[1] == '+' || rest[1] == '-' || !zorakStrictInteger(rest.substr(1), &offset))
        return false;
    *index = rest[0] == '+' ? base + offset : base - offset;
    return true;
}

class ListSetter {
  public:
    ListSetter(Interpreter* interp, const char* command) : interp_(interp), command_(command) {}

    // Replaces the element that indices[at..] select in list with value.
    bool set(const std::string& list, const std::vector<std::string>& indices, size_t at,
             const char* value, std::string* out) {
        if (at == indices.size()) {
            *out = value;
            return true;
        }
        ScopedVector elements;
        ListScanOptions options;
        options.keep_empty = true;
        bool quoteLineEnd = false;
        int count = zorakScanList(list, &elements.get(), options, &quoteLineEnd);
        if (quoteLineEnd) {
            zorakReportError(interp_,
                             "%s: List element in quotes followed by \"\\r\\n\" instead of space\n",
                             command_);
            return false;
        }
        int64_t index;
        if (!resolveIndex(indices[at], count, &index)) {
            zorakReportError(interp_, "%s: Bad index '%s'\n", command_, indices[at].c_str());
            return false;
        }
        // The index just past the end appends.
        if (index < 0 || index > count) {
            zorakReportError(interp_, "%s: List doesn't contain element %li\n", command_,
                             static_cast<long>(index));
            return false;
        }
        std::string inner;
        std::string old = index < count ? elements->items[index] : "";
        if (!set(old, indices, at + 1, value, &inner)) return false;
        if (index == count)
            zorakVectorAppend(&elements.get(), inner);
        else
            zorakStrAssign(&elements->items[index], inner);
        *out = zorakBuildList(elements->count, elements->items);
        return true;
    }

  private:
    Interpreter* interp_;
    const char* command_;
};

// lset varname ?index ...? value: one index word may hold a list of indices;
// several index words give one index each. Returns the new value.
int zorakCommandLset(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    const char* name = argv[1];
    Var* var = zorakStringVar(interp, name);
    if (!var) {
        if (zorakGetVar(interp, name, kScopeCurrent))
            zorakReportError(interp, "%s: Variable '%s' does not hold a list\n", argv[0], name);
        else
            zorakReportError(interp, "%s: Variable '%s' not found\n", argv[0], name);
        return ERROR;
    }
    if (var->is_constant) {
        zorakReportError(interp, "%s: Can't change constant '%s'\n", argv[0], name);
        return ERROR;
    }
    std::vector<std::string> indices;
    if (argc == 4) {
        ScopedVector words;
        zorakScanList(argv[2], &words.get(), ListScanOptions());
        for (int i = 0; i < words->count; i++)
            indices.emplace_back(words->items[i]);
    } else {
        for (int i = 2; i < argc - 1; i++)
            indices.emplace_back(argv[i]);
    }
    std::string value;
    ListSetter setter(interp, argv[0]);
    if (!setter.set(std::string(zorakStringVarText(var)), indices, 0, argv[argc - 1], &value))
        return ERROR;
    if (set_var(interp, name, value.c_str())) {
        zorakReportError(interp, "%s: Failed to set variable '%s'\n", argv[0], name);
        return ERROR;
    }
    return zorakStringResult(interp, value);
}

// lmap lambda list: each element passed to apply with the lambda.
int mapLambda(Interpreter* interp, char** argv) {
    ScopedVector lambda;
    int parts = zorakSplitList(argv[1], &lambda.get());
    if (parts != 2 && parts != 3) {
        zorakReportError(interp, "%s: Cannot read '%s' as {arglist body}\n", argv[0], argv[1]);
        return ERROR;
    }
    ScopedVector elements;
    zorakSplitList(argv[2], &elements.get());
    std::string out;
    for (int i = 0; i < elements->count; i++) {
        if (zorakInterrupted(interp)) return STOP;
        char apply[] = "apply";
        char* words[] = {apply, elements->items[i], nullptr};
        int code = zorakRunLambda(interp, argv[0], lambda->items[0], lambda->items[1], 2, words);
        if (code == CONTINUE) continue;
        if (code == BREAK) break;
        if (code != OK) {
            // The call is shown as a script would write it, the lambda braced.
            std::string lambdaWord = "{" + std::string(argv[1]) + "}";
            std::string element;
            zorakListAppendWord(&element, elements->items[i]);
            zorakReportError(interp, "%s: Error %li calling [apply %s %s]\n", argv[0],
                             static_cast<long>(code), lambdaWord.c_str(), element.c_str());
            zorakSetResult(interp, "", 0);
            return ERROR;
        }
        zorakListAppendWord(&out, interp->result ? interp->result : "");
    }
    return zorakStringResult(interp, out);
}

// lmap varlist list ?varlist list ...? body: foreach that collects the
// result of every round the body ends normally.
int mapBody(Interpreter* interp, int argc, char** argv) {
    int pairCount = (argc - 2) / 2;
    std::unique_ptr<ScopedVector[]> names(new ScopedVector[static_cast<size_t>(pairCount)]);
    std::unique_ptr<ScopedVector[]> values(new ScopedVector[static_cast<size_t>(pairCount)]);
    int64_t rounds = 0;
    for (int k = 0; k < pairCount; k++) {
        int nameCount = zorakSplitList(argv[1 + 2 * k], &names[k].get());
        int valueCount = zorakSplitList(argv[2 + 2 * k], &values[k].get());
        if (nameCount == 0) {
            zorakReportError(interp, "%s: Empty variable list\n", argv[0]);
            return ERROR;
        }
        int64_t need = (valueCount + nameCount - 1) / nameCount;
        if (need > rounds) rounds = need;
    }
    const char* body = argv[argc - 1];
    std::string out;
    for (int64_t round = 0; round < rounds; round++) {
        if (zorakInterrupted(interp)) return STOP;
        for (int k = 0; k < pairCount; k++) {
            StringVector& vars = names[k].get();
            StringVector& list = values[k].get();
            for (int j = 0; j < vars.count; j++) {
                int64_t index = round * vars.count + j;
                const char* value = index < list.count ? list.items[index] : "";
                if (!zorakWordsSetVar(interp, argv[0], vars.items[j], value)) return ERROR;
            }
        }
        int code = kuvetEval(interp, body, 0, 0);
        if (code == CONTINUE) continue;
        if (code == BREAK) break;
        if (code != OK) return code;
        zorakListAppendWord(&out, interp->result ? interp->result : "");
    }
    return zorakStringResult(interp, out);
}

int zorakCommandLmap(Interpreter* interp, int argc, char** argv, void*) {
    if (argc == 3) return mapLambda(interp, argv);
    if (argc < 4 || argc % 2) return zorakWrongArgs(interp, argc, argv);
    return mapBody(interp, argc, argv);
}

// lcount list ?pattern? ?-exact? ?-nocase? ?-not?: the number of elements,
// or of those that match (or, with -not, do not match) the pattern.
int zorakCommandLcount(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    bool exact = false, nocase = false, invert = false;
    const char* pattern = nullptr;
    for (int i = 2; i < argc; i++) {
        if (zorakEqualNoCase(argv[i], "-exact"))
            exact = true;
        else if (zorakEqualNoCase(argv[i], "-nocase"))
            nocase = true;
        else if (zorakEqualNoCase(argv[i], "-not"))
            invert = true;
        else if (!pattern)
            pattern = argv[i];
        else {
            zorakReportError(interp, "%s: Unhandled option '%s'\n", argv[0], argv[i]);
            return ERROR;
        }
    }
    ScopedVector elements;
    int count = zorakSplitList(argv[1], &elements.get());
    if (!pattern) return zorakStringResultInt(interp, count);
    int64_t matched = 0;
    for (int i = 0; i < count; i++) {
        const char* element = elements->items[i];
        bool match = exact ? (nocase ? zorakEqualNoCase(element, pattern)
                                     : std::strcmp(element, pattern) == 0)
                           : zorakWildcardMatch(pattern, element, nocase);
        if (match != invert) matched++;
    }
    return zorakStringResultInt(interp, matched);
}

} // namespace

void zorakRegisterListWordCommands(Interpreter* interp) {
    zorakRegisterCommand(interp, "lset", zorakCommandLset, nullptr, 0);
    zorakRegisterCommand(interp, "lmap", zorakCommandLmap, nullptr, 0);
    zorakRegisterCommand(interp, "lcount", zorakCommandLcount, nullptr, 0);
}
