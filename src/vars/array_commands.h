// The array commands and the worker behind "array setint".
#pragma once

#include "interp/interp.h"

#include <cstdint>

// Stores the items of list under the decimal keys first, first + 1, ... of
// the array name (made with 100 buckets when missing). The count of items
// goes to *count. 0, or 1 when the list is empty or a store fails.
int array_setint_worker(Interpreter* interp, const char* name, const char* list, long* count,
                        int64_t first, int is_const, int nocase);

int zorakCommandDim(Interpreter* interp, int argc, char** argv, void*);
int zorakCommandArraySet(Interpreter* interp, int argc, char** argv, void*);
int zorakCommandArray(Interpreter* interp, int argc, char** argv, void*);
int zorakCommandArrayForeach(Interpreter* interp, int argc, char** argv, void*);
int zorakCommandArrayToList(Interpreter* interp, int argc, char** argv, void*);
int zorakCommandListToArray(Interpreter* interp, int argc, char** argv, void*);
int zorakCommandArrayToString(Interpreter* interp, int argc, char** argv, void*);
int zorakCommandStringToArray(Interpreter* interp, int argc, char** argv, void*);

void zorakRegisterArrayCommands(Interpreter* interp);
