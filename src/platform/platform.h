// The services the interpreter asks of the operating system. Everything that
// touches the system goes through here; each system has one implementation
// (posix/ for Linux, win32/ for Windows). No other folder includes a system
// header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
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
// The bytes a block from the C heap can hold (at least what was asked for).
size_t platformHeapBlockSize(void* block);

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

// ---- The interactive shell ----
// The directory of the file that holds the library's code (the shared
// library, or the program that links it in), ending in the separator.
bool platformLibraryDirectory(std::string* directory);
// The process's working directory.
bool platformCurrentDirectory(std::string* directory);

// The names the line editor offers for Tab completion of a prefix.
using PlatformCompleter = std::vector<std::string> (*)(const std::string& prefix);
// True when platformReadLine edits the line itself (standard input is a
// terminal and the system has a line editor): it then shows the prompt, and
// keeps the history in ~/.zorak_history.
bool platformLineEditing();
// Reads one line of at most max_bytes bytes from standard input; the line
// keeps its line feed. The prompt is shown only while the line is edited
// (the caller prints it otherwise). False at the end of input or on a read
// error, with the stream's error state cleared.
bool platformReadLine(const char* prompt, size_t max_bytes, PlatformCompleter completer,
                      std::string* line);
// ---- System information (info and the identity commands) ----
// Answers about the machine. On Linux each comes from the system's own
// sources; where Windows has a notion Linux lacks, the nearest honest answer.

// The operating system's version. product is the system's own name for
// itself (the distribution on Linux); empty on Windows, where the caller
// names the release from the numbers.
struct PlatformOsVersion {
    std::string product;
    // The version string the system reports to programs, and the true
    // major and minor numbers (the kernel's on Linux).
    std::string version_text;
    long major = 0;
    long minor = 0;
    long build = 0;
    // The installed service pack ("" when none; always "" on Linux).
    std::string service_pack;
    bool is_64bit = false;
};
bool platformOsVersion(PlatformOsVersion* out);

// The memory figures in bytes: physical memory, the commit limit (memory
// plus page file or swap) and this process's address space.
struct PlatformMemoryStatus {
    uint64_t total_phys = 0;
    uint64_t avail_phys = 0;
    uint64_t total_page = 0;
    uint64_t avail_page = 0;
    uint64_t total_virtual = 0;
    uint64_t avail_virtual = 0;
};
bool platformMemoryStatus(PlatformMemoryStatus* out);

// Disks: drive letters on Windows ("C"), mount points of the mounted file
// systems on Linux ("/home"). A drive's type uses the Windows numbering:
// 0 unknown, 1 no such root, 2 removable, 3 fixed, 4 remote, 5 optical,
// 6 RAM disk.
std::vector<std::string> platformDisks();
long platformDiskType(const char* drive);
// The drive's size in bytes; false when it cannot be read.
bool platformDiskSize(const char* drive, uint64_t* size);

// The number of display monitors (connected displays on Linux; 0 without).
long platformMonitorCount();
// True when a network is present (an interface other than loopback is up).
bool platformIsNetworked();
// A new random GUID, in the field layout of the Windows GUID.
struct PlatformGuid {
    uint32_t data1 = 0;
    uint16_t data2 = 0;
    uint16_t data3 = 0;
    uint8_t data4[8] = {};
};
bool platformNewGuid(PlatformGuid* out);

// The process runs with full privileges (an elevated token; euid 0 on
// Linux), and its user belongs to the administrators (the sudo, wheel or
// admin group on Linux).
bool platformIsElevated();
bool platformIsAdministrator();

// The full path of a file name, relative names taken from the current
// directory; false when it cannot be made.
bool platformFullPathName(const char* name, std::string* path);

// Network adapters (loopback excluded), in the system's order. Addresses
// are dotted IPv4 texts, empty when there is none; mac holds the raw bytes.
struct PlatformAdapter {
    std::string id;
    std::string name;
    long index = 0;
    long type = 0; // the interface type numbers: 6 Ethernet, 71 wireless ...
    bool dhcp_enabled = false;
    std::string dhcp_server;
    long long lease_obtained = 0;
    long long lease_expires = 0;
    std::string mac;
    std::string ip_address;
    std::string netmask;
    std::string gateway;
    std::string primary_wins;
    std::string secondary_wins;
};
bool platformAdapters(std::vector<PlatformAdapter>* out);
// The machine's network parameters.
struct PlatformNetworkParams {
    std::string host_name;
    std::string domain;
    std::string primary_dns;
    std::string secondary_dns;
};
bool platformNetworkParams(PlatformNetworkParams* out);
// Releases what the adapter queries loaded (the Windows helper library).
void platformReleaseNetworkInfo();
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

// ---- Files and folders (the file channel commands and the file command) ----
// Paths are 8-bit text as the script gave them; either separator is accepted
// where the system accepts it.

enum class PlatformFileType { None, File, Directory, Link, CharDevice, BlockDevice, Fifo, Socket };
struct PlatformFileInfo {
    PlatformFileType type = PlatformFileType::None;
    uint64_t size = 0;
    // Seconds since 1970-01-01 UTC.
    int64_t atime = 0, mtime = 0, ctime = 0;
    // Type and permission bits in the POSIX layout (0100644 for a plain file).
    uint32_t mode = 0;
    uint32_t nlink = 0;
    uint32_t uid = 0, gid = 0;
    // The device (drive) holding the file, the device a special file names,
    // and the file's number on its device.
    uint64_t dev = 0, rdev = 0, ino = 0;
};
// Facts about path; with follow off a symbolic link describes itself. False
// when the path names nothing.
bool platformFileInfo(const char* path, bool follow, PlatformFileInfo* info);
// Whether the process may read, write or run the file.
enum PlatformAccess { kAccessRead = 4, kAccessWrite = 2, kAccessExecute = 1 };
bool platformFileAccess(const char* path, int access);
// One folder level; false when it exists already or cannot be made.
bool platformMakeDirectory(const char* path);
bool platformRemoveFile(const char* path);
// An empty folder only.
bool platformRemoveDirectory(const char* path);
// Renames or moves; an existing file at the target is replaced.
bool platformRenameFile(const char* from, const char* to);
// Copies a file's bytes (and permissions where the system keeps them);
// an existing target is replaced.
bool platformCopyFile(const char* from, const char* to);
// The names in a folder, without "." and "..".
bool platformListDirectory(const char* path, std::vector<std::string>* names);
// Sets a file's access or modification time (seconds since 1970).
bool platformSetFileTime(const char* path, bool modified, int64_t seconds);
// The absolute path with every link resolved; false when it names nothing.
bool platformResolvePath(const char* path, std::string* resolved);
// File attributes in the Windows sense: read-only, hidden, system, archive.
// On Linux read-only is the lack of the owner's write permission, hidden a
// name beginning with "."; system and archive are always clear there and
// cannot be set.
enum PlatformAttribute {
    kAttributeReadonly = 1,
    kAttributeHidden = 2,
    kAttributeSystem = 4,
    kAttributeArchive = 0x20
};
bool platformGetAttributes(const char* path, uint32_t* attributes);
// Sets or clears one attribute; false when the system cannot.
bool platformSetAttribute(const char* path, uint32_t attribute, bool on);
// The roots of the mounted volumes: drive roots on Windows ("C:/"), mount
// points on Linux.
std::vector<std::string> platformVolumes();
// True when the path is absolute on this system.
bool platformIsAbsolutePath(const char* path);
// Opens a stream of the C runtime for a channel; children started later do
// not inherit it where the system allows.
FILE* platformOpenStream(const char* path, const char* mode);
// 64-bit positions in streams of the C runtime (long is 32 bits on Windows).
int64_t platformStreamTell(FILE* stream);
bool platformStreamSeek(FILE* stream, int64_t offset, int origin);

// ---- Processes (exec, @, shell, spawn) ----
// Children start on the library's standard input, output and error unless
// said otherwise, and their exit codes come back as they are (on Linux a
// child killed by a signal gives 128 + the signal).

// Runs a command line through the command interpreter (/bin/sh -c on Linux,
// COMSPEC /C on Windows) and waits for it. False when it could not start.
bool platformRunCommand(const std::string& words, long* exit_code);
// Opens the interactive command interpreter ($SHELL or /bin/sh on Linux,
// COMSPEC /K on Windows) and waits until the user leaves it; words, when not
// empty, run first. False when it could not start.
bool platformRunShell(const std::string& words, long* exit_code);
// Receives each chunk a spawned child prints; false stops the reading.
using PlatformOutputSink = bool (*)(void* data, const char* bytes, size_t size);
// Starts a program (words[0], looked up on the PATH) with its arguments, its
// standard output and error on a pipe whose every chunk goes to sink until
// the child closes it. The command line joins the words for systems that
// take one. Without read_output the child writes to the null device and the
// call returns at once. False when the child could not start.
bool platformSpawnCapture(const std::vector<std::string>& words, const std::string& line,
                          bool read_output, PlatformOutputSink sink, void* data);
// What a user can put before a program the system cannot start directly, for
// the spawn command's advice ("/bin/sh -c" on Linux).
const char* platformCommandInterpreterHint();

// ---- Command output capture ----
// Runs a command line through the system's command interpreter (/bin/sh -c
// on Linux, COMSPEC /C on Windows) with its standard output and error going
// to sink, and waits for it. False when the interpreter could not start.
bool platformCaptureCommand(const std::string& words, PlatformOutputSink sink, void* data);

// ---- Folders, disks and temporary files ----
// Why the last file operation failed, in terms every system shares, so that
// messages read alike everywhere.
enum class PlatformFileError {
    None,
    NotFound,
    Denied,
    Exists,
    DiskFull,
    NotEmpty,
    IsDirectory,
    NotDirectory,
    CrossDevice,
    NameTooLong,
    ReadOnly,
    Other
};
PlatformFileError platformLastFileError();
// Changes the process's working directory.
bool platformChangeDirectory(const char* path);
// The user's home folder and the folder for temporary files.
bool platformHomeDirectory(std::string* path);
bool platformTempDirectory(std::string* path);
// Creates a new file (or folder) whose name is prefix followed by random
// characters, inside folder, and never one that exists already; its path
// goes to *path.
bool platformMakeTempEntry(const std::string& folder, const std::string& prefix, bool directory,
                           std::string* path);
// True when both paths name the same file (through links, case or a second
// name); false when either names nothing.
bool platformSameFile(const char* a, const char* b);
// The space of the disk that holds path, in bytes: its size, what is free,
// and what of that the calling user may fill.
struct PlatformDiskSpace {
    uint64_t total = 0;
    uint64_t free = 0;
    uint64_t available = 0;
};
bool platformDiskSpace(const char* path, PlatformDiskSpace* space);
// The name of the file system that holds path ("ext4", "NTFS"); false when
// it cannot be read.
bool platformFileSystemName(const char* path, std::string* name);
// Where a link leads: a symbolic link's target as stored, or the target of
// a shell link file (".lnk") on Windows. False when path is no link.
bool platformReadLink(const char* path, std::string* target);

// ---- Desktop: dialogs, clipboard and sound ----
// True when standard input is a terminal (a console) a person can type into.
bool platformInputIsTerminal();
// True where the system has its own dialog windows (Windows).
bool platformHasDialogs();
enum class PlatformButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class PlatformIcon { None, Info, Warning, Error, Question };
enum class PlatformAnswer { Ok, Cancel, Yes, No, Retry };
// The system's message box; the button pressed.
PlatformAnswer platformDialogMessage(const char* text, const char* caption, PlatformButtons buttons,
                                     PlatformIcon icon);
// The system's file and folder choosers. filter holds "Name|*.ext" pairs
// separated by "|". False when the user cancelled.
bool platformDialogFile(bool save, const char* title, const char* folder, const char* name,
                        const char* filter, std::string* chosen);
bool platformDialogFolder(const char* title, const char* folder, std::string* chosen);
// The clipboard's text. False with a reason in *error ("not available on
// this platform" where there is no clipboard to reach).
bool platformClipboardGet(std::string* text, std::string* error);
bool platformClipboardSet(const std::string& text, std::string* error);
// Sound: a tone, and wave files played in the background. False with a
// reason in *error.
bool platformBeep(long frequency, long milliseconds, std::string* error);
bool platformPlayWave(const char* path, bool loop, bool wait, std::string* error);
bool platformStopWave(std::string* error);
// One line typed at the console, without its line end and kept out of the
// shell's history (answers can be secrets). False at the end of input.
bool platformReadAnswer(std::string* line);
// The characters that draw a box on this console: top left, top right,
// bottom left, bottom right, horizontal, vertical; single or double lines.
const char* const* platformBoxGlyphs(bool double_line);

// ---- Time, environment and processes (clock, after, setenv, pid ...) ----
// The wall clock in microseconds since 1970-01-01 UTC.
int64_t platformClockMicroseconds();
// A clock that only moves forward, in microseconds since the system started
// (or since any fixed moment where the system cannot tell).
int64_t platformMonotonicMicroseconds();
// Sleeps the calling thread; milliseconds below 1 only yield.
void platformSleep(long milliseconds);

// The local time zone at a clock value (seconds since 1970 UTC): the offset
// east of UTC in seconds, whether summer time is in force, and the zone's
// short name ("CET", "UTC"; empty when the system has none).
struct PlatformZone {
    long offset = 0;
    bool dst = false;
    std::string name;
};
bool platformLocalZone(long long seconds, PlatformZone* zone);
// The clock value of a local calendar time (month 1-12); fields out of
// range carry over as the C library's mktime does. False when the system
// cannot represent it.
bool platformLocalToClock(int year, int month, int day, int hour, int minute, int second,
                          long long* seconds);

// Sets (value not null) or removes (null) a variable of the process
// environment, which children started later inherit. Changing TZ takes effect
// on the local time of this process at once.
bool platformSetEnv(const char* name, const char* value);

// Identities of the process: its id, the calling thread's id and the id of
// the session (login session on Linux, terminal services session on
// Windows).
long platformProcessId();
long platformThreadId();
long platformSessionId();
// True when a process with this id is running.
bool platformProcessAlive(long pid);
// Runs a command line through the command interpreter with full rights and
// waits for it. On Linux that is possible only when the process already has
// them (euid 0); otherwise false with the reason in *why.
bool platformRunElevated(const std::string& line, long* exit_code, std::string* why);
// Sets the calling thread's last system error (errno on Linux).
void platformSetLastError(unsigned long code);

// Runs a command line through the command interpreter with its standard
// output captured whole; false when it could not start.
bool platformCaptureCommand(const std::string& line, std::string* output, long* exit_code);

// Walks the C heap and checks its records; true when they are sound. Where
// the system offers no heap walk, a probe block is allocated and released.
bool platformHeapCheck();
// Bytes of memory the process has in use (resident set, working set).
bool platformProcessMemory(uint64_t* bytes);

// ---- HTTP client (the http command) ----
// One HTTP/1.1 exchange over http or https, following redirects as asked.
struct PlatformHttpRequest {
    std::string method = "GET"; // GET, POST or HEAD
    std::string url;
    // Request headers, each "Name: value".
    std::vector<std::string> headers;
    bool has_body = false;
    std::string body;
    long timeout_ms = 30000;
    // 0: a redirect is returned as it is.
    long max_redirects = 10;
    // A PEM file of certificates to trust for https instead of the
    // system's own; empty: the system's.
    std::string ca_file;
    // Receives the body of the final response in chunks; false stops the
    // transfer. Null: the body is kept in the response, up to max_body bytes.
    bool (*sink)(void* data, const char* bytes, size_t size) = nullptr;
    void* sink_data = nullptr;
    size_t max_body = 64u * 1024u * 1024u;
};
enum class PlatformHttpFailure {
    None,
    BadUrl,      // not an http or https URL
    Resolve,     // the host name is unknown
    Connect,     // the connection was refused or could not be made
    Timeout,     // no complete answer within the time allowed
    Certificate, // https: the server's certificate is not trusted
    Redirects,   // more redirects than allowed
    TooLarge,    // the body passed max_body
    Stopped,     // the sink stopped the transfer
    Unsupported, // the system cannot do what was asked
    Other
};
struct PlatformHttpResponse {
    long status = 0;
    std::string reason;
    // The headers of the final response, in their order.
    std::vector<std::pair<std::string, std::string>> headers;
    std::string body;
    std::string final_url;
    PlatformHttpFailure failure = PlatformHttpFailure::None;
    // The system's words for a failure.
    std::string error;
};
// False when no response came (the reason in response->failure and error).
bool platformHttpRequest(const PlatformHttpRequest& request, PlatformHttpResponse* response);
