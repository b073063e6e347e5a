#include "preproc/preprocess.h"

#include "console/console.h"
#include "interp/errors.h"
#include "interp/evaluator.h"
#include "platform/platform.h"
#include "preproc/expr_optimise.h"
#include "preproc/macro_table.h"
#include "preproc/private_interp.h"
#include "shell/settings.h"
#include "util/heap_text.h"
#include "util/number_text.h"
#include "util/text.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

namespace {

// Files preprocessed inside the preprocessing of another file, at most.
constexpr int kMaxPreprocessDepth = 16;

bool isWordChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool isMacroDelimiter(char c) {
    return c && std::strchr("'\r\n\t}]) ", c);
}

int hexValue(char c) {
    int value = zorakDigitValue(c);
    return value < 16 ? value : -1;
}

std::string trimmed(std::string_view text, const char* chars = " \t\r\n") {
    size_t start = text.find_first_not_of(chars);
    if (start == std::string_view::npos) return "";
    size_t end = text.find_last_not_of(chars);
    return std::string(text.substr(start, end - start + 1));
}

class Preprocessor {
  public:
    Preprocessor(std::string_view input, bool evaluate) : in_(input), evaluate_(evaluate) {
        out_.reserve(input.size());
    }
    ~Preprocessor() { destroyPrivateInterp(private_); }
    Preprocessor(const Preprocessor&) = delete;
    Preprocessor& operator=(const Preprocessor&) = delete;

    int run();
    std::string& output() { return out_; }

  private:
    char at(size_t i) const { return i < in_.size() ? in_[i] : '\0'; }
    bool wordAt(size_t i, std::string_view word) const {
        return in_.substr(i, word.size()) == word && !isWordChar(at(i + word.size()));
    }
    void newline() { line_++; }
    bool outputLineHasText() const;
    size_t lineEnd(size_t from) const;
    void dropLine();
    void message(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;
    void recordError() {
        if (!errorLine_) errorLine_ = line_;
    }

    bool blockComment();
    bool substituteMacro();
    void escape();
    void hash();
    bool builtinWord();
    void directiveDefine(size_t p);
    void directiveEcho(size_t p);
    bool directiveEvaluate(size_t p, bool isIf);
    int finalChecks();

    std::string_view in_;
    std::string out_;
    size_t pos_ = 0;
    MacroTable macros_;
    bool evaluate_;
    Interpreter* private_ = nullptr;
    long line_ = 1;
    int depth_ = 0;
    long lastIfLine_ = 0;
    bool skipping_ = false;
    bool inQuotes_ = false;
    long quotes_ = 0;
    long braces_ = 0, brackets_ = 0, parens_ = 0;
    long firstBraceLine_ = 0, lastCloseBraceLine_ = 0, bracketLine_ = 0;
    bool escapeError_ = false;
    long escapeErrorLine_ = 0;
    long errorLine_ = 0;
    bool stopped_ = false;
    bool exitNumber_ = false;
    size_t runEnd_ = 0; // where the current word run meets a delimiter
    bool messagesStarted_ = false;
};

void Preprocessor::message(const char* format, ...) {
    if (!zorakSettings.error_echo && !zorakSettings.debug) return;
    if (zorakLibrary.cgi_mode && !messagesStarted_) Writes("<font color=\"grey\"><pre>");
    messagesStarted_ = true;
    char text[2048];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    Writes(text);
}

bool Preprocessor::outputLineHasText() const {
    for (size_t i = out_.size(); i > 0; i--) {
        char c = out_[i - 1];
        if (c == '\n') return false;
        if (c != ' ' && c != '\t' && c != '\r') return true;
    }
    return false;
}

size_t Preprocessor::lineEnd(size_t from) const {
    size_t end = in_.find('\n', from);
    return end == std::string_view::npos ? in_.size() : end;
}

// Removes the rest of the line; a line that held text keeps its line break.
void Preprocessor::dropLine() {
    size_t end = lineEnd(pos_);
    bool text = outputLineHasText();
    if (end < in_.size()) {
        newline();
        end++;
    }
    pos_ = end;
    if (text) out_ += "\r\n";
}

bool Preprocessor::blockComment() {
    size_t close = in_.find("*/", pos_ + 2);
    if (close == std::string_view::npos) {
        // The rest of the script would vanish without a word: a comment
        // that never closes is an error, reported at the line it opens.
        message("Error: Mismatched /* ... */ comment found near line %li\n", line_);
        recordError();
    }
    size_t end = close == std::string_view::npos ? in_.size() : close + 2;
    for (size_t i = pos_; i < end; i++)
        if (in_[i] == '\n') newline();
    pos_ = end;
    if (close == std::string_view::npos) stopped_ = true;
    return true;
}

bool Preprocessor::substituteMacro() {
    if (pos_ >= runEnd_) {
        runEnd_ = pos_;
        while (runEnd_ < in_.size() && !isMacroDelimiter(in_[runEnd_]))
            runEnd_++;
    }
    // A word that meets no delimiter before the end of the text is not looked up.
    if (runEnd_ >= in_.size() || runEnd_ - pos_ > macros_.longestName()) return false;
    std::string_view word = in_.substr(pos_, runEnd_ - pos_);
    if (word == "__LINE__") macros_.define("__LINE__", std::to_string(line_));
    const std::string* value = macros_.find(word);
    if (!value || value->empty()) return false;
    std::string resolved = *value;
    for (int i = 0; i < 100; i++) {
        const std::string* next = macros_.find(resolved);
        if (!next) break;
        resolved = *next;
    }
    out_ += expand_macros(resolved, macros_);
    pos_ = runEnd_;
    return true;
}

void Preprocessor::escape() {
    char next = at(pos_ + 1);
    if (pos_ + 1 >= in_.size()) {
        out_ += '\\';
        pos_++;
        return;
    }
    if (!zorakSettings.escape) {
        out_.append(in_.substr(pos_, 2));
        pos_ += 2;
        return;
    }
    const char* simple = std::strchr("rnabftv", next);
    if (simple && next) {
        static const char codes[] = "\r\n\a\b\f\t\v";
        out_ += codes[simple - "rnabftv"];
        pos_ += 2;
        return;
    }
    if (next >= '0' && next <= '7') {
        int code = 0;
        size_t i = pos_ + 1;
        for (int n = 0; n < 3 && at(i) >= '0' && at(i) <= '7'; n++, i++)
            code = code * 8 + (at(i) - '0');
        code &= 0xFF;
        // A quote written as itself would end the quoted word it stands in.
        if (code == '"')
            out_ += "\\\"";
        else
            out_ += code == 0 ? '?' : static_cast<char>(code);
        pos_ = i;
        return;
    }
    if (next == 'x') {
        int high = hexValue(at(pos_ + 2)), low = hexValue(at(pos_ + 3));
        if (high < 0 || low < 0) {
            if (!escapeError_) escapeErrorLine_ = line_;
            escapeError_ = true;
            out_.append("\\x");
            pos_ += 2;
            return;
        }
        int code = high * 16 + low;
        // These two would change the script's meaning if written as themselves:
        // a quote stays a quote character without ending its word, and a
        // zero byte reaches the script as the four characters \x00.
        if (code == 0)
            out_ += "\\\\x00";
        else if (code == '"')
            out_ += "\\\"";
        else
            out_ += static_cast<char>(code);
        pos_ += 4;
        return;
    }
    out_.append(in_.substr(pos_, 2));
    pos_ += 2;
}

bool Preprocessor::builtinWord() {
    struct Builtin {
        const char* word;
        int id;
    };
    static const Builtin builtins[] = {{"#__LINE__", 0}, {"#__FILE__", 1}, {"#__DATE__", 2},
                                       {"#__TIME__", 3}, {"#__USER__", 4}, {"#__HOST__", 5}};
    for (const Builtin& b : builtins) {
        std::string_view word = b.word;
        if (in_.substr(pos_, word.size()) != word) continue;
        std::time_t now = std::time(nullptr);
        std::tm local{};
        char text[64] = "";
        std::string value;
        switch (b.id) {
        case 0:
            value = std::to_string(line_);
            break;
        case 1:
            value = zorakLibrary.script_name.empty() ? "<unknown>" : zorakLibrary.script_name;
            break;
        case 2:
        case 3:
            platformLocalTime(now, &local);
            std::strftime(text, sizeof text, b.id == 2 ? "%Y%m%d" : "%H:%M:%S", &local);
            value = text;
            break;
        case 4:
            if (!platformUserName(&value) || value.empty()) value = "<unknown>";
            break;
        default:
            if (!platformHostName(&value) || value.empty()) value = "<unknown>";
            break;
        }
        out_ += value;
        pos_ += word.size();
        return true;
    }
    return false;
}

void Preprocessor::directiveDefine(size_t p) {
    while (at(p) == ' ' || at(p) == '\t')
        p++;
    size_t nameStart = p;
    while (p < in_.size() && !std::strchr(" \t\r\n", in_[p]))
        p++;
    std::string name(in_.substr(nameStart, p - nameStart));
    while (at(p) == ' ' || at(p) == '\t')
        p++;
    std::string value;
    size_t end = lineEnd(p);
    if (at(p) == '"') {
        value += '"';
        size_t i = p + 1;
        while (i < in_.size()) {
            char c = in_[i];
            if (c == '\\' && at(i + 1) == '"') {
                value += "\\\"";
                i += 2;
            } else if (c == '\\' && (at(i + 1) == '\r' || at(i + 1) == '\n')) {
                i++;
                while (at(i) == '\r' || at(i) == '\n') {
                    if (at(i) == '\n') newline();
                    i++;
                }
            } else if (c == '"') {
                value += '"';
                i++;
                break;
            } else if (c == '\n') {
                break;
            } else {
                value += c;
                i++;
            }
        }
        end = lineEnd(i);
    } else {
        for (size_t i = p; i < end; i++) {
            if (in_[i] == '#' && (i == 0 || in_[i - 1] != '\\')) break;
            value += in_[i];
        }
    }
    pos_ = end;
    value = trimmed(value);
    if (value != "\"\"" && value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    for (size_t q; (q = value.find("\\\"")) != std::string::npos;)
        value.erase(q, 1);
    for (int i = 0; i < 1000; i++) {
        const std::string* next = macros_.find(value);
        if (!next) break;
        value = *next;
    }
    if (value.empty()) value = "1";
    if (name.empty()) return;
    macros_.define(name, value);
    if (zorakEqualNoCase(name, "ndebug")) zorakSettings.ndebug = 1;
}

void Preprocessor::directiveEcho(size_t p) {
    size_t end = lineEnd(p);
    std::string text(in_.substr(p, end - p));
    size_t open = text.find("/*");
    if (open != std::string::npos && text.find("*/", open) == std::string::npos) {
        message("Error: Mismatched /* ... */ comment\n");
    }
    size_t hashAt = text.find('#');
    if (hashAt != std::string::npos) text.resize(hashAt);
    text = trimmed(text);
    std::string decoded;
    for (size_t i = 0; i < text.size(); i++) {
        if (text[i] == '\\' && i + 1 < text.size() && std::strchr("rnt", text[i + 1])) {
            decoded += text[i + 1] == 'r' ? '\r' : text[i + 1] == 'n' ? '\n' : '\t';
            i++;
        } else {
            decoded += text[i];
        }
    }
    if (decoded.size() >= 2 && decoded.front() == '"' && decoded.back() == '"')
        decoded = decoded.substr(1, decoded.size() - 2);
    decoded = expand_macros(decoded, macros_);
    Writes(decoded.c_str());
    Writes("\n");
}

// #if and #exec: the rest of the line runs in the private interpreter.
bool Preprocessor::directiveEvaluate(size_t p, bool isIf) {
    macros_.define("__LINE__", std::to_string(line_));
    size_t end = lineEnd(p);
    std::string text(in_.substr(p, end - p));
    size_t hashAt = text.find('#');
    if (hashAt != std::string::npos) text.resize(hashAt);
    size_t open = text.find("/*");
    if (open != std::string::npos && text.find("*/", open) == std::string::npos) {
        message("Error: Mismatched /* ... */ comment found\n");
        recordError();
        stopped_ = true;
        return false;
    }
    text = trimmed(text);
    if (text.size() >= 2 && ((text.front() == '"' && text.back() == '"') ||
                             (text.front() == '{' && text.back() == '}') ||
                             (text.front() == '[' && text.back() == ']')))
        text = trimmed(text.substr(1, text.size() - 2));
    text = expand_macros(text, macros_);
    if (!evaluate_) return true;
    if (!private_) private_ = createPrivateInterp();
    std::string value;
    int code = evaluateInPrivateInterp(private_, text.c_str(), &value);
    if (code != OK && code != RETURN) {
        message("Error: Error in #if or #exec macro expression '%s'\n", text.c_str());
        recordError();
        stopped_ = true;
        return false;
    }
    if (isIf && !value.empty() && std::atof(value.c_str()) == 0.0) skipping_ = true;
    return true;
}

void Preprocessor::hash() {
    char next = at(pos_ + 1);
    if (next == '#' || next == ' ' || next == '\t') {
        dropLine();
        return;
    }
    if (builtinWord()) return;
    size_t p = pos_ + 1;
    size_t wordEnd = p;
    while (isWordChar(at(wordEnd)))
        wordEnd++;
    std::string_view word = in_.substr(p, wordEnd - p);
    char after = at(wordEnd);
    bool spaced = after == ' ' || after == '\t';
    bool lineEnds = after == '\0' || after == '\r' || after == '\n';
    if (word == "define" && spaced) {
        directiveDefine(wordEnd);
        dropLine();
    } else if (word == "undef" && spaced) {
        size_t q = wordEnd;
        while (at(q) == ' ' || at(q) == '\t')
            q++;
        size_t nameEnd = q;
        while (nameEnd < in_.size() && !std::strchr(" \t\r\n", in_[nameEnd]))
            nameEnd++;
        std::string name(in_.substr(q, nameEnd - q));
        macros_.remove(name);
        if (zorakEqualNoCase(name, "ndebug")) zorakSettings.ndebug = 0;
        dropLine();
    } else if ((word == "ifdef" || word == "ifndef") && spaced) {
        size_t q = wordEnd;
        while (at(q) == ' ' || at(q) == '\t')
            q++;
        size_t nameEnd = q;
        while (nameEnd < in_.size() && !std::strchr(" \t\r\n", in_[nameEnd]))
            nameEnd++;
        bool defined = macros_.find(in_.substr(q, nameEnd - q)) != nullptr;
        depth_++;
        lastIfLine_ = line_;
        skipping_ = word == "ifdef" ? !defined : defined;
        dropLine();
    } else if (word == "if" && spaced) {
        depth_++;
        lastIfLine_ = line_;
        if (directiveEvaluate(wordEnd, true)) dropLine();
    } else if (word == "exec" && spaced) {
        if (directiveEvaluate(wordEnd, false)) dropLine();
    } else if (word == "echo" && (spaced || lineEnds)) {
        directiveEcho(wordEnd);
        dropLine();
    } else if (word == "exit" && (spaced || lineEnds)) {
        size_t q = wordEnd;
        while (at(q) == ' ' || at(q) == '\t')
            q++;
        exitNumber_ = (at(q) >= '0' && at(q) <= '9') ||
                      ((at(q) == '-' || at(q) == '+') && at(q + 1) >= '0' && at(q + 1) <= '9');
        stopped_ = true;
    } else if (word == "deflist" && (spaced || lineEnds)) {
        for (const auto& [name, value] : macros_.list())
            console_printf("%-30.30s\t%s\n", name.c_str(), value.c_str());
        Writes("\n");
        dropLine();
    } else {
        // An unknown word after "#" makes the line a comment.
        dropLine();
    }
}

int Preprocessor::run() {
    while (pos_ < in_.size() && !stopped_) {
        char c = in_[pos_];
        char next = at(pos_ + 1);
        if (!inQuotes_ && c == '/' && next == '*') {
            blockComment();
            continue;
        }
        if (!inQuotes_ && !skipping_ && isWordChar(c) && substituteMacro()) continue;
        if (!inQuotes_ && c == '#' && (pos_ == 0 || in_[pos_ - 1] != '#')) {
            if (wordAt(pos_, "#else")) {
                skipping_ = !skipping_;
                dropLine();
                continue;
            }
            if (wordAt(pos_, "#endif")) {
                depth_--;
                skipping_ = false;
                dropLine();
                continue;
            }
        }
        if (skipping_) {
            if (c == '\n') newline();
            pos_++;
            continue;
        }
        if (c == '\\' && (next == '\r' || next == '\n')) {
            pos_++;
            while (at(pos_) == '\r' || at(pos_) == '\n') {
                if (at(pos_) == '\n') newline();
                pos_++;
            }
            continue;
        }
        if (c == '\\') {
            escape();
            continue;
        }
        if (!inQuotes_ && c == '#' && (pos_ == 0 || in_[pos_ - 1] != '#')) {
            hash();
            continue;
        }
        if (c == '"') {
            inQuotes_ = !inQuotes_;
            quotes_++;
        } else if (!inQuotes_) {
            switch (c) {
            case '{':
                if (braces_ == 0) firstBraceLine_ = line_;
                braces_++;
                break;
            case '}':
                braces_--;
                lastCloseBraceLine_ = line_;
                break;
            case '[':
                if (brackets_ == 0) bracketLine_ = line_;
                brackets_++;
                break;
            case ']':
                if (brackets_ == 0) bracketLine_ = line_;
                brackets_--;
                break;
            case '(':
                parens_++;
                break;
            case ')':
                parens_--;
                break;
            case '\n':
                if (quotes_ % 2 && !errorLine_) {
                    message("Error: Quote mismatch near line %li (Count:%li)\n", line_, quotes_);
                    message("       Check \\\\path escapes, \\\" combinations and mismatched "
                            "\"quotes\n");
                    errorLine_ = line_;
                }
                break;
            default:
                break;
            }
        }
        if (c == '\n') newline();
        out_ += c;
        pos_++;
    }
    if (exitNumber_) return -12;
    if (!optimise_expression_calls(out_)) return -8;
    return finalChecks();
}

int Preprocessor::finalChecks() {
    int code = 0;
    if (errorLine_) message("Preprocessor error near line %li\n", errorLine_ + 1);
    if (depth_ > 0) {
        message("Error: %s near line: %li\n",
                "#if(def) without matching #endif, or nested #if(def)", lastIfLine_);
        message("       Did you intend a macro '#if' or the comment '# if' ?\n");
        code = -1;
    } else if (depth_ < 0) {
        message("Error: %s near line: %li\n", "Unexpected #endif", line_);
        code = -2;
    } else if (escapeError_) {
        message("Error: %s near line %li\n", "Invalid Hex or Octal escape sequence",
                escapeErrorLine_);
        code = -3;
    } else if (quotes_ % 2) {
        message("Error: %s (%li)\n", "Mismatched double quotes", quotes_);
        code = -4;
    } else if (braces_ != 0) {
        if (errorLine_) message("Error: Near line %li\n", errorLine_);
        long excess = braces_ > 0 ? braces_ : -braces_;
        message("Error: %li too many %c braces\n", excess, braces_ > 0 ? '{' : '}');
        if (braces_ > 0)
            message("Error: Open brace started at line %li, last closing brace at %li\n",
                    firstBraceLine_, lastCloseBraceLine_);
        code = -5;
    } else if (brackets_ != 0) {
        long excess = brackets_ > 0 ? brackets_ : -brackets_;
        message("Error: %li too many '%c' brackets. Missing '%c' bracket(s) near line %li\n",
                excess, brackets_ > 0 ? '[' : ']', brackets_ > 0 ? ']' : '[', bracketLine_);
        code = -6;
    } else if (parens_ != 0) {
        long excess = parens_ > 0 ? parens_ : -parens_;
        message("Error: %li too many %c brackets\n", excess, parens_ > 0 ? '(' : ')');
        code = -7;
    } else if (errorLine_) {
        message("%s near line %li\n", "Unhandled error", errorLine_);
        code = -9;
    }
    if (messagesStarted_ && zorakLibrary.cgi_mode) Writes("</pre>\n");
    if (code) return code;
    return static_cast<int>(out_.size());
}

} // namespace

int preprocess(char** text, int evaluate_directives, int, int) {
    if (!text || !*text) return -10;
    // A #exec line may source a file whose own #exec lines source another:
    // the chain ends here, long before it exhausts the machine.
    if (zorakEval.preprocess_depth >= kMaxPreprocessDepth) {
        if (zorakSettings.error_echo || zorakSettings.debug)
            Writes("Error: Preprocessing nested too deeply (#exec or source of a file being "
                   "preprocessed)\n");
        return -11;
    }
    struct DepthCount {
        DepthCount() { zorakEval.preprocess_depth++; }
        ~DepthCount() { zorakEval.preprocess_depth--; }
    } depth;
    Preprocessor run(*text, evaluate_directives != 0);
    int code = run.run();
    if (code < 0) return code;
    char* replaced = zorakStrDup(run.output());
    zorakStrFree(text);
    *text = replaced;
    return code;
}
