// The services the interpreter asks of the operating system. Everything that
// touches the system goes through here; each system has one implementation
// (posix/ for Linux, win32/ for Windows). No other folder includes a system
// header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "zorak.h"

// ---- Console ----
// The console in the console layer's terms: an 8-bit attribute, cells
// addressed by 0-based column and row, a window, single keys and a title.
// On a terminal the window is the visible screen; on a pipe or a file there
// is no window, and the operations that need one report failure quietly.

// The standard handles and the console window (0 when the library has none).
struct PlatformConsoleHandles {
    intptr_t input = 0;
    intptr_t output = 0;
    intptr_t error = 0;
    intptr_t window = 0;
};
// Opens or attaches the console (force: release the one the process has and
// make a new one). False when standard output is not usable.
bool platformConsoleOpen(int force, PlatformConsoleHandles* handles);
// Releases the console; the system's answer.
int platformConsoleClose();

// Console text. A "\r\n" written by the library comes out as this system's
// line end.
bool platformConsoleWrite(const char* data, size_t size);
// The standard output and error streams of the C runtime, bytes as they are.
bool platformWriteOut(const char* data, size_t size);
bool platformWriteErr(const char* data, size_t size);
void platformFlushOut();
// True when standard output is a terminal that shows colours (on Linux: a
// terminal, and NO_COLOR not set).
bool platformOutputHasColour();
// Applies an 8-bit console attribute (foreground low nibble, background high
// nibble) to what is written next. Does nothing where colours do not show.
void platformSetTextAttribute(uint8_t attribute);
// The attribute the console reports; false when the system keeps none that
// can be read back, and the console layer's own record stands.
bool platformGetTextAttribute(uint8_t* attribute);
// Blanks the rest of the current console line.
void platformClearToEndOfLine();
// Fills every cell with the fill character in the current attribute and
// moves the cursor to the top left cell.
bool platformClearScreen(char fill);
// The visible window, in cells, inclusive.
bool platformWindowRect(int* left, int* top, int* right, int* bottom);
bool platformCursorPosition(int* column, int* row);
bool platformSetCursorPosition(int column, int row);
// Cursor size in percent of a cell, and whether it shows.
bool platformCursorInfo(int* size, bool* visible);
bool platformSetCursorInfo(int size, bool visible);
// Moves the cells of a rectangle so that its top left cell lands on the
// destination; cells it leaves are blanked in the fill attribute.
bool platformScrollRect(int left, int top, int right, int bottom, int dest_column, int dest_row,
                        uint8_t fill_attribute);
bool platformGetTitle(std::string* title);
bool platformSetTitle(const char* title);

enum class ConsoleWindowOp {
    Visible, // 1 while the window shows
    Hide,
    Show,
    Restore,
    Minimise,
    Maximise,
    Focus,
    Move,       // a, b: position; c, d: size (0: keep)
    Centre,     // on the desktop
    FullScreen, // nonzero when the system offers it
    NoBorders,  // returns the style to keep for Borders
    Borders     // a: the style kept by NoBorders (0: none)
};
// The window operations. Without a window each quietly returns 0.
long platformConsoleWindow(ConsoleWindowOp op, long a = 0, long b = 0, long c = 0, long d = 0);

// Single keys. Keys never echo. Cursor and paging keys arrive as 224
// followed by the scan code on the next read, function keys as 0 (224 for
// F11 and F12) and the scan code. End of input reads as Escape (27), so a
// prompt never hangs a script whose standard input is closed.
// True when a key can be read, waiting up to timeout_ms (below 0: for ever).
bool platformKeyAvailable(int timeout_ms);
int platformReadKey();
// Drops the keys typed but not read yet.
void platformFlushInput();

// A message for the person at the machine (a message box where the system
// has them).
void platformMessageBox(const char* text, const char* caption);
// The calling thread's last system error and the system's text for it.
unsigned long platformLastError();
std::string platformErrorText(unsigned long code);

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
// SIZE_MAX when the system cannot tell. On the large stack below, the bytes
// left on that stack.
size_t platformStackRemaining();

// Runs body(data) on a large stack of the library's own, on the calling
// thread (no thread is created), and returns when body returns. Deep
// recursion in scripts then needs no more than a small stack from the host.
// Called while already on that stack, body runs directly. Returns false,
// without running body, when no large stack can be had. body must not let
// a C++ exception out.
bool platformRunOnLargeStack(void (*body)(void*), void* data);
// True while the calling thread runs on its large stack.
bool platformOnLargeStack();

// Seconds and microseconds of the clock, for seeding the random generator.
uint64_t platformClockSeed();

// The user's name and the computer's name; false when unknown.
bool platformUserName(std::string* name);
bool platformHostName(std::string* name);
// The local calendar time of a clock value.
struct tm;
void platformLocalTime(long long seconds, struct tm* out);

// The texts of the one-dimensional array of BSTRs that a host hands to
// zorak_init, from its lower to its upper bound, without the null and empty
// ones. Nothing for a null array or one that cannot be read.
std::vector<std::string> platformArgumentStrings(SAFEARRAY* array);

// Sockets: started when the library is attached, released by zorak_exit.
// True when the system's sockets are ready (always, where they need no start).
bool platformNetworkStartup();
void platformNetworkCleanup();
// True when a 32-bit process runs on a 64-bit system (WOW64).
bool platformIsWow64();

// The user's interrupt (Ctrl-C) while a script runs. Between
// platformInterruptWatchBegin and platformInterruptWatchEnd an interrupt sets
// a flag instead of ending the process; platformTakeInterrupt reads and
// clears it.
void platformInterruptWatchBegin();
void platformInterruptWatchEnd();
bool platformTakeInterrupt();

// ---- Plug-in libraries (the lib command) ----
// Loads the library at path; 0 when it cannot be loaded, with the system's
// reason in *error when given. A path without a directory names a file in
// the current directory, never one on the system's search path.
intptr_t platformLibraryOpen(const char* path, std::string* error);
// The address of the export named name, or null.
void* platformLibrarySymbol(intptr_t handle, const char* name);
// Releases a library loaded by platformLibraryOpen.
void platformLibraryClose(intptr_t handle);
// The file name extension of a plug-in on this system (".so", ".dll").
const char* platformLibraryExtension();
