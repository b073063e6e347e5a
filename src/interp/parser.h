// The tokeniser: cuts script text into tokens in place, without copying or
// allocating. Tokens are position pairs into the caller's text.
#pragma once

#include <string_view>

enum TokenType {
    PT_ESC = 0,
    PT_STR = 1,
    PT_CMD = 2,
    PT_VAR = 3,
    PT_SEP = 4,
    PT_EOL = 5,
    PT_EOF = 6,
    PT_FLOAT = 7,
    PT_NONE = 8,
    PT_EXPAND = 9,
    PT_UNKNOWN = 10
};

extern const char* const kTokenTypeNames[];
extern const char* const kTokenShortNames[];

struct Parser {
    const char* text;
    const char* pos;
    int remaining;
    const char* token_start;
    // Last character of the token (inclusive); token_start - 1 for an empty token.
    const char* token_end;
    int token_type;
    int in_quote;
    int has_subscript;
    const char* subscript_start;
    const char* subscript_end;
    int subscript_length;

    std::string_view token() const {
        if (!token_start || token_end < token_start) return {};
        return std::string_view(token_start, static_cast<size_t>(token_end - token_start + 1));
    }
    std::string_view subscript() const {
        if (!has_subscript || !subscript_start || subscript_length <= 0) return {};
        return std::string_view(subscript_start, static_cast<size_t>(subscript_length));
    }
};

void zorakParserInit(Parser* p, const char* text, int length);
// Reads the next token. Returns 0, or 1 for a syntax error.
int zorakGetToken(Parser* p);
// In place: \r \n \t become CR, LF and tab, a backslash before any other
// character yields that character, a backslash at the very end stays.
void zorakUnescape(char* text);
