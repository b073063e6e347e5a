// The library's entry point on Windows. At attach the console is opened and
// the C runtime's stdout and stdin are bound to its handles, so that what
// the library prints with the runtime reaches the console even in a GUI
// host; then Windows Sockets 2.2 start. At detach the streams are put back.
#include "platform/platform.h"
#include "zorak.h"

#include <windows.h>

#include <cstdio>
#include <fcntl.h>
#include <io.h>

namespace {

// The runtime's own stream records, as they were before the rebinding.
struct SavedStreams {
    FILE out;
    FILE in;
    bool out_bound = false;
    bool in_bound = false;
};

SavedStreams saved_streams;

// Binds the stream record to a new runtime stream on the handle; false (and
// the record untouched) when the runtime refuses either step.
bool bindStream(FILE* stream, DWORD which, const char* mode, const char* name) {
    intptr_t handle = reinterpret_cast<intptr_t>(GetStdHandle(which));
    int descriptor = _open_osfhandle(handle, _O_TEXT);
    if (descriptor == -1) {
        std::printf("redirect_std_handles: _open_osfhandle %s FAILED\n", name);
        return false;
    }
    FILE* opened = _fdopen(descriptor, mode);
    if (!opened) {
        std::printf("redirect_std_handles: _fdopen %s FAILED\n", name);
        return false;
    }
    *stream = *opened;
    return true;
}

void redirectStdHandles() {
    std::fflush(stdout);
    saved_streams.out = *stdout;
    saved_streams.in = *stdin;
    saved_streams.out_bound = bindStream(stdout, STD_OUTPUT_HANDLE, "a+", "stdout");
    saved_streams.in_bound = bindStream(stdin, STD_INPUT_HANDLE, "r", "stdin");
}

// What the rebound stdout still holds goes out before the old record returns.
void restoreStdHandles() {
    if (saved_streams.out_bound) {
        std::fflush(stdout);
        *stdout = saved_streams.out;
        saved_streams.out_bound = false;
    }
    if (saved_streams.in_bound) {
        *stdin = saved_streams.in;
        saved_streams.in_bound = false;
    }
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        OpenConsole(0);
        redirectStdHandles();
        platformNetworkStartup();
        break;
    case DLL_PROCESS_DETACH:
        restoreStdHandles();
        break;
    default:
        break;
    }
    return TRUE;
}
