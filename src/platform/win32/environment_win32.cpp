// The process environment, process identities, rights and memory on Windows.
#include "platform/platform.h"

#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <time.h>
#include <vector>

bool platformSetEnv(const char* name, const char* value) {
    // The C runtime keeps its own copy, which the time zone reads; it cannot
    // hold an empty value ("NAME=" removes the name), so the system's own
    // environment, which can, is set after it.
    std::string entry = std::string(name) + "=" + (value ? value : "");
    _putenv(entry.c_str());
    if (!SetEnvironmentVariableA(name, value)) return false;
    if (std::strcmp(name, "TZ") == 0) _tzset();
    return true;
}

long platformProcessId() {
    return static_cast<long>(GetCurrentProcessId());
}

long platformThreadId() {
    return static_cast<long>(GetCurrentThreadId());
}

long platformSessionId() {
    DWORD session = 0;
    if (!ProcessIdToSessionId(GetCurrentProcessId(), &session)) return -1;
    return static_cast<long>(session);
}

bool platformProcessAlive(long pid) {
    if (pid <= 0) return false;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (!process) return GetLastError() == ERROR_ACCESS_DENIED;
    DWORD code = 0;
    bool alive = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    CloseHandle(process);
    return alive;
}

bool platformRunElevated(const std::string& line, long* exit_code, std::string* why) {
    std::string comspec;
    if (!platformGetEnv("COMSPEC", &comspec)) comspec = "cmd.exe";
    std::string parameters = "/C " + line;
    SHELLEXECUTEINFOA info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC;
    info.lpVerb = "runas";
    info.lpFile = comspec.c_str();
    info.lpParameters = parameters.c_str();
    info.nShow = SW_SHOWNORMAL;
    // shell32 is bound by name when elevation is asked for, not at load.
    using Execute = BOOL(WINAPI*)(SHELLEXECUTEINFOA*);
    HMODULE shell = LoadLibraryA("shell32.dll");
    Execute execute = shell ? reinterpret_cast<Execute>(
                                  reinterpret_cast<void*>(GetProcAddress(shell, "ShellExecuteExA")))
                            : nullptr;
    if (!execute) {
        *why = "The system offers no elevation";
        return false;
    }
    if (!execute(&info) || !info.hProcess) {
        *why = platformErrorText(GetLastError());
        return false;
    }
    WaitForSingleObject(info.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hProcess);
    *exit_code = static_cast<long>(code);
    return true;
}

void platformSetLastError(unsigned long code) {
    SetLastError(static_cast<DWORD>(code));
}

bool platformCaptureCommand(const std::string& line, std::string* output, long* exit_code) {
    std::fflush(nullptr);
    FILE* child = _popen(line.c_str(), "rb");
    if (!child) return false;
    char chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, child)) > 0)
        output->append(chunk, got);
    int status = _pclose(child);
    if (status == -1) return false;
    *exit_code = status;
    return true;
}

bool platformHeapCheck() {
    DWORD count = GetProcessHeaps(0, nullptr);
    std::vector<HANDLE> heaps(count + 8);
    count = GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data());
    for (DWORD i = 0; i < count && i < heaps.size(); i++)
        if (!HeapValidate(heaps[i], 0, nullptr)) return false;
    return true;
}

bool platformProcessMemory(uint64_t* bytes) {
    // The process memory query lives in psapi on older systems and in
    // kernel32 on newer ones; bound by name so neither is needed at load.
    struct Counters {
        DWORD cb;
        DWORD PageFaultCount;
        SIZE_T PeakWorkingSetSize;
        SIZE_T WorkingSetSize;
        SIZE_T QuotaPeakPagedPoolUsage;
        SIZE_T QuotaPagedPoolUsage;
        SIZE_T QuotaPeakNonPagedPoolUsage;
        SIZE_T QuotaNonPagedPoolUsage;
        SIZE_T PagefileUsage;
        SIZE_T PeakPagefileUsage;
    };
    using Query = BOOL(WINAPI*)(HANDLE, Counters*, DWORD);
    Query query = nullptr;
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (kernel)
        query = reinterpret_cast<Query>(
            reinterpret_cast<void*>(GetProcAddress(kernel, "K32GetProcessMemoryInfo")));
    if (!query) {
        HMODULE psapi = LoadLibraryA("psapi.dll");
        if (psapi)
            query = reinterpret_cast<Query>(
                reinterpret_cast<void*>(GetProcAddress(psapi, "GetProcessMemoryInfo")));
    }
    if (!query) return false;
    Counters counters;
    ZeroMemory(&counters, sizeof counters);
    counters.cb = sizeof counters;
    if (!query(GetCurrentProcess(), &counters, sizeof counters)) return false;
    *bytes = counters.WorkingSetSize;
    return true;
}
