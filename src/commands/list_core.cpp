#include "commands/list_core.h"

#include <string>

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

} // namespace

int zorakSplitList(std::string_view text, StringVector* out) {
    int count = 0;
    std::string element;
    bool inQuote = false;
    bool inWord = false; // an unquoted element is being collected
    auto store = [&](bool evenEmpty) {
        if (evenEmpty || !element.empty()) {
            if (out) zorakVectorAppend(out, element);
            count++;
        }
        element.clear();
        inWord = false;
    };
    size_t i = 0;
    while (i < text.size() && isBlank(text[i])) i++;
    while (i < text.size()) {
        char c = text[i];
        if (c == '"') {
            if (inQuote) {
                inQuote = false;
                store(true);
            } else {
                inQuote = true;
            }
            i++;
            continue;
        }
        if (c == '\r' || c == '\n') {
            store(false);
            i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
            continue;
        }
        if (c == '\\') {
            element += c;
            if (i + 1 < text.size()) element += text[i + 1];
            inWord = !inQuote;
            i += 2;
            continue;
        }
        if (inQuote) {
            element += c;
            i++;
            continue;
        }
        if (c == '{' && !inWord && element.empty()) {
            int depth = 1;
            size_t j = i + 1;
            for (; j < text.size(); j++) {
                if (text[j] == '{') depth++;
                else if (text[j] == '}' && --depth == 0) break;
            }
            element.assign(text.substr(i + 1, j - i - 1));
            store(true);
            // The character after the closing brace is skipped, whatever it is.
            i = j + 2;
            continue;
        }
        if (c == ' ' || c == '\t') {
            store(false);
            i++;
            continue;
        }
        element += c;
        inWord = true;
        i++;
    }
    while (!element.empty() && isBlank(element.back())) element.pop_back();
    store(false);
    return count;
}
