#include "vars/dicts.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string update(const char* nested, std::initializer_list<const char*> path, const char* value,
                   NestedUpdate expected = NestedUpdate::Replaced) {
    std::string out;
    EXPECT_EQ(
        zorakDictNestedUpdate(nested, static_cast<int>(path.size()), path.begin(), value, &out),
        expected);
    return out;
}

TEST(DictText, WordsAreBracedWhenTheyWouldNotReadBackAsOne) {
    std::string out;
    for (const char* word : {"plain", "", "two words", "tab\there", "line\nend"})
        zorakDictAppendWord(&out, word);
    EXPECT_EQ(out, "plain {} {two words} {tab\there} {line\nend}");
    ScopedVector items;
    EXPECT_EQ(zorakDictSplit(out, &items.get()), 5);
    EXPECT_STREQ(items->items[4], "line\nend");
}

TEST(DictText, BracesAloneAreAnEmptyDictionary) {
    EXPECT_EQ(zorakDictSplit("{}", nullptr), 0);
    EXPECT_EQ(zorakDictSplit("{} {}", nullptr), 2);
}

TEST(DictText, NestingOpensOneLevelPerKey) {
    const char* keys[] = {"a", "b", "c"};
    EXPECT_EQ(zorakDictNest(1, keys, "5"), "a 5");
    EXPECT_EQ(zorakDictNest(3, keys, "5"), "a {b {c 5}}");
    EXPECT_EQ(zorakDictNest(2, keys, "x y"), "a {b {x y}}");
    EXPECT_EQ(zorakDictNest(1, keys, ""), "a {}");
}

TEST(DictText, NestedUpdateReplacesAppendsAndRefuses) {
    EXPECT_EQ(update("b {c 5}", {"b", "c"}, "6"), "b {c 6}");
    // A key missing below the first level is added at that level.
    EXPECT_EQ(update("b {c 5}", {"b", "d", "e"}, "7"), "b {c 5 d {e 7}}");
    update("b 1", {"z"}, "2", NestedUpdate::Missing);
    update("b 1 c", {"b"}, "2", NestedUpdate::Inconsistent);
    update("b flat", {"b", "c"}, "2", NestedUpdate::Inconsistent);
    // Repeated keys: the first pair is the one followed.
    EXPECT_EQ(update("k 1 k 2", {"k"}, "3"), "k 3 k 2");
    const char* path[] = {"b"};
    char* text = dict_nested_update("b 1", 1, path, "2");
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text, "b 2");
    zorakStrFree(&text);
    EXPECT_EQ(dict_nested_update("a 1", 1, path, "2"), nullptr);
}

TEST(DictText, LookupFindsTheFirstPairAndReportsOddValues) {
    std::string found;
    EXPECT_EQ(zorakDictLookup("a 1 a 2", "a", &found), DictLookup::Found);
    EXPECT_EQ(found, "1");
    EXPECT_EQ(zorakDictLookup("a 1", "b", &found), DictLookup::Missing);
    EXPECT_EQ(zorakDictLookup("a 1 b", "a", &found), DictLookup::Odd);
    // A large value answers the same the second time (from its index), and
    // a different text of the same size is not taken for it.
    std::string big, other;
    for (int i = 0; i < 1000; i++) {
        big += "k" + std::to_string(i) + " v" + std::to_string(i) + " ";
        other += "k" + std::to_string(i) + " w" + std::to_string(i) + " ";
    }
    for (int round = 0; round < 3; round++) {
        EXPECT_EQ(zorakDictLookup(big, "k999", &found), DictLookup::Found);
        EXPECT_EQ(found, "v999");
    }
    EXPECT_EQ(zorakDictLookup(other, "k999", &found), DictLookup::Found);
    EXPECT_EQ(found, "w999");
    EXPECT_EQ(zorakDictLookup(other, "k999", &found), DictLookup::Found);
    EXPECT_EQ(found, "w999");
}

} // namespace
