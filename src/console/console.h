// The console layer: every line the library prints goes through here, so
// that a terminal gets colours and a pipe or file gets plain text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "zorak.h"

// Receives each chunk that SafeWriteFile writes; returns false on failure.
using ConsoleSink = bool (*)(const char* data, size_t size);

struct ConsoleState {
    // 1 after OpenConsole obtained a usable standard output handle.
    int16_t console_open = 0;
    intptr_t input_handle = 0;
    // The target of every console write; 0 until the first OpenConsole.
    intptr_t output_handle = 0;
    intptr_t error_handle = 0;
    // The console's window; 0 when the library has none (a terminal).
    intptr_t console_window = 0;
    // Kept by "console noborders" for "console borders"; 0 = none kept.
    uint32_t saved_window_style = 0;
    // Kept by "console hidecursor" for "console showcursor".
    int32_t saved_cursor_size = 20;
    // The attribute last set. The console's own answer wins where the
    // system can give one; a terminal cannot.
    uint8_t attribute = 7;
    // Set after a failed write was reported, so that a vanished console is
    // reported once and not for every line that follows.
    bool write_failed = false;
    // Where console text goes; null for the platform's console.
    ConsoleSink sink = nullptr;
};

extern ConsoleState console_state;

// Console text is written in chunks of at most this many bytes.
constexpr size_t kConsoleWriteChunk = 52224;

// Writes text to the console in bounded chunks; false when nothing could be
// written or a write failed.
bool SafeWriteFile(const char* text);
void Writes(const char* text);
// Formats at most 10204 characters and writes them; returns the formatter's
// count.
int console_printf(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
// The runtime's standard output, bypassing the console layer (echo, and puts
// while the layer is closed).
void console_write_stdout(const char* text);

void set_text_attribute(uint8_t attribute);
void set_foreground(int colour);
void set_background(int colour_shifted);
void reset_attribute();
uint8_t get_text_attribute();
void console_clear_to_eol();
// Colour names ("magenta", "DarkGrey"...) and numbers ("31") as an attribute
// byte; null or empty gives 0, anything else 7.
uint8_t colour_from_text(const char* text);

// One byte each, as the console reports them; 0 throughout when the screen
// cannot be read.
struct ConsoleTextInfo {
    uint8_t window_left;
    uint8_t window_top;
    uint8_t window_right;
    uint8_t window_bottom;
    uint8_t attribute;
    uint8_t normal_attribute;
    uint8_t current_mode;
    uint8_t screen_height;
    uint8_t screen_width;
    // 1-based.
    uint8_t cursor_column;
    uint8_t cursor_row;
};

// Moves the cursor; 1-based, each coordinate clamped at the top left cell.
void gotoxy(long column, long row);
// 1-based; 0 when the cursor cannot be read.
int console_cursor_column();
int console_cursor_row();
// Width and height of the visible window; 80 and 24 when it cannot be read.
int console_window_width();
int console_window_height();
// False (and a record of zeros, attribute apart) when the screen cannot be read.
bool console_get_text_info(ConsoleTextInfo* info);
// Scrolls a rectangle of the screen (1-based x and y) by n rows; see the
// console command.
void console_scroll(long x, long y, long width, long height, long n);

// Waits for a key with a prompt and returns its code. Keys typed before the
// call are dropped first.
int console_pause(const char* prompt, bool newline);

// Shows a message (a message box where the system has them) with the text
// of the system's last error: "message: (GetLastError: code)".
void report_last_error(const char* message, bool box);

// Where puts finds the streams behind channel handles while the console
// layer is closed; the file channel commands install it. A null answer
// means the handle names no open stream.
using ChannelResolver = FILE* (*)(long handle);
void zorakSetChannelResolver(ChannelResolver resolver);
FILE* zorakResolveChannel(long handle);

// Saves the console colours for the length of a scope.
class SavedColours {
  public:
    SavedColours() : saved_(get_text_attribute()) {}
    ~SavedColours() { set_text_attribute(saved_); }
    SavedColours(const SavedColours&) = delete;
    SavedColours& operator=(const SavedColours&) = delete;

  private:
    uint8_t saved_;
};

// Registers puts, echo, textcolor, cls, gotoxy, newline, clreol, tab, the key
// commands and console.
void zorakRegisterOutputCommands(struct Interpreter* interp);
void zorakRegisterKeyCommands(struct Interpreter* interp);
void zorakRegisterConsoleCommand(struct Interpreter* interp);
