#include "platform/platform.h"
#include "platform/posix/ansi_colour.h"

#include <cerrno>
#include <cstdlib>
#include <termios.h>
#include <unistd.h>

bool platformWriteOut(const char* data, size_t size) {
    while (size > 0) {
        ssize_t written = ::write(STDOUT_FILENO, data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

void platformFlushOut() {}

bool platformOutputHasColour() {
    static int cached = -1;
    if (cached < 0) {
        const char* noColour = std::getenv("NO_COLOR");
        cached = ::isatty(STDOUT_FILENO) && !(noColour && *noColour) ? 1 : 0;
    }
    return cached == 1;
}

void platformSetTextAttribute(uint8_t attribute) {
    if (!platformOutputHasColour()) return;
    char sequence[32];
    size_t n = ansiSequenceForAttribute(attribute, sequence, sizeof sequence);
    platformWriteOut(sequence, n);
}

void platformClearToEndOfLine() {
    if (!::isatty(STDOUT_FILENO)) return;
    platformWriteOut("\x1b[K", 3);
}

namespace {

int readByte() {
    unsigned char c;
    for (;;) {
        ssize_t n = ::read(STDIN_FILENO, &c, 1);
        if (n == 1) return c;
        if (n < 0 && errno == EINTR) continue;
        return -1;
    }
}

// Scan codes of the extended keys, as the Windows console reports them.
int scanCodeForEscapeSequence(int final) {
    switch (final) {
    case 'A': return 72; // up
    case 'B': return 80; // down
    case 'C': return 77; // right
    case 'D': return 75; // left
    case 'H': return 71; // home
    case 'F': return 79; // end
    default: return 0;
    }
}

int pendingScanCode = 0;

} // namespace

int platformReadKey() {
    if (pendingScanCode) {
        int code = pendingScanCode;
        pendingScanCode = 0;
        return code;
    }
    termios saved{};
    bool terminal = ::isatty(STDIN_FILENO) && ::tcgetattr(STDIN_FILENO, &saved) == 0;
    if (terminal) {
        termios raw = saved;
        raw.c_lflag &= ~(ICANON | ECHO);
        raw.c_cc[VMIN] = 1;
        raw.c_cc[VTIME] = 0;
        ::tcsetattr(STDIN_FILENO, TCSANOW, &raw);
    }
    int key = readByte();
    if (key == 27 && terminal) {
        // An escape sequence from a cursor or paging key arrives at once;
        // a lone Escape press does not continue within a tenth of a second.
        termios wait = saved;
        wait.c_lflag &= ~(ICANON | ECHO);
        wait.c_cc[VMIN] = 0;
        wait.c_cc[VTIME] = 1;
        ::tcsetattr(STDIN_FILENO, TCSANOW, &wait);
        int second = readByte();
        if (second == '[' || second == 'O') {
            int third = readByte();
            int scan = scanCodeForEscapeSequence(third);
            if (third >= '0' && third <= '9') {
                int tilde = readByte();
                (void)tilde;
                scan = third == '5' ? 73 : third == '6' ? 81 : third == '1' ? 71
                       : third == '4' ? 79 : third == '3' ? 83 : 0;
            }
            if (scan) {
                pendingScanCode = scan;
                key = 224;
            }
        }
    }
    if (terminal) ::tcsetattr(STDIN_FILENO, TCSANOW, &saved);
    if (key < 0) return 27;
    if (key == '\n') return '\r';
    return key;
}
