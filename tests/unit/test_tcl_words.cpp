// The number texts that format, scan and binary share, and the inputs the
// preprocessor would refuse in a script file (unbalanced brackets and braces).
#include "commands/tcl_words.h"

#include "interp_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

TEST(TclWordNumbers, ShortestDoubleReadsBackAndKeepsItsForm) {
    EXPECT_EQ(zorakShortestDouble(350), "350.0");
    EXPECT_EQ(zorakShortestDouble(0.1), "0.1");
    EXPECT_EQ(zorakShortestDouble(-0.05), "-0.05");
    EXPECT_EQ(zorakShortestDouble(1e-5), "1e-5");
    EXPECT_EQ(zorakShortestDouble(0.0001), "0.0001");
    EXPECT_EQ(zorakShortestDouble(1e16), "10000000000000000.0");
    EXPECT_EQ(zorakShortestDouble(1e17), "1e+17");
    EXPECT_EQ(zorakShortestDouble(123456789012345678.0), "1.2345678901234568e+17");
    EXPECT_EQ(zorakShortestDouble(std::numeric_limits<double>::infinity()), "Inf");
    EXPECT_EQ(zorakShortestDouble(-std::numeric_limits<double>::infinity()), "-Inf");
    EXPECT_EQ(zorakShortestDouble(std::numeric_limits<double>::denorm_min()), "5e-324");
    // Every value comes back exactly.
    for (double v : {1.0 / 3, 2.0 / 3e200, 6.02214076e23, 9007199254740993.0, 0.3})
        EXPECT_EQ(std::stod(zorakShortestDouble(v)), v) << v;
}

TEST(TclWordNumbers, StrictIntegerTakesWholeTextsOnly) {
    int64_t v = 0;
    EXPECT_TRUE(zorakStrictInteger(" -42 ", &v));
    EXPECT_EQ(v, -42);
    EXPECT_TRUE(zorakStrictInteger("0x1F", &v));
    EXPECT_EQ(v, 31);
    EXPECT_TRUE(zorakStrictInteger("&hff", &v));
    EXPECT_EQ(v, 255);
    EXPECT_TRUE(zorakStrictInteger("-0b101", &v));
    EXPECT_EQ(v, -5);
    EXPECT_TRUE(zorakStrictInteger("0o17", &v));
    EXPECT_EQ(v, 15);
    EXPECT_TRUE(zorakStrictInteger("18446744073709551615", &v));
    EXPECT_EQ(v, -1);
    for (const char* bad : {"", " ", "-", "0x", "12x", "1.5", "1e3", "- 5", "0b2", "&q1"})
        EXPECT_FALSE(zorakStrictInteger(bad, &v)) << bad;
}

TEST(TclWordNumbers, DoubleScanTakesTheLongestNumber) {
    double v = 0;
    EXPECT_EQ(zorakScanDoubleText("3.5e2x", &v), 5u);
    EXPECT_EQ(v, 350);
    EXPECT_EQ(zorakScanDoubleText("1e", &v), 1u);
    EXPECT_EQ(zorakScanDoubleText("1.5e+", &v), 3u);
    EXPECT_EQ(zorakScanDoubleText("-.5", &v), 3u);
    EXPECT_EQ(zorakScanDoubleText("Infinity!", &v), 8u);
    EXPECT_TRUE(std::isinf(v));
    for (const char* none : {"", ".", "-", "e5", "nan", "0x"})
        EXPECT_EQ(zorakScanDoubleText(none, &v), none[0] == '0' ? 1u : 0u) << none;
    EXPECT_FALSE(zorakStrictDouble("NaN", &v));
    EXPECT_TRUE(zorakStrictDouble(" 0x10 ", &v));
    EXPECT_EQ(v, 16);
}

class TclWordScripts : public InterpTest {};

// Unbalanced texts reach the commands only from variables or the evaluator,
// never from a script file, so they are tried here.
TEST_F(TclWordScripts, UnbalancedTextsFailCleanly) {
    EXPECT_EQ(eval("scan abc {%[abc}"), 1);
    EXPECT_EQ(eval("scan abc {%[^}"), 1);
    EXPECT_EQ(eval("subst {a [string length x}"), 1);
    EXPECT_EQ(eval("subst {${open}"), 1);
    EXPECT_EQ(eval("set a(x) 1; subst {$a(x}"), 1);
    EXPECT_EQ(eval("scan {a]b} {%[]a]%s}"), 0);
    EXPECT_EQ(result(), "a] b");
}

TEST_F(TclWordScripts, HugeCountsAreRefusedNotAllocated) {
    EXPECT_EQ(eval("format %999999999999999999999d 1"), 1);
    EXPECT_EQ(eval("format %.*f 2147483648 1"), 1);
    EXPECT_EQ(eval("binary format a99999999999 x"), 1);
    EXPECT_EQ(eval("binary scan abc a99999999999 v"), 1);
    EXPECT_EQ(eval("scan abc %99999999999s"), 1);
    // A large but allowed width is filled.
    EXPECT_EQ(eval("string length [format %100000d 1]"), 0);
    EXPECT_EQ(result(), "100000");
}

} // namespace
