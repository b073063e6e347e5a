// The evaluation words: subst (backslash, variable and command substitution
// of one text), apply (an anonymous procedure), K (the first of its words)
// and let (a variable set to the value of an expression).
#include "commands/tcl_words.h"

#include "commands/list_core.h"
#include "commands/string_core.h"
#include "expr/expression.h"
#include "interp/errors.h"
#include "interp/evaluator.h"
#include "interp/registry.h"
#include "util/heap_text.h"
#include "util/number_text.h"
#include "util/text.h"
#include "vars/procedures.h"
#include "vars/variables.h"

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct SubstFlags {
    bool backslashes = true;
    bool variables = true;
    bool commands = true;
};

bool isNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

int hexValue(char c) {
    int v = zorakDigitValue(c);
    return v < 16 ? v : -1;
}

// Decodes the backslash sequence at text[*i] (the backslash itself) into out
// and moves *i past it. False when it would make a zero byte.
bool decodeBackslash(std::string_view text, size_t* i, std::string* out) {
    size_t p = *i + 1;
    if (p >= text.size()) {
        out->push_back('\\');
        *i = p;
        return true;
    }
    char c = text[p++];
    uint32_t code = 0;
    switch (c) {
    case 'a':
        code = 7;
        break;
    case 'b':
        code = 8;
        break;
    case 'f':
        code = 12;
        break;
    case 'n':
        code = 10;
        break;
    case 'r':
        code = 13;
        break;
    case 't':
        code = 9;
        break;
    case 'v':
        code = 11;
        break;
    case '\n':
        // A backslash-newline and the blanks after it read as one space.
        while (p < text.size() && (text[p] == ' ' || text[p] == '\t'))
            p++;
        code = ' ';
        break;
    case 'x':
    case 'u':
    case 'U': {
        size_t most = c == 'x' ? 2 : c == 'u' ? 4 : 8;
        size_t n = 0;
        while (n < most && p < text.size() && hexValue(text[p]) >= 0) {
            code = code * 16 + static_cast<uint32_t>(hexValue(text[p++]));
            n++;
        }
        if (n == 0) code = static_cast<unsigned char>(c);
        if (code > 0x10FFFF) code = 0xFFFD;
        break;
    }
    default:
        if (c >= '0' && c <= '7') {
            code = static_cast<uint32_t>(c - '0');
            for (int n = 1; n < 3 && p < text.size() && text[p] >= '0' && text[p] <= '7'; n++)
                code = code * 8 + static_cast<uint32_t>(text[p++] - '0');
            code &= 0xFF;
        } else {
            code = static_cast<unsigned char>(c);
        }
    }
    *i = p;
    if (code == 0) return false;
    zorakAppendCodePoint(out, code);
    return true;
}

// The position of the "]" that closes the "[" at open, or npos. Brackets in
// braces and backslash pairs do not count.
size_t closingBracket(std::string_view text, size_t open) {
    int depth = 0, braces = 0;
    for (size_t i = open; i < text.size(); i++) {
        char c = text[i];
        if (c == '\\') {
            i++;
        } else if (c == '{') {
            braces++;
        } else if (c == '}') {
            if (braces > 0) braces--;
        } else if (braces == 0 && c == '[') {
            depth++;
        } else if (braces == 0 && c == ']' && --depth == 0) {
            return i;
        }
    }
    return std::string_view::npos;
}

class Substitution {
  public:
    Substitution(Interpreter* interp, const char* command, SubstFlags flags)
        : interp_(interp), command_(command), flags_(flags) {}
    // Substitutes text into out. Returns the completion code; BREAK from a
    // command ends the text early with OK.
    int run(std::string_view text, std::string* out);

  private:
    int variable(std::string_view text, size_t* i, std::string* out);

    Interpreter* interp_;
    const char* command_;
    SubstFlags flags_;
    bool stopped_ = false;
};

int Substitution::run(std::string_view text, std::string* out) {
    size_t i = 0;
    while (i < text.size() && !stopped_) {
        char c = text[i];
        if (c == '\\' && flags_.backslashes) {
            if (!decodeBackslash(text, &i, out)) {
                zorakReportError(interp_, "%s: A zero byte cannot be held in a text\n", command_);
                return ERROR;
            }
        } else if (c == '$' && flags_.variables) {
            int code = variable(text, &i, out);
            if (code != OK) return code;
        } else if (c == '[' && flags_.commands) {
            size_t close = closingBracket(text, i);
            if (close == std::string_view::npos) {
                zorakReportError(interp_, "%s: Missing close-bracket in '%.*s'\n", command_,
                                 static_cast<int>(text.size() - i), text.data() + i);
                return ERROR;
            }
            std::string script(text.substr(i + 1, close - i - 1));
            i = close + 1;
            int code = kuvetEval(interp_, script.c_str(), 0, 0);
            if (code == BREAK) {
                stopped_ = true;
                break;
            }
            if (code == CONTINUE) continue;
            if (code != OK && code != RETURN) return code;
            if (interp_->result) out->append(interp_->result);
        } else {
            out->push_back(c);
            i++;
        }
    }
    return OK;
}

// $name, $name(index), ${name} and the "::" forms; a "$" that starts no
// name stays as it is.
int Substitution::variable(std::string_view text, size_t* i, std::string* out) {
    size_t p = *i + 1;
    std::string name;
    if (p < text.size() && text[p] == '{') {
        size_t close = text.find('}', p);
        if (close == std::string_view::npos) {
            zorakReportError(interp_, "%s: Missing close-brace for variable name\n", command_);
            return ERROR;
        }
        name = std::string(text.substr(p + 1, close - p - 1));
        p = close + 1;
    } else {
        size_t start = p;
        while (p < text.size()) {
            if (isNameChar(text[p]))
                p++;
            else if (text[p] == ':' && p + 1 < text.size() && text[p + 1] == ':')
                p += 2;
            else
                break;
        }
        if (p == start) {
            out->push_back('$');
            *i = p;
            return OK;
        }
        name = std::string(text.substr(start, p - start));
        if (p < text.size() && text[p] == '(') {
            int depth = 0;
            size_t close = std::string_view::npos;
            for (size_t k = p; k < text.size(); k++) {
                if (text[k] == '\\')
                    k++;
                else if (text[k] == '(')
                    depth++;
                else if (text[k] == ')' && --depth == 0) {
                    close = k;
                    break;
                }
            }
            if (close == std::string_view::npos) {
                zorakReportError(interp_, "%s: Missing ) after '%s('\n", command_, name.c_str());
                return ERROR;
            }
            std::string index;
            int code = run(text.substr(p + 1, close - p - 1), &index);
            if (code != OK) return code;
            name += "(" + index + ")";
            p = close + 1;
        }
    }
    *i = p;
    if (set_value(interp_, name.c_str(), nullptr, 0) != OK) {
        zorakReportError(interp_, "%s: No variable '%s'\n", command_, name.c_str());
        return ERROR;
    }
    if (interp_->result) out->append(interp_->result);
    return OK;
}

// subst ?-nobackslashes? ?-nocommands? ?-novariables? text
int zorakCommandSubst(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    SubstFlags flags;
    for (int i = 1; i < argc - 1; i++) {
        if (zorakEqualNoCase(argv[i], "-nobackslashes"))
            flags.backslashes = false;
        else if (zorakEqualNoCase(argv[i], "-nocommands"))
            flags.commands = false;
        else if (zorakEqualNoCase(argv[i], "-novariables"))
            flags.variables = false;
        else {
            zorakReportError(interp, "%s: Unknown option '%s'\n", argv[0], argv[i]);
            return ERROR;
        }
    }
    std::string out;
    Substitution substitution(interp, argv[0], flags);
    int code = substitution.run(argv[argc - 1], &out);
    if (code != OK) {
        if (code == ERROR) zorakSetResult(interp, "", 0);
        return code;
    }
    return zorakStringResult(interp, out);
}

// apply {arglist body ?namespace?} ?value ...?: the body runs in a fresh
// frame with the arguments bound as a procedure's are. This dialect has no
// namespaces, so a third element is accepted and not used.
int zorakCommandApply(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    ScopedVector lambda;
    int parts = zorakSplitList(argv[1], &lambda.get());
    if (parts != 2 && parts != 3) {
        zorakReportError(interp, "%s: Cannot read '%s' as {arglist body}\n", argv[0], argv[1]);
        return ERROR;
    }
    std::vector<char*> words;
    words.push_back(argv[0]);
    for (int i = 2; i < argc; i++)
        words.push_back(argv[i]);
    words.push_back(nullptr);
    return zorakRunLambda(interp, argv[0], lambda->items[0], lambda->items[1], argc - 1,
                          words.data());
}

// K a ?b ...?: the first word; the others were substituted for their effects.
int zorakCommandK(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    zorakSetResult(interp, argv[1], 0);
    return OK;
}

// let name ?=? expression...: the words of the expression are joined with
// spaces, evaluated, and the value stored in name and returned.
int zorakCommandLet(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    int first = std::strcmp(argv[2], "=") == 0 ? 3 : 2;
    if (first >= argc) return zorakWrongArgs(interp, argc, argv);
    std::string text;
    for (int i = first; i < argc; i++) {
        if (i > first) text += ' ';
        text += argv[i];
    }
    char* value = nullptr;
    int code = evaluate_expression(interp, text.c_str(), &value);
    HeapText owned(value);
    if (code != OK) return code;
    if (!value) {
        zorakReportError(interp, "%s: Expression '%s' has no value\n", argv[0], text.c_str());
        return ERROR;
    }
    if (!zorakWordsSetVar(interp, argv[0], argv[1], value)) return ERROR;
    zorakSetResult(interp, value, 0);
    return OK;
}

} // namespace

bool zorakWordsSetVar(Interpreter* interp, const char* command, const char* name,
                      const char* value) {
    Var* var = zorakGetVar(interp, name, kScopeCurrent);
    if (var && var->is_constant) {
        zorakReportError(interp, "%s: Can't change constant '%s'\n", command, name);
        return false;
    }
    if (set_var(interp, name, value)) {
        zorakReportError(interp, "%s: Failed to set variable '%s'\n", command, name);
        return false;
    }
    return true;
}

void zorakRegisterEvalWordCommands(Interpreter* interp) {
    zorakRegisterCommand(interp, "subst", zorakCommandSubst, nullptr, 0);
    zorakRegisterCommand(interp, "apply", zorakCommandApply, nullptr, 0);
    zorakRegisterCommand(interp, "K", zorakCommandK, nullptr, 0);
    zorakRegisterCommand(interp, "let", zorakCommandLet, nullptr, 0);
}

void zorakRegisterTclWordCommands(Interpreter* interp) {
    zorakRegisterFormatCommands(interp);
    zorakRegisterBinaryCommand(interp);
    zorakRegisterListWordCommands(interp);
    zorakRegisterEvalWordCommands(interp);
}
