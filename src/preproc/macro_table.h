// The macros of one preprocessing run.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class MacroTable {
  public:
    MacroTable();
    void define(std::string_view name, std::string_view value);
    bool remove(std::string_view name);
    // The macro's value, or null when the name is no macro.
    const std::string* find(std::string_view name) const;
    // Every macro in listing order.
    std::vector<std::pair<std::string, std::string>> list() const;
    // The longest macro name: no longer word needs a lookup.
    size_t longestName() const { return longest_; }

  private:
    std::unordered_map<std::string, std::string> values_;
    std::vector<std::string> order_;
    size_t longest_ = 0;
};

// Replaces each word of text that is a macro name by the macro's value. Words
// are cut at blanks, tabs, braces, brackets, parentheses, apostrophes and
// semicolons, which are kept; then one leading and one trailing double quote
// are removed.
std::string expand_macros(std::string_view text, const MacroTable& table);
