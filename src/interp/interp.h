// The interpreter record and the process-wide state of the interpreter core.
// There is one interpreter per process; every export and command reaches it
// through _pglobal_interp.
#pragma once

#include "zorak_plugin.h"

#include <cstdint>
#include <string>

struct Stack;

// State owned by the embedding exports and the interpreter's lifecycle.
struct LibraryState {
    Interpreter interp{};
    int initialised = 0;
    int last_code = 1;
    char* script_buffer = nullptr;
    std::string script_name;
    std::string app_path;
    int cgi_mode = 0;
    std::string host_name;
};

// State owned by the evaluator.
struct EvalState {
    // The call trace printed by error reports while the stacktrace setting is on.
    Stack* call_trace = nullptr;
    // Handler calls in progress.
    int command_depth = 0;
    // kuvetEval calls in progress, including substitutions.
    int eval_depth = 0;
    // Set on entry to each routine and before risky steps; fault reports
    // print it as the "line" at which the fault happened.
    long checkpoint = 0;
    // Line at which the preprocessor last saw a suspicious {*}; 0 when none.
    long suspicious_expand_line = 0;
    // Bytes of script text held by the evaluations in progress.
    size_t nested_text = 0;
    // Set by a script-file command run straight from the outermost script:
    // the file it evaluates next is the host's script, not nested text.
    bool outer_file = false;
    // Preprocessing runs in progress (#exec may source a file that is
    // preprocessed in turn).
    int preprocess_depth = 0;
};

extern LibraryState zorakLibrary;
extern EvalState zorakEval;
extern Interpreter* _pglobal_interp;

// The deepest nesting of evaluations (substitutions, bodies, eval) that a
// script may reach. A script that goes deeper fails with a message instead
// of exhausting the machine stack.
constexpr int kMaxEvalDepth = 50000;
// The script text that the evaluations in progress may hold between them,
// and the longest script one evaluation takes.
constexpr size_t kMaxNestedText = 32u * 1024u * 1024u;
constexpr size_t kMaxScriptLength = 0x7fffffff;

// Replaces the interpreter's result. A null text leaves the result null; a
// length below 1 copies the whole text; otherwise exactly length bytes.
void zorakSetResult(Interpreter* interp, const char* text, int length);

// Sets up an interpreter record: an empty global frame, an empty command
// table and an empty result.
void zorakInitInterp(Interpreter* interp);
// The process's interpreter, made current.
Interpreter* zorakCreateInterp();
int zorakReleaseInterp(Interpreter* interp);
void zorakRegisterCommands(Interpreter* interp);
void zorakSetStandardVars(Interpreter* interp, int argc, char** argv);
int zorakRunAtExit(Interpreter* interp);
// Rewrites 0x/&h, 0b/&b and 0o literals outside quotes to decimal. Returns a
// fresh heap text.
char* convert_radix_literals(const char* text);

// The build stamp: "Mmm dd yyyy@hh:mm:ss".
const char* zorakBuildStamp();
