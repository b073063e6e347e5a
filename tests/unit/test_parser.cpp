#include "interp/parser.h"
#include "interp/parse_cache.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Token {
    int kind;
    std::string text;
    bool operator==(const Token& other) const = default;
};

std::ostream& operator<<(std::ostream& out, const Token& t) {
    return out << kTokenTypeNames[t.kind] << " '" << t.text << "'";
}

// Every token of the text up to PT_EOF; a syntax error ends the list with
// an entry of kind -1.
std::vector<Token> tokens(const char* text) {
    Parser p;
    zorakParserInit(&p, text, static_cast<int>(std::strlen(text)));
    std::vector<Token> out;
    for (int guard = 0; guard < 10000; guard++) {
        if (zorakGetToken(&p)) {
            out.push_back({-1, ""});
            return out;
        }
        out.push_back({p.token_type, std::string(p.token())});
        if (p.token_type == PT_EOF) return out;
    }
    ADD_FAILURE() << "the tokeniser made no progress on: " << text;
    return out;
}

// The tokens before the final PT_EOL and PT_EOF, which most cases share.
std::vector<Token> words(const char* text) {
    std::vector<Token> all = tokens(text);
    EXPECT_GE(all.size(), 2u) << text;
    if (all.size() >= 2 && all[all.size() - 2].kind == PT_EOL && all.back().kind == PT_EOF)
        all.resize(all.size() - 2);
    return all;
}

const Token E(const char* t) {
    return {PT_ESC, t};
}
const Token S(const char* t) {
    return {PT_STR, t};
}
const Token C(const char* t) {
    return {PT_CMD, t};
}
const Token V(const char* t) {
    return {PT_VAR, t};
}
const Token Sep() {
    return {PT_SEP, ""};
}

// Separators and command ends carry the whitespace they consumed; the tests
// compare their kinds only.
std::vector<Token> kindsOnlyForBlanks(std::vector<Token> list) {
    for (Token& t : list)
        if (t.kind == PT_SEP || t.kind == PT_EOL || t.kind == PT_EOF) t.text.clear();
    return list;
}

using List = std::vector<Token>;

} // namespace

TEST(Tokeniser, KindNamesFollowTheKindValues) {
    EXPECT_STREQ(kTokenTypeNames[PT_ESC], "PT_ESC");
    EXPECT_STREQ(kTokenTypeNames[PT_EXPAND], "PT_EXPAND");
    EXPECT_STREQ(kTokenTypeNames[PT_UNKNOWN], "PT_UNKNOWN");
    EXPECT_STREQ(kTokenShortNames[PT_EOL], "EOL");
    EXPECT_STREQ(kTokenShortNames[PT_VAR], "var");
}

// A command, its separators and the comment after ";".
TEST(Tokeniser, CommentOnlyWhereACommandMayStart) {
    EXPECT_EQ(kindsOnlyForBlanks(tokens("set a 1; # note")),
              (List{E("set"), Sep(), E("a"), Sep(), E("1"), {PT_EOL, ""}, {PT_EOF, ""}}));
    EXPECT_EQ(kindsOnlyForBlanks(words("puts #x")), (List{E("puts"), Sep(), E("#x")}));
    // A comment at the start of the text and after a newline; a backslash at
    // its end does not continue it.
    EXPECT_EQ(
        kindsOnlyForBlanks(tokens("#c1\\\na\n#c2\nb")),
        (List{
            {PT_EOL, ""}, E("a"), {PT_EOL, ""}, {PT_EOL, ""}, E("b"), {PT_EOL, ""}, {PT_EOF, ""}}));
    // Leading blanks of a line belong to the command end, so "#" still starts a comment.
    EXPECT_EQ(kindsOnlyForBlanks(tokens("  # c\nx")),
              (List{{PT_EOL, ""}, {PT_EOL, ""}, E("x"), {PT_EOL, ""}, {PT_EOF, ""}}));
}

TEST(Tokeniser, CommandEndsCollapse) {
    std::vector<Token> all = tokens("a\n\n;; \t;b");
    ASSERT_EQ(all.size(), 5u);
    EXPECT_EQ(all[1].kind, PT_EOL);
    EXPECT_EQ(all[1].text, "\n\n;; \t;");
    EXPECT_EQ(all[2], E("b"));
    // A blank run holding a carriage return or line feed is a command end.
    EXPECT_EQ(kindsOnlyForBlanks(words("a \r\n b")), (List{E("a"), {PT_EOL, ""}, E("b")}));
    EXPECT_EQ(kindsOnlyForBlanks(words("a\t\tb")), (List{E("a"), Sep(), E("b")}));
}

TEST(Tokeniser, TextWithoutNewlineStillEndsTheCommand) {
    EXPECT_EQ(kindsOnlyForBlanks(tokens("x")), (List{E("x"), {PT_EOL, ""}, {PT_EOF, ""}}));
    EXPECT_EQ(tokens(""), (List{{PT_EOF, ""}}));
    EXPECT_EQ(kindsOnlyForBlanks(tokens("x\n")), (List{E("x"), {PT_EOL, ""}, {PT_EOF, ""}}));
}

TEST(Tokeniser, QuotedWordsKeepBlanksAndSemicolons) {
    EXPECT_EQ(kindsOnlyForBlanks(words("puts \"a b;c\"")), (List{E("puts"), Sep(), E("a b;c")}));
    // An escaped quote does not close the word; the backslash stays in the text.
    EXPECT_EQ(words("\"a\\\"b\""), (List{E("a\\\"b")}));
    // A substitution interrupts the quoted word, which goes on in quote mode.
    EXPECT_EQ(words("\"a $b c;d\""), (List{E("a "), V("b"), E(" c;d")}));
    EXPECT_EQ(words("\"x[y] z\""), (List{E("x"), C("y"), E(" z")}));
    // "$" and "[" before a closing quote are plain.
    EXPECT_EQ(words("\"cost$\""), (List{E("cost$")}));
    EXPECT_EQ(words("\"a[\""), (List{E("a[")}));
    // A quote in the middle of a bare word opens a quoted section.
    EXPECT_EQ(words("a\"b c\"d"), (List{E("a\"b c"), E("d")}));
    // A closing quote before ")" stays, so a("key") keeps its quotes.
    EXPECT_EQ(words("a(\"key\")"), (List{E("a(\"key\""), E(")")}));
    // An unclosed quote runs to the end of the text.
    EXPECT_EQ(words("\"abc def"), (List{E("abc def")}));
    // Braces inside quotes are plain characters.
    EXPECT_EQ(words("\"{a}\""), (List{E("{a}")}));
}

TEST(Tokeniser, BracedWords) {
    EXPECT_EQ(words("{puts \"}\"}"), (List{S("puts \"}\"")}));
    EXPECT_EQ(words("{a {b} c}"), (List{S("a {b} c")}));
    EXPECT_EQ(words("{a \\} b}"), (List{S("a \\} b")}));
    EXPECT_EQ(words("{a\\\\}"), (List{S("a\\\\")}));
    EXPECT_EQ(words("{}"), (List{S("")}));
    // Nothing is substituted inside braces.
    EXPECT_EQ(words("{$a [b]}"), (List{S("$a [b]")}));
    // An unclosed brace runs to the end without an error.
    EXPECT_EQ(words("{abc\ndef"), (List{S("abc\ndef")}));
    // Adjacent braced words are separate tokens of one word.
    EXPECT_EQ(words("{a}{b}"), (List{S("a"), S("b")}));
    // A brace inside a bare word is an ordinary character.
    EXPECT_EQ(words("x{y}"), (List{E("x{y}")}));
}

TEST(Tokeniser, LoneDollarStandsForItself) {
    EXPECT_EQ(kindsOnlyForBlanks(words("puts a$")), (List{E("puts"), Sep(), E("a"), S("$")}));
    EXPECT_EQ(kindsOnlyForBlanks(words("puts $ x")),
              (List{E("puts"), Sep(), S("$"), Sep(), E("x")}));
    EXPECT_EQ(words("$-"), (List{S("$"), E("-")}));
    // Characters above 127 end a name, so "$" before one is literal.
    EXPECT_EQ(words("$\xe9t"), (List{S("$"), E("\xe9t")}));
}

TEST(Tokeniser, VariableNames) {
    EXPECT_EQ(words("$a.b_c9"), (List{V("a.b_c9")}));
    EXPECT_EQ(words("$::x"), (List{V("::x")}));
    EXPECT_EQ(words("$a::b::c"), (List{V("a::b::c")}));
    // A third ":" ends the name.
    EXPECT_EQ(words("$a:::b"), (List{V("a"), E(":::b")}));
    EXPECT_EQ(words("$a:b"), (List{V("a"), E(":b")}));
    EXPECT_EQ(words("$a$b"), (List{V("a"), V("b")}));
    EXPECT_EQ(words("a$b[c]d"), (List{E("a"), V("b"), C("c"), E("d")}));
    // Extra "$" stay in the token: a double dereference.
    EXPECT_EQ(words("$$x"), (List{V("$x")}));
    EXPECT_EQ(words("$$$x"), (List{V("$$x")}));
    // A braced name keeps its braces and may hold anything.
    EXPECT_EQ(words("${a b}c"), (List{V("{a b}"), E("c")}));
    EXPECT_EQ(words("${a{b}c}"), (List{V("{a{b}c}")}));
}

TEST(Tokeniser, Subscripts) {
    Parser p;
    const char* text = "$a(b(c)) x";
    zorakParserInit(&p, text, static_cast<int>(std::strlen(text)));
    ASSERT_EQ(zorakGetToken(&p), 0);
    EXPECT_EQ(p.token_type, PT_VAR);
    EXPECT_EQ(p.token(), "a");
    EXPECT_EQ(p.has_subscript, 1);
    EXPECT_EQ(p.subscript(), "b(c)");
    EXPECT_EQ(p.subscript_length, 4);
    EXPECT_EQ(std::string(p.subscript_end, 1), ")");
    ASSERT_EQ(zorakGetToken(&p), 0);
    EXPECT_EQ(p.token_type, PT_SEP);
    EXPECT_EQ(p.has_subscript, 0);

    // Quotes, braces and backslashes do not count inside a subscript.
    text = "$a(\"x)\" y";
    zorakParserInit(&p, text, static_cast<int>(std::strlen(text)));
    ASSERT_EQ(zorakGetToken(&p), 0);
    EXPECT_EQ(p.subscript(), "\"x");

    // An empty subscript is consumed but holds nothing.
    text = "$a()";
    zorakParserInit(&p, text, static_cast<int>(std::strlen(text)));
    ASSERT_EQ(zorakGetToken(&p), 0);
    EXPECT_EQ(p.has_subscript, 1);
    EXPECT_EQ(p.subscript_length, 0);
    EXPECT_EQ(p.subscript(), "");
    ASSERT_EQ(zorakGetToken(&p), 0);
    EXPECT_EQ(p.token_type, PT_EOL);

    // Without its ")" the "(" is read again as the next token.
    EXPECT_EQ(words("$a(b"), (List{V("a"), E("(b")}));
}

TEST(Tokeniser, CommandSubstitutions) {
    EXPECT_EQ(words("[a [b] c]"), (List{C("a [b] c")}));
    EXPECT_EQ(words("[puts {]}]"), (List{C("puts {]}")}));
    EXPECT_EQ(words("[a \\] b]"), (List{C("a \\] b")}));
    // Quotes only shield braces; a "]" inside quotes still closes.
    EXPECT_EQ(words("[a \"]\" b]"), (List{C("a \""), E("\" b]")}));
    // A brace inside quotes does not count either.
    EXPECT_EQ(words("[a \"{\" b]"), (List{C("a \"{\" b")}));
    // An unclosed substitution runs to the end without an error.
    EXPECT_EQ(words("[puts x"), (List{C("puts x")}));
    EXPECT_EQ(words("[]"), (List{C("")}));
}

TEST(Tokeniser, Expansion) {
    EXPECT_EQ(kindsOnlyForBlanks(words("list {*}$l")),
              (List{E("list"), Sep(), {PT_EXPAND, ""}, V("l")}));
    EXPECT_EQ(words("{*}{a b}"), (List{{PT_EXPAND, ""}, S("a b")}));
    EXPECT_EQ(words("{*}"), (List{{PT_EXPAND, ""}}));
    // The prefix must be glued to its word.
    EXPECT_EQ(tokens("list {*} $l").back().kind, -1);
    EXPECT_EQ(tokens("list {*}\t$l").back().kind, -1);
    // Inside quotes, or inside a word, it is plain text.
    EXPECT_EQ(words("\"{*}abc\""), (List{E("{*}abc")}));
    EXPECT_EQ(words("x{*}y"), (List{E("x{*}y")}));
}

TEST(Tokeniser, SyntaxErrors) {
    EXPECT_EQ(tokens("$(x)").back().kind, -1);
    EXPECT_EQ(tokens("puts $)").back().kind, -1);
    EXPECT_EQ(tokens("$$(x)").back().kind, -1);
    EXPECT_EQ(tokens("set a ${name").back().kind, -1);
    EXPECT_EQ(tokens("${a{b}").back().kind, -1);
    // Other mismatches are accepted.
    EXPECT_NE(tokens("{a").back().kind, -1);
    EXPECT_NE(tokens("\"a").back().kind, -1);
    EXPECT_NE(tokens("a]").back().kind, -1);
    EXPECT_NE(tokens("a}").back().kind, -1);
}

TEST(Tokeniser, BackslashesOutsideQuotes) {
    // An escaped blank does not end the word, nor does the character after it.
    EXPECT_EQ(kindsOnlyForBlanks(words("a\\ b c")), (List{E("a\\ b"), Sep(), E("c")}));
    EXPECT_EQ(words("a\\ ;b"), (List{E("a\\ ;b")}));
    // An escaped "$" or "[" is not substituted.
    EXPECT_EQ(words("a\\$b\\[c"), (List{E("a\\$b\\[c")}));
    EXPECT_EQ(words("a\\;b"), (List{E("a\\;b")}));
    // A backslash and blank at the very end: the word, then the command end.
    EXPECT_EQ(kindsOnlyForBlanks(tokens("a\\ ")), (List{E("a\\ "), {PT_EOL, ""}, {PT_EOF, ""}}));
    EXPECT_EQ(words("a\\"), (List{E("a\\")}));
}

TEST(Tokeniser, BackslashesInsideQuotes) {
    EXPECT_EQ(words("\"a\\$b\""), (List{E("a\\$b")}));
    EXPECT_EQ(words("\"a\\[b\""), (List{E("a\\[b")}));
    EXPECT_EQ(words("\"a\\\\\""), (List{E("a\\\\")}));
    // Other escapes leave the next character to be examined on its own; the
    // closing quote after a substitution is an empty fragment of the word.
    EXPECT_EQ(words("\"a\\n$x\""), (List{E("a\\n"), V("x"), E("")}));
}

TEST(Tokeniser, NeverReadsPastTheGivenLength) {
    // The length, not the terminating zero, bounds every scan.
    const char text[] = "[a {b \"c $d(e";
    for (size_t n = 0; n <= std::strlen(text); n++) {
        std::string prefix(text, n);
        std::vector<char> exact(prefix.begin(), prefix.end()); // no terminator
        Parser p;
        zorakParserInit(&p, exact.data(), static_cast<int>(exact.size()));
        int steps = 0;
        while (steps++ < 100 && zorakGetToken(&p) == 0 && p.token_type != PT_EOF) {
            if (p.token_start && p.token_end >= p.token_start) {
                EXPECT_GE(p.token_start, exact.data());
                EXPECT_LE(p.token_end, exact.data() + exact.size() - 1);
            }
        }
        EXPECT_LT(steps, 100) << prefix;
    }
}

TEST(Unescape, SimpleEscapes) {
    auto un = [](std::string s) {
        zorakUnescape(s.data());
        return std::string(s.c_str());
    };
    EXPECT_EQ(un("a\\tb\\nc\\rd"), "a\tb\nc\rd");
    EXPECT_EQ(un("\\q\\$\\\\"), "q$\\");
    EXPECT_EQ(un("\\x41"), "x41");
    EXPECT_EQ(un("end\\"), "end\\");
    EXPECT_EQ(un(""), "");
    zorakUnescape(nullptr);
}

// A parsed script kept by the cache must replay exactly the states the
// tokeniser goes through, errors included, for texts of every shape.
namespace {

void expectSameState(const Parser& live, const Parser& replayed, const std::string& text) {
    EXPECT_EQ(live.token_type, replayed.token_type) << text;
    EXPECT_EQ(live.token_start, replayed.token_start) << text;
    EXPECT_EQ(live.token_end, replayed.token_end) << text;
    EXPECT_EQ(live.pos, replayed.pos) << text;
    EXPECT_EQ(live.remaining, replayed.remaining) << text;
    EXPECT_EQ(live.has_subscript, replayed.has_subscript) << text;
    EXPECT_EQ(live.subscript_start, replayed.subscript_start) << text;
    EXPECT_EQ(live.subscript_end, replayed.subscript_end) << text;
    EXPECT_EQ(live.subscript_length, replayed.subscript_length) << text;
}

void expectReplayMatches(const std::string& text) {
    // The first sight of a text is only remembered; the second keeps it.
    zorakParsedScript(text.c_str(), static_cast<int>(text.size()));
    std::shared_ptr<const TokenList> list =
        zorakParsedScript(text.c_str(), static_cast<int>(text.size()));
    ASSERT_TRUE(list) << text;
    Parser live, replayed;
    zorakParserInit(&live, text.c_str(), static_cast<int>(text.size()));
    zorakParserInit(&replayed, text.c_str(), static_cast<int>(text.size()));
    for (const CachedToken& token : list->tokens) {
        int code = zorakGetToken(&live);
        EXPECT_EQ(code, zorakReplayToken(&replayed, token)) << text;
        expectSameState(live, replayed, text);
        if (code || live.token_type == PT_EOF) return;
        // The evaluator turns a {*} that opens no quoted word into a separator.
        if (live.token_type == PT_EXPAND && !(live.remaining > 0 && *live.pos == '"'))
            live.token_type = replayed.token_type = PT_SEP;
    }
    ADD_FAILURE() << "the cached tokens end before the text: " << text;
}

} // namespace

TEST(ParseCache, ReplaysEveryTokeniserState) {
    const std::vector<std::string> scripts = {
        "set a 1; set b $a\nputs \"x $b [set a] y\"",
        "# comment\n  set x {a {b} c} ;# another\n",
        "puts {*}$l; list {*}\"a b\" {*}{c d} {*}",
        "set a(b c) 1; puts $a(b c)$a([set k])x; puts $::g(1) ${x y}",
        "puts $$n $( ${unclosed",
        "puts \"quoted \\\" still\\\\\" tail\\",
        "[expr {$i + 1}] [[x]]; ;; \t\r\n",
        "a\\ b c\\\n d \"x\"y$",
        "",
    };
    for (const std::string& text : scripts)
        if (!text.empty()) expectReplayMatches(text);
    // Mutations of the same texts, seeded so that a failure reproduces.
    const char pieces[] = "{}[]$\"\\ ;\n()#*:ab";
    uint32_t seed = 12345;
    for (int round = 0; round < 3000; round++) {
        std::string text = scripts[round % (scripts.size() - 1)];
        for (int k = 0; k < 4; k++) {
            seed = seed * 1103515245u + 12345u;
            size_t at = (seed >> 8) % (text.size() + 1);
            text.insert(at, 1, pieces[(seed >> 20) % (sizeof pieces - 1)]);
        }
        expectReplayMatches(text);
    }
}

TEST(ParseCache, SameTextAnswersFromTheCacheOthersDoNot) {
    std::string a = "set x 1; set y 2";
    std::string b = a;
    EXPECT_FALSE(zorakParsedScript(a.c_str(), static_cast<int>(a.size())));
    auto first = zorakParsedScript(a.c_str(), static_cast<int>(a.size()));
    EXPECT_EQ(first, zorakParsedScript(b.c_str(), static_cast<int>(b.size())));
    // The same address with new text is parsed afresh.
    a[4] = 'z';
    zorakParsedScript(a.c_str(), static_cast<int>(a.size()));
    auto changed = zorakParsedScript(a.c_str(), static_cast<int>(a.size()));
    EXPECT_NE(first, changed);
    EXPECT_EQ(changed->text, a);
}
