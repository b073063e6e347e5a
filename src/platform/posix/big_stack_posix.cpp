// The large evaluation stack on Linux: one mapping per thread, reserved
// once and committed page by page as deep scripts reach into it, entered
// with makecontext/setcontext on the calling thread.
#include "platform/posix/big_stack_posix.h"

#include "platform/platform.h"

#include <cstddef>
#include <cstdint>
#include <sys/mman.h>
#include <ucontext.h>
#include <unistd.h>

#include "util/sanitizer.h"

#ifdef ZORAK_ASAN
extern "C" {
void __sanitizer_start_switch_fiber(void** fake_stack_save, const void* bottom, size_t size);
void __sanitizer_finish_switch_fiber(void* fake_stack_save, const void** bottom_old,
                                     size_t* size_old);
void __asan_unpoison_memory_region(const volatile void* addr, size_t size);
}
#endif

namespace {

// Reserved address space; pages are only committed when touched.
constexpr size_t kStackSize = size_t{256} << 20;
// An unmapped stretch below the stack turns an overrun into a fault instead
// of a write into whatever lies below.
constexpr size_t kGuardSize = size_t{64} << 10;
// Stack kept committed between runs; pages deeper than this are handed back
// to the system after a run that reached them.
constexpr size_t kKeptSize = size_t{1} << 20;
#ifdef ZORAK_ASAN
// The frames still open when a run leaves the stack, whose redzones the
// sanitizer would otherwise find again on the next run.
constexpr size_t kOpenFrames = size_t{64} << 10;
#endif

// What the stack-depth checks read on every evaluation, kept apart as plain
// data: without a constructor or destructor, a read needs no per-thread
// initialisation call first. (The initial-exec model would save the loader
// call too, but a library loaded with dlopen may not use it.)
struct StackBounds {
    char* low;  // lowest usable byte
    char* high; // one past the highest usable byte
    bool running;
    // The deepest address the stack-depth checks saw during the run.
    const char* deepest;
};

thread_local StackBounds bounds;

struct LargeStack {
    char* mapping = nullptr;
    ucontext_t caller;
    ucontext_t callee;
    void (*body)(void*) = nullptr;
    void* data = nullptr;
    const void* caller_bottom = nullptr;
    size_t caller_size = 0;

    LargeStack() = default;
    LargeStack(const LargeStack&) = delete;
    LargeStack& operator=(const LargeStack&) = delete;
    // A thread that ends gives its stack back.
    ~LargeStack() {
        if (mapping) munmap(mapping, kStackSize + kGuardSize);
    }
};

thread_local LargeStack large;

bool reserve() {
    size_t total = kStackSize + kGuardSize;
    void* mapping = mmap(nullptr, total, PROT_READ | PROT_WRITE,
                         MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (mapping == MAP_FAILED) return false;
    char* base = static_cast<char*>(mapping);
    if (mprotect(base, kGuardSize, PROT_NONE) != 0) {
        munmap(mapping, total);
        return false;
    }
    large.mapping = base;
    bounds.low = base + kGuardSize;
    bounds.high = base + total;
    return true;
}

void entry() {
#ifdef ZORAK_ASAN
    __sanitizer_finish_switch_fiber(nullptr, &large.caller_bottom, &large.caller_size);
#endif
    large.body(large.data);
#ifdef ZORAK_ASAN
    // A null save slot tells the sanitizer this stack's run is over.
    __sanitizer_start_switch_fiber(nullptr, large.caller_bottom, large.caller_size);
#endif
    // Back to the caller, just after its getcontext; this run of the stack
    // is over and its frames are abandoned.
    setcontext(&large.caller);
}

// Hands the pages of a deep run back, keeping the top of the stack.
void releaseDeepPages() {
    const char* deepest = bounds.deepest;
    bounds.deepest = nullptr;
    if (!deepest || deepest >= bounds.high - kKeptSize) return;
    uintptr_t page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
    uintptr_t from = reinterpret_cast<uintptr_t>(deepest) & ~(page - 1);
    if (from < reinterpret_cast<uintptr_t>(bounds.low))
        from = reinterpret_cast<uintptr_t>(bounds.low);
    uintptr_t to = reinterpret_cast<uintptr_t>(bounds.high - kKeptSize) & ~(page - 1);
    if (to > from) madvise(reinterpret_cast<void*>(from), to - from, MADV_DONTNEED);
}

} // namespace

bool posixLargeStackLow(const void* here, const char** low) {
    if (!bounds.running) return false;
    const char* at = static_cast<const char*>(here);
    if (at < bounds.low || at >= bounds.high) return false;
    if (!bounds.deepest || at < bounds.deepest) bounds.deepest = at;
    *low = bounds.low;
    return true;
}

bool platformOnLargeStack() {
    return bounds.running;
}

bool platformRunOnLargeStack(void (*body)(void*), void* data) {
#ifdef ZORAK_TSAN
    // ThreadSanitizer cannot follow a switch to a stack it was not told of:
    // in that build the evaluation stays on the caller's stack.
    (void)body;
    (void)data;
    return false;
#endif
    if (bounds.running) {
        body(data);
        return true;
    }
    if (!large.mapping && !reserve()) return false;
    if (getcontext(&large.callee) != 0) return false;
    large.callee.uc_stack.ss_sp = bounds.low;
    large.callee.uc_stack.ss_size = static_cast<size_t>(bounds.high - bounds.low);
    large.callee.uc_link = nullptr;
    makecontext(&large.callee, entry, 0);
    large.body = body;
    large.data = data;
    bounds.running = true;
#ifdef ZORAK_ASAN
    __asan_unpoison_memory_region(bounds.high - kOpenFrames, kOpenFrames);
    void* fakeStack = nullptr;
    __sanitizer_start_switch_fiber(&fakeStack, bounds.low,
                                   static_cast<size_t>(bounds.high - bounds.low));
#endif
    // getcontext and setcontext rather than swapcontext: the switch is the
    // same, and the sanitizer build stays silent about it.
    volatile bool finished = false;
    if (getcontext(&large.caller) != 0) {
        bounds.running = false;
        return false;
    }
    if (!finished) {
        finished = true;
        setcontext(&large.callee);
    }
#ifdef ZORAK_ASAN
    __sanitizer_finish_switch_fiber(fakeStack, nullptr, nullptr);
#endif
    bounds.running = false;
    releaseDeepPages();
    return true;
}
