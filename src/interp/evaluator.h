#pragma once

#include "interp/interp.h"

#include <cstdint>

// Runs a script. With substitute_only the first command's words are joined
// into the result instead of being run; with no_variables a plain variable
// reference stays as written.
int kuvetEval(Interpreter* interp, const char* script, int16_t substitute_only,
              int16_t no_variables);

// Runs one command line whose words the caller has already cut, exactly as
// kuvetEval(line) would run it when line cuts into those words (no
// substitution is left in them). For callers that build lines of plain words.
int kuvetEvalWords(Interpreter* interp, const char* line, int argc, const char* const* words);

// True when the user pressed Ctrl-C since the last check; the interrupt is
// then reported and the caller returns STOP. Long loops inside a handler ask
// between steps, as the evaluator asks before every command.
bool zorakInterrupted(Interpreter* interp);

// Long variable values are lent to the commands that only read their words,
// instead of being copied into each command's words. A lent word belongs to
// its variable: nothing may change it, and the evaluator lends only while
// nothing can run between the substitution and the command's return.
struct WordOrigin {
    Var* var;
    // The variable's value stamp when the word was lent.
    uint64_t stamp;
};
// Registers a handler that reads its words and changes no variable (for a
// handler shared by subcommands, reads_only tells which calls qualify).
using WordReaderTest = bool (*)(int argc, char** argv);
void zorakLendWordsTo(CommandHandler handler, WordReaderTest reads_only);
// True when word is a lent word of the command now running.
bool zorakWordOrigin(const char* word, WordOrigin* origin);

int zorakCommandEval(Interpreter* interp, int argc, char** argv, void* pd);
void zorakRegisterEvalCommands(Interpreter* interp);
