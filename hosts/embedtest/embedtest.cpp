// Loads the library by its file name, hands zorak_command a three-line
// script and reports what came back.
#include <cstdio>

#if defined(_WIN32)
#include <windows.h>
#define ZORAK_LIBRARY "zorak.dll"
#define LINE_END "\r\n"
typedef char*(__stdcall* ZorakCommand)(const char*, int, int, int, int*);
static void* loadLibrary() {
    return reinterpret_cast<void*>(LoadLibraryA(ZORAK_LIBRARY));
}
static void* findExport(void* lib, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(lib), name));
}
#else
#include <dlfcn.h>
#define ZORAK_LIBRARY "libzorak.so"
#define LINE_END "\n"
typedef char* (*ZorakCommand)(const char*, int, int, int, int*);
static void* loadLibrary() {
    return dlopen(ZORAK_LIBRARY, RTLD_NOW);
}
static void* findExport(void* lib, const char* name) {
    return dlsym(lib, name);
}
#endif

// The host keeps the result until the process ends and never frees it; held
// here, it stays reachable for leak checkers.
static char* result = nullptr;

int main() {
    void* lib = loadLibrary();
    if (!lib) {
        std::printf("test: Failed to load %s" LINE_END, ZORAK_LIBRARY);
        return 2;
    }
    ZorakCommand command = reinterpret_cast<ZorakCommand>(findExport(lib, "zorak_command"));
    if (!command) {
        std::printf("test: Failed to zorak_command in %s" LINE_END, ZORAK_LIBRARY);
        return 1;
    }
    std::printf("test: Loaded DLL %s->zorak_command()" LINE_END, ZORAK_LIBRARY);
    std::fflush(stdout);
    int code = 0;
    result = command("textcolor magenta\r\nputs \"Hello world\"\r\ntextcolor\r\n", 0, 0, 0, &code);
    std::printf("test: zorak_command: Returned result:'%s' errorcode:%li" LINE_END,
                result ? result : "NULL", static_cast<long>(code));
    return 0;
}
