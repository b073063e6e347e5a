// decompose_expression: translates infix text into nested command form, as
// used by calc, explain and the preprocessor. 1 + 2 * x (after precedence
// rewriting 1 +(2 * x)) becomes [+ 1 [* 2 x]]. Operators apply strictly from
// left to right, exactly as the infix core applies them.
#include "expr/expression.h"

#include "console/console.h"
#include "expr/math_functions.h"
#include "interp/errors.h"
#include "interp/evaluator.h"
#include "shell/settings.h"

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr long kSiteGroup = 33001;

struct Item {
    std::string text;
    bool is_operator;
};

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isWordChar(char c) {
    return isLetter(c) || isDigit(c) || c == '.' || c == '$' || c == '_';
}

bool diagnosticsShown() {
    return zorakSettings.error_echo || zorakSettings.debug;
}

void diagnostic(const char* what) {
    if (diagnosticsShown()) console_printf("%s: %s\n", "decompose_expression", what);
}

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
        if (text[i] == '\\') {
            i++;
            continue;
        }
        if (text[i] == open)
            depth++;
        else if (text[i] == close && --depth == 0)
            return i;
    }
    return std::string_view::npos;
}

// The parts of the text between commas that lie outside parentheses,
// brackets, braces and quotes.
std::vector<std::string_view> splitAtCommas(std::string_view text) {
    std::vector<std::string_view> parts;
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
        if (c == ',') {
            parts.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    parts.push_back(text.substr(start));
    return parts;
}

int translate(std::string_view text, std::string* out, int depth);

// A new operand goes below the operator on top of the list, so operators
// follow their operands in left-to-right order.
void placeOperand(std::vector<Item>& items, std::string text) {
    if (!items.empty() && items.back().is_operator)
        items.insert(items.end() - 1, Item{std::move(text), false});
    else
        items.push_back(Item{std::move(text), false});
}

bool operandExpected(const std::vector<Item>& items) {
    return items.empty() || items.back().is_operator;
}

int scanPostfix(std::string_view text, std::vector<Item>& items, int depth) {
    size_t n = text.size();
    size_t i = 0;
    bool lastWasWord = false; // the previous item is a word written directly before here
    while (i < n) {
        char c = text[i];
        if (c == ' ' || c == '\t') {
            i++;
            lastWasWord = false;
            continue;
        }
        if (c == '[' || c == '{' || c == '"') {
            size_t end = findClose(text, i);
            if (end == std::string_view::npos) return 1;
            placeOperand(items, std::string(text.substr(i, end - i + 1)));
            i = end + 1;
            lastWasWord = false;
            continue;
        }
        if (c == '(') {
            size_t end = findClose(text, i);
            if (end == std::string_view::npos) return 1;
            std::string_view inner = text.substr(i + 1, end - i - 1);
            std::string translated;
            Item* word = nullptr;
            if (lastWasWord) {
                for (size_t k = items.size(); k > 0; k--)
                    if (!items[k - 1].is_operator) {
                        word = &items[k - 1];
                        break;
                    }
            }
            bool function = word && isLetter(word->text[0]) &&
                            zorakIsExpressionFunction(word->text.c_str(), word->text.size());
            if (translate(inner, &translated, depth + 1)) {
                if (word && !function) {
                    std::string group(inner);
                    console_printf("MPP: Fatal error processing '%s' at line %li (code %i)\n",
                                   group.c_str(), kSiteGroup, 1);
                    console_printf("MPP: Result was '%s'\n", translated.c_str());
                }
                return 1;
            }
            if (function) {
                word->text = "[funct " + word->text + " " + translated + "]";
            } else if (word) {
                word->text += "(" + translated + ")";
            } else {
                placeOperand(items, std::move(translated));
            }
            i = end + 1;
            lastWasWord = false;
            continue;
        }
        if (c == ':' && !(i + 1 < n && text[i + 1] == ':')) {
            // The separator of the conditional's branches is consumed.
            i++;
            lastWasWord = false;
            continue;
        }
        if (!operandExpected(items) || !(isWordChar(c) || c == ':')) {
            if ((c == '+' || c == '-') && operandExpected(items) && i + 1 < n &&
                (isWordChar(text[i + 1]))) {
                size_t end = i + 1;
                while (end < n && isWordChar(text[end]))
                    end++;
                placeOperand(items, std::string(text.substr(c == '+' ? i + 1 : i,
                                                            end - (c == '+' ? i + 1 : i))));
                i = end;
                lastWasWord = true;
                continue;
            }
            char op[3];
            int length = 0;
            read_operator(text.data() + i, op, &length);
            if (length) {
                items.push_back(Item{std::string(":") + op, true});
                i += static_cast<size_t>(length);
                lastWasWord = false;
                continue;
            }
        }
        if (isWordChar(c) || c == ':') {
            size_t end = i;
            while (end < n && (isWordChar(text[end]) ||
                               (text[end] == ':' && end + 1 < n && text[end + 1] == ':'))) {
                end += text[end] == ':' ? 2 : 1;
            }
            placeOperand(items, std::string(text.substr(i, end - i)));
            i = end;
            lastWasWord = true;
            continue;
        }
        diagnostic("Unknown arity");
        return 1;
    }
    return 0;
}

int fold(const std::vector<Item>& items, std::string* out) {
    std::vector<std::string> operands;
    for (const Item& item : items) {
        if (!item.is_operator) {
            operands.push_back(item.text);
            continue;
        }
        const char* op = item.text.c_str() + 1;
        int arity = operator_arity(op);
        if (arity == 0) {
            diagnostic("Unknown arity");
            return 1;
        }
        if (items.size() < static_cast<size_t>(arity)) {
            diagnostic("Mismatched arguments");
            return 1;
        }
        if (operands.size() < static_cast<size_t>(arity)) {
            diagnostic("Not enough args");
            return 1;
        }
        std::string form = "[";
        form += op;
        for (size_t k = operands.size() - static_cast<size_t>(arity); k < operands.size(); k++) {
            form += ' ';
            form += operands[k];
        }
        form += ']';
        operands.resize(operands.size() - static_cast<size_t>(arity));
        operands.push_back(std::move(form));
    }
    out->clear();
    for (size_t k = 0; k < operands.size(); k++) {
        if (k) *out += ' ';
        *out += operands[k];
    }
    return 0;
}

int translate(std::string_view text, std::string* out, int depth) {
    out->clear();
    if (depth > kMaxInfixDepth) {
        diagnostic("Expression nested too deeply");
        return 1;
    }
    std::vector<std::string_view> parts = splitAtCommas(text);
    if (parts.size() > 1) {
        for (size_t k = 0; k < parts.size(); k++) {
            std::string part;
            if (translate(parts[k], &part, depth + 1)) return 1;
            if (k) *out += ' ';
            *out += part;
        }
        return 0;
    }
    size_t first = text.find_first_not_of(" \t");
    size_t last = text.find_last_not_of(" \t");
    if (first != std::string_view::npos && last > first && text[first] == '"' &&
        text[last] == '"' && findClose(text, first) == last)
        text = text.substr(first + 1, last - first - 1);
    std::vector<Item> items;
    if (scanPostfix(text, items, depth)) return 1;
    if (fold(items, out)) return 1;
    if (zorakExpr.fold_constants && !out->empty() && is_constant_expression(out->c_str())) {
        Interpreter* interp = _pglobal_interp;
        int code = kuvetEval(interp, out->c_str(), 0, 0);
        if (code != OK && code != RETURN) {
            zorakReportError(interp,
                             "Preprocessor: Error while optimising '%s' (Check /NEO /NES)\n",
                             out->c_str());
            return 1;
        }
        *out = interp->result ? interp->result : "";
    }
    return 0;
}

} // namespace

bool is_constant_expression(const char* text) {
    static const char kConstantChars[] = "01234567890.+-/*^()[]~!&|%<>()=?\t ";
    for (const char* p = text; *p;) {
        if (std::strncmp(p, "funct ", 6) == 0) {
            p += 6;
            const char* word = p;
            while (*p && *p != ' ' && *p != '\t')
                p++;
            if (p == word || !*p) return false;
            p++;
            continue;
        }
        if (!std::strchr(kConstantChars, *p)) return false;
        p++;
    }
    return true;
}

int decompose_expression(const char* text, std::string* out) {
    if (!_pglobal_interp) {
        console_printf("Assertion failed: _pglobal_interp != NULL\n");
        return 1;
    }
    if (!text) text = "";
    if (zorakParenDepth(text) > kMaxInfixDepth) {
        diagnostic("Expression nested too deeply");
        return 1;
    }
    return translate(text, out, 0);
}
