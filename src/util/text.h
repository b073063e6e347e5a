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
bool zorakStartsWith(std::string_view text, std::string_view prefix);
// Every backslash-blank pair becomes a blank.
std::string zorakUnescapeBlanks(std::string_view text);
