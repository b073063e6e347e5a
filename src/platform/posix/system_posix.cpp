#include "platform/platform.h"
#include "platform/posix/big_stack_posix.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <malloc.h>
#include <pthread.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

extern char** environ;

bool platformGetEnv(const char* name, std::string* value) {
    const char* found = name ? std::getenv(name) : nullptr;
    if (!found) return false;
    if (value) *value = found;
    return true;
}

std::vector<std::string> platformEnvironment() {
    std::vector<std::string> entries;
    for (char** e = environ; e && *e; e++)
        entries.emplace_back(*e);
    return entries;
}

bool platformExecutablePath(std::string* path) {
    std::string buffer(256, '\0');
    for (;;) {
        ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0) return false;
        if (static_cast<size_t>(n) < buffer.size()) {
            buffer.resize(static_cast<size_t>(n));
            *path = buffer;
            return true;
        }
        buffer.resize(buffer.size() * 2);
    }
}

char platformPathSeparator() {
    return '/';
}

bool platformFileExists(const char* path) {
    struct stat st;
    return path && ::stat(path, &st) == 0 && S_ISREG(st.st_mode);
}

bool platformReadFile(const char* path, std::string* contents, bool* complete) {
    *complete = false;
    FILE* f = std::fopen(path, "rb");
    if (!f) return false;
    struct stat st;
    long size = ::fstat(fileno(f), &st) == 0 ? static_cast<long>(st.st_size) : -1;
    contents->clear();
    char chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
        contents->append(chunk, n);
    std::fclose(f);
    *complete = size < 0 || static_cast<long>(contents->size()) >= size;
    return true;
}

size_t platformStackRemaining() {
    char at = 0;
    const char* largeLow = nullptr;
    if (posixLargeStackLow(&at, &largeLow)) return static_cast<size_t>(&at - largeLow);
    // The bounds of this thread's stack are read once per thread.
    static thread_local char* low = nullptr;
    static thread_local bool known = false;
    if (!known) {
        known = true;
        pthread_attr_t attr;
        if (pthread_getattr_np(pthread_self(), &attr) == 0) {
            void* addr = nullptr;
            size_t size = 0;
            if (pthread_attr_getstack(&attr, &addr, &size) == 0) low = static_cast<char*>(addr);
            pthread_attr_destroy(&attr);
        }
    }
    if (!low) return SIZE_MAX;
    char here;
    char* position = &here;
    return position > low ? static_cast<size_t>(position - low) : 0;
}

size_t platformHeapBlockSize(void* block) {
    return block ? ::malloc_usable_size(block) : 0;
}

uint64_t platformClockSeed() {
    timeval tv;
    ::gettimeofday(&tv, nullptr);
    return static_cast<uint64_t>(tv.tv_sec) * 1000000u + static_cast<uint64_t>(tv.tv_usec);
}

bool platformUserName(std::string* name) {
    const char* user = std::getenv("USER");
    if (user && *user) {
        *name = user;
        return true;
    }
    passwd* entry = ::getpwuid(::geteuid());
    if (!entry || !entry->pw_name) return false;
    *name = entry->pw_name;
    return true;
}

bool platformHostName(std::string* name) {
    char buffer[256];
    if (::gethostname(buffer, sizeof buffer) != 0) return false;
    buffer[sizeof buffer - 1] = '\0';
    *name = buffer;
    return true;
}

void platformLocalTime(long long seconds, struct tm* out) {
    time_t t = static_cast<time_t>(seconds);
    ::localtime_r(&t, out);
}

// Sockets need no start or release here.
bool platformNetworkStartup() {
    return true;
}

void platformNetworkCleanup() {}

// The WOW64 layer exists on Windows only.
bool platformIsWow64() {
    return false;
}
