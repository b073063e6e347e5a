// Plug-in libraries on Linux: shared objects through dlopen.
#include "platform/platform.h"

#include <cstring>
#include <dlfcn.h>

intptr_t platformLibraryOpen(const char* path, std::string* error) {
    if (!path || !*path) return 0;
    // dlopen would search the system's library path for a bare file name.
    std::string file = std::strchr(path, '/') ? path : std::string("./") + path;
    void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle && error) {
        const char* reason = dlerror();
        *error = reason ? reason : "";
    }
    return reinterpret_cast<intptr_t>(handle);
}

void* platformLibrarySymbol(intptr_t handle, const char* name) {
    if (!handle || !name) return nullptr;
    return dlsym(reinterpret_cast<void*>(handle), name);
}

void platformLibraryClose(intptr_t handle) {
    if (handle) dlclose(reinterpret_cast<void*>(handle));
}

const char* platformLibraryExtension() {
    return ".so";
}
