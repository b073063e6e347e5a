// The expression driver and the left-to-right core. Operands are collected
// as texts; every operator is applied by building the command line
// "operator a b" and running it through the evaluator, which substitutes
// variable references in the operands and leaves the value in the result.
#include "expr/expression.h"

#include "console/console.h"
#include "expr/math_functions.h"
#include "interp/errors.h"
#include "interp/evaluator.h"
#include "platform/platform.h"
#include "shell/settings.h"
#include "util/heap_text.h"
#include "util/sanitizer.h"
#include "util/number_text.h"
#include "util/stack.h"
#include "vars/variables.h"

#include <bitset>
#include <cstdlib>
#include <cstring>
#include <string>

ExprState zorakExpr;

namespace {

// Operands per evaluation level.
constexpr int kOperandCapacity = 1000;
// Site number printed with sub-expression codes.
constexpr long kSiteSubExpression = 31001;

constexpr size_t kInfixStackReserve = (kAddressSanitizer ? 512 : 128) * 1024;

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isTokenChar(char c) {
    return isLetter(c) || isDigit(c) || c == '.' || c == '$' || c == '_' || c == ':';
}
char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

class InfixDepth {
  public:
    InfixDepth() { ++zorakExpr.infix_depth; }
    ~InfixDepth() { --zorakExpr.infix_depth; }
    InfixDepth(const InfixDepth&) = delete;
    InfixDepth& operator=(const InfixDepth&) = delete;
};

// The closing character that matches the opener at text (one of "([{"),
// counting nesting and stepping over backslash pairs; null when none.
const char* findClose(const char* text) {
    char open = *text;
    char close = open == '(' ? ')' : (open == '[' ? ']' : '}');
    int depth = 0;
    for (const char* p = text; *p; p++) {
        if (*p == '\\' && p[1]) {
            p++;
            continue;
        }
        if (*p == open)
            depth++;
        else if (*p == close && --depth == 0)
            return p;
    }
    return nullptr;
}

// The operand stack of one evaluation level: a string-owning Stack. Each
// operand is either a token written in the expression or a value an
// operator, a function or a group produced; only written tokens are
// variable references.
// Operand stacks of the outer evaluation levels are kept between
// evaluations (emptied after each), so an expression does not allocate and
// clear a thousand slots every time it runs.
constexpr int kCachedLevels = 16;

struct OperandStackCache {
    Stack* stacks[kCachedLevels] = {};
    ~OperandStackCache() {
        for (Stack* stack : stacks)
            zorakStackDestroy(stack);
    }
};

OperandStackCache operandStackCache;

Stack* takeOperandStack(int level) {
    if (level < 0 || level >= kCachedLevels) return zorakStackCreate(kOperandCapacity, 1);
    Stack*& cached = operandStackCache.stacks[level];
    if (!cached) cached = zorakStackCreate(kOperandCapacity, 1);
    return cached;
}

void returnOperandStack(int level, Stack* stack) {
    if (level < 0 || level >= kCachedLevels)
        zorakStackDestroy(stack);
    else
        zorakStackClear(stack);
}

class Operands {
  public:
    Operands() : level_(zorakExpr.infix_depth - 1), stack_(takeOperandStack(level_)) {}
    ~Operands() { returnOperandStack(level_, stack_); }
    Operands(const Operands&) = delete;
    Operands& operator=(const Operands&) = delete;

    int count() const { return stack_ ? stack_->count : 0; }
    bool push(Interpreter* interp, const char* text, bool written) {
        if (zorakStackPushText(stack_, text)) {
            written_[static_cast<size_t>(stack_->count - 1)] = written;
            return true;
        }
        zorakSetErrorCode(interp, 3, "expr");
        return false;
    }
    // Takes ownership of a heap text holding a value.
    bool pushOwned(Interpreter* interp, char* text) {
        if (stack_ && stack_->count < stack_->capacity &&
            zorakStackPush(stack_, reinterpret_cast<intptr_t>(text))) {
            written_[static_cast<size_t>(stack_->count - 1)] = false;
            return true;
        }
        std::free(text);
        zorakSetErrorCode(interp, 3, "expr");
        return false;
    }
    bool isWritten(int i) const { return written_[static_cast<size_t>(i)]; }
    bool isReference(int i) const { return isWritten(i) && at(i)[0] == '$'; }
    char* pop() {
        intptr_t item = 0;
        if (!zorakStackPop(stack_, &item)) return nullptr;
        return reinterpret_cast<char*>(item);
    }
    char* at(int i) const { return reinterpret_cast<char*>(stack_->items[i]); }
    void replace(int i, char* owned) {
        std::free(at(i));
        stack_->items[i] = reinterpret_cast<intptr_t>(owned);
        written_[static_cast<size_t>(i)] = false;
    }

  private:
    int level_;
    Stack* stack_;
    std::bitset<kOperandCapacity> written_;
};

// The word an operand becomes in an operator line, when the line's cutting
// is plain: text without blanks or characters the evaluator treats
// specially stays itself, and "$name" (letters, digits and underscores)
// reads a plain variable. Anything else, a missing variable included, is
// left to the evaluator, which also reports it.
bool lineWord(Interpreter* interp, const char* operand, const char** word) {
    if (!operand || !*operand) return false;
    if (operand[0] == '$') {
        const char* name = operand + 1;
        if (!*name) return false;
        for (const char* c = name; *c; c++)
            if (!isLetter(*c) && !isDigit(*c) && *c != '_') return false;
        Var* var = zorakGetVar(interp, name, kScopeCurrent);
        if (!var || var->type == VT_FIELD || var->type == VT_DICTIONARY) return false;
        *word = var->value ? var->value : "";
        return true;
    }
    for (const char* c = operand; *c; c++)
        if (std::strchr(" \t\r\n;$[]{}\"\\", *c)) return false;
    *word = operand;
    return true;
}

// Runs "op a ?b?" and leaves the outcome on the stack. Codes 1, 5 and 6 of
// the operator command end the evaluation.
bool applyOperator(Interpreter* interp, Operands& operands, const char* op, int arity, int* error) {
    if (arity == 1 && op[0] == ',' && !op[1]) return true; // a separator applies nothing
    std::string line = op;
    HeapText taken[3];
    for (int i = arity - 1; i >= 0; i--)
        taken[i].reset(operands.pop());
    for (int i = 0; i < arity; i++) {
        line += ' ';
        line += taken[i].get() ? taken[i].get() : "";
    }
    // The line's words are known when every operand is one plain word or a
    // plain variable's reference: the evaluator then runs them without
    // cutting the line again.
    const char* words[4] = {op, nullptr, nullptr, nullptr};
    bool cut = arity <= 3;
    for (int i = 0; cut && i < arity; i++)
        cut = lineWord(interp, taken[i].get(), &words[i + 1]);
    int code = cut ? kuvetEvalWords(interp, line.c_str(), arity + 1, words)
                   : kuvetEval(interp, line.c_str(), 0, 0);
    if (code == ERROR || code == EXIT || code == STOP) {
        interp->subst_code = code;
        *error = code;
        return false;
    }
    if (!operands.push(interp, interp->result ? interp->result : "", false)) {
        *error = ERROR;
        return false;
    }
    return true;
}

// A variable reference operand ($name, $name(key), $::name) reads as the
// variable's value, as it would as a word of an operator command.
bool substituteReference(Interpreter* interp, Operands& operands, int i, int* error) {
    int code = kuvetEval(interp, operands.at(i), 1, 0);
    if (code != OK) {
        interp->subst_code = code;
        *error = code;
        return false;
    }
    operands.replace(i, zorakStrDup(interp->result ? interp->result : ""));
    return true;
}

// The ":" that ends the true branch of a conditional, stepping over "$::",
// double-quoted text and braced text.
const char* findBranchColon(const char* p) {
    for (; *p; p++) {
        if (*p == '$') {
            if (p[1] == ':' && p[2] == ':') p += 2;
            continue;
        }
        if (*p == '"') {
            const char* q = p + 1;
            while (*q && *q != '"')
                q += (*q == '\\' && q[1]) ? 2 : 1;
            if (!*q) return nullptr;
            p = q;
            continue;
        }
        if (*p == '{') {
            const char* q = findClose(p);
            if (!q) return nullptr;
            p = q;
            continue;
        }
        if (*p == ':') return p;
    }
    return nullptr;
}

char* conditional(Interpreter* interp, Operands& operands, const char* p, int* error) {
    int top = operands.count() - 1;
    if (operands.isReference(top) && !substituteReference(interp, operands, top, error))
        return nullptr;
    HeapText condition(operands.pop());
    // Leading decimal digits decide, so 0.5 is false.
    bool truth = zorakLeadingInt(condition.get()) != 0;
    const char* colon = findBranchColon(p);
    std::string branch;
    if (truth)
        branch.assign(p, colon ? static_cast<size_t>(colon - p) : std::strlen(p));
    else if (colon)
        branch.assign(colon + 1);
    zorakSetResult(interp, "", 0);
    int code = kuvetEval(interp, branch.c_str(), 0, 0);
    if (code == ERROR || code == EXIT || code == STOP) {
        interp->subst_code = code;
        *error = code;
        return nullptr;
    }
    return zorakStrDup(interp->result ? interp->result : "");
}

// The machine stack is only measured once nesting has begun in earnest.
constexpr int kStackCheckDepth = 32;

bool tooDeep(Interpreter* interp) {
    int depth = zorakExpr.infix_depth;
    if (depth <= kMaxInfixDepth &&
        (depth <= kStackCheckDepth || platformStackRemaining() >= kInfixStackReserve))
        return false;
    zorakReportError(interp, "expr: Expression nested too deeply (%i levels)\n",
                     zorakExpr.infix_depth);
    return true;
}

} // namespace

int zorakParenDepth(std::string_view text) {
    int depth = 0, deepest = 0;
    for (char c : text) {
        if (c == '(' && ++depth > deepest)
            deepest = depth;
        else if (c == ')')
            depth--;
    }
    return deepest;
}

void read_operator(const char* text, char op[3], int* length) {
    op[0] = op[1] = op[2] = '\0';
    *length = 0;
    char a = text[0];
    if (!a) return;
    char b = text[1];
    if (isLetter(a)) {
        // Word operators need a blank after them.
        if (!isLetter(b) || (text[2] != ' ' && text[2] != '\t')) return;
        char x = lower(a), y = lower(b);
        bool known = (x == 'e' && y == 'q') || (x == 'n' && y == 'e') ||
                     (x == 'l' && (y == 't' || y == 'e')) || (x == 'g' && (y == 't' || y == 'e'));
        if (!known) return;
        op[0] = x;
        op[1] = y;
        *length = 2;
        return;
    }
    if (!std::strchr("+-*/%^&|<>=!~,?", a)) return;
    op[0] = a;
    *length = 1;
    if (!b) return;
    bool pair = (b == '=' && std::strchr("<>=!+-*/&|^%", a)) ||
                (a == b && std::strchr("*<>&|", a)) ||
                ((b == '+' || b == '*') && std::strchr("-^+/*%&|<>=!", a));
    if (pair) {
        op[1] = b;
        *length = 2;
    }
}

int operator_arity(const char* op) {
    if (!op || !op[0]) return 0;
    char a = op[0], b = op[1];
    if (!b) {
        if (a == '!' || a == '~' || a == ',') return 1;
        if (a == '?') return 3;
        return std::strchr("+-*/%^&|<>=", a) ? 2 : 0;
    }
    if (op[2]) return 0;
    if (isLetter(a)) {
        static const char* const words[] = {"eq", "ne", "lt", "le", "gt", "ge"};
        for (const char* w : words)
            if (lower(a) == w[0] && lower(b) == w[1]) return 2;
        return 0;
    }
    if (b == '=' && std::strchr("<>=!+-*/&|^%", a)) return 2;
    if (a == b && std::strchr("*<>&|", a)) return 2;
    if (std::strchr("-^+/*%&|<>=!", a)) {
        if (b == '+') return 1;
        if (b == '*') return 2;
    }
    return 0;
}

char* eval_infix(Interpreter* interp, const char** position, int* error) {
    *error = 0;
    InfixDepth depth;
    if (tooDeep(interp)) {
        *error = ERROR;
        return nullptr;
    }
    const char* p = *position;
    if (!p || !*p) {
        zorakReportError(interp, "expr: Empty expression\n");
        *error = 1;
        return nullptr;
    }
    Operands operands;
    // Operands below this index belong to items already closed by a comma:
    // operators never reach back past one, so 1, 2 + 3 yields 1 5.
    int sealed = 0;
    auto live = [&] { return operands.count() - sealed; };
    std::string token;
    char op[3] = {0, 0, 0};
    int arity = 0;
    auto fail = [&](int code) -> char* {
        if (!*error) *error = code;
        return nullptr;
    };
    bool finished = false;
    while (*p) {
        if (op[0] == '?' && !op[1] && live() > 0) {
            // The chosen branch's result replaces the current item.
            char* value = conditional(interp, operands, p, error);
            if (!value) return nullptr;
            while (live() > 0)
                std::free(operands.pop());
            if (!operands.pushOwned(interp, value)) return fail(ERROR);
            op[0] = op[1] = '\0';
            p += std::strlen(p);
            finished = true;
            break;
        }
        char c = *p;
        if (c == '"' && token.empty()) {
            const char* q = p + 1;
            while (*q && *q != '"')
                q += (*q == '\\' && q[1]) ? 2 : 1;
            if (*q) q++;
            token.append(p, static_cast<size_t>(q - p));
            p = q;
            continue;
        }
        if (isTokenChar(c)) {
            token += c;
            p++;
            continue;
        }
        if (c == '(' && !token.empty() && token[0] == '$') {
            // A variable reference keeps its array subscript.
            const char* close = findClose(p);
            const char* end = close ? close + 1 : p + std::strlen(p);
            token.append(p, static_cast<size_t>(end - p));
            p = end;
            continue;
        }
        if (c == '(' && !token.empty() && isLetter(token[0])) {
            if (!zorakIsExpressionFunction(token.c_str(), token.size())) return nullptr;
            const char* q = p;
            char* value = call_math_function(interp, token.c_str(), &q);
            if (!value) return nullptr;
            token.clear();
            if (!operands.pushOwned(interp, value)) return fail(ERROR);
            p = q + 1;
            continue;
        }
        if (!token.empty()) {
            if (!operands.push(interp, token.c_str(), true)) return fail(ERROR);
            token.clear();
        } else if (c == '}') {
            if (!operands.push(interp, "{}", true)) return fail(ERROR);
        }
        bool literal = false;
        if (c == '-' && p[1] != '(' && live() < 2 && (live() == 0 || op[0])) {
            // A negative literal: the sign and the run of characters after it.
            static const char kLiteral[] = "0123456789.$abcdefghijklmnopqrstuvwxyz_";
            const char* q = p + 1;
            while (*q && std::strchr(kLiteral, *q))
                q++;
            std::string negative(p, static_cast<size_t>(q - p));
            if (!operands.push(interp, negative.c_str(), true)) return fail(ERROR);
            p = q;
            literal = true;
        }
        if (op[0] && live() >= arity) {
            if (!applyOperator(interp, operands, op, arity, error)) return nullptr;
            if (op[0] == ',') sealed = operands.count();
            op[0] = op[1] = '\0';
        }
        if (literal) continue;
        if (!op[0]) {
            const char* q = p;
            while (*q == ' ' || *q == '\t')
                q++;
            int length = 0;
            read_operator(q, op, &length);
            if (length) {
                arity = operator_arity(op);
                if (arity == 0) {
                    zorakReportError(interp, "expr: Unhandled operator '%s' arity '%i'\n", op, 0);
                    return fail(3);
                }
                p = q + length;
                continue;
            }
        }
        if (c == '(') {
            const char* close = findClose(p);
            std::string inner(p + 1,
                              close ? static_cast<size_t>(close - p - 1) : std::strlen(p + 1));
            const char* innerPosition = inner.c_str();
            char* value = eval_infix(interp, &innerPosition, error);
            if (!value) return nullptr;
            if (!operands.pushOwned(interp, value)) return fail(ERROR);
            p = close ? close + 1 : p + std::strlen(p);
            continue;
        }
        p++;
    }
    *position = p;
    if (!token.empty() && !operands.push(interp, token.c_str(), true)) return fail(ERROR);
    if (finished) {
        // The conditional's branch is the value.
    } else if (op[0]) {
        if (live() < arity) {
            zorakReportError(interp,
                             arity == 1 ? "expr: Missing operand at '%s' (arity %li)\n"
                                        : "expr: Missing operand(s) at '%s' (arity %li)\n",
                             op, static_cast<long>(arity));
            return fail(4);
        }
        if (!applyOperator(interp, operands, op, arity, error)) return nullptr;
    } else if (live() > 0) {
        // A lone name reads as the variable of that name when it has a value;
        // a value that an operator or a group produced is never a name.
        int top = operands.count() - 1;
        const char* name = operands.at(top);
        if (operands.isWritten(top) && name[0] != '$') {
            Var* var = zorakGetVar(interp, name, kScopeCurrent);
            if (var && var->value && *var->value) operands.replace(top, zorakStrDup(var->value));
        }
    }
    int count = operands.count();
    size_t length = 0;
    for (int i = 0; i < count; i++) {
        if (operands.isReference(i) && !substituteReference(interp, operands, i, error))
            return nullptr;
        length += std::strlen(operands.at(i)) + 1;
    }
    // A single operand is the value itself; it changes hands without a copy.
    if (count == 1) return operands.pop();
    std::string value;
    value.reserve(length);
    for (int i = 0; i < count; i++) {
        if (i) value += ' ';
        value += operands.at(i);
    }
    return zorakStrDup(value);
}

int evaluate_expression(Interpreter* interp, const char* text, char** value) {
    if (*value) {
        console_printf("Assertion failed: ptr == NULL\n");
        return ERROR;
    }
    // A code left by an earlier command must not pass for this one's.
    interp->subst_code = 0;
    if (zorakParenDepth(text) > kMaxInfixDepth) {
        zorakReportError(interp, "expr: Expression nested too deeply (%i levels)\n",
                         kMaxInfixDepth + 1);
        interp->subst_code = ERROR;
        return ERROR;
    }
    // Only braces and brackets change the text; without them the copy would
    // equal the text itself.
    bool transform = std::strpbrk(text, "{[") != nullptr;
    Buffer copy(transform ? std::strlen(text) + 16 : 0);
    for (const char* p = transform ? text : ""; *p;) {
        char c = *p;
        bool escaped = p > text && p[-1] == '\\';
        if (c == '{' && !escaped) {
            // Braced text is copied without its opening brace and unsubstituted.
            const char* close = findClose(p);
            const char* end = close ? close + 1 : p + std::strlen(p);
            copy.append(std::string_view(p + 1, static_cast<size_t>(end - p - 1)));
            p = end;
            continue;
        }
        if (c == '[' && !escaped) {
            const char* close = findClose(p);
            if (!close || close == p + 1) {
                copy.append(' ');
                p = close ? close + 1 : p + 1;
                continue;
            }
            std::string inner(p + 1, static_cast<size_t>(close - p - 1));
            int code = kuvetEval(interp, inner.c_str(), 0, 0);
            const char* result = interp->result ? interp->result : "";
            if (inner.find('[') != std::string::npos) {
                if (code == OK || code == CONTINUE) copy.append(result);
            } else {
                interp->subst_code = code;
                if (code != OK && code != RETURN && code != CONTINUE) {
                    zorakReportError(
                        interp, "expr@%li: Code %i (%s) returned from sub-expression '%s'\n",
                        kSiteSubExpression, code, zorakCodeName(interp, code), inner.c_str());
                    return code;
                }
                copy.append(result);
            }
            copy.append(' ');
            p = close + 1;
            continue;
        }
        copy.append(c);
        p++;
    }
    const char* expression = transform ? copy.c_str() : text;
    int balance = 0;
    for (const char* p = expression; *p; p++) {
        if (*p == '(')
            balance++;
        else if (*p == ')')
            balance--;
    }
    if (balance != 0) {
        if (zorakSettings.error_echo || zorakSettings.debug) {
            console_printf("expr: bracket mismatch: '%s' - %i too many ", expression,
                           balance > 0 ? balance : -balance);
            console_printf(balance > 0 ? "(\n" : ")\n");
        }
        interp->subst_code = ERROR;
        return ERROR;
    }
    const char* position = expression;
    int error = 0;
    char* result = eval_infix(interp, &position, &error);
    int code;
    if (error)
        code = ERROR;
    else if (interp->subst_code)
        code = interp->subst_code;
    else
        code = result ? OK : ERROR;
    interp->subst_code = code;
    *value = result;
    return code;
}
