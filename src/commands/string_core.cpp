// The routines every string command shares.
#include "commands/string_core.h"

#include "interp/errors.h"
#include "util/number_text.h"
#include "util/text.h"
#include "vars/variables.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

int zorakStringResult(Interpreter* interp, std::string_view text) {
    // A result too long for the recorded length is copied to its first zero byte.
    if (text.empty() || text.size() > INT32_MAX) {
        std::string copy(text);
        zorakSetResult(interp, copy.c_str(), 0);
    } else {
        zorakSetResult(interp, text.data(), static_cast<int>(text.size()));
    }
    return OK;
}

int zorakStringResultInt(Interpreter* interp, int64_t value) {
    char* text = zorakFormatInt(value);
    zorakSetResult(interp, text, 0);
    std::free(text);
    return OK;
}

Var* zorakStringVar(Interpreter* interp, const char* name) {
    Var* var = zorakGetVar(interp, name, kScopeCurrent);
    if (!var || var->type != VT_AUTO || var->is_pointer) return nullptr;
    return var;
}

std::string_view zorakStringVarText(const Var* var) {
    return var->value ? std::string_view(var->value) : std::string_view();
}

int zorakStringStore(Interpreter* interp, const char* name, Var* var, std::string_view text) {
    if (var->is_constant) return OK;
    std::string value(text);
    return set_var(interp, name, value.c_str()) ? ERROR : OK;
}

void zorakStringLower(std::string* text) {
    for (char& c : *text)
        c = zorakLowerAscii(c);
}

void zorakStringUpper(std::string* text) {
    for (char& c : *text)
        c = zorakUpperAscii(c);
}

bool zorakStringIsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

size_t zorakStringFind(std::string_view text, std::string_view find, bool nocase, bool last) {
    if (!nocase) return last ? text.rfind(find) : text.find(find);
    auto equal = [](char a, char b) { return zorakLowerAscii(a) == zorakLowerAscii(b); };
    if (find.size() > text.size()) return std::string_view::npos;
    if (last) {
        auto at = std::find_end(text.begin(), text.end(), find.begin(), find.end(), equal);
        if (at == text.end() && !find.empty()) return std::string_view::npos;
        return static_cast<size_t>(at - text.begin());
    }
    auto at = std::search(text.begin(), text.end(), find.begin(), find.end(), equal);
    if (at == text.end() && !find.empty()) return std::string_view::npos;
    return static_cast<size_t>(at - text.begin());
}

std::string_view zorakStringTrim(std::string_view text, std::string_view set, bool left,
                                 bool right) {
    if (left) {
        size_t start = text.find_first_not_of(set);
        text.remove_prefix(start == std::string_view::npos ? text.size() : start);
    }
    if (right) {
        size_t end = text.find_last_not_of(set);
        text.remove_suffix(end == std::string_view::npos ? text.size() : text.size() - end - 1);
    }
    return text;
}
