// The dictionary value and variable layer: how dictionaries are written and
// split, how nested dictionary texts are built and updated, and how a
// variable becomes a dictionary.
#include "vars/dicts.h"

#include "commands/list_core.h"
#include "interp/errors.h"
#include "vars/hash_table.h"
#include "vars/scope_aliases.h"
#include "vars/variables.h"

#include <cstring>
#include <cstdint>
#include <new>
#include <unordered_map>
#include <vector>

namespace {

// One key or value as a dictionary writes it. A line end is braced as well
// as a blank: written bare it would split the item in two when read back.
void writeWord(std::string* out, std::string_view word) {
    if (word.empty()) {
        out->append("{}");
        return;
    }
    bool wrap = word.find_first_of(" \t\r\n") != std::string_view::npos;
    if (wrap) out->push_back('{');
    out->append(word);
    if (wrap) out->push_back('}');
}

std::vector<std::string> splitItems(std::string_view text) {
    ScopedVector items;
    int count = zorakDictSplit(text, &items.get());
    std::vector<std::string> out;
    out.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; i++)
        out.emplace_back(items->items[i]);
    return out;
}

std::string joinItems(const std::vector<std::string>& items) {
    std::string out;
    for (const std::string& item : items)
        zorakDictAppendWord(&out, item);
    return out;
}

// A variable can become a dictionary when it and every record it aliases
// are plain, non-constant variables holding no address.
bool convertible(Var* var) {
    if (var->parent && var->subscript) return false;
    long hops = zorakAliasChainLength(var);
    if (hops < 0) return false;
    for (Var* v = var; v; v = v->parent) {
        if (v->type != VT_AUTO || v->is_constant || v->is_pointer) return false;
        if (v->parent && v->subscript) return false;
        if (hops-- <= 0) break;
    }
    return true;
}

hash_table* newTable(int buckets) {
    auto* table = new (std::nothrow) hash_table(buckets);
    if (table && !table->has_buckets()) {
        delete table;
        return nullptr;
    }
    return table;
}

// Scripts read a dictionary variable far more often than they change it,
// and a large one is costly to write out each time: the last rendering is
// kept with the table it came from and the change count it was made at.
// Tables of dictionary variables change only through this layer, which
// counts every change (a new table included), so a kept rendering of an
// unchanged count always shows the table as it is.
struct RenderCache {
    const hash_table* table = nullptr;
    uint64_t generation = 0;
    // Shared, so that a rendering lent to a command outlives the next one.
    std::shared_ptr<const std::string> text = std::make_shared<const std::string>();
};
RenderCache renderCache;
uint64_t dictGeneration = 1;

// A large dictionary value read again and again (a variable's rendering
// passed to get in a loop) is split once and indexed. The index answers
// only for the very same text: it is compared in full before it is used,
// and built only when the same text comes a second time in a row.
constexpr size_t kIndexFrom = 4096;

struct ValueIndex {
    std::string text;
    // The rendering the index was built from when the evaluator lent it to
    // get: held here, no other text can have its address.
    std::shared_ptr<const std::string> source;
    bool built = false;
    int count = 0;
    std::vector<std::string> items;
    std::unordered_map<std::string_view, size_t> first;
};
ValueIndex valueIndex;

const ValueIndex* indexFor(std::string_view value) {
    ValueIndex& index = valueIndex;
    if (index.text.size() != value.size() || index.text.compare(value) != 0) {
        index.source.reset();
        index.first.clear();
        index.items.clear();
        index.built = false;
        index.text.assign(value);
        return nullptr;
    }
    if (index.built) return &index;
    index.items = splitItems(index.text);
    index.count = static_cast<int>(index.items.size());
    for (size_t i = 0; i + 1 < index.items.size(); i += 2)
        index.first.emplace(index.items[i], i + 1);
    index.built = true;
    return &index;
}

// The text that carried the last dictionary marker. A command that runs a
// script (catch, if, a procedure) keeps the marker its last inner command
// left, while its own result may be another text.
std::string markedResult;

DictLookup lookupIn(const ValueIndex& index, const char* key, std::string* found) {
    if (index.count % 2) return DictLookup::Odd;
    auto at = index.first.find(std::string_view(key));
    if (at == index.first.end()) return DictLookup::Missing;
    *found = index.items[at->second];
    return DictLookup::Found;
}

} // namespace

void zorakDictMarkResult(Interpreter* interp) {
    markedResult = interp->result ? interp->result : "";
    interp->result_kind = kDictResult;
}

DictLookup zorakDictLookup(std::string_view value, const char* key, std::string* found) {
    if (value.size() >= kIndexFrom) {
        if (const ValueIndex* index = indexFor(value)) return lookupIn(*index, key, found);
    }
    ScopedVector items;
    int count = zorakDictSplit(value, &items.get());
    if (count % 2) return DictLookup::Odd;
    for (int i = 0; i + 1 < count; i += 2) {
        if (std::strcmp(items->items[i], key) == 0) {
            *found = items->items[i + 1];
            return DictLookup::Found;
        }
    }
    return DictLookup::Missing;
}

DictLookup zorakDictLookup(const char* value, const char* key, std::string* found) {
    // A value read again is compared with the indexed text in one pass,
    // without measuring it first.
    ValueIndex& index = valueIndex;
    const std::shared_ptr<const std::string>& rendered = renderCache.text;
    if (value == rendered->c_str() && rendered->size() >= kIndexFrom) {
        // A dictionary variable's rendering lent by the evaluator is known
        // by its address while the index holds it.
        if (index.source != rendered) {
            if (!indexFor(*rendered)) indexFor(*rendered);
            index.source = rendered;
        }
        return lookupIn(index, key, found);
    }
    if (index.built && std::strcmp(index.text.c_str(), value) == 0)
        return lookupIn(index, key, found);
    return zorakDictLookup(std::string_view(value), key, found);
}

void zorakDictChanged(Var* dict) {
    if (dict) {
        dict->changed = 1;
        zorakValueChanged(dict);
    }
    dictGeneration++;
}

void zorakDictAppendWord(std::string* out, std::string_view word) {
    if (!out->empty()) out->push_back(' ');
    writeWord(out, word);
}

std::string zorakDictRenderTable(const hash_table& table) {
    std::string out;
    hash_node** buckets = table.buckets();
    if (!buckets) return out;
    for (int32_t i = 0; i < table.table_size; i++) {
        for (const hash_node* node = buckets[i]; node; node = node->next) {
            if (!node->key) continue;
            zorakDictAppendWord(&out, node->key);
            zorakDictAppendWord(&out, node->value ? node->value : "");
        }
    }
    return out;
}

int zorakDictSplit(std::string_view value, StringVector* items) {
    if (value == "{}") return 0;
    return zorakSplitList(value, items);
}

std::string zorakDictNest(int count, const char* const* keys, const char* value) {
    if (count < 1) return value;
    std::string out;
    writeWord(&out, keys[0]);
    for (int i = 1; i < count; i++) {
        out += " {";
        writeWord(&out, keys[i]);
    }
    out.push_back(' ');
    writeWord(&out, value);
    out.append(static_cast<size_t>(count - 1), '}');
    return out;
}

// Walks down the path level by level without recursion, keeping at each
// level its items with a hole where the next level's text was, then fills
// the holes on the way back up.
NestedUpdate zorakDictNestedUpdate(std::string_view nested, int count, const char* const* path,
                                   const char* value, std::string* out) {
    struct Level {
        std::vector<std::string> items;
        size_t hole;
    };
    if (count < 1) return NestedUpdate::Missing;
    std::vector<Level> levels;
    std::string text(nested);
    std::string inner;
    for (int depth = 0;; depth++) {
        std::vector<std::string> items = splitItems(text);
        if (items.size() % 2) return NestedUpdate::Inconsistent;
        size_t at = items.size();
        for (size_t i = 0; i < items.size(); i += 2) {
            if (items[i] == path[depth]) {
                at = i;
                break;
            }
        }
        if (at == items.size()) {
            if (depth == 0) return NestedUpdate::Missing;
            inner = joinItems(items);
            if (!inner.empty()) inner.push_back(' ');
            inner += zorakDictNest(count - depth, path + depth, value);
            break;
        }
        if (depth == count - 1) {
            items[at + 1] = value;
            inner = joinItems(items);
            break;
        }
        text = std::move(items[at + 1]);
        levels.push_back(Level{std::move(items), at + 1});
    }
    while (!levels.empty()) {
        Level& level = levels.back();
        level.items[level.hole] = std::move(inner);
        inner = joinItems(level.items);
        levels.pop_back();
    }
    *out = std::move(inner);
    return NestedUpdate::Replaced;
}

char* dict_nested_update(const char* nested, int count, const char* const* path,
                         const char* value) {
    std::string out;
    if (!nested || !value ||
        zorakDictNestedUpdate(nested, count, path, value, &out) != NestedUpdate::Replaced)
        return nullptr;
    return zorakStrDup(out);
}

Var* zorakDictOf(Var* var) {
    if (!var) return nullptr;
    if (var->parent && !var->subscript) {
        Var* owner = zorakAliasChainEnd(var);
        if (owner->type == VT_DICTIONARY) return owner;
    }
    return var->type == VT_DICTIONARY && !var->parent ? var : nullptr;
}

char* dict_render(Interpreter*, Var* var) {
    Var* dict = zorakDictOf(var);
    if (!dict || !dict->table) return nullptr;
    RenderCache& cache = renderCache;
    if (cache.table != dict->table || cache.generation != dictGeneration) {
        cache.text = std::make_shared<const std::string>(zorakDictRenderTable(*dict->table));
        cache.table = dict->table;
        cache.generation = dictGeneration;
    }
    return zorakStrDup(*cache.text);
}

std::shared_ptr<const std::string> zorakDictRenderShared(Var* var, uint64_t* stamp) {
    Var* dict = zorakDictOf(var);
    if (!dict || !dict->table) return nullptr;
    RenderCache& cache = renderCache;
    if (cache.table != dict->table || cache.generation != dictGeneration) {
        cache.text = std::make_shared<const std::string>(zorakDictRenderTable(*dict->table));
        cache.table = dict->table;
        cache.generation = dictGeneration;
    }
    *stamp = dictGeneration | (uint64_t{1} << 63);
    return cache.text;
}

int dict_clear(Interpreter* interp, const char* name) {
    Var* dict = zorakDictOf(zorakGetVar(interp, name, kScopeCurrent));
    if (!dict) return 0;
    if (dict->table) dict->table->clear();
    zorakDictChanged(dict);
    return 1;
}

Var* zorakDictMake(Interpreter* interp, const char* name, int buckets) {
    Var* var = zorakGetVar(interp, name, kScopeCurrent);
    if (!var) {
        // "a(x)" names an array element, never a variable of its own.
        if (std::strchr(name, '(') || set_var(interp, name, "<dict>")) return nullptr;
        var = zorakGetVar(interp, name, kScopeCurrent);
        if (!var) return nullptr;
    } else if (Var* dict = zorakDictOf(var)) {
        if (!dict->table && !(dict->table = newTable(buckets))) return nullptr;
        zorakAliasShareContainers(dict);
        zorakDictChanged(dict);
        return dict;
    } else if (!convertible(var) || set_var(interp, name, "<dict>")) {
        return nullptr;
    }
    // The record that owns containers is the end of the alias chain; the
    // aliases share its table.
    Var* owner = zorakAliasChainEnd(var);
    hash_table* table = newTable(buckets);
    if (!table) return nullptr;
    owner->type = VT_DICTIONARY;
    owner->table = table;
    zorakDictChanged(owner);
    zorakAliasShareContainers(owner);
    return owner;
}

int zorakDictAssign(Interpreter* interp, const char* name, const char* value) {
    // The marker travels with the result that carried it: a value that is
    // not that result (more text around it, a later command's word, or the
    // result of a command around the one that made it) is a plain assignment.
    if (!interp->result || std::strcmp(interp->result, value) != 0 || markedResult != value)
        return set_value(interp, name, value, 1);
    // An array element holds text; it has no table of its own.
    if (std::strchr(name, '(')) return set_value(interp, name, value, 1);
    Var* var = zorakGetVar(interp, name, kScopeCurrent);
    // A constant, an array element alias or a container of another kind
    // cannot hold a table; set treats the text as it would any other.
    if (var && !zorakDictOf(var) && !convertible(var)) return set_value(interp, name, value, 1);
    ScopedVector items;
    bool empty = !*value || std::strcmp(value, "{}") == 0;
    int count = empty ? 0 : zorakDictSplit(value, &items.get());
    // Checked before anything is emptied, so a refused value leaves the
    // variable as it was.
    if (count % 2) {
        if (zorakGetVar(interp, value, kScopeCurrent))
            zorakReportError(interp, "%s: Received varname '%s', expected dict list rvalue\n",
                             "set", value);
        else
            zorakReportError(interp,
                             "%s: Mismatched dictionary pairs in '%s' (%li found, expected 2)\n",
                             "set", name, static_cast<long>(count));
        return ERROR;
    }
    Var* dict = zorakDictMake(interp, name, empty ? kDictSmallBuckets : kDictBuckets);
    if (!dict || !dict->table) {
        zorakReportError(interp, "%s: Failed to create dictionary '%s'\n", "set", name);
        return ERROR;
    }
    dict->table->clear();
    zorakDictChanged(dict);
    for (int i = 0; i + 1 < count; i += 2) {
        if (!dict->table->set(items->items[i], items->items[i + 1], true)) {
            zorakReportError(interp, "%s set:Unexpected error setting '%s'\n", "dict", name);
            return ERROR;
        }
    }
    zorakSetResult(interp, zorakDictRenderTable(*dict->table).c_str(), 0);
    return OK;
}
