// The interp command: a script run in a fresh interpreter of its own, with
// its own variables, procedures and frames. A script that does not end with
// an error, return, break or exit goes on in the shell in that interpreter.
// Whatever the script does, the caller's interpreter comes back as it was.
#include "services/time_commands.h"

#include "interp/errors.h"
#include "interp/evaluator.h"
#include "interp/interp.h"
#include "interp/registry.h"
#include "preproc/private_interp.h"
#include "shell/settings.h"
#include "shell/shell.h"
#include "util/stack.h"
#include "util/text.h"
#include "vars/variables.h"

#include <string>
#include <vector>

namespace {

// Each nested interpreter holds a whole command table; this bounds them.
constexpr int kMaxNestedInterps = 32;
int nestedInterps = 0;

// The evaluator's call trace is process-wide and an interpreter's release
// clears it, so the caller's part is kept aside while the child runs.
class SavedEvalState {
  public:
    SavedEvalState() : eval_(zorakEval) {
        Stack* trace = zorakEval.call_trace;
        if (trace)
            for (int i = 0; i < trace->count; i++) {
                const char* item = zorakStackItem(trace, i);
                trace_.push_back(item ? item : "");
            }
        nestedInterps++;
    }
    ~SavedEvalState() {
        nestedInterps--;
        Stack* trace = zorakEval.call_trace;
        EvalState restored = eval_;
        restored.call_trace = trace;
        zorakEval = restored;
        if (!trace) return;
        zorakStackClear(trace);
        for (const std::string& item : trace_)
            zorakStackPushText(trace, item.c_str());
    }
    SavedEvalState(const SavedEvalState&) = delete;
    SavedEvalState& operator=(const SavedEvalState&) = delete;

  private:
    EvalState eval_;
    std::vector<std::string> trace_;
};

// Makes an interpreter the one that commands reach for a while.
class CurrentInterp {
  public:
    explicit CurrentInterp(Interpreter* interp) : saved_(_pglobal_interp) {
        _pglobal_interp = interp;
    }
    ~CurrentInterp() { _pglobal_interp = saved_; }
    CurrentInterp(const CurrentInterp&) = delete;
    CurrentInterp& operator=(const CurrentInterp&) = delete;

  private:
    Interpreter* saved_;
};

struct ChildOutcome {
    int code = OK;
    std::string result;
    std::string error;
};

void runChild(const std::string& script, bool shell, ChildOutcome* out) {
    Interpreter* child = createPrivateInterp();
    if (!child) {
        out->code = ERROR;
        out->error = "Could not create an interpreter";
        return;
    }
    {
        CurrentInterp use(child);
        out->code = script.empty() ? OK : kuvetEval(child, script.c_str(), 0, 0);
        bool ended =
            out->code == ERROR || out->code == RETURN || out->code == BREAK || out->code == EXIT;
        if (shell && !ended) {
            cli_loop(child, zorakLibrary.host_name.c_str(), nullptr);
            out->code = OK;
        }
        out->result = child->result ? child->result : "";
        if (out->code == ERROR) {
            Var* message = zorakGetVar(child, "::errorMsg", 0);
            out->error = message && message->value ? message->value : "";
            while (!out->error.empty() && out->error.back() == '\n')
                out->error.pop_back();
        }
    }
    destroyPrivateInterp(child);
}

// interp ?-noshell? ?script ...?
int zorakCommandInterp(Interpreter* interp, int argc, char** argv, void*) {
    int first = 1;
    bool shell = true;
    if (argc > 1 && zorakEqualNoCase(argv[1], "-noshell")) {
        shell = false;
        first = 2;
    }
    if (nestedInterps >= kMaxNestedInterps) {
        zorakReportError(interp, "interp: Too many nested interpreters (%d)\n", kMaxNestedInterps);
        return ERROR;
    }
    std::string script;
    for (int i = first; i < argc; i++) {
        if (i > first) script += ' ';
        script += argv[i];
    }
    ChildOutcome outcome;
    {
        SavedEvalState saved;
        runChild(script, shell, &outcome);
    }
    if (outcome.code == ERROR) {
        // A nested interp's message already names the command.
        // A nested interp has reported (and shown) the message already;
        // ::errorMsg takes it without a second print.
        bool nested = zorakStartsWith(outcome.error, "interp: ");
        const char* prefix = nested ? "" : "interp: ";
        if (nested) zorakSettings.quiet_next_error = 1;
        zorakReportError(interp, "%s%s\n", prefix,
                         outcome.error.empty() ? "The script failed" : outcome.error.c_str());
        return ERROR;
    }
    // Exit, return and break end the child only.
    if (outcome.result.empty())
        zorakSetResult(interp, "", 0);
    else
        zorakSetResult(interp, outcome.result.c_str(), static_cast<int>(outcome.result.size()));
    return OK;
}

} // namespace

void zorakRegisterInterpCommand(Interpreter* interp) {
    zorakRegisterCommand(interp, "interp", zorakCommandInterp, nullptr, 0);
}
