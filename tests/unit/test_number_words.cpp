// The strict number-word reader behind the number commands: which words are
// numbers, which are out of range, and the 64-bit values at the edges.
#include "expr/number_words.h"

#include "interp/errors.h"
#include "interp/registry.h"
#include "interp_fixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

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
    for (const char* text : {"", " ", "-", "+", ".", "abc", "12abc", "1.2.3", "0x", "0xfg", "0b2",
                             "0o8", "&h", "&q1", "-0x10", "42 ", "1 2"})
        EXPECT_EQ(kindOf(text), NumberWordKind::NotNumber) << "'" << text << "'";
    EXPECT_EQ(kindOf(nullptr), NumberWordKind::NotNumber);
}

bool discard(const char*, size_t) {
    return true;
}

// Every number command with up to three hostile words (empty, negative,
// huge, malformed, fractional): each call returns OK, ERROR or the usage
// report's STOP, and a failure leaves an empty result behind it.
TEST_F(InterpTest, NumberCommandsSurviveHostileWords) {
    const char* const names[] = {
        "baseconv",   "convbase", "bintoint",   "hextoint",  "octtoint", "inttobin", "inttohex",
        "inttooct",   "tohex",    "fromhex",    "bit",       "double",   "float",    "int",
        "long",       "short",    "signed",     "unsigned",  "uint",     "ulong",    "ushort",
        "wide",       "char",     "uchar",      "bool",      "sbool",    "true",     "false",
        "fmod",       "fpart",    "fraction",   "vfract",    "integral", "round",    "rnd",
        "srand",      "lrand",    "rndseq",     "randomstr", "range",    "inrange",  "fib",
        "is_numeric", "is_mod",   "ip_to_long", "long_to_ip"};
    const char* const words[] = {"",   "-1",  "abc",     "99999999999999999999",
                                 "0x", "1.5", "1000001", "-9223372036854775808",
                                 "36", "0",   "&hff00"};
    const size_t n = std::size(words);
    ConsoleSink saved = console_state.sink;
    console_state.sink = discard;
    for (const char* name : names) {
        Command* command = zorakGetCommand(interp, name);
        ASSERT_NE(command, nullptr) << name;
        for (size_t combo = 0; combo < 1 + n + n * n + n * n * n; combo++) {
            std::vector<std::string> argv = {name};
            size_t rest = combo;
            if (rest >= 1) {
                rest -= 1;
                size_t count = rest < n ? 1 : (rest < n + n * n ? 2 : 3);
                if (count >= 2) rest -= n;
                if (count == 3) rest -= n * n;
                for (size_t i = 0; i < count; i++, rest /= n)
                    argv.emplace_back(words[rest % n]);
            }
            std::vector<char*> raw;
            for (std::string& word : argv)
                raw.push_back(word.data());
            raw.push_back(nullptr);
            zorakSetResult(interp, "stale", 0);
            int code = command->handler(interp, static_cast<int>(argv.size()), raw.data(),
                                        command->private_data);
            std::string call;
            for (const std::string& word : argv)
                call += "{" + word + "} ";
            EXPECT_TRUE(code == OK || code == ERROR || code == STOP) << call << code;
            if (code == ERROR) {
                EXPECT_EQ(result(), "") << call;
            }
        }
    }
    console_state.sink = saved;
}

} // namespace
