// The routines the string commands share: results from text views, the
// "-var" variable resolution and write-back, ASCII case folding, searching
// and trimming. All of them work on 8-bit text byte by byte.
#pragma once

#include "interp/interp.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// ---------------------------------------------------------------- results

// Sets the interpreter result to a copy of text (the empty text included).
int zorakStringResult(Interpreter* interp, std::string_view text);
// Sets the result to a number in decimal.
int zorakStringResultInt(Interpreter* interp, int64_t value);

// ---------------------------------------------------------------- "-var"

// The variable a "-var" word names when it holds a plain value in the
// current scope (not an array, struct, dictionary, stack or pointer), or null.
Var* zorakStringVar(Interpreter* interp, const char* name);
// The value of such a variable as a view.
std::string_view zorakStringVarText(const Var* var);
// Stores a changed value back into the variable a "-var" word named, writing
// through its aliases so that linked copies see it too. A constant keeps its
// value: the change shows only in the result. Returns the completion code.
int zorakStringStore(Interpreter* interp, const char* name, Var* var, std::string_view text);

// ---------------------------------------------------------------- text

// ASCII case folding in place.
void zorakStringLower(std::string* text);
void zorakStringUpper(std::string* text);
// The blank set of the C library: space, tab, line feed, vertical tab, form
// feed and carriage return.
bool zorakStringIsSpace(char c);
// The position of the first (or, last, the last) occurrence of find in text,
// or npos. An empty find is found at 0 (the last one at the end).
size_t zorakStringFind(std::string_view text, std::string_view find, bool nocase, bool last);
// Text without leading (left) and trailing (right) characters of the set.
std::string_view zorakStringTrim(std::string_view text, std::string_view set, bool left,
                                 bool right);

// ---------------------------------------------------------------- commands

// Stand-alone commands that `string` also runs with its words shifted by one.
int zorakCommandLeft(Interpreter* interp, int argc, char** argv, void*);
int zorakCommandRight(Interpreter* interp, int argc, char** argv, void*);
int zorakCommandMids(Interpreter* interp, int argc, char** argv, void*);
int zorakCommandMatch(Interpreter* interp, int argc, char** argv, void*);
int zorakCommandSlice(Interpreter* interp, int argc, char** argv, void*);
int zorakCommandMap(Interpreter* interp, int argc, char** argv, void*);

// Registers `string` and, through the two below, every stand-alone string command.
void zorakRegisterStringCommands(Interpreter* interp);
void zorakRegisterStringWordCommands(Interpreter* interp);
void zorakRegisterStringSplitCommands(Interpreter* interp);
