// The strict number-word reader behind the number commands: which words are
// numbers, which are out of range, and the 64-bit values at the edges.
#include "expr/number_words.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

NumberWordKind kindOf(const char* text) {
    return zorakReadNumberWord(text).kind;
}

int64_t integerOf(const char* text) {
    NumberWord word = zorakReadNumberWord(text);
    EXPECT_EQ(word.kind, NumberWordKind::Integer) << text;
    return word.integer;
}

TEST(NumberWords, IntegersAtTheEdgesOf64Bits) {
    EXPECT_EQ(integerOf("9223372036854775807"), INT64_MAX);
    EXPECT_EQ(integerOf("-9223372036854775808"), INT64_MIN);
    // up to the unsigned range a decimal wraps as a radix text does
    EXPECT_EQ(integerOf("18446744073709551615"), -1);
    EXPECT_EQ(integerOf("0xffffffffffffffff"), -1);
    EXPECT_EQ(integerOf("&b1"), 1);
    EXPECT_EQ(integerOf("0o777"), 511);
    EXPECT_EQ(integerOf("  +42"), 42);
    EXPECT_EQ(kindOf("18446744073709551616"), NumberWordKind::OutOfRange);
    EXPECT_EQ(kindOf("-9223372036854775809"), NumberWordKind::OutOfRange);
    EXPECT_EQ(kindOf("0x10000000000000000"), NumberWordKind::OutOfRange);
    EXPECT_EQ(kindOf("0o2000000000000000000000"), NumberWordKind::OutOfRange);
}

TEST(NumberWords, FloatsFollowTheFloatingTextRule) {
    EXPECT_EQ(kindOf("2.5"), NumberWordKind::Float);
    EXPECT_EQ(kindOf("-.5"), NumberWordKind::Float);
    EXPECT_EQ(kindOf("5."), NumberWordKind::Float);
    EXPECT_DOUBLE_EQ(zorakReadNumberWord("-.5").real, -0.5);
    // no exponent form; beyond the double range is out of range
    EXPECT_EQ(kindOf("1e5"), NumberWordKind::NotNumber);
    std::string huge = "1" + std::string(400, '0') + ".5";
    EXPECT_EQ(kindOf(huge.c_str()), NumberWordKind::OutOfRange);
}

TEST(NumberWords, MalformedWordsAreNotNumbers) {
    for (const char* text : {"", " ", "-", "+", ".", "abc", "12abc", "1.2.3", "0x", "0xfg",
                             "0b2", "0o8", "&h", "&q1", "-0x10", "42 ", "1 2"})
        EXPECT_EQ(kindOf(text), NumberWordKind::NotNumber) << "'" << text << "'";
    EXPECT_EQ(kindOf(nullptr), NumberWordKind::NotNumber);
}

} // namespace
