// The process commands: exec (also @) runs a command line through the
// system's command interpreter, shell opens that interpreter for the user,
// and spawn runs a program with its output captured. Children share the
// library's standard streams; the console title comes back afterwards.
#include "services/process_commands.h"

#include "console/console.h"
#include "interp/errors.h"
#include "interp/parser.h"
#include "interp/registry.h"
#include "platform/platform.h"
#include "shell/settings.h"
#include "util/escape.h"
#include "util/number_text.h"
#include "util/text.h"
#include "vars/variables.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Keeps the console title across a child's run, which may change it.
class SavedTitle {
  public:
    SavedTitle() : saved_(platformGetTitle(&title_)) {}
    ~SavedTitle() {
        if (saved_) platformSetTitle(title_.c_str());
    }
    SavedTitle(const SavedTitle&) = delete;
    SavedTitle& operator=(const SavedTitle&) = delete;

  private:
    std::string title_;
    bool saved_;
};

void unescapeInPlace(std::string* text) {
    zorakUnescape(text->data());
    text->resize(std::strlen(text->c_str()));
}

std::string joinWords(int first, int argc, char** argv) {
    std::string line;
    for (int i = first; i < argc; i++) {
        if (i > first) line += ' ';
        line += argv[i];
    }
    return line;
}

void setResultNumber(Interpreter* interp, long value) {
    char* text = zorakFormatInt(value);
    zorakSetResult(interp, text, 0);
    std::free(text);
}

// exec, @, and the evaluator's fallback for commands it cannot find: there
// the command word is the program and joins the line.
int zorakCommandExec(Interpreter* interp, int argc, char** argv, void*) {
    bool named = std::strcmp(argv[0], "exec") == 0 || std::strcmp(argv[0], "@") == 0;
    if (argc < 2 && named) return zorakWrongArgs(interp, argc, argv);
    std::string words = joinWords(named ? 1 : 0, argc, argv);
    if (zorakSettings.escape) unescapeInPlace(&words);
    SavedTitle title;
    long exitCode = 0;
    if (!platformRunCommand(words, &exitCode)) {
        zorakSetResult(interp, "", 0);
        return ERROR;
    }
    setResultNumber(interp, exitCode);
    return OK;
}

int zorakCommandShell(Interpreter* interp, int argc, char** argv, void*) {
    std::string words = joinWords(std::strcmp(argv[0], "shell") == 0 ? 1 : 0, argc, argv);
    SavedTitle title;
    if (argc < 2) console_printf("Type EXIT to exit the shell and return to %s\n\n", "Zorak");
    long exitCode = 0;
    if (!platformRunShell(words, &exitCode)) {
        zorakSetResult(interp, "", 0);
        return ERROR;
    }
    zorakSetResult(interp, "0", 0);
    return OK;
}

struct Capture {
    std::string text;
    bool echo = false;
};

bool captureChunk(void* data, const char* bytes, size_t size) {
    auto* capture = static_cast<Capture*>(data);
    capture->text.append(bytes, size);
    return !capture->echo || platformWriteOut(bytes, size);
}

int zorakCommandSpawn(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    const char* destination = argv[1];
    bool echo = false, wait = true;
    int program = 2;
    // Only the two words after the destination can be options.
    for (int i = 2; i < argc && i < 4; i++) {
        if (zorakEqualNoCase(argv[i], "-echo"))
            echo = true;
        else if (zorakEqualNoCase(argv[i], "-nowait"))
            wait = false;
        else
            break;
        program = i + 1;
    }
    if (program >= argc) return zorakWrongArgs(interp, argc, argv);
    std::vector<std::string> words;
    std::string line;
    for (int i = program; i < argc; i++) {
        std::string word = argv[i];
        if (i > program) line += ' ';
        line += std::strchr(argv[i], ' ') ? "\"" + word + "\"" : word;
        if (zorakSettings.escape) unescapeInPlace(&word);
        words.push_back(word);
    }
    if (zorakSettings.escape) unescapeInPlace(&line);
    SavedTitle title;
    Capture capture;
    capture.echo = echo;
    if (!platformSpawnCapture(words, line, wait, captureChunk, &capture)) {
        if (zorakSettings.error_echo || zorakSettings.debug) {
            console_printf("%s: Error creating child process for:\n'%s'\nCommand:'%s'\n", argv[0],
                           argv[program], line.c_str());
            console_printf("%s: Try prefixing the command with: %s\n", argv[0],
                           platformCommandInterpreterHint());
        }
        return ERROR;
    }
    if (capture.text.empty()) {
        if (destination[0] == '-') {
            zorakSetResult(interp, "", 0);
            return OK;
        }
        int code = set_value(interp, destination, "", 1);
        zorakSetResult(interp, "0", 0);
        return code;
    }
    char* escaped = zorakEscapeScriptText(capture.text);
    if (destination[0] == '-') {
        zorakSetResult(interp, escaped, 0);
        std::free(escaped);
        return OK;
    }
    int code = set_value(interp, destination, escaped, 1);
    setResultNumber(interp, static_cast<long>(std::strlen(escaped)));
    std::free(escaped);
    return code;
}

} // namespace

void zorakRegisterProcessCommands(Interpreter* interp) {
    zorakRegisterCommand(interp, "exec", zorakCommandExec, nullptr, 0);
    zorakRegisterCommand(interp, "@", zorakCommandExec, nullptr, 0);
    zorakRegisterCommand(interp, "shell", zorakCommandShell, nullptr, 0);
    zorakRegisterCommand(interp, "spawn", zorakCommandSpawn, nullptr, 0);
}
