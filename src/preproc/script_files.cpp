// Script files: source runs one now; load reads one into the script buffer
// (or a variable); run evaluates the loaded program with clean globals.
#include "preproc/script_files.h"

#include "console/console.h"
#include "interp/errors.h"
#include "interp/evaluator.h"
#include "interp/registry.h"
#include "platform/platform.h"
#include "preproc/preprocess.h"
#include "shell/settings.h"
#include "util/escape.h"
#include "util/heap_text.h"
#include "util/number_text.h"
#include "util/text.h"
#include "vars/arrays.h"
#include "vars/variables.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Set while run evaluates a program; load and run refuse to work then.
bool running = false;
// Set when load filled the script buffer.
bool scriptLoaded = false;

// Restores a setting when the scope ends, however it ends.
class SettingRestore {
  public:
    explicit SettingRestore(int16_t* setting) : setting_(setting), saved_(*setting) {}
    ~SettingRestore() { *setting_ = saved_; }
    SettingRestore(const SettingRestore&) = delete;
    SettingRestore& operator=(const SettingRestore&) = delete;

  private:
    int16_t* setting_;
    int16_t saved_;
};

bool readScript(const char* path, std::string* text) {
    if (!platformFileExists(path)) return false;
    bool complete = false;
    if (!platformReadFile(path, text, &complete) || !complete) return false;
    zorakNormaliseLineEnds(text);
    return true;
}

// A script text with a zero byte is refused rather than run cut short.
bool refuseZeroByte(Interpreter* interp, const char* command, const char* file,
                    const std::string& text) {
    std::string place = zorakZeroBytePlace(text);
    if (place.empty()) return false;
    zorakReportError(interp, "%s: Zero byte at %s of file '%s'\n", command, place.c_str(), file);
    return true;
}

void setConstant(Interpreter* interp, const char* name, bool constant) {
    Var* var = zorakGetVar(interp, name, kScopeGlobal);
    if (var) var->is_constant = constant ? 1 : 0;
}

// Fills ::argv with the given words (escaped for script text unless they are
// already stored texts) and sets ::argc to their count.
void fillArguments(Interpreter* interp, const std::vector<std::string>& words, bool escape) {
    setConstant(interp, "::argv", false);
    setConstant(interp, "::argc", false);
    if (zorakGetVar(interp, "::argv", kScopeGlobal)) array_unset_variable(interp, "::argv");
    for (size_t i = 0; i < words.size(); i++) {
        HeapText stored(escape ? zorakEscapeScriptText(words[i]) : zorakStrDup(words[i]));
        array_set_element(interp, "::argv", std::to_string(i).c_str(), stored.get(), 0, 0);
    }
    set_var(interp, "::argc", std::to_string(words.size()).c_str());
    setConstant(interp, "::argv", true);
    setConstant(interp, "::argc", true);
}

// The preprocessor and the literal pass over a file's text; a negative code
// when preprocessing failed.
int prepareText(std::string* text) {
    HeapText buffer(zorakStrDup(*text));
    int code = preprocess(buffer.out(), 1, 1, 0);
    if (code < 0) return code;
    HeapText converted(convert_radix_literals(buffer.get()));
    *text = converted.get();
    return code;
}

} // namespace

int zorakCommandSource(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    const char* file = argv[1];
    std::string text;
    {
        SettingRestore preprocessor(&zorakSettings.preprocessor);
        zorakSettings.preprocessor = 1;
        if (!platformFileExists(file)) {
            zorakReportError(interp, "%s: File '%s' not found\n", argv[0], file);
            return ERROR;
        }
        if (!readScript(file, &text)) {
            zorakReportError(interp, "eval: Error reading file '%s'\n", file);
            return ERROR;
        }
        if (refuseZeroByte(interp, argv[0], file, text)) return ERROR;
        if (text.empty()) {
            zorakSetResult(interp, "", 0);
            return OK;
        }
        int prepared = prepareText(&text);
        if (prepared == -12) {
            zorakSetResult(interp, "", 0);
            return OK;
        }
        if (prepared < 0) {
            zorakReportError(interp, "%s: %s preprocessing file '%s'\n", argv[0], "Error", file);
            return ERROR;
        }
    }
    // The caller's arguments come back afterwards.
    Var* countVar = zorakGetVar(interp, "::argc", kScopeGlobal);
    long savedCount = countVar ? static_cast<long>(zorakLeadingInt(countVar->value)) : 0;
    if (savedCount < 0) savedCount = 0;
    std::vector<std::string> saved;
    for (long i = 0; i < savedCount; i++) {
        const char* value = nullptr;
        bool found = array_get_element(interp, "::argv", std::to_string(i).c_str(), &value, 0);
        saved.emplace_back(found && value ? value : "");
    }
    std::vector<std::string> words;
    for (int i = 1; i < argc; i++)
        words.emplace_back(argv[i]);
    fillArguments(interp, words, true);

    int savedSubst = interp->subst_code;
    zorakEval.outer_file = zorakEval.eval_depth <= 1;
    int code = kuvetEval(interp, text.c_str(), 0, 0);
    HeapText result(zorakStrDup(interp->result ? interp->result : ""));
    if (code == RETURN) code = OK;
    if (savedCount > 0) fillArguments(interp, saved, false);
    interp->subst_code = savedSubst;
    zorakSetResult(interp, result.get(), 0);
    return code;
}

int zorakCommandLoad(Interpreter* interp, int argc, char** argv, void*) {
    if (running) {
        zorakReportError(interp, "%s: Command only available from the CLI\n", argv[0]);
        return ERROR;
    }
    if (argc < 2) {
        const char* buffer = zorakLibrary.script_buffer;
        if (buffer && *buffer && !zorakLibrary.script_name.empty())
            console_printf("%s - %s byte(s)\n", zorakLibrary.script_name.c_str(),
                           zorakFormatGrouped(std::strlen(buffer)).c_str());
        else
            console_printf("No script loaded\n");
        return OK;
    }
    zorakLibrary.script_name.clear();
    if (zorakEqualNoCase(argv[1], "-clear")) {
        zorakStrFree(&zorakLibrary.script_buffer);
        scriptLoaded = false;
        return OK;
    }
    bool quiet = false;
    const char* destination = nullptr;
    for (int i = 2; i < argc; i++) {
        if (zorakEqualNoCase(argv[i], "-quiet"))
            quiet = true;
        else if (argv[i][0] != '-' && !destination)
            destination = argv[i];
    }
    std::string file = argv[1];
    size_t slash = file.find_last_of("/\\");
    size_t dot = file.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) file += ".tcl";

    zorakStrFree(&zorakLibrary.script_buffer);
    scriptLoaded = false;
    std::string text;
    if (!readScript(file.c_str(), &text) || text.empty()) {
        zorakReportError(interp, "%s: Error reading source file '%s'\n", argv[0], argv[1]);
        return ERROR;
    }
    if (refuseZeroByte(interp, argv[0], file.c_str(), text)) return ERROR;
    zorakLibrary.script_name = file;
    SettingRestore escape(&zorakSettings.escape);
    zorakSettings.escape = 1;
    if (zorakSettings.preprocessor) {
        int prepared = prepareText(&text);
        if (prepared < 1) {
            zorakReportError(interp,
                             prepared == 0 ? "%s: %s File '%s' is empty\n"
                                           : "%s: %s preprocessing file '%s'\n",
                             argv[0], "Error", argv[1]);
            return ERROR;
        }
    }
    while (!text.empty() && std::strchr("\r\n\t ", text.back()))
        text.pop_back();
    if (!quiet)
        console_printf("Loaded %s OK %s byte(s)\n", file.c_str(),
                       zorakFormatGrouped(text.size()).c_str());
    if (!destination) {
        zorakLibrary.script_buffer = zorakStrDup(text);
        scriptLoaded = true;
        platformSetTitle(file.c_str());
        return OK;
    }
    return set_value(interp, destination, text.c_str(), 1);
}

int zorakCommandRun(Interpreter* interp, int argc, char** argv, void*) {
    if (running) {
        zorakReportError(interp, "%s: A script is currently running. [run] is blocked\n", argv[0]);
        return ERROR;
    }
    if (argc > 1) {
        zorakStrFree(&zorakLibrary.script_buffer);
        char loadWord[] = "load", quiet[] = "-quiet", clear[] = "-clear";
        char* words[5] = {loadWord, argv[1], quiet, clear, nullptr};
        if (zorakCommandLoad(interp, 4, words, nullptr) != OK) {
            zorakSetResult(interp, "run: load program failed", 0);
            return ERROR;
        }
    }
    running = true;
    if (!scriptLoaded || !zorakLibrary.script_buffer || !*zorakLibrary.script_buffer) {
        console_printf("No script loaded\n");
        running = false;
        return ERROR;
    }
    if (Command* store = zorakGetCommand(interp, "store")) {
        char storeWord[] = "store", clearWord[] = "clear";
        char* words[3] = {storeWord, clearWord, nullptr};
        store->handler(interp, 2, words, store->private_data);
    }
    std::vector<std::string> words;
    for (int i = 1; i < argc; i++)
        words.emplace_back(argv[i]);
    fillArguments(interp, words, true);
    setConstant(interp, "::argv0", false);
    set_var(interp, "::argv0", "");
    setConstant(interp, "::argv0", true);
    // The program's arguments survive the clean-up below.
    if (Var* programArgs = zorakGetVar(interp, "::argv", kScopeGlobal))
        programArgs->is_protected = 1;
    if (Var* count = zorakGetVar(interp, "::argc", kScopeGlobal)) count->is_protected = 1;
    if (Command* clear = zorakGetCommand(interp, "clear")) {
        char clearWord[] = "clear";
        char* clearWords[2] = {clearWord, nullptr};
        int code = clear->handler(interp, 1, clearWords, clear->private_data);
        if (code != OK) {
            running = false;
            return code;
        }
    }
    int code;
    {
        SettingRestore autoexec(&zorakSettings.autoexec);
        SettingRestore escape(&zorakSettings.escape);
        zorakSettings.autoexec = 0;
        zorakSettings.escape = 1;
        zorakSetGlobal(interp, "errorCode", "0");
        zorakSetGlobal(interp, "errorInfo", "");
        zorakSetGlobal(interp, "errorLine", "0");
        zorakSetGlobal(interp, "errorMsg", "");
        HeapText program(zorakStrDup(zorakLibrary.script_buffer));
        zorakEval.outer_file = zorakEval.eval_depth <= 1;
        code = kuvetEval(interp, program.get(), 0, 0);
    }
    if (code != OK && code != EXIT) console_printf("%s\n", interp->result ? interp->result : "");
    running = false;
    return OK;
}

// Removes every global variable that is not protected, constants included.
int zorakCommandClear(Interpreter* interp, int, char** argv, void*) {
    if (interp->callframe && interp->callframe->level != 0) {
        zorakReportError(interp, "%s: Only available at global level\n", argv[0]);
        return ERROR;
    }
    CallFrame* global = frame_at_level(interp, 0);
    std::vector<std::string> names;
    for (Var* var = global ? global->vars : nullptr; var; var = var->next)
        if (!var->is_protected && var->name) names.emplace_back(var->name);
    for (const std::string& name : names) {
        Var* var = zorakFindVarInFrame(global, name.c_str());
        if (var && var->type == 2)
            array_unset_variable(interp, ("::" + name).c_str());
        else
            zorakRemoveVar(interp, ("::" + name).c_str());
    }
    return OK;
}

void zorakRegisterScriptFileCommands(Interpreter* interp) {
    zorakRegisterCommand(interp, "source", zorakCommandSource, nullptr, 0);
    zorakRegisterCommand(interp, "load", zorakCommandLoad, nullptr, 0);
    zorakRegisterCommand(interp, "run", zorakCommandRun, nullptr, 0);
    zorakRegisterCommand(interp, "clear", zorakCommandClear, nullptr, 0);
}
