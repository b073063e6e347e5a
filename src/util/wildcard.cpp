#include "util/wildcard.h"

#include "util/text.h"

namespace {

char fold(char c, bool nocase) {
    return nocase ? zorakLowerAscii(c) : c;
}

} // namespace

// Iterative matcher with one backtrack point, so that no pattern can recurse
// deeply or take exponential time.
bool zorakWildcardMatch(std::string_view pattern, std::string_view text, bool nocase) {
    size_t p = 0, t = 0;
    size_t star = std::string_view::npos, resume = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = t;
        } else if (p < pattern.size() &&
                   (pattern[p] == '?' || fold(pattern[p], nocase) == fold(text[t], nocase))) {
            p++;
            t++;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            t = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        p++;
    return p == pattern.size();
}
