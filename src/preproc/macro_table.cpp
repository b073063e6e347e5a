#include "preproc/macro_table.h"

#include <algorithm>
#include <cstring>

MacroTable::MacroTable() {
    define("True", "1");
    define("False", "0");
    define("__LINE__", "0");
}

void MacroTable::define(std::string_view name, std::string_view value) {
    std::string key(name);
    auto found = values_.find(key);
    if (found == values_.end()) {
        order_.push_back(key);
        values_.emplace(key, std::string(value));
    } else {
        found->second.assign(value);
    }
    longest_ = std::max(longest_, name.size());
}

bool MacroTable::remove(std::string_view name) {
    auto found = values_.find(std::string(name));
    if (found == values_.end()) return false;
    values_.erase(found);
    order_.erase(std::find(order_.begin(), order_.end(), std::string(name)));
    return true;
}

const std::string* MacroTable::find(std::string_view name) const {
    if (name.size() > longest_) return nullptr;
    auto found = values_.find(std::string(name));
    return found == values_.end() ? nullptr : &found->second;
}

std::vector<std::pair<std::string, std::string>> MacroTable::list() const {
    std::vector<std::pair<std::string, std::string>> entries;
    for (const std::string& name : order_)
        entries.emplace_back(name, values_.at(name));
    return entries;
}

std::string expand_macros(std::string_view text, const MacroTable& table) {
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        if (std::strchr(" \t{}[]()';", text[i]) && text[i]) {
            out += text[i++];
            continue;
        }
        size_t end = i;
        while (end < text.size() && !(text[end] && std::strchr(" \t{}[]()';", text[end])))
            end++;
        std::string_view word = text.substr(i, end - i);
        const std::string* value = table.find(word);
        if (value)
            out += *value;
        else
            out.append(word);
        i = end;
    }
    if (!out.empty() && out.front() == '"') out.erase(0, 1);
    if (!out.empty() && out.back() == '"') out.pop_back();
    return out;
}
