// The shared routines that fix how lists are written and read: the list
// builder, the element scanner and the element splitter. Every command that
// builds or parses a list goes through these; no other list parser exists.
#pragma once

#include "util/heap_text.h"

#include <string>
#include <string_view>
#include <vector>

// ---------------------------------------------------------------- builder

// Appends one word as the list builder writes it: an empty word as "{}", a
// word whose first character is "{" unchanged, a word holding a space or a
// tab in braces, any other word unchanged (nothing is escaped). A separating
// space goes first unless out is empty.
void zorakListAppendWord(std::string* out, std::string_view word);
// The list builder over the first count words; no words give "".
std::string zorakBuildList(int count, const char* const* words);
// The same as a fresh heap text.
char* zorakBuildListText(int count, const char* const* words);

// Appends one element the way the range and join commands write them: in
// braces when it holds a space (or, with tabs, a tab), otherwise as it is,
// an empty element included. A separating space goes first unless first.
void zorakListAppendBraced(std::string* out, std::string_view element, bool first,
                           bool tabs = true);

// ---------------------------------------------------------------- scanner

struct ListScanOptions {
    // Elements are counted and not stored.
    bool count_only = false;
    // Empty elements written as {} or "" are kept.
    bool keep_empty = false;
};

// The element scanner: the reader of llength, lindex, lsort, foreach and the
// other commands that count elements. Tabs outside braces and quotes are
// dropped; braces group and nest; double quotes group at brace depth 0.
// Appends the elements to out (which may be null) and returns their count.
// *quote_line_end, when given, is set when a closing quote is followed
// directly by a line end.
int zorakScanList(std::string_view text, StringVector* out, const ListScanOptions& options,
                  bool* quote_line_end = nullptr);

// ---------------------------------------------------------------- splitter

// The element splitter: tabs, blanks and line ends separate elements; braced
// and quoted elements keep their contents (empty ones too); backslash pairs
// are kept as written. Appends the elements to out (null: count only) and
// returns their count.
int zorakSplitList(std::string_view text, StringVector* out);

// The field cutter of split: cuts text at each of the separator characters
// (or, literal, at every occurrence of the separator string), keeping empty
// fields; empty separators give one field per character.
std::vector<std::string> zorakSplitFields(std::string_view text, std::string_view chars,
                                          bool literal);

// ---------------------------------------------------------------- commands

struct Interpreter;
// Registers every list command (list_commands.cpp and list_search.cpp).
void zorakRegisterListCommands(Interpreter* interp);
void zorakRegisterListSearchCommands(Interpreter* interp);
