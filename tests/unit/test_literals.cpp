#include "interp/interp.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

std::string convert(const char* text) {
    char* out = convert_radix_literals(text);
    std::string result = out;
    std::free(out);
    return result;
}

} // namespace

TEST(NumericLiterals, Radixes) {
    EXPECT_EQ(convert("set a 0x1F"), "set a 31");
    EXPECT_EQ(convert("0X10 &hff &HFf"), "16 255 255");
    EXPECT_EQ(convert("0b101 &b11 0B1 &B0"), "5 3 1 0");
    EXPECT_EQ(convert("0o17 0O7"), "15 7");
    EXPECT_EQ(convert("0x0"), "0");
}

// Only the listed prefixes with a fitting third character are literals.
TEST(NumericLiterals, RunsThatStayAsWritten) {
    for (const char* text : {"0xg1", "0b2", "&hg", "0h10", "&o17", "&x10", "0x", "&h", "0", "&", "",
                             "abc", "10", "0y12"})
        EXPECT_EQ(convert(text), text) << text;
}

TEST(NumericLiterals, QuotesProtectButBracesDoNot) {
    EXPECT_EQ(convert("puts \"0x10\" 0x10"), "puts \"0x10\" 16");
    EXPECT_EQ(convert("{0x10} [0b11]"), "{16} [3]");
    // An escaped quote opens nothing, but it is part of the word it starts.
    EXPECT_EQ(convert("puts \\\"0x10"), "puts \\\"0x10");
    // An unclosed quote protects the rest of the text.
    EXPECT_EQ(convert("\"a 0x10\n0x10"), "\"a 0x10\n0x10");
}

// A literal starts a word or follows a character no word holds; inside a
// word (a hex digest, a name) the text stays as written.
TEST(NumericLiterals, InsideWords) {
    EXPECT_EQ(convert("a10x5"), "a10x5");
    EXPECT_EQ(convert("x0b1y"), "x0b1y");
    EXPECT_EQ(convert("set h deadbeef0b12"), "set h deadbeef0b12");
    EXPECT_EQ(convert("abc0x10 -0x10 (0x10) a+0x10;0x10"), "abc0x10 -16 (16) a+16;16");
    // What follows the digits in the same run stays.
    EXPECT_EQ(convert("0x1F.5"), "31.5");
    EXPECT_EQ(convert("0x10$y"), "16$y");
    EXPECT_EQ(convert("0b1012"), "52");
    EXPECT_EQ(convert("0o78"), "78");
    // A second literal inside the same run is not converted.
    EXPECT_EQ(convert("0x1&h2"), "1&h2");
}

TEST(NumericLiterals, LargeValuesSaturate) {
    EXPECT_EQ(convert("0xFFFFFFFFFFFFFFFF"), "18446744073709551615");
    EXPECT_EQ(convert("0x10000000000000000"), "18446744073709551615");
    EXPECT_EQ(convert(("0b" + std::string(65, '1')).c_str()), "18446744073709551615");
    // Octal literals are signed: they stop at the largest signed value.
    EXPECT_EQ(convert("0o777777777777777777777"), "9223372036854775807");
    EXPECT_EQ(convert("0o1000000000000000000000"), "9223372036854775807");
    EXPECT_EQ(convert("0o7777777777777777777777777"), "9223372036854775807");
}
