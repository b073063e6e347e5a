// A fixed-capacity stack of word-sized items, optionally owning text items
// that it copies on push. A push past capacity fails and changes nothing.
// Slot 0 is the bottom (the first item pushed), slot count - 1 the top.
#pragma once

#include <cstdint>

struct Stack {
    intptr_t* items;
    int capacity;
    int count;
    int owns_strings;
};

// A capacity below 1 gives the default of 100 slots. Null when allocation fails.
Stack* zorakStackCreate(int capacity, int owns_strings);
// True when the slots exist and the capacity is above 0.
bool zorakStackIsValid(const Stack* stack);
bool zorakStackIsEmpty(const Stack* stack);
void zorakStackDestroy(Stack* stack);
bool zorakStackPush(Stack* stack, intptr_t item);
// Pushes a copy of text when the stack owns strings, else the pointer itself.
bool zorakStackPushText(Stack* stack, const char* text);
// Pushes a plain value: the index of the new top, -1 when the stack is full,
// -2 on a stack that owns strings (its slots must hold texts).
int zorakStackPushWord(Stack* stack, intptr_t value);
// Pops the top item; an owned text is released unless out receives it.
bool zorakStackPop(Stack* stack, intptr_t* out);
// The top text handed to the caller, who releases it; null when empty.
char* zorakStackPopText(Stack* stack);
// Item i counted from the top (0 is the top), or 0 when out of range.
intptr_t zorakStackPeek(const Stack* stack, int from_top);
// The top text, still owned by the stack; null when empty.
const char* zorakStackPeekText(const Stack* stack);
// The text in slot index counted from the bottom; null out of range.
const char* zorakStackItem(const Stack* stack, int index);
void zorakStackClear(Stack* stack);
