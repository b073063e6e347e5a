// Cuts each input into tokens until the end of the text or a syntax error,
// and unescapes a copy. Every token must lie inside the text, and the
// tokeniser must reach the end in a bounded number of steps.
#include "interp/parser.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    Parser p;
    zorakParserInit(&p, text.c_str(), static_cast<int>(text.size()));
    const char* begin = text.c_str();
    const char* end = begin + text.size();
    // Each token consumes at least one character or ends the text; a few
    // empty separator tokens may come between.
    size_t limit = 4 * size + 16;
    for (size_t steps = 0;; steps++) {
        if (steps > limit) std::abort();
        if (zorakGetToken(&p) != 0) break;
        std::string_view token = p.token();
        if (!token.empty() && (token.data() < begin || token.data() + token.size() > end))
            std::abort();
        std::string_view subscript = p.subscript();
        if (!subscript.empty() &&
            (subscript.data() < begin || subscript.data() + subscript.size() > end))
            std::abort();
        if (p.token_type == PT_EOF) break;
    }
    std::string copy(text.c_str());
    zorakUnescape(copy.data());
    return 0;
}
