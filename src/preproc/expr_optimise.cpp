#include "preproc/expr_optimise.h"

#include "expr/expression.h"
#include "interp/errors.h"
#include "util/buffer.h"

#include <cstring>

namespace {

std::string trimmed(std::string_view text) {
    size_t start = text.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos) return "";
    size_t end = text.find_last_not_of(" \t\r\n");
    return std::string(text.substr(start, end - start + 1));
}

// The position of the bracket that closes the one at open, or npos.
size_t matchingClose(const std::string& text, size_t open) {
    char opening = text[open];
    char closing = opening == '[' ? ']' : '}';
    int depth = 0;
    for (size_t i = open; i < text.size(); i++) {
        char c = text[i];
        if (c == '\\') {
            i++;
        } else if (c == opening) {
            depth++;
        } else if (c == closing && --depth == 0) {
            return i;
        }
    }
    return std::string::npos;
}

bool startsWithWord(std::string_view text, std::string_view word) {
    return text.substr(0, word.size()) == word &&
           (text.size() == word.size() || text[word.size()] == ' ' || text[word.size()] == '\t');
}

// The braces of a braced expression keep its variables for the expression
// engine, and an unbraced one has them substituted first; the rewrite keeps
// whichever the script chose, so values with blanks mean what they meant.
std::string rewriteExpr(std::string_view inner) {
    std::string expression = trimmed(inner);
    while (startsWithWord(expression, "expr"))
        expression = trimmed(expression.substr(4));
    bool braced = expression.size() >= 2 && expression.front() == '{' && expression.back() == '}';
    if (braced) expression = trimmed(expression.substr(1, expression.size() - 2));
    if (expression.empty()) return "expr {}";
    Buffer buffer(expression);
    add_precedence_brackets(buffer);
    return braced ? "expr {" + std::string(buffer.view()) + "}"
                  : "expr " + std::string(buffer.view());
}

long lineAt(const std::string& text, size_t position) {
    long line = 1;
    for (size_t i = 0; i < position && i < text.size(); i++)
        if (text[i] == '\n') line++;
    return line;
}

} // namespace

bool optimise_expression_calls(std::string& text) {
    std::string out;
    out.reserve(text.size());
    bool quoted = false;
    size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        bool escaped = i > 0 && text[i - 1] == '\\';
        if (c == '"' && !escaped) quoted = !quoted;
        if (quoted || escaped || (c != '[' && c != '{')) {
            out += c;
            i++;
            continue;
        }
        size_t word = text.find_first_not_of(" \t", i + 1);
        std::string_view rest =
            word == std::string::npos ? std::string_view() : std::string_view(text).substr(word);
        bool isExpr = startsWithWord(rest, "expr") && rest.size() > 4;
        bool isCalc = startsWithWord(rest, "calc") && rest.size() > 4;
        size_t close = isExpr || isCalc ? matchingClose(text, i) : std::string::npos;
        if (close == std::string::npos) {
            out += c;
            i++;
            continue;
        }
        std::string_view inner = std::string_view(text).substr(word + 5, close - word - 5);
        std::string call = trimmed(inner);
        if (isExpr) {
            out += c;
            out += rewriteExpr(inner);
            out += text[close];
        } else if (call.size() >= 8 && call.compare(call.size() - 8, 8, "-explain") == 0) {
            out.append(text, i, close - i + 1);
        } else {
            std::string compact;
            for (char ch : call)
                if (ch != ' ' && ch != '\t') compact += ch == ',' ? ' ' : ch;
            Buffer buffer(compact);
            add_precedence_brackets(buffer);
            std::string form;
            if (decompose_expression(buffer.c_str(), &form) != 0 || form.empty()) {
                zorakReportError(_pglobal_interp,
                                 "Bad preprocessor expression at line %li, near '%-.50s'\n",
                                 lineAt(text, i), call.c_str());
                return false;
            }
            if (c == '[' && form.front() == '[')
                out += form;
            else if (c == '[')
                out += form;
            else
                out += "{" + form + "}";
        }
        i = close + 1;
    }
    text = std::move(out);
    return true;
}
