// The list pager that listing commands share: a header line, then the list a
// screen at a time, with the paging keys between screens.
#include "shell/shell.h"

#include "console/console.h"
#include "platform/platform.h"

#include <algorithm>

namespace {

constexpr int kExtendedKey = 224;
constexpr int kFunctionKey = 0;
constexpr int kEscape = 27;
constexpr int kHome = 71;
constexpr int kUp = 72;
constexpr int kPageUp = 73;
constexpr int kEnd = 79;

// The console's key reader: the prompt, then the key; a null prompt reads
// the scan code that follows an extended-key prefix.
int consoleKey(const char* prompt) {
    return prompt ? console_pause(prompt, false) : platformReadKey();
}

int readPagerKey(PagerKeyReader read_key, const char* prompt, uint8_t attribute, int* scan) {
    set_text_attribute(attribute);
    int key = read_key(prompt);
    set_text_attribute(7);
    Writes("\r");
    console_clear_to_eol();
    Writes("\r");
    *scan = -1;
    if (key == kExtendedKey || key == kFunctionKey) *scan = read_key(nullptr);
    return key;
}

void printHeader(const char* header, int attribute) {
    // A header without a background of its own shows in bright text.
    uint8_t shown = static_cast<uint8_t>(attribute & 0xF0 ? attribute : attribute | 15);
    set_text_attribute(shown);
    console_printf("%-79s", header ? header : "");
    set_text_attribute(7);
    console_printf("\n");
}

void printLine(const char* line, bool keyword_colouring) {
    if (keyword_colouring)
        zorakPrintKeywordLine(line ? line : "", 7);
    else
        Writes(line ? line : "");
    set_text_attribute(7);
    console_printf("\n");
}

} // namespace

int zorakListPager(const char* const* lines, int count, int header_attribute,
                   bool keyword_colouring, bool paging, PagerKeyReader read_key) {
    if (!lines || count < 1) return 0;
    if (!read_key) read_key = consoleKey;
    int page = std::max(1, std::min(count, console_window_height() - 2));
    int top = 1;
    int key = 0;
    for (;;) {
        Cls(' ', -1);
        printHeader(lines[0], header_attribute);
        int end = paging ? std::min(count, top + page) : count;
        for (int i = top; i < end; i++)
            printLine(lines[i], keyword_colouring);
        if (!paging) return key;
        int scan;
        if (end < count) {
            key = readPagerKey(read_key, "-- More (PgUp, PgDn, Home, End, Esc quits) --", 7, &scan);
            if (key == kEscape) return key;
            if (scan == kHome)
                top = 1;
            else if (scan == kUp || scan == kPageUp)
                top = std::max(1, top - page);
            else if (scan == kEnd)
                top = std::max(1, count - page);
            else // Down, PgDn and every other key: the next page
                top = end;
            continue;
        }
        key = readPagerKey(read_key, "-- End - ESC to Close --", 112, &scan);
        if (key == kEscape) return key;
        if (scan == kUp || scan == kPageUp)
            top = std::max(1, top - page);
        else
            top = 1;
    }
}
