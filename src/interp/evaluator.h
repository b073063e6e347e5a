#pragma once

#include "interp/interp.h"

#include <cstdint>

// Runs a script. With substitute_only the first command's words are joined
// into the result instead of being run; with no_variables a plain variable
// reference stays as written.
int kuvetEval(Interpreter* interp, const char* script, int16_t substitute_only,
              int16_t no_variables);

// True when the user pressed Ctrl-C since the last check; the interrupt is
// then reported and the caller returns STOP. Long loops inside a handler ask
// between steps, as the evaluator asks before every command.
bool zorakInterrupted(Interpreter* interp);

int zorakCommandEval(Interpreter* interp, int argc, char** argv, void* pd);
void zorakRegisterEvalCommands(Interpreter* interp);
