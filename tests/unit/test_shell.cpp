// The list pager's keys, help without a help file, and the prompt template.
#include "interp_fixture.h"

#include "shell/shell.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::string shown;
// Each written piece with the attribute it was written in.
std::vector<std::pair<int, std::string>> pieces;
std::vector<int> keys;
std::vector<std::string> prompts;

bool record(const char* data, size_t size) {
    shown.append(data, size);
    pieces.emplace_back(console_state.attribute, std::string(data, size));
    return true;
}

// The attribute the first piece holding the text was written in, or -1.
int attributeOf(const std::string& text) {
    for (const auto& piece : pieces)
        if (piece.second.find(text) != std::string::npos) return piece.first;
    return -1;
}

int scriptedKey(const char* prompt) {
    if (prompt) prompts.push_back(prompt);
    if (keys.empty()) return 27;
    int key = keys.front();
    keys.erase(keys.begin());
    return key;
}

class ShellTest : public InterpTest {
  protected:
    void SetUp() override {
        InterpTest::SetUp();
        shown.clear();
        pieces.clear();
        keys.clear();
        prompts.clear();
        console_state.sink = record;
    }
    void TearDown() override {
        console_state.sink = nullptr;
        zorakHelpDirectoryOverride.clear();
        zorakShell = ShellState{};
        InterpTest::TearDown();
    }
};

// The first list line after each header: which line each screen began with.
std::vector<std::string> screenTops(const std::string& output) {
    std::vector<std::string> tops;
    for (size_t at = output.find("Header"); at != std::string::npos;
         at = output.find("Header", at + 1)) {
        size_t start = output.find('\n', at) + 1;
        tops.push_back(output.substr(start, output.find('\n', start) - start));
    }
    return tops;
}

} // namespace

TEST_F(ShellTest, PagerKeysMoveBetweenScreens) {
    std::vector<std::string> text{"Header"};
    for (int i = 1; i < 50; i++)
        text.push_back("L" + std::to_string(i));
    std::vector<const char*> lines;
    for (const std::string& line : text)
        lines.push_back(line.c_str());
    int page = std::min(50, console_window_height() - 2);
    if (page >= 49) GTEST_SKIP() << "the window is taller than the list";
    // any key: next screen; PgUp: back; End: last screen; at the end any key
    // starts again from the top; Escape quits
    keys = {'x', 224, 73, 224, 79, 'y', 27};
    int last = zorakListPager(lines.data(), 50, 3, false, true, scriptedKey);
    EXPECT_EQ(last, 27);
    std::vector<std::string> want{"L1", "L" + std::to_string(1 + page), "L1",
                                  "L" + std::to_string(50 - page), "L1"};
    EXPECT_EQ(screenTops(shown), want);
    const std::string more = "-- More (PgUp, PgDn, Home, End, Esc quits) --";
    std::vector<std::string> wantPrompts{more, more, more, "-- End - ESC to Close --", more};
    EXPECT_EQ(prompts, wantPrompts);
}

TEST_F(ShellTest, PagerWithoutPagingListsEverythingOnce) {
    const char* lines[] = {"Header", "one", "two"};
    EXPECT_EQ(zorakListPager(lines, 3, 0x1F, false, false, scriptedKey), 0);
    EXPECT_TRUE(prompts.empty());
    EXPECT_NE(shown.find("one\ntwo\n"), std::string::npos);
    EXPECT_EQ(zorakListPager(nullptr, 0, 0, false, true, scriptedKey), 0);
}

TEST_F(ShellTest, HelpWithoutAHelpFileSaysSo) {
    std::filesystem::path saved = std::filesystem::current_path();
    std::filesystem::path empty = std::filesystem::temp_directory_path() / "zorak-no-help";
    std::filesystem::create_directories(empty);
    std::filesystem::current_path(empty);
    zorakHelpDirectoryOverride = (empty / "nowhere").string();
    EXPECT_EQ(eval("help set"), 0);
    EXPECT_EQ(eval("find set"), 0);
    std::filesystem::current_path(saved);
    EXPECT_NE(shown.find("Help file 'zorak.man' not found\n"), std::string::npos) << shown;
    EXPECT_NE(shown.find("\nFound 0 topic(s)\n"), std::string::npos) << shown;
    EXPECT_EQ(zorakHelpViewer((empty / "nowhere.man").string().c_str(), "set", false, false, 15),
              -1);
    EXPECT_EQ(zorakHelpViewer("", "set", false, false, 15), 0);
}

TEST_F(ShellTest, PromptKeepsResetsAndBoundsTheTemplate) {
    eval("prompt {$p$g}");
    EXPECT_EQ(zorakShell.prompt_template, "$p$g");
    eval("prompt");
    EXPECT_EQ(zorakShell.prompt_template, "$p$g");
    eval("prompt x -reset");
    EXPECT_EQ(zorakShell.prompt_template, kDefaultPrompt);
    eval(("prompt " + std::string(300, 'k')).c_str());
    EXPECT_EQ(zorakShell.prompt_template.size(), 255u);
}

TEST_F(ShellTest, CodeWordsShowInTheirHighlightColours) {
    zorakPrintKeywordLine("set x [abs $y] at_exit nosuch", 15);
    EXPECT_EQ(attributeOf("set"), 11);
    EXPECT_EQ(attributeOf("abs"), 14);
    EXPECT_EQ(attributeOf("at_exit"), 11);
    EXPECT_EQ(attributeOf("nosuch"), 15);
    EXPECT_EQ(attributeOf("x"), 15);
    EXPECT_EQ(shown, "set x [abs $y] at_exit nosuch");
}

TEST_F(ShellTest, HelpMarkupColoursTheTopic) {
    std::filesystem::path file = std::filesystem::temp_directory_path() / "zorak-markup.man";
    std::ofstream(file) << ".other\nnot shown\n..end\n.demo\n..cyan\ncyan text\n..end\n"
                           "..code\nputs hi\n..end\nplain text\n..url x\nlink text\n..end\n"
                           "..end\nafter the topic\n";
    EXPECT_EQ(zorakHelpViewer(file.string().c_str(), "DEMO", false, false, 15), 1);
    EXPECT_EQ(attributeOf(".demo"), 62);
    EXPECT_EQ(attributeOf("cyan text"), 11);
    EXPECT_EQ(attributeOf("puts"), 11);
    EXPECT_EQ(attributeOf("hi"), 15);
    EXPECT_EQ(attributeOf("plain text"), 7);
    EXPECT_EQ(attributeOf("link text"), 9);
    EXPECT_EQ(attributeOf("not shown"), -1);
    EXPECT_EQ(attributeOf("after the topic"), -1);
    std::filesystem::remove(file);
}
