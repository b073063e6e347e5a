#include "platform/posix/ansi_colour.h"

#include <cstdio>

// The console numbers colours blue=1, green=2, red=4; ANSI numbers them
// red=1, green=2, blue=4. Bit 3 is intensity in both worlds.
static int ansiColourIndex(int consoleColour) {
    int low = consoleColour & 7;
    return ((low & 1) << 2) | (low & 2) | ((low & 4) >> 2);
}

size_t ansiSequenceForAttribute(uint8_t attribute, char* out, size_t size) {
    int fg = attribute & 15, bg = (attribute >> 4) & 15;
    int fgCode = (fg & 8 ? 90 : 30) + ansiColourIndex(fg);
    int bgCode = (bg & 8 ? 100 : 40) + ansiColourIndex(bg);
    int n;
    if (attribute == 7)
        n = std::snprintf(out, size, "\x1b[0m");
    else if (bg == 0)
        n = std::snprintf(out, size, "\x1b[0;%dm", fgCode);
    else
        n = std::snprintf(out, size, "\x1b[0;%d;%dm", fgCode, bgCode);
    return n < 0 ? 0 : static_cast<size_t>(n) < size ? static_cast<size_t>(n) : size - 1;
}
