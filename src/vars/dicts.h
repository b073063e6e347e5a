// Dictionaries. A dictionary value is a list text of alternating keys and
// values, passed around like any other text; a dictionary variable (type 7)
// keeps one hash_table entry per key and reads as the rendering of its
// table. The dict command converts between the two, and set turns its
// target into a dictionary variable when the command before it left a
// dictionary value as the result (result_kind 7).
#pragma once

#include "interp/interp.h"
#include "util/heap_text.h"

#include <memory>
#include <string>
#include <string_view>

struct hash_table;

// The result_kind that marks a dictionary value in the result.
constexpr int kDictResult = 7;
// Bucket counts: tables made by the dict subcommands, and by set and the
// temporary tables of merge, replace, remove and map.
constexpr int kDictBuckets = 100;
constexpr int kDictSmallBuckets = 50;

// Appends one key or value as dictionaries write them: "{}" when empty, in
// braces when it holds a space, a tab or a line end, otherwise as it is. A
// separating space goes first unless out is empty.
void zorakDictAppendWord(std::string* out, std::string_view word);
// The entries of table in its iteration order, key and value by key and value.
std::string zorakDictRenderTable(const hash_table& table);
// Splits a dictionary value into its items with the list splitter; the text
// "{}" (how an empty text reads through an alias) is an empty dictionary.
// Returns the item count.
int zorakDictSplit(std::string_view value, StringVector* items);
// The keys and value nested one level per key: "b {c 5}" for b c 5.
std::string zorakDictNest(int count, const char* const* keys, const char* value);

enum class NestedUpdate { Replaced, Missing, Inconsistent };
// Replaces the value at the key path inside a nested dictionary text. A key
// missing below the first level gets the rest of the path appended at that
// level; a first key that does not occur gives Missing. A level that is no
// dictionary (an odd item count) gives Inconsistent. Repeated keys: the
// first pair with the key is the one followed.
NestedUpdate zorakDictNestedUpdate(std::string_view nested, int count, const char* const* path,
                                   const char* value, std::string* out);
// The same as a fresh heap text, or null when the path does not occur.
char* dict_nested_update(const char* nested, int count, const char* const* path, const char* value);

enum class DictLookup { Found, Missing, Odd };
// The value of the first pair whose key equals key exactly in a dictionary
// value; Odd when the value has an odd item count.
DictLookup zorakDictLookup(std::string_view value, const char* key, std::string* found);
DictLookup zorakDictLookup(const char* value, const char* key, std::string* found);

// Every change to a dictionary variable's table goes through here, so that
// the cached rendering of a table is never shown after it changed.
void zorakDictChanged(Var* dict);
// A fresh heap text rendering a dictionary variable, or null for a variable
// that is not a dictionary or has no table.
char* dict_render(Interpreter* interp, Var* var);
std::shared_ptr<const std::string> zorakDictRenderShared(Var* var, uint64_t* stamp);
// 1 when the named variable is a dictionary (its table, if any, emptied).
int dict_clear(Interpreter* interp, const char* name);
// The dictionary record var stands for: var itself, or the end of its alias
// chain when that is a dictionary. Null when neither is one.
Var* zorakDictOf(Var* var);
// Makes the named variable a dictionary with a table of the given bucket
// count: a missing one is created, a plain one (and everything it aliases)
// is converted, a dictionary keeps its table. Null when the variable cannot
// hold a dictionary (constants, element aliases, other kinds).
Var* zorakDictMake(Interpreter* interp, const char* name, int buckets);
// Leaves the marker of a dictionary value on the result just set.
void zorakDictMarkResult(Interpreter* interp);
// The dictionary branch of set: name becomes a dictionary holding the pairs
// of value. Returns the completion code.
int zorakDictAssign(Interpreter* interp, const char* name, const char* value);

// Registers dict and plugs dictionaries into the variable layer.
void zorakRegisterDictCommands(Interpreter* interp);
