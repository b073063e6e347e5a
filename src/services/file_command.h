// The file command: names, facts and changes of files and folders, and the
// channel operations on handles.
#pragma once

struct Interpreter;

void zorakRegisterFileCommand(Interpreter* interp);

// The file channel commands, the file command and the process commands.
void zorakRegisterFileAndProcessCommands(Interpreter* interp);
