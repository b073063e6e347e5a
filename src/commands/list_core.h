// The shared routines that fix how lists are written and read. Every
// command that parses a list goes through these.
#pragma once

#include "util/heap_text.h"

#include <string_view>

// The element splitter: tabs, blanks and line ends separate elements; braced
// and quoted elements keep their contents (empty ones too); backslash pairs
// are kept as written. Appends the elements to out and returns their count.
int zorakSplitList(std::string_view text, StringVector* out);
