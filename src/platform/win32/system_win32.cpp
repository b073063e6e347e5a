// The system services on Windows: environment, the program's path, files,
// the stack, clocks, names, sockets and the WOW64 test.
#include "platform/platform.h"
#include "platform/win32/big_stack_win32.h"

#include <windows.h>
#include <winsock2.h>

#include <climits>
#include <malloc.h>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace {

// Windows Sockets, started when the library is attached.
bool sockets_started = false;

} // namespace

bool platformGetEnv(const char* name, std::string* value) {
    if (!name) return false;
    char first[256];
    DWORD n = GetEnvironmentVariableA(name, first, sizeof first);
    if (n == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND) return false;
    if (n < sizeof first) {
        if (value) value->assign(first, n);
        return true;
    }
    std::string buffer(n, '\0');
    n = GetEnvironmentVariableA(name, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND) return false;
    buffer.resize(n < buffer.size() ? n : buffer.size());
    if (value) *value = buffer;
    return true;
}

// The "=C:=C:\dir" entries that keep each drive's current directory are the
// system's bookkeeping, not variables.
std::vector<std::string> platformEnvironment() {
    std::vector<std::string> entries;
    char* block = GetEnvironmentStringsA();
    if (!block) return entries;
    for (const char* entry = block; *entry; entry += std::strlen(entry) + 1)
        if (*entry != '=') entries.emplace_back(entry);
    FreeEnvironmentStringsA(block);
    return entries;
}

namespace {

// The full path of a module's file (null: the program).
bool modulePath(HMODULE module, std::string* path) {
    std::string buffer(MAX_PATH, '\0');
    for (;;) {
        DWORD n = GetModuleFileNameA(module, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return false;
        // A name that filled the buffer may have been cut short.
        if (n < buffer.size()) {
            buffer.resize(n);
            *path = buffer;
            return true;
        }
        if (buffer.size() >= 32768) return false;
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace

bool platformExecutablePath(std::string* path) {
    return modulePath(nullptr, path);
}

bool platformLibraryDirectory(std::string* directory) {
    HMODULE module = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCSTR>(&platformLibraryDirectory), &module))
        return false;
    std::string path;
    if (!modulePath(module, &path)) return false;
    size_t separator = path.find_last_of("\\/");
    if (separator == std::string::npos) return false;
    *directory = path.substr(0, separator + 1);
    return true;
}

char platformPathSeparator() {
    return '\\';
}

bool platformFileExists(const char* path) {
    if (!path) return false;
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool platformReadFile(const char* path, std::string* contents, bool* complete) {
    *complete = false;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size;
    long long expected = GetFileSizeEx(file, &size) ? size.QuadPart : -1;
    contents->clear();
    char chunk[65536];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0)
        contents->append(chunk, got);
    CloseHandle(file);
    *complete = expected < 0 || static_cast<long long>(contents->size()) >= expected;
    return true;
}

size_t platformStackRemaining() {
    char here = 0;
    const char* largeLow = nullptr;
    if (win32LargeStackLow(&here, &largeLow))
        return &here > largeLow ? static_cast<size_t>(&here - largeLow) : 0;
    // The low end of this thread's stack reservation, read once per thread.
    // The lowest pages are the guard that the stack never grows into.
    static thread_local char* low = nullptr;
    static thread_local bool known = false;
    if (!known) {
        known = true;
        MEMORY_BASIC_INFORMATION region;
        if (VirtualQuery(&here, &region, sizeof region) == sizeof region && region.AllocationBase) {
            SYSTEM_INFO system;
            GetSystemInfo(&system);
            low = static_cast<char*>(region.AllocationBase) + 3 * system.dwPageSize;
        }
    }
    if (!low) return SIZE_MAX;
    char* position = &here;
    return position > low ? static_cast<size_t>(position - low) : 0;
}

uint64_t platformClockSeed() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    uint64_t ticks = (static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    // 100-nanosecond ticks since 1601 as microseconds since 1970.
    return (ticks - 116444736000000000ull) / 10;
}

bool platformUserName(std::string* name) {
    char buffer[257];
    DWORD size = sizeof buffer;
    if (GetUserNameA(buffer, &size) && buffer[0]) {
        *name = buffer;
        return true;
    }
    return platformGetEnv("USERNAME", name) && !name->empty();
}

bool platformHostName(std::string* name) {
    char buffer[256];
    DWORD size = sizeof buffer;
    if (GetComputerNameExA(ComputerNameDnsHostname, buffer, &size) && buffer[0]) {
        *name = buffer;
        return true;
    }
    size = sizeof buffer;
    if (!GetComputerNameA(buffer, &size)) return false;
    *name = buffer;
    return true;
}

// The runtime converts times from 1970 to 3000; the system's calendar takes
// the others from 1601 on. Earlier ones read as the epoch.
void platformLocalTime(long long seconds, struct tm* out) {
    __time64_t t = static_cast<__time64_t>(seconds);
    if (_localtime64_s(out, &t) == 0) return;
    std::memset(out, 0, sizeof *out);
    constexpr long long kEpochIn1601 = 11644473600LL;
    // The system's calendar ends in the year 30828.
    constexpr long long kLastSecond = 900000000000LL - kEpochIn1601;
    if (seconds < -kEpochIn1601 || seconds > kLastSecond) seconds = 0;
    uint64_t ticks = static_cast<uint64_t>(seconds + kEpochIn1601) * 10000000ull;
    FILETIME universal = {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME utc, local;
    if (!FileTimeToSystemTime(&universal, &utc) ||
        !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
        return;
    out->tm_year = local.wYear - 1900;
    out->tm_mon = local.wMonth - 1;
    out->tm_mday = local.wDay;
    out->tm_hour = local.wHour;
    out->tm_min = local.wMinute;
    out->tm_sec = local.wSecond;
    out->tm_wday = local.wDayOfWeek;
    static const int kDaysBefore[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    int year = local.wYear;
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    out->tm_yday = kDaysBefore[out->tm_mon] + local.wDay - 1 + (leap && out->tm_mon > 1 ? 1 : 0);
    out->tm_isdst = -1;
}

bool platformNetworkStartup() {
    if (sockets_started) return true;
    WSADATA data;
    sockets_started = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    return sockets_started;
}

void platformNetworkCleanup() {
    if (!sockets_started) return;
    WSACleanup();
    sockets_started = false;
}

// IsWow64Process is looked up at run time: the oldest 32-bit systems lack it.
bool platformIsWow64() {
    using IsWow64Function = BOOL(WINAPI*)(HANDLE, PBOOL);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto isWow64 = reinterpret_cast<IsWow64Function>(
        reinterpret_cast<void*>(kernel ? GetProcAddress(kernel, "IsWow64Process") : nullptr));
    BOOL wow64 = FALSE;
    return isWow64 && isWow64(GetCurrentProcess(), &wow64) && wow64;
}

size_t platformHeapBlockSize(void* block) {
    return block ? _msize(block) : 0;
}
