#include "vars/hash_table.h"

#include "console/console.h"
#include "interp/interp.h"
#include "util/md5.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

constexpr int32_t kDefaultSize = 250;
constexpr int32_t kDefaultGrowBy = 100;
constexpr double kLoadLimit = 2.5;
constexpr int32_t kNominalNodeSize = 16;
const char* const kRule =
    "----------------------------------------------------------------------\n";

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalNoCase(const char* a, const char* b) {
    for (; *a && *b; a++, b++)
        if (lower(*a) != lower(*b)) return false;
    return *a == *b;
}

// Compares at most n characters (all when n <= 0), stopping at the end of
// either text as strncmp does.
bool equalPrefix(const char* a, const char* b, int32_t n, bool nocase) {
    for (int32_t i = 0; n <= 0 || i < n; i++, a++, b++) {
        char x = nocase ? lower(*a) : *a;
        char y = nocase ? lower(*b) : *b;
        if (x != y) return false;
        if (!x) return true;
    }
    return true;
}

unsigned long long address(const void* p) {
    return static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(p));
}

void openConsole() {
    if (!console_state.console_open) OpenConsole(0);
}

// The folded form: the first byte as it is, the rest in lower case.
struct FoldedHash {
    size_t operator()(std::string_view key) const {
        uint64_t h = 1469598103934665603ull;
        for (size_t i = 0; i < key.size(); i++) {
            h ^= static_cast<unsigned char>(i == 0 ? key[i] : lower(key[i]));
            h *= 1099511628211ull;
        }
        return static_cast<size_t>(h ^ (h >> 32));
    }
};

struct FoldedEqual {
    bool operator()(std::string_view a, std::string_view b) const {
        if (a.size() != b.size()) return false;
        if (a.empty()) return true;
        if (a[0] != b[0]) return false;
        for (size_t i = 1; i < a.size(); i++)
            if (lower(a[i]) != lower(b[i])) return false;
        return true;
    }
};

} // namespace

// The head of each list of case variants, by the folded form of its key.
struct hash_table::KeyIndex {
    std::unordered_map<std::string_view, hash_node*, FoldedHash, FoldedEqual> heads;
};

// Growth steps wait until someone reads the chains. Lookups go through the
// key index and growth decisions need only the node count per bucket, so a
// table that is filled and read by key never relinks its chains at all;
// when the chains are read, the waiting steps are replayed in order on
// compact arrays and give exactly the chains the steps would have built
// one by one.
struct hash_table::Pending {
    struct Item {
        hash_node* node;
        uint32_t hash;
    };
    // The chains in iteration order when the first waiting step came.
    std::vector<Item> base;
    // Each step: a node added (a non-null node) or a new size (null node).
    struct Event {
        hash_node* node;
        int32_t size;
    };
    std::vector<Event> events;
    // The digest fold of every node, for the counts of the next step.
    std::vector<uint32_t> hashes;
    // Nodes per bucket at the present size.
    std::vector<int32_t> counts;
};

void hash_table::materialize() const {
    if (!pending_) return;
    // Nothing changes until the new order is complete: running out of
    // memory on the way leaves the steps waiting.
    const Pending* pending = pending_.get();
    std::vector<Pending::Item> order = pending->base;
    std::vector<Pending::Item> arrivals;
    std::vector<int32_t> starts;
    const std::vector<Pending::Event>& events = pending->events;
    for (size_t e = 0; e < events.size();) {
        auto size = static_cast<uint32_t>(events[e].size);
        size_t end = e + 1;
        while (end < events.size() && events[end].node)
            end++;
        // Nodes arrive in the old iteration order, then the ones added after
        // the step; a bucket's chain is its first arrival, then the rest
        // newest first.
        starts.assign(size + 1, 0);
        for (const Pending::Item& item : order)
            starts[item.hash % size + 1]++;
        for (size_t k = e + 1; k < end; k++)
            starts[events[k].node->hash % size + 1]++;
        for (uint32_t b = 0; b < size; b++)
            starts[b + 1] += starts[b];
        arrivals.resize(order.size() + (end - e - 1));
        std::vector<int32_t> fill(starts.begin(), starts.end() - 1);
        for (const Pending::Item& item : order)
            arrivals[static_cast<size_t>(fill[item.hash % size]++)] = item;
        for (size_t k = e + 1; k < end; k++) {
            hash_node* node = events[k].node;
            arrivals[static_cast<size_t>(fill[node->hash % size]++)] = {node, node->hash};
        }
        order.clear();
        for (uint32_t b = 0; b < size; b++) {
            int32_t first = starts[b], last = starts[b + 1];
            if (first == last) continue;
            order.push_back(arrivals[static_cast<size_t>(first)]);
            for (int32_t i = last - 1; i > first; i--)
                order.push_back(arrivals[static_cast<size_t>(i)]);
        }
        e = end;
    }
    // The last step's size is the table's: link the chains as ordered.
    pending_.reset();
    hash_node** buckets = table_;
    auto size = static_cast<uint32_t>(table_size);
    for (size_t i = 0; i < order.size();) {
        uint32_t b = order[i].hash % size;
        hash_node* head = order[i].node;
        buckets[b] = head;
        size_t j = i + 1;
        hash_node* tail = head;
        while (j < order.size() && order[j].hash % size == b) {
            tail->next = order[j].node;
            tail = order[j].node;
            j++;
        }
        tail->next = nullptr;
        head->chain_count = static_cast<int32_t>(j - i);
        i = j;
    }
}

namespace {

template <class Item> void roomForOneMore(std::vector<Item>* items) {
    if (items->size() == items->capacity()) items->reserve(items->capacity() * 2 + 64);
}

} // namespace

// Frees the nodes of waiting steps, which no chain holds yet.
void hash_table::free_pending_nodes() {
    if (!pending_) return;
    auto release = [this](hash_node* n) {
        std::free(n->key);
        if (!is_binary) std::free(n->value);
        std::free(n);
    };
    for (const Pending::Item& item : pending_->base)
        release(item.node);
    for (const Pending::Event& event : pending_->events)
        if (event.node) release(event.node);
    pending_.reset();
}

hash_node* hash_table::exact_node(const char* key) const {
    if (!index_) return nullptr;
    auto found = index_->heads.find(key);
    if (found == index_->heads.end()) return nullptr;
    for (hash_node* n = found->second; n; n = n->variant)
        if (std::strcmp(n->key, key) == 0) return n;
    return nullptr;
}

void hash_table::index_add(hash_node* node) {
    if (!index_) index_ = std::make_unique<KeyIndex>();
    auto inserted = index_->heads.emplace(std::string_view(node->key), node);
    if (!inserted.second) {
        node->variant = inserted.first->second->variant;
        inserted.first->second->variant = node;
    }
}

void hash_table::index_remove(hash_node* node) {
    if (!index_) return;
    auto found = index_->heads.find(std::string_view(node->key));
    if (found == index_->heads.end()) return;
    if (found->second == node) {
        if (node->variant) {
            // The key the entry is filed under belongs to the node that stays.
            hash_node* next = node->variant;
            index_->heads.erase(found);
            index_->heads.emplace(std::string_view(next->key), next);
        } else {
            index_->heads.erase(found);
        }
        return;
    }
    for (hash_node* n = found->second; n->variant; n = n->variant) {
        if (n->variant == node) {
            n->variant = node->variant;
            return;
        }
    }
}

hash_table::hash_table() {
    init(kDefaultSize, 0);
}

hash_table::hash_table(int32_t initial_size, int16_t binary) {
    init(initial_size, binary);
}

hash_table::~hash_table() {
    destroy();
}

void hash_table::init(int32_t initial_size, int16_t binary) {
    table_ = nullptr;
    used_roots = total_nodes = table_size = bucket_count = max_depth = 0;
    grow_by = kDefaultGrowBy;
    node_size = kNominalNodeSize;
    load_limit = kLoadLimit;
    ignore_case = 1;
    is_binary = binary;
    rehash(+1, initial_size);
}

void hash_table::destroy() {
    clear();
    std::free(table_);
    table_ = nullptr;
    table_size = node_size = 0;
    used_roots = total_nodes = bucket_count = max_depth = 0;
    grow_by = kDefaultGrowBy;
    load_limit = kLoadLimit;
    ignore_case = 1;
    is_binary = 0;
}

uint32_t hash_table::digest_fold(const char* key) {
    char hex[33];
    zorakMd5Hex(key, std::strlen(key), hex);
    uint32_t h = 0;
    for (int i = 0; i < 32; i++)
        h = (h << 1) ^ static_cast<uint8_t>(hex[i]);
    return h;
}

uint32_t hash_table::key_hash(const char* key) const {
    uint32_t h = digest_fold(key);
    return table_size > 0 ? h % static_cast<uint32_t>(table_size) : 0;
}

// Makes node the head of an empty bucket, or links it directly behind the head.
void hash_table::link(hash_node* node, uint32_t index) {
    hash_node* head = table_[index];
    if (!head) {
        node->next = nullptr;
        node->chain_count = 1;
        table_[index] = node;
        used_roots++;
        head = node;
    } else {
        node->next = head->next;
        head->next = node;
        head->chain_count++;
    }
    if (head->chain_count > max_depth) max_depth = head->chain_count;
}

bool hash_table::set(const char* key, const char* value, bool allow_resize) {
    if (!table_ || !key) return false;
    hash_node* node = nullptr;
    try {
        if (allow_resize) rehash(resize_direction());
        // A key lives in the bucket its digest picks, so the index finds
        // exactly the node the bucket's chain holds under that key.
        if (hash_node* n = exact_node(key)) {
            if (is_binary) {
                n->value = const_cast<char*>(value);
            } else {
                char* copy = zorakStrDup(value ? value : "");
                std::free(n->value);
                n->value = copy;
            }
            return true;
        }
        uint32_t fold = digest_fold(key);
        uint32_t index = fold % static_cast<uint32_t>(table_size);
        bool opens = pending_ ? pending_->counts[index] == 0 : table_[index] == nullptr;
        node = static_cast<hash_node*>(std::calloc(1, sizeof(hash_node)));
        if (!node) return false;
        node->key = zorakStrDup(key);
        node->hash = fold;
        // A node that opens a bucket keeps a null value as null.
        if (is_binary || (opens && !value))
            node->value = const_cast<char*>(value);
        else
            node->value = zorakStrDup(value ? value : "");
        if (pending_) {
            // Room first (growing geometrically), so that nothing below can
            // fail once the node is in the index.
            roomForOneMore(&pending_->events);
            roomForOneMore(&pending_->hashes);
            index_add(node);
            pending_->events.push_back({node, 0});
            pending_->hashes.push_back(fold);
            int32_t count = ++pending_->counts[index];
            if (count == 1) used_roots++;
            if (count > max_depth) max_depth = count;
        } else {
            index_add(node);
            link(node, index);
        }
        total_nodes++;
        bucket_count++;
        return true;
    } catch (const std::bad_alloc&) {
        if (node) {
            std::free(node->key);
            std::free(node);
        }
        return false;
    } catch (...) {
        console_printf("Exception: hash_table::set(%s %s) after line %li\n", key,
                       value ? value : "", zorakEval.checkpoint);
        throw;
    }
}

hash_node* hash_table::find_node(const char* key) const {
    if (!table_ || !key) return nullptr;
    if (index_) {
        auto found = index_->heads.find(key);
        if (found == index_->heads.end()) return nullptr;
        hash_node* only = found->second;
        if (!only->variant) {
            // The only key that could match: found when it sits in the
            // bucket the chain walk would search.
            if (std::strcmp(only->key, key) == 0) return only;
            uint32_t size = static_cast<uint32_t>(table_size);
            return only->hash % size == digest_fold(key) % size ? only : nullptr;
        }
        // Case variants of one another: the first in chain order answers.
    }
    materialize();
    for (hash_node* n = table_[key_hash(key)]; n; n = n->next)
        if (n->key && n->key[0] == key[0] && equalNoCase(n->key, key)) return n;
    return nullptr;
}

bool hash_table::get(const char* key, const char** value) const {
    hash_node* node = find_node(key);
    if (value) *value = node ? node->value : nullptr;
    return node != nullptr;
}

bool hash_table::erase(const char* key) {
    if (!table_ || !key) return false;
    materialize();
    uint32_t index = key_hash(key);
    hash_node* prev = nullptr;
    hash_node* node = table_[index];
    for (; node; prev = node, node = node->next) {
        if (!node->key) continue;
        if (ignore_case ? equalNoCase(node->key, key) : std::strcmp(node->key, key) == 0) break;
    }
    if (!node) return false;
    index_remove(node);
    if (!prev) {
        table_[index] = node->next;
        if (node->next)
            node->next->chain_count = node->chain_count;
        else
            used_roots--;
    } else {
        prev->next = node->next;
    }
    std::free(node->key);
    if (!is_binary) std::free(node->value);
    std::free(node);
    if (table_[index]) table_[index]->chain_count--;
    total_nodes--;
    bucket_count--;
    return true;
}

void hash_table::set_grow_by(int32_t n) {
    if (n > 0) grow_by = n > kDefaultGrowBy ? n : kDefaultGrowBy;
}

void hash_table::set_ignore_case(int flag) {
    ignore_case = flag != 0 ? 1 : 0;
}

StringVector hash_table::collect_values(int32_t* count) const {
    materialize();
    StringVector out;
    for (int32_t i = 0; table_ && i < table_size; i++)
        for (hash_node* n = table_[i]; n; n = n->next)
            if (n->value) zorakVectorAppend(&out, n->value);
    if (count) *count = out.count;
    return out;
}

StringVector hash_table::collect_keys(int32_t* count) const {
    materialize();
    StringVector out;
    for (int32_t i = 0; table_ && i < table_size; i++)
        for (hash_node* n = table_[i]; n; n = n->next)
            if (n->value) zorakVectorAppend(&out, n->key ? n->key : "");
    if (count) *count = out.count;
    return out;
}

int32_t hash_table::collect_pairs(StringVector* keys, StringVector* values) const {
    materialize();
    if (!keys || !values || keys->count || values->count) return 0;
    for (int32_t i = 0; table_ && i < table_size; i++) {
        for (hash_node* n = table_[i]; n; n = n->next) {
            if (!n->value) continue;
            zorakVectorAppend(keys, n->key ? n->key : "");
            zorakVectorAppend(values, n->value);
        }
    }
    return keys->count;
}

bool hash_table::find_linear(const char* key, const char** value, bool nocase) const {
    materialize();
    if (value) *value = nullptr;
    if (!table_ || !key || !*key) return false;
    for (int32_t i = 0; i < table_size; i++) {
        for (hash_node* n = table_[i]; n; n = n->next) {
            if (!n->key) continue;
            if (nocase ? equalNoCase(n->key, key) : std::strcmp(n->key, key) == 0) {
                if (value) *value = n->value;
                return true;
            }
        }
    }
    return false;
}

const char* hash_table::find_key_by_value(const char* value, bool nocase, int32_t n,
                                          int32_t k) const {
    materialize();
    if (!table_ || !value || !*value) return nullptr;
    int32_t wanted = k > 1 ? k : 1;
    for (int32_t i = 0; i < table_size; i++) {
        for (hash_node* node = table_[i]; node; node = node->next) {
            if (!node->value || !equalPrefix(node->value, value, n, nocase)) continue;
            if (--wanted == 0) return node->key;
        }
    }
    return nullptr;
}

void hash_table::trim_values(const char* chars, int mode) {
    materialize();
    if (!table_ || is_binary) return;
    const char* set = chars && *chars ? chars : "\t ";
    for (int32_t i = 0; i < table_size; i++) {
        for (hash_node* n = table_[i]; n; n = n->next) {
            if (!n->value) continue;
            char* start = n->value;
            size_t length = std::strlen(start);
            if (mode == 0 || mode == 1)
                while (*start && std::strchr(set, *start))
                    start++, length--;
            if (mode == 0 || mode == 2)
                while (length > 0 && std::strchr(set, start[length - 1]))
                    length--;
            std::memmove(n->value, start, length);
            n->value[length] = '\0';
        }
    }
}

void hash_table::clear() {
    free_pending_nodes();
    for (int32_t i = 0; table_ && i < table_size; i++) {
        hash_node* n = table_[i];
        while (n) {
            hash_node* next = n->next;
            std::free(n->key);
            if (!is_binary) std::free(n->value);
            std::free(n);
            n = next;
        }
        table_[i] = nullptr;
    }
    if (index_) index_->heads.clear();
    used_roots = total_nodes = bucket_count = max_depth = 0;
}

int hash_table::resize_direction() const {
    if (table_size < 200 || !table_ || table_size >= 2 * used_roots || used_roots <= 0) return 0;
    double mean = static_cast<double>(total_nodes) / used_roots;
    if (mean > load_limit) return +1;
    if (mean < 1.0) return -1;
    return 0;
}

// Records a step to size buckets instead of relinking now, and counts the
// nodes per bucket at the new size, which is all that growth decisions and
// the statistics need.
void hash_table::defer_step(int32_t size) {
    if (!pending_) {
        auto pending = std::make_unique<Pending>();
        pending->base.reserve(static_cast<size_t>(total_nodes));
        pending->hashes.reserve(static_cast<size_t>(total_nodes));
        for (int32_t i = 0; i < table_size; i++) {
            for (hash_node* n = table_[i]; n; n = n->next) {
                pending->base.push_back({n, n->hash});
                pending->hashes.push_back(n->hash);
            }
        }
        pending_ = std::move(pending);
    }
    Pending& pending = *pending_;
    pending.events.push_back({nullptr, size});
    pending.counts.assign(static_cast<size_t>(size), 0);
    used_roots = max_depth = 0;
    auto buckets = static_cast<uint32_t>(size);
    for (uint32_t h : pending.hashes) {
        int32_t count = ++pending.counts[h % buckets];
        if (count == 1) used_roots++;
        if (count > max_depth) max_depth = count;
    }
    bucket_count = static_cast<int32_t>(pending.hashes.size());
}

bool hash_table::rehash(int direction, int32_t initial_size) {
    if (direction == 0) return false;
    int32_t size;
    if (direction > 0 && !table_)
        size = initial_size < 1 ? kDefaultSize : initial_size;
    else if (direction > 0)
        size = grow_by > 0 ? table_size + grow_by : 2 * table_size;
    else
        size = grow_by > table_size / 2 ? grow_by : table_size / 2;
    if (size < 1) return false;
    auto* fresh =
        static_cast<hash_node**>(std::calloc(static_cast<size_t>(size), sizeof(hash_node*)));
    if (!fresh) return false;
    if (table_ && total_nodes > 0) {
        try {
            defer_step(size);
        } catch (const std::bad_alloc&) {
            std::free(fresh);
            return false;
        }
        std::free(table_);
        table_ = fresh;
        table_size = size;
        return true;
    }
    hash_node** old = table_;
    int32_t oldSize = table_size;
    table_ = fresh;
    table_size = size;
    used_roots = bucket_count = max_depth = 0;
    for (int32_t i = 0; old && i < oldSize; i++) {
        hash_node* n = old[i];
        while (n) {
            hash_node* next = n->next;
            if (!n->key) {
                // Unreachable in a table whose inserts refuse null keys; such a
                // node could never be found again, so it is released.
                if (!is_binary) std::free(n->value);
                std::free(n);
                total_nodes--;
            } else {
                // The digest fold kept in the node spares an MD5 per key.
                link(n, n->hash % static_cast<uint32_t>(table_size));
                bucket_count++;
            }
            n = next;
        }
    }
    std::free(old);
    return true;
}

void hash_table::print_statistics() const {
    materialize();
    openConsole();
    long used = 0, chained = 0;
    long slots[11] = {};
    for (int32_t i = 0; table_ && i < table_size; i++) {
        if (!table_[i]) {
            slots[0]++;
            continue;
        }
        used++;
        long count = table_[i]->chain_count;
        chained += count;
        slots[count >= 10 ? 10 : (count < 0 ? 0 : count)]++;
    }
    double percent = used && table_size > 0 ? 100.0 * static_cast<double>(used) / table_size : 0.0;
    console_printf("%li entries in table, %li bucket(s) (%.2f%% use)\n",
                   static_cast<long>(bucket_count), static_cast<long>(table_size), percent);
    long sum = 0;
    for (long i = 0; i <= 10; i++) {
        long total = i < 10 ? i * slots[i] : chained - sum;
        sum += total;
        console_printf("Buckets with %2li or more entries: %li\t", i, slots[i]);
        console_printf("(Total: %li)\n", total);
    }
    console_printf("Mean search distance per entry: %.2f\n",
                   used ? static_cast<double>(chained) / static_cast<double>(used) : 0.0);
}

// No key is polled during the walk: the console layer offers no way to look
// for a pending key without waiting for one.
void hash_table::print_contents(int32_t limit, bool html, bool quiet) const {
    materialize();
    openConsole();
    if (html) console_printf("<pre>\n");
    if (table_) {
        if (!quiet) {
            console_printf("%s", kRule);
            console_printf("hash_table object:0x%llx size:%li\n", address(table_),
                           static_cast<long>(table_size));
            console_printf("%s", kRule);
        }
        int32_t end = limit > 0 && limit < table_size ? limit : table_size;
        long found = 0;
        for (int32_t i = 0; i < end; i++) {
            hash_node* head = table_[i];
            if (!head) continue;
            found++;
            if (!quiet)
                console_printf("Bucket(%li) Node: 0x%llx chained nodes:%li\n", static_cast<long>(i),
                               address(head), static_cast<long>(head->chain_count));
            long position = 1;
            for (hash_node* n = head; n; n = n->next, position++) {
                if (quiet) {
                    console_printf("%.30s %.40s\n", n->key ? n->key : "", n->value ? n->value : "");
                    continue;
                }
                console_printf("   %li: 0x%llx key:'%s' => '", position, address(n),
                               n->key ? n->key : "[null]");
                const char* value = n->value ? n->value : "[null]";
                if (std::strlen(value) > 20)
                    console_printf("%-.30s...", value);
                else
                    console_printf("%-.30s", value);
                console_printf("'\n");
            }
        }
        if (!quiet) {
            double percent = table_size > 0 ? 100.0 * static_cast<double>(found) / table_size : 0.0;
            console_printf("\nHash Table Statistics:\n");
            console_printf("Root size:%li Found:%li (%.2f%%) Max depth:%li Nodes:%li\n",
                           static_cast<long>(table_size), found, percent,
                           static_cast<long>(max_depth), static_cast<long>(bucket_count));
            console_printf("%s", kRule);
        }
    }
    if (html) console_printf("</pre>\n");
}

void hash_table::print_internals(int32_t limit) const {
    materialize();
    openConsole();
    if (!table_) {
        console_printf("table:\t\tNULL\n");
        console_printf("table size:\t%li\n", static_cast<long>(table_size));
        return;
    }
    console_printf("table array:\t0x%llx\n", address(table_));
    console_printf("table size:\t%li\n", static_cast<long>(table_size));
    console_printf("bucket_count:\t%li\n", static_cast<long>(bucket_count));
    console_printf("total nodes:\t%li\n", static_cast<long>(total_nodes));
    console_printf("max_depth:\t%li\n", static_cast<long>(max_depth));
    console_printf("is_binary:\t%s\n", is_binary ? "True" : "False");
    console_printf("ignore_case:\t%s\n", ignore_case ? "True" : "False");
    int32_t end = limit < table_size ? limit : table_size;
    for (int32_t i = 0; i < end; i++) {
        hash_node* head = table_[i];
        console_printf("root node: %i->0x%llx '%.40s'\n", i, address(head),
                       head && head->key ? head->key : "");
    }
}
