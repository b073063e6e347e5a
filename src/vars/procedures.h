// Procedures and the frames they run in: the record behind every procedure
// command, the handler that runs a procedure, frame release, and the
// commands proc, return and level. The scope commands (uplevel, upvar,
// global, static) live in scope_commands.cpp.
#pragma once

#include "interp/interp.h"

#include <cstdint>
#include <string>

// The deepest procedure frame has this level; a call made from it fails.
constexpr int max_proc_level = 5000;

// One formal argument: word_count is 0 for an empty element, 1 for a bare
// name, 2 for a name with a default.
struct FormalArg {
    int32_t word_count;
    char* name;
    char* default_value;
};

// The private data of a procedure command, shared by its aliases.
struct ProcRecord {
    char* arglist_text;
    char* body;
    int32_t formal_count;
    FormalArg* formals;
    // Calls of this procedure in progress. A record released while a call
    // runs (undef from inside the body) is freed when the last call ends.
    int32_t active;
    bool released;
};

// The handler of every procedure.
int call_proc(Interpreter* interp, int argc, char** argv, void* record);
// Releases the current frame: its structs, its variables with the
// containers they own, and the frame; its parent becomes current. The
// global frame is never dropped.
void zorakDropCallFrame(Interpreter* interp);
// Frees a procedure record (deferred while a call of it is running).
void zorakReleaseProcRecord(void* record);

// The frame of the innermost procedure call in progress, or null. While
// uplevel runs a script in an outer frame, the current frame is not that
// procedure's, and this still names it.
CallFrame* zorakActiveProcFrame();

// The substitution behind the defaults of proc: bracketed commands are
// run and replaced by their results; variables and backslashes stay as
// written. Returns false when a command's code abandoned the substitution.
bool zorakSubstCommands(Interpreter* interp, const char* text, std::string* out);

// Runs body as a procedure without a name: the formals of arglist are bound
// to argv[1..] in a fresh frame as a procedure's are, and argv[0] names the
// call. A return ends only the body. Reports (as command) a bad arglist.
int zorakRunLambda(Interpreter* interp, const char* command, const char* arglist, const char* body,
                   int argc, char** argv);

int zorakCommandProc(Interpreter* interp, int argc, char** argv, void*);
int zorakCommandReturn(Interpreter* interp, int argc, char** argv, void*);
int zorakCommandLevel(Interpreter* interp, int argc, char** argv, void*);
int zorakCommandUplevel(Interpreter* interp, int argc, char** argv, void*);
int zorakCommandUpvar(Interpreter* interp, int argc, char** argv, void*);
int zorakCommandGlobal(Interpreter* interp, int argc, char** argv, void*);
int zorakCommandStatic(Interpreter* interp, int argc, char** argv, void*);

// proc, return, level and the scope commands.
void zorakRegisterProcCommands(Interpreter* interp);
