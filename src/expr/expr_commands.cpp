// expr, explain and calc: the commands over the expression engine and the
// translator.
#include "expr/expression.h"

#include "interp/errors.h"
#include "interp/evaluator.h"
#include "interp/registry.h"
#include "util/heap_text.h"

#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

namespace {

constexpr const char* kExprFailed = "Error found in expr. Check expression arguments";

// Restores the translator's folding switch however a command ends.
class FoldSetting {
  public:
    explicit FoldSetting(int16_t value) : saved_(zorakExpr.fold_constants) {
        zorakExpr.fold_constants = value;
    }
    ~FoldSetting() { zorakExpr.fold_constants = saved_; }
    FoldSetting(const FoldSetting&) = delete;
    FoldSetting& operator=(const FoldSetting&) = delete;

  private:
    int16_t saved_;
};

void setText(Interpreter* interp, const std::string& text) {
    zorakSetResult(interp, text.c_str(), static_cast<int>(text.size()));
}

} // namespace

int zorakCommandExpr(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    interp->subst_code = 0;
    std::optional<Buffer> text;
    const char* expression = argv[1];
    // A single word that the precedence pass would leave alone is used as it
    // stands, without a copy.
    if (argc > 2 || !*argv[1] || std::strpbrk(argv[1], "+-&|")) {
        text.emplace();
        for (int i = 1; i < argc; i++) {
            if (i > 1) text->append(' ');
            text->append(*argv[i] ? std::string_view(argv[i]) : std::string_view("{}"));
        }
        add_precedence_brackets(*text);
        if (text->empty()) {
            zorakSetResult(interp, "", 0);
            return OK;
        }
        expression = text->c_str();
    }
    char* value = nullptr;
    int code = evaluate_expression(interp, expression, &value);
    if ((code == OK || code == RETURN) && value) {
        // The value is a fresh heap text: it becomes the result as it is.
        std::free(interp->result);
        interp->result = value;
        interp->result_length = static_cast<int32_t>(std::strlen(value));
        return code;
    }
    std::free(value);
    zorakSetResult(interp, kExprFailed, 0);
    return ERROR;
}

int zorakCommandExplain(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    Buffer text;
    for (int i = 1; i < argc; i++) {
        if (i > 1) text.append(' ');
        text.append(argv[i]);
    }
    FoldSetting noFolding(0);
    add_precedence_brackets(text);
    std::string form;
    if (decompose_expression(text.c_str(), &form)) return ERROR;
    setText(interp, form);
    return OK;
}

int zorakCommandCalc(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return OK;
    if (std::strcmp(argv[argc - 1], "-explain") == 0) {
        Buffer text;
        for (int i = 1; i < argc - 1; i++)
            for (const char* p = argv[i]; *p; p++)
                if (*p != ' ' && *p != '\t') text.append(*p);
        FoldSetting noFolding(0);
        add_precedence_brackets(text);
        std::string form;
        if (decompose_expression(text.c_str(), &form)) {
            zorakSetResult(interp, kExprFailed, 0);
            return ERROR;
        }
        setText(interp, form);
        return OK;
    }
    Buffer text;
    for (int i = 1; i < argc; i++)
        for (const char* p = argv[i]; *p; p++)
            text.append(*p == ',' ? ' ' : *p);
    FoldSetting folding(1);
    add_precedence_brackets(text);
    std::string form;
    if (decompose_expression(text.c_str(), &form)) {
        zorakReportError(interp, "%s: Bad expression\n", argv[0]);
        return ERROR;
    }
    if (form.empty()) return OK;
    return kuvetEval(interp, form.c_str(), 0, 0);
}

void zorakRegisterExprCommands(Interpreter* interp) {
    zorakRegisterCommand(interp, "expr", zorakCommandExpr, nullptr, 0);
    zorakRegisterCommand(interp, "explain", zorakCommandExplain, nullptr, 0);
    zorakRegisterCommand(interp, "calc", zorakCommandCalc, nullptr, 0);
}
