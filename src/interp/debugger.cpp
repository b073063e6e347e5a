#include "interp/debugger.h"

#include "console/console.h"
#include "interp/errors.h"
#include "interp/registry.h"
#include "platform/platform.h"
#include "shell/settings.h"
#include "util/heap_text.h"
#include "util/stack.h"
#include "util/wildcard.h"
#include "vars/variables.h"

#include <cstring>
#include <string>

bool zorakDebugIsTraced(Interpreter* interp, const char* name) {
    if (!interp->trace_commands_on) return false;
    for (int i = 0; i < interp->trace_command_count; i++) {
        const char* entry = interp->trace_commands[i];
        if (std::strcmp(entry, "*") == 0 || std::strcmp(entry, name) == 0) return true;
    }
    return false;
}

static void finishTraceLine() {
    console_clear_to_eol();
    Writes("\n");
    platformFlushOut();
}

void zorakDebugTraceExec(Interpreter* interp, int argc, char** argv) {
    zorakStrFree(&interp->trace_text);
    interp->trace_text = zorakJoinWords(nullptr, argc, argv);
    const char* text = interp->trace_text && *interp->trace_text ? interp->trace_text : "{}";
    {
        SavedColours colours;
        set_text_attribute(11);
        console_printf("Exec %lu (%d)> '%s'", static_cast<unsigned long>(interp->command_counter),
                       interp->level, text);
    }
    finishTraceLine();
    zorakStrFree(&interp->trace_text);
}

void zorakDebugTraceReturn(Interpreter* interp, uint32_t counter, const char* name) {
    const char* result = interp->result && *interp->result ? interp->result : "{}";
    {
        SavedColours colours;
        set_text_attribute(13);
        console_printf("Retn %lu (%d)> '%s' -> '%s'", static_cast<unsigned long>(counter),
                       interp->level, name, result);
    }
    finishTraceLine();
}

bool zorakDebugPushCallTrace(int argc, char** argv) {
    std::string entry(argv[0], strnlen(argv[0], 80));
    for (int i = 1; i < argc; i++) {
        size_t n = std::strlen(argv[i]);
        entry += " {";
        entry.append(argv[i], n < 80 ? n : 80);
        if (n >= 80) entry += "...";
        entry += '}';
    }
    return zorakStackPushText(zorakEval.call_trace, entry.c_str());
}

static void showWatches(Interpreter* interp) {
    for (int i = 0; i < interp->watch_count; i++) {
        const char* name = interp->watches[i];
        set_text_attribute(224);
        Writes("Watch:");
        reset_attribute();
        Writes(" ");
        set_text_attribute(62);
        Var* var = zorakGetVar(interp, name, kScopeCurrent);
        if (!var || !var->value) {
            set_text_attribute(79);
            console_printf("'%s' is out of scope ", name);
        } else {
            console_printf("'%-.30s'->", name);
            if (std::strlen(var->value) < 39)
                console_printf("'%-.38s'", var->value);
            else
                console_printf("'%-.34s'...", var->value);
        }
        reset_attribute();
        Writes("\r\n");
    }
}

static void blankPromptLine() {
    Writes("\r");
    console_clear_to_eol();
    Writes("\r");
}

int zorakDebugStepPrompt(Interpreter* interp, const char* name) {
    SavedColours colours;
    for (;;) {
        if (interp->watch_on && interp->watch_count > 0) showWatches(interp);
        set_text_attribute(224);
        console_printf("(%lu): Next ", static_cast<unsigned long>(interp->command_counter));
        set_text_attribute(31);
        console_printf("[%s]", name);
        set_text_attribute(224);
        console_printf("  Info Next Trace Resume Vars Watch%s Quit ",
                       interp->watch_on ? "(ON) " : "(OFF)");
        reset_attribute();
        platformFlushOut();
        int key = platformReadKey();
        if (key >= 'A' && key <= 'Z') key += 'a' - 'A';
        blankPromptLine();
        switch (key) {
        case 'i':
            zorakReportError(interp, "stack:\n");
            continue;
        case 'n':
        case ' ':
            return OK;
        case 't':
            zorakReportError(interp, "stack:\n");
            return OK;
        case 'r':
            zorakSettings.step_mode = 0;
            return OK;
        case 'v': {
            Command* vars = zorakGetCommand(interp, "vars");
            if (vars) {
                char word[] = "vars";
                char* words[2] = {word, nullptr};
                vars->handler(interp, 1, words, vars->private_data);
            }
            continue;
        }
        case 'w':
            interp->watch_on = !interp->watch_on;
            continue;
        case 'q':
        case 3:
        case 27:
            zorakSettings.step_mode = 0;
            return STOP;
        default:
            continue;
        }
    }
}
