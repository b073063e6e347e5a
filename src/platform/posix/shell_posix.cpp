// What the interactive shell asks of a POSIX system: where the library file
// lives, the working directory, the user's rights, and the line reader
// (libedit on a terminal when the build has it, plain reads otherwise).
#include "platform/platform.h"
#include "platform/posix/input_posix.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <grp.h>
#include <unistd.h>

#if defined(ZORAK_HAVE_LIBEDIT)
#include <editline/readline.h>
#endif

bool platformLibraryDirectory(std::string* directory) {
    Dl_info info{};
    if (!::dladdr(reinterpret_cast<void*>(&platformLibraryDirectory), &info) || !info.dli_fname)
        return false;
    char* full = ::realpath(info.dli_fname, nullptr);
    std::string path = full ? full : info.dli_fname;
    std::free(full);
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return false;
    *directory = path.substr(0, slash + 1);
    return true;
}

bool platformCurrentDirectory(std::string* directory) {
    char* cwd = ::getcwd(nullptr, 0);
    if (!cwd) return false;
    *directory = cwd;
    std::free(cwd);
    return true;
}

namespace {

// A line from standard input through the byte reader the key commands share.
bool readPlainLine(size_t max_bytes, std::string* line) {
    line->clear();
    while (line->size() < max_bytes) {
        int c = posixNextInputByte();
        if (c < 0) break;
        line->push_back(static_cast<char>(c));
        if (c == '\n') break;
    }
    return !line->empty();
}

#if defined(ZORAK_HAVE_LIBEDIT)

struct LineEditor {
    bool started = false;
    std::string history_file;
    PlatformCompleter completer = nullptr;
    std::vector<std::string> matches;
    size_t next_match = 0;
};

LineEditor editor;

char* nextCompletion(const char* text, int state) {
    if (state == 0) {
        editor.matches = editor.completer ? editor.completer(text) : std::vector<std::string>{};
        editor.next_match = 0;
    }
    if (editor.next_match >= editor.matches.size()) return nullptr;
    // The editor releases each match with free().
    return ::strdup(editor.matches[editor.next_match++].c_str());
}

char** completeWord(const char* text, int, int) {
    // No file names when no command matches.
    rl_attempted_completion_over = 1;
    return rl_completion_matches(text, nextCompletion);
}

void startEditor() {
    if (editor.started) return;
    editor.started = true;
    rl_readline_name = const_cast<char*>("zorak");
    rl_attempted_completion_function = completeWord;
    const char* home = std::getenv("HOME");
    if (home && *home) {
        editor.history_file = std::string(home) + "/.zorak_history";
        ::read_history(editor.history_file.c_str());
    }
    ::stifle_history(1000);
}

#endif

} // namespace

bool platformLineEditing() {
#if defined(ZORAK_HAVE_LIBEDIT)
    return ::isatty(STDIN_FILENO) == 1 && ::isatty(STDOUT_FILENO) == 1;
#else
    return false;
#endif
}

bool platformReadLine(const char* prompt, size_t max_bytes, PlatformCompleter completer,
                      std::string* line) {
#if defined(ZORAK_HAVE_LIBEDIT)
    if (platformLineEditing()) {
        startEditor();
        editor.completer = completer;
        char* text = ::readline(prompt ? prompt : "");
        // Ctrl-C drops the line being typed and asks again, as a shell does.
        while (!text && platformTakeInterrupt()) {
            std::fputs("\n", stdout);
            text = ::readline(prompt ? prompt : "");
        }
        if (!text) return false;
        if (*text) {
            ::add_history(text);
            if (!editor.history_file.empty()) ::write_history(editor.history_file.c_str());
        }
        line->assign(text, std::min(std::strlen(text), max_bytes > 0 ? max_bytes - 1 : 0));
        line->push_back('\n');
        std::free(text);
        return true;
    }
#else
    (void)prompt;
    (void)completer;
#endif
    return readPlainLine(max_bytes, line);
}
