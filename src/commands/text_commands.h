// The text utility commands: characters and codes, shaping and cutting text
// (text_commands.cpp), encodings and digests (text_encoding.cpp) and the
// character-class tests (text_predicates.cpp). Like the string commands they
// work on 8-bit text byte by byte with ASCII classes.
#pragma once

#include "interp/interp.h"

#include <cstdint>
#include <string>
#include <string_view>

// The text a command works on: the word itself or, with the "-var" flag, the
// value of the plain variable the word names (the word itself when there is
// no such variable, as with the string commands).
std::string zorakTextOperand(Interpreter* interp, const char* word, bool byName);

// Takes the words after the first fixedWords: none, or exactly "-var" (then
// *byName is set). Any other word is reported as an unknown option and the
// result is ERROR; otherwise OK.
int zorakTextVarFlag(Interpreter* interp, int argc, char** argv, int fixedWords, bool* byName);

// Reads a whole integer word by the math commands' rules (decimal with an
// optional sign, "0x", "&h" or "0b" digits). False for an empty word, a
// fraction, stray characters or a decimal beyond the 64-bit range.
bool zorakTextInteger(const char* word, int64_t* value);

// Reports "cmd: Invalid number 'word'" and returns ERROR.
int zorakTextBadNumber(Interpreter* interp, const char* command, const char* word);
// Reports "cmd: Unknown option 'word'" and returns ERROR.
int zorakTextBadOption(Interpreter* interp, const char* command, const char* word);

// Registers every text utility command; the other two are called from it.
void zorakRegisterTextCommands(Interpreter* interp);
void zorakRegisterTextEncodingCommands(Interpreter* interp);
void zorakRegisterTextPredicateCommands(Interpreter* interp);
