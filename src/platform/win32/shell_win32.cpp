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

bool platformIsElevated() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    bool elevated =
        GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) &&
        elevation.TokenIsElevated;
    CloseHandle(token);
    return elevated;
}

bool platformInAdministratorsGroup() {
    SID_IDENTIFIER_AUTHORITY authority = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    if (!AllocateAndInitializeSid(&authority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                  DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &administrators))
        return false;
    BOOL member = FALSE;
    if (!CheckTokenMembership(nullptr, administrators, &member)) member = FALSE;
    FreeSid(administrators);
    return member != FALSE;
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
