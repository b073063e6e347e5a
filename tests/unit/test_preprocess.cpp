#include "interp/interp.h"
#include "preproc/preprocess.h"
#include "shell/settings.h"
#include "util/heap_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Outcome {
    int code;
    std::string text;
};

// Preprocesses a copy of script with messages silenced.
Outcome run(const std::string& script, bool evaluate = false) {
    int16_t echo = zorakSettings.error_echo;
    zorakSettings.error_echo = 0;
    char* text = zorakStrDup(script);
    int code = preprocess(&text, evaluate ? 1 : 0, 0, 0);
    Outcome outcome{code, text ? text : ""};
    zorakStrFree(&text);
    zorakSettings.error_echo = echo;
    return outcome;
}

} // namespace

TEST(Preprocess, CommentsLeaveLineBreaksOnlyAfterText) {
    EXPECT_EQ(run("# only a comment\n").text, "");
    EXPECT_EQ(run("# only a comment\n").code, 0);
    EXPECT_EQ(run("set a 1 ;# note\nset b 2").text, "set a 1 ;\r\nset b 2");
    EXPECT_EQ(run("a /* gone\nstill gone */b").text, "a b");
    EXPECT_EQ(run("puts {x # y}\n}").text, "puts {x \r\n}") << "a # inside braces still comments";
    EXPECT_EQ(run("puts \"x # y\"").text, "puts \"x # y\"");
}

TEST(Preprocess, MacrosReplaceWordsOutsideQuotes) {
    EXPECT_EQ(run("#define PI 3.14159\nputs PI\n").text, "puts 3.14159\n");
    EXPECT_EQ(run("#define PI 3.14159\nputs \"PI\" x\n").text, "puts \"PI\" x\n");
    EXPECT_EQ(run("#define A B\n#define B 7\nputs A\n").text, "puts 7\n");
    EXPECT_EQ(run("puts xTrue\n").text, "puts x1\n") << "a macro that ends a longer word";
    EXPECT_EQ(run("puts True").text, "puts True") << "no delimiter after the last word";
    EXPECT_EQ(run("#define E\nputs E\n").text, "puts 1\n") << "an empty value defines 1";
    EXPECT_EQ(run("#define Q \"a b\"\nputs {Q}\n").text, "puts {a b}\n");
    EXPECT_EQ(run("#define L __LINE__\n\nputs __LINE__\n").text, "\nputs 3\n");
}

TEST(Preprocess, SelfReferringMacrosStayBounded) {
    EXPECT_EQ(run("#define A A\nputs A\n").text, "puts A\n");
    EXPECT_EQ(run("#define A B\n#define B A\nputs A B\n").text, "puts B B\n");
}

TEST(Preprocess, ConditionalBranches) {
    EXPECT_EQ(run("#ifdef X\none\n#else\ntwo\n#endif\n").text, "two\n");
    EXPECT_EQ(run("#define X\n#ifdef X\none\n#else\ntwo\n#endif\n").text, "one\n");
    EXPECT_EQ(run("#ifndef X\none\n#endif\n").text, "one\n");
    EXPECT_EQ(run("#if 0\nskipped\n#endif\nkept\n", true).text, "kept\n");
    EXPECT_EQ(run("#if 1\nkept\n#endif\n", true).text, "kept\n");
    EXPECT_EQ(run("#ifdef X\none\n").code, -1);
    EXPECT_EQ(run("one\n#endif\n").code, -2);
    // Unknown commands fail rather than run as programs.
    int16_t autoexec = zorakSettings.autoexec;
    zorakSettings.autoexec = 0;
    EXPECT_EQ(run("#if [nosuchcommand_here]\nx\n#endif\n", true).code, -1);
    EXPECT_EQ(run("#exec nosuchcommand_here\nx\n", true).code, -9);
    zorakSettings.autoexec = autoexec;
}

TEST(Preprocess, EscapesAndLineJoining) {
    EXPECT_EQ(run("a\\tb\\nc").text, "a\tb\nc");
    EXPECT_EQ(run("\\x41\\101").text, "AA");
    // A decoded quote stays escaped, so it cannot end a quoted word; a zero
    // byte arrives as the text \x00.
    EXPECT_EQ(run("\\x00\\x22\\042").text, "\\\\x00\\\"\\\"");
    EXPECT_EQ(run("\\0").text, "?");
    EXPECT_EQ(run("a \\\"b\\\\ \\$").text, "a \\\"b\\\\ \\$");
    EXPECT_EQ(run("one \\\n   two").text, "one    two");
    EXPECT_EQ(run("bad \\x4 escape").code, -3);
    int16_t escape = zorakSettings.escape;
    zorakSettings.escape = 0;
    EXPECT_EQ(run("a\\tb").text, "a\\tb");
    zorakSettings.escape = escape;
}

TEST(Preprocess, BalanceChecks) {
    EXPECT_EQ(run("puts \"a").code, -4);
    EXPECT_EQ(run("proc p {} {\nputs x\n").code, -5);
    EXPECT_EQ(run("puts }").code, -5);
    EXPECT_EQ(run("puts [x").code, -6);
    EXPECT_EQ(run("puts (x").code, -7);
    EXPECT_EQ(run("puts \"{[(\"").code, 10) << "quoted text is not counted";
}

TEST(Preprocess, ExitAndNullText) {
    EXPECT_EQ(run("a\n#exit\nb\n").text, "a\n");
    EXPECT_EQ(run("a\n#exit 3\nb\n").code, -12);
    EXPECT_EQ(preprocess(nullptr, 1, 0, 0), -10);
}

// Random text never makes the scan read or write outside it.
TEST(Preprocess, RandomTextIsSafe) {
    uint32_t seed = 12345;
    const char alphabet[] = "ab #/*\\\"{}[]()\nx01'$;\t";
    for (int round = 0; round < 3000; round++) {
        std::string text;
        int size = static_cast<int>(seed % 64);
        for (int i = 0; i < size; i++) {
            seed = seed * 1103515245u + 12345u;
            text += alphabet[(seed >> 16) % (sizeof alphabet - 1)];
        }
        seed = seed * 1103515245u + 12345u;
        run(text);
    }
}
