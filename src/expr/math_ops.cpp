// The operator commands: arithmetic, bitwise and logical operators, numeric
// and string comparisons, the assignment forms and the unary ! and ~.
// Integer arithmetic wraps in 64 bits; every path below is free of
// undefined behaviour, whatever the operands.
#include "expr/math_ops.h"

#include "console/console.h"
#include "expr/number_rules.h"
#include "interp/errors.h"
#include "interp/registry.h"
#include "util/number_text.h"
#include "vars/variables.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

namespace {

enum class Family { Arithmetic, Relational, Text, Assignment, None };

enum class Op {
    Add,
    Sub,
    Mul,
    Div,
    Mod,
    Pow,
    BitAnd,
    BitOr,
    BitXor,
    LogAnd,
    LogOr,
    Shl,
    Shr,
    Gt,
    Ge,
    Lt,
    Le,
    Eq,
    Ne,
    None
};

struct OperatorInfo {
    Family family;
    Op op;
};

// The operator names in the order they are registered.
const char* const kOperatorNames[] = {
    "+",  "-",  "*",  "/",  "**",  ">>",  "<<",  "%",   "&",   "|",   "^",   "&&", "||", ">",
    ">=", "<",  "<=", "==", "!=",  "*=",  "+=",  "-=",  "/=",  "&=",  "|=",  "^=", "eq", "ne",
    "lt", "gt", "le", "ge", "eqi", "nei", "lti", "gti", "lei", "gei", "eqn", "nen"};

// Tells the operator apart by its name without a table walk: the evaluator
// calls this for every operator an expression applies.
OperatorInfo classify(const char* name) {
    const OperatorInfo none{Family::None, Op::None};
    char a = name[0];
    if (!a) return none;
    char b = name[1];
    char c = b ? name[2] : '\0';
    if (c) {
        if (name[3]) return none;
        // Three characters: only the string comparisons.
        return {Family::Text, Op::None};
    }
    if (!b) {
        switch (a) {
        case '+':
            return {Family::Arithmetic, Op::Add};
        case '-':
            return {Family::Arithmetic, Op::Sub};
        case '*':
            return {Family::Arithmetic, Op::Mul};
        case '/':
            return {Family::Arithmetic, Op::Div};
        case '%':
            return {Family::Arithmetic, Op::Mod};
        case '&':
            return {Family::Arithmetic, Op::BitAnd};
        case '|':
            return {Family::Arithmetic, Op::BitOr};
        case '^':
            return {Family::Arithmetic, Op::BitXor};
        case '>':
            return {Family::Relational, Op::Gt};
        case '<':
            return {Family::Relational, Op::Lt};
        default:
            return none;
        }
    }
    if (b == '=') {
        switch (a) {
        case '>':
            return {Family::Relational, Op::Ge};
        case '<':
            return {Family::Relational, Op::Le};
        case '=':
            return {Family::Relational, Op::Eq};
        case '!':
            return {Family::Relational, Op::Ne};
        case '+':
            return {Family::Assignment, Op::Add};
        case '-':
            return {Family::Assignment, Op::Sub};
        case '*':
            return {Family::Assignment, Op::Mul};
        case '/':
            return {Family::Assignment, Op::Div};
        case '&':
            return {Family::Assignment, Op::BitAnd};
        case '|':
            return {Family::Assignment, Op::BitOr};
        case '^':
            return {Family::Assignment, Op::BitXor};
        default:
            return none;
        }
    }
    if (a == b) {
        switch (a) {
        case '*':
            return {Family::Arithmetic, Op::Pow};
        case '>':
            return {Family::Arithmetic, Op::Shr};
        case '<':
            return {Family::Arithmetic, Op::Shl};
        case '&':
            return {Family::Arithmetic, Op::LogAnd};
        case '|':
            return {Family::Arithmetic, Op::LogOr};
        default:
            return none;
        }
    }
    if (a >= 'a' && a <= 'z') return {Family::Text, Op::None};
    return none;
}

void setText(Interpreter* interp, const std::string& text) {
    zorakSetResult(interp, text.c_str(), static_cast<int>(text.size()));
}

void setTruth(Interpreter* interp, bool value) {
    zorakSetResult(interp, value ? "1" : "0", 1);
}

uint64_t u(int64_t v) {
    return static_cast<uint64_t>(v);
}
int64_t s(uint64_t v) {
    return static_cast<int64_t>(v);
}

// Site numbers printed by the console-only math reports.
constexpr long kSiteShift = 32101;
constexpr long kSitePow = 32102;
constexpr long kSiteModulo = 32103;
constexpr long kSiteFloatModulo = 32104;
constexpr long kSiteCaught = 32105;
constexpr long kSiteRelational = 32106;

// base ** exponent by repeated squaring; the true power must fit in 64 bits.
// Returns false on overflow. The most negative value also counts as one.
bool integerPower(int64_t base, int64_t exponent, int64_t* out) {
    if (exponent == 0) {
        *out = 1;
        return true;
    }
    if (exponent == 1) {
        *out = base;
        return base != INT64_MIN;
    }
    if (exponent < 0) {
        // Truncated like an integer division of 1 by the power.
        if (base == 1)
            *out = 1;
        else if (base == -1)
            *out = (exponent % 2) ? -1 : 1;
        else
            *out = 0;
        return true;
    }
    if (base == 0 || base == 1) {
        *out = base;
        return true;
    }
    if (base == -1) {
        *out = (exponent % 2) ? -1 : 1;
        return true;
    }
    int64_t result = 1;
    int64_t factor = base;
    int64_t e = exponent;
    for (;;) {
        if (e & 1) {
            if (__builtin_mul_overflow(result, factor, &result)) return false;
        }
        e >>= 1;
        if (!e) break;
        if (__builtin_mul_overflow(factor, factor, &factor)) return false;
    }
    if (result == INT64_MIN) return false;
    *out = result;
    return true;
}

int shiftWidth(int argc, char** argv) {
    if (argc < 4) return 0;
    int64_t width = parse_integer_text(argv[3]);
    return width == 8 || width == 16 || width == 32 ? static_cast<int>(width) : 0;
}

uint64_t widthMask(int width) {
    return (uint64_t(1) << width) - 1;
}

int integerArithmetic(Interpreter* interp, Op op, int argc, char** argv) {
    const char* name = argv[0];
    int64_t a = parse_integer_text(argv[1]);
    int64_t b = parse_integer_text(argv[2]);
    int64_t r = 0;
    switch (op) {
    case Op::Add:
        r = s(u(a) + u(b));
        break;
    case Op::Sub:
        r = s(u(a) - u(b));
        break;
    case Op::Mul:
        r = s(u(a) * u(b));
        break;
    case Op::Div:
        if (b == 0) {
            zorakReportError(interp, "Integer division by zero (%s / %s)\n", argv[1], argv[2]);
            zorakSetResult(interp, "0", 1);
            return ERROR;
        }
        // The one quotient that does not fit wraps like the other operators.
        r = (b == -1) ? s(0 - u(a)) : a / b;
        break;
    case Op::Mod:
        if (b == 0) {
            zorakReportMathException(name, kSiteModulo, "Division by zero");
            return ERROR;
        }
        r = (b == -1) ? 0 : a % b;
        break;
    case Op::Pow:
        if (!integerPower(a, b, &r)) {
            zorakReportMathException(name, kSitePow, "** Math overflow");
            return ERROR;
        }
        break;
    case Op::BitAnd:
        r = a & b;
        break;
    case Op::BitOr:
        r = a | b;
        break;
    case Op::BitXor:
        r = a ^ b;
        break;
    case Op::LogAnd:
        r = (a != 0 && b != 0) ? 1 : 0;
        break;
    case Op::LogOr:
        r = (a != 0 || b != 0) ? 1 : 0;
        break;
    case Op::Shl:
    case Op::Shr: {
        if (b < 0) {
            zorakReportMathException(name, kSiteShift, "Negative shift argument");
            return ERROR;
        }
        int width = shiftWidth(argc, argv);
        if (op == Op::Shl) {
            if (width) {
                uint64_t operand = width == 32 ? u(a) : u(a) & widthMask(width);
                r = b >= width ? 0 : s((operand << b) & widthMask(width));
            } else {
                r = b >= 64 ? 0 : s(u(a) << b);
            }
        } else if (width) {
            r = b >= 64 ? 0 : s((u(a) >> b) & widthMask(width));
        } else {
            r = b >= 64 ? (a < 0 ? -1 : 0) : a >> b;
        }
        break;
    }
    default:
        return ERROR;
    }
    zorakSetIntResult(interp, r);
    return OK;
}

double operandDouble(const char* text, bool floating) {
    return floating ? zorakFloatTextToDouble(text) : static_cast<double>(parse_integer_text(text));
}

int floatArithmetic(Interpreter* interp, Op op, char** argv, bool floatA, bool floatB) {
    const char* name = argv[0];
    double a = operandDouble(argv[1], floatA);
    double b = operandDouble(argv[2], floatB);
    double r = 0.0;
    switch (op) {
    case Op::Add:
        r = a + b;
        break;
    case Op::Sub:
        r = a - b;
        break;
    case Op::Mul:
        r = a * b;
        break;
    case Op::Div:
        if (b == 0.0) {
            zorakReportError(interp, "Float division by zero (%s / %s)\n", argv[1], argv[2]);
            zorakSetResult(interp, "0", 1);
            return ERROR;
        }
        r = a / b;
        break;
    case Op::Mod:
        if (b == 0.0) {
            zorakReportMathException(name, kSiteFloatModulo, "Division by zero");
            return ERROR;
        }
        r = a - std::trunc(a / b) * b;
        break;
    case Op::Pow:
        r = std::pow(a, b);
        break;
    case Op::LogAnd:
        r = (a != 0.0 && b != 0.0) ? 1.0 : 0.0;
        break;
    case Op::LogOr:
        r = (a != 0.0 || b != 0.0) ? 1.0 : 0.0;
        break;
    case Op::BitAnd:
    case Op::BitOr:
    case Op::BitXor:
    case Op::Shl:
    case Op::Shr: {
        // Bitwise work reads both texts as decimal integers (1.5 reads as 1).
        int64_t x = zorakLeadingInt(argv[1]);
        int64_t y = zorakLeadingInt(argv[2]);
        int64_t v = 0;
        if (op == Op::BitAnd)
            v = x & y;
        else if (op == Op::BitOr)
            v = x | y;
        else if (op == Op::BitXor)
            v = x ^ y;
        else if (op == Op::Shl) {
            if (y < 0) {
                zorakReportMathException(name, kSiteShift, "Negative shift argument");
                return ERROR;
            }
            v = y >= 64 ? 0 : s(u(x) << y);
        } else {
            v = (y < 0 || y >= 64) ? 0 : s(u(x) >> y);
        }
        r = static_cast<double>(v);
        break;
    }
    default:
        return ERROR;
    }
    zorakSetFixed15Result(interp, r);
    return OK;
}

int arithmetic(Interpreter* interp, Op op, int argc, char** argv) {
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    bool floatA = zorakIsFloatOperand(argv[1]);
    bool floatB = zorakIsFloatOperand(argv[2]);
    try {
        if (!floatA && !floatB) return integerArithmetic(interp, op, argc, argv);
        return floatArithmetic(interp, op, argv, floatA, floatB);
    } catch (const std::exception& e) {
        zorakReportMathException(argv[0], kSiteCaught, e.what());
    } catch (...) {
        zorakReportMathException(argv[0], kSiteCaught, "Float math error");
    }
    return ERROR;
}

bool hasWord(int argc, char** argv, int from, const char* word) {
    for (int i = from; i < argc; i++)
        if (std::strcmp(argv[i], word) == 0) return true;
    return false;
}

template <typename T> bool compareValues(Op op, T a, T b) {
    switch (op) {
    case Op::Gt:
        return a > b;
    case Op::Ge:
        return a >= b;
    case Op::Lt:
        return a < b;
    case Op::Le:
        return a <= b;
    case Op::Eq:
        return a == b;
    case Op::Ne:
        return a != b;
    default:
        return false;
    }
}

const char* emptyWhenBraces(const char* word) {
    return std::strcmp(word, "{}") == 0 ? "" : word;
}

int relational(Interpreter* interp, Op op, int argc, char** argv) {
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    try {
        NumericClass ca = numeric_class(argv[1]);
        NumericClass cb = numeric_class(argv[2]);
        bool result;
        if (ca == NumericClass::NotNumeric || cb == NumericClass::NotNumeric) {
            int cmp = std::strcmp(emptyWhenBraces(argv[1]), emptyWhenBraces(argv[2]));
            result = compareValues(op, cmp, 0);
        } else if (ca == NumericClass::Float || cb == NumericClass::Float) {
            result = compareValues(op, operandDouble(argv[1], ca == NumericClass::Float),
                                   operandDouble(argv[2], cb == NumericClass::Float));
        } else {
            int64_t a = parse_integer_text(argv[1]);
            int64_t b = parse_integer_text(argv[2]);
            result = hasWord(argc, argv, 3, "-unsigned") ? compareValues(op, u(a), u(b))
                                                         : compareValues(op, a, b);
        }
        setTruth(interp, result);
        return OK;
    } catch (const std::exception& e) {
        zorakReportMathException(argv[0], kSiteRelational, e.what());
    } catch (...) {
        zorakReportMathException(argv[0], kSiteRelational, "Relational comparison error");
    }
    return ERROR;
}

bool isEmptyMarker(const char* word) {
    return std::strcmp(word, "{}") == 0 || std::strcmp(word, "\"\"") == 0;
}

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Byte order of two texts, optionally folding ASCII case, over at most
// limit bytes (limit below 0: the whole texts).
int compareTexts(const char* a, const char* b, bool nocase, long long limit) {
    for (long long i = 0; limit < 0 || i < limit; i++) {
        unsigned char x = static_cast<unsigned char>(nocase ? lower(a[i]) : a[i]);
        unsigned char y = static_cast<unsigned char>(nocase ? lower(b[i]) : b[i]);
        if (x != y) return x < y ? -1 : 1;
        if (!x) return 0;
    }
    return 0;
}

int textComparison(Interpreter* interp, int argc, char** argv) {
    std::string_view name = argv[0];
    bool lengthForm = name == "eqn" || name == "nen";
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    bool nocase = false;
    long long length = -1;
    for (int i = 1; i < argc; i++) {
        if (argv[i][0] == '-') {
            if (std::strcmp(argv[i], "-nocase") == 0) nocase = true;
        } else if (i >= 3 && !isEmptyMarker(argv[i])) {
            length = zorakLeadingInt(argv[i]);
        }
    }
    if (lengthForm && length < 0) return zorakWrongArgs(interp, argc, argv);
    const char* a = isEmptyMarker(argv[1]) ? "" : argv[1];
    const char* b = isEmptyMarker(argv[2]) ? "" : argv[2];
    bool folded = nocase;
    std::string_view base = name;
    if (!lengthForm && name.size() == 3 && name[2] == 'i') {
        folded = true;
        base = name.substr(0, 2);
    }
    bool result;
    if (lengthForm) {
        int cmp = compareTexts(a, b, folded, length);
        result = name == "eqn" ? cmp == 0 : cmp != 0;
    } else {
        int cmp = compareTexts(a, b, folded, -1);
        if (base == "eq")
            result = cmp == 0;
        else if (base == "ne")
            result = cmp != 0;
        else if (base == "lt")
            result = cmp < 0;
        else if (base == "gt")
            result = cmp > 0;
        else if (base == "le")
            result = cmp <= 0;
        else if (base == "ge")
            result = cmp >= 0;
        else
            return zorakWrongArgs(interp, argc, argv);
    }
    setTruth(interp, result);
    return OK;
}

int assignment(Interpreter* interp, Op op, int argc, char** argv) {
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    const char* name = argv[1];
    Var* var = zorakGetVar(interp, name, kScopeCurrent);
    // A name that is no variable is its own left operand, and nothing is stored.
    const char* left = var ? (var->value && *var->value ? var->value : "0") : name;
    const char* right = argv[2];
    bool asUnsigned = hasWord(argc, argv, 3, "-unsigned");
    bool floatA = zorakIsFloatOperand(left);
    bool floatB = zorakIsFloatOperand(right);
    std::string text;
    if (!floatA && !floatB) {
        int64_t a = parse_integer_text(left);
        int64_t b = parse_integer_text(right);
        int64_t r;
        switch (op) {
        case Op::Add:
            r = s(u(a) + u(b));
            break;
        case Op::Sub:
            r = s(u(a) - u(b));
            break;
        case Op::Mul:
            r = s(u(a) * u(b));
            break;
        case Op::Div:
            if (b == 0) {
                zorakReportError(interp, "%s: Division by zero\n", argv[0]);
                return ERROR;
            }
            r = (b == -1) ? s(0 - u(a)) : a / b;
            break;
        case Op::BitAnd:
            r = a & b;
            break;
        case Op::BitOr:
            r = a | b;
            break;
        case Op::BitXor:
            r = a ^ b;
            break;
        default:
            zorakReportError(interp, "%s: Unhandled integer operator\n", argv[0]);
            return ERROR;
        }
        char buf[32];
        zorakPrintInt64(buf, r, asUnsigned);
        text = buf;
    } else {
        double a = operandDouble(left, floatA);
        double b = operandDouble(right, floatB);
        double r;
        switch (op) {
        case Op::Add:
            r = a + b;
            break;
        case Op::Sub:
            r = a - b;
            break;
        case Op::Mul:
            r = a * b;
            break;
        case Op::Div:
            if (b == 0.0) {
                zorakReportError(interp, "%s: Division by zero\n", argv[0]);
                return ERROR;
            }
            r = a / b;
            break;
        default:
            zorakReportError(interp, "%s: Unhandled float operator\n", argv[0]);
            return ERROR;
        }
        text = zorakFormatFixed15(r);
    }
    if (var) {
        int code = set_value(interp, name, text.c_str(), 1);
        if (code != OK) return code;
    }
    setText(interp, text);
    return OK;
}

} // namespace

void zorakReportMathException(const char* name, long site, const char* detail) {
    zorakEval.checkpoint = site;
    zorakReportException(name, detail);
}

int zorakCommandOperator(Interpreter* interp, int argc, char** argv, void*) {
    OperatorInfo info = classify(argv[0]);
    switch (info.family) {
    case Family::Arithmetic:
        return arithmetic(interp, info.op, argc, argv);
    case Family::Relational:
        return relational(interp, info.op, argc, argv);
    case Family::Text:
        return textComparison(interp, argc, argv);
    case Family::Assignment:
        return assignment(interp, info.op, argc, argv);
    case Family::None:
        break;
    }
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    zorakReportError(interp, "%s: Unhandled integer operator\n", argv[0]);
    return ERROR;
}

// ! and ~: the logical not and the 64-bit complement.
int zorakCommandNot(Interpreter* interp, int argc, char** argv, void*) {
    if (argc > 3 || (argc == 3 && std::strcmp(argv[2], "-unsigned") != 0))
        return zorakWrongArgs(interp, argc, argv);
    const char* value = argc >= 2 ? argv[1] : "";
    if (!*value) {
        zorakSetResult(interp, "1", 1);
        return OK;
    }
    IntegerTextStatus status;
    int64_t number = parse_integer_text(value, &status);
    if (status == IntegerTextStatus::UnknownType) {
        zorakReportError(interp, "%s: Unknown type %s\n", argv[0], value);
        return ERROR;
    }
    if (!zorakIsNumberText(value)) {
        zorakReportError(interp, "%s: Invalid argument '%s'. Expected number\n", argv[0], value);
        return ERROR;
    }
    bool asUnsigned = argc == 3;
    if (argv[0][0] == '!')
        zorakSetIntResult(interp, number == 0 ? 1 : 0);
    else
        zorakSetIntResult(interp, ~number, asUnsigned);
    return OK;
}

void zorakRegisterOperatorCommands(Interpreter* interp) {
    for (const char* name : kOperatorNames)
        zorakRegisterCommand(interp, name, zorakCommandOperator, nullptr, 0);
    zorakRegisterCommand(interp, "!", zorakCommandNot, nullptr, 0);
    zorakRegisterCommand(interp, "~", zorakCommandNot, nullptr, 0);
}
