// The console layer's screen: the cursor, the window size, the text-info
// record, scrolling and the pause prompt.
#include "console/console.h"

#include "platform/platform.h"

#include <cstring>

namespace {

// Terminal and console coordinates are 16-bit.
constexpr long kMaxCoordinate = 32767;

long clampCoordinate(long value) {
    return value < 0 ? 0 : value > kMaxCoordinate ? kMaxCoordinate : value;
}

// A byte of the text-info record: wider screens read as 255, not as their
// width modulo 256.
uint8_t infoByte(long value) {
    return static_cast<uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value);
}

} // namespace

void gotoxy(long column, long row) {
    if (!console_state.output_handle || console_state.output_handle == -1) return;
    // Subtracting before clamping would overflow at the bottom of the range.
    column = clampCoordinate(column) - 1;
    row = clampCoordinate(row) - 1;
    platformSetCursorPosition(static_cast<int>(column < 0 ? 0 : column),
                              static_cast<int>(row < 0 ? 0 : row));
}

int console_cursor_column() {
    int column, row;
    return platformCursorPosition(&column, &row) ? column + 1 : 0;
}

int console_cursor_row() {
    int column, row;
    return platformCursorPosition(&column, &row) ? row + 1 : 0;
}

int console_window_width() {
    int left, top, right, bottom;
    return platformWindowRect(&left, &top, &right, &bottom) ? right - left + 1 : 80;
}

int console_window_height() {
    int left, top, right, bottom;
    return platformWindowRect(&left, &top, &right, &bottom) ? bottom - top + 1 : 24;
}

bool console_get_text_info(ConsoleTextInfo* info) {
    std::memset(info, 0, sizeof *info);
    info->attribute = get_text_attribute();
    info->normal_attribute = 0;
    info->current_mode = 255;
    int left, top, right, bottom, column, row;
    if (!platformWindowRect(&left, &top, &right, &bottom) || !platformCursorPosition(&column, &row))
        return false;
    info->window_left = infoByte(left);
    info->window_top = infoByte(top);
    info->window_right = infoByte(right);
    info->window_bottom = infoByte(bottom);
    info->screen_height = infoByte(bottom - top + 1);
    info->screen_width = infoByte(right - left + 1);
    info->cursor_column = infoByte(column + 1);
    info->cursor_row = infoByte(row + 1);
    return true;
}

void console_scroll(long x, long y, long width, long height, long n) {
    int windowLeft, windowTop, windowRight, windowBottom;
    if (!platformWindowRect(&windowLeft, &windowTop, &windowRight, &windowBottom)) return;
    long screenWidth = windowRight - windowLeft + 1, screenHeight = windowBottom - windowTop + 1;
    long left = x - 1 > 0 ? x - 1 : 0;
    long top = y - 1 > 0 ? y - 1 : 0;
    width = width > 0 ? width : 0;
    height = height > 0 ? height : 0;
    left = clampCoordinate(left);
    top = clampCoordinate(top);
    width = clampCoordinate(width);
    height = clampCoordinate(height);
    n = n < -kMaxCoordinate ? -kMaxCoordinate : n > kMaxCoordinate ? kMaxCoordinate : n;
    long right = left + width - 1 < screenWidth - 1 ? left + width - 1 : screenWidth - 1;
    long srcTop, srcBottom, destRow;
    if (n >= 0) {
        srcTop = top;
        srcBottom =
            top + height - n - 1 < screenHeight - 1 ? top + height - n - 1 : screenHeight - 1;
        destRow = srcBottom < top + n ? srcBottom : top + n;
    } else {
        srcTop = top - n;
        srcBottom = top + height + n < screenHeight - 1 ? top + height + n : screenHeight - 1;
        destRow = top;
    }
    if (right < left || srcBottom < srcTop) return;
    platformScrollRect(static_cast<int>(left), static_cast<int>(srcTop), static_cast<int>(right),
                       static_cast<int>(srcBottom), static_cast<int>(left),
                       static_cast<int>(destRow), 8);
}

int console_pause(const char* prompt, bool newline) {
    platformFlushInput();
    if (prompt && *prompt) {
        if (console_state.console_open)
            console_printf("%s", prompt);
        else
            console_write_stdout(prompt);
    }
    platformFlushOut();
    platformKeyAvailable(-1);
    if (newline) {
        if (console_state.console_open)
            Writes("\r\n");
        else
            console_write_stdout("\n");
    }
    return platformReadKey();
}
