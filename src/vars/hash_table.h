// The interpreter's one associative container: owned string keys mapped to
// owned string values, chained in buckets picked from an MD5 digest of the
// key. Array elements and dictionary entries live here, and scripts see the
// iteration order (buckets ascending, then each chain from its head), so the
// bucket choice and the chain order below are part of the language.
#pragma once

#include "util/heap_text.h"

#include <cstdint>
#include <memory>

struct hash_node {
    hash_node* next;
    // Nodes in this bucket; meaningful only in the bucket's head node.
    int32_t chain_count;
    char* key;
    char* value;
    // The folded digest of key before the modulus; a rehash reuses it
    // instead of digesting every key again.
    uint32_t hash;
    // The next node whose key differs from this one only in letter case
    // after the first character (see hash_table::KeyIndex).
    hash_node* variant;
};

// Chain order: the node that first occupied a bucket stays at its head and
// every later node is linked directly behind the head, so a chain reads the
// first key, then the rest newest first. A rehash relinks by the same rule.
struct hash_table {
    int32_t used_roots;
    int32_t total_nodes;
    int32_t table_size;
    int32_t bucket_count;
    // Longest chain seen since the last rehash or clear; erase never lowers it.
    int32_t max_depth;
    int32_t grow_by;
    // The nominal node size of the original four-word layout; nodes are
    // allocated at their real size.
    int32_t node_size;
    double load_limit;
    int16_t ignore_case;
    // Values are opaque words in binary mode; no table is ever made so.
    int16_t is_binary;

    hash_table();
    // A first bucket array of initial_size buckets (250 when below 1).
    explicit hash_table(int32_t initial_size, int16_t is_binary = 0);
    ~hash_table();
    hash_table(const hash_table&) = delete;
    hash_table& operator=(const hash_table&) = delete;

    // Frees every node and the bucket array and resets the fields; the table
    // then refuses every operation until it is constructed again.
    void destroy();

    // Insert or replace. False when there is no bucket array, the key is
    // null or an allocation fails.
    bool set(const char* key, const char* value, bool allow_resize = true);
    // Hashed lookup; keys in the key's bucket match ignoring ASCII case but
    // with the first byte exact.
    hash_node* find_node(const char* key) const;
    bool get(const char* key, const char** value) const;
    // Matches exactly when ignore_case is 0, else ignoring ASCII case.
    bool erase(const char* key);
    void set_grow_by(int32_t n);
    void set_ignore_case(int flag);
    int32_t entry_count() const { return bucket_count; }
    // The bucket array (table_size buckets) with every chain in place, or
    // null before construction and after destroy.
    hash_node** buckets() const {
        if (pending_) materialize();
        return table_;
    }
    bool has_buckets() const { return table_ != nullptr; }

    // Fresh copies in iteration order of every non-null value, of the keys
    // of those nodes, or of both; the caller frees the vectors.
    StringVector collect_values(int32_t* count) const;
    StringVector collect_keys(int32_t* count) const;
    // Both vectors must start empty; otherwise nothing is appended and 0 returned.
    int32_t collect_pairs(StringVector* keys, StringVector* values) const;

    // Scans in iteration order for the first key equal to key (ignoring
    // ASCII case with nocase).
    bool find_linear(const char* key, const char** value, bool nocase) const;
    // The key of the k-th node (the first for k 0) whose value matches:
    // whole values, or only the first n characters when n > 0. The key
    // belongs to the table.
    const char* find_key_by_value(const char* value, bool nocase, int32_t n, int32_t k) const;
    // Trims every value in place: mode 0 both ends, 1 the left, 2 the right.
    // An empty or null set means tab and space.
    void trim_values(const char* chars, int mode);

    // Removes every entry; keeps the bucket array and its size.
    void clear();

    uint32_t key_hash(const char* key) const;
    // The folded MD5 digest of key; key_hash is this modulo table_size.
    static uint32_t digest_fold(const char* key);
    // +1 grow, -1 shrink, 0 leave alone.
    int resize_direction() const;
    // Rebuilds the bucket array one step larger (+1) or smaller (-1).
    bool rehash(int direction, int32_t initial_size = 0);

    void print_statistics() const;
    void print_contents(int32_t limit, bool html, bool quiet) const;
    void print_internals(int32_t limit) const;

    // Every key by its case-folded form (the first character exact, the
    // rest ignoring ASCII case), beside the chains. It finds a key without
    // walking a chain, which matters in tables that never grow (100
    // buckets holding any number of keys), and it answers only where the
    // chain walk would give the same node.
    struct KeyIndex;
    // Growth steps not yet applied to the chains (see hash_table.cpp).
    struct Pending;

  private:
    void init(int32_t initial_size, int16_t binary);
    void link(hash_node* node, uint32_t index);
    void materialize() const;
    void defer_step(int32_t size);
    void free_pending_nodes();

    hash_node** table_ = nullptr;
    // Set while growth steps wait: the chains in table_ are then not yet
    // linked, and every reader of the chains asks materialize() first.
    mutable std::unique_ptr<Pending> pending_;
    hash_node* exact_node(const char* key) const;
    void index_add(hash_node* node);
    void index_remove(hash_node* node);

    std::unique_ptr<KeyIndex> index_;
};
