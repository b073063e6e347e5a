#include "util/stack.h"

#include "util/heap_text.h"

#include <cstdlib>

Stack* zorakStackCreate(int capacity, int owns_strings) {
    if (capacity < 1) capacity = 100;
    Stack* stack = static_cast<Stack*>(std::calloc(1, sizeof(Stack)));
    if (!stack) return nullptr;
    stack->items =
        static_cast<intptr_t*>(std::calloc(static_cast<size_t>(capacity), sizeof(intptr_t)));
    if (!stack->items) {
        std::free(stack);
        return nullptr;
    }
    stack->capacity = capacity;
    stack->owns_strings = owns_strings;
    return stack;
}

void zorakStackClear(Stack* stack) {
    if (!stack) return;
    while (stack->count > 0)
        zorakStackPop(stack, nullptr);
}

void zorakStackDestroy(Stack* stack) {
    if (!stack) return;
    zorakStackClear(stack);
    std::free(stack->items);
    std::free(stack);
}

bool zorakStackPush(Stack* stack, intptr_t item) {
    if (!stack || stack->count >= stack->capacity) return false;
    stack->items[stack->count++] = item;
    return true;
}

bool zorakStackPushText(Stack* stack, const char* text) {
    if (!stack || stack->count >= stack->capacity) return false;
    if (!stack->owns_strings) return zorakStackPush(stack, reinterpret_cast<intptr_t>(text));
    char* copy = zorakStrDup(text);
    stack->items[stack->count++] = reinterpret_cast<intptr_t>(copy);
    return true;
}

bool zorakStackPop(Stack* stack, intptr_t* out) {
    if (!stack || stack->count <= 0) return false;
    intptr_t item = stack->items[--stack->count];
    stack->items[stack->count] = 0;
    if (out)
        *out = item;
    else if (stack->owns_strings)
        std::free(reinterpret_cast<char*>(item));
    return true;
}

intptr_t zorakStackPeek(const Stack* stack, int from_top) {
    if (!stack || from_top < 0 || from_top >= stack->count) return 0;
    return stack->items[stack->count - 1 - from_top];
}

bool zorakStackIsValid(const Stack* stack) {
    return stack && stack->items && stack->capacity > 0;
}

bool zorakStackIsEmpty(const Stack* stack) {
    return !stack || stack->count < 1;
}

int zorakStackPushWord(Stack* stack, intptr_t value) {
    if (!stack || stack->count >= stack->capacity) return -1;
    if (stack->owns_strings) return -2;
    stack->items[stack->count] = value;
    return stack->count++;
}

char* zorakStackPopText(Stack* stack) {
    intptr_t item = 0;
    if (!zorakStackPop(stack, &item)) return nullptr;
    return reinterpret_cast<char*>(item);
}

const char* zorakStackPeekText(const Stack* stack) {
    return reinterpret_cast<const char*>(zorakStackPeek(stack, 0));
}

const char* zorakStackItem(const Stack* stack, int index) {
    if (!stack || index < 0 || index >= stack->count) return nullptr;
    return reinterpret_cast<const char*>(stack->items[index]);
}
