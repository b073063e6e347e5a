#include "commands/text_commands.h"

#include <gtest/gtest.h>

#include <cstdint>

TEST(TextInteger, ReadsDecimalAndRadixWords) {
    int64_t value = 0;
    EXPECT_TRUE(zorakTextInteger("42", &value));
    EXPECT_EQ(value, 42);
    EXPECT_TRUE(zorakTextInteger("  -7", &value));
    EXPECT_EQ(value, -7);
    EXPECT_TRUE(zorakTextInteger("+8", &value));
    EXPECT_EQ(value, 8);
    EXPECT_TRUE(zorakTextInteger("0x1F", &value));
    EXPECT_EQ(value, 31);
    EXPECT_TRUE(zorakTextInteger("&hff", &value));
    EXPECT_EQ(value, 255);
    EXPECT_TRUE(zorakTextInteger("0b101", &value));
    EXPECT_EQ(value, 5);
    // The ends of the 64-bit range are read exactly.
    EXPECT_TRUE(zorakTextInteger("-9223372036854775808", &value));
    EXPECT_EQ(value, INT64_MIN);
    EXPECT_TRUE(zorakTextInteger("9223372036854775807", &value));
    EXPECT_EQ(value, INT64_MAX);
}

TEST(TextInteger, RefusesWhatIsNotAWholeNumber) {
    int64_t value = 0;
    // One past the range is refused rather than saturated.
    EXPECT_FALSE(zorakTextInteger("9223372036854775808", &value));
    EXPECT_FALSE(zorakTextInteger("-9223372036854775809", &value));
    EXPECT_FALSE(zorakTextInteger("", &value));
    EXPECT_FALSE(zorakTextInteger("1.5", &value));
    EXPECT_FALSE(zorakTextInteger("12x", &value));
    EXPECT_FALSE(zorakTextInteger("0x", &value));
    EXPECT_FALSE(zorakTextInteger("0xfg", &value));
    EXPECT_FALSE(zorakTextInteger("-", &value));
    EXPECT_FALSE(zorakTextInteger("1 ", &value));
}
