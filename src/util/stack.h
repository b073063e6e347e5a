// A fixed-capacity stack of word-sized items, optionally owning text items
// that it copies on push. A push past capacity fails and changes nothing.
#pragma once

#include <cstdint>

struct Stack {
    intptr_t* items;
    int capacity;
    int count;
    int owns_strings;
};

Stack* zorakStackCreate(int capacity, int owns_strings);
void zorakStackDestroy(Stack* stack);
bool zorakStackPush(Stack* stack, intptr_t item);
// Pushes a copy of text when the stack owns strings, else the pointer itself.
bool zorakStackPushText(Stack* stack, const char* text);
// Pops the top item; an owned text is released unless out receives it.
bool zorakStackPop(Stack* stack, intptr_t* out);
// Item i counted from the top (0 is the top), or 0 when out of range.
intptr_t zorakStackPeek(const Stack* stack, int from_top);
void zorakStackClear(Stack* stack);
