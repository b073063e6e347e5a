// option and autoexec: show and change the process-wide switches.
#include "console/console.h"
#include "interp/errors.h"
#include "interp/registry.h"
#include "shell/settings.h"
#include "util/text.h"

#include <cstring>
#include <string>

namespace {

struct OptionEntry {
    const char* name;
    int16_t Settings::*value;
    int16_t Settings::Saved::*saved;
    const char* config_key;
};

const OptionEntry kOptions[] = {
    {"autoexec", &Settings::autoexec, &Settings::Saved::autoexec, "AutoExec"},
    {"echo", &Settings::echo, &Settings::Saved::echo, "ConsoleEcho"},
    {"escape", &Settings::escape, &Settings::Saved::escape, "BackslashEscapes"},
    {"expression", &Settings::expression_off, &Settings::Saved::expression_off,
     "FlowControlUsesExpression"},
    {"preprocessor", &Settings::preprocessor, &Settings::Saved::preprocessor, "EnablePreprocessor"},
    {"stacktrace", &Settings::stacktrace, &Settings::Saved::stacktrace, "StackTrace"},
    {"breakpoint", &Settings::breakpoint, &Settings::Saved::breakpoint, nullptr},
};

const char* onOff(int16_t value) {
    return value ? "on" : "off";
}

void takeSavedCopies() {
    Settings& s = zorakSettings;
    if (s.saved_taken) return;
    for (const OptionEntry& option : kOptions)
        s.saved.*option.saved = s.*option.value;
    s.saved_taken = true;
}

void printListing() {
    Settings& s = zorakSettings;
    console_printf("Option Settings:\n\n");
    console_printf("Subcommand    Arg  Comment\n");
    console_printf("%s\n", std::string(75, '-').c_str());
    console_printf("autoexec      %3s: Autoexec unknown (disables CLI C-like escapes if ON)\n",
                   onOff(s.autoexec));
    console_printf("echo          %3s: Echo command and error results\n", onOff(s.echo));
    console_printf("escape        %3s: C-like escapes. (Disabled in CLI by autoexec ON)\n",
                   onOff(s.escape));
    console_printf("expression    %3s: Flow control uses %s\n", onOff(!s.expression_off),
                   s.expression_off ? "[eval]" : "[expr]");
    console_printf("preprocessor  %3s: Macro preprocessor\n", onOff(s.preprocessor));
    console_printf("stacktrace    %3s: Debug stack trace\n", onOff(s.stacktrace));
    console_printf("breakpoint    %3s: Debugging Breakpoints\n", onOff(s.breakpoint));
}

// Reloads an option from the configuration, with the side effects of reset.
void resetOption(const OptionEntry& option) {
    Settings& s = zorakSettings;
    if (!option.config_key) {
        s.breakpoint = 1;
        return;
    }
    int16_t value;
    if (zorakConfigBool(option.config_key, &value)) {
        s.*option.value = option.value == &Settings::expression_off ? !value : value;
    }
    if (option.value == &Settings::escape && s.escape) s.autoexec = 0;
    if (option.value == &Settings::echo) {
        int16_t verbose;
        if (zorakConfigBool("Verbose", &verbose)) s.error_echo = verbose;
    }
}

} // namespace

int zorakCommandOption(Interpreter* interp, int argc, char** argv, void*) {
    takeSavedCopies();
    OpenConsole(0);
    if (argc < 2) {
        printListing();
        return OK;
    }
    const OptionEntry* option = nullptr;
    for (const OptionEntry& entry : kOptions)
        if (zorakEqualNoCase(argv[1], entry.name)) option = &entry;
    if (!option) {
        std::string message = std::string(argv[0]) + ": Unknown option '" + argv[1] + "'\n";
        zorakReportError(interp, "%s", message.c_str());
        zorakSetResult(interp, message.c_str(), 0);
        return ERROR;
    }
    bool on = false, off = false, push = false, pop = false, reset = false;
    for (int i = 2; i < argc; i++) {
        if (zorakEqualNoCase(argv[i], "on"))
            on = true;
        else if (zorakEqualNoCase(argv[i], "off"))
            off = true;
        else if (zorakEqualNoCase(argv[i], "push"))
            push = true;
        else if (zorakEqualNoCase(argv[i], "pop"))
            pop = true;
        else if (zorakEqualNoCase(argv[i], "reset"))
            reset = true;
    }
    Settings& s = zorakSettings;
    bool inverted = option->value == &Settings::expression_off;
    if (argc == 2) {
        bool state = inverted ? !s.expression_off : s.*option->value;
        zorakSetResult(interp, state ? "ON" : "OFF", 0);
        return OK;
    }
    if (reset)
        resetOption(*option);
    else if (push)
        s.saved.*option->saved = s.*option->value;
    else if (pop)
        s.*option->value = s.saved.*option->saved;
    if (on) {
        s.*option->value = inverted ? 0 : 1;
        if (option->value == &Settings::escape) s.autoexec = 0;
    } else if (off) {
        s.*option->value = inverted ? 1 : 0;
    }
    if (option->value == &Settings::breakpoint && s.breakpoint) {
        s.echo = 1;
        s.stacktrace = 1;
    }
    return OK;
}

int zorakCommandAutoexec(Interpreter*, int argc, char** argv, void*) {
    if (argc == 2) {
        if (zorakEqualNoCase(argv[1], "ON")) {
            zorakSettings.autoexec = 1;
        } else {
            zorakSettings.autoexec = 0;
            int16_t escape;
            if (zorakConfigBool("BackslashEscapes", &escape)) zorakSettings.escape = escape;
        }
        return OK;
    }
    console_printf("Autoexec is %s", zorakSettings.autoexec ? "ON\n" : "OFF\n");
    return OK;
}

void zorakRegisterOptionCommands(Interpreter* interp) {
    zorakRegisterCommand(interp, "option", zorakCommandOption, nullptr, 0);
    zorakRegisterCommand(interp, "autoexec", zorakCommandAutoexec, nullptr, 0);
}
