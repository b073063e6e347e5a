// The process environment, process identities, rights and memory on Linux.
#include "platform/platform.h"

#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

bool platformSetEnv(const char* name, const char* value) {
    int failed = value ? setenv(name, value, 1) : unsetenv(name);
    if (failed) return false;
    if (std::strcmp(name, "TZ") == 0) tzset();
    return true;
}

long platformProcessId() {
    return static_cast<long>(getpid());
}

long platformThreadId() {
    return static_cast<long>(syscall(SYS_gettid));
}

long platformSessionId() {
    return static_cast<long>(getsid(0));
}

bool platformProcessAlive(long pid) {
    if (pid <= 0) return false;
    // Signal 0 checks only; a process of another user answers EPERM.
    return kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

bool platformRunElevated(const std::string& line, long* exit_code, std::string* why) {
    if (geteuid() != 0) {
        *why = "Cannot raise rights on Linux: the process does not run as root (use sudo)";
        return false;
    }
    if (!platformRunCommand(line, exit_code)) {
        *why = "Could not start the command";
        return false;
    }
    return true;
}

void platformSetLastError(unsigned long code) {
    errno = static_cast<int>(code);
}

bool platformCaptureCommand(const std::string& line, std::string* output, long* exit_code) {
    std::fflush(nullptr);
    FILE* child = popen(line.c_str(), "re");
    if (!child) return false;
    char chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, child)) > 0)
        output->append(chunk, got);
    int status = pclose(child);
    if (status < 0) return false;
    if (WIFEXITED(status)) {
        *exit_code = WEXITSTATUS(status);
        // The shell answers 127 when it cannot find the program.
        return true;
    }
    *exit_code = WIFSIGNALED(status) ? 128 + WTERMSIG(status) : -1;
    return true;
}

bool platformHeapCheck() {
    // The C library keeps no walkable heap; a block that can be had and
    // written shows at least that the allocator still answers.
    void* probe = std::malloc(64);
    if (!probe) return false;
    std::memset(probe, 0xA5, 64);
    std::free(probe);
    return true;
}

bool platformProcessMemory(uint64_t* bytes) {
    FILE* statm = std::fopen("/proc/self/statm", "r");
    if (!statm) return false;
    unsigned long long size = 0, resident = 0;
    int fields = std::fscanf(statm, "%llu %llu", &size, &resident);
    std::fclose(statm);
    if (fields != 2) return false;
    *bytes = static_cast<uint64_t>(resident) * static_cast<uint64_t>(sysconf(_SC_PAGESIZE));
    return true;
}
