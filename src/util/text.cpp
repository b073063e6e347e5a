#include "util/text.h"

bool zorakEqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); i++)
        if (zorakLowerAscii(a[i]) != zorakLowerAscii(b[i])) return false;
    return true;
}

bool zorakStartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

std::string zorakUnescapeBlanks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); i++) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == ' ') i++;
        out += text[i];
    }
    return out;
}
