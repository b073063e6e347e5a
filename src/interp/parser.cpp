#include "interp/parser.h"

#include <cstring>

const char* const kTokenTypeNames[] = {"PT_ESC",  "PT_STR",    "PT_CMD",    "PT_VAR",
                                       "PT_SEP",  "PT_EOL",    "PT_EOF",    "PT_FLOAT",
                                       "PT_NONE", "PT_EXPAND", "PT_UNKNOWN"};
const char* const kTokenShortNames[] = {"ESC", "str", "cmd",   "var",    "sep",
                                        "EOL", "EOF", "float", "expand", "ERROR"};

namespace {

bool isNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '.';
}

void advance(Parser* p, int n = 1) {
    p->pos += n;
    p->remaining -= n;
}

// Marks the token as running from start to the last character before pos.
void endTokenBeforePos(Parser* p, const char* start) {
    p->token_start = start;
    p->token_end = p->pos - 1;
}

void readSeparator(Parser* p) {
    const char* start = p->pos;
    bool lineEnd = false;
    while (p->remaining > 0) {
        char c = *p->pos;
        if (c == ' ' || c == '\t') {
        } else if (c == '\n' || c == '\r') {
            lineEnd = true;
        } else {
            break;
        }
        advance(p);
    }
    endTokenBeforePos(p, start);
    p->token_type = lineEnd || p->token_type == PT_EOL ? PT_EOL : PT_SEP;
}

void readCommandEnd(Parser* p) {
    const char* start = p->pos;
    while (p->remaining > 0 && std::strchr(" \t\n\r;", *p->pos) && *p->pos)
        advance(p);
    endTokenBeforePos(p, start);
    p->token_type = PT_EOL;
}

void skipComment(Parser* p) {
    while (p->remaining > 0 && *p->pos != '\n')
        advance(p);
}

void readCommand(Parser* p) {
    advance(p); // the "["
    const char* start = p->pos;
    int brackets = 1, braces = 0;
    bool quoted = false;
    while (p->remaining > 0) {
        char c = *p->pos;
        if (c == '"') {
            quoted = !quoted;
        } else if (c == '[' && braces == 0) {
            brackets++;
        } else if (c == ']' && braces == 0) {
            if (--brackets == 0) {
                endTokenBeforePos(p, start);
                advance(p); // the closing "]"
                p->token_type = PT_CMD;
                return;
            }
        } else if (c == '\\') {
            if (p->remaining > 1) advance(p);
        } else if (c == '{' && !quoted) {
            braces++;
        } else if (c == '}' && !quoted) {
            if (braces > 0) braces--;
        }
        advance(p);
    }
    endTokenBeforePos(p, start);
    p->token_type = PT_CMD;
}

int readVariable(Parser* p) {
    const char* dollar = p->pos;
    advance(p);
    const char* start = p->pos;
    // The token starts after the "$", also for the messages of a syntax error.
    p->token_start = start;
    p->token_end = start - 1;
    // "$$x" keeps the inner "$" in the token: a double dereference.
    while (p->remaining > 0 && *p->pos == '$')
        advance(p);
    const char* nameStart = p->pos;
    if (p->remaining > 0 && (*p->pos == '(' || *p->pos == ')')) return 1;
    if (p->remaining > 1 && p->pos[0] == ':' && p->pos[1] == ':') advance(p, 2);
    int depth = 0;
    while (p->remaining > 0) {
        char c = *p->pos;
        if (c == '{') {
            depth++;
        } else if (depth > 0) {
            if (c == '}' && --depth == 0) {
                advance(p);
                break;
            }
        } else if (isNameChar(c)) {
        } else if (c == ':' && p->remaining > 1 && p->pos[1] == ':' &&
                   !(p->remaining > 2 && p->pos[2] == ':')) {
            advance(p);
        } else {
            break;
        }
        advance(p);
    }
    if (depth > 0) return 1;
    if (p->pos == nameStart) {
        // A "$" with no name stands for itself.
        p->token_start = dollar;
        p->token_end = nameStart - 1;
        p->token_type = PT_STR;
        return 0;
    }
    endTokenBeforePos(p, start);
    p->token_type = PT_VAR;
    if (p->remaining > 0 && *p->pos == '(') {
        int parens = 1, i = 1;
        while (i < p->remaining) {
            char c = p->pos[i];
            if (c == '(')
                parens++;
            else if (c == ')' && --parens == 0)
                break;
            i++;
        }
        if (i < p->remaining) {
            p->has_subscript = 1;
            p->subscript_start = p->pos + 1;
            p->subscript_end = p->pos + i - 1;
            p->subscript_length = i - 1 > 0 ? i - 1 : 0;
            advance(p, i + 1);
        }
    }
    return 0;
}

int readBraced(Parser* p) {
    advance(p); // the "{"
    const char* start = p->pos;
    p->token_start = start;
    p->token_end = start - 1;
    if (p->remaining > 1 && p->pos[0] == '*' && p->pos[1] == '}') {
        if (p->remaining > 2 && (p->pos[2] == ' ' || p->pos[2] == '\t')) return 1;
        advance(p, 2);
        p->token_start = start;
        p->token_end = start - 1;
        p->token_type = PT_EXPAND;
        return 0;
    }
    int depth = 1;
    bool quoted = false;
    while (p->remaining > 0) {
        char c = *p->pos;
        if (c == '\\' && p->remaining > 1 && p->pos[1] == '\\') {
            advance(p, 2);
            continue;
        }
        if (c == '\\' && p->remaining >= 2) {
            advance(p, 2);
            continue;
        }
        if (c == '"') {
            quoted = !quoted;
        } else if (c == '{' && !quoted) {
            depth++;
        } else if (c == '}' && !quoted) {
            if (--depth == 0) {
                endTokenBeforePos(p, start);
                advance(p);
                p->token_type = PT_STR;
                return 0;
            }
        }
        advance(p);
    }
    endTokenBeforePos(p, start);
    p->token_type = PT_STR;
    return 0;
}

bool isQuoteEscapable(char c) {
    return c && std::strchr("$\"{}[()]\\ ", c);
}

int readWordFragment(Parser* p) {
    int prev = p->token_type;
    if (prev == PT_SEP || prev == PT_EOL || prev == PT_STR || prev == PT_EXPAND || prev == PT_ESC) {
        if (*p->pos == '{') return readBraced(p);
        if (*p->pos == '"' && !p->in_quote) {
            p->in_quote = 1;
            advance(p);
        }
    }
    const char* start = p->pos;
    while (p->remaining > 0) {
        char c = *p->pos;
        if (!p->in_quote && (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == ';')) break;
        if ((c == '$' || c == '[') && !(p->remaining > 1 && p->pos[1] == '"')) break;
        if (c == '"') {
            if (p->in_quote) {
                // A quote before ")" stays in the word, so a("key") keeps it.
                bool keep = p->remaining > 1 && p->pos[1] == ')';
                p->token_start = start;
                p->token_end = keep ? p->pos : p->pos - 1;
                advance(p);
                p->in_quote = 0;
                p->token_type = PT_ESC;
                return 0;
            }
            p->in_quote = 1;
            advance(p);
            continue;
        }
        if (c == '\\' && p->remaining >= 2) {
            if (p->in_quote) {
                advance(p, isQuoteEscapable(p->pos[1]) ? 2 : 1);
            } else {
                bool blank = p->pos[1] == ' ';
                advance(p, 2);
                // An escaped blank does not end the word, and neither does
                // whatever directly follows it.
                if (blank && p->remaining > 0) advance(p);
            }
            continue;
        }
        advance(p);
    }
    endTokenBeforePos(p, start);
    p->token_type = PT_ESC;
    return 0;
}

} // namespace

void zorakParserInit(Parser* p, const char* text, int length) {
    std::memset(p, 0, sizeof *p);
    p->text = text;
    p->pos = text;
    p->remaining = length;
    p->token_type = PT_EOL;
}

int zorakGetToken(Parser* p) {
    p->has_subscript = 0;
    p->subscript_start = nullptr;
    p->subscript_end = nullptr;
    p->subscript_length = 0;
    for (;;) {
        if (!p->pos) {
            p->token_type = PT_EOF;
            return 0;
        }
        if (p->remaining <= 0) {
            p->token_start = p->pos;
            p->token_end = p->pos - 1;
            p->token_type = p->token_type == PT_EOL || p->token_type == PT_EOF ? PT_EOF : PT_EOL;
            return 0;
        }
        switch (*p->pos) {
        case ' ':
        case '\t':
        case '\r':
            if (p->in_quote) return readWordFragment(p);
            readSeparator(p);
            return 0;
        case '\n':
        case ';':
            if (p->in_quote) return readWordFragment(p);
            readCommandEnd(p);
            return 0;
        case '#':
            if (p->token_type == PT_EOL) {
                skipComment(p);
                continue;
            }
            return readWordFragment(p);
        case '$':
            return readVariable(p);
        case '[':
            readCommand(p);
            return 0;
        default:
            return readWordFragment(p);
        }
    }
}

void zorakUnescape(char* text) {
    if (!text) return;
    char* w = text;
    for (char* r = text; *r; r++) {
        if (*r == '\\' && r[1]) {
            r++;
            switch (*r) {
            case 'r':
                *w++ = '\r';
                break;
            case 'n':
                *w++ = '\n';
                break;
            case 't':
                *w++ = '\t';
                break;
            default:
                *w++ = *r;
                break;
            }
        } else {
            *w++ = *r;
        }
    }
    *w = '\0';
}
