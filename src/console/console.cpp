#include "console/console.h"

#include "platform/platform.h"
#include "zorak.h"

#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include "util/text.h"

ConsoleState console_state;

namespace {

// Console writes on this system end lines with "\n"; a "\r\n" pair written
// by the library becomes "\n".
bool writeTranslated(const char* text, size_t size) {
#if defined(_WIN32)
    return platformWriteOut(text, size);
#else
    const char* start = text;
    const char* end = text + size;
    for (const char* p = text; p + 1 < end; p++) {
        if (p[0] == '\r' && p[1] == '\n') {
            if (!platformWriteOut(start, static_cast<size_t>(p - start))) return false;
            start = p + 1;
        }
    }
    return platformWriteOut(start, static_cast<size_t>(end - start));
#endif
}

constexpr size_t kWriteChunk = 52224;

} // namespace

extern "C" ZORAK_API int ZORAK_CALL OpenConsole(int force) {
    if (console_state.console_open && !force) return static_cast<int>(console_state.output_handle);
    console_state.output_handle = 1;
    console_state.console_open = 1;
    return static_cast<int>(console_state.output_handle);
}

bool SafeWriteFile(const char* text) {
    if (!console_state.output_handle && !OpenConsole(0)) return false;
    if (!text) return false;
    size_t n = std::strlen(text);
    while (n > kWriteChunk) {
        if (!writeTranslated(text, kWriteChunk)) return false;
        text += kWriteChunk;
        n -= kWriteChunk;
    }
    return writeTranslated(text, n);
}

void Writes(const char* text) {
    if (!console_state.output_handle && !OpenConsole(0)) return;
    if (!text) return;
    SafeWriteFile(text);
}

int console_printf(const char* format, ...) {
    if (!console_state.output_handle && !OpenConsole(0)) return 0;
    if (!format) return 0;
    char buffer[10205];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    SafeWriteFile(buffer);
    return n;
}

void set_text_attribute(uint8_t attribute) {
    console_state.attribute = attribute;
    platformSetTextAttribute(attribute);
}

void set_foreground(int colour) {
    set_text_attribute(static_cast<uint8_t>((get_text_attribute() & 0xF0) | (colour & 0x0F)));
}

void set_background(int colour_shifted) {
    set_text_attribute(static_cast<uint8_t>((get_text_attribute() & 0x0F) | (colour_shifted & 0xF0)));
}

void reset_attribute() { set_text_attribute(7); }

uint8_t get_text_attribute() { return console_state.attribute; }

void console_clear_to_eol() { platformClearToEndOfLine(); }

uint8_t colour_from_text(const char* text) {
    if (!text || !*text) return 0;
    if (zorakEqualNoCase(text, "white")) return 15;
    if (zorakEqualNoCase(text, "gray") || zorakEqualNoCase(text, "grey")) return 7;
    if (zorakEqualNoCase(text, "darkgrey") || zorakEqualNoCase(text, "darkgray")) return 8;
    static const char* const names[16] = {
        "BLACK",    "DARKBLUE", "DARKGREEN", "DARKCYAN", "DARKRED", "DARKMAGENTA",
        "DARKYELLOW", "GREY",   "DARKGREY",  "BLUE",     "GREEN",   "CYAN",
        "RED",      "MAGENTA",  "YELLOW",    "WHITE"};
    for (int i = 0; i < 16; i++)
        if (zorakEqualNoCase(text, names[i])) return static_cast<uint8_t>(i);
    int dots = 0;
    bool numeric = true;
    for (const char* p = text; *p; p++) {
        if (*p == '.') dots++;
        else if (!std::isdigit(static_cast<unsigned char>(*p)) && *p != '+' && *p != '-')
            numeric = false;
    }
    if (numeric && dots <= 1) return static_cast<uint8_t>(std::atol(text) & 0xFF);
    return 7;
}

extern "C" ZORAK_API int ZORAK_CALL WriteLn(const char* text) {
    Writes(text);
    return SafeWriteFile("\r\n") ? 1 : 0;
}
