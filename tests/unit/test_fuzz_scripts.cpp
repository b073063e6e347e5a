// Random and mutated script texts through zorak_command: whatever the text,
// the library answers with a result and a code and never crashes. The
// generator is seeded, so a failure reproduces with the same script.
#include "interp/registry.h"
#include "shell/settings.h"
#include "zorak.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr int kScripts = 3000;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr int kScripts = 3000;
#else
constexpr int kScripts = 12000;
#endif
#else
constexpr int kScripts = 12000;
#endif

// Snippets of real scripts for the core commands. Nothing here reads the
// keyboard, starts a program or changes the process's options.
const char* const kCorpus[] = {
    "set a 5; set b $a; puts \"a=$a b=$b\"",
    "set x [set y 3]; puts [set x]$y",
    "eval {set a 1; set b 2} ; eval set c 3",
    "eval \"set d {x y}\"; puts $d",
    "set l {a {b c} {} d}; puts [eval list {*}$l]",
    "puts {*}{a b c}; set x \"{*}abc\"; {*}abc",
    "set a(b) 1; puts $a(b); puts $a([set k b])",
    "set n k; set $n 7; puts $$n; puts ${n}; puts ${a b}",
    "set ::g 1; ::set ::g 2; puts $::g",
    "alias p puts; p hi; rename p q; q there; undef q",
    "rename nosuch x -nocomplain; rename puts \"\"; is_command puts",
    "undef -glob x* -proc -nocomplain; undef -glob",
    "commands s*; procs; functions *a*; is_command set",
    "cmdcount {set a 1; set b 2} v; puts $v; cmdcount -reset; cmdcount",
    "trace add set; set a 1; trace list; trace remove *; trace foo bar baz",
    "watch add a*; watch list; watch trace a* -value -nocase; watch remove *; watch off",
    "debug; debug ON -quiet; debug print \"x\\ty\"; debug OFF",
    "# comment\nset a 1 ;# another\nputs #not",
    "set a \"line\\nnext\\t\\$x \\[y\\]\"; puts $a",
    "set s {puts \"}\"}; eval $s",
    "puts [123]; puts [1+2]; 42; -7.5; set x [0x10]",
    "return; puts never",
    "set a [break]; set b [return]; puts $a$b",
    "set x $(y)",
    "set x ${unclosed",
    "puts [unclosed bracket",
    "puts {*} $list",
    "set a 0x1F; set b &hff; set c 0b101; set d 0o17; puts \"0x10\" $a$b$c$d",
    "set a {eval {eval {set z deep}}}; eval $a",
    "set v \\{ ; set w \\} ; set q \\\" ; puts $v$w$q",
    "set a; set; set a b c",
    "eval; alias x; is_command",
    "puts [int -2.5][short 70000][uchar \"0xff\"][float 0.1][baseconv -zz 36 2][inttohex -1 20]",
    "srand 5; puts [rnd 9][lrand {a {b c}}][rndseq 3 7][randomstr 4 xy][range 9 0 -3][vfract 0.3]",
    "puts [bit 5 63 1][fromhex 41][tohex x][ip_to_long 1.2.3.4][long_to_ip -1][fib 92][is_mod 9 3]",
};

const char* const kFragments[] = {"[", "]",  "{", "}", "\"", "$", "{*}", "\\", ";",    "\n",
                                  " ", "\t", "(", ")", "::", "#", "$$",  "${", "\\\n", "0x"};

// The commands the scripts may reach. The rest are removed, so that no
// mutation can start a program, touch a file, wait for a key or write raw
// memory.
const std::string_view kAllowed[] = {
    "set",   "=",          "variable", "puts",   "eval",      "alias",    "rename",
    "undef", "is_command", "commands", "procs",  "functions", "cmdcount", "trace",
    "watch", "debug",      "halt",     "resume", "unset",     "list",     "concat",
    "join",  "llength",    "lindex",   "error",  "catch",     "return",   "break",
};

// The number commands: pure computations, safe to reach from any text.
const std::string_view kNumberCommands[] = {
    "baseconv",   "convbase", "bintoint",   "hextoint",   "octtoint", "inttobin", "inttohex",
    "inttooct",   "tohex",    "fromhex",    "bit",        "double",   "float",    "int",
    "long",       "short",    "signed",     "unsigned",   "uint",     "ulong",    "ushort",
    "wide",       "char",     "uchar",      "bool",       "sbool",    "true",     "false",
    "fmod",       "fpart",    "fraction",   "vfract",     "integral", "round",    "rnd",
    "srand",      "lrand",    "rndseq",     "randomstr",  "range",    "inrange",  "fib",
    "is_numeric", "is_mod",   "ip_to_long", "long_to_ip",
};

bool allowed(std::string_view name) {
    for (std::string_view ok : kAllowed)
        if (ok == name) return true;
    for (std::string_view ok : kNumberCommands)
        if (ok == name) return true;
    return false;
}

void freshInterpreter() {
    zorak_exit();
    zorak_init(nullptr);
    Interpreter* interp = _pglobal_interp;
    ASSERT_NE(interp, nullptr);
    std::vector<std::string> doomed;
    for (int i = 0; i < interp->command_count; i++)
        if (!allowed(interp->commands[i].name)) doomed.emplace_back(interp->commands[i].name);
    for (const std::string& name : doomed)
        zorakUnregisterCommand(interp, name.c_str());
}

// A small deterministic generator (the standard distributions differ
// between libraries).
class Random {
  public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint64_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return state_;
    }
    size_t below(size_t n) { return n ? static_cast<size_t>(next() % n) : 0; }

  private:
    uint64_t state_;
};

std::string mutate(std::string text, Random& random) {
    int edits = 1 + static_cast<int>(random.below(6));
    for (int e = 0; e < edits; e++) {
        size_t at = random.below(text.size() + 1);
        switch (random.below(6)) {
        case 0: // insert a syntax fragment
            text.insert(at, kFragments[random.below(std::size(kFragments))]);
            break;
        case 1: // insert a random byte (never a zero)
            text.insert(at, 1, static_cast<char>(1 + random.below(255)));
            break;
        case 2: // delete a run
            if (!text.empty()) text.erase(at, 1 + random.below(4));
            break;
        case 3: // duplicate a run
            if (!text.empty()) {
                size_t from = random.below(text.size());
                text.insert(at, text.substr(from, 1 + random.below(8)));
            }
            break;
        case 4: // splice in a piece of another snippet
        {
            std::string other = kCorpus[random.below(std::size(kCorpus))];
            size_t from = random.below(other.size());
            text.insert(at, other.substr(from, 1 + random.below(20)));
            break;
        }
        default: // overwrite one byte
            if (!text.empty() && at < text.size())
                text[at] = static_cast<char>(1 + random.below(255));
        }
    }
    return text;
}

std::string randomText(Random& random) {
    std::string text;
    size_t length = random.below(80);
    for (size_t i = 0; i < length; i++) {
        if (random.below(3) == 0)
            text += kFragments[random.below(std::size(kFragments))];
        else
            text += static_cast<char>(' ' + random.below(95));
    }
    return text;
}

} // namespace

TEST(FuzzScripts, NothingCrashes) {
    Random random(0x5eed2024u);
    testing::internal::CaptureStdout();
    freshInterpreter();
    int outcomes[9] = {};
    for (int i = 0; i < kScripts; i++) {
        // Unknown words must never run as programs, and nothing may stop at
        // the step prompt.
        zorakSettings.autoexec = 0;
        zorakSettings.breakpoint = 0;
        zorakSettings.step_mode = 0;
        zorakSettings.error_echo = 0;
        // The preprocessor refuses unbalanced text, so half the scripts go
        // straight to the evaluator.
        zorakSettings.preprocessor = static_cast<int16_t>(i % 2);
        std::string script;
        if (i % 5 == 0) {
            script = randomText(random);
        } else {
            // An intact snippet first leaves state for the mutated one to meet.
            if (i % 3 == 0) script = std::string(kCorpus[random.below(std::size(kCorpus))]) + "\n";
            script += mutate(kCorpus[random.below(std::size(kCorpus))], random);
        }
        int code = -1;
        BSTR result = zorak_command(script.c_str(), 0, 0, 0, &code);
        ASSERT_NE(result, nullptr) << script;
        ASSERT_GE(code, 0) << script;
        if (code < 9) outcomes[code]++;
        SysFreeString(result);
        if (i % 50 == 49) freshInterpreter();
    }
    zorak_exit();
    testing::internal::GetCapturedStdout();
    zorakSettings = Settings{};
    // The mutations reach both success and failure.
    EXPECT_GT(outcomes[0], 0);
    EXPECT_GT(outcomes[1], 0);
}
