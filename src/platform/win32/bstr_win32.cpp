// The argument array of zorak_init: oleaut32's SAFEARRAY of BSTRs that hold
// 8-bit text.
#include "platform/platform.h"

#include <windows.h>
#include <oleauto.h>

std::vector<std::string> platformArgumentStrings(SAFEARRAY* array) {
    std::vector<std::string> strings;
    LONG lower = 0, upper = -1;
    if (!array || SafeArrayGetDim(array) != 1 || FAILED(SafeArrayGetLBound(array, 1, &lower)) ||
        FAILED(SafeArrayGetUBound(array, 1, &upper)))
        return strings;
    void* data = nullptr;
    if (FAILED(SafeArrayAccessData(array, &data)) || !data) return strings;
    BSTR* items = static_cast<BSTR*>(data);
    for (LONG i = lower; i <= upper; i++) {
        BSTR item = items[i - lower];
        if (!item) continue;
        UINT length = SysStringByteLen(item);
        if (length) strings.emplace_back(reinterpret_cast<const char*>(item), length);
    }
    SafeArrayUnaccessData(array);
    return strings;
}
