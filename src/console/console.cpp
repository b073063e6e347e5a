// The console layer's core: opening the console, bounded writes, the text
// attribute and the colour names.
#include "interp/export_lock.h"
#include "console/console.h"

#include "platform/platform.h"
#include "util/number_text.h"
#include "util/text.h"
#include "zorak.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

ConsoleState console_state;

namespace {

ChannelResolver channel_resolver = nullptr;

bool writeChunk(const char* data, size_t size) {
    return console_state.sink ? console_state.sink(data, size) : platformConsoleWrite(data, size);
}

// Opens the layer when no output handle is cached yet; false (reported) when
// there is still none.
bool ensureOutputHandle() {
    if (console_state.output_handle) return true;
    if (OpenConsole(0)) return true;
    report_last_error("Failed to open the console", true);
    return false;
}

} // namespace

extern "C" ZORAK_API int ZORAK_CALL OpenConsole(int force) {
    ExportLock lock;
    if (console_state.console_open && !force) return static_cast<int>(console_state.output_handle);
    PlatformConsoleHandles handles;
    bool usable = platformConsoleOpen(force, &handles);
    console_state.console_window = handles.window;
    console_state.input_handle = handles.input;
    console_state.output_handle = handles.output;
    console_state.error_handle = handles.error;
    if (!usable) {
        console_state.console_open = 0;
        return 0;
    }
    console_state.console_open = 1;
    return static_cast<int>(console_state.output_handle);
}

void report_last_error(const char* message, bool box) {
    unsigned long code = platformLastError();
    if (!box) return;
    char text[256];
    std::snprintf(text, sizeof text, "%s: (GetLastError: %lu)", message ? message : "", code);
    platformMessageBox(text, platformErrorText(code).c_str());
}

bool SafeWriteFile(const char* text) {
    if (!ensureOutputHandle()) return false;
    if (!text) return false;
    size_t n = std::strlen(text);
    while (n > 0) {
        size_t chunk = n < kConsoleWriteChunk ? n : kConsoleWriteChunk;
        // A line end is never cut in two, so that it keeps its form on the
        // way out.
        if (chunk < n && chunk > 1 && text[chunk - 1] == '\r' && text[chunk] == '\n') chunk--;
        if (!writeChunk(text, chunk)) {
            if (!console_state.write_failed)
                report_last_error("SafeWriteFile: Console not open", true);
            console_state.write_failed = true;
            return false;
        }
        text += chunk;
        n -= chunk;
    }
    console_state.write_failed = false;
    return true;
}

void Writes(const char* text) {
    if (!ensureOutputHandle()) return;
    if (!text) return;
    try {
        SafeWriteFile(text);
    } catch (const std::exception&) {
        platformMessageBox("Exception in Writes", "Error");
    }
}

int console_printf(const char* format, ...) {
    if (!ensureOutputHandle()) return 0;
    if (!format) return 0;
    char buffer[10205] = {};
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    SafeWriteFile(buffer);
    return n;
}

void console_write_stdout(const char* text) {
    if (text) platformWriteOut(text, std::strlen(text));
}

void set_text_attribute(uint8_t attribute) {
    console_state.attribute = attribute;
    platformSetTextAttribute(attribute);
}

void set_foreground(int colour) {
    set_text_attribute(static_cast<uint8_t>((get_text_attribute() & 0xF0) | colour));
}

void set_background(int colour_shifted) {
    set_text_attribute(static_cast<uint8_t>((get_text_attribute() & 0x0F) | colour_shifted));
}

void reset_attribute() {
    set_text_attribute(7);
}

uint8_t get_text_attribute() {
    uint8_t reported;
    if (platformGetTextAttribute(&reported)) console_state.attribute = reported;
    return console_state.attribute;
}

void console_clear_to_eol() {
    platformClearToEndOfLine();
}

uint8_t colour_from_text(const char* text) {
    if (!text || !*text) return 0;
    if (zorakEqualNoCase(text, "white")) return 15;
    if (zorakEqualNoCase(text, "gray") || zorakEqualNoCase(text, "grey")) return 7;
    if (zorakEqualNoCase(text, "darkgrey") || zorakEqualNoCase(text, "darkgray")) return 8;
    static const char* const names[16] = {"BLACK",    "DARKBLUE",    "DARKGREEN",  "DARKCYAN",
                                          "DARKRED",  "DARKMAGENTA", "DARKYELLOW", "GREY",
                                          "DARKGREY", "BLUE",        "GREEN",      "CYAN",
                                          "RED",      "MAGENTA",     "YELLOW",     "WHITE"};
    for (int i = 0; i < 16; i++)
        if (zorakEqualNoCase(text, names[i])) return static_cast<uint8_t>(i);
    int dots = 0;
    for (const char* p = text; *p; p++) {
        if (*p == '.')
            dots++;
        else if (!(*p >= '0' && *p <= '9') && *p != '+' && *p != '-')
            return 7;
    }
    if (dots > 1) return 7;
    return static_cast<uint8_t>(zorakLeadingInt(text) & 0xFF);
}

void zorakSetChannelResolver(ChannelResolver resolver) {
    channel_resolver = resolver;
}

FILE* zorakResolveChannel(long handle) {
    return channel_resolver && handle > 0 ? channel_resolver(handle) : nullptr;
}

extern "C" ZORAK_API int ZORAK_CALL WriteLn(const char* text) {
    ExportLock lock;
    Writes(text);
    if (!ensureOutputHandle()) return 0;
    return writeChunk("\r\n", 2) ? 1 : 0;
}
