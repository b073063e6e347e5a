// The interpreter record's lifecycle: creation, the built-in commands, the
// standard variables, and release.
#include "interp/interp.h"

#include "commands/control_flow.h"
#include "commands/exceptions.h"
#include "commands/list_core.h"
#include "commands/string_core.h"
#include "commands/text_commands.h"
#include "commands/tcl_words.h"
#include "preproc/script_files.h"
#include "console/console.h"
#include "expr/expression.h"
#include "expr/math_commands.h"
#include "expr/math_functions.h"
#include "expr/math_ops.h"
#include "expr/number_words.h"
#include "interp/debugger.h"
#include "interp/errors.h"
#include "interp/evaluator.h"
#include "interp/registry.h"
#include "lib/lib.h"
#include "platform/platform.h"
#include "services/folder_commands.h"
#include "services/http_command.h"
#include "services/memory_commands.h"
#include "services/info_commands.h"
#include "shell/settings.h"
#include "shell/shell.h"
#include "util/escape.h"
#include "util/heap_text.h"
#include "util/stack.h"
#include "vars/array_commands.h"
#include "vars/arrays.h"
#include "vars/dicts.h"
#include "vars/procedures.h"
#include "vars/structs.h"
#include "vars/variables.h"
#include "services/file_command.h"
#include "services/time_commands.h"

#include "util/number_text.h"
#include "vars/variable_words.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

LibraryState zorakLibrary;
EvalState zorakEval;
Interpreter* _pglobal_interp = nullptr;

void zorakSetResult(Interpreter* interp, const char* text, int length) {
    if (!text) {
        std::free(interp->result);
        interp->result = nullptr;
        interp->result_length = 0;
        return;
    }
    size_t size = length < 1 ? std::strlen(text) : static_cast<size_t>(length);
    // Most results are short and follow one another: a block that holds the
    // new text (and is not far larger) takes it in place. The text may lie
    // inside the old result, hence memmove.
    char* old = interp->result;
    size_t room = platformHeapBlockSize(old);
    if (old && room > size && room <= 4 * size + 64) {
        std::memmove(old, text, size);
        old[size] = '\0';
    } else {
        char* copy = zorakStrDup(std::string_view(text, size));
        std::free(old);
        interp->result = copy;
    }
    interp->result_length = static_cast<int32_t>(size);
}

void zorakInitInterp(Interpreter* interp) {
    *interp = Interpreter{};
    interp->callframe = zorakCreateCallFrame(nullptr);
    interp->result = static_cast<char*>(std::calloc(1, 1));
    if (!zorakEval.call_trace) zorakEval.call_trace = zorakStackCreate(100, 1);
}

Interpreter* zorakCreateInterp() {
    Interpreter* interp = &zorakLibrary.interp;
    zorakInitInterp(interp);
    _pglobal_interp = interp;
    return interp;
}

void zorakRegisterCommands(Interpreter* interp) {
    zorakRegisterEvalCommands(interp);
    zorakRegisterDebugCommands(interp);
    zorakRegisterRegistryCommands(interp);
    zorakRegisterVariableCommands(interp);
    zorakRegisterOutputCommands(interp);
    zorakRegisterOptionCommands(interp);
    zorakRegisterShellCommands(interp);
    zorakRegisterExceptionCommands(interp);
    zorakRegisterScriptFileCommands(interp);
    zorakRegisterExprCommands(interp);
    zorakRegisterOperatorCommands(interp);
    zorakRegisterMathFunctionCommands(interp);
    zorakRegisterMathCommands(interp);
    zorakRegisterControlFlowCommands(interp);
    zorakRegisterLoopCommands(interp);
    zorakRegisterSwitchCommands(interp);
    zorakRegisterGotoCommands(interp);
    zorakRegisterListCommands(interp);
    zorakRegisterStringCommands(interp);
    zorakRegisterProcCommands(interp);
    zorakRegisterArrayCommands(interp);
    zorakRegisterStructCommands(interp);
    zorakRegisterStackCommands(interp);
    zorakRegisterInfoCommands(interp);
    zorakRegisterLibCommands(interp);
    zorakRegisterDictCommands(interp);
    zorakRegisterFileAndProcessCommands(interp);
    zorakRegisterTextCommands(interp);
    zorakRegisterVariableWords(interp);
    zorakRegisterNumberCommands(interp);
    zorakRegisterTclWordCommands(interp);
    zorakRegisterFolderCommands(interp);
    zorakRegisterTimeAndEnvironmentCommands(interp);
    zorakRegisterMemoryCommands(interp);
    zorakRegisterHttpCommands(interp);
}

namespace {

const char* const kStandardVars[] = {"argc",       "argv",        "argv0",         "env",
                                     "eof",        "exe_name",    "false",         "NAN",
                                     "pi",         "qbf",         "autoexec_ran",  "tcl_cli",
                                     "tcl_cgi",    "tcl_date",    "tcl_precision", "tcl_threaded",
                                     "tcl_config", "tcl_version", "true",          "win64",
                                     "errorCode",  "errorInfo",   "errorLine",     "errorMsg"};

void defineEscaped(Interpreter* interp, const char* name, const std::string& value) {
    HeapText escaped(zorakEscapeScriptText(value));
    define_const(interp, name, escaped.get() ? escaped.get() : "", 0, 1);
}

// The build date as "yyyy/Mmm/dd@hh:mm:ss".
std::string buildDate() {
    std::string stamp = zorakBuildStamp(); // "Mmm dd yyyy@hh:mm:ss"
    std::string day = stamp.substr(4, 2);
    if (day[0] == ' ') day[0] = '0';
    return stamp.substr(7, 4) + "/" + stamp.substr(0, 3) + "/" + day + "@" + stamp.substr(12);
}

// argv(0), argv(1) ... hold the second, third ... argument, escaped.
void defineArgvArray(Interpreter* interp, int argc, char** argv) {
    zorakRemoveVar(interp, "argv");
    for (int i = 1; i < argc; i++) {
        HeapText escaped(zorakEscapeScriptText(argv[i] ? argv[i] : ""));
        char key[16];
        std::snprintf(key, sizeof key, "%d", i - 1);
        array_set_element(interp, "argv", key, escaped.get(), 0, 0);
    }
}

// One element per environment entry "NAME=value", escaped.
void defineEnvArray(Interpreter* interp) {
    zorakRemoveVar(interp, "env");
    for (const std::string& entry : platformEnvironment()) {
        size_t equals = entry.find('=');
        if (equals == std::string::npos) continue;
        std::string name = entry.substr(0, equals);
        HeapText escaped(zorakEscapeScriptText(std::string_view(entry).substr(equals + 1)));
        array_set_element(interp, "env", name.c_str(), escaped.get(), 0, 0);
    }
}

} // namespace

void zorakSetStandardVars(Interpreter* interp, int argc, char** argv) {
    std::string exe;
    if (platformExecutablePath(&exe)) defineEscaped(interp, "exe_name", exe);
    define_const(interp, "argv0", argc >= 2 ? argv[1] : "", 0, 1);
    char count[16];
    std::snprintf(count, sizeof count, "%d", argc >= 2 ? argc - 1 : 0);
    define_const(interp, "argc", count, 0, 1);
    defineArgvArray(interp, argc, argv);
    defineEnvArray(interp);
    define_const(interp, "tcl_precision", "2", 0, 1);
    define_const(interp, "tcl_version", "1.26", 0, 1);
    zorakLoadConfigPath();
    if (zorakLibrary.host_name.empty() && !platformGetEnv("COMPUTERNAME", &zorakLibrary.host_name))
        platformHostName(&zorakLibrary.host_name);
    if (!zorakSettings.config_path.empty())
        defineEscaped(interp, "tcl_config", zorakSettings.config_path);
    define_const(interp, "tcl_threaded", "0", 0, 1);
    define_const(interp, "tcl_cli", "0", 0, 1);
    define_const(interp, "tcl_date", buildDate().c_str(), 0, 1);
    define_const(interp, "win64", platformIsWow64() ? "True" : "False", 0, 1);
    define_const(interp, "NAN", "-1.#IND00000000000", 0, 1);
    define_const(interp, "pi", "3.14159265358979323", 0, 1);
    define_const(interp, "qbf", "The quick brown fox jumps over the lazy dog", 0, 1);
    define_const(interp, "eof", "-1", 0, 1);
    define_const(interp, "true", "1", 0, 1);
    define_const(interp, "false", "0", 0, 1);
    set_var(interp, "autoexec_ran", "0");
    set_var(interp, "tcl_cgi", "0");
}

int zorakRunAtExit(Interpreter* interp) {
    Command* cmd = zorakGetCommand(interp, "at_exit");
    if (!cmd) return 1;
    char* words[2] = {zorakStrDup("at_exit"), nullptr};
    int code;
    try {
        code = cmd->handler(interp, 1, words, cmd->private_data);
    } catch (...) {
        zorakReportException("at_exit", nullptr);
        code = 1;
    }
    std::free(words[0]);
    return code;
}

int zorakReleaseInterp(Interpreter* interp) {
    if (!interp->callframe) {
        *interp = Interpreter{};
        return 0;
    }
    // Frames left by an evaluation that never returned belong to procedures.
    while (interp->callframe->parent) {
        CallFrame* frame = interp->callframe;
        interp->callframe = frame->parent;
        zorakReleaseCallFrame(frame);
    }
    for (const char* name : kStandardVars) {
        std::string global = std::string("::") + name;
        zorakRemoveVar(interp, global.c_str());
    }
    zorakReleaseCommands(interp);
    // Scripts queued by after would otherwise run in the next interpreter
    // made at this address.
    zorakDropAfterEvents(interp);
    zorakStrFree(&interp->result);
    zorakStrFree(&interp->trace_text);
    zorakFreeVector(&interp->trace_commands, interp->trace_command_count);
    zorakFreeVector(&interp->watches, interp->watch_count);
    interp->trace_commands_on = 0;
    zorakReleaseCallFrame(interp->callframe);
    *interp = Interpreter{};
    if (_pglobal_interp == interp) _pglobal_interp = nullptr;
    zorakStackClear(zorakEval.call_trace);
    // The store's texts belong to this interpreter's life, not the process's.
    zorakStore.entries.clear();
    return 0;
}

namespace {

bool isRunChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '$' ||
           c == '&' || c == '.';
}

// Converts the digits of a radix literal that start at run[2]; returns how
// many characters of the run it consumed, or 0 when the run is no literal.
size_t convertLiteral(std::string_view run, std::string* out) {
    char a = run[0], b = static_cast<char>(run[1] | 0x20);
    int base = 0;
    if ((a == '0' && b == 'x') || (a == '&' && b == 'h'))
        base = 16;
    else if ((a == '0' || a == '&') && b == 'b')
        base = 2;
    else if (a == '0' && b == 'o')
        base = 8;
    if (!base || run.size() < 3) return 0;
    char third = run[2];
    if (base == 16 && zorakDigitValue(third) >= 16) return 0;
    if (base == 2 && third != '0' && third != '1') return 0;
    if (base == 8 && !(third >= '0' && third <= '9')) return 0;
    uint64_t value = 0;
    bool overflow = false;
    size_t i = 2;
    for (; i < run.size() && zorakDigitValue(run[i]) < base; i++) {
        uint64_t digit = static_cast<uint64_t>(zorakDigitValue(run[i]));
        if (value > (UINT64_MAX - digit) / static_cast<uint64_t>(base)) overflow = true;
        value = value * static_cast<uint64_t>(base) + digit;
    }
    // Too many digits saturate, as the C library's conversions do: hexadecimal
    // and binary at the largest unsigned value, octal at the largest signed one.
    if (overflow) value = UINT64_MAX;
    char number[32];
    if (base == 8)
        std::snprintf(number, sizeof number, "%lld",
                      static_cast<long long>(value > INT64_MAX ? INT64_MAX : value));
    else
        std::snprintf(number, sizeof number, "%llu", static_cast<unsigned long long>(value));
    *out += number;
    return i;
}

} // namespace

char* convert_radix_literals(const char* text) {
    std::string out;
    size_t n = std::strlen(text);
    out.reserve(n);
    bool quoted = false;
    for (size_t i = 0; i < n;) {
        char c = text[i];
        if (c == '"' && (i == 0 || text[i - 1] != '\\')) quoted = !quoted;
        // A literal starts a word or follows a character that no word holds,
        // so digests and other text such as "deadbeef0b12" stay as written.
        bool starts = i == 0 || std::strchr(" \t\r\n[]{}()+-*/%<>=!&|^~?:,;", text[i - 1]);
        if (!quoted && starts && (c == '0' || c == '&') && i + 1 < n &&
            std::strchr("xXhHbBoO", text[i + 1])) {
            size_t end = i;
            while (end < n && isRunChar(text[end]))
                end++;
            std::string_view run(text + i, end - i);
            size_t used = convertLiteral(run, &out);
            // Characters of the run after the digits stay as written.
            out.append(run.substr(used));
            i = end;
            continue;
        }
        out += c;
        i++;
    }
    return zorakStrDup(out);
}
