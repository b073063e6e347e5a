// Child processes on Windows: CreateProcess, the command interpreter named
// by COMSPEC and anonymous pipes.
#include "platform/platform.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string commandInterpreter() {
    std::string comspec;
    if (!platformGetEnv("COMSPEC", &comspec)) comspec.clear();
    return comspec;
}

// Starts a command line on the given standard handles; false when it could
// not start.
bool start(const std::string& line, HANDLE input, HANDLE output, HANDLE error, const char* title,
           PROCESS_INFORMATION* process) {
    std::fflush(nullptr);
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input;
    startup.hStdOutput = output;
    startup.hStdError = error;
    startup.lpTitle = const_cast<char*>(title);
    std::vector<char> mutableLine(line.begin(), line.end());
    mutableLine.push_back('\0');
    ZeroMemory(process, sizeof *process);
    return CreateProcessA(nullptr, mutableLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                          &startup, process) != 0;
}

long finish(PROCESS_INFORMATION* process) {
    WaitForSingleObject(process->hProcess, INFINITE);
    DWORD code = 0;
    if (!GetExitCodeProcess(process->hProcess, &code)) code = static_cast<DWORD>(-1);
    CloseHandle(process->hThread);
    CloseHandle(process->hProcess);
    return static_cast<long>(code);
}

} // namespace

bool platformRunCommand(const std::string& words, long* exit_code) {
    std::string comspec = commandInterpreter();
    std::string line = comspec.empty() ? words : comspec + " /C " + words;
    PROCESS_INFORMATION process;
    if (!start(line, GetStdHandle(STD_INPUT_HANDLE), GetStdHandle(STD_OUTPUT_HANDLE),
               GetStdHandle(STD_ERROR_HANDLE), nullptr, &process))
        return false;
    *exit_code = finish(&process);
    return true;
}

bool platformRunShell(const std::string& words, long* exit_code) {
    std::string line = commandInterpreter() + " /K";
    if (!words.empty()) line += " " + words;
    PROCESS_INFORMATION process;
    if (!start(line, GetStdHandle(STD_INPUT_HANDLE), GetStdHandle(STD_OUTPUT_HANDLE),
               GetStdHandle(STD_ERROR_HANDLE), "Command Shell", &process))
        return false;
    // Window messages keep flowing while the shell runs, so a host with
    // windows stays alive.
    for (;;) {
        DWORD woke = MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, INFINITE, QS_ALLINPUT);
        if (woke != WAIT_OBJECT_0 + 1) break;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    *exit_code = finish(&process);
    return true;
}

bool platformSpawnCapture(const std::vector<std::string>&, const std::string& line,
                          bool read_output, PlatformOutputSink sink, void* data) {
    SECURITY_ATTRIBUTES inherit;
    inherit.nLength = sizeof inherit;
    inherit.lpSecurityDescriptor = nullptr;
    inherit.bInheritHandle = TRUE;
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (read_output) {
        if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return false;
        if (!SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0)) {
            CloseHandle(readEnd);
            CloseHandle(writeEnd);
            return false;
        }
    } else {
        // A child nobody reads from writes to the null device, so that it
        // never blocks on a full pipe.
        writeEnd = CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                               OPEN_EXISTING, 0, nullptr);
        if (writeEnd == INVALID_HANDLE_VALUE) return false;
    }
    PROCESS_INFORMATION process;
    bool started =
        start(line, GetStdHandle(STD_INPUT_HANDLE), writeEnd, writeEnd, nullptr, &process);
    CloseHandle(writeEnd);
    if (!started) {
        if (readEnd) CloseHandle(readEnd);
        return false;
    }
    if (!read_output) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return true;
    }
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(readEnd, chunk, sizeof chunk, &got, nullptr) && got > 0) {
        if (!sink(data, chunk, got)) break;
    }
    CloseHandle(readEnd);
    finish(&process);
    return true;
}

const char* platformCommandInterpreterHint() {
    return "cmd.exe /c or $::env(COMSPEC) /c";
}
