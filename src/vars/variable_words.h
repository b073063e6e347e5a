// The variable and command words: small commands that read, test and edit
// variables in place (result, swap, type, content, new, cset, setat, setl,
// setr, setb, sc, walk, enum, store ...), the predicates on variables and
// commands (is_proc, is_const, is_array, is_list, is_null, is_empty) and
// the words that run commands (args, clearprocs, on, chain, all, any).
#pragma once

#include "interp/interp.h"

#include <map>
#include <string>
#include <vector>

// The keyed store of the store command: texts kept apart from every
// variable frame, so procedures share them; run empties it.
struct StoreState {
    std::map<std::string, std::string> entries;
};

extern StoreState zorakStore;

// Calls the handler of the command name with words (the command word
// first), as a command hands work to another; a missing command is
// reported under caller.
int zorakCallWords(Interpreter* interp, const char* caller, const char* name,
                   std::vector<std::string> words);

void zorakRegisterVariablePredicates(Interpreter* interp);
void zorakRegisterCommandWords(Interpreter* interp);
void zorakRegisterOperatorWords(Interpreter* interp);
// Registers every family above.
void zorakRegisterVariableWords(Interpreter* interp);
