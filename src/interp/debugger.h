// The evaluator's debugging aids: the Exec/Retn trace of selected commands,
// the call trace that error reports print, and the step prompt.
#pragma once

#include "interp/interp.h"

#include <cstdint>

bool zorakDebugIsTraced(Interpreter* interp, const char* name);
void zorakDebugTraceExec(Interpreter* interp, int argc, char** argv);
void zorakDebugTraceReturn(Interpreter* interp, uint32_t counter, const char* name);
// Pushes the command's description onto the call trace; false when full.
bool zorakDebugPushCallTrace(int argc, char** argv);
// Shows the step prompt until the command may run; STOP ends the script.
int zorakDebugStepPrompt(Interpreter* interp, const char* name);

void zorakRegisterDebugCommands(Interpreter* interp);
