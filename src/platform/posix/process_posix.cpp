// Child processes on Linux: posix_spawn, pipes and the exit status.
#include "platform/platform.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace {

// Children started without waiting; collected whenever another starts, so
// none lingers as a zombie for long.
std::vector<pid_t> unwaited;

void collectFinished() {
    for (size_t i = 0; i < unwaited.size();) {
        pid_t done = waitpid(unwaited[i], nullptr, WNOHANG);
        if (done == unwaited[i] || (done < 0 && errno == ECHILD))
            unwaited.erase(unwaited.begin() + static_cast<long>(i));
        else
            i++;
    }
}

long waitFor(pid_t child) {
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return -1;
}

// Starts argv with the file actions given; 0 when it could not start.
pid_t start(const std::vector<std::string>& words, posix_spawn_file_actions_t* actions) {
    collectFinished();
    // What this library printed must come before what the child prints.
    std::fflush(nullptr);
    std::vector<char*> argv;
    for (const std::string& word : words)
        argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawnp(&child, argv[0], actions, nullptr, argv.data(), environ) != 0) return 0;
    return child;
}

bool runAndWait(const std::vector<std::string>& words, long* exit_code) {
    pid_t child = start(words, nullptr);
    if (!child) return false;
    *exit_code = waitFor(child);
    return true;
}

std::string interactiveShell() {
    std::string shell;
    if (!platformGetEnv("SHELL", &shell) || shell.empty()) shell = "/bin/sh";
    return shell;
}

} // namespace

bool platformRunCommand(const std::string& words, long* exit_code) {
    return runAndWait({"/bin/sh", "-c", words}, exit_code);
}

bool platformRunShell(const std::string& words, long* exit_code) {
    std::string shell = interactiveShell();
    if (!words.empty() && !runAndWait({"/bin/sh", "-c", words}, exit_code)) return false;
    return runAndWait({shell}, exit_code);
}

bool platformSpawnCapture(const std::vector<std::string>& words, const std::string&,
                          bool read_output, PlatformOutputSink sink, void* data) {
    if (words.empty()) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    int ends[2] = {-1, -1};
    if (read_output) {
        if (pipe2(ends, O_CLOEXEC) != 0) {
            posix_spawn_file_actions_destroy(&actions);
            return false;
        }
        posix_spawn_file_actions_adddup2(&actions, ends[1], 1);
        posix_spawn_file_actions_adddup2(&actions, ends[1], 2);
    } else {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
    }
    pid_t child = start(words, &actions);
    posix_spawn_file_actions_destroy(&actions);
    if (read_output) close(ends[1]);
    if (!child) {
        if (read_output) close(ends[0]);
        return false;
    }
    if (!read_output) {
        unwaited.push_back(child);
        return true;
    }
    char chunk[4096];
    for (;;) {
        ssize_t got = read(ends[0], chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        if (!sink(data, chunk, static_cast<size_t>(got))) break;
    }
    close(ends[0]);
    waitFor(child);
    return true;
}

const char* platformCommandInterpreterHint() {
    return "/bin/sh -c";
}
