// The console layer: every line the library prints goes through here, so
// that a terminal gets colours and a pipe or file gets plain text.
#pragma once

#include <cstdint>

#include "zorak.h"

struct ConsoleState {
    int16_t console_open = 0;
    // Nonzero once the standard handles have been fetched.
    intptr_t output_handle = 0;
    // The attribute last set; the console's own query on Windows.
    uint8_t attribute = 7;
};

extern ConsoleState console_state;

bool SafeWriteFile(const char* text);
void Writes(const char* text);
int console_printf(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

void set_text_attribute(uint8_t attribute);
void set_foreground(int colour);
void set_background(int colour_shifted);
void reset_attribute();
uint8_t get_text_attribute();
void console_clear_to_eol();
uint8_t colour_from_text(const char* text);

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

void zorakRegisterOutputCommands(struct Interpreter* interp);
