// Raising and trapping errors: error, catch, try, die and assert.
#include "commands/exceptions.h"

#include "console/console.h"
#include "interp/errors.h"
#include "interp/evaluator.h"
#include "interp/parser.h"
#include "interp/registry.h"
#include "shell/settings.h"
#include "util/heap_text.h"
#include "util/number_text.h"
#include "vars/variables.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Runs a script with the next error message stored but not printed.
int runQuietly(Interpreter* interp, const char* script, bool quiet) {
    if (quiet) zorakSettings.quiet_next_error = 1;
    int code = kuvetEval(interp, script, 0, 0);
    if (quiet) zorakSettings.quiet_next_error = 0;
    return code;
}

void resetErrorDetails(Interpreter* interp) {
    zorakSetGlobal(interp, "errorInfo", "");
    zorakSetGlobal(interp, "errorCode", "0");
    zorakSetGlobal(interp, "errorLine", "0");
}

} // namespace

int zorakCommandError(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    int code = ERROR;
    if (_pglobal_interp) {
        zorakSetGlobal(interp, "errorMsg", argv[1]);
        if (argc > 2) zorakSetGlobal(interp, "errorInfo", argv[2]);
        if (argc > 3) {
            zorakSetGlobal(interp, "errorCode", argv[3]);
            code = static_cast<int>(zorakLeadingInt(argv[3]));
        }
        if (argc > 4) zorakSetGlobal(interp, "errorLine", argv[4]);
    }
    zorakSetResult(interp, "", 0);
    return code;
}

int zorakCommandCatch(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    const char* varName = argc > 2 && std::strcmp(argv[2], "-quiet") != 0 ? argv[2] : nullptr;
    bool quiet = false;
    for (int i = 2; i < argc; i++)
        if (std::strcmp(argv[i], "-quiet") == 0) quiet = true;
    if (varName) set_var(interp, varName, "");
    if (interp == _pglobal_interp) resetErrorDetails(interp);
    int code = runQuietly(interp, argv[1], quiet);
    std::string kept = interp->result ? interp->result : "";
    if (code == OK) {
        if (varName && !kept.empty()) set_var(interp, varName, kept.c_str());
    } else {
        Var* message = zorakGetVar(interp, "::errorMsg", kScopeGlobal);
        if (message) {
            if (!kept.empty()) zorakSetGlobal(interp, "errorMsg", kept.c_str());
            message = zorakGetVar(interp, "::errorMsg", kScopeGlobal);
            std::string text = message && message->value ? message->value : "";
            if (varName)
                set_var(interp, varName,
                        text.empty() ? "catch: Exception trapped setting variable arg"
                                     : text.c_str());
        } else if (varName) {
            set_var(interp, varName, "catch: Exception accessing errorMsg");
        }
    }
    char number[16];
    std::snprintf(number, sizeof number, "%i", code);
    zorakSetResult(interp, number, 0);
    return OK;
}

int zorakCommandTry(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 4) return zorakWrongArgs(interp, argc, argv);
    if (std::strcmp(argv[2], "catch") != 0) {
        zorakReportError(interp, "%s: Error: Syntax is: try {code} catch {code}\n", argv[0]);
        return ERROR;
    }
    bool quiet = false;
    for (int i = 4; i < argc; i++)
        if (std::strcmp(argv[i], "-quiet") == 0) quiet = true;
    set_var(interp, "errorInfo", "");
    set_var(interp, "errorCode", "0");
    set_var(interp, "errorLine", "0");
    if (!_pglobal_interp) {
        console_printf("Assertion failed: _pglobal_interp != NULL\n");
        return ERROR;
    }
    int code = runQuietly(interp, argv[1], quiet);
    if (code != ERROR && code != STOP) return code;
    return runQuietly(interp, argv[3], quiet);
}

int zorakCommandDie(Interpreter* interp, int argc, char** argv, void*) {
    for (int i = 1; i < argc; i++) {
        if (std::strcmp(argv[i], "-code") == 0) {
            if (i + 1 < argc) zorakSetResult(interp, argv[i + 1], 0);
            i++;
        } else if (i == 1) {
            std::string message = argv[1];
            zorakUnescape(message.data());
            console_printf("%s\n", message.c_str());
        }
    }
    reset_attribute();
    return EXIT;
}

int zorakCommandAssert(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    if (zorakSettings.ndebug) return OK;
    std::string varName = "_";
    const char* line = nullptr;
    bool verbose = false, crlf = false, trace = false, unescape = false;
    const char* testWord = nullptr;
    for (int i = 2; i < argc; i++) {
        const char* word = argv[i];
        if (std::strcmp(word, "-var") == 0 && i + 1 < argc)
            varName = argv[++i];
        else if (std::strcmp(word, "-line") == 0 && i + 1 < argc)
            line = argv[++i];
        else if (std::strcmp(word, "-v") == 0)
            verbose = true;
        else if (std::strcmp(word, "-crlf") == 0)
            crlf = true;
        else if (std::strcmp(word, "-trace") == 0)
            trace = true;
        else if (std::strcmp(word, "-unescape") == 0)
            unescape = true;
        else if (!testWord && i == 2)
            testWord = word;
    }
    std::string value = argv[1];
    if (unescape) {
        zorakUnescape(value.data());
        value.resize(std::strlen(value.c_str()));
    }
    if (trace) {
        console_printf("assert trace: lvalue '%.40s'...\n", value.c_str());
        console_printf("assert trace: setting var '%.40s'... to lvalue\n", varName.c_str());
    }
    if (zorakGetVar(interp, varName.c_str(), kScopeCurrent)) {
        zorakReportError(interp, "%s: Local variable '%s' already exists\n", argv[0],
                         varName.c_str());
        return ERROR;
    }
    if (set_var(interp, varName.c_str(), value.c_str())) {
        zorakReportError(interp, "%s: Failed to set local variable '%s'\n", argv[0],
                         varName.c_str());
        return ERROR;
    }
    std::string test = testWord ? testWord : "!= $_ 0";
    if (unescape) {
        zorakUnescape(test.data());
        test.resize(std::strlen(test.c_str()));
    }
    if (trace) console_printf("assert trace: rvalue: '%.40s'...\n", test.c_str());
    char evalWord[] = "eval";
    char* evalWords[3] = {evalWord, test.data(), nullptr};
    int code = zorakCommandEval(interp, 2, evalWords, nullptr);
    if (crlf) console_printf("\n");
    std::string outcome = interp->result ? interp->result : "";
    bool removed = zorakRemoveVar(interp, varName.c_str()) != 0;
    if (code != OK) {
        if (!removed) {
            zorakReportError(interp, "assert: Failed to unset temporary variable '%s'\n",
                             varName.c_str());
        } else {
            std::string message = "assert: Failed to evaluate '" + test + "'";
            if (line) message += std::string(" at line ") + line;
            message += "\n";
            zorakReportError(interp, "%s", message.c_str());
        }
        return ERROR;
    }
    if (!removed) {
        zorakReportError(interp, "assert: Failed to unset temporary var '%s'\n", varName.c_str());
        return ERROR;
    }
    if (outcome != "1") {
        {
            SavedColours colours;
            set_text_attribute(12);
            if (line)
                console_printf("%s: Line %li: Assertion failed: '%s' != '%s'\n", argv[0],
                               static_cast<long>(zorakLeadingInt(line)), value.c_str(),
                               test.c_str());
            else
                console_printf("%s: Assertion failed: '%s' != '%s'\n", argv[0], value.c_str(),
                               test.c_str());
        }
        reset_attribute();
        return ERROR;
    }
    if (verbose) {
        SavedColours colours;
        if (console_state.console_open) set_text_attribute(10);
        console_printf("assert: ");
        if (line) console_printf("Line %li: ", static_cast<long>(zorakLeadingInt(line)));
        console_printf("PASS '%s'\r\n", value.c_str());
    }
    zorakSetResult(interp, "1", 0);
    return OK;
}

void zorakRegisterExceptionCommands(Interpreter* interp) {
    zorakRegisterCommand(interp, "error", zorakCommandError, nullptr, 0);
    zorakRegisterCommand(interp, "catch", zorakCommandCatch, nullptr, 0);
    zorakRegisterCommand(interp, "try", zorakCommandTry, nullptr, 0);
    zorakRegisterCommand(interp, "die", zorakCommandDie, nullptr, 0);
    zorakRegisterCommand(interp, "assert", zorakCommandAssert, nullptr, 0);
}
