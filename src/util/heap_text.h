// Heap texts and string vectors: the one way the library makes, grows and
// releases the 8-bit texts it hands between routines, hosts and plug-ins.
// Every text comes from the C runtime heap (malloc/free) so that plug-ins can
// release what the library gives them and the other way round.
#pragma once

#include <cstddef>
#include <string_view>

// A fresh copy of text; a null text gives a fresh empty text.
char* zorakStrDup(const char* text);
char* zorakStrDup(std::string_view text);
// Appends text (or its first n bytes) to *dst, creating *dst when it is null.
void zorakStrAppend(char** dst, const char* text);
void zorakStrAppendN(char** dst, const char* text, size_t n);
void zorakStrAppendChar(char** dst, char c);
// The same for a *dst (or null) whose length is known to be length; returns
// the new length. Saves the scan for the end when a caller appends often.
size_t zorakStrAppendAt(char** dst, size_t length, const char* text, size_t n);
// Releases *text and clears the caller's pointer.
void zorakStrFree(char** text);
// Replaces *dst with a fresh copy of text.
void zorakStrAssign(char** dst, std::string_view text);

// A counted heap array of owned texts. items[count] is always null so the
// array can be handed on as a C argument vector.
struct StringVector {
    char** items = nullptr;
    int count = 0;
    int capacity = 0;
};

void zorakVectorAppend(StringVector* vec, std::string_view text);
void zorakVectorAppendOwned(StringVector* vec, char* text);
void zorakVectorInsert(StringVector* vec, int index, std::string_view text);
void zorakVectorRemove(StringVector* vec, int index);
// Releases the elements and keeps the array for reuse.
void zorakVectorClear(StringVector* vec);
// Releases the elements and the array.
void zorakVectorFree(StringVector* vec);
// Releases a plain counted vector of heap texts (the plug-in form) and clears it.
void zorakFreeVector(char*** items, int count);

// Owns a StringVector for the length of a scope.
class ScopedVector {
  public:
    ScopedVector() = default;
    ~ScopedVector() { zorakVectorFree(&vec_); }
    ScopedVector(const ScopedVector&) = delete;
    ScopedVector& operator=(const ScopedVector&) = delete;
    StringVector* operator->() { return &vec_; }
    StringVector& get() { return vec_; }

  private:
    StringVector vec_;
};

// Owns one heap text for the length of a scope.
class HeapText {
  public:
    HeapText() = default;
    explicit HeapText(char* owned) : text_(owned) {}
    ~HeapText() { zorakStrFree(&text_); }
    HeapText(const HeapText&) = delete;
    HeapText& operator=(const HeapText&) = delete;
    char* get() const { return text_; }
    char** out() { return &text_; }
    char* release() {
        char* t = text_;
        text_ = nullptr;
        return t;
    }
    void reset(char* owned = nullptr) {
        zorakStrFree(&text_);
        text_ = owned;
    }

  private:
    char* text_ = nullptr;
};
