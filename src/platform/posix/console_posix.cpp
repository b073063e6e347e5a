// The console on a POSIX terminal: ANSI sequences for colours, the cursor and
// the screen, TIOCGWINSZ for the window size, the OSC sequence for the title
// and the terminal in raw mode for single keys. On a pipe or a file only
// plain text goes out.
#include "platform/platform.h"
#include "platform/posix/ansi_colour.h"
#include "platform/posix/ansi_keys.h"
#include "platform/posix/input_posix.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

// What the terminal cannot tell us back, and keys read ahead of their turn.
struct PosixConsole {
    // Bytes read from the terminal that belong to later key reads (typed
    // while the cursor position was being asked for, or after an Escape).
    std::string typed_ahead;
    // The scan code that follows an extended-key prefix.
    int queued_key = -1;
    // The attribute last applied, restored after a scroll.
    uint8_t applied_attribute = 7;
    std::string title;
    bool title_set = false;
    int cursor_size = 25;
    bool cursor_visible = true;
    int colour = -1;
};

PosixConsole posix_console;

bool writeAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

bool outputIsTerminal() {
    return ::isatty(STDOUT_FILENO) == 1;
}

// Control sequences go to a terminal only; a pipe or a file never sees them.
bool sendSequence(const char* sequence) {
    if (!outputIsTerminal()) return false;
    return writeAll(STDOUT_FILENO, sequence, std::strlen(sequence));
}

// Single-key mode for the life of the object: no line editing, no echo, and
// Ctrl+C, Ctrl+S and Enter arrive as the keys they are.
class RawTerminal {
  public:
    explicit RawTerminal(int fd) : fd_(fd) {
        active_ = ::isatty(fd) == 1 && ::tcgetattr(fd, &saved_) == 0;
        if (!active_) return;
        termios raw = saved_;
        raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ISIG | IEXTEN);
        raw.c_iflag &= ~static_cast<tcflag_t>(IXON | ICRNL | INLCR);
        raw.c_cc[VMIN] = 1;
        raw.c_cc[VTIME] = 0;
        ::tcsetattr(fd, TCSANOW, &raw);
    }
    ~RawTerminal() {
        if (active_) ::tcsetattr(fd_, TCSANOW, &saved_);
    }
    RawTerminal(const RawTerminal&) = delete;
    RawTerminal& operator=(const RawTerminal&) = delete;
    bool active() const { return active_; }

  private:
    int fd_;
    bool active_ = false;
    termios saved_{};
};

constexpr int kTimedOut = -2;

// One byte from fd within timeout_ms (below 0: for ever). -1 at end of input
// or on an error, kTimedOut when nothing came.
int readByteWithin(int fd, int timeout_ms) {
    pollfd wait{fd, POLLIN, 0};
    for (;;) {
        int ready = ::poll(&wait, 1, timeout_ms);
        if (ready < 0 && errno == EINTR) continue;
        if (ready == 0) return kTimedOut;
        break;
    }
    unsigned char c;
    for (;;) {
        ssize_t n = ::read(fd, &c, 1);
        if (n == 1) return c;
        if (n < 0 && errno == EINTR) continue;
        return -1;
    }
}

int nextInputByte(int timeout_ms) {
    std::string& ahead = posix_console.typed_ahead;
    if (!ahead.empty()) {
        int c = static_cast<unsigned char>(ahead.front());
        ahead.erase(0, 1);
        return c;
    }
    return readByteWithin(STDIN_FILENO, timeout_ms);
}

} // namespace

int posixNextInputByte() {
    return nextInputByte(-1);
}

namespace {

// After an Escape from the terminal: the rest of a cursor, paging or function
// key sequence arrives at once, while a lone Escape press has nothing behind
// it. Returns the key's first code and queues its scan code.
int readEscapeSequence() {
    constexpr int kSequenceWait = 50;
    int first = nextInputByte(kSequenceWait);
    if (first < 0) return 27;
    if (first != '[' && first != 'O') {
        posix_console.typed_ahead.insert(0, 1, static_cast<char>(first));
        return 27;
    }
    std::string sequence(1, static_cast<char>(first));
    while (!ansiKeySequenceComplete(sequence) && sequence.size() < 16) {
        int c = nextInputByte(kSequenceWait);
        if (c < 0) break;
        sequence += static_cast<char>(c);
    }
    AnsiKey key = ansiKeyFromSequence(sequence);
    if (key.prefix < 0) return 27;
    posix_console.queued_key = key.scan;
    return key.prefix;
}

// Parses "ESC [ row ; column R" at the end of what the terminal sent.
bool parseCursorReport(const std::string& got, size_t* start, int* column, int* row) {
    size_t esc = got.rfind('\x1b');
    if (esc == std::string::npos || got.back() != 'R') return false;
    int r = 0, c = 0;
    char tail = 0;
    if (std::sscanf(got.c_str() + esc, "\x1b[%d;%d%c", &r, &c, &tail) != 3 || tail != 'R')
        return false;
    *start = esc;
    *row = r - 1;
    *column = c - 1;
    return true;
}

} // namespace

bool platformConsoleOpen(int, PlatformConsoleHandles* handles) {
    handles->input = STDIN_FILENO;
    handles->output = ::fcntl(STDOUT_FILENO, F_GETFD) == -1 ? -1 : STDOUT_FILENO;
    handles->error = STDERR_FILENO;
    handles->window = 0;
    return handles->output == STDOUT_FILENO;
}

int platformConsoleClose() {
    return 1;
}

bool platformConsoleWrite(const char* data, size_t size) {
    const char* end = data + size;
    const char* start = data;
    for (const char* p = data; p + 1 < end; p++) {
        if (p[0] == '\r' && p[1] == '\n') {
            if (!writeAll(STDOUT_FILENO, start, static_cast<size_t>(p - start))) return false;
            start = p + 1;
        }
    }
    return writeAll(STDOUT_FILENO, start, static_cast<size_t>(end - start));
}

bool platformWriteOut(const char* data, size_t size) {
    return writeAll(STDOUT_FILENO, data, size);
}

bool platformWriteErr(const char* data, size_t size) {
    return writeAll(STDERR_FILENO, data, size);
}

void platformFlushOut() {}

bool platformOutputHasColour() {
    if (posix_console.colour < 0) {
        const char* noColour = std::getenv("NO_COLOR");
        posix_console.colour = outputIsTerminal() && !(noColour && *noColour) ? 1 : 0;
    }
    return posix_console.colour == 1;
}

void platformSetTextAttribute(uint8_t attribute) {
    if (!platformOutputHasColour()) return;
    posix_console.applied_attribute = attribute;
    char sequence[32];
    size_t n = ansiSequenceForAttribute(attribute, sequence, sizeof sequence);
    writeAll(STDOUT_FILENO, sequence, n);
}

// A terminal cannot be asked for its colours.
bool platformGetTextAttribute(uint8_t*) {
    return false;
}

void platformClearToEndOfLine() {
    sendSequence("\x1b[K");
}

bool platformClearScreen(char fill) {
    int left, top, right, bottom;
    if (!platformWindowRect(&left, &top, &right, &bottom)) return false;
    unsigned char c = static_cast<unsigned char>(fill);
    // A control character would act instead of showing.
    if (c < 0x20 || c == 0x7F) c = ' ';
    if (c == ' ') return sendSequence("\x1b[H\x1b[2J");
    std::string screen;
    std::string row(static_cast<size_t>(right - left + 1), static_cast<char>(c));
    for (int y = top; y <= bottom; y++) {
        char move[32];
        std::snprintf(move, sizeof move, "\x1b[%d;1H", y + 1);
        screen += move;
        screen += row;
    }
    screen += "\x1b[H";
    return sendSequence(screen.c_str());
}

bool platformWindowRect(int* left, int* top, int* right, int* bottom) {
    winsize size{};
    if (!outputIsTerminal() || ::ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) != 0 || size.ws_col == 0 ||
        size.ws_row == 0)
        return false;
    *left = 0;
    *top = 0;
    *right = size.ws_col - 1;
    *bottom = size.ws_row - 1;
    return true;
}

// Asks the terminal where the cursor is ("ESC [ 6 n") and reads the answer
// from the terminal. Keys typed meanwhile are kept for later reads.
bool platformCursorPosition(int* column, int* row) {
    if (!outputIsTerminal()) return false;
    bool fromStdin = ::isatty(STDIN_FILENO) == 1;
    int fd = fromStdin ? STDIN_FILENO : ::open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return false;
    bool found = false;
    {
        RawTerminal raw(fd);
        if (raw.active() && sendSequence("\x1b[6n")) {
            auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
            std::string got;
            while (got.size() < 64) {
                auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                                deadline - std::chrono::steady_clock::now())
                                .count();
                if (left <= 0) break;
                int c = readByteWithin(fd, static_cast<int>(left));
                if (c < 0) break;
                got += static_cast<char>(c);
                size_t start;
                if (parseCursorReport(got, &start, column, row)) {
                    got.erase(start);
                    found = true;
                    break;
                }
            }
            if (fromStdin) posix_console.typed_ahead += got;
        }
    }
    if (!fromStdin) ::close(fd);
    return found;
}

bool platformSetCursorPosition(int column, int row) {
    char move[32];
    std::snprintf(move, sizeof move, "\x1b[%d;%dH", row + 1, column + 1);
    return sendSequence(move);
}

bool platformCursorInfo(int* size, bool* visible) {
    *size = posix_console.cursor_size;
    *visible = posix_console.cursor_visible;
    return true;
}

bool platformSetCursorInfo(int size, bool visible) {
    posix_console.cursor_size = size;
    posix_console.cursor_visible = visible;
    return sendSequence(visible ? "\x1b[?25h" : "\x1b[?25l");
}

// A terminal scrolls whole lines only: a rectangle as wide as the screen
// moves with a scrolling region, anything narrower stays.
bool platformScrollRect(int left, int top, int right, int bottom, int dest_column, int dest_row,
                        uint8_t fill_attribute) {
    int wl, wt, wr, wb;
    if (!platformWindowRect(&wl, &wt, &wr, &wb)) return false;
    if (left != wl || right != wr || dest_column != left || top > bottom || top < wt || bottom > wb)
        return false;
    int shift = dest_row - top;
    if (shift == 0) return true;
    int regionTop = shift > 0 ? top : dest_row;
    int regionBottom = shift > 0 ? bottom + shift : bottom;
    if (regionTop < wt) regionTop = wt;
    if (regionBottom > wb) regionBottom = wb;
    int lines = shift > 0 ? shift : -shift;
    char sequence[96];
    std::snprintf(sequence, sizeof sequence,
                  "\x1b"
                  "7\x1b[%d;%dr\x1b[%d%c\x1b[r\x1b"
                  "8",
                  regionTop + 1, regionBottom + 1, lines, shift > 0 ? 'T' : 'S');
    uint8_t applied = posix_console.applied_attribute;
    platformSetTextAttribute(fill_attribute);
    bool done = sendSequence(sequence);
    platformSetTextAttribute(applied);
    return done;
}

bool platformGetTitle(std::string* title) {
    if (!posix_console.title_set) return false;
    *title = posix_console.title;
    return true;
}

bool platformSetTitle(const char* title) {
    std::string clean;
    for (const char* p = title; *p; p++) {
        unsigned char c = static_cast<unsigned char>(*p);
        // A control character inside the title would end it early.
        if (c >= 0x20 && c != 0x7F) clean += *p;
    }
    posix_console.title = clean;
    posix_console.title_set = true;
    std::string sequence = "\x1b]0;" + clean + "\x07";
    sendSequence(sequence.c_str());
    return true;
}

// The window manipulations of xterm-like terminals; others ignore them. A
// terminal cannot hide its window, centre it, or take its borders away.
long platformConsoleWindow(ConsoleWindowOp op, long a, long b, long c, long d) {
    if (!outputIsTerminal()) return 0;
    char sequence[64];
    switch (op) {
    case ConsoleWindowOp::Visible:
        return 1;
    case ConsoleWindowOp::Show:
    case ConsoleWindowOp::Restore:
        return sendSequence("\x1b[1t") ? 1 : 0;
    case ConsoleWindowOp::Minimise:
        return sendSequence("\x1b[2t") ? 1 : 0;
    case ConsoleWindowOp::Maximise:
        return sendSequence("\x1b[9;1t") ? 1 : 0;
    case ConsoleWindowOp::Focus:
        return sendSequence("\x1b[1t\x1b[5t") ? 1 : 0;
    case ConsoleWindowOp::FullScreen:
        return sendSequence("\x1b[10;1t") ? 1 : 0;
    case ConsoleWindowOp::Move:
        std::snprintf(sequence, sizeof sequence, "\x1b[3;%ld;%ldt", a < 0 ? 0 : a, b < 0 ? 0 : b);
        if (c > 0 && d > 0)
            std::snprintf(sequence + std::strlen(sequence), sizeof sequence - std::strlen(sequence),
                          "\x1b[4;%ld;%ldt", d, c);
        return sendSequence(sequence) ? 1 : 0;
    default:
        return 0;
    }
}

bool platformKeyAvailable(int timeout_ms) {
    if (posix_console.queued_key >= 0 || !posix_console.typed_ahead.empty()) return true;
    RawTerminal raw(STDIN_FILENO);
    pollfd wait{STDIN_FILENO, POLLIN, 0};
    for (;;) {
        int ready = ::poll(&wait, 1, timeout_ms);
        if (ready < 0 && errno == EINTR) continue;
        // End of input and a closed descriptor count as a key: they read as
        // Escape.
        return ready != 0;
    }
}

int platformReadKey() {
    if (posix_console.queued_key >= 0) {
        int code = posix_console.queued_key;
        posix_console.queued_key = -1;
        return code;
    }
    RawTerminal raw(STDIN_FILENO);
    int key = nextInputByte(-1);
    if (key < 0) return 27;
    if (raw.active()) {
        if (key == 27) return readEscapeSequence();
        // The console's Backspace.
        if (key == 127) return 8;
        return key;
    }
    // A line end in piped input is an Enter.
    return key == '\n' ? '\r' : key;
}

void platformFlushInput() {
    posix_console.typed_ahead.clear();
    posix_console.queued_key = -1;
    if (::isatty(STDIN_FILENO) == 1) ::tcflush(STDIN_FILENO, TCIFLUSH);
}

void platformMessageBox(const char* text, const char* caption) {
    std::string line = text ? text : "";
    if (caption && *caption) line += std::string(" [") + caption + "]";
    line += '\n';
    writeAll(STDERR_FILENO, line.data(), line.size());
}

unsigned long platformLastError() {
    return static_cast<unsigned long>(errno);
}

std::string platformErrorText(unsigned long code) {
    return std::strerror(static_cast<int>(code));
}
