// The process commands: exec (also @), shell and spawn.
#pragma once

struct Interpreter;

void zorakRegisterProcessCommands(Interpreter* interp);
