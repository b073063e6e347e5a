// Files and folders as a shell knows them, the disk queries, glob, and the
// desktop services (dialogs, clipboard, sound, the console screen).
#pragma once

#include "platform/platform.h"

struct Interpreter;

// The words a message gives for why a file operation failed.
const char* zorakFileErrorText(PlatformFileError error);

// Registers the folder commands, and through them the families below.
void zorakRegisterFolderCommands(Interpreter* interp);
void zorakRegisterDiskCommands(Interpreter* interp);
void zorakRegisterGlobCommand(Interpreter* interp);
void zorakRegisterDesktopCommands(Interpreter* interp);
