#include "util/heap_text.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

void* checkedRealloc(void* block, size_t size) {
    void* grown = std::realloc(block, size);
    if (!grown) throw std::bad_alloc();
    return grown;
}

} // namespace

char* zorakStrDup(std::string_view text) {
    char* copy = static_cast<char*>(checkedRealloc(nullptr, text.size() + 1));
    if (!text.empty()) std::memcpy(copy, text.data(), text.size());
    copy[text.size()] = '\0';
    return copy;
}

char* zorakStrDup(const char* text) {
    return zorakStrDup(text ? std::string_view(text) : std::string_view());
}

size_t zorakStrAppendAt(char** dst, size_t length, const char* text, size_t n) {
    // Text taken from the destination itself must be found again after the
    // block moves.
    uintptr_t from = reinterpret_cast<uintptr_t>(text);
    uintptr_t base = reinterpret_cast<uintptr_t>(*dst);
    bool inside = *dst && from >= base && from <= base + length;
    size_t offset = inside ? static_cast<size_t>(from - base) : 0;
    char* grown = static_cast<char*>(checkedRealloc(*dst, length + n + 1));
    if (inside) text = grown + offset;
    if (n) std::memmove(grown + length, text, n);
    grown[length + n] = '\0';
    *dst = grown;
    return length + n;
}

void zorakStrAppendN(char** dst, const char* text, size_t n) {
    zorakStrAppendAt(dst, *dst ? std::strlen(*dst) : 0, text, n);
}

void zorakStrAppend(char** dst, const char* text) {
    zorakStrAppendN(dst, text ? text : "", text ? std::strlen(text) : 0);
}

void zorakStrAppendChar(char** dst, char c) {
    zorakStrAppendN(dst, &c, 1);
}

void zorakStrFree(char** text) {
    if (!text) return;
    std::free(*text);
    *text = nullptr;
}

void zorakStrAssign(char** dst, std::string_view text) {
    char* copy = zorakStrDup(text);
    std::free(*dst);
    *dst = copy;
}

static void vectorReserve(StringVector* vec, int needed) {
    if (needed + 1 <= vec->capacity) return;
    int capacity = vec->capacity ? vec->capacity : 8;
    while (capacity < needed + 1)
        capacity *= 2;
    vec->items = static_cast<char**>(checkedRealloc(vec->items, sizeof(char*) * capacity));
    vec->capacity = capacity;
}

void zorakVectorAppendOwned(StringVector* vec, char* text) {
    try {
        vectorReserve(vec, vec->count + 1);
    } catch (...) {
        std::free(text);
        throw;
    }
    vec->items[vec->count++] = text;
    vec->items[vec->count] = nullptr;
}

void zorakVectorAppend(StringVector* vec, std::string_view text) {
    zorakVectorAppendOwned(vec, zorakStrDup(text));
}

void zorakVectorInsert(StringVector* vec, int index, std::string_view text) {
    if (index < 0) index = 0;
    if (index > vec->count) index = vec->count;
    char* copy = zorakStrDup(text);
    try {
        vectorReserve(vec, vec->count + 1);
    } catch (...) {
        std::free(copy);
        throw;
    }
    std::memmove(vec->items + index + 1, vec->items + index,
                 sizeof(char*) * (vec->count - index + 1));
    vec->items[index] = copy;
    vec->count++;
}

void zorakVectorRemove(StringVector* vec, int index) {
    if (index < 0 || index >= vec->count) return;
    std::free(vec->items[index]);
    std::memmove(vec->items + index, vec->items + index + 1, sizeof(char*) * (vec->count - index));
    vec->count--;
}

void zorakVectorClear(StringVector* vec) {
    for (int i = 0; i < vec->count; i++)
        std::free(vec->items[i]);
    vec->count = 0;
    if (vec->items) vec->items[0] = nullptr;
}

void zorakVectorFree(StringVector* vec) {
    zorakVectorClear(vec);
    std::free(vec->items);
    vec->items = nullptr;
    vec->capacity = 0;
}

void zorakFreeVector(char*** items, int count) {
    if (!items || !*items) return;
    for (int i = 0; i < count; i++)
        std::free((*items)[i]);
    std::free(*items);
    *items = nullptr;
}
