// The 8-bit console attribute as ANSI terminal colours.
#pragma once

#include <cstddef>
#include <cstdint>

// Writes the escape sequence that selects the attribute's foreground and
// background into out (zero-terminated) and returns its length.
size_t ansiSequenceForAttribute(uint8_t attribute, char* out, size_t size);
