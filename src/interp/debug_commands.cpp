// eval and the debugging commands: halt, resume, debug, trace and watch.
#include "console/console.h"
#include "interp/debugger.h"
#include "interp/errors.h"
#include "interp/evaluator.h"
#include "interp/parser.h"
#include "interp/registry.h"
#include "shell/settings.h"
#include "util/heap_text.h"
#include "util/text.h"
#include "util/wildcard.h"
#include "vars/variables.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// The interpreter keeps its trace and watch names as plain counted vectors.
void namesAppend(char*** names, int32_t* count, const char* name) {
    char** grown = static_cast<char**>(std::realloc(*names, sizeof(char*) * (*count + 1)));
    if (!grown) return;
    *names = grown;
    grown[(*count)++] = zorakStrDup(name);
}

void namesRemoveEqual(char*** names, int32_t* count, const char* name) {
    int32_t kept = 0;
    for (int32_t i = 0; i < *count; i++) {
        if (std::strcmp((*names)[i], name) == 0)
            std::free((*names)[i]);
        else
            (*names)[kept++] = (*names)[i];
    }
    *count = kept;
    if (kept == 0) {
        std::free(*names);
        *names = nullptr;
    }
}

void namesClear(char*** names, int32_t* count) {
    zorakFreeVector(names, *count);
    *count = 0;
}

} // namespace

int zorakCommandEval(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    std::string script;
    for (int i = 1; i < argc; i++) {
        std::string_view word = argv[i] ? argv[i] : "";
        if (i > 1) script += ' ';
        if (!word.empty() && word[0] == '{') {
            // Only the text inside the word's first brace pair counts.
            int depth = 0;
            size_t close = word.size();
            for (size_t j = 0; j < word.size(); j++) {
                if (word[j] == '{')
                    depth++;
                else if (word[j] == '}' && --depth == 0) {
                    close = j;
                    break;
                }
            }
            if (close > 1) script.append(word.substr(1, close - 1));
        } else {
            script.append(word);
        }
    }
    if (script.empty()) {
        zorakSetResult(interp, "", 0);
        return OK;
    }
    return kuvetEval(interp, script.c_str(), 0, 0);
}

int zorakCommandHalt(Interpreter*, int, char** argv, void*) {
    // Told apart by the word they were called by, so an alias of either does nothing.
    if (std::strcmp(argv[0], "halt") == 0) {
        if (zorakSettings.breakpoint) zorakSettings.step_mode = 1;
    } else if (std::strcmp(argv[0], "resume") == 0) {
        zorakSettings.step_mode = 0;
    }
    return OK;
}

int zorakCommandDebug(Interpreter* interp, int argc, char** argv, void*) {
    if (argc >= 2 && zorakEqualNoCase(argv[1], "print")) {
        if (zorakSettings.ndebug) return OK;
        std::string text = argc > 2 ? argv[2] : "";
        if (zorakSettings.escape) zorakUnescape(text.data());
        console_printf("%s\n", text.c_str());
        return OK;
    }
    bool quiet = false;
    for (int i = 1; i < argc; i++) {
        if (zorakEqualNoCase(argv[i], "ON")) {
            zorakSettings.debug = 1;
            quiet = true;
        } else if (zorakEqualNoCase(argv[i], "OFF")) {
            zorakSettings.debug = 0;
            quiet = true;
        } else if (zorakEqualNoCase(argv[i], "-quiet")) {
            quiet = true;
        }
    }
    if (!quiet) console_printf(zorakSettings.debug ? "Debug is ON\n" : "Debug is OFF\n");
    zorakSetResult(interp, zorakSettings.debug ? "1" : "0", 0);
    return OK;
}

int zorakCommandTrace(Interpreter* interp, int argc, char** argv, void*) {
    if (argc >= 2 && zorakEqualNoCase(argv[1], "list")) {
        if (interp->trace_command_count == 0) console_printf("No traces registered\n");
        for (int i = 0; i < interp->trace_command_count; i++)
            console_printf("trace %i: '%s'\n", i, interp->trace_commands[i]);
        return OK;
    }
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    const char* name = argv[2];
    if (zorakEqualNoCase(argv[1], "add")) {
        interp->trace_commands_on = 1;
        for (int i = 0; i < interp->trace_command_count; i++)
            if (std::strcmp(interp->trace_commands[i], name) == 0) return OK;
        namesAppend(&interp->trace_commands, &interp->trace_command_count, name);
        return OK;
    }
    if (zorakEqualNoCase(argv[1], "remove")) {
        if (std::strcmp(name, "*") == 0)
            namesClear(&interp->trace_commands, &interp->trace_command_count);
        else
            namesRemoveEqual(&interp->trace_commands, &interp->trace_command_count, name);
        if (interp->trace_command_count == 0) interp->trace_commands_on = 0;
        return OK;
    }
    zorakReportError(interp, "%s: Use trace add or trace remove\n", argv[0]);
    return OK;
}

namespace {

int watchTrace(Interpreter* interp, int argc, char** argv) {
    const char* pattern = argv[2];
    bool nocase = false, byValue = false, halt = false;
    const char* line = nullptr;
    for (int i = 3; i < argc; i++) {
        if (zorakEqualNoCase(argv[i], "-nocase"))
            nocase = true;
        else if (zorakEqualNoCase(argv[i], "-value"))
            byValue = true;
        else if (zorakEqualNoCase(argv[i], "-halt"))
            halt = true;
        else if (zorakEqualNoCase(argv[i], "-line") && i + 1 < argc)
            line = argv[++i];
    }
    for (Var* var = interp->callframe ? interp->callframe->vars : nullptr; var; var = var->next) {
        const char* value = var->value && *var->value ? var->value : "<empty>";
        const char* subject = byValue ? (var->value ? var->value : "") : var->name;
        if (!zorakWildcardMatch(pattern, subject, nocase)) continue;
        {
            SavedColours colours;
            set_text_attribute(13);
            if (line)
                console_printf("%s: Line %s: '%s' -> '%.70s'", argv[0], line, var->name, value);
            else
                console_printf("%s: '%s' -> '%.60s'...", argv[0], var->name, value);
        }
        if (halt) {
            console_printf(" (* Break *)\n");
            zorakSetResult(interp, byValue ? (var->value ? var->value : "") : var->name, 0);
            return STOP;
        }
        console_printf("\n");
    }
    return OK;
}

} // namespace

int zorakCommandWatch(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    const char* sub = argv[1];
    if (zorakEqualNoCase(sub, "on")) {
        interp->watch_on = 1;
        return OK;
    }
    if (zorakEqualNoCase(sub, "off")) {
        interp->watch_on = 0;
        return OK;
    }
    if (zorakEqualNoCase(sub, "list")) {
        if (interp->watch_count == 0) console_printf("No watches registered\n");
        for (int i = 0; i < interp->watch_count; i++)
            console_printf("watch %i: '%s'\n", i, interp->watches[i]);
        return OK;
    }
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    const char* name = argv[2];
    if (zorakEqualNoCase(sub, "add")) {
        interp->watch_on = 1;
        for (int i = 0; i < interp->watch_count; i++)
            if (zorakWildcardMatch(interp->watches[i], name, false)) return OK;
        namesAppend(&interp->watches, &interp->watch_count, name);
        return OK;
    }
    if (zorakEqualNoCase(sub, "remove")) {
        if (std::strcmp(name, "*") == 0)
            namesClear(&interp->watches, &interp->watch_count);
        else
            namesRemoveEqual(&interp->watches, &interp->watch_count, name);
        if (interp->watch_count == 0) interp->watch_on = 0;
        return OK;
    }
    if (zorakEqualNoCase(sub, "trace")) return watchTrace(interp, argc, argv);
    return zorakWrongArgs(interp, argc, argv);
}

void zorakRegisterEvalCommands(Interpreter* interp) {
    zorakRegisterCommand(interp, "eval", zorakCommandEval, nullptr, 0);
}

void zorakRegisterDebugCommands(Interpreter* interp) {
    zorakRegisterCommand(interp, "halt", zorakCommandHalt, nullptr, 0);
    zorakRegisterCommand(interp, "resume", zorakCommandHalt, nullptr, 0);
    zorakRegisterCommand(interp, "debug", zorakCommandDebug, nullptr, 0);
    zorakRegisterCommand(interp, "trace", zorakCommandTrace, nullptr, 0);
    zorakRegisterCommand(interp, "watch", zorakCommandWatch, nullptr, 0);
}
