// The words that run or remove commands: args (the words of the running
// procedure's call), clearprocs, on (run the script an index selects),
// chain (thread a value through commands) and the list tests all and any.
#include "commands/flow_condition.h"
#include "commands/list_core.h"
#include "expr/number_rules.h"
#include "interp/errors.h"
#include "interp/evaluator.h"
#include "interp/registry.h"
#include "util/heap_text.h"
#include "util/text.h"
#include "vars/procedures.h"
#include "vars/variable_words.h"
#include "vars/variables.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

void setText(Interpreter* interp, const std::string& text) {
    zorakSetResult(interp, text.c_str(), static_cast<int>(text.size()));
}

// args: the argument words of the running procedure's call as a list;
// args procName: the procedure's formal argument names, as info args.
int zorakCommandArgs(Interpreter* interp, int argc, char** argv, void*) {
    if (argc > 2) return zorakWrongArgs(interp, argc, argv);
    if (argc == 2) return zorakCallWords(interp, argv[0], "info", {"info", "args", argv[1]});
    CallFrame* frame = zorakActiveProcFrame();
    // The caller's frame records the call's words while the procedure runs.
    CallFrame* caller = frame ? frame->parent : nullptr;
    if (!caller || !caller->argv || caller->argc < 1) {
        zorakReportError(interp, "%s: Not inside a procedure\n", argv[0]);
        return ERROR;
    }
    setText(interp, zorakBuildList(caller->argc - 1, caller->argv + 1));
    return OK;
}

// Removes every procedure (or those matching the pattern, ignoring case)
// but the running one and its callers; the result lists the names removed.
int zorakCommandClearprocs(Interpreter* interp, int argc, char** argv, void*) {
    if (argc > 2) return zorakWrongArgs(interp, argc, argv);
    const char* pattern = argc == 2 ? argv[1] : "*";
    zorakSetResult(interp, "", 0);
    return zorakCallWords(interp, argv[0], "undef",
                          {"undef", "-glob", pattern, "-proc", "-nocomplain"});
}

// on index script ?script ...?: runs the script the 1-based index selects;
// an index outside the scripts runs nothing.
int zorakCommandOn(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    const char* word = argv[1];
    if (!zorakIsNumberText(word) || std::strchr(word, '.')) {
        zorakReportError(interp, "%s: Invalid index '%s'\n", argv[0], word);
        return ERROR;
    }
    int64_t index = parse_integer_text(word);
    zorakSetResult(interp, "", 0);
    if (index < 1 || index > argc - 2) return OK;
    return kuvetEval(interp, argv[1 + index], 0, 0);
}

// Lets the called command see its words in the frame, as the evaluator
// does for every command it dispatches.
class CallWords {
  public:
    CallWords(CallFrame* frame, int argc, char** argv) : frame_(frame) {
        if (!frame_) return;
        argc_ = frame_->argc;
        argv_ = frame_->argv;
        frame_->argc = argc;
        frame_->argv = argv;
    }
    ~CallWords() {
        if (!frame_) return;
        frame_->argc = argc_;
        frame_->argv = argv_;
    }
    CallWords(const CallWords&) = delete;
    CallWords& operator=(const CallWords&) = delete;

  private:
    CallFrame* frame_;
    int argc_ = 0;
    char** argv_ = nullptr;
};

// chain value command ?command ...?: each command (a list: the name and
// leading words) is called with the value as its last word, and its result
// is the value for the next.
int zorakCommandChain(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    std::string value = argv[1];
    for (int i = 2; i < argc; i++) {
        if (zorakInterrupted(interp)) return STOP;
        ScopedVector words;
        zorakSplitList(argv[i], &words.get());
        if (words->count == 0) {
            zorakReportError(interp, "%s: Empty command in step %i\n", argv[0], i - 1);
            return ERROR;
        }
        zorakVectorAppend(&words.get(), value);
        Command* command = zorakGetCommand(interp, words->items[0]);
        if (!command || !command->handler) {
            zorakReportError(interp, "%s: Command '%s' not found\n", argv[0], words->items[0]);
            return ERROR;
        }
        zorakSetResult(interp, "", 0);
        int code;
        {
            CallWords recorded(interp->callframe, words->count, words->items);
            code = command->handler(interp, words->count, words->items, command->private_data);
        }
        if (code != OK && code != RETURN) return code;
        value = interp->result ? interp->result : "";
    }
    setText(interp, value);
    return OK;
}

// The truth of a value, as if reads it: a non-zero number, or "true".
bool isTrue(const char* text) {
    return zorakTextToDouble(text) != 0.0 || zorakEqualNoCase(text, "true");
}

// all/any list ?varname script?: whether every (any) element is true, or
// makes the script true with the element in varname. Stops at the first
// element that settles the answer.
int zorakCommandAllAny(Interpreter* interp, int argc, char** argv, void*) {
    if (argc != 2 && argc != 4) return zorakWrongArgs(interp, argc, argv);
    bool all = std::strcmp(argv[0], "all") == 0;
    ScopedVector elements;
    zorakSplitList(argv[1], &elements.get());
    bool answer = all;
    for (int i = 0; i < elements->count && answer == all; i++) {
        if (zorakInterrupted(interp)) return STOP;
        bool truth;
        if (argc == 2) {
            truth = isTrue(elements->items[i]);
        } else {
            if (set_value(interp, argv[2], elements->items[i], 1) != OK) return ERROR;
            ConditionOutcome outcome;
            zorakEvalCondition(interp, argv[3], &outcome);
            if (outcome.code != OK && outcome.code != RETURN) return outcome.code;
            truth = outcome.has_value && isTrue(outcome.text(interp));
        }
        if (truth != all) answer = !all;
    }
    zorakSetResult(interp, answer ? "1" : "0", 1);
    return OK;
}

} // namespace

void zorakRegisterCommandWords(Interpreter* interp) {
    zorakRegisterCommand(interp, "args", zorakCommandArgs, nullptr, 0);
    zorakRegisterCommand(interp, "clearprocs", zorakCommandClearprocs, nullptr, 0);
    zorakRegisterCommand(interp, "on", zorakCommandOn, nullptr, 0);
    zorakRegisterCommand(interp, "chain", zorakCommandChain, nullptr, 0);
    zorakRegisterCommand(interp, "all", zorakCommandAllAny, nullptr, 0);
    zorakRegisterCommand(interp, "any", zorakCommandAllAny, nullptr, 0);
}
