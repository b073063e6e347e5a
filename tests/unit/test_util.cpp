#include "commands/list_core.h"
#include "util/escape.h"
#include "util/heap_text.h"
#include "util/number_text.h"
#include "util/stack.h"
#include "util/wildcard.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string take(char* text) {
    std::string out = text ? text : "<null>";
    std::free(text);
    return out;
}

std::vector<std::string> items(const StringVector& v) {
    std::vector<std::string> out;
    for (int i = 0; i < v.count; i++)
        out.emplace_back(v.items[i]);
    return out;
}

std::vector<std::string> split(std::string_view text) {
    ScopedVector out;
    int count = zorakSplitList(text, &out.get());
    EXPECT_EQ(count, out->count);
    EXPECT_EQ(zorakSplitList(text, nullptr), count) << "count-only differs for: " << text;
    return items(out.get());
}

using Words = std::vector<std::string>;

} // namespace

TEST(HeapText, CopiesAndAppends) {
    EXPECT_EQ(take(zorakStrDup(static_cast<const char*>(nullptr))), "");
    EXPECT_EQ(take(zorakStrDup(std::string_view("abc", 2))), "ab");
    char* text = nullptr;
    zorakStrAppend(&text, "ab"); // creates the text
    zorakStrAppendN(&text, "cdef", 2);
    zorakStrAppendChar(&text, '!');
    zorakStrAppend(&text, nullptr);
    EXPECT_STREQ(text, "abcd!");
    zorakStrAssign(&text, "new");
    EXPECT_STREQ(text, "new");
    zorakStrFree(&text);
    EXPECT_EQ(text, nullptr);
    zorakStrFree(&text); // freeing twice is harmless
    zorakStrFree(nullptr);
}

// Appending a text to itself, or a part of it, survives the block moving.
TEST(HeapText, AppendFromItself) {
    char* text = zorakStrDup("abcdefgh");
    for (int i = 0; i < 6; i++)
        zorakStrAppend(&text, text);
    EXPECT_EQ(std::string(text).size(), 8u * 64u);
    EXPECT_EQ(std::string(text).substr(0, 16), "abcdefghabcdefgh");
    zorakStrAppendN(&text, text + 2, 3);
    EXPECT_EQ(std::string(text).substr(512), "cde");
    zorakStrFree(&text);
}

TEST(StringVector, KeepsANullAfterTheLastItem) {
    StringVector v;
    for (int i = 0; i < 20; i++) {
        zorakVectorAppend(&v, std::to_string(i));
        ASSERT_EQ(v.items[v.count], nullptr);
    }
    zorakVectorInsert(&v, 0, "first");
    zorakVectorInsert(&v, v.count, "last");
    zorakVectorInsert(&v, 999, "clamped"); // past the end goes to the end
    zorakVectorInsert(&v, -5, "front");    // below 0 goes to the front
    EXPECT_EQ(v.count, 24);
    EXPECT_STREQ(v.items[0], "front");
    EXPECT_STREQ(v.items[1], "first");
    EXPECT_STREQ(v.items[v.count - 1], "clamped");
    EXPECT_EQ(v.items[v.count], nullptr);
    zorakVectorRemove(&v, 0);
    zorakVectorRemove(&v, v.count - 1);
    zorakVectorRemove(&v, 500); // out of range: nothing happens
    zorakVectorRemove(&v, -1);
    EXPECT_EQ(v.count, 22);
    EXPECT_STREQ(v.items[0], "first");
    EXPECT_STREQ(v.items[v.count - 1], "last");
    EXPECT_EQ(v.items[v.count], nullptr);
    zorakVectorClear(&v);
    EXPECT_EQ(v.count, 0);
    ASSERT_NE(v.items, nullptr); // the array stays for reuse
    EXPECT_EQ(v.items[0], nullptr);
    zorakVectorAppendOwned(&v, zorakStrDup("again"));
    EXPECT_EQ(items(v), (Words{"again"}));
    zorakVectorFree(&v);
    EXPECT_EQ(v.items, nullptr);
    EXPECT_EQ(v.capacity, 0);
}

TEST(StringVector, PlainCountedVectors) {
    char** names = static_cast<char**>(std::malloc(2 * sizeof(char*)));
    names[0] = zorakStrDup("a");
    names[1] = zorakStrDup("b");
    zorakFreeVector(&names, 2);
    EXPECT_EQ(names, nullptr);
    zorakFreeVector(&names, 0);
}

TEST(Stack, FixedCapacityAndOwnedTexts) {
    Stack* s = zorakStackCreate(2, 1);
    ASSERT_NE(s, nullptr);
    std::string source = "one";
    EXPECT_TRUE(zorakStackPushText(s, source.c_str()));
    source = "changed"; // the stack holds its own copy
    EXPECT_TRUE(zorakStackPushText(s, "two"));
    EXPECT_FALSE(zorakStackPushText(s, "three")); // full: nothing changes
    EXPECT_EQ(s->count, 2);
    EXPECT_STREQ(reinterpret_cast<const char*>(zorakStackPeek(s, 0)), "two");
    EXPECT_STREQ(reinterpret_cast<const char*>(zorakStackPeek(s, 1)), "one");
    EXPECT_EQ(zorakStackPeek(s, 2), 0);
    EXPECT_EQ(zorakStackPeek(s, -1), 0);
    intptr_t out = 0;
    EXPECT_TRUE(zorakStackPop(s, &out));
    EXPECT_STREQ(reinterpret_cast<char*>(out), "two");
    std::free(reinterpret_cast<char*>(out)); // popped into out: the caller owns it
    zorakStackDestroy(s);                    // releases "one"
    EXPECT_FALSE(zorakStackPop(nullptr, nullptr));
}

TEST(Wildcard, Patterns) {
    struct Case {
        const char* pattern;
        const char* text;
        bool matches;
    } cases[] = {
        {"*", "", true},        {"", "", true},           {"", "a", false},
        {"a*", "abc", true},    {"*c", "abc", true},      {"*b*", "abc", true},
        {"a?c", "abc", true},   {"a?c", "ac", false},     {"?", "", false},
        {"**", "x", true},      {"a*b*c", "aXbYc", true}, {"a*b*c", "aXbYd", false},
        {"abc", "abcd", false}, {"abcd", "abc", false},   {"[a]", "[a]", true},
        {"[a]", "a", false},    {"\\*", "\\x", true},     {"*.tcl", "x.tcl.bak", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(zorakWildcardMatch(c.pattern, c.text, false), c.matches)
            << c.pattern << " ~ " << c.text;
}

TEST(Wildcard, CaseFoldingIsAsciiOnly) {
    EXPECT_TRUE(zorakWildcardMatch("S*", "set", true));
    EXPECT_FALSE(zorakWildcardMatch("S*", "set", false));
    EXPECT_TRUE(zorakWildcardMatch("a?C", "AbC", true));
    EXPECT_TRUE(zorakWildcardMatch("[", "[", true));
    EXPECT_FALSE(zorakWildcardMatch("\xc9", "\xe9", true));
    EXPECT_FALSE(zorakWildcardMatch("@", "`", true)); // neighbours of the letters
}

// Many stars against a long text that almost matches: an exponential
// matcher would never finish (the test's time limit catches it).
TEST(Wildcard, NoExponentialBacktracking) {
    std::string text(5000, 'a');
    std::string pattern;
    for (int i = 0; i < 50; i++)
        pattern += "*a";
    pattern += "*b";
    EXPECT_FALSE(zorakWildcardMatch(pattern, text, false));
}

TEST(Escape, ScriptText) {
    EXPECT_EQ(take(zorakEscapeScriptText("a\\b$c[d]{e}f")), "a\\\\b\\$c\\[d\\]\\{e\\}f");
    EXPECT_EQ(take(zorakEscapeScriptText("")), "");
    EXPECT_EQ(take(zorakEscapeScriptText("plain \"text\"")), "plain \"text\"");
    // Only the bytes given count, not a terminator in the middle.
    EXPECT_EQ(take(zorakEscapeScriptText(std::string_view("$x\0$y", 2))), "\\$x");
}

TEST(NumberText, DecimalNumbers) {
    for (const char* yes : {"42", "-1.5", "+.5", ".5", "5.", " 7", "\t-7", "007", "0"})
        EXPECT_TRUE(zorakIsDecimalNumber(yes)) << yes;
    for (const char* no :
         {"", ".", "-", "+-1", "1.2.3", "1e5", "7 ", "- 1", "0x10", "-.", "1a", " ", "--1", "1-"})
        EXPECT_FALSE(zorakIsDecimalNumber(no)) << no;
}

TEST(NumberText, LeadingIntFollowsAtolAndSaturates) {
    EXPECT_EQ(zorakLeadingInt("  +12abc"), 12);
    EXPECT_EQ(zorakLeadingInt("\t\n-7x"), -7);
    EXPECT_EQ(zorakLeadingInt("abc"), 0);
    EXPECT_EQ(zorakLeadingInt("-"), 0);
    EXPECT_EQ(zorakLeadingInt(""), 0);
    EXPECT_EQ(zorakLeadingInt(nullptr), 0);
    EXPECT_EQ(zorakLeadingInt("9223372036854775807"), INT64_MAX);
    EXPECT_EQ(zorakLeadingInt("9223372036854775808"), INT64_MAX);
    EXPECT_EQ(zorakLeadingInt("123456789012345678901234567890"), INT64_MAX);
    EXPECT_EQ(zorakLeadingInt("-9223372036854775808"), INT64_MIN);
    EXPECT_EQ(zorakLeadingInt("-9223372036854775809"), INT64_MIN);
    EXPECT_EQ(zorakLeadingInt("-99999999999999999999999"), INT64_MIN);
    EXPECT_EQ(take(zorakFormatInt(INT64_MIN)), "-9223372036854775808");
    EXPECT_EQ(take(zorakFormatUnsigned(UINT64_MAX)), "18446744073709551615");
}

TEST(ListSplitter, PlainAndBracedElements) {
    EXPECT_EQ(split("a {b c} d"), (Words{"a", "b c", "d"}));
    EXPECT_EQ(split("  a\t\tb  "), (Words{"a", "b"}));
    EXPECT_EQ(split(""), Words{});
    EXPECT_EQ(split(" \t\r\n"), Words{});
    // Empty braced and quoted elements are kept.
    EXPECT_EQ(split("{} \"\" x"), (Words{"", "", "x"}));
    EXPECT_EQ(split("{a {b} c}"), (Words{"a {b} c"}));
    // The character after a closing brace is skipped, whatever it is.
    EXPECT_EQ(split("{a}b c"), (Words{"a", "c"}));
    EXPECT_EQ(split("{a}}b"), (Words{"a", "b"}));
    // A brace inside a bare element is an ordinary character.
    EXPECT_EQ(split("x{y} z"), (Words{"x{y}", "z"}));
    // An unclosed brace takes the rest of the text.
    EXPECT_EQ(split("a {b c "), (Words{"a", "b c "}));
}

TEST(ListSplitter, QuotesBackslashesAndLineEnds) {
    EXPECT_EQ(split("\"a b\" c"), (Words{"a b", "c"}));
    EXPECT_EQ(split("a\"b c\"d"), (Words{"ab c", "d"}));
    // Backslash pairs are kept as written, inside and outside quotes.
    EXPECT_EQ(split("a\\ b c"), (Words{"a\\ b", "c"}));
    EXPECT_EQ(split("\"x\\\"y\""), (Words{"x\\\"y"}));
    EXPECT_EQ(split("tail\\"), (Words{"tail\\"}));
    // Every kind of line end separates, also inside quotes.
    EXPECT_EQ(split("a\r\nb\rc\nd"), (Words{"a", "b", "c", "d"}));
    EXPECT_EQ(split("\"a\nb\""), (Words{"a", "b"}));
    // The last element loses trailing blanks and line ends.
    EXPECT_EQ(split("\"open \t"), (Words{"open"}));
}
