// The services the interpreter asks of the operating system. Everything that
// touches the system goes through here; each system has one implementation
// (posix/ for Linux, win32/ for Windows). No other folder includes a system
// header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Standard output. Text is written as is; line ends are the caller's.
bool platformWriteOut(const char* data, size_t size);
void platformFlushOut();
// True when standard output is a terminal that shows colours (on Linux: a
// terminal, and NO_COLOR not set).
bool platformOutputHasColour();
// Applies an 8-bit console attribute (foreground low nibble, background high
// nibble) to what is written next. Does nothing where colours do not show.
void platformSetTextAttribute(uint8_t attribute);
// Blanks the rest of the current console line.
void platformClearToEndOfLine();

// Reads one key without echo. Cursor and paging keys arrive as 224 followed
// by the scan code on the next call. End of input reads as Escape (27).
int platformReadKey();

// Environment.
bool platformGetEnv(const char* name, std::string* value);
std::vector<std::string> platformEnvironment();

// Full path of the program that started the process; false when unknown.
bool platformExecutablePath(std::string* path);
// The directory separator that ends an application directory.
char platformPathSeparator();

// Whole-file reads in binary mode.
bool platformFileExists(const char* path);
// Reads the file; returns false when it cannot be opened. *complete tells
// whether every byte of its size was read.
bool platformReadFile(const char* path, std::string* contents, bool* complete);

// Bytes of machine stack left below the caller on the current thread, or
// SIZE_MAX when the system cannot tell.
size_t platformStackRemaining();

// Seconds and microseconds of the clock, for seeding the random generator.
uint64_t platformClockSeed();
