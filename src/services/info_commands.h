// The introspection family (info) and the identity commands it shares.
#pragma once

#include "interp/interp.h"

// Handlers that info calls with its words shifted by one, so that the
// subcommand word stands where the command name would.
int zorakCommandIsSet(Interpreter* interp, int argc, char** argv, void*);
int zorakCommandUsername(Interpreter* interp, int argc, char** argv, void*);
int zorakCommandIsElevated(Interpreter* interp, int argc, char** argv, void*);
int zorakCommandHostname(Interpreter* interp, int argc, char** argv, void*);
int zorakCommandInfo(Interpreter* interp, int argc, char** argv, void*);

// True for the words that name one field of a network adapter
// (ip_address ...) or adapter_count.
bool zorakIsAdapterWord(const char* word);
// One adapter query of the hostname family: field, and the adapter's index
// word (null: the first adapter). Errors name command and field.
int zorakAdapterQuery(Interpreter* interp, const char* command, const char* field,
                      const char* index);

// is_set, username, is_elevated, is_admin and hostname.
void zorakRegisterIdentityCommands(Interpreter* interp);
// info.
void zorakRegisterInfoCommands(Interpreter* interp);
