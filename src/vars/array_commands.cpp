// The array commands: dim, array_set, array with its subcommands,
// array_foreach, array_to_list, list_to_array, array_to_string and
// string_to_array. Every listing walks the table in its own iteration
// order, which scripts see; only "array sort" reorders.
#include "vars/array_commands.h"

#include "commands/list_core.h"
#include "console/console.h"
#include "interp/errors.h"
#include "interp/evaluator.h"
#include "interp/registry.h"
#include "shell/settings.h"
#include "util/heap_text.h"
#include "util/number_text.h"
#include "util/text.h"
#include "util/wildcard.h"
#include "vars/arrays.h"
#include "vars/hash_table.h"
#include "vars/variables.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The largest bucket array a script may ask dim for.
constexpr int64_t kMaxBuckets = int64_t{1} << 22;

bool verbose() {
    return zorakSettings.debug || zorakSettings.error_echo;
}

int setText(Interpreter* interp, const std::string& text) {
    zorakSetResult(interp, text.c_str(), 0);
    return OK;
}

std::string decimal(int64_t n) {
    return std::to_string(n);
}

// The most elements one command fills in a single call.
constexpr int64_t kMaxFill = int64_t{1} << 24;

// Numbered keys start .. start+count-1 must stay inside the 64-bit range.
bool keysFit(Interpreter* interp, const char* command, int64_t start, int64_t count) {
    if (count <= 0 || start <= INT64_MAX - (count - 1)) return true;
    zorakReportError(interp, "%s: Index %lli out of range\n", command,
                     static_cast<long long>(start));
    return false;
}

// An item of a listing: in braces when it holds a space or a tab.
void appendItem(std::string* out, const char* item) {
    bool wrap = std::strpbrk(item, " \t") != nullptr;
    if (wrap) out->push_back('{');
    out->append(item);
    if (wrap) out->push_back('}');
}

Var* arrayVar(Interpreter* interp, const char* name) {
    Var* var = zorakGetVar(interp, name, kScopeCurrent);
    return var && var->type == VT_ARRAY && var->table ? var : nullptr;
}

// A snapshot of an array's elements in iteration order; a script run for
// each element may change the array without disturbing the walk.
struct Elements {
    ScopedVector keys;
    ScopedVector values;
    int count() { return keys->count; }
};

void collect(const hash_table* table, Elements* out) {
    table->collect_pairs(&out->keys.get(), &out->values.get());
}

// A fresh array variable with a table of the given bucket count.
Var* createArray(Interpreter* interp, const char* name, int64_t buckets) {
    if (set_var(interp, name, "<array>")) return nullptr;
    Var* var = zorakGetVar(interp, name, kScopeCurrent);
    if (!var) return nullptr;
    if (buckets < 1) buckets = 1;
    if (buckets > kMaxBuckets) buckets = kMaxBuckets;
    auto* table = new hash_table(static_cast<int32_t>(buckets));
    if (!table->has_buckets()) {
        delete table;
        return nullptr;
    }
    var->type = VT_ARRAY;
    var->table = table;
    return var;
}

// The options every array subcommand may carry anywhere among its words.
struct ArrayFlags {
    bool complain = true;
    bool pair = false;
    bool nocase = false;
};

ArrayFlags readFlags(int argc, char** argv) {
    ArrayFlags flags;
    for (int i = 1; i < argc; i++) {
        if (zorakEqualNoCase(argv[i], "-nocomplain"))
            flags.complain = false;
        else if (zorakEqualNoCase(argv[i], "-pair"))
            flags.pair = true;
        else if (zorakEqualNoCase(argv[i], "-nocase"))
            flags.nocase = true;
    }
    return flags;
}

// The words from first on that are no options.
std::vector<const char*> plainWords(int argc, char** argv, int first) {
    std::vector<const char*> words;
    for (int i = first; i < argc; i++)
        if (argv[i][0] != '-') words.push_back(argv[i]);
    return words;
}

bool hasOption(int argc, char** argv, int first, const char* option) {
    for (int i = first; i < argc; i++)
        if (zorakEqualNoCase(argv[i], option)) return true;
    return false;
}

// The value word after an option, or null.
const char* optionValue(int argc, char** argv, int first, const char* option) {
    for (int i = first; i + 1 < argc; i++)
        if (zorakEqualNoCase(argv[i], option)) return argv[i + 1];
    return nullptr;
}

// A missing array: a message when complaining and errors echo, and 1.
int missingArray(Interpreter* interp, const ArrayFlags& flags, const char* format,
                 const char* command, const char* sub, const char* name) {
    if (flags.complain && verbose()) zorakReportError(interp, format, command, sub, name);
    return ERROR;
}

// ---------------------------------------------------------------- subcommands

int arrayExists(Interpreter* interp, char** argv) {
    const char* word = argv[2];
    const char* open = std::strchr(word, '(');
    if (!open) {
        Var* var = zorakGetVar(interp, word, kScopeCurrent);
        return setText(interp, var && var->table ? "1" : "0");
    }
    const char* close = std::strrchr(open, ')');
    if (!close || close == open + 1) {
        zorakReportError(interp, "%s %s: Syntax error '%s'\n", argv[0], argv[1], word);
        zorakSetResult(interp, "0", 0);
        return ERROR;
    }
    std::string name(word, static_cast<size_t>(open - word));
    std::string key(open + 1, static_cast<size_t>(close - open - 1));
    Var* var = zorakGetVar(interp, name.c_str(), kScopeCurrent);
    bool found = false;
    if (var && var->table)
        found = var->ignore_case ? var->table->find_linear(key.c_str(), nullptr, true)
                                 : var->table->get(key.c_str(), nullptr);
    return setText(interp, found ? "1" : "0");
}

bool keyListed(const char* key, const char* pattern, bool exact, bool nocase) {
    if (!pattern) return true;
    if (exact) return nocase ? zorakEqualNoCase(key, pattern) : std::strcmp(key, pattern) == 0;
    return zorakWildcardMatch(pattern, key, nocase);
}

// names and get.
int arrayNames(Interpreter* interp, int argc, char** argv, bool withValues) {
    ArrayFlags flags = readFlags(argc, argv);
    Var* var = arrayVar(interp, argv[2]);
    if (!var)
        return missingArray(interp, flags,
                            withValues ? "%s %s: No array variable '%s'\n"
                                       : "%s %s: No such array variable '%s'\n",
                            argv[0], argv[1], argv[2]);
    if (var->table->entry_count() == 0) return ERROR;
    std::vector<const char*> words = plainWords(argc, argv, 3);
    const char* pattern = words.empty() ? nullptr : words[0];
    bool exact = hasOption(argc, argv, 3, "-exact");
    bool nocase = flags.nocase || var->ignore_case;
    Elements elements;
    collect(var->table, &elements);
    std::string out;
    bool first = true;
    for (int i = 0; i < elements.count(); i++) {
        const char* key = elements.keys->items[i];
        if (!keyListed(key, pattern, exact, nocase)) continue;
        if (flags.pair) {
            out += '{';
            out += key;
            if (withValues) {
                out += ' ';
                appendItem(&out, elements.values->items[i]);
            }
            out += "} ";
            continue;
        }
        if (!first) out += ' ';
        first = false;
        appendItem(&out, key);
        if (withValues) {
            out += ' ';
            appendItem(&out, elements.values->items[i]);
        }
    }
    return setText(interp, out);
}

int arraySize(Interpreter* interp, char** argv) {
    Var* var = zorakGetVar(interp, argv[2], kScopeCurrent);
    if (!var || !var->table) return OK;
    return setText(interp, decimal(var->table->entry_count()));
}

int arrayTrim(Interpreter* interp, int argc, char** argv) {
    Var* var = zorakGetVar(interp, argv[2], kScopeCurrent);
    if (!var || !var->table) {
        zorakReportError(interp, "%s %s: Invalid array\n", argv[0], argv[1]);
        return ERROR;
    }
    int mode = 0;
    if (argc > 3 && zorakEqualNoCase(argv[argc - 1], "-left")) mode = 1;
    if (argc > 3 && zorakEqualNoCase(argv[argc - 1], "-right")) mode = 2;
    std::vector<const char*> words = plainWords(argc, argv, 3);
    var->table->trim_values(words.empty() ? nullptr : words[0], mode);
    return OK;
}

// list and sort: the values (or keys), stored, assigned or returned.
int arrayList(Interpreter* interp, int argc, char** argv, bool sorted) {
    ArrayFlags flags = readFlags(argc, argv);
    Var* var = arrayVar(interp, argv[2]);
    if (!var)
        return missingArray(interp, flags, "%s %s: No such array variable '%s'\n", argv[0], argv[1],
                            argv[2]);
    bool names = hasOption(argc, argv, 3, "-names");
    const char* target = optionValue(argc, argv, 3, "-array");
    const char* assignTo = nullptr;
    for (int i = 3; i < argc; i++) {
        if (argv[i][0] == '-') {
            if (zorakEqualNoCase(argv[i], "-array")) i++;
            continue;
        }
        assignTo = argv[i];
        break;
    }
    Elements elements;
    collect(var->table, &elements);
    StringVector& items = names ? elements.keys.get() : elements.values.get();
    if (sorted) {
        bool reverse = hasOption(argc, argv, 3, "-reverse");
        std::stable_sort(items.items, items.items + items.count,
                         [reverse](const char* a, const char* b) {
                             int cmp = 0;
                             for (size_t i = 0;; i++) {
                                 int x = std::tolower(static_cast<unsigned char>(a[i]));
                                 int y = std::tolower(static_cast<unsigned char>(b[i]));
                                 if (x != y || !x) {
                                     cmp = x - y;
                                     break;
                                 }
                             }
                             return reverse ? cmp > 0 : cmp < 0;
                         });
    }
    if (target) {
        for (int i = 0; i < items.count; i++) {
            std::string key = decimal(i);
            if (array_set_element(interp, target, key.c_str(), items.items[i], 0, 0)) {
                zorakReportError(interp, "array sort: Failed to write %s(%li)\n", target,
                                 static_cast<long>(i));
                return ERROR;
            }
        }
        return setText(interp, decimal(items.count));
    }
    std::string out;
    for (int i = 0; i < items.count; i++) {
        if (i) out += ' ';
        appendItem(&out, items.items[i]);
    }
    if (assignTo) {
        if (set_var(interp, assignTo, out.c_str())) return ERROR;
        return setText(interp, decimal(items.count));
    }
    return setText(interp, out);
}

int arrayStatistics(Interpreter* interp, int argc, char** argv) {
    ArrayFlags flags = readFlags(argc, argv);
    Var* var = arrayVar(interp, argv[2]);
    if (!var)
        return missingArray(interp, flags, "%s %s: No such array '%s'\n", argv[0], argv[1],
                            argv[2]);
    var->table->print_statistics();
    return OK;
}

int arrayUnset(Interpreter* interp, int argc, char** argv) {
    ArrayFlags flags = readFlags(argc, argv);
    bool allowConst = hasOption(argc, argv, 2, "-const");
    long removed = 0;
    for (int i = 2; i < argc; i++) {
        const char* word = argv[i];
        if (word[0] == '-') continue;
        const char* open = std::strchr(word, '(');
        if (open) {
            const char* close = std::strchr(open, ')');
            if (!close || close - open < 2) {
                zorakReportError(interp, "%s %s: %s Syntax error\n", argv[0], argv[1], word);
                zorakSetResult(interp, "0", 0);
                return ERROR;
            }
            std::string unsetWord = "unset", nocomplain = "-nocomplain", element = word;
            char* words[] = {unsetWord.data(), element.data(), nocomplain.data(), nullptr};
            int code = zorakCommandUnset(interp, flags.complain ? 2 : 3, words, nullptr);
            if (code != OK && flags.complain) {
                zorakSetResult(interp, "0", 0);
                return ERROR;
            }
            if (code == OK && interp->result && std::strcmp(interp->result, "1") == 0) removed++;
            continue;
        }
        if (array_unset_worker(interp, word, flags.complain, allowConst) != 0) {
            if (!flags.complain) continue;
            zorakSetResult(interp, "0", 0);
            return ERROR;
        }
        removed++;
    }
    return setText(interp, decimal(removed));
}

int arrayWalk(Interpreter* interp, int argc, char** argv) {
    Var* var = zorakGetVar(interp, argv[2], kScopeCurrent);
    if (!var || var->type != VT_ARRAY || !var->table) {
        zorakReportError(interp, "%s %s: Variable '%s' not found\n", argv[0], argv[1], argv[2]);
        return ERROR;
    }
    std::vector<const char*> words = plainWords(argc, argv, 3);
    int64_t limit = words.empty() ? 0 : zorakLeadingInt(words[0]);
    if (!hasOption(argc, argv, 3, "-integer")) {
        int32_t bounded = limit > INT32_MAX ? INT32_MAX
                          : limit < 0       ? 0
                                            : static_cast<int32_t>(limit);
        var->table->print_contents(bounded, zorakLibrary.cgi_mode != 0,
                                   hasOption(argc, argv, 3, "-bare"));
        return OK;
    }
    int64_t count = var->table->entry_count();
    console_printf("ARRAY WALK: %s (%li elements)\n\n", argv[2], static_cast<long>(count));
    int64_t end = limit > 0 && limit < count ? limit : count;
    for (int64_t i = 0; i < end; i++) {
        const char* value = nullptr;
        if (var->table->get(decimal(i).c_str(), &value))
            console_printf("%li:\t'%s'\n", static_cast<long>(i), value ? value : "");
    }
    return OK;
}

int arrayItem(Interpreter* interp, int argc, char** argv) {
    ArrayFlags flags = readFlags(argc, argv);
    std::vector<const char*> words = plainWords(argc, argv, 2);
    const char* fallback = words.size() > 2 ? words[2] : "";
    Var* var = zorakGetVar(interp, argv[2], kScopeCurrent);
    if (!var) {
        if (!flags.complain) return setText(interp, fallback);
        zorakSetResult(interp, "", 0);
        if (verbose())
            zorakReportError(interp, "%s %s: Array '%s' not found (Use -nocomplain)\n", argv[0],
                             argv[1], argv[2]);
        return ERROR;
    }
    if (!var->table) {
        zorakReportError(interp, "array item: Empty variable\n");
        return ERROR;
    }
    const char* value = nullptr;
    if (var->table->find_linear(argv[3], &value, flags.nocase))
        return setText(interp, value ? value : "");
    return setText(interp, fallback);
}

int arrayFind(Interpreter* interp, int argc, char** argv) {
    ArrayFlags flags = readFlags(argc, argv);
    Var* var = arrayVar(interp, argv[2]);
    if (!var) {
        zorakReportError(interp, "%s %s: Array '%s' not found\n", argv[0], argv[1], argv[2]);
        return ERROR;
    }
    int64_t occurrence = 0;
    for (int i = 4; i < argc; i++) {
        if (zorakEqualNoCase(argv[i], "-length")) {
            i++;
            continue;
        }
        if (argv[i][0] != '-') {
            occurrence = zorakLeadingInt(argv[i]);
            break;
        }
    }
    const char* lengthWord = optionValue(argc, argv, 4, "-length");
    int64_t length = lengthWord ? zorakLeadingInt(lengthWord) : 0;
    auto bound = [](int64_t n) {
        return static_cast<int32_t>(n < 0 ? 0 : n > INT32_MAX ? INT32_MAX : n);
    };
    const char* key =
        var->table->find_key_by_value(argv[3], flags.nocase, bound(length), bound(occurrence));
    return setText(interp, key ? key : "");
}

int arraySetint(Interpreter* interp, int argc, char** argv) {
    bool isConst = hasOption(argc, argv, 3, "-const");
    bool nocase = hasOption(argc, argv, 3, "-nocase");
    const char* baseWord = optionValue(argc, argv, 3, "-base");
    int64_t base = baseWord ? zorakLeadingInt(baseWord) : 0;
    if (base < 0) base = 0;
    std::vector<const char*> lists;
    for (int i = 3; i < argc; i++) {
        if (zorakEqualNoCase(argv[i], "-base")) {
            i++;
            continue;
        }
        if (zorakEqualNoCase(argv[i], "-const") || zorakEqualNoCase(argv[i], "-nocase")) continue;
        lists.push_back(argv[i]);
    }
    if (lists.empty()) {
        zorakReportError(interp, "%s %s: Requires at least 1 list item\n", argv[0], argv[1]);
        return ERROR;
    }
    for (size_t k = 0; k < lists.size(); k++) {
        long count = 0;
        int code = array_setint_worker(interp, argv[2], lists[k], &count, base, isConst, nocase);
        if (code != OK) {
            zorakReportError(interp, "%s %s: Error setting '%s' using '%.40s'... (arg %li)\n",
                             argv[0], argv[1], argv[2], lists[k], static_cast<long>(k + 3));
            return code;
        }
        if (__builtin_add_overflow(base, static_cast<int64_t>(count), &base) &&
            k + 1 < lists.size()) {
            zorakReportError(interp, "%s %s: Index %s out of range\n", argv[0], argv[1],
                             "past 9223372036854775807");
            return ERROR;
        }
    }
    return OK;
}

int arrayBlank(Interpreter* interp, int argc, char** argv) {
    std::vector<const char*> words;
    for (int i = 3; i < argc; i++) {
        if (zorakEqualNoCase(argv[i], "-start")) {
            i++;
            continue;
        }
        words.push_back(argv[i]);
    }
    int64_t count = words.empty() ? 0 : zorakLeadingInt(words[0]);
    const char* value = words.size() > 1 ? words[1] : "";
    const char* startWord = optionValue(argc, argv, 3, "-start");
    int64_t start = startWord ? zorakLeadingInt(startWord) : 0;
    if (count > kMaxFill) {
        zorakReportError(interp, "%s %s: Count too large (%lli)\n", argv[0], argv[1],
                         static_cast<long long>(count));
        return ERROR;
    }
    if (!keysFit(interp, "array blank", start, count)) return ERROR;
    int64_t made = 0;
    for (int64_t i = 0; i < count; i++) {
        if ((i & 0xfff) == 0xfff && zorakInterrupted(interp)) return STOP;
        if (array_set_element(interp, argv[2], decimal(start + i).c_str(), value, 0, 0))
            return ERROR;
        made++;
    }
    return setText(interp, decimal(made));
}

int arrayAppend(Interpreter* interp, int argc, char** argv) {
    const char* target = argv[2];
    const char* source = argv[3];
    Var* from = arrayVar(interp, source);
    int64_t available = from ? from->table->entry_count() : 0;
    int64_t count = argc > 4 ? zorakLeadingInt(argv[4]) : available;
    if (count > available || count < 0) count = available;
    Var* to = arrayVar(interp, target);
    int64_t next = to ? to->table->entry_count() : 0;
    for (int64_t i = 0; i < count; i++) {
        const char* value = nullptr;
        // The source is looked up again each time: storing may move tables.
        Var* src = arrayVar(interp, source);
        if (!src || !src->table->get(decimal(i).c_str(), &value)) value = "";
        std::string copy = value ? value : "";
        if (array_set_element(interp, target, decimal(next + i).c_str(), copy.c_str(), 0, 0))
            return ERROR;
    }
    to = arrayVar(interp, target);
    return setText(interp, decimal(to ? to->table->entry_count() : 0));
}

} // namespace

// ---------------------------------------------------------------- workers

int array_setint_worker(Interpreter* interp, const char* name, const char* list, long* count,
                        int64_t first, int is_const, int nocase) {
    if (count) *count = 0;
    if (!list || !*list) return ERROR;
    Var* var = zorakGetVar(interp, name, kScopeCurrent);
    if (var && (var->type != VT_ARRAY || !var->table)) {
        zorakReportError(interp, "array setint: '%s' exists and is not an array\n", name);
        return ERROR;
    }
    if (var && var->is_constant) {
        zorakReportError(interp, "%s: Can't assign to const '%s'\n", "array setint", name);
        return ERROR;
    }
    if (!var && !(var = createArray(interp, name, 100))) {
        zorakReportError(interp, "array setint: Failed to create array variable '%s'\n", name);
        return ERROR;
    }
    ScopedVector items;
    int n = zorakSplitList(list, &items.get());
    if (n < 1) return ERROR;
    if (!keysFit(interp, "array setint", first, n)) return ERROR;
    for (int i = 0; i < n; i++) {
        if (array_set_element(interp, name, decimal(first + i).c_str(), items->items[i], 0, 0)) {
            zorakReportError(interp, "array setint: Failed to create set array element for '%s'\n",
                             name);
            return ERROR;
        }
    }
    var = zorakGetVar(interp, name, kScopeCurrent);
    if (var && is_const) var->is_constant = 1;
    if (var && nocase) var->ignore_case = 1;
    if (count) *count = n;
    zorakSetResult(interp, "", 0);
    return OK;
}

// ---------------------------------------------------------------- commands

int zorakCommandDim(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    Var* var = zorakGetVar(interp, argv[1], kScopeCurrent);
    if (var && var->type == VT_ARRAY) {
        zorakReportError(interp, "%s: Array '%s' already exists\n", argv[0], argv[1]);
        return ERROR;
    }
    if (var) return ERROR;
    return createArray(interp, argv[1], zorakLeadingInt(argv[2])) ? OK : ERROR;
}

int zorakCommandArraySet(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    bool isConst = false, nocase = false;
    int words = argc;
    for (int i = 3; i < argc; i++) {
        if (zorakEqualNoCase(argv[i], "-const")) {
            isConst = true;
            words--;
        } else if (zorakEqualNoCase(argv[i], "-nocase")) {
            nocase = true;
            words--;
        }
    }
    const char* name = argv[1];
    Var* var = zorakGetVar(interp, name, kScopeCurrent);
    if (var && var->is_constant) {
        zorakReportError(interp, "%s: Can't assign to const '%s'\n", "array set", name);
        return ERROR;
    }
    ScopedVector split;
    std::vector<const char*> items;
    if (words == 3) {
        zorakSplitList(argv[2], &split.get());
        for (int i = 0; i < split->count; i++)
            items.push_back(split->items[i]);
    } else {
        for (int i = 2; i < words; i++)
            items.push_back(argv[i]);
    }
    if (items.empty() || items.size() % 2) {
        zorakReportError(interp, "array set: Bad list pair count (%i) for '%s'\n",
                         static_cast<int>(items.size()), name);
        return ERROR;
    }
    for (size_t i = 0; i < items.size(); i += 2)
        if (array_set_element(interp, name, items[i], items[i + 1], 0, nocase ? 1 : 0))
            return ERROR;
    if (isConst && (var = zorakGetVar(interp, name, kScopeCurrent))) var->is_constant = 1;
    return setText(interp, decimal(static_cast<int64_t>(items.size() / 2)));
}

int zorakCommandArray(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    const char* sub = argv[1];
    auto is = [sub](const char* name) { return zorakEqualNoCase(sub, name); };
    if (is("create")) {
        int64_t size = argc > 3 ? zorakLeadingInt(argv[3]) : 1;
        if (size <= 0) {
            zorakReportError(interp, "%s create: size <=0 (try: array set)\n", argv[0]);
            return ERROR;
        }
        std::string dim = "dim", name = argv[2], count = decimal(size);
        char* words[] = {dim.data(), name.data(), count.data(), nullptr};
        return zorakCommandDim(interp, 3, words, nullptr);
    }
    if (is("exists") || is("is_set") || std::strncmp(sub, "exist", 5) == 0)
        return arrayExists(interp, argv);
    if (is("names")) return arrayNames(interp, argc, argv, false);
    if (is("get")) return arrayNames(interp, argc, argv, true);
    if (is("size")) return arraySize(interp, argv);
    if (is("trim")) return arrayTrim(interp, argc, argv);
    if (is("list")) return arrayList(interp, argc, argv, false);
    if (is("sort")) return arrayList(interp, argc, argv, true);
    if (is("foreach")) return zorakCommandArrayForeach(interp, argc - 1, argv + 1, nullptr);
    if (is("statistics")) return arrayStatistics(interp, argc, argv);
    if (is("unset")) return arrayUnset(interp, argc, argv);
    bool known = is("walk") || is("item") || is("find") || is("set") || is("setint") ||
                 is("blank") || is("append");
    if (!known) {
        zorakReportError(interp, "array %s: Not implemented\n", argv[0]);
        return ERROR;
    }
    if (argc < 4) return zorakWrongArgs(interp, argc, argv);
    if (is("walk")) return arrayWalk(interp, argc, argv);
    if (is("item")) return arrayItem(interp, argc, argv);
    if (is("find")) return arrayFind(interp, argc, argv);
    if (is("set")) return zorakCommandArraySet(interp, argc - 1, argv + 1, nullptr);
    if (is("setint")) return arraySetint(interp, argc, argv);
    if (is("blank")) return arrayBlank(interp, argc, argv);
    return arrayAppend(interp, argc, argv);
}

int zorakCommandArrayForeach(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 4) return zorakWrongArgs(interp, argc, argv);
    const char* array = argv[1];
    const char* valueVar = argv[2];
    const char* keyVar = argc > 4 ? argv[3] : nullptr;
    const char* script = argv[argc > 4 ? 4 : 3];
    if (zorakGetVar(interp, valueVar, kScopeCurrent)) {
        zorakReportError(interp, "%s: Value iterator '%s' already exists\n", argv[0], valueVar);
        return ERROR;
    }
    if (keyVar && zorakGetVar(interp, keyVar, kScopeCurrent)) {
        zorakReportError(interp, "%s: Subscript iterator '%s' already exists\n", argv[0], keyVar);
        return ERROR;
    }
    Var* var = zorakGetVar(interp, array, kScopeCurrent);
    if (!var) {
        zorakReportError(interp, "%s: Array '%s' does not exist\n", argv[0], array);
        return ERROR;
    }
    if (var->type != VT_ARRAY || !var->table) {
        zorakReportError(interp, "%s: '%s' is not an array\n", argv[0], array);
        return ERROR;
    }
    Elements elements;
    collect(var->table, &elements);
    if (elements.count() == 0) return ERROR;
    int code = OK;
    for (int i = 0; i < elements.count(); i++) {
        set_var(interp, valueVar, elements.values->items[i]);
        if (keyVar) set_var(interp, keyVar, elements.keys->items[i]);
        code = kuvetEval(interp, script, 0, 0);
        if (code == BREAK) {
            code = OK;
            break;
        }
        if (code == RETURN || code == ERROR || code == EXIT || code == STOP || code == GOTO) break;
    }
    zorakRemoveVar(interp, valueVar);
    if (keyVar) zorakRemoveVar(interp, keyVar);
    return code;
}

int zorakCommandArrayToList(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    const char* name = argv[1];
    Var* var = zorakGetVar(interp, name, kScopeCurrent);
    if (!var) {
        zorakReportError(interp, "%s: Array '%s' does not exist\n", argv[0], name);
        return ERROR;
    }
    if (var->type != VT_ARRAY) {
        zorakReportError(interp, "%s: %s is not an array\n", argv[0], name);
        return ERROR;
    }
    if (!var->table) {
        zorakReportError(interp, "%s: Array '%s' is empty\n", argv[0], name);
        return ERROR;
    }
    bool valuesOnly = hasOption(argc, argv, 2, "-values");
    std::vector<const char*> words = plainWords(argc, argv, 2);
    Elements elements;
    collect(var->table, &elements);
    if (elements.count() == 0) return setText(interp, "{}");
    std::string out;
    for (int i = 0; i < elements.count(); i++) {
        if (i) out += ' ';
        if (valuesOnly) {
            appendItem(&out, elements.values->items[i]);
            continue;
        }
        out += '{';
        appendItem(&out, elements.keys->items[i]);
        out += ' ';
        appendItem(&out, elements.values->items[i]);
        out += '}';
    }
    if (words.empty()) return setText(interp, out);
    if (set_var(interp, words[0], out.c_str())) {
        zorakReportError(interp, "%s: Failed to set variable %s\n", argv[0], words[0]);
        return ERROR;
    }
    return OK;
}

int zorakCommandListToArray(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    int64_t base = argc > 3 ? zorakLeadingInt(argv[3]) : 0;
    if (base < 0) base = 0;
    ScopedVector items;
    int n = zorakSplitList(argv[1], &items.get());
    if (!keysFit(interp, argv[0], base, n)) return ERROR;
    for (int i = 0; i < n; i++) {
        if (array_set_element(interp, argv[2], decimal(base + i).c_str(), items->items[i], 0, 0)) {
            zorakReportError(interp, "%s: Failed to write %s(%li)\n", argv[0], argv[2],
                             static_cast<long>(base + i));
            zorakSetResult(interp, "", 0);
            return ERROR;
        }
    }
    return setText(interp, decimal(n));
}

int zorakCommandArrayToString(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 2) return zorakWrongArgs(interp, argc, argv);
    const char* startWord = nullptr;
    const char* stopWord = nullptr;
    const char* separator = "";
    const char* stopText = nullptr;
    bool nocase = false;
    for (int i = 2; i < argc; i++) {
        const char* word = argv[i];
        const char** slot = zorakEqualNoCase(word, "-start")     ? &startWord
                            : zorakEqualNoCase(word, "-stop")    ? &stopWord
                            : zorakEqualNoCase(word, "-join")    ? &separator
                            : zorakEqualNoCase(word, "-stopstr") ? &stopText
                                                                 : nullptr;
        if (slot && i + 1 < argc) {
            *slot = argv[++i];
        } else if (zorakEqualNoCase(word, "-nocase")) {
            nocase = true;
        } else {
            zorakReportError(interp, "%s: Unknown option '%s'\n", argv[0], word);
            return ERROR;
        }
    }
    Var* var = arrayVar(interp, argv[1]);
    if (!var) {
        zorakReportError(interp, "%s: Error accessing array '%s'\n", argv[0], argv[1]);
        return ERROR;
    }
    int64_t count = var->table->entry_count();
    int64_t start = startWord ? zorakLeadingInt(startWord) : 0;
    if (start < 0) start = 0;
    if (start > count - 1) start = count - 1;
    int64_t stop = stopWord ? zorakLeadingInt(stopWord) : 0;
    int64_t end = stop > 0 && stop < count ? stop : count;
    std::string out;
    for (int64_t i = start < 0 ? 0 : start; i < end; i++) {
        const char* value = nullptr;
        if (!var->table->find_linear(decimal(i).c_str(), &value, false)) continue;
        const char* text = value ? value : "";
        if (stopText &&
            (nocase ? zorakEqualNoCase(text, stopText) : std::strcmp(text, stopText) == 0))
            break;
        if (i != start) out += separator;
        out += text;
    }
    return setText(interp, out);
}

int zorakCommandStringToArray(Interpreter* interp, int argc, char** argv, void*) {
    if (argc < 3) return zorakWrongArgs(interp, argc, argv);
    const char* text = argv[1];
    const char* array = argv[2];
    bool chars = false, codes = false, append = false;
    const char* stopChar = nullptr;
    const char* startWord = nullptr;
    for (int i = 3; i < argc; i++) {
        const char* word = argv[i];
        if (zorakEqualNoCase(word, "-chars"))
            chars = true;
        else if (zorakEqualNoCase(word, "-asc"))
            codes = true;
        else if (zorakEqualNoCase(word, "-append"))
            append = true;
        else if (zorakEqualNoCase(word, "-stopchar") && i + 1 < argc)
            stopChar = argv[++i];
        else if (zorakEqualNoCase(word, "-start") && i + 1 < argc)
            startWord = argv[++i];
        else {
            zorakReportError(interp, "%s: Unknown option '%s'\n", argv[0], word);
            return ERROR;
        }
    }
    Var* existing = zorakGetVar(interp, array, kScopeCurrent);
    int64_t start = startWord ? zorakLeadingInt(startWord) : 0;
    if (!append && existing) {
        zorakReportError(interp, "%s: Array variable '%s' exists\n", argv[0], array);
        return ERROR;
    }
    if (append) {
        if (!existing) {
            zorakReportError(interp, "%s: Array variable '%s' does not exist with -append\n",
                             argv[0], array);
            return ERROR;
        }
        start = existing->table ? existing->table->entry_count() : 0;
    }
    std::vector<std::string> items;
    if (chars) {
        char stop = stopChar ? stopChar[0] : '\0';
        for (const char* c = text; *c && !(stop && *c == stop); c++)
            items.push_back(codes ? decimal(static_cast<unsigned char>(*c)) : std::string(1, *c));
    } else {
        std::string line;
        bool open = false;
        for (const char* c = text; *c; c++) {
            if (*c == '\r' || *c == '\n') {
                items.push_back(line);
                line.clear();
                open = false;
                if (*c == '\r' && c[1] == '\n') c++;
                continue;
            }
            line += *c;
            open = true;
        }
        if (open) items.push_back(line);
    }
    if (!keysFit(interp, argv[0], start, static_cast<int64_t>(items.size()))) return ERROR;
    for (size_t i = 0; i < items.size(); i++) {
        int64_t key = start + static_cast<int64_t>(i);
        if (array_set_element(interp, array, decimal(key).c_str(), items[i].c_str(), 0, 0)) {
            zorakReportError(interp, "%s: Failed to write %s(%li)\n", argv[0], array,
                             static_cast<long>(key));
            return ERROR;
        }
    }
    return setText(interp, decimal(static_cast<int64_t>(items.size())));
}

void zorakRegisterArrayCommands(Interpreter* interp) {
    zorakRegisterCommand(interp, "array", zorakCommandArray, nullptr, 0);
    zorakRegisterCommand(interp, "array_set", zorakCommandArraySet, nullptr, 0);
    zorakRegisterCommand(interp, "dim", zorakCommandDim, nullptr, 0);
    zorakRegisterCommand(interp, "array_foreach", zorakCommandArrayForeach, nullptr, 0);
    zorakRegisterCommand(interp, "array_to_list", zorakCommandArrayToList, nullptr, 0);
    zorakRegisterCommand(interp, "list_to_array", zorakCommandListToArray, nullptr, 0);
    zorakRegisterCommand(interp, "array_to_string", zorakCommandArrayToString, nullptr, 0);
    zorakRegisterCommand(interp, "string_to_array", zorakCommandStringToArray, nullptr, 0);
}
