// The command table: a sorted array of Command records searched by bisection.
#pragma once

#include "interp/interp.h"

int zorakRegisterCommand(Interpreter* interp, const char* name, CommandHandler handler,
                         void* private_data, int is_proc);
Command* zorakGetCommand(Interpreter* interp, const char* name);
// The unguarded bisection behind zorakGetCommand.
Command* zorakFindCommand(Interpreter* interp, const char* name);
int zorakUnregisterCommand(Interpreter* interp, const char* name);
void zorakReleaseCommands(Interpreter* interp);
int zorakWrongArgs(Interpreter* interp, int argc, char** argv);
// Joins words for display and for lists of names; see registry.cpp.
char* zorakJoinWords(char* out, int argc, char** argv);

void zorakRegisterRegistryCommands(Interpreter* interp);
// The listing handlers that info shares.
int zorakCommandCommands(Interpreter* interp, int argc, char** argv, void*);
int zorakCommandProcs(Interpreter* interp, int argc, char** argv, void*);
int zorakCommandFunctions(Interpreter* interp, int argc, char** argv, void*);

// Called when a command's private data is released with its last command;
// procedures install their releaser here. Returns the one it replaces.
using PrivateDataReleaser = void (*)(void* private_data);
PrivateDataReleaser zorakSetProcReleaser(PrivateDataReleaser releaser);
