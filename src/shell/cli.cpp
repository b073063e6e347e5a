// The interactive shell: the read-evaluate-print loop, the cli and prompt
// commands, and the registration of the shell family.
#include "shell/shell.h"

#include "console/console.h"
#include "interp/errors.h"
#include "interp/evaluator.h"
#include "interp/registry.h"
#include "platform/platform.h"
#include "preproc/preprocess.h"
#include "shell/settings.h"
#include "util/heap_text.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

ShellState zorakShell;

namespace {

// Lines longer than this arrive in pieces, each evaluated on its own.
constexpr size_t kLineBytes = 4096;
constexpr size_t kUserNameBytes = 25;
constexpr size_t kDirectoryBytes = 260;
constexpr size_t kPromptBytes = 255;

// Replaces every occurrence in one pass, so inserted text is never searched.
void replaceAll(std::string* text, const char* from, const std::string& to) {
    size_t length = std::strlen(from);
    for (size_t at = text->find(from); at != std::string::npos; at = text->find(from, at)) {
        text->replace(at, length, to);
        at += to.size();
    }
}

std::string twoDigits(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

// The date and time tokens of the date commands, in the current local time.
void expandDateTokens(std::string* text) {
    std::tm now{};
    platformLocalTime(static_cast<long long>(std::time(nullptr)), &now);
    replaceAll(text, "$dd", twoDigits(now.tm_mday));
    replaceAll(text, "$mm", twoDigits(now.tm_mon + 1));
    replaceAll(text, "$yyyy", std::to_string(now.tm_year + 1900));
    replaceAll(text, "$hh", twoDigits(now.tm_hour));
    replaceAll(text, "$ii", twoDigits(now.tm_min));
    replaceAll(text, "$ss", twoDigits(now.tm_sec));
}

std::string buildPrompt(Interpreter* interp, const std::string& pattern, const std::string& host,
                        const std::string& user) {
    if (pattern.empty()) {
        if (user.empty() || host.empty()) return "Zorak> ";
        return user + "@" + host + "> ";
    }
    std::string directory;
    bool haveDirectory = platformCurrentDirectory(&directory);
    if (directory.size() > kDirectoryBytes) directory.resize(kDirectoryBytes);
    std::string text = pattern;
    replaceAll(&text, "$s", " ");
    replaceAll(&text, "$c", "(");
    replaceAll(&text, "$f", ")");
    replaceAll(&text, "$g", ">");
    replaceAll(&text, "$h", host);
    // Markers keep "$d" out of the "$dd" that it expands to.
    replaceAll(&text, "$d", "\x01");
    replaceAll(&text, "$t", "\x02");
    replaceAll(&text, "\x01", "$dd-$mm-$yyyy");
    replaceAll(&text, "\x02", "$hh:$ii:$ss");
    expandDateTokens(&text);
    replaceAll(&text, "$k", std::to_string(interp->command_counter));
    replaceAll(&text, "$l", "<");
    if (haveDirectory) {
        replaceAll(&text, "$p", directory);
        if (directory.size() > 1 && directory[1] == ':')
            replaceAll(&text, "$n", std::string(1, directory[0]));
    }
    replaceAll(&text, "$u", user);
    replaceAll(&text, "$_", "\n");
    return text + " ";
}

void setShellTitle(const std::string& user) {
    std::string title;
    if (platformIsElevated())
        title = "Zorak [Elevated]";
    else if (platformIsAdministrator())
        title = "Zorak  [Administrator]";
    else
        title = "Zorak " + user;
    // Inside the shell no script file is running.
    title += " - <No file>";
    platformSetTitle(title.c_str());
}

std::vector<std::string> completeCommandName(const std::string& prefix) {
    std::vector<std::string> names;
    Interpreter* interp = _pglobal_interp;
    if (!interp) return names;
    for (int i = 0; i < interp->command_count; i++)
        if (std::strncmp(interp->commands[i].name, prefix.c_str(), prefix.size()) == 0)
            names.push_back(interp->commands[i].name);
    return names;
}

bool hasEscapeSequence(const std::string& line) {
    return line.find("\\t") != std::string::npos || line.find("\\\\") != std::string::npos ||
           line.find("\\\"") != std::string::npos || line.find("\\n") != std::string::npos;
}

// The macro preprocessor and the radix literals, as for a script.
std::string preprocessLine(const std::string& line) {
    HeapText text(zorakStrDup(line));
    if (preprocess(text.out(), 1, 0, 0) > 0) text.reset(convert_radix_literals(text.get()));
    return text.get() ? text.get() : "";
}

} // namespace

int cli_loop(Interpreter* interp, const char* host, const char* prompt_template) {
    const std::string hostName = host ? host : "";
    long exitValue = 0;
    for (;;) {
        int16_t escape;
        if (zorakConfigBool("BackslashEscapes", &escape)) zorakSettings.escape = escape;
        if (zorakSettings.autoexec) zorakSettings.escape = 0;
        // The prompt command changes the template between lines.
        std::string pattern = prompt_template ? prompt_template : zorakShell.prompt_template;
        std::string user;
        platformUserName(&user);
        if (user.size() > kUserNameBytes) user.resize(kUserNameBytes);
        reset_attribute();
        std::string prompt = buildPrompt(interp, pattern, hostName, user);
        bool editing = platformLineEditing();
        if (!editing) console_printf("%s", prompt.c_str());
        platformFlushOut();
        setShellTitle(user);
        std::string line;
        if (!platformReadLine(prompt.c_str(), kLineBytes, completeCommandName, &line)) {
            console_printf("fgets returned NULL in CLI\n");
            return 0;
        }
        if (!line.empty() && zorakSettings.preprocessor) line = preprocessLine(line);
        int code = OK;
        if (!line.empty()) {
            if (!zorakSettings.escape && hasEscapeSequence(line))
                console_printf(
                    "Note: Backslash escapes are disabled in the CLI with autoexec ON + escape "
                    "OFF\n");
            zorakSetGlobal(interp, "errorCode", "0");
            zorakSetGlobal(interp, "errorInfo", "");
            zorakSetGlobal(interp, "errorLine", "0");
            zorakSetGlobal(interp, "errorMsg", "");
            // A Ctrl-C typed at the prompt is no reason to stop this line.
            platformTakeInterrupt();
            code = kuvetEval(interp, line.c_str(), 0, 0);
            reset_attribute();
            if (zorakSettings.autoexec) zorakSettings.escape = 0;
            const char* result = interp->result ? interp->result : "";
            if (*result) exitValue = std::atol(result);
            if (code == EXIT) return static_cast<int>(exitValue);
            if (zorakSettings.echo && *result) console_printf("%s\n", result);
        }
        console_printf("[%d:%s]\n", code, zorakCodeName(interp, code));
    }
}

int zorakCommandCli(Interpreter* interp, int, char**, void*) {
    int exitValue = cli_loop(interp, zorakLibrary.host_name.c_str(), nullptr);
    return exitValue != 0 ? ERROR : OK;
}

int zorakCommandPrompt(Interpreter*, int argc, char** argv, void*) {
    for (int i = 1; i < argc; i++) {
        if (std::strcmp(argv[i], "-reset") == 0) {
            zorakShell.prompt_template = kDefaultPrompt;
            return OK;
        }
    }
    if (argc >= 2) zorakShell.prompt_template = std::string(argv[1]).substr(0, kPromptBytes);
    return OK;
}

void zorakRegisterShellCommands(Interpreter* interp) {
    zorakRegisterCommand(interp, "cli", zorakCommandCli, nullptr, 0);
    zorakRegisterCommand(interp, "prompt", zorakCommandPrompt, nullptr, 0);
    zorakRegisterCommand(interp, "help", zorakCommandHelp, nullptr, 0);
    zorakRegisterCommand(interp, "find", zorakCommandFind, nullptr, 0);
    zorakRegisterCommand(interp, "logo", zorakCommandLogo, nullptr, 0);
}
