// The console layer: colour names and numbers, the attribute as ANSI colours,
// terminal key sequences, bounded writes, and single keys read from a file.
#include "console/console.h"
#include "zorak.h"

#if !defined(_WIN32)
#include "platform/posix/ansi_colour.h"
#include "platform/posix/ansi_keys.h"
#endif

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

static_assert(sizeof(ConsoleTextInfo) == 11, "the text-info record is eleven bytes");

TEST(ColourFromText, NamesInAnyCase) {
    const char* names[16] = {"black",    "DarkBlue",    "DARKGREEN",  "darkcyan",
                             "DarkRed",  "darkmagenta", "DarkYellow", "grey",
                             "darkgrey", "Blue",        "green",      "CYAN",
                             "red",      "Magenta",     "YELLOW",     "white"};
    for (int i = 0; i < 16; i++)
        EXPECT_EQ(colour_from_text(names[i]), i) << names[i];
    EXPECT_EQ(colour_from_text("GRAY"), 7);
    EXPECT_EQ(colour_from_text("darkgray"), 8);
    EXPECT_EQ(colour_from_text("DarkGray"), 8);
}

TEST(ColourFromText, NumbersCarryAWholeAttribute) {
    EXPECT_EQ(colour_from_text("31"), 0x1F);
    EXPECT_EQ(colour_from_text("256"), 0);
    EXPECT_EQ(colour_from_text("300"), 44);
    EXPECT_EQ(colour_from_text("-1"), 0xFF);
    EXPECT_EQ(colour_from_text("+5"), 5);
    EXPECT_EQ(colour_from_text("1.9"), 1);
    EXPECT_EQ(colour_from_text("-"), 0);
    // Far beyond a long: the value saturates instead of overflowing.
    EXPECT_EQ(colour_from_text("99999999999999999999999"), 0xFF);
}

TEST(ColourFromText, EverythingElseIsGrey) {
    EXPECT_EQ(colour_from_text(nullptr), 0);
    EXPECT_EQ(colour_from_text(""), 0);
    EXPECT_EQ(colour_from_text("orange"), 7);
    EXPECT_EQ(colour_from_text("xyz"), 7);
    EXPECT_EQ(colour_from_text("1.2.3"), 7);
    EXPECT_EQ(colour_from_text("12a"), 7);
    EXPECT_EQ(colour_from_text(" 12"), 7);
    EXPECT_EQ(colour_from_text("magenta "), 7);
}

#if !defined(_WIN32)
static std::string sequenceFor(uint8_t attribute) {
    char out[32];
    size_t n = ansiSequenceForAttribute(attribute, out, sizeof out);
    return std::string(out, n);
}

TEST(AnsiColour, AttributeToSequence) {
    EXPECT_EQ(sequenceFor(7), "\x1b[0m");
    // Bright colours use the 90s; the console's blue-green-red order is
    // ANSI's red-green-blue.
    EXPECT_EQ(sequenceFor(13), "\x1b[0;95m");
    EXPECT_EQ(sequenceFor(1), "\x1b[0;34m");
    EXPECT_EQ(sequenceFor(4), "\x1b[0;31m");
    EXPECT_EQ(sequenceFor(6), "\x1b[0;33m");
    EXPECT_EQ(sequenceFor(3), "\x1b[0;36m");
    EXPECT_EQ(sequenceFor(8), "\x1b[0;90m");
    EXPECT_EQ(sequenceFor(15), "\x1b[0;97m");
    EXPECT_EQ(sequenceFor(0), "\x1b[0;30m");
    // A background other than black names both colours.
    EXPECT_EQ(sequenceFor(0x1F), "\x1b[0;97;44m");
    EXPECT_EQ(sequenceFor(0x70), "\x1b[0;30;47m");
    EXPECT_EQ(sequenceFor(0xE0), "\x1b[0;30;103m");
    EXPECT_EQ(sequenceFor(0x47), "\x1b[0;37;41m");
}

TEST(AnsiColour, ShortBufferStaysTerminated) {
    char out[5];
    size_t n = ansiSequenceForAttribute(0x1F, out, sizeof out);
    EXPECT_EQ(n, 4u);
    EXPECT_EQ(std::string(out), "\x1b[0;");
}

TEST(AnsiKeys, CursorPagingAndFunctionKeys) {
    struct Case {
        const char* sequence;
        int prefix, scan;
    } cases[] = {{"[A", 224, 72},    {"[B", 224, 80},    {"[C", 224, 77},    {"[D", 224, 75},
                 {"OA", 224, 72},    {"[H", 224, 71},    {"[F", 224, 79},    {"[1~", 224, 71},
                 {"[4~", 224, 79},   {"[2~", 224, 82},   {"[3~", 224, 83},   {"[5~", 224, 73},
                 {"[6~", 224, 81},   {"OP", 0, 59},      {"OS", 0, 62},      {"[15~", 0, 63},
                 {"[21~", 0, 68},    {"[23~", 224, 133}, {"[24~", 224, 134}, {"[[A", 0, 59},
                 {"[1;5C", 224, 77}, {"[Z", 0, 15}};
    for (const Case& c : cases) {
        AnsiKey key = ansiKeyFromSequence(c.sequence);
        EXPECT_EQ(key.prefix, c.prefix) << c.sequence;
        EXPECT_EQ(key.scan, c.scan) << c.sequence;
    }
}

TEST(AnsiKeys, PartialAndUnknownSequences) {
    EXPECT_FALSE(ansiKeySequenceComplete("["));
    EXPECT_FALSE(ansiKeySequenceComplete("[1;5"));
    EXPECT_FALSE(ansiKeySequenceComplete("O"));
    EXPECT_FALSE(ansiKeySequenceComplete("[["));
    EXPECT_TRUE(ansiKeySequenceComplete("[15~"));
    EXPECT_EQ(ansiKeyFromSequence("[15").prefix, -1);
    EXPECT_EQ(ansiKeyFromSequence("[99~").prefix, -1);
    EXPECT_EQ(ansiKeyFromSequence("[?1h").prefix, -1);
    EXPECT_EQ(ansiKeyFromSequence("[99999999999999~").prefix, -1);
    EXPECT_EQ(ansiKeyFromSequence("x").prefix, -1);
}
#endif

namespace {

std::vector<std::string> chunks;
bool failAfterFirst = false;

bool recordChunk(const char* data, size_t size) {
    if (failAfterFirst && !chunks.empty()) return false;
    chunks.emplace_back(data, size);
    return true;
}

class ConsoleWrites : public ::testing::Test {
  protected:
    void SetUp() override {
        chunks.clear();
        failAfterFirst = false;
        console_state = ConsoleState{};
        console_state.output_handle = 1;
        console_state.console_open = 1;
        console_state.sink = recordChunk;
    }
    void TearDown() override { console_state = ConsoleState{}; }
};

} // namespace

TEST_F(ConsoleWrites, LongTextGoesOutInBoundedChunks) {
    std::string text(kConsoleWriteChunk + 1, 'x');
    EXPECT_TRUE(SafeWriteFile(text.c_str()));
    ASSERT_EQ(chunks.size(), 2u);
    EXPECT_EQ(chunks[0].size(), 52224u);
    EXPECT_EQ(chunks[1].size(), 1u);

    chunks.clear();
    text.assign(kConsoleWriteChunk, 'y');
    EXPECT_TRUE(SafeWriteFile(text.c_str()));
    ASSERT_EQ(chunks.size(), 1u);

    chunks.clear();
    text.assign(3 * kConsoleWriteChunk + 7, 'z');
    EXPECT_TRUE(SafeWriteFile(text.c_str()));
    ASSERT_EQ(chunks.size(), 4u);
    EXPECT_EQ(chunks[3].size(), 7u);
}

TEST_F(ConsoleWrites, LineEndIsNeverCutInTwo) {
    std::string text(kConsoleWriteChunk - 1, 'a');
    text += "\r\nb";
    EXPECT_TRUE(SafeWriteFile(text.c_str()));
    ASSERT_EQ(chunks.size(), 2u);
    EXPECT_EQ(chunks[0].size(), kConsoleWriteChunk - 1);
    EXPECT_EQ(chunks[1], "\r\nb");
}

TEST_F(ConsoleWrites, FailedWriteStopsTheText) {
    failAfterFirst = true;
    std::string text(2 * kConsoleWriteChunk + 5, 'x');
    EXPECT_FALSE(SafeWriteFile(text.c_str()));
    EXPECT_EQ(chunks.size(), 1u);
    EXPECT_TRUE(console_state.write_failed);
    EXPECT_FALSE(SafeWriteFile(nullptr));
}

TEST_F(ConsoleWrites, PrintfCutsAtItsLimitAndWriteLnEndsTheLine) {
    std::string text(20000, 'p');
    EXPECT_EQ(console_printf("%s!", text.c_str()), 20001);
    ASSERT_EQ(chunks.size(), 1u);
    EXPECT_EQ(chunks[0].size(), 10204u);

    chunks.clear();
    EXPECT_EQ(console_printf(nullptr), 0);
    EXPECT_TRUE(chunks.empty());
    EXPECT_EQ(WriteLn("line"), 1);
    ASSERT_EQ(chunks.size(), 2u);
    EXPECT_EQ(chunks[0], "line");
    EXPECT_EQ(chunks[1], "\r\n");
    chunks.clear();
    EXPECT_EQ(WriteLn(nullptr), 1);
    ASSERT_EQ(chunks.size(), 1u);
}

TEST_F(ConsoleWrites, ForegroundAndBackgroundKeepTheOtherNibble) {
    set_text_attribute(0x20);
    set_foreground(colour_from_text("31"));
    EXPECT_EQ(get_text_attribute(), 0x3F);
    set_background(colour_from_text("blue") * 16);
    EXPECT_EQ(get_text_attribute(), 0x9F);
    set_background(colour_from_text("31") * 16);
    EXPECT_EQ(get_text_attribute(), 0xFF);
    {
        SavedColours saved;
        reset_attribute();
        EXPECT_EQ(get_text_attribute(), 7);
    }
    EXPECT_EQ(get_text_attribute(), 0xFF);
    reset_attribute();
}

#if !defined(_WIN32)
// Keys read from a file (standard input that is not a terminal): a line end
// reads as Enter and the end of the file as Escape, again and again.
TEST(ConsoleKeys, KeyCommandsReadStandardInput) {
    std::string path = ::testing::TempDir() + "zorak_keys.txt";
    FILE* keys = std::fopen(path.c_str(), "wb");
    ASSERT_NE(keys, nullptr);
    std::fputs("aB\nqZ", keys);
    std::fclose(keys);
    ASSERT_NE(std::freopen(path.c_str(), "rb", stdin), nullptr);

    auto run = [](const char* script) {
        int code = -1;
        BSTR result = zorak_command(script, 0, 0, 0, &code);
        std::string text = result ? result : "(null)";
        SysFreeString(result);
        EXPECT_EQ(code, 0) << script;
        return text;
    };
    EXPECT_EQ(run("getkey -UPPER"), "A");
    EXPECT_EQ(run("getkey -lower -upper -integer"), "98");
    EXPECT_EQ(run("inkey"), "13");
    EXPECT_EQ(run("waitkey 100"), "113");
    EXPECT_EQ(run("getkey -Lower"), "z");
    EXPECT_EQ(run("getkey -integer"), "27");
    EXPECT_EQ(run("inkey"), "27");
    EXPECT_EQ(run("getkey"), "\x1b");
    zorak_exit();
    std::remove(path.c_str());
    std::freopen("/dev/null", "rb", stdin);
}
#endif
