// Wildcard matching of names against patterns: "*" matches any run of
// characters (also none), "?" any one character, every other character
// itself. With nocase, ASCII letters match regardless of case.
#pragma once

#include <string_view>

bool zorakWildcardMatch(std::string_view pattern, std::string_view text, bool nocase);
