// Parsed scripts kept by their text. Procedure bodies, loop bodies and
// bracketed commands are evaluated again and again; their tokens are cut
// once and replayed, so every later run sees exactly what the tokeniser
// would have produced, in the same order, errors included.
#pragma once

#include "interp/parser.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The tokeniser's state after one call: positions as offsets into the text
// (-1 for none) and the call's return code.
struct CachedToken {
    int32_t type;
    int32_t start;
    int32_t end;
    int32_t pos;
    int32_t remaining;
    int32_t subscript_start;
    int32_t subscript_end;
    int32_t subscript_length;
    int16_t has_subscript;
    int16_t failed;
};

struct TokenList {
    std::string text;
    std::vector<CachedToken> tokens;
};

// The tokens of script (length bytes), from the cache or cut now; null for a
// text the cache does not keep (a very long one, or one seen for the first
// time): the caller then tokenises as it goes.
std::shared_ptr<const TokenList> zorakParsedScript(const char* script, int length);
// Puts the parser in the state the cached token describes; returns what the
// tokeniser returned.
inline int zorakReplayToken(Parser* p, const CachedToken& token) {
    const char* text = p->text;
    p->token_type = token.type;
    p->token_start = token.start < 0 ? nullptr : text + token.start;
    p->token_end = token.end == -2 ? nullptr : text + token.end;
    p->pos = token.pos < 0 ? nullptr : text + token.pos;
    p->remaining = token.remaining;
    if (token.has_subscript) {
        p->subscript_start = text + token.subscript_start;
        p->subscript_end = text + token.subscript_end;
    } else {
        p->subscript_start = token.subscript_start < 0 ? nullptr : text + token.subscript_start;
        p->subscript_end = token.subscript_end < 0 ? nullptr : text + token.subscript_end;
    }
    p->subscript_length = token.subscript_length;
    p->has_subscript = token.has_subscript;
    return token.failed;
}
