#include "commands/list_core.h"
#include "commands/string_core.h"
#include "util/heap_text.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {
constexpr size_t npos = std::string_view::npos;
}

TEST(StringFind, FirstAndLastExactAndCaseBlind) {
    EXPECT_EQ(zorakStringFind("abcabc", "bc", false, false), 1u);
    EXPECT_EQ(zorakStringFind("abcabc", "bc", false, true), 4u);
    EXPECT_EQ(zorakStringFind("abcabc", "BC", false, false), npos);
    EXPECT_EQ(zorakStringFind("abcabc", "BC", true, false), 1u);
    EXPECT_EQ(zorakStringFind("abcabc", "BC", true, true), 4u);
    // Case folding is ASCII only: bytes above 127 compare exactly.
    EXPECT_EQ(zorakStringFind("x\xC4y", "\xE4", true, false), npos);
    // A find longer than the text, and an absent one, are never found.
    EXPECT_EQ(zorakStringFind("ab", "abc", true, false), npos);
    EXPECT_EQ(zorakStringFind("ab", "abc", true, true), npos);
    EXPECT_EQ(zorakStringFind("abc", "x", true, true), npos);
    // An empty find sits at the start, or at the end for the last one.
    EXPECT_EQ(zorakStringFind("abc", "", true, false), 0u);
    EXPECT_EQ(zorakStringFind("abc", "", false, true), 3u);
}

TEST(StringTrim, EndsAndSets) {
    EXPECT_EQ(zorakStringTrim("xxaxbxx", "x", true, true), "axb");
    EXPECT_EQ(zorakStringTrim("xxaxbxx", "x", true, false), "axbxx");
    EXPECT_EQ(zorakStringTrim("xxaxbxx", "x", false, true), "xxaxb");
    EXPECT_EQ(zorakStringTrim("xyxy", "yx", true, true), "");
    EXPECT_EQ(zorakStringTrim("xyxy", "yx", false, true), "");
    EXPECT_EQ(zorakStringTrim(" a ", "", true, true), " a ");
}

TEST(HeapText, AppendAtAKnownLength) {
    char* text = nullptr;
    size_t length = zorakStrAppendAt(&text, 0, "ab", 2);
    length = zorakStrAppendAt(&text, length, "cde", 3);
    EXPECT_EQ(length, 5u);
    EXPECT_STREQ(text, "abcde");
    // The text may come from the destination itself.
    length = zorakStrAppendAt(&text, length, text + 1, 3);
    EXPECT_STREQ(text, "abcdebcd");
    EXPECT_EQ(length, 8u);
    std::free(text);
}

TEST(SplitFields, CharactersLiteralAndEmpty) {
    using Fields = std::vector<std::string>;
    EXPECT_EQ(zorakSplitFields("a,b;;c", ",;", false), (Fields{"a", "b", "", "c"}));
    EXPECT_EQ(zorakSplitFields("a::b:c", "::", true), (Fields{"a", "b:c"}));
    EXPECT_EQ(zorakSplitFields("ab", "", false), (Fields{"a", "b"}));
    EXPECT_EQ(zorakSplitFields("", ",", false), (Fields{""}));
}
