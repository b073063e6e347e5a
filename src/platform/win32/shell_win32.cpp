// What the interactive shell asks of Windows: the working directory, the
// user's rights, and the line reader (the console's own editing of a plain
// read). The DLL's directory is found beside the program's path, in
// system_win32.cpp.
#include "platform/platform.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

bool platformCurrentDirectory(std::string* directory) {
    DWORD n = GetCurrentDirectoryA(0, nullptr);
    if (n == 0) return false;
    std::string buffer(n, '\0');
    n = GetCurrentDirectoryA(n, buffer.data());
    if (n == 0 || n >= buffer.size()) return false;
    buffer.resize(n);
    *directory = buffer;
    return true;
}

// The console edits the line itself (and keeps its own history).
bool platformLineEditing() {
    return false;
}

bool platformReadLine(const char*, size_t max_bytes, PlatformCompleter, std::string* line) {
    std::string buffer(max_bytes + 1, '\0');
    if (!std::fgets(buffer.data(), static_cast<int>(buffer.size()), stdin)) {
        std::clearerr(stdin);
        return false;
    }
    buffer.resize(std::strlen(buffer.c_str()));
    *line = buffer;
    return true;
}
