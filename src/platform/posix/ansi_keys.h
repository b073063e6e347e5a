// The escape sequences a terminal sends for cursor, paging and function keys,
// as the extended-key pairs of the console: a prefix (224, or 0 for F1 to
// F10 and Shift+Tab) and the scan code.
#pragma once

#include <string_view>

struct AnsiKey {
    // -1 when the sequence names no key the console knows.
    int prefix = -1;
    int scan = 0;
};

// True once the bytes after an Escape ("[", "O" and what followed) form a
// whole sequence; false while more are to come.
bool ansiKeySequenceComplete(std::string_view sequence);
// Decodes the bytes after an Escape, e.g. "[A", "OP", "[5~" or "[1;5C".
AnsiKey ansiKeyFromSequence(std::string_view sequence);
