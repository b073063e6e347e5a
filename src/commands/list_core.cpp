#include "commands/list_core.h"

#include <string>

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool isScanSeparator(char c) {
    return c == ' ' || c == '\r' || c == '\n';
}

bool hasSpaceOrTab(std::string_view word) {
    return word.find_first_of(" \t") != std::string_view::npos;
}

} // namespace

// ---------------------------------------------------------------- builder

void zorakListAppendWord(std::string* out, std::string_view word) {
    if (!out->empty()) out->push_back(' ');
    if (word.empty()) {
        out->append("{}");
    } else if (word.front() != '{' && hasSpaceOrTab(word)) {
        out->push_back('{');
        out->append(word);
        out->push_back('}');
    } else {
        out->append(word);
    }
}

std::string zorakBuildList(int count, const char* const* words) {
    std::string out;
    for (int i = 0; i < count; i++)
        zorakListAppendWord(&out, words[i] ? words[i] : "");
    return out;
}

char* zorakBuildListText(int count, const char* const* words) {
    return zorakStrDup(zorakBuildList(count, words));
}

void zorakListAppendBraced(std::string* out, std::string_view element, bool first, bool tabs) {
    if (!first) out->push_back(' ');
    bool wrap = element.find_first_of(tabs ? " \t" : " ") != std::string_view::npos;
    if (wrap) out->push_back('{');
    out->append(element);
    if (wrap) out->push_back('}');
}

std::vector<std::string> zorakSplitFields(std::string_view text, std::string_view chars,
                                          bool literal) {
    std::vector<std::string> fields;
    if (chars.empty()) {
        for (char c : text)
            fields.emplace_back(1, c);
        return fields;
    }
    size_t start = 0;
    for (;;) {
        size_t at = literal ? text.find(chars, start) : text.find_first_of(chars, start);
        if (at == std::string_view::npos) break;
        fields.emplace_back(text.substr(start, at - start));
        start = at + (literal ? chars.size() : 1);
    }
    fields.emplace_back(text.substr(start));
    return fields;
}

// ---------------------------------------------------------------- scanner

int zorakScanList(std::string_view text, StringVector* out, const ListScanOptions& options,
                  bool* quote_line_end) {
    if (quote_line_end) *quote_line_end = false;
    size_t begin = text.find_first_not_of("\r\n\t ");
    if (begin == std::string_view::npos) return 0;
    size_t end = text.find_last_not_of("\r\n\t ") + 1;
    int count = 0;
    int depth = 0;
    bool inQuote = false;
    bool delimited = false;
    bool previousSeparates = false;
    std::string element;
    auto store = [&]() {
        if (!element.empty() || (options.keep_empty && delimited)) {
            if (!options.count_only && out) zorakVectorAppend(out, element);
            count++;
        }
        element.clear();
        delimited = false;
    };
    for (size_t i = begin; i < end; i++) {
        char c = text[i];
        bool outside = depth == 0 && !inQuote;
        if (outside && c == '\t') continue; // neither separates nor belongs
        if (c == '"' && depth == 0) {
            inQuote = !inQuote;
            delimited = true;
            if (!inQuote && quote_line_end && i + 1 < end &&
                (text[i + 1] == '\r' || text[i + 1] == '\n'))
                *quote_line_end = true;
            previousSeparates = false;
            continue;
        }
        if (!inQuote && c == '{') {
            if (depth++ == 0) {
                delimited = true;
                previousSeparates = false;
                continue;
            }
        } else if (!inQuote && c == '}' && depth > 0) {
            if (--depth == 0) {
                previousSeparates = false;
                continue;
            }
        } else if (outside && isScanSeparator(c)) {
            if (!previousSeparates) store();
            previousSeparates = true;
            continue;
        }
        element += c;
        previousSeparates = false;
    }
    store();
    return count;
}

// ---------------------------------------------------------------- splitter

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
    while (i < text.size() && isBlank(text[i]))
        i++;
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
                if (text[j] == '{')
                    depth++;
                else if (text[j] == '}' && --depth == 0)
                    break;
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
    while (!element.empty() && isBlank(element.back()))
        element.pop_back();
    store(false);
    return count;
}
