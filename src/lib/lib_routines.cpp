// The routines lent to plug-ins. Each is the library's own routine behind a
// guard: a plug-in calls them from C, so no C++ exception may leave them, and
// a failure answers the routine's own failure value instead.
#include "lib/lib.h"

#include "commands/list_core.h"
#include "interp/registry.h"
#include "util/heap_text.h"
#include "vars/arrays.h"
#include "vars/variables.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

template <auto Function, auto Failure> struct Guarded;

template <typename R, typename... Args, R (*Function)(Args...), auto Failure>
struct Guarded<Function, Failure> {
    static R call(Args... args) {
        try {
            return Function(args...);
        } catch (...) {
            return static_cast<R>(Failure);
        }
    }
};

void strAppend(char** dst, const char* text) {
    if (dst && text) zorakStrAppend(dst, text);
}

void strFree(char** text) {
    if (text) zorakStrFree(text);
}

int splitList(const char* list, char*** elements) {
    if (!elements) return -1;
    *elements = nullptr;
    StringVector vec;
    try {
        zorakSplitList(list ? list : "", &vec);
    } catch (...) {
        zorakVectorFree(&vec);
        return -1;
    }
    if (!vec.items) vec.items = static_cast<char**>(std::calloc(1, sizeof(char*)));
    if (!vec.items) return -1;
    *elements = vec.items;
    return vec.count;
}

void freeVector(char*** items, int count) {
    zorakFreeVector(items, std::max(count, 0));
}

void setResult(Interpreter* interp, const char* text, int length) {
    if (interp) zorakSetResult(interp, text, length);
}

void* allocBlock(size_t size) {
    return std::malloc(size);
}

void freeBlock(void* block) {
    std::free(block);
}

char** copyVector(char* const* items, int count, int capacity) {
    if (!items || count < 0) count = 0;
    size_t slots = static_cast<size_t>(std::max(count, capacity));
    char** copy = static_cast<char**>(std::calloc(slots + 1, sizeof(char*)));
    if (!copy) return nullptr;
    for (int i = 0; i < count; i++) {
        copy[i] = static_cast<char*>(std::malloc(std::strlen(items[i] ? items[i] : "") + 1));
        if (!copy[i]) {
            zorakFreeVector(&copy, i);
            return nullptr;
        }
        std::strcpy(copy[i], items[i] ? items[i] : "");
    }
    return copy;
}

} // namespace

int zorakLibExportRoutines(ZorakExportRoutinesExport exporter) {
    try {
        return exporter(
            Guarded<zorakGetVar, nullptr>::call, Guarded<set_var, 1>::call,
            Guarded<strAppend, 0>::call, strFree, Guarded<frame_at_level, nullptr>::call,
            Guarded<zorakFindCommand, nullptr>::call, Guarded<zorakGetCommand, nullptr>::call,
            splitList, freeVector, Guarded<setResult, 0>::call, allocBlock, freeBlock,
            Guarded<zorakArrayGetElement, nullptr>::call, Guarded<array_set_element, 1>::call,
            copyVector, Guarded<zorakRemoveVar, 0>::call, Guarded<set_value, 1>::call);
    } catch (...) {
        return -1;
    }
}
