// add_precedence_brackets: the textual pass that gives the left-to-right
// core its precedence. It only inserts parentheses (and a leading 0 before
// a leading minus): *, / and ** bind tighter than + and -, && and || bind
// loosest and group from the left, everything else shares one level.
#include "expr/expression.h"

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

enum class Kind { Operand, Operator, Space, Open, Close, Group, Other };

struct Token {
    std::string text;
    Kind kind;
    // An opening parenthesis inserted by the grouping step (closed at the
    // next + or - or at the end), as opposed to one written in the text.
    bool inserted = false;
};

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isRunChar(char c) {
    return isLetter(c) || isDigit(c) || c == '$' || c == '_' || c == ':' || c == '.';
}

// The index of the character that closes the opener at text[at] ("(", "[",
// "{" or a double quote), or npos. Parentheses step over bracketed, braced
// and quoted text; backslash pairs never count.
size_t findClose(std::string_view text, size_t at) {
    char open = text[at];
    if (open == '"') {
        for (size_t i = at + 1; i < text.size(); i++) {
            if (text[i] == '\\')
                i++;
            else if (text[i] == '"')
                return i;
        }
        return std::string_view::npos;
    }
    char close = open == '(' ? ')' : (open == '[' ? ']' : '}');
    int depth = 0;
    for (size_t i = at; i < text.size(); i++) {
        char c = text[i];
        if (c == '\\') {
            i++;
            continue;
        }
        if (open == '(' && i > at && (c == '[' || c == '{' || c == '"')) {
            size_t end = findClose(text, i);
            if (end == std::string_view::npos) return end;
            i = end;
            continue;
        }
        if (c == open)
            depth++;
        else if (c == close && --depth == 0)
            return i;
    }
    return std::string_view::npos;
}

bool fullyParenthesised(std::string_view text) {
    return !text.empty() && text[0] == '(' && findClose(text, 0) == text.size() - 1;
}

// && and || close off everything to their left: a && b || c becomes
// ((a )&&( b ))||( c). Only operators outside parentheses, brackets,
// braces and quotes split; groups are rewritten when the scan reaches them.
std::string logicalSplit(std::string_view text) {
    std::vector<std::string_view> segments;
    std::vector<std::string_view> operators;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); i++) {
        char c = text[i];
        if (c == '\\') {
            i++;
            continue;
        }
        if (c == '(' || c == '[' || c == '{' || c == '"') {
            size_t end = findClose(text, i);
            if (end == std::string_view::npos) break;
            i = end;
            continue;
        }
        if (i + 1 < text.size() &&
            ((c == '&' && text[i + 1] == '&') || (c == '|' && text[i + 1] == '|'))) {
            segments.push_back(text.substr(start, i - start));
            operators.push_back(text.substr(i, 2));
            start = i + 2;
            i++;
        }
    }
    if (operators.empty()) return std::string(text);
    segments.push_back(text.substr(start));
    std::string out(segments[0]);
    for (size_t k = 0; k < operators.size(); k++) {
        std::string next = "(";
        next += out;
        next += ')';
        next += operators[k];
        next += '(';
        next += segments[k + 1];
        next += ')';
        out = std::move(next);
    }
    return out;
}

std::string rewrite(std::string_view text, int depth);

bool operandExpected(const std::vector<Token>& tokens) {
    for (size_t k = tokens.size(); k > 0; k--) {
        const Token& t = tokens[k - 1];
        if (t.kind == Kind::Space) continue;
        return t.kind == Kind::Operator;
    }
    return true;
}

std::vector<Token> scan(std::string_view text, int depth) {
    std::vector<Token> tokens;
    size_t n = text.size();
    tokens.reserve(n / 2 + 4);
    size_t i = 0;
    while (i < n) {
        char c = text[i];
        if (c == '[' || c == '{' || c == '"') {
            size_t end = findClose(text, i);
            if (end != std::string_view::npos) {
                tokens.push_back({std::string(text.substr(i, end - i + 1)), Kind::Operand});
                i = end + 1;
                continue;
            }
        }
        if (c == '(') {
            size_t end = findClose(text, i);
            if (end != std::string_view::npos && end > i + 1) {
                std::string_view inner = text.substr(i + 1, end - i - 1);
                Token* previous = tokens.empty() ? nullptr : &tokens.back();
                if (previous && previous->kind == Kind::Operand && previous->text[0] == '$') {
                    // An array subscript belongs to its variable reference.
                    previous->text.append(text.substr(i, end - i + 1));
                } else if (previous && previous->kind == Kind::Operand &&
                           isLetter(previous->text[0])) {
                    previous->text += '(';
                    previous->text += rewrite(inner, depth + 1);
                    previous->text += ')';
                } else {
                    std::string rewritten = rewrite(inner, depth + 1);
                    if (fullyParenthesised(rewritten)) {
                        tokens.push_back({std::move(rewritten), Kind::Group});
                    } else {
                        tokens.push_back({"(", Kind::Open});
                        tokens.push_back({std::move(rewritten), Kind::Group});
                        tokens.push_back({")", Kind::Close});
                    }
                }
                i = end + 1;
                continue;
            }
        }
        if ((c == '+' || c == '-') && i + 1 < n &&
            (isLetter(text[i + 1]) || isDigit(text[i + 1]) || text[i + 1] == '$') &&
            operandExpected(tokens)) {
            size_t end = i + 1;
            while (end < n && isRunChar(text[end]) &&
                   (text[end] != '.' || (end + 1 < n && isDigit(text[end + 1]))))
                end++;
            std::string operand(c == '-' ? text.substr(i, end - i)
                                         : text.substr(i + 1, end - i - 1));
            tokens.push_back({std::move(operand), Kind::Operand});
            i = end;
            continue;
        }
        if (isRunChar(c) && (c != '.' || (i + 1 < n && isDigit(text[i + 1])))) {
            size_t end = i;
            while (end < n && isRunChar(text[end]) &&
                   (text[end] != '.' || (end + 1 < n && isDigit(text[end + 1]))))
                end++;
            tokens.push_back({std::string(text.substr(i, end - i)), Kind::Operand});
            i = end;
            continue;
        }
        if (i + 1 < n) {
            char d = text[i + 1];
            bool pair =
                (c == d && std::strchr("*<>&|", c)) || (d == '=' && std::strchr("+-*/^%&|!><", c));
            if (pair) {
                tokens.push_back({std::string(text.substr(i, 2)), Kind::Operator});
                i += 2;
                continue;
            }
        }
        if (std::strchr("+-*/&|^%><!=,?", c)) {
            tokens.push_back({std::string(1, c), Kind::Operator});
            i++;
            continue;
        }
        if (c == ' ' || c == '\t') {
            while (i < n && (text[i] == ' ' || text[i] == '\t'))
                i++;
            tokens.push_back({" ", Kind::Space});
            continue;
        }
        tokens.push_back({std::string(1, c), Kind::Other});
        i++;
    }
    return tokens;
}

bool isMultiplicative(const Token& t) {
    return t.kind == Kind::Operator && (t.text == "*" || t.text == "/" || t.text == "**");
}

bool isAdditive(const Token& t) {
    return t.kind == Kind::Operator && (t.text == "+" || t.text == "-");
}

// A comma separates list items and function arguments, so no group may
// span one: it bounds a group like + and - do.
bool boundsGroup(const Token& t) {
    return isAdditive(t) || (t.kind == Kind::Operator && t.text == ",");
}

// Operand tokens keep a multiplicative group open; any other token ends it.
bool keepsGroupOpen(const Token& t) {
    if (t.kind != Kind::Operand || t.text.empty()) return false;
    char c = t.text[0];
    if (c == '-' || c == '+') c = t.text.size() > 1 ? t.text[1] : ' ';
    return isLetter(c) || isDigit(c) || c == '$';
}

std::vector<Token> group(std::vector<Token> tokens) {
    std::vector<Token> out;
    out.reserve(tokens.size() + 8);
    bool open = false;
    for (Token& token : tokens) {
        if (isMultiplicative(token)) {
            if (!open) {
                // Take tokens back to the nearest + or - (or comma) outside
                // parentheses.
                int level = 0;
                size_t k = out.size();
                for (; k > 0; k--) {
                    const Token& t = out[k - 1];
                    if (t.kind == Kind::Close)
                        level++;
                    else if (t.kind == Kind::Open)
                        level--;
                    else if (boundsGroup(t) && level <= 0)
                        break;
                }
                // The group opens at its first operand: 1 + 2 * x gives 1 +(2 * x).
                while (k < out.size() && out[k].kind == Kind::Space)
                    k++;
                out.insert(out.begin() + static_cast<std::ptrdiff_t>(k),
                           Token{"(", Kind::Open, true});
                open = true;
            }
            out.push_back(std::move(token));
            continue;
        }
        if (!keepsGroupOpen(token)) open = false;
        out.push_back(std::move(token));
    }
    return out;
}

std::string emit(const std::vector<Token>& tokens) {
    std::string out;
    size_t length = 8;
    for (const Token& token : tokens)
        length += token.text.size() + 1;
    out.reserve(length);
    if (!tokens.empty()) {
        const std::string& first = tokens[0].text;
        if (first == "-" || (first.size() > 1 && first[0] == '-' &&
                             (isLetter(first[1]) || isDigit(first[1]) || first[1] == '(')))
            out += '0';
    }
    int open = 0;
    for (const Token& token : tokens) {
        if (boundsGroup(token)) {
            out.append(static_cast<size_t>(open), ')');
            open = 0;
        }
        if (token.kind == Kind::Open && token.inserted) open++;
        out += token.text;
    }
    out.append(static_cast<size_t>(open), ')');
    return out;
}

std::string rewrite(std::string_view text, int depth) {
    if (text.find_first_of("+-&|") == std::string_view::npos) return std::string(text);
    // Beyond this depth the text stays as written; the evaluation itself
    // reports the nesting.
    if (depth > kMaxInfixDepth) return std::string(text);
    if (text.find("&&") == std::string_view::npos && text.find("||") == std::string_view::npos)
        return emit(group(scan(text, depth)));
    std::string split = logicalSplit(text);
    return emit(group(scan(split, depth)));
}

} // namespace

namespace {

// The rewriting depends on nothing but the text, and a loop rewrites the
// same texts round after round: the latest few are remembered.
class RewriteCache {
  public:
    static constexpr size_t kEntries = 8;
    static constexpr size_t kLongestText = 4096;

    const std::string* find(std::string_view text) const {
        for (const Entry& entry : entries_)
            if (entry.used && entry.input == text) return &entry.output;
        return nullptr;
    }
    void add(std::string_view text, const std::string& output) {
        if (text.size() > kLongestText) return;
        Entry& entry = entries_[next_];
        next_ = (next_ + 1) % kEntries;
        entry.input.assign(text);
        entry.output = output;
        entry.used = true;
    }

  private:
    struct Entry {
        std::string input;
        std::string output;
        bool used = false;
    };
    Entry entries_[kEntries];
    size_t next_ = 0;
};

RewriteCache rewriteCache;

} // namespace

void add_precedence_brackets(Buffer& buffer) {
    std::string_view text = buffer.view();
    if (text.find_first_of("+-&|") == std::string_view::npos) return;
    // Too deep to evaluate: the evaluation reports it, so nothing is rewritten.
    if (zorakParenDepth(text) > kMaxInfixDepth) return;
    if (const std::string* known = rewriteCache.find(text)) {
        buffer.assign(*known);
        return;
    }
    std::string rewritten = rewrite(text, 0);
    rewriteCache.add(text, rewritten);
    buffer.assign(rewritten);
}
