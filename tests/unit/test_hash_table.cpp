#include "vars/hash_table.h"

#include "util/md5.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <functional>
#include <regex>
#include <string>
#include <vector>

namespace {

// An independent model of the table's placement rules: the bucket is the
// MD5 hex text folded by shift-and-xor, a chain holds its first key and then
// the later keys newest first, and the table grows by 100 buckets when more
// than half the buckets are used and the mean chain is longer than 2.5.
struct Model {
    int size;
    std::vector<std::vector<std::string>> buckets;

    explicit Model(int n) : size(n), buckets(static_cast<size_t>(n)) {}

    size_t bucketOf(const std::string& key) const {
        char hex[33];
        zorakMd5Hex(key.data(), key.size(), hex);
        uint32_t h = 0;
        for (int i = 0; i < 32; i++)
            h = (h << 1) ^ static_cast<uint8_t>(hex[i]);
        return h % static_cast<uint32_t>(size);
    }
    int used() const {
        int n = 0;
        for (const auto& b : buckets)
            n += !b.empty();
        return n;
    }
    int total() const {
        int n = 0;
        for (const auto& b : buckets)
            n += static_cast<int>(b.size());
        return n;
    }
    void place(std::vector<std::vector<std::string>>& into, const std::string& key) const {
        auto& chain = into[bucketOf(key)];
        if (chain.empty())
            chain.push_back(key);
        else
            chain.insert(chain.begin() + 1, key);
    }
    void resize(int newSize) {
        auto old = std::move(buckets);
        size = newSize;
        buckets.assign(static_cast<size_t>(newSize), {});
        for (const auto& chain : old)
            for (const auto& key : chain)
                place(buckets, key);
    }
    void insert(const std::string& key) {
        int u = used();
        if (size >= 200 && size<2 * u&& static_cast<double>(total()) / u> 2.5) resize(size + 100);
        for (const auto& k : buckets[bucketOf(key)])
            if (k == key) return;
        place(buckets, key);
    }
    std::vector<std::string> order() const {
        std::vector<std::string> out;
        for (const auto& chain : buckets)
            out.insert(out.end(), chain.begin(), chain.end());
        return out;
    }
};

std::vector<std::string> keysOf(const hash_table& t) {
    int32_t count = 0;
    StringVector keys = t.collect_keys(&count);
    std::vector<std::string> out(keys.items, keys.items + keys.count);
    zorakVectorFree(&keys);
    EXPECT_EQ(count, static_cast<int32_t>(out.size()));
    return out;
}

// The chain counts kept in the head nodes agree with the chains themselves.
void expectConsistent(const hash_table& t) {
    int used = 0, total = 0;
    for (int32_t i = 0; i < t.table_size; i++) {
        if (!t.buckets()[i]) continue;
        used++;
        int length = 0;
        for (hash_node* n = t.buckets()[i]; n; n = n->next)
            length++;
        EXPECT_EQ(t.buckets()[i]->chain_count, length) << "bucket " << i;
        total += length;
    }
    EXPECT_EQ(t.used_roots, used);
    EXPECT_EQ(t.total_nodes, total);
    EXPECT_EQ(t.bucket_count, total);
}

// Two keys of the same first letter that differ in case later on and fall
// into the same bucket of t.
std::pair<std::string, std::string> caseTwinsInOneBucket(const hash_table& t) {
    for (int i = 0; i < 1000; i++) {
        std::string lower = "a" + std::to_string(i) + "x";
        std::string upper = "a" + std::to_string(i) + "X";
        if (t.key_hash(lower.c_str()) == t.key_hash(upper.c_str())) return {lower, upper};
    }
    ADD_FAILURE() << "no twins found";
    return {};
}

std::string capture(const std::function<void()>& print) {
    testing::internal::CaptureStdout();
    print();
    std::fflush(stdout);
    return testing::internal::GetCapturedStdout();
}

std::string masked(const std::string& text) {
    return std::regex_replace(text, std::regex("0x[0-9a-f]+"), "0xADDR");
}

} // namespace

TEST(HashTable, ConstructionDefaults) {
    hash_table byDefault;
    EXPECT_EQ(byDefault.table_size, 250);
    EXPECT_EQ(byDefault.grow_by, 100);
    EXPECT_EQ(byDefault.ignore_case, 1);
    EXPECT_EQ(byDefault.is_binary, 0);
    EXPECT_DOUBLE_EQ(byDefault.load_limit, 2.5);
    EXPECT_NE(byDefault.buckets(), nullptr);
    for (int size : {0, -5})
        EXPECT_EQ(hash_table(size).table_size, 250) << size;
    EXPECT_EQ(hash_table(7).table_size, 7);
}

// The bucket of a key is the MD5 hex text folded with shift-and-xor.
TEST(HashTable, KeyHashFoldsTheDigestText) {
    hash_table t(1000);
    // md5("") = d41d8cd98f00b204e9800998ecf8427e; only the last 32 shifts
    // survive, and all 32 characters fit.
    const char* hex = "d41d8cd98f00b204e9800998ecf8427e";
    uint32_t h = 0;
    for (int i = 0; i < 32; i++)
        h = (h << 1) ^ static_cast<uint8_t>(hex[i]);
    EXPECT_EQ(t.key_hash(""), h % 1000u);
    Model m(1000);
    for (const char* key : {"a", "abc", "Key 1", "key 1"})
        EXPECT_EQ(t.key_hash(key), m.bucketOf(key)) << key;
}

// The iteration order of a growing table follows the model key for key,
// through every grow step.
TEST(HashTable, IterationOrderMatchesTheModel) {
    hash_table t;
    Model m(250);
    for (int i = 0; i < 900; i++) {
        std::string key = (i % 3 == 0   ? "k"
                           : i % 3 == 1 ? "Name_"
                                        : "x y ") +
                          std::to_string(i * 7);
        ASSERT_TRUE(t.set(key.c_str(), "v", true));
        m.insert(key);
        ASSERT_EQ(t.table_size, m.size) << "after key " << i;
    }
    EXPECT_GE(t.table_size, 350);
    EXPECT_EQ(keysOf(t), m.order());
    expectConsistent(t);
    EXPECT_EQ(t.entry_count(), 900);
}

TEST(HashTable, GrowsOnlyWhenHalfTheBucketsAreUsedAndChainsAreLong) {
    hash_table small(100);
    for (int i = 0; i < 1000; i++)
        small.set(("s" + std::to_string(i)).c_str(), "v", true);
    EXPECT_EQ(small.table_size, 100);
    EXPECT_EQ(small.entry_count(), 1000);

    hash_table t;
    int inserted = 0;
    while (t.table_size == 250) {
        int used = t.used_roots;
        double mean = used ? static_cast<double>(t.total_nodes) / used : 0;
        t.set(("g" + std::to_string(inserted++)).c_str(), "v", true);
        if (t.table_size != 250) {
            EXPECT_GT(used, 125);
            EXPECT_GT(mean, 2.5);
        }
    }
    EXPECT_EQ(t.table_size, 350);
    EXPECT_EQ(t.entry_count(), inserted);
    // Inserts that forbid resizing never grow the table.
    hash_table fixed;
    for (int i = 0; i < 2000; i++)
        fixed.set(("f" + std::to_string(i)).c_str(), "v", false);
    EXPECT_EQ(fixed.table_size, 250);
}

// A shrink step halves the table (never below grow_by) and relinks by the
// same chain rule.
TEST(HashTable, ShrinkStepRelinksInModelOrder) {
    hash_table t(400);
    Model m(400);
    for (int i = 0; i < 300; i++) {
        std::string key = "s" + std::to_string(i);
        t.set(key.c_str(), key.c_str(), false);
        m.insert(key);
    }
    ASSERT_TRUE(t.rehash(-1));
    m.resize(200);
    EXPECT_EQ(t.table_size, 200);
    EXPECT_EQ(keysOf(t), m.order());
    expectConsistent(t);
    t.set_grow_by(300);
    ASSERT_TRUE(t.rehash(-1));
    EXPECT_EQ(t.table_size, 300);
    EXPECT_FALSE(t.rehash(0));
    const char* value = nullptr;
    EXPECT_TRUE(t.get("s123", &value));
    EXPECT_STREQ(value, "s123");
}

TEST(HashTable, ReplaceAndNullValues) {
    hash_table t(7);
    EXPECT_TRUE(t.set("k", "one", true));
    EXPECT_TRUE(t.set("k", "two", true));
    EXPECT_EQ(t.entry_count(), 1);
    const char* value = nullptr;
    ASSERT_TRUE(t.get("k", &value));
    EXPECT_STREQ(value, "two");
    // A null value stays null only when the key opens an empty bucket.
    EXPECT_TRUE(t.set("k", nullptr, true));
    ASSERT_TRUE(t.get("k", &value));
    EXPECT_STREQ(value, "");
    hash_table opener(100000);
    opener.set("alone", nullptr, true);
    ASSERT_TRUE(opener.get("alone", &value));
    EXPECT_EQ(value, nullptr);
    // Nodes with a null value are left out of the collections.
    opener.set("other", "x", true);
    int32_t count = -1;
    StringVector values = opener.collect_values(&count);
    EXPECT_EQ(count, 1);
    zorakVectorFree(&values);
    EXPECT_EQ(keysOf(opener), std::vector<std::string>{"other"});
    EXPECT_FALSE(t.set(nullptr, "x", true));
    EXPECT_FALSE(t.get("absent", &value));
    EXPECT_EQ(value, nullptr);
}

// find_node and get ignore case after an exact first byte, but only within
// the key's own bucket; erase follows ignore_case.
TEST(HashTable, CaseRulesOfLookupAndErase) {
    hash_table t;
    t.set("ABC", "v", true);
    ASSERT_NE(t.key_hash("abc"), t.key_hash("ABC"));
    EXPECT_EQ(t.find_node("abc"), nullptr);
    const char* value = nullptr;
    EXPECT_TRUE(t.find_linear("abc", &value, true));
    EXPECT_STREQ(value, "v");
    EXPECT_FALSE(t.find_linear("abc", &value, false));
    EXPECT_FALSE(t.find_linear("", &value, true));

    hash_table small(7);
    auto [lower, upper] = caseTwinsInOneBucket(small);
    small.set(lower.c_str(), "low", true);
    hash_node* node = small.find_node(upper.c_str());
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->key, lower);
    std::string otherFirst = lower;
    otherFirst[0] = 'A';
    if (small.key_hash(otherFirst.c_str()) == small.key_hash(lower.c_str())) {
        EXPECT_EQ(small.find_node(otherFirst.c_str()), nullptr);
    }

    small.set_ignore_case(0);
    EXPECT_FALSE(small.erase(upper.c_str()));
    small.set_ignore_case(5);
    EXPECT_EQ(small.ignore_case, 1);
    EXPECT_TRUE(small.erase(upper.c_str()));
    EXPECT_EQ(small.entry_count(), 0);
    EXPECT_FALSE(small.erase(lower.c_str()));
}

TEST(HashTable, EraseKeepsChainsReachable) {
    hash_table t(3);
    std::vector<std::string> keys;
    for (int i = 0; i < 30; i++) {
        keys.push_back("e" + std::to_string(i));
        t.set(keys.back().c_str(), keys.back().c_str(), true);
    }
    // Remove the heads first, then some middle nodes.
    for (int32_t b = 0; b < t.table_size; b++) {
        hash_node* head = t.buckets()[b];
        ASSERT_NE(head, nullptr);
        int before = head->chain_count;
        std::string key = head->key;
        ASSERT_TRUE(t.erase(key.c_str()));
        ASSERT_NE(t.buckets()[b], nullptr);
        EXPECT_EQ(t.buckets()[b]->chain_count, before - 1);
        keys.erase(std::find(keys.begin(), keys.end(), key));
    }
    for (size_t i = 0; i < keys.size(); i += 4) {
        ASSERT_TRUE(t.erase(keys[i].c_str()));
        keys[i].clear();
    }
    expectConsistent(t);
    for (const auto& key : keys) {
        if (key.empty()) continue;
        const char* value = nullptr;
        ASSERT_TRUE(t.get(key.c_str(), &value)) << key;
        EXPECT_EQ(key, value);
    }
    // Emptying a bucket frees its slot.
    hash_table one(1);
    one.set("only", "x", true);
    EXPECT_TRUE(one.erase("only"));
    EXPECT_EQ(one.buckets()[0], nullptr);
    EXPECT_EQ(one.used_roots, 0);
}

TEST(HashTable, GrowByAndDestroy) {
    hash_table t;
    t.set_grow_by(40);
    EXPECT_EQ(t.grow_by, 100);
    t.set_grow_by(250);
    EXPECT_EQ(t.grow_by, 250);
    t.set_grow_by(0);
    t.set_grow_by(-3);
    EXPECT_EQ(t.grow_by, 250);
    t.set("a", "b", true);
    t.destroy();
    EXPECT_EQ(t.buckets(), nullptr);
    EXPECT_EQ(t.table_size, 0);
    EXPECT_EQ(t.grow_by, 100);
    EXPECT_FALSE(t.set("a", "b", true));
    EXPECT_EQ(t.find_node("a"), nullptr);
    EXPECT_FALSE(t.erase("a"));
}

// Values in iteration order; occurrence counting and prefix comparison.
TEST(HashTable, CollectAndFindByValue) {
    hash_table t;
    const char* pairs[][2] = {{"one", "Apple pie"},
                              {"two", "apple tart"},
                              {"three", "plum"},
                              {"four", "apple pie"},
                              {"five", "APPLE"}};
    Model m(250);
    for (auto& p : pairs) {
        t.set(p[0], p[1], true);
        m.insert(p[0]);
    }
    StringVector keys, values;
    EXPECT_EQ(t.collect_pairs(&keys, &values), 5);
    std::vector<std::string> order = m.order();
    for (int i = 0; i < keys.count; i++) {
        EXPECT_EQ(keys.items[i], order[static_cast<size_t>(i)]);
        const char* expected = nullptr;
        t.get(keys.items[i], &expected);
        EXPECT_STREQ(values.items[i], expected);
    }
    // Vectors that are not empty are refused.
    EXPECT_EQ(t.collect_pairs(&keys, &values), 0);
    EXPECT_EQ(keys.count, 5);
    zorakVectorFree(&keys);
    zorakVectorFree(&values);

    std::vector<std::string> appleKeys;
    for (const auto& key : order) {
        const char* v = nullptr;
        t.get(key.c_str(), &v);
        std::string prefix = std::string(v).substr(0, 5);
        for (char& c : prefix)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (prefix == "apple") appleKeys.push_back(key);
    }
    ASSERT_EQ(appleKeys.size(), 4u);
    EXPECT_EQ(t.find_key_by_value("apple", true, 5, 0), appleKeys[0]);
    EXPECT_EQ(t.find_key_by_value("apple", true, 5, 1), appleKeys[0]);
    EXPECT_EQ(t.find_key_by_value("apple", true, 5, 3), appleKeys[2]);
    EXPECT_EQ(t.find_key_by_value("apple", true, 5, 5), nullptr);
    EXPECT_STREQ(t.find_key_by_value("apple pie", false, 0, 0), "four");
    EXPECT_EQ(t.find_key_by_value("apple", false, 0, 0), nullptr);
    EXPECT_STREQ(t.find_key_by_value("PLUMS", true, 4, 0), "three");
    EXPECT_EQ(t.find_key_by_value("", true, 0, 0), nullptr);
}

TEST(HashTable, TrimValues) {
    const struct {
        const char* chars;
        int mode;
        const char* expected;
    } cases[] = {{"", 0, "x-y"}, {nullptr, 1, "x-y \t"}, {"", 2, "\t x-y"}, {"\t x", 0, "-y"}};
    for (const auto& c : cases) {
        hash_table t;
        t.set("k", "\t x-y \t", true);
        t.trim_values(c.chars, c.mode);
        const char* value = nullptr;
        t.get("k", &value);
        EXPECT_STREQ(value, c.expected) << "mode " << c.mode;
    }
}

// clear keeps the bucket array; text that looks like a debug-heap fill
// pattern in keys and values is ordinary data.
TEST(HashTable, ClearKeepsTheBucketArray) {
    hash_table t(300);
    std::string fill(8, '\xDD');
    t.set(fill.c_str(), fill.c_str(), true);
    for (int i = 0; i < 50; i++)
        t.set(std::to_string(i).c_str(), "v", true);
    t.clear();
    EXPECT_EQ(t.table_size, 300);
    EXPECT_EQ(t.entry_count(), 0);
    EXPECT_EQ(t.used_roots, 0);
    EXPECT_EQ(t.max_depth, 0);
    EXPECT_TRUE(t.set("again", "v", true));
    EXPECT_EQ(t.entry_count(), 1);
    std::string report = capture([&] { t.print_internals(0); });
    EXPECT_NE(report.find("table size:\t300\n"), std::string::npos) << report;
    EXPECT_NE(report.find("total nodes:\t1\n"), std::string::npos) << report;
}

TEST(HashTable, Reports) {
    hash_table t(4);
    for (const char* key : {"a", "b", "c", "d", "e", "f", "g"})
        t.set(key, key, true);
    int32_t chain[4];
    for (int i = 0; i < 4; i++)
        chain[i] = t.buckets()[i] ? t.buckets()[i]->chain_count : 0;

    std::string stats = capture([&] { t.print_statistics(); });
    int used = 0;
    for (int c : chain)
        used += c > 0;
    char first[128];
    std::snprintf(first, sizeof first, "7 entries in table, 4 bucket(s) (%.2f%% use)\n",
                  100.0 * used / 4);
    EXPECT_EQ(stats.rfind(first, 0), 0u) << stats;
    EXPECT_NE(stats.find("Buckets with  0 or more entries: " + std::to_string(4 - used) +
                         "\t(Total: 0)\n"),
              std::string::npos)
        << stats;
    EXPECT_NE(stats.find("Buckets with 10 or more entries: 0\t(Total: 0)\n"), std::string::npos);
    char mean[64];
    std::snprintf(mean, sizeof mean, "Mean search distance per entry: %.2f\n", 7.0 / used);
    EXPECT_NE(stats.find(mean), std::string::npos) << stats;

    std::string quiet = capture([&] { t.print_contents(0, false, true); });
    std::string expected;
    for (const auto& key : keysOf(t))
        expected += key + " " + key + "\n";
    EXPECT_EQ(quiet, expected);

    t.set("long", "a value that is longer than twenty characters by far", true);
    std::string full = masked(capture([&] { t.print_contents(0, true, false); }));
    EXPECT_EQ(full.rfind("<pre>\n-----", 0), 0u) << full;
    EXPECT_NE(full.find("hash_table object:0xADDR size:4\n"), std::string::npos) << full;
    EXPECT_NE(full.find("key:'long' => 'a value that is longer than tw...'\n"), std::string::npos)
        << full;
    EXPECT_NE(full.find("   1: 0xADDR key:'"), std::string::npos);
    EXPECT_NE(full.find("\nHash Table Statistics:\nRoot size:4 Found:"), std::string::npos);
    EXPECT_NE(full.find("Nodes:8\n"), std::string::npos);
    EXPECT_EQ(full.substr(full.size() - 7), "</pre>\n");

    std::string internals = masked(capture([&] { t.print_internals(2); }));
    std::string head0 = t.buckets()[0] ? t.buckets()[0]->key : "";
    EXPECT_EQ(internals, "table array:\t0xADDR\ntable size:\t4\nbucket_count:\t8\n"
                         "total nodes:\t8\nmax_depth:\t" +
                             std::to_string(t.max_depth) +
                             "\nis_binary:\tFalse\nignore_case:\tTrue\n"
                             "root node: 0->0xADDR '" +
                             head0 + "'\nroot node: 1->0xADDR '" +
                             (t.buckets()[1] ? t.buckets()[1]->key : "") + "'\n");
    t.destroy();
    EXPECT_EQ(capture([&] { t.print_internals(5); }), "table:\t\tNULL\ntable size:\t0\n");
}

// Lookups answer through an index of case-folded keys; whatever mix of case
// variants a table holds, in tables that grow and in tables that never do,
// they must answer exactly as a walk of the key's bucket chain.
TEST(HashTable, IndexedLookupsAgreeWithTheChainWalk) {
    auto walk = [](const hash_table& t, const char* key) -> const hash_node* {
        for (const hash_node* n = t.buckets()[t.key_hash(key)]; n; n = n->next) {
            if (n->key[0] != key[0] || std::strlen(n->key) != std::strlen(key)) continue;
            bool same = true;
            for (size_t i = 0; key[i] && same; i++)
                same = std::tolower(static_cast<unsigned char>(n->key[i])) ==
                       std::tolower(static_cast<unsigned char>(key[i]));
            if (same) return n;
        }
        return nullptr;
    };
    for (int size : {100, 250}) {
        hash_table table(size);
        uint32_t seed = 7;
        auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
        auto randomKey = [&] {
            std::string key;
            int length = 1 + static_cast<int>(next() >> 28) % 3;
            for (int i = 0; i < length; i++)
                key += "abAB"[(next() >> 20) % 4];
            return key + std::to_string((next() >> 24) % 40);
        };
        for (int step = 0; step < 6000; step++) {
            std::string key = randomKey();
            if ((next() >> 25) % 5 == 0)
                table.erase(key.c_str());
            else
                table.set(key.c_str(), key.c_str());
            std::string probe = randomKey();
            ASSERT_EQ(walk(table, probe.c_str()), table.find_node(probe.c_str()))
                << "size " << size << " step " << step << " probe " << probe;
        }
    }
}

// Growth steps wait until the chains are read. Many steps replayed at once,
// a read between steps, and erases between growth (which read the chains
// first) must all leave the order the model builds step by step.
TEST(HashTable, WaitingGrowthStepsGiveTheModelOrder) {
    hash_table t;
    Model m(250);
    auto erase = [&m](const std::string& key) {
        auto& chain = m.buckets[m.bucketOf(key)];
        for (auto at = chain.begin(); at != chain.end(); ++at) {
            if (*at == key) {
                chain.erase(at);
                return;
            }
        }
    };
    for (int i = 0; i < 12000; i++) {
        std::string key = "w" + std::to_string(i * 13);
        ASSERT_TRUE(t.set(key.c_str(), "v", true));
        m.insert(key);
        ASSERT_EQ(t.table_size, m.size) << "after key " << i;
        ASSERT_EQ(t.used_roots, m.used()) << "after key " << i;
        if (i == 3000) {
            EXPECT_EQ(keysOf(t), m.order());
        }
        if (i % 2500 == 2499) {
            std::string gone = "w" + std::to_string((i / 2) * 13);
            EXPECT_TRUE(t.erase(gone.c_str()));
            erase(gone);
        }
        // The same key again replaces, never links a second node.
        if (i % 997 == 0) {
            ASSERT_TRUE(t.set(key.c_str(), "again", true));
        }
    }
    EXPECT_GT(t.table_size, 2000);
    EXPECT_EQ(keysOf(t), m.order());
    expectConsistent(t);
    const char* value = nullptr;
    ASSERT_TRUE(t.get("w0", &value));
    EXPECT_STREQ(value, "again");
    // Clearing a table whose steps still wait frees every node (asan).
    for (int i = 0; i < 2000; i++)
        t.set(("late" + std::to_string(i)).c_str(), "v", true);
    t.clear();
    EXPECT_EQ(t.entry_count(), 0);
    EXPECT_TRUE(keysOf(t).empty());
}
