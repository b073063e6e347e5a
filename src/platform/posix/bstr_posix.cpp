// The OLE string allocator that Windows hosts find in oleaut32: a 32-bit byte
// length, the bytes, a terminating zero; the BSTR points at the bytes. And
// the walk over an argument array in the same layout.
#include "platform/platform.h"
#include "zorak.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" {

ZORAK_API BSTR SysAllocStringByteLen(const char* bytes, unsigned int length) {
    char* block = static_cast<char*>(std::malloc(sizeof(uint32_t) + length + 2));
    if (!block) return nullptr;
    uint32_t stored = length;
    std::memcpy(block, &stored, sizeof stored);
    char* text = block + sizeof(uint32_t);
    if (bytes && length)
        std::memcpy(text, bytes, length);
    else if (length)
        std::memset(text, 0, length);
    text[length] = '\0';
    text[length + 1] = '\0';
    return text;
}

ZORAK_API unsigned int SysStringByteLen(BSTR text) {
    if (!text) return 0;
    uint32_t stored;
    std::memcpy(&stored, text - sizeof(uint32_t), sizeof stored);
    return stored;
}

ZORAK_API void SysFreeString(BSTR text) {
    if (text) std::free(text - sizeof(uint32_t));
}
}

std::vector<std::string> platformArgumentStrings(SAFEARRAY* array) {
    std::vector<std::string> strings;
    if (!array || array->cDims != 1 || !array->pvData) return strings;
    BSTR* items = static_cast<BSTR*>(array->pvData);
    for (uint32_t i = 0; i < array->rgsabound[0].cElements; i++) {
        BSTR item = items[i];
        if (!item) continue;
        unsigned int length = SysStringByteLen(item);
        if (length) strings.emplace_back(item, length);
    }
    return strings;
}
