#include "commands/list_core.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

using Words = std::vector<std::string>;

Words items(const StringVector& v) {
    Words out;
    for (int i = 0; i < v.count; i++)
        out.emplace_back(v.items[i]);
    return out;
}

Words scan(std::string_view text, bool keepEmpty = true, bool* quoteLineEnd = nullptr) {
    ScopedVector out;
    ListScanOptions options;
    options.keep_empty = keepEmpty;
    int count = zorakScanList(text, &out.get(), options, quoteLineEnd);
    EXPECT_EQ(count, out->count);
    ListScanOptions countOnly = options;
    countOnly.count_only = true;
    EXPECT_EQ(zorakScanList(text, nullptr, countOnly), count) << "count-only differs: " << text;
    return items(out.get());
}

Words split(std::string_view text) {
    ScopedVector out;
    int count = zorakSplitList(text, &out.get());
    EXPECT_EQ(count, out->count);
    return items(out.get());
}

std::string build(const Words& words) {
    std::vector<const char*> pointers;
    for (const std::string& w : words)
        pointers.push_back(w.c_str());
    return zorakBuildList(static_cast<int>(pointers.size()), pointers.data());
}

} // namespace

TEST(ListBuilder, WritesEachWordByItsRule) {
    EXPECT_EQ(build({}), "");
    EXPECT_EQ(build({"a", "b c", "", "{d}"}), "a {b c} {} {d}");
    EXPECT_EQ(build({"x\ty"}), "{x\ty}");
    // Nothing is escaped: quotes, brackets, dollars, backslashes, line ends.
    EXPECT_EQ(build({"\"q\"", "[c]", "$v", "a\\b", "l\nm"}), "\"q\" [c] $v a\\b l\nm");
    // A word that starts with a brace is written as it is, blanks or not.
    EXPECT_EQ(build({"{a b"}), "{a b");
    char* text = zorakBuildListText(2, std::vector<const char*>{"p", ""}.data());
    EXPECT_STREQ(text, "p {}");
    std::free(text);
}

TEST(ListBuilder, AwkwardWordsSurviveARoundTrip) {
    const Words awkward = {
        "",   "plain",           "two words",         "tab\there", " lead", "trail ", "back\\slash",
        "\\", "in {braces} too", "a \"quoted\" part", "{}x y"};
    for (const std::string& word : awkward) {
        if (!word.empty() && word.front() == '{') continue; // written unbraced by design
        std::string list = build({"first", word, "last"});
        EXPECT_EQ(scan(list), (Words{"first", word, "last"})) << list;
    }
    // The splitter recovers the same words, except a bare word ending in a
    // backslash (the backslash takes the separator with it).
    for (const std::string& word : awkward) {
        if (!word.empty() && (word.front() == '{' || word == "\\")) continue;
        std::string list = build({"first", word, "last"});
        EXPECT_EQ(split(list), (Words{"first", word, "last"})) << list;
    }
}

TEST(ListBuilder, WhatDoesNotRoundTrip) {
    // A leading brace is kept as written, so the scanner takes it as braces.
    EXPECT_EQ(scan(build({"{x}"})), Words{"x"});
    // A bare word with a quote: the quote groups when read back.
    EXPECT_EQ(scan(build({"a\"b", "c\""})), Words{"ab c"});
    // Line ends are not braced and separate again.
    EXPECT_EQ(scan(build({"l\nm"})), (Words{"l", "m"}));
}

TEST(ListBuilder, RandomWordsRoundTrip) {
    std::mt19937 random(7);
    const char alphabet[] = {'a', 'b', ' ', '\t', '\\', '$', '[', ']'};
    for (int round = 0; round < 500; round++) {
        Words words;
        int n = static_cast<int>(random() % 6);
        for (int i = 0; i < n; i++) {
            std::string word;
            int length = static_cast<int>(random() % 6);
            for (int k = 0; k < length; k++)
                word += alphabet[random() % sizeof alphabet];
            if (random() % 4 == 0) word += " {x y}";
            words.push_back(word);
        }
        std::string list = build(words);
        ASSERT_EQ(scan(list), words) << "scanner: " << list;
        bool bareBackslash = false;
        for (const std::string& w : words)
            if (!w.empty() && w.back() == '\\' && w.find_first_of(" \t") == std::string::npos)
                bareBackslash = true;
        if (!bareBackslash) {
            ASSERT_EQ(split(list), words) << "splitter: " << list;
        }
    }
}

TEST(ListScanner, TabsQuotesAndEmptyElements) {
    // A tab outside braces and quotes neither separates nor belongs.
    EXPECT_EQ(scan("a\tb"), Words{"ab"});
    EXPECT_EQ(scan("a b"), (Words{"a", "b"}));
    EXPECT_EQ(scan("{a\tb}"), Words{"a\tb"});
    // {} and "" count only with keep-empty.
    EXPECT_EQ(scan("{} \"\" x"), (Words{"", "", "x"}));
    EXPECT_EQ(scan("{} \"\" x", false), Words{"x"});
    EXPECT_EQ(scan("x {}", false), Words{"x"});
    EXPECT_EQ(scan(""), Words{});
    EXPECT_EQ(scan(" \r\n\t "), Words{});
    // Runs of separators count once; CR LF is one line end.
    EXPECT_EQ(scan("  a \r\n\r\n b  "), (Words{"a", "b"}));
    // Inner braces stay; quotes inside braces are characters.
    EXPECT_EQ(scan("{a {b} \"c\"} d"), (Words{"a {b} \"c\"", "d"}));
    // Quotes group at depth 0; braces inside quotes are characters.
    EXPECT_EQ(scan("\"a b\" c"), (Words{"a b", "c"}));
    EXPECT_EQ(scan("\"x {y\" z}"), (Words{"x {y", "z}"}));
    // An unclosed brace takes the rest.
    EXPECT_EQ(scan("a {b c"), (Words{"a", "b c"}));
}

TEST(ListScanner, QuoteBeforeLineEnd) {
    bool flag = false;
    scan("\"a\"\nb", true, &flag);
    EXPECT_TRUE(flag);
    scan("\"a\" b", true, &flag);
    EXPECT_FALSE(flag);
    scan("\"a\"\r\nb", true, &flag);
    EXPECT_TRUE(flag);
    // Trailing line ends are not part of the list.
    scan("\"a\"\n", true, &flag);
    EXPECT_FALSE(flag);
}

TEST(ListScanner, DiffersFromTheSplitter) {
    // The splitter separates at tabs, keeps backslash pairs and always keeps
    // empty braced elements; the scanner drops tabs and keeps empties only
    // on request.
    EXPECT_EQ(split("a\tb"), (Words{"a", "b"}));
    EXPECT_EQ(scan("a\tb"), Words{"ab"});
    EXPECT_EQ(split("a\\ b"), Words{"a\\ b"});
    EXPECT_EQ(scan("a\\ b"), (Words{"a\\", "b"}));
    EXPECT_EQ(split("{}"), Words{""});
    EXPECT_EQ(scan("{}", false), Words{});
}

TEST(ListBraced, JoinRuleOfTheRangeCommands) {
    std::string out;
    zorakListAppendBraced(&out, "a", true);
    zorakListAppendBraced(&out, "b c", false);
    zorakListAppendBraced(&out, "", false);
    zorakListAppendBraced(&out, "d\te", false);
    zorakListAppendBraced(&out, "f\tg", false, false);
    EXPECT_EQ(out, "a {b c}  {d\te} f\tg");
}
