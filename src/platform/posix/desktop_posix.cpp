// The desktop on Linux: no desktop is assumed. Dialogs belong to the console
// (the commands ask there), the clipboard is reached through wl-copy or xclip
// when one of them is installed and its display is set, and there is no
// sound to play.
#include "platform/platform.h"

#include "platform/posix/input_posix.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr const char* kNotAvailable = "not available on this platform";

// The full path of a program found on the PATH, or "".
std::string findProgram(const char* name) {
    const char* path = std::getenv("PATH");
    if (!path) return "";
    std::string folders = path;
    size_t start = 0;
    while (start <= folders.size()) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos) end = folders.size();
        std::string candidate = folders.substr(start, end - start);
        if (!candidate.empty()) {
            candidate += '/';
            candidate += name;
            struct stat info;
            if (::stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
                ::access(candidate.c_str(), X_OK) == 0)
                return candidate;
        }
        start = end + 1;
    }
    return "";
}

// The clipboard programs: the Wayland pair while a Wayland display is set,
// xclip while an X display is set.
bool clipboardProgram(bool paste, std::vector<std::string>* words) {
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (wayland && *wayland) {
        std::string program = findProgram(paste ? "wl-paste" : "wl-copy");
        if (!program.empty()) {
            *words = {program};
            if (paste) words->push_back("--no-newline");
            return true;
        }
    }
    const char* x11 = std::getenv("DISPLAY");
    if (x11 && *x11) {
        std::string program = findProgram("xclip");
        if (!program.empty()) {
            *words = {program, "-selection", "clipboard"};
            if (paste) words->push_back("-o");
            return true;
        }
    }
    return false;
}

// Runs a clipboard program with input on its standard input (when not
// null) and its standard output into *output (when not null). A program
// that takes more than a few seconds is ended: nothing here waits forever.
bool runHelper(const std::vector<std::string>& words, const std::string* input, std::string* output,
               std::string* error) {
    int in[2] = {-1, -1}, out[2] = {-1, -1};
    if (::pipe2(in, O_CLOEXEC) != 0) return *error = std::strerror(errno), false;
    if (::pipe2(out, O_CLOEXEC) != 0) {
        ::close(in[0]);
        ::close(in[1]);
        return *error = std::strerror(errno), false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (const std::string& word : words)
        argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    int started = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(in[0]);
    ::close(out[1]);
    if (started != 0) {
        ::close(in[1]);
        ::close(out[0]);
        *error = std::strerror(started);
        return false;
    }
    // A reader that went away must not end this process.
    struct sigaction ignore {
    }, saved{};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGPIPE, &ignore, &saved);
    if (input) {
        size_t done = 0;
        while (done < input->size()) {
            ssize_t put = ::write(in[1], input->data() + done, input->size() - done);
            if (put < 0 && errno == EINTR) continue;
            if (put <= 0) break;
            done += static_cast<size_t>(put);
        }
    }
    ::close(in[1]);
    ::sigaction(SIGPIPE, &saved, nullptr);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    bool timedOut = false;
    char buffer[4096];
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                        deadline - std::chrono::steady_clock::now())
                        .count();
        if (left <= 0) {
            timedOut = true;
            break;
        }
        pollfd ready{out[0], POLLIN, 0};
        int polled = ::poll(&ready, 1, static_cast<int>(left));
        if (polled < 0 && errno == EINTR) continue;
        if (polled <= 0) {
            timedOut = polled == 0;
            break;
        }
        ssize_t got = ::read(out[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        if (output) output->append(buffer, static_cast<size_t>(got));
    }
    ::close(out[0]);
    if (timedOut) ::kill(child, SIGKILL);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (timedOut) return *error = "the clipboard program did not answer", false;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return *error = "the clipboard program failed", false;
    return true;
}

} // namespace

bool platformInputIsTerminal() {
    return ::isatty(STDIN_FILENO) == 1;
}

bool platformHasDialogs() {
    return false;
}

PlatformAnswer platformDialogMessage(const char*, const char*, PlatformButtons, PlatformIcon) {
    return PlatformAnswer::Cancel;
}

bool platformDialogFile(bool, const char*, const char*, const char*, const char*, std::string*) {
    return false;
}

bool platformDialogFolder(const char*, const char*, std::string*) {
    return false;
}

bool platformClipboardGet(std::string* text, std::string* error) {
    std::vector<std::string> words;
    if (!clipboardProgram(true, &words)) return *error = kNotAvailable, false;
    text->clear();
    return runHelper(words, nullptr, text, error);
}

bool platformClipboardSet(const std::string& text, std::string* error) {
    std::vector<std::string> words;
    if (!clipboardProgram(false, &words)) return *error = kNotAvailable, false;
    return runHelper(words, &text, nullptr, error);
}

bool platformBeep(long, long, std::string* error) {
    // A terminal rings its own bell; nothing else can make a sound here.
    if (::isatty(STDOUT_FILENO) == 1) {
        ssize_t put;
        do
            put = ::write(STDOUT_FILENO, "\a", 1);
        while (put < 0 && errno == EINTR);
        return put == 1;
    }
    *error = kNotAvailable;
    return false;
}

bool platformPlayWave(const char*, bool, bool, std::string* error) {
    *error = kNotAvailable;
    return false;
}

bool platformStopWave(std::string* error) {
    *error = kNotAvailable;
    return false;
}

bool platformReadAnswer(std::string* line) {
    line->clear();
    for (;;) {
        int c = posixNextInputByte();
        if (c < 0) return !line->empty();
        if (c == '\n') break;
        line->push_back(static_cast<char>(c));
    }
    if (!line->empty() && line->back() == '\r') line->pop_back();
    return true;
}

const char* const* platformBoxGlyphs(bool double_line) {
    // Terminals here speak UTF-8.
    static const char* const kSingle[] = {"\u250c", "\u2510", "\u2514",
                                          "\u2518", "\u2500", "\u2502"};
    static const char* const kDouble[] = {"\u2554", "\u2557", "\u255a",
                                          "\u255d", "\u2550", "\u2551"};
    return double_line ? kDouble : kSingle;
}
