// The channel table: the streams the file commands opened, by handle number.
// puts, the channel commands and the file command all look handles up here.
#pragma once

#include <cstdio>

struct Interpreter;

// Adds an open stream and returns its new handle (never 0, never reused).
long zorakChannelAdd(FILE* stream);
// The stream behind a handle; null when the number names no open stream.
FILE* zorakChannelStream(long handle);
// The stream behind a handle word: "stdin", "stdout" and "stderr" when
// standard is set (compared without regard to case), else a number. Null
// when the word names no open stream.
FILE* zorakChannelFromWord(const char* word, bool standard);

// Closes every stream in the table (their buffered output is written) and
// empties it: the files a script left open end with its interpreter.
void zorakChannelCloseAll();

// Handlers the file command shares.
int zorakCommandOpen(Interpreter* interp, int argc, char** argv, void*);
int zorakCommandClose(Interpreter* interp, int argc, char** argv, void*);
int zorakCommandGets(Interpreter* interp, int argc, char** argv, void*);
int zorakCommandFlush(Interpreter* interp, int argc, char** argv, void*);
int zorakCommandTell(Interpreter* interp, int argc, char** argv, void*);
int zorakCommandRewind(Interpreter* interp, int argc, char** argv, void*);
int zorakCommandEof(Interpreter* interp, int argc, char** argv, void*);

void zorakRegisterFileChannelCommands(Interpreter* interp);
