// The console on Windows: the console API on the standard handles for text,
// attributes, the cursor, the window and the title; _kbhit and _getch for
// single keys. When standard output is a pipe or a file there is no screen
// buffer to ask, and the operations that need one fail quietly, as on any
// other system; when standard input is not a console, keys are its bytes.
#include "platform/platform.h"

#include <windows.h>

#include <conio.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// What the system cannot tell us back when there is no console behind the
// standard handles.
struct Win32Console {
    // The title last set, for a process whose console keeps none.
    std::string title;
    bool title_set = false;
    int cursor_size = 25;
    bool cursor_visible = true;
    // A carriage return came last from redirected input, so the line feed
    // after it is the same Enter.
    bool after_return = false;
};

Win32Console win32_console;

HANDLE outputHandle() {
    return GetStdHandle(STD_OUTPUT_HANDLE);
}

HANDLE inputHandle() {
    return GetStdHandle(STD_INPUT_HANDLE);
}

bool usable(HANDLE handle) {
    return handle && handle != INVALID_HANDLE_VALUE;
}

bool isConsole(HANDLE handle) {
    DWORD mode;
    return usable(handle) && GetConsoleMode(handle, &mode);
}

bool screenInfo(CONSOLE_SCREEN_BUFFER_INFO* info) {
    HANDLE out = outputHandle();
    return usable(out) && GetConsoleScreenBufferInfo(out, info);
}

SHORT toShort(int value) {
    return static_cast<SHORT>(value < 0 ? 0 : value > 32767 ? 32767 : value);
}

// The console's window: GetConsoleWindow where kernel32 has it; otherwise the
// top-level window that carries a title made unique for the moment.
HWND findConsoleWindow() {
    using GetConsoleWindowFunction = HWND(WINAPI*)();
    HMODULE kernel = LoadLibraryA("kernel32.dll");
    if (!kernel) return nullptr;
    auto getConsoleWindow = reinterpret_cast<GetConsoleWindowFunction>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "GetConsoleWindow")));
    HWND window = nullptr;
    if (getConsoleWindow) {
        window = getConsoleWindow();
    } else {
        char saved[1024] = {};
        GetConsoleTitleA(saved, sizeof saved);
        char unique[64];
        std::snprintf(unique, sizeof unique, "%d-%d", static_cast<int>(GetTickCount()),
                      static_cast<int>(GetCurrentProcessId()));
        SetConsoleTitleA(unique);
        Sleep(40);
        window = FindWindowA(nullptr, unique);
        SetConsoleTitleA(saved);
    }
    FreeLibrary(kernel);
    return window;
}

bool writeAll(HANDLE handle, const char* data, size_t size) {
    if (!usable(handle)) return false;
    while (size > 0) {
        DWORD chunk = size > 0x10000000 ? 0x10000000 : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(handle, data, chunk, &written, nullptr) || written == 0) return false;
        data += written;
        size -= written;
    }
    return true;
}

bool writeStream(FILE* stream, const char* data, size_t size) {
    bool whole = std::fwrite(data, 1, size, stream) == size;
    return std::fflush(stream) == 0 && whole;
}

void applyFrame(HWND window) {
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
}

// True when redirected standard input has a byte to read or is at its end
// (which reads as Escape), waiting up to timeout_ms (below 0: for ever).
bool redirectedInputReady(HANDLE in, int timeout_ms) {
    if (!usable(in) || GetFileType(in) != FILE_TYPE_PIPE) return true;
    DWORD started = GetTickCount();
    for (;;) {
        DWORD available = 0;
        // A pipe whose writer has gone is at its end.
        if (!PeekNamedPipe(in, nullptr, 0, nullptr, &available, nullptr) || available > 0)
            return true;
        if (timeout_ms >= 0 && GetTickCount() - started >= static_cast<DWORD>(timeout_ms))
            return false;
        Sleep(10);
    }
}

int readRedirectedByte(HANDLE in) {
    for (;;) {
        unsigned char c;
        DWORD got = 0;
        if (!usable(in) || !ReadFile(in, &c, 1, &got, nullptr) || got == 0) return 27;
        bool lineFeedAfterReturn = c == '\n' && win32_console.after_return;
        win32_console.after_return = c == '\r';
        if (lineFeedAfterReturn) continue;
        // A line end in redirected input is an Enter.
        return c == '\n' ? '\r' : c;
    }
}

} // namespace

bool platformConsoleOpen(int force, PlatformConsoleHandles* handles) {
    // A standard handle that leads to a pipe or a file was redirected on
    // purpose; a new console must not take its place (it would swallow the
    // output of a program started with its output captured).
    constexpr DWORD kStandard[3] = {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE};
    HANDLE redirected[3];
    for (int i = 0; i < 3; i++) {
        HANDLE handle = GetStdHandle(kStandard[i]);
        redirected[i] = usable(handle) && !isConsole(handle) ? handle : nullptr;
    }
    // A process that has a console keeps it unless a new one is forced, and
    // so does one whose output already goes somewhere: a console that nobody
    // writes to would only show an empty window.
    if (force || !redirected[1]) {
        if (!AllocConsole() && force) {
            FreeConsole();
            AllocConsole();
        }
        for (int i = 0; i < 3; i++)
            if (redirected[i] && GetStdHandle(kStandard[i]) != redirected[i])
                SetStdHandle(kStandard[i], redirected[i]);
    }
    handles->window = reinterpret_cast<intptr_t>(findConsoleWindow());
    handles->input = reinterpret_cast<intptr_t>(GetStdHandle(STD_INPUT_HANDLE));
    handles->output = reinterpret_cast<intptr_t>(GetStdHandle(STD_OUTPUT_HANDLE));
    handles->error = reinterpret_cast<intptr_t>(GetStdHandle(STD_ERROR_HANDLE));
    return usable(reinterpret_cast<HANDLE>(handles->output));
}

int platformConsoleClose() {
    return FreeConsole() ? 1 : 0;
}

// The console takes "\r\n" as its line end, and so does every Windows reader
// of a pipe or file: the text goes out as it is.
bool platformConsoleWrite(const char* data, size_t size) {
    return writeAll(outputHandle(), data, size);
}

// Through the C runtime's streams, flushed at once so that they keep their
// place among the console writes.
bool platformWriteOut(const char* data, size_t size) {
    return writeStream(stdout, data, size);
}

bool platformWriteErr(const char* data, size_t size) {
    return writeStream(stderr, data, size);
}

void platformFlushOut() {
    std::fflush(stdout);
}

bool platformOutputHasColour() {
    return isConsole(outputHandle());
}

void platformSetTextAttribute(uint8_t attribute) {
    HANDLE out = outputHandle();
    if (usable(out)) SetConsoleTextAttribute(out, attribute);
}

bool platformGetTextAttribute(uint8_t* attribute) {
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (!screenInfo(&info)) return false;
    *attribute = static_cast<uint8_t>(info.wAttributes & 0xFF);
    return true;
}

void platformClearToEndOfLine() {
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (!screenInfo(&info)) return;
    DWORD cells = static_cast<DWORD>(info.dwSize.X - info.dwCursorPosition.X), done;
    FillConsoleOutputCharacterA(outputHandle(), ' ', cells, info.dwCursorPosition, &done);
    FillConsoleOutputAttribute(outputHandle(), info.wAttributes, cells, info.dwCursorPosition,
                               &done);
}

bool platformClearScreen(char fill) {
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (!screenInfo(&info)) return false;
    HANDLE out = outputHandle();
    DWORD cells = static_cast<DWORD>(info.dwSize.X) * static_cast<DWORD>(info.dwSize.Y), done;
    COORD origin = {0, 0};
    bool filled = FillConsoleOutputCharacterA(out, fill, cells, origin, &done) &&
                  FillConsoleOutputAttribute(out, info.wAttributes, cells, origin, &done);
    return SetConsoleCursorPosition(out, origin) && filled;
}

bool platformWindowRect(int* left, int* top, int* right, int* bottom) {
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (!screenInfo(&info)) return false;
    *left = info.srWindow.Left;
    *top = info.srWindow.Top;
    *right = info.srWindow.Right;
    *bottom = info.srWindow.Bottom;
    return true;
}

bool platformCursorPosition(int* column, int* row) {
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (!screenInfo(&info)) return false;
    *column = info.dwCursorPosition.X;
    *row = info.dwCursorPosition.Y;
    return true;
}

bool platformSetCursorPosition(int column, int row) {
    HANDLE out = outputHandle();
    COORD position = {toShort(column), toShort(row)};
    return usable(out) && SetConsoleCursorPosition(out, position);
}

bool platformCursorInfo(int* size, bool* visible) {
    CONSOLE_CURSOR_INFO info;
    HANDLE out = outputHandle();
    if (usable(out) && GetConsoleCursorInfo(out, &info)) {
        *size = static_cast<int>(info.dwSize);
        *visible = info.bVisible != FALSE;
        return true;
    }
    *size = win32_console.cursor_size;
    *visible = win32_console.cursor_visible;
    return true;
}

bool platformSetCursorInfo(int size, bool visible) {
    win32_console.cursor_size = size;
    win32_console.cursor_visible = visible;
    // The console accepts sizes from 1 to 100 percent only.
    CONSOLE_CURSOR_INFO info = {static_cast<DWORD>(size < 1     ? 1
                                                   : size > 100 ? 100
                                                                : size),
                                visible ? TRUE : FALSE};
    HANDLE out = outputHandle();
    return usable(out) && SetConsoleCursorInfo(out, &info);
}

bool platformScrollRect(int left, int top, int right, int bottom, int dest_column, int dest_row,
                        uint8_t fill_attribute) {
    HANDLE out = outputHandle();
    if (!isConsole(out)) return false;
    SMALL_RECT source = {toShort(left), toShort(top), toShort(right), toShort(bottom)};
    COORD destination = {toShort(dest_column), toShort(dest_row)};
    CHAR_INFO fill;
    fill.Char.AsciiChar = ' ';
    fill.Attributes = fill_attribute;
    return ScrollConsoleScreenBufferA(out, &source, nullptr, destination, &fill) != FALSE;
}

bool platformGetTitle(std::string* title) {
    char buffer[256] = {};
    if (GetConsoleTitleA(buffer, sizeof buffer) > 0) {
        *title = buffer;
        return true;
    }
    if (!win32_console.title_set) return false;
    *title = win32_console.title;
    return true;
}

// A process without a console keeps the title for itself, so that a script
// reads back what it set.
bool platformSetTitle(const char* title) {
    win32_console.title = title;
    win32_console.title_set = true;
    SetConsoleTitleA(title);
    return true;
}

long platformConsoleWindow(ConsoleWindowOp op, long a, long b, long c, long d) {
    HWND window = findConsoleWindow();
    if (!window) return 0;
    switch (op) {
    case ConsoleWindowOp::Visible:
        return IsWindowVisible(window) ? 1 : 0;
    case ConsoleWindowOp::Hide:
        return ShowWindow(window, SW_HIDE);
    case ConsoleWindowOp::Show:
        return ShowWindow(window, SW_SHOW);
    case ConsoleWindowOp::Restore:
        return ShowWindow(window, SW_RESTORE);
    case ConsoleWindowOp::Minimise:
        return ShowWindow(window, SW_MINIMIZE);
    case ConsoleWindowOp::Maximise:
        return ShowWindow(window, SW_MAXIMIZE);
    case ConsoleWindowOp::Focus: {
        ShowWindow(window, SW_SHOW);
        long shown = ShowWindow(window, SW_RESTORE);
        SetForegroundWindow(window);
        SetFocus(window);
        return shown;
    }
    case ConsoleWindowOp::Move: {
        RECT current;
        if ((c <= 0 || d <= 0) && GetWindowRect(window, &current)) {
            if (c <= 0) c = current.right - current.left;
            if (d <= 0) d = current.bottom - current.top;
        }
        return MoveWindow(window, static_cast<int>(a), static_cast<int>(b), static_cast<int>(c),
                          static_cast<int>(d), TRUE);
    }
    case ConsoleWindowOp::Centre: {
        RECT desktop, own;
        if (!GetWindowRect(GetDesktopWindow(), &desktop) || !GetWindowRect(window, &own)) return 0;
        int x = (desktop.right - desktop.left) / 2 - (own.right - own.left) / 2;
        int y = (desktop.bottom - desktop.top) / 2 - (own.bottom - own.top) / 2;
        return SetWindowPos(window, nullptr, x, y, 0, 0,
                            SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    }
    case ConsoleWindowOp::FullScreen: {
        using DisplayModeFunction = BOOL(WINAPI*)(HANDLE, DWORD, PCOORD);
        HMODULE kernel = GetModuleHandleA("kernel32.dll");
        auto setDisplayMode = reinterpret_cast<DisplayModeFunction>(reinterpret_cast<void*>(
            kernel ? GetProcAddress(kernel, "SetConsoleDisplayMode") : nullptr));
        if (!setDisplayMode) return 0;
        COORD size;
        if (!setDisplayMode(outputHandle(), 1, &size)) setDisplayMode(outputHandle(), 2, &size);
        return 1;
    }
    case ConsoleWindowOp::NoBorders: {
        LONG style = GetWindowLongA(window, GWL_STYLE);
        SetWindowLongA(window, GWL_STYLE,
                       style & ~static_cast<LONG>(WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
                                                  WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
        applyFrame(window);
        ShowScrollBar(window, SB_BOTH, FALSE);
        return style;
    }
    case ConsoleWindowOp::Borders:
        ShowScrollBar(window, SB_BOTH, TRUE);
        if (a) {
            SetWindowLongA(window, GWL_STYLE, static_cast<LONG>(a));
            applyFrame(window);
        }
        return 1;
    }
    return 0;
}

bool platformKeyAvailable(int timeout_ms) {
    HANDLE in = inputHandle();
    if (!isConsole(in)) return redirectedInputReady(in, timeout_ms);
    DWORD started = GetTickCount();
    for (;;) {
        if (_kbhit()) return true;
        if (timeout_ms >= 0 && GetTickCount() - started >= static_cast<DWORD>(timeout_ms))
            return false;
        Sleep(10);
    }
}

// The console's own reading gives cursor, paging and function keys as 0 or
// 224 and the scan code on the next read.
int platformReadKey() {
    HANDLE in = inputHandle();
    if (!isConsole(in)) return readRedirectedByte(in);
    return _getch();
}

void platformFlushInput() {
    HANDLE in = inputHandle();
    if (!isConsole(in)) return;
    // Reading drains a scan code that the console still holds back, too.
    while (_kbhit())
        _getch();
    FlushConsoleInputBuffer(in);
}

// Without a desktop to show it on, the message goes to standard error.
void platformMessageBox(const char* text, const char* caption) {
    if (MessageBoxA(nullptr, text ? text : "", caption ? caption : "",
                    MB_OK | MB_ICONINFORMATION) == IDOK)
        return;
    std::string line = text ? text : "";
    if (caption && *caption) line += std::string(" [") + caption + "]";
    line += '\n';
    writeStream(stderr, line.data(), line.size());
}

unsigned long platformLastError() {
    return GetLastError();
}

std::string platformErrorText(unsigned long code) {
    char* text = nullptr;
    DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                             reinterpret_cast<char*>(&text), 0, nullptr);
    std::string result = n && text ? std::string(text, n) : std::string();
    if (text) LocalFree(text);
    while (!result.empty() &&
           (result.back() == '\n' || result.back() == '\r' || result.back() == ' '))
        result.pop_back();
    return result;
}
