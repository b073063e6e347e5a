// The large evaluation stack on Windows: a fiber of the calling thread with
// a large reserved stack, committed as deep scripts reach into it. The
// thread is made a fiber for the length of a run when it is not one yet.
#include "platform/platform.h"

#include <windows.h>

namespace {

// Reserved address space; the system commits it page by page.
constexpr SIZE_T kStackReserve = SIZE_T{128} << 20;

struct LargeStack {
    LPVOID fiber = nullptr;
    LPVOID caller = nullptr;
    bool running = false;
    void (*body)(void*) = nullptr;
    void* data = nullptr;
    // The lowest usable byte of the fiber's stack, read on its first run.
    const char* low = nullptr;
    const char* high = nullptr;

    LargeStack() = default;
    LargeStack(const LargeStack&) = delete;
    LargeStack& operator=(const LargeStack&) = delete;
    ~LargeStack() {
        if (fiber) DeleteFiber(fiber);
    }
};

thread_local LargeStack large;

void readBounds() {
    char here = 0;
    MEMORY_BASIC_INFORMATION region;
    if (VirtualQuery(&here, &region, sizeof region) != sizeof region || !region.AllocationBase)
        return;
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    // The lowest pages are the guard that the stack never grows into.
    large.low = static_cast<const char*>(region.AllocationBase) + 3 * system.dwPageSize;
    large.high = &here;
}

void WINAPI fiberMain(LPVOID) {
    readBounds();
    for (;;) {
        large.body(large.data);
        SwitchToFiber(large.caller);
    }
}

} // namespace

// For the stack-depth check: true when here lies on the running large stack;
// *low then receives its lowest usable byte.
bool win32LargeStackLow(const void* here, const char** low) {
    if (!large.running || !large.low) return false;
    const char* at = static_cast<const char*>(here);
    if (at < large.low || at > large.high) return false;
    *low = large.low;
    return true;
}

bool platformOnLargeStack() {
    return large.running;
}

bool platformRunOnLargeStack(void (*body)(void*), void* data) {
    if (large.running) {
        body(data);
        return true;
    }
    bool converted = false;
    LPVOID self = nullptr;
    if (IsThreadAFiber()) {
// GCC 12 takes the header's inline read of the thread's fiber slot (fs:0x10)
// for an access outside an array.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
        self = GetCurrentFiber();
#pragma GCC diagnostic pop
    } else {
        self = ConvertThreadToFiber(nullptr);
        if (!self) return false;
        converted = true;
    }
    if (!large.fiber)
        large.fiber = CreateFiberEx(0, kStackReserve, FIBER_FLAG_FLOAT_SWITCH, fiberMain, nullptr);
    if (!large.fiber) {
        if (converted) ConvertFiberToThread();
        return false;
    }
    large.caller = self;
    large.body = body;
    large.data = data;
    large.running = true;
    SwitchToFiber(large.fiber);
    large.running = false;
    if (converted) ConvertFiberToThread();
    return true;
}
