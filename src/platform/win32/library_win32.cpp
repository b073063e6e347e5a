// Plug-in libraries on Windows: DLLs through LoadLibraryA.
#include "platform/platform.h"

#include <windows.h>

#include <cstring>

intptr_t platformLibraryOpen(const char* path, std::string* error) {
    if (!path || !*path) return 0;
    // A file that is not a library must not raise the system's error box.
    UINT mode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    SetErrorMode(mode | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    // LoadLibraryA would search the system's path for a bare file name.
    std::string file = std::strpbrk(path, "\\/:") ? std::string(path) : std::string(".\\") + path;
    HMODULE handle = LoadLibraryA(file.c_str());
    DWORD code = GetLastError();
    SetErrorMode(mode);
    if (!handle && error) *error = platformErrorText(code);
    return reinterpret_cast<intptr_t>(handle);
}

void* platformLibrarySymbol(intptr_t handle, const char* name) {
    if (!handle || !name) return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(handle), name));
}

void platformLibraryClose(intptr_t handle) {
    if (handle) FreeLibrary(reinterpret_cast<HMODULE>(handle));
}

const char* platformLibraryExtension() {
    return ".dll";
}
