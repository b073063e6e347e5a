// Small text comparisons shared across the library.
#pragma once

#include <string>
#include <string_view>

// ASCII case folding of one character; other bytes are left alone.
inline char zorakLowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
inline char zorakUpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// ASCII case-insensitive equality.
bool zorakEqualNoCase(std::string_view a, std::string_view b);
// ASCII case-insensitive order: below 0, 0 or above 0 as a sorts before,
// with or after b.
int zorakCompareNoCase(std::string_view a, std::string_view b);
bool zorakStartsWith(std::string_view text, std::string_view prefix);
// Every backslash-blank pair becomes a blank.
std::string zorakUnescapeBlanks(std::string_view text);
// Where the first zero byte of a script text lies, as "offset N, line L",
// or the empty string when it has none. A zero byte would end the text
// early wherever it is handled as a C string, so file readers refuse it.
std::string zorakZeroBytePlace(std::string_view text);
// A carriage return that no line feed follows ends a line as well: such
// lone ones become line feeds, so a file with old-style line ends runs line
// by line instead of as one long line (or one long comment).
void zorakNormaliseLineEnds(std::string* text);
