// The dict command. Subcommands that take a dictionary value split their
// argument as a list; those that take a dictionary variable work on its
// table. Every dict command first clears result_kind, and those that return
// a dictionary value set it, so that a set right after it makes its target
// a dictionary variable.
#include "vars/dicts.h"

#include "commands/list_core.h"
#include "console/console.h"
#include "interp/errors.h"
#include "interp/evaluator.h"
#include "interp/registry.h"
#include "util/heap_text.h"
#include "util/number_text.h"
#include "util/text.h"
#include "util/wildcard.h"
#include "vars/hash_table.h"
#include "vars/variables.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <string>

namespace {

const char* const kRule =
    "----------------------------------------------------------------------\n";

unsigned long long address(const void* p) {
    return static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(p));
}

int setText(Interpreter* interp, const std::string& text) {
    zorakSetResult(interp, text.c_str(), 0);
    return OK;
}

// A dictionary value as the result.
int setDictionary(Interpreter* interp, const std::string& text) {
    setText(interp, text);
    zorakDictMarkResult(interp);
    return OK;
}

bool isVariable(Interpreter* interp, const char* name) {
    return *name && zorakGetVar(interp, name, kScopeCurrent) != nullptr;
}

std::unique_ptr<hash_table> scratchTable() {
    auto table = std::unique_ptr<hash_table>(new (std::nothrow) hash_table(kDictSmallBuckets));
    if (table && !table->has_buckets()) table.reset();
    return table;
}

bool loadPairs(hash_table* table, const StringVector& items) {
    for (int i = 0; i + 1 < items.count; i += 2)
        if (!table->set(items.items[i], items.items[i + 1], true)) return false;
    return true;
}

int mismatchedPairs(Interpreter* interp, char** argv, int count) {
    zorakReportError(interp, "%s %s: Mismatched key/value pairs (%li)\n", argv[0], argv[1],
                     static_cast<long>(count));
    return ERROR;
}

int notDictionary(Interpreter* interp, char** argv, const char* name) {
    zorakReportError(interp, "%s %s: Variable '%s' is not a dictionary\n", argv[0], argv[1], name);
    return ERROR;
}

// The dictionary that dict set, lappend and append write to: a missing
// variable is created, an existing one must already be a dictionary. Null
// after a report.
Var* writableDict(Interpreter* interp, char** argv, const char* createFailure) {
    const char* name = argv[2];
    Var* var = zorakGetVar(interp, name, kScopeCurrent);
    if (var) {
        Var* dict = zorakDictOf(var);
        if (!dict) notDictionary(interp, argv, name);
        return dict;
    }
    Var* dict = zorakDictMake(interp, name, kDictBuckets);
    if (!dict) zorakReportError(interp, createFailure, argv[0], argv[1], name);
    return dict;
}

// ---------------------------------------------------------------- values

int dictCreate(Interpreter* interp, int argc, char** argv) {
    // An empty dictionary is a dictionary too: set makes its target one.
    if (argc == 2) return setDictionary(interp, "");
    // A lone key is reported as a missing value, like any odd count.
    if ((argc - 2) % 2) {
        zorakReportError(interp, "%s %s: Mismatched key/value pair\n", argv[0], argv[1]);
        return ERROR;
    }
    std::string out;
    for (int i = 2; i < argc; i++)
        zorakDictAppendWord(&out, argv[i]);
    return setDictionary(interp, out);
}

// get and filter: each key looks in the value found by the key before it.
int dictGet(Interpreter* interp, int argc, char** argv) {
    if (argc == 3) return setText(interp, argv[2]);
    // The value itself is searched in place; only the found values are copied.
    std::string found;
    for (int k = 3; k < argc; k++) {
        std::string next;
        DictLookup outcome = k == 3 ? zorakDictLookup(argv[2], argv[k], &next)
                                    : zorakDictLookup(std::string_view(found), argv[k], &next);
        if (outcome == DictLookup::Found) {
            found = std::move(next);
            continue;
        }
        zorakSetResult(interp, "", 0);
        // A variable's name where its value belongs is the likely slip.
        if (isVariable(interp, argv[2]))
            zorakReportError(interp, "%s %s: Received varname '%s', expected dict list rvalue\n",
                             argv[0], argv[1], argv[2]);
        else if (outcome == DictLookup::Odd)
            zorakReportError(interp, "%s %s: Missing value to go with key\n", argv[0], argv[1]);
        else
            zorakReportError(interp, "%s %s: Key '%s' not known in dictionary\n", argv[0], argv[1],
                             argv[k]);
        return ERROR;
    }
    return setText(interp, found);
}

int dictItem(Interpreter* interp, int argc, char** argv) {
    bool nocase = false, glob = false;
    const char* fallback = "";
    bool haveFallback = false;
    for (int i = 4; i < argc; i++) {
        if (zorakEqualNoCase(argv[i], "-nocase"))
            nocase = true;
        else if (zorakEqualNoCase(argv[i], "-glob"))
            glob = true;
        else if (!haveFallback) {
            fallback = argv[i];
            haveFallback = true;
        }
    }
    ScopedVector items;
    int count = zorakDictSplit(argv[2], &items.get());
    const char* key = argv[3];
    for (int i = 0; i + 1 < count; i += 2) {
        const char* candidate = items->items[i];
        bool match = glob     ? zorakWildcardMatch(key, candidate, nocase)
                     : nocase ? zorakEqualNoCase(key, candidate)
                              : std::strcmp(key, candidate) == 0;
        if (match) return setText(interp, items->items[i + 1]);
    }
    return setText(interp, fallback);
}

// keys and values: the keys matching the pattern (case ignored), or their values.
int dictKeys(Interpreter* interp, int argc, char** argv, bool values) {
    ScopedVector items;
    int count = zorakDictSplit(argv[2], &items.get());
    if (count % 2) return mismatchedPairs(interp, argv, count);
    const char* pattern = argc > 3 ? argv[3] : nullptr;
    std::string out;
    for (int i = 0; i + 1 < count; i += 2) {
        if (pattern && !zorakWildcardMatch(pattern, items->items[i], true)) continue;
        zorakDictAppendWord(&out, items->items[values ? i + 1 : i]);
    }
    return setText(interp, out);
}

int dictRemove(Interpreter* interp, int argc, char** argv) {
    if (argc == 3) return setText(interp, argv[2]);
    ScopedVector items;
    int count = zorakDictSplit(argv[2], &items.get());
    if (count % 2) return mismatchedPairs(interp, argv, count);
    auto table = scratchTable();
    if (!table || !loadPairs(table.get(), items.get())) return ERROR;
    for (int i = 3; i < argc; i++) {
        if (!table->erase(argv[i])) {
            zorakReportError(interp, "%s %s: Failed to remove key '%s'\n", argv[0], argv[1],
                             argv[i]);
            return ERROR;
        }
    }
    return setDictionary(interp, zorakDictRenderTable(*table));
}

int dictReplace(Interpreter* interp, int argc, char** argv) {
    if (argc == 3) return setText(interp, argv[2]);
    if ((argc - 3) % 2) return mismatchedPairs(interp, argv, argc - 3);
    ScopedVector items;
    int count = zorakDictSplit(argv[2], &items.get());
    if (count % 2) return mismatchedPairs(interp, argv, count);
    auto table = scratchTable();
    if (!table || !loadPairs(table.get(), items.get())) return ERROR;
    for (int i = 3; i + 1 < argc; i += 2)
        if (!table->set(argv[i], argv[i + 1], true)) return ERROR;
    return setDictionary(interp, zorakDictRenderTable(*table));
}

int dictMerge(Interpreter* interp, int argc, char** argv) {
    if (argc == 3) return setDictionary(interp, argv[2]);
    auto table = scratchTable();
    if (!table) return ERROR;
    for (int i = 2; i < argc; i++) {
        ScopedVector items;
        int count = zorakDictSplit(argv[i], &items.get());
        if (count % 2) {
            zorakReportError(interp, "%s %s: Missing value to go with key in '%s'\n", argv[0],
                             argv[1], argv[i]);
            return ERROR;
        }
        if (!loadPairs(table.get(), items.get())) return ERROR;
    }
    return setDictionary(interp, zorakDictRenderTable(*table));
}

// ---------------------------------------------------------------- variables

int dictSet(Interpreter* interp, int argc, char** argv) {
    const char* name = argv[2];
    Var* dict = writableDict(interp, argv, "%s %s: Can't create dictionary var '%s'\n");
    if (!dict) return ERROR;
    const char* key = argv[3];
    const char* value = argv[argc - 1];
    int pathCount = argc - 5;
    const char* const* path = argv + 4;
    auto unexpected = [&]() {
        zorakReportError(interp, "%s set:Unexpected error setting '%s'\n", argv[0], name);
        return ERROR;
    };
    if (!dict->table) return unexpected();
    std::string stored = value;
    const char* existing = nullptr;
    if (pathCount > 0) {
        if (!dict->table->get(key, &existing)) {
            stored = zorakDictNest(pathCount, path, value);
        } else {
            std::string current = existing ? existing : "";
            NestedUpdate outcome = zorakDictNestedUpdate(current, pathCount, path, value, &stored);
            if (outcome == NestedUpdate::Inconsistent) return unexpected();
            if (outcome == NestedUpdate::Missing) {
                stored = current;
                if (!stored.empty()) stored.push_back(' ');
                stored += zorakDictNest(pathCount, path, value);
            }
        }
    }
    zorakDictChanged(dict);
    if (!dict->table->set(key, stored.c_str(), true)) return unexpected();
    std::string out = key;
    zorakDictAppendWord(&out, stored);
    return setText(interp, out);
}

int dictUnset(Interpreter* interp, int argc, char** argv) {
    Var* dict = zorakDictOf(zorakGetVar(interp, argv[2], kScopeCurrent));
    if (!dict) return notDictionary(interp, argv, argv[2]);
    if (!dict->table) return OK;
    zorakDictChanged(dict);
    for (int i = 3; i < argc; i++)
        dict->table->erase(argv[i]);
    return setDictionary(interp, zorakDictRenderTable(*dict->table));
}

int dictExists(Interpreter* interp, int argc, char** argv) {
    Var* dict = zorakDictOf(zorakGetVar(interp, argv[2], kScopeCurrent));
    if (!dict || !dict->table) return setText(interp, "0");
    if (argc == 3) return setText(interp, "1");
    // Any one of the keys is enough.
    for (int i = 3; i < argc; i++)
        if (dict->table->get(argv[i], nullptr)) return setText(interp, "1");
    return setText(interp, "0");
}

int dictSize(Interpreter* interp, int argc, char** argv) {
    if (argc != 3) return zorakWrongArgs(interp, argc, argv);
    Var* var = zorakGetVar(interp, argv[2], kScopeCurrent);
    if (!var) {
        ScopedVector items;
        int count = zorakDictSplit(argv[2], &items.get());
        if (count % 2) {
            zorakReportError(interp, "%s %s: Mismatched key/value pair in '%s'\n", argv[0], argv[1],
                             argv[2]);
            return ERROR;
        }
        return setText(interp, std::to_string(count / 2));
    }
    Var* dict = zorakDictOf(var);
    if (!dict || !dict->table) {
        zorakReportError(interp, "%s %s: Not a dictionary\n", argv[0], argv[1]);
        return ERROR;
    }
    return setText(interp, std::to_string(dict->table->entry_count()));
}

int dictLappend(Interpreter* interp, int argc, char** argv) {
    Var* dict = writableDict(interp, argv, "%s %s: Dictionary variable '%s' not found\n");
    if (!dict) return ERROR;
    if (!dict->table) return ERROR;
    const char* existing = nullptr;
    std::string value = dict->table->get(argv[3], &existing) && existing ? existing : "";
    for (int i = 4; i < argc; i++)
        zorakDictAppendWord(&value, argv[i]);
    zorakDictChanged(dict);
    if (!dict->table->set(argv[3], value.c_str(), true)) {
        zorakReportError(interp, "%s %s: Failed to set key '%s' in dictionary '%s'\n", argv[0],
                         argv[1], argv[3], argv[2]);
        return ERROR;
    }
    return setDictionary(interp, zorakDictRenderTable(*dict->table));
}

int dictAppend(Interpreter* interp, int argc, char** argv) {
    Var* dict = writableDict(interp, argv, "%s %s: Dictionary variable '%s' not found\n");
    if (!dict) return ERROR;
    const char* existing = nullptr;
    std::string value =
        dict->table && dict->table->get(argv[3], &existing) && existing ? existing : "";
    for (int i = 4; i < argc; i++)
        value += argv[i];
    zorakDictChanged(dict);
    if (!dict->table || !dict->table->set(argv[3], value.c_str(), true)) {
        zorakReportError(interp, "%s %s: Failed to set key '%s' in dictionary '%s'\n", argv[0],
                         argv[1], argv[3], argv[2]);
        zorakSetResult(interp, "", 0);
        return ERROR;
    }
    std::string out = argv[3];
    zorakDictAppendWord(&out, value);
    return setDictionary(interp, out);
}

int dictClear(Interpreter* interp, int argc, char** argv) {
    bool complain = true;
    for (int i = 2; i < argc; i++)
        if (zorakEqualNoCase(argv[i], "-nocomplain")) complain = false;
    long cleared = 0;
    for (int i = 2; i < argc; i++) {
        if (zorakEqualNoCase(argv[i], "-nocomplain")) continue;
        if (dict_clear(interp, argv[i])) {
            cleared++;
            continue;
        }
        if (complain) {
            zorakReportError(interp, "%s %s: Failed to clear dictionary '%s'\n", argv[0], argv[1],
                             argv[i]);
            return ERROR;
        }
    }
    return setText(interp, std::to_string(cleared));
}

// ---------------------------------------------------------------- scripts

struct Iterators {
    std::string key;
    std::string value;
};

// The {keyVar valueVar} word: two names, neither an existing variable of
// another kind than a plain one.
bool readIterators(Interpreter* interp, char** argv, const char* countMessage, Iterators* out) {
    ScopedVector names;
    int count = zorakSplitList(argv[2], &names.get());
    if (count != 2) {
        zorakReportError(interp, countMessage, argv[0], argv[1], static_cast<long>(count));
        return false;
    }
    out->key = names->items[0];
    out->value = names->items[1];
    Var* var = zorakGetVar(interp, out->key.c_str(), kScopeCurrent);
    if (var && var->type != VT_AUTO) {
        zorakReportError(interp, "%s %s: keyVariable exists and is not an auto type\n", argv[0],
                         argv[1]);
        return false;
    }
    var = zorakGetVar(interp, out->value.c_str(), kScopeCurrent);
    if (var && var->type != VT_AUTO) {
        zorakReportError(interp, "%s %s: valueVariable exists and is not an auto type\n", argv[0],
                         argv[1]);
        return false;
    }
    return true;
}

bool assignIterators(Interpreter* interp, char** argv, const Iterators& names, const char* key,
                     const char* value) {
    if (set_var(interp, names.key.c_str(), key)) {
        zorakReportError(interp, "%s %s: Failed to set keyVariable '%s'\n", argv[0], argv[1],
                         names.key.c_str());
        return false;
    }
    if (set_var(interp, names.value.c_str(), value)) {
        zorakReportError(interp, "%s %s: Failed to set valueVariable '%s'\n", argv[0], argv[1],
                         names.value.c_str());
        return false;
    }
    return true;
}

// An error in the body goes on with the next pair; the code of the last
// body is the command's. The loop consumes BREAK and CONTINUE like every
// other loop, so they never leak into the loop around it.
int dictFor(Interpreter* interp, int argc, char** argv) {
    if (argc != 5) return zorakWrongArgs(interp, argc, argv);
    Iterators names;
    if (!readIterators(interp, argv, "%s %s: Incorrect number of iterator variables (%li)\n",
                       &names))
        return ERROR;
    ScopedVector items;
    int count = zorakDictSplit(argv[3], &items.get());
    if (count % 2) return mismatchedPairs(interp, argv, count);
    std::string body = argv[4];
    int code = OK;
    for (int i = 0; i + 1 < count; i += 2) {
        if (!assignIterators(interp, argv, names, items->items[i], items->items[i + 1]))
            return ERROR;
        code = kuvetEval(interp, body.c_str(), 0, 0);
        if (code == BREAK || code == RETURN || code == EXIT || code == STOP) break;
    }
    if (code == BREAK || code == CONTINUE) code = OK;
    zorakSetResult(interp, "", 0);
    return code;
}

int dictMap(Interpreter* interp, char** argv) {
    Iterators names;
    if (!readIterators(interp, argv,
                       "%s %s: Expected list pair for keyVariable + valueVariable (found %li)\n",
                       &names))
        return ERROR;
    ScopedVector items;
    int count = zorakDictSplit(argv[3], &items.get());
    if (count % 2) return mismatchedPairs(interp, argv, count);
    auto table = scratchTable();
    if (!table || !loadPairs(table.get(), items.get())) return ERROR;
    std::string body = argv[4];
    for (int i = 0; i + 1 < count; i += 2) {
        if (!assignIterators(interp, argv, names, items->items[i], items->items[i + 1]))
            return ERROR;
        int code = kuvetEval(interp, body.c_str(), 0, 0);
        if (code == CONTINUE) continue;
        // BREAK ends the mapping early; the pairs not reached stay as they were.
        if (code == BREAK) break;
        if (code != OK) return code;
        Var* key = zorakGetVar(interp, names.key.c_str(), kScopeCurrent);
        if (!key) {
            zorakReportError(interp, "%s %s: Failed to access keyVariable '%s'\n", argv[0], argv[1],
                             names.key.c_str());
            return ERROR;
        }
        std::string keyText = key->value ? key->value : "";
        Var* value = zorakGetVar(interp, names.value.c_str(), kScopeCurrent);
        if (!value) {
            zorakReportError(interp, "%s %s: Failed to access valueVariable '%s'\n", argv[0],
                             argv[1], names.value.c_str());
            return ERROR;
        }
        if (!table->set(keyText.c_str(), value->value ? value->value : "", true)) return ERROR;
    }
    return setDictionary(interp, zorakDictRenderTable(*table));
}

int dictWith(Interpreter* interp, int argc, char** argv) {
    bool unsetAfter = false;
    const char* body = nullptr;
    for (int i = 3; i < argc; i++) {
        if (zorakEqualNoCase(argv[i], "-unset"))
            unsetAfter = true;
        else
            body = argv[i];
    }
    Var* var = zorakGetVar(interp, argv[2], kScopeCurrent);
    if (!var) {
        zorakReportError(interp, "%s %s: Variable '%s' not found\n", argv[0], argv[1], argv[2]);
        return ERROR;
    }
    // A dictionary variable's own value is only its "<dict>" marker; its
    // pairs are in the table.
    HeapText rendered(dict_render(interp, var));
    const char* text = rendered.get() ? rendered.get() : var->value;
    if (!text || !body) {
        zorakReportError(interp, "%s %s: Unexpected error\n", argv[0], argv[1]);
        return ERROR;
    }
    ScopedVector items;
    int count = zorakDictSplit(text, &items.get());
    if (count % 2) return mismatchedPairs(interp, argv, count);
    for (int i = 0; i + 1 < count; i += 2) {
        if (set_var(interp, items->items[i], items->items[i + 1])) {
            zorakReportError(interp, "%s %s: Failed to set '%s'\n", argv[0], argv[1],
                             items->items[i]);
            return ERROR;
        }
    }
    std::string script = body;
    int code = kuvetEval(interp, script.c_str(), 0, 0);
    if (!unsetAfter) return code;
    HeapText result(zorakStrDup(interp->result));
    for (int i = 0; i + 1 < count; i += 2) {
        char word[] = "unset", nocomplain[] = "-nocomplain";
        char* words[] = {word, items->items[i], nocomplain, nullptr};
        if (zorakCommandUnset(interp, 3, words, nullptr) != OK) {
            zorakReportError(interp, "%s %s: Failed to unset '%s'\n", argv[0], argv[1],
                             items->items[i]);
            return ERROR;
        }
    }
    zorakSetResult(interp, result.get(), 0);
    return code;
}

// ---------------------------------------------------------------- reports

int32_t limitWord(int argc, char** argv, int from) {
    for (int i = from; i < argc; i++) {
        if (argv[i][0] == '-' && !zorakIsDecimalNumber(argv[i])) continue;
        int64_t limit = zorakLeadingInt(argv[i]);
        return limit > INT32_MAX ? INT32_MAX : limit < 0 ? 0 : static_cast<int32_t>(limit);
    }
    return 0;
}

int dictWalk(Interpreter* interp, int argc, char** argv) {
    Var* dict = zorakDictOf(zorakGetVar(interp, argv[2], kScopeCurrent));
    if (!dict || !dict->table) {
        zorakReportError(interp, "%s %s: Dictionary variable '%s' not found\n", argv[0], argv[1],
                         argv[2]);
        return ERROR;
    }
    bool bare = false;
    for (int i = 3; i < argc; i++)
        if (zorakEqualNoCase(argv[i], "-bare")) bare = true;
    dict->table->print_contents(limitWord(argc, argv, 3), false, bare);
    return OK;
}

int dictInfo(Interpreter* interp, char** argv) {
    Var* dict = zorakDictOf(zorakGetVar(interp, argv[2], kScopeCurrent));
    if (!dict || !dict->table) return ERROR;
    console_printf("Dictionary '%s' at address 0x%llx %i item(s)\n", argv[2], address(dict),
                   static_cast<int>(dict->table->entry_count()));
    dict->table->print_statistics();
    return OK;
}

int dictDebug(Interpreter* interp, int argc, char** argv) {
    Var* var = zorakGetVar(interp, argv[2], kScopeCurrent);
    console_printf("%s", kRule);
    console_printf("Dict object\t0x%llx (%.40s)\n", address(var), argv[2]);
    if (var) {
        console_printf("this->next\t0x%llx\n", address(var->next));
        console_printf("this->parent\t0x%llx\n", address(var->parent));
        console_printf("this->val\t%.50s\n", var->value ? var->value : "");
        console_printf("this->table\t0x%llx\n", address(var->table));
        if (var->table) var->table->print_internals(limitWord(argc, argv, 3));
    }
    console_printf("%s", kRule);
    return OK;
}

// ---------------------------------------------------------------- dispatch

struct Subcommand {
    const char* name;
    int min_words;
};

const Subcommand kSubcommands[] = {
    {"create", 2}, {"get", 3},     {"filter", 3}, {"item", 4},   {"set", 5},    {"unset", 3},
    {"exists", 3}, {"size", 3},    {"keys", 3},   {"values", 3}, {"remove", 3}, {"replace", 3},
    {"merge", 3},  {"lappend", 4}, {"append", 4}, {"for", 5},    {"map", 5},    {"with", 4},
    {"clear", 3},  {"walk", 3},    {"info", 3},   {"debug", 3}};

int zorakCommandDict(Interpreter* interp, int argc, char** argv, void*) {
    interp->result_kind = 0;
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    const Subcommand* sub = nullptr;
    for (const Subcommand& s : kSubcommands)
        if (zorakEqualNoCase(argv[1], s.name)) sub = &s;
    if (!sub) {
        zorakReportError(interp, "%s: Unknown option '%s'\n", argv[0], argv[1]);
        return ERROR;
    }
    if (argc < sub->min_words) return zorakWrongArgs(interp, argc, argv);
    std::string_view name = sub->name;
    if (name == "create") return dictCreate(interp, argc, argv);
    if (name == "get" || name == "filter") return dictGet(interp, argc, argv);
    if (name == "item") return dictItem(interp, argc, argv);
    if (name == "set") return dictSet(interp, argc, argv);
    if (name == "unset") return dictUnset(interp, argc, argv);
    if (name == "exists") return dictExists(interp, argc, argv);
    if (name == "size") return dictSize(interp, argc, argv);
    if (name == "keys") return dictKeys(interp, argc, argv, false);
    if (name == "values") return dictKeys(interp, argc, argv, true);
    if (name == "remove") return dictRemove(interp, argc, argv);
    if (name == "replace") return dictReplace(interp, argc, argv);
    if (name == "merge") return dictMerge(interp, argc, argv);
    if (name == "lappend") return dictLappend(interp, argc, argv);
    if (name == "append") return dictAppend(interp, argc, argv);
    if (name == "for") return dictFor(interp, argc, argv);
    if (name == "map") return dictMap(interp, argv);
    if (name == "with") return dictWith(interp, argc, argv);
    if (name == "clear") return dictClear(interp, argc, argv);
    if (name == "walk") return dictWalk(interp, argc, argv);
    if (name == "info") return dictInfo(interp, argv);
    return dictDebug(interp, argc, argv);
}

} // namespace

void zorakRegisterDictCommands(Interpreter* interp) {
    zorakVarHooks.dict_render = dict_render;
    zorakVarHooks.dict_render_shared = zorakDictRenderShared;
    zorakVarHooks.dict_assign = zorakDictAssign;
    zorakRegisterCommand(interp, "dict", zorakCommandDict, nullptr, 0);
    zorakLendWordsTo(zorakCommandDict, [](int argc, char** argv) {
        return argc > 1 &&
               (zorakEqualNoCase(argv[1], "get") || zorakEqualNoCase(argv[1], "filter"));
    });
}
