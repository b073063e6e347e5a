#include "util/text.h"

bool zorakEqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); i++)
        if (zorakLowerAscii(a[i]) != zorakLowerAscii(b[i])) return false;
    return true;
}

int zorakCompareNoCase(std::string_view a, std::string_view b) {
    size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; i++) {
        int x = static_cast<unsigned char>(zorakLowerAscii(a[i]));
        int y = static_cast<unsigned char>(zorakLowerAscii(b[i]));
        if (x != y) return x - y;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
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

std::string zorakZeroBytePlace(std::string_view text) {
    size_t at = text.find('\0');
    if (at == std::string_view::npos) return "";
    size_t line = 1;
    for (size_t i = 0; i < at; i++)
        if (text[i] == '\n') line++;
    return "offset " + std::to_string(at) + ", line " + std::to_string(line);
}

void zorakNormaliseLineEnds(std::string* text) {
    size_t size = text->size();
    for (size_t i = text->find('\r'); i != std::string::npos && i < size;
         i = text->find('\r', i + 1))
        if (i + 1 == size || (*text)[i + 1] != '\n') (*text)[i] = '\n';
}
