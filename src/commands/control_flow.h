// The control-flow commands, one registration function per file:
// control_flow.cpp (if, break, continue, exit, stop), loops.cpp (while,
// for, foreach, loop, floop, do), switch.cpp, and goto.cpp (goto, gosub,
// sub, goto_block).
#pragma once

#include "interp/interp.h"

void zorakRegisterControlFlowCommands(Interpreter* interp);
void zorakRegisterLoopCommands(Interpreter* interp);
void zorakRegisterSwitchCommands(Interpreter* interp);
void zorakRegisterGotoCommands(Interpreter* interp);
