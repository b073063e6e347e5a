#include "util/escape.h"

#include "util/heap_text.h"

#include <cstdlib>
#include <cstring>

char* zorakEscapeScriptText(std::string_view text) {
    size_t extra = 0;
    for (char c : text)
        if (std::strchr("\\$[]{}", c) && c) extra++;
    char* out = static_cast<char*>(std::malloc(text.size() + extra + 1));
    if (!out) return nullptr;
    char* w = out;
    for (char c : text) {
        if (c && std::strchr("\\$[]{}", c)) *w++ = '\\';
        *w++ = c;
    }
    *w = '\0';
    return out;
}
