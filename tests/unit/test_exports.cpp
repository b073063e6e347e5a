// The embedding exports, called directly. Their state is process-wide, so
// every export test lives in this file and each starts from a released
// interpreter and default settings.
#include "interp/errors.h"
#include "interp/registry.h"
#include "shell/settings.h"
#include "util/heap_text.h"
#include "vars/variables.h"
#include "zorak.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Outcome {
    std::string result;
    int code;
    bool null_result;
};

Outcome command(const std::string& script) {
    int code = -1;
    BSTR result = zorak_command(script.c_str(), 0, 0, 0, &code);
    Outcome run{result ? std::string(result, SysStringByteLen(result)) : "", code,
                result == nullptr};
    SysFreeString(result);
    return run;
}

// Runs a script whose console output would only clutter the test log.
Outcome quietly(const std::string& script, std::string* output = nullptr) {
    testing::internal::CaptureStdout();
    Outcome run = command(script);
    std::string printed = testing::internal::GetCapturedStdout();
    if (output) *output = printed;
    return run;
}

// A SAFEARRAY of BSTRs as a host builds it; null entries stay null.
class Arguments {
  public:
    explicit Arguments(const std::vector<const char*>& args) {
        for (const char* arg : args)
            items_.push_back(
                arg ? SysAllocStringByteLen(arg, static_cast<unsigned>(std::strlen(arg)))
                    : nullptr);
        array_.cDims = 1;
        array_.cbElements = sizeof(BSTR);
        array_.pvData = items_.data();
        array_.rgsabound[0].cElements = static_cast<uint32_t>(items_.size());
        pointer_ = &array_;
    }
    ~Arguments() {
        for (BSTR item : items_)
            SysFreeString(item);
    }
    SAFEARRAY** get() { return &pointer_; }

  private:
    std::vector<BSTR> items_;
    SAFEARRAY array_{};
    SAFEARRAY* pointer_ = nullptr;
};

class Exports : public ::testing::Test {
  protected:
    void SetUp() override {
        zorak_exit();
        zorakSettings = Settings{};
    }
    void TearDown() override {
        zorak_exit();
        zorakSettings = Settings{};
    }
};

} // namespace

TEST_F(Exports, StatePersistsUntilExit) {
    Outcome set = command("set a 5");
    EXPECT_EQ(set.result, "5");
    EXPECT_EQ(set.code, 0);
    Outcome read = command("set a");
    EXPECT_EQ(read.result, "5");
    EXPECT_EQ(read.code, 0);
    zorak_exit();
    Outcome fresh = quietly("set a");
    EXPECT_EQ(fresh.result, "");
    EXPECT_EQ(fresh.code, 1);
}

// The keyed store lives as long as the interpreter, like its variables.
TEST_F(Exports, StoreEmptiesAtExit) {
    EXPECT_EQ(command("store set k v").result, "v");
    EXPECT_EQ(command("store exists k").result, "1");
    zorak_exit();
    EXPECT_EQ(command("store exists k").result, "0");
}

TEST_F(Exports, NullOrEmptyScriptGivesEmptyResultAndError) {
    int code = -1;
    BSTR result = zorak_command(nullptr, 0, 0, 0, &code);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(SysStringByteLen(result), 0u);
    EXPECT_EQ(code, 1);
    SysFreeString(result);
    Outcome empty = command("");
    EXPECT_FALSE(empty.null_result);
    EXPECT_EQ(empty.result, "");
    EXPECT_EQ(empty.code, 1);
    // The code out may be null.
    SysFreeString(zorak_command("set x 1", 0, 0, 0, nullptr));
}

TEST_F(Exports, UnknownCommandWithAutoexecOff) {
    Outcome run = quietly("option autoexec off\nnosuchcmd");
    EXPECT_EQ(run.result, "");
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(command("set ::errorMsg").result,
              "eval: Command or proc 'nosuchcmd' was not found (autoexec is OFF)");
}

TEST_F(Exports, InitTwiceKeepsTheFirstArguments) {
    Arguments first({"host", "script.tcl", "x"});
    EXPECT_EQ(zorak_init(first.get()), 0);
    EXPECT_EQ(command("set argv0").result, "script.tcl");
    EXPECT_EQ(command("set argc").result, "2");
    Arguments second({"other", "second.tcl"});
    EXPECT_EQ(zorak_init(second.get()), 0);
    EXPECT_EQ(command("set argv0").result, "script.tcl");
    EXPECT_EQ(command("set argc").result, "2");
}

TEST_F(Exports, InitSkipsNullAndEmptyArguments) {
    Arguments args({"host", nullptr, "", "only.tcl"});
    zorak_init(args.get());
    EXPECT_EQ(command("set argv0").result, "only.tcl");
    EXPECT_EQ(command("set argc").result, "1");
    zorak_exit();
    // Without arguments argv0 is empty and argc 0.
    zorak_init(nullptr);
    EXPECT_EQ(command("set argv0").result, "");
    EXPECT_EQ(command("set argc").result, "0");
}

TEST_F(Exports, SetAppPath) {
    EXPECT_EQ(zorak_set_app_path(nullptr), 1);
    EXPECT_EQ(zorak_set_app_path(""), 1);
    intptr_t address = zorak_set_app_path("/opt/host");
    ASSERT_NE(address, 0);
    ASSERT_NE(address, 1);
    EXPECT_STREQ(reinterpret_cast<const char*>(address), "/opt/host/");
    EXPECT_STREQ(reinterpret_cast<const char*>(zorak_set_app_path("/opt/host/")), "/opt/host/");
    EXPECT_STREQ(reinterpret_cast<const char*>(zorak_set_app_path("C:\\dir\\")), "C:\\dir\\");
    // A bare drive takes no separator.
    EXPECT_STREQ(reinterpret_cast<const char*>(zorak_set_app_path("C:")), "C:");
    // At most 260 characters of the path are kept.
    std::string longPath(400, 'p');
    std::string kept(reinterpret_cast<const char*>(zorak_set_app_path(longPath.c_str())));
    EXPECT_EQ(kept, std::string(260, 'p') + "/");
}

TEST_F(Exports, LoadScript) {
    BSTR missing = zorak_load_script("/nonexistent/dir/none.tcl", nullptr, 0);
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(SysStringByteLen(missing), 0u);
    SysFreeString(missing);
    EXPECT_EQ(zorak_get_script(), nullptr);

    std::filesystem::path file = std::filesystem::temp_directory_path() / "zorak_load_script.tcl";
    {
        std::ofstream out(file, std::ios::binary);
        out << "set a 1\r\nputs $a\n";
    }
    BSTR loaded = zorak_load_script(file.c_str(), "ignored", 7);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(std::string(loaded, SysStringByteLen(loaded)), "set a 1\r\nputs $a\n");
    SysFreeString(loaded);
    ASSERT_NE(zorak_get_script(), nullptr);
    EXPECT_STREQ(zorak_get_script(), "set a 1\r\nputs $a\n");
    // No path: a copy of the loaded script.
    BSTR again = zorak_load_script(nullptr, nullptr, 0);
    EXPECT_EQ(std::string(again, SysStringByteLen(again)), "set a 1\r\nputs $a\n");
    SysFreeString(again);
    std::filesystem::remove(file);
}

TEST_F(Exports, Eval) {
    EXPECT_EQ(zorak_eval(0, nullptr, nullptr, 0), 1);
    char evalWord[] = "eval", script[] = "set b 7";
    char* argv[] = {evalWord, script, nullptr};
    EXPECT_EQ(zorak_eval(0, argv, nullptr, 0), 1);
    EXPECT_EQ(zorak_eval(2, nullptr, nullptr, 0), 1);
    EXPECT_EQ(zorak_eval(2, argv, nullptr, 0), 0);
    EXPECT_EQ(command("set b").result, "7");
    // A null element counts as an empty word.
    char* withNull[] = {evalWord, nullptr, script, nullptr};
    EXPECT_EQ(zorak_eval(3, withNull, nullptr, 0), 0);
}

TEST_F(Exports, VersionStamp) {
    BSTR version = zorak_ver();
    ASSERT_NE(version, nullptr);
    std::string text(version, SysStringByteLen(version));
    SysFreeString(version);
    EXPECT_TRUE(std::regex_match(
        text, std::regex("[A-Z][a-z]{2} [ 1-3][0-9] [0-9]{4}@[0-9]{2}:[0-9]{2}:[0-9]{2}")))
        << text;
}

// The flags of zorak_command turn settings on for later calls too.
TEST_F(Exports, TraceFlagsStayOn) {
    int code = -1;
    SysFreeString(zorak_command("set a 1", 0, 1, 0, &code));
    EXPECT_EQ(zorakSettings.stacktrace, 1);
    EXPECT_EQ(zorakSettings.breakpoint, 0);
    SysFreeString(zorak_command("set a 1", 1, 0, 0, &code));
    EXPECT_EQ(zorakSettings.breakpoint, 1);
    SysFreeString(zorak_command("set a 1", 0, 0, 0, &code));
    EXPECT_EQ(zorakSettings.breakpoint, 1);
    EXPECT_EQ(zorakSettings.stacktrace, 1);
}

TEST_F(Exports, CgiMode) {
    setenv("HTTP_HOST", "localhost", 1);
    std::string output;
    Outcome run = quietly("option autoexec off\nnosuch", &output);
    unsetenv("HTTP_HOST");
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(output.find("<font color=\"grey\">eval: Command or proc 'nosuch' was not found "
                          "(autoexec is OFF)</font><br>"),
              std::string::npos)
        << output;
    EXPECT_EQ(command("is_command cli").result, "0");
    // Leaving cgi mode takes a fresh interpreter.
    zorak_exit();
    quietly("option autoexec off\nnosuch", &output);
    EXPECT_EQ(output.find("<font"), std::string::npos) << output;
}

// Nesting far beyond what the machine allows ends with an error, not a crash.
TEST_F(Exports, DeepNesting) {
    std::string brackets(100000, '[');
    EXPECT_EQ(quietly(brackets).code, 1); // the preprocessor refuses it
    command("option preprocessor off");
    EXPECT_EQ(quietly(brackets).code, 1);
    EXPECT_EQ(quietly(brackets + "set a 1" + std::string(100000, ']')).code, 1);

    std::string nestedEval;
    for (int i = 0; i < 100000; i++)
        nestedEval += "eval {";
    nestedEval += "set a 1";
    nestedEval += std::string(100000, '}');
    EXPECT_EQ(quietly(nestedEval).code, 1);
    std::string chained;
    for (int i = 0; i < 100000; i++)
        chained += "eval ";
    EXPECT_EQ(quietly(chained + "set a 1").code, 1);
    // A script that evaluates itself forever.
    EXPECT_EQ(quietly("set a {eval $a}; eval $a").code, 1);
    std::string printed;
    quietly("set a {eval $a}; eval $a", &printed);
    EXPECT_NE(printed.find("eval: Script nested too deeply"), std::string::npos);
    // The interpreter is still usable.
    EXPECT_EQ(command("set b 2").result, "2");
}

// An error message is stored in ::errorMsg cut to 1024 characters.
TEST_F(Exports, LongErrorMessageIsCut) {
    std::string name(2000, 'x');
    Outcome run = quietly("option " + name);
    EXPECT_EQ(run.code, 1);
    std::string message = command("set ::errorMsg").result;
    EXPECT_EQ(message.size(), 1024u);
    EXPECT_EQ(message.substr(0, 30), "option: Unknown option 'xxxxxx");
}

namespace {
int zorakCommandThrower(Interpreter*, int, char**, void*) {
    throw std::runtime_error("boom");
}
int zorakCommandExhausted(Interpreter*, int, char**, void*) {
    throw std::bad_alloc();
}
} // namespace

// A handler that throws is reported and fails; nothing leaves the export.
TEST_F(Exports, FaultInsideAHandler) {
    command("set ready 1");
    ASSERT_NE(_pglobal_interp, nullptr);
    zorakRegisterCommand(_pglobal_interp, "thrower", zorakCommandThrower, nullptr, 0);
    zorakRegisterCommand(_pglobal_interp, "exhausted", zorakCommandExhausted, nullptr, 0);
    std::string output;
    Outcome run = quietly("set before 1; thrower; set after 1", &output);
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(output.find("Exception in kuvetEval after line"), std::string::npos) << output;
    EXPECT_EQ(quietly("set after").code, 1);
    // Running out of memory reads as the numbered memory error.
    EXPECT_EQ(quietly("exhausted").code, 1);
    EXPECT_EQ(command("set ::errorMsg").result, "Memory allocation");
    EXPECT_EQ(command("set ::errorCode").result, "5");
    EXPECT_EQ(quietly("puts [thrower]").code, 1);
    EXPECT_EQ(command("set before").result, "1");
}

namespace {
int zorakCommandBrk(Interpreter* interp, int, char**, void*) {
    zorakSetResult(interp, "b", 0);
    return ZORAK_BREAK;
}
int zorakCommandRet(Interpreter* interp, int, char**, void*) {
    zorakSetResult(interp, "r", 0);
    return ZORAK_RETURN;
}
std::vector<std::string> helpWords;
int zorakCommandFakeHelp(Interpreter*, int argc, char** argv, void*) {
    helpWords.assign(argv, argv + argc);
    return 42;
}
} // namespace

// Codes of substitutions and of commands at the top of a script.
TEST_F(Exports, CompletionCodesOfCommands) {
    command("set ready 1");
    zorakRegisterCommand(_pglobal_interp, "brk", zorakCommandBrk, nullptr, 0);
    zorakRegisterCommand(_pglobal_interp, "ret", zorakCommandRet, nullptr, 0);
    // A substitution that breaks or returns gives its result; the script goes on.
    Outcome run = command("set a x[brk][ret]y; set b 2");
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(command("set a").result, "xbry");
    // A return at the top of a script ends it successfully.
    run = command("set c 1; ret; set c 2");
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(command("set c").result, "1");
    // Inside a command's body the return passes out to that command.
    EXPECT_EQ(command("set d [eval {ret; set never 1}]").code, 0);
    EXPECT_EQ(quietly("set never").code, 1);
    // Any other code ends the script with that code.
    run = command("set e 1; brk; set e 2");
    EXPECT_EQ(run.code, 3);
    EXPECT_EQ(command("set e").result, "1");
}

// A last word --help or /? runs the help command for the command's name.
TEST_F(Exports, HelpShortcutOfTheArityCheck) {
    command("set ready 1");
    Interpreter* interp = _pglobal_interp;
    if (!zorakGetCommand(interp, "help"))
        zorakRegisterCommand(interp, "help", zorakCommandFakeHelp, nullptr, 0);
    else
        zorakGetCommand(interp, "help")->handler = zorakCommandFakeHelp;
    helpWords.clear();
    EXPECT_EQ(command("is_command a b --HeLp").code, 42);
    EXPECT_EQ(helpWords, (std::vector<std::string>{"help", "is_command"}));
    helpWords.clear();
    EXPECT_EQ(command("is_command a /?").code, 42);
    EXPECT_EQ(helpWords, (std::vector<std::string>{"help", "is_command"}));
    // "/?" must match exactly, and only as the last word.
    helpWords.clear();
    EXPECT_EQ(quietly("is_command a /?? b").code, 6);
    EXPECT_TRUE(helpWords.empty());
    EXPECT_EQ(command("set ::errorCode").result, "6");
    EXPECT_EQ(command("set ::errorMsg").result, "Wrong number of arguments");
}

// With error echo and the debug flag off, a failure prints nothing and still
// sets ::errorMsg; the debug flag alone makes it print again.
TEST_F(Exports, ErrorEchoAndDebugFlag) {
    command("option autoexec off");
    zorakSettings.error_echo = 0;
    std::string output;
    EXPECT_EQ(quietly("nosuch1", &output).code, 1);
    EXPECT_EQ(output, "");
    EXPECT_EQ(command("set ::errorMsg").result,
              "eval: Command or proc 'nosuch1' was not found (autoexec is OFF)");
    command("debug on");
    quietly("nosuch2", &output);
    EXPECT_NE(output.find("nosuch2"), std::string::npos);
}

// The quiet flag covers exactly one message.
TEST_F(Exports, QuietNextError) {
    command("option autoexec off");
    zorakSettings.quiet_next_error = 1;
    std::string output;
    quietly("nosuch1", &output);
    EXPECT_EQ(output, "");
    EXPECT_EQ(zorakSettings.quiet_next_error, 0);
    EXPECT_EQ(command("set ::errorMsg").result,
              "eval: Command or proc 'nosuch1' was not found (autoexec is OFF)");
    quietly("nosuch2", &output);
    EXPECT_NE(output.find("nosuch2"), std::string::npos);
}

TEST_F(Exports, CodeNames) {
    command("set ready 1");
    Interpreter* interp = _pglobal_interp;
    const char* names[] = {"ok",   "error", "return", "break",  "continue",
                           "exit", "stop",  "goto",   "defined"};
    for (int code = 0; code <= 8; code++) {
        EXPECT_STREQ(zorakCodeName(interp, code), names[code]);
        EXPECT_EQ(command("set ::errorCode").result, std::to_string(code));
    }
    EXPECT_STREQ(zorakCodeName(interp, 9), "Unhandled error");
    EXPECT_STREQ(zorakCodeName(interp, -1), "Unhandled error");
    EXPECT_EQ(command("set ::errorCode").result, "8");
    // The numbered errors.
    zorakSettings.error_echo = 0;
    zorakSetErrorCode(interp, 3, "ignored");
    EXPECT_EQ(command("set ::errorCode").result, "3");
    EXPECT_EQ(command("set ::errorMsg").result, "Stack overflow");
}

namespace {

// Runs a script with the given keys waiting on standard input.
Outcome withKeys(const std::string& keys, const std::string& script, std::string* output) {
    std::filesystem::path file = std::filesystem::temp_directory_path() / "zorak_step_keys";
    {
        std::ofstream out(file, std::ios::binary);
        out << keys;
    }
    EXPECT_NE(std::freopen(file.c_str(), "r", stdin), nullptr);
    Outcome run = quietly(script, output);
    EXPECT_NE(std::freopen("/dev/null", "r", stdin), nullptr);
    std::filesystem::remove(file);
    return run;
}

size_t occurrences(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        count++;
    return count;
}

} // namespace

// The keys of the step prompt.
TEST_F(Exports, StepPromptKeys) {
    std::string output;
    // x asks again, i shows the call trace and asks again, v lists the
    // variables and asks again, N (any case) and blank go on, t shows the
    // trace and goes on, r leaves step mode.
    Outcome run = withKeys(
        "xivN t r", "option breakpoint on\nhalt\nset a 1\nset b 2\nset c 3\nset d 4\nset e 5",
        &output);
    EXPECT_EQ(run.code, 0) << output;
    EXPECT_EQ(run.result, "5");
    EXPECT_EQ(occurrences(output, "Next [set]"), 8u) << output;
    EXPECT_EQ(occurrences(output, "Breakpoint stack:"), 2u) << output;
    EXPECT_NE(output.find("   At: set {a} {1}"), std::string::npos) << output;
    EXPECT_NE(output.find("   At: set {c} {3}"), std::string::npos) << output;
    EXPECT_EQ(zorakSettings.step_mode, 0);

    // w toggles the watches, which show before the prompt; q ends the script
    // before the command runs.
    run = withKeys("wq", "set w_x 7\nwatch add w_x\nwatch add w_gone\nwatch off\nhalt\nset w_x 8",
                   &output);
    EXPECT_EQ(run.code, 6);
    EXPECT_EQ(command("set w_x").result, "7");
    EXPECT_NE(output.find("Watch(OFF)"), std::string::npos) << output;
    EXPECT_NE(output.find("Watch(ON)"), std::string::npos) << output;
    EXPECT_NE(output.find("Watch: 'w_x'->'7'"), std::string::npos) << output;
    EXPECT_NE(output.find("Watch: 'w_gone' is out of scope"), std::string::npos) << output;

    // Ctrl-C and Escape end the script too; so does the end of the input.
    for (std::string key : {std::string("\x03"), std::string("\x1b"), std::string()}) {
        run = withKeys(key, "halt\nset f 1", &output);
        EXPECT_EQ(run.code, 6);
        EXPECT_EQ(quietly("set f").code, 1);
        EXPECT_EQ(zorakSettings.step_mode, 0);
    }
}

namespace {

// Runs a command handler directly, the way the evaluator would.
int callCommand(Interpreter* interp, std::vector<std::string> words) {
    std::vector<char*> argv;
    for (std::string& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);
    Command* cmd = zorakGetCommand(interp, argv[0]);
    EXPECT_NE(cmd, nullptr) << words[0];
    return cmd ? cmd->handler(interp, static_cast<int>(words.size()), argv.data(),
                              cmd->private_data)
               : -1;
}

} // namespace

// A running procedure and its callers can be neither renamed nor removed.
TEST_F(Exports, ActiveProceduresStay) {
    command("alias outer puts; alias inner puts; alias spare puts");
    Interpreter* interp = _pglobal_interp;
    CallFrame* global = interp->callframe;
    CallFrame* callerFrame = zorakCreateCallFrame(global);
    callerFrame->proc_name = zorakStrDup("outer");
    CallFrame* runningFrame = zorakCreateCallFrame(callerFrame);
    runningFrame->proc_name = zorakStrDup("inner");
    interp->callframe = runningFrame;
    zorakSettings.error_echo = 0;

    EXPECT_EQ(callCommand(interp, {"rename", "inner", "x"}), ZORAK_ERROR);
    EXPECT_STREQ(zorakGetVar(interp, "::errorMsg", kScopeGlobal)->value,
                 "rename: Can't rename the active proc 'inner'");
    EXPECT_EQ(callCommand(interp, {"rename", "outer", "x"}), ZORAK_ERROR);
    EXPECT_STREQ(zorakGetVar(interp, "::errorMsg", kScopeGlobal)->value,
                 "rename: Can't rename active proc's parent: 'outer'");
    EXPECT_EQ(callCommand(interp, {"undef", "inner"}), ZORAK_ERROR);
    EXPECT_STREQ(zorakGetVar(interp, "::errorMsg", kScopeGlobal)->value,
                 "undef: Can't undef the active proc 'inner'");
    EXPECT_EQ(callCommand(interp, {"undef", "outer"}), ZORAK_ERROR);
    EXPECT_STREQ(zorakGetVar(interp, "::errorMsg", kScopeGlobal)->value,
                 "undef: Can't undef active proc's parent: 'outer'");
    // -nocomplain skips them silently and goes on with the other names.
    EXPECT_EQ(callCommand(interp, {"undef", "inner", "outer", "spare", "-nocomplain"}), ZORAK_OK);
    EXPECT_EQ(zorakGetCommand(interp, "spare"), nullptr);
    // -glob with -nocomplain passes over them as well.
    EXPECT_EQ(callCommand(interp, {"undef", "-glob", "inner", "-nocomplain"}), ZORAK_OK);
    EXPECT_STREQ(interp->result, "");
    EXPECT_EQ(callCommand(interp, {"undef", "-glob", "o?ter", "-nocomplain"}), ZORAK_OK);
    EXPECT_STREQ(interp->result, "");
    EXPECT_NE(zorakGetCommand(interp, "inner"), nullptr);
    EXPECT_NE(zorakGetCommand(interp, "outer"), nullptr);

    interp->callframe = global;
    zorakReleaseCallFrame(runningFrame);
    zorakReleaseCallFrame(callerFrame);
    EXPECT_EQ(command("rename inner x").result, "1");
}

// cmdcount names the code when a failing script left no ::errorMsg.
TEST_F(Exports, CmdcountWithoutErrorMessage) {
    command("set ready 1");
    zorakRemoveVar(_pglobal_interp, "::errorMsg");
    // rename prints its complaint but reports nothing through the reporter.
    Outcome run = quietly("cmdcount {rename nosuch x} v");
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.result, "1");
    EXPECT_EQ(command("set v").result, "cmdcount: Exception (Code 1)");
}

// autoexec.tcl beside the program runs at zorak_run_autoexec; a script loaded
// before is gone afterwards.
TEST_F(Exports, RunAutoexec) {
    int status = -1;
    std::filesystem::path beside =
        std::filesystem::read_symlink("/proc/self/exe").parent_path() / "autoexec.tcl";
    std::filesystem::remove(beside);
    EXPECT_EQ(zorak_run_autoexec(&status), 0);
    EXPECT_EQ(status, 2);
    EXPECT_EQ(zorak_run_autoexec(nullptr), 0);

    std::filesystem::path file = std::filesystem::temp_directory_path() / "zorak_loaded.tcl";
    {
        std::ofstream out(file, std::ios::binary);
        out << "set loaded 1\n";
    }
    SysFreeString(zorak_load_script(file.c_str(), nullptr, 0));
    ASSERT_NE(zorak_get_script(), nullptr);
    {
        std::ofstream out(beside, std::ios::binary);
        out << "set auto_ran yes\n";
    }
    status = -1;
    EXPECT_EQ(zorak_run_autoexec(&status), 0);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(zorak_get_script(), nullptr);
    EXPECT_EQ(command("set auto_ran").result, "yes");
    // A failing autoexec script gives its code.
    {
        std::ofstream out(beside, std::ios::binary);
        out << "option autoexec off\nnosuch\n";
    }
    EXPECT_EQ(quietly("set x 1").code, 0);
    testing::internal::CaptureStdout();
    EXPECT_EQ(zorak_run_autoexec(&status), 1);
    testing::internal::GetCapturedStdout();
    std::filesystem::remove(beside);
    std::filesystem::remove(file);
}

namespace {
int atExitRuns = 0;
int zorakCommandAtExit(Interpreter*, int, char**, void*) {
    atExitRuns++;
    return ZORAK_OK;
}
} // namespace

// zorak_exit runs at_exit unless the last script failed.
TEST_F(Exports, AtExitFollowsTheLastCode) {
    atExitRuns = 0;
    command("set ready 1");
    zorakRegisterCommand(_pglobal_interp, "at_exit", zorakCommandAtExit, nullptr, 0);
    quietly("option autoexec off\nnosuch");
    zorak_exit();
    EXPECT_EQ(atExitRuns, 0);
    command("set ready 1");
    zorakRegisterCommand(_pglobal_interp, "at_exit", zorakCommandAtExit, nullptr, 0);
    command("set ok 1");
    zorak_exit();
    EXPECT_EQ(atExitRuns, 1);
}

// An alias copies the procedure mark, so procs lists it with the procedure.
TEST_F(Exports, AliasOfAProcedureIsAProcedure) {
    command("set ready 1");
    // A stand-in procedure without a procedure record.
    zorakRegisterCommand(_pglobal_interp, "zproc", zorakCommandBrk, nullptr, 1);
    EXPECT_EQ(command("alias zalias zproc").code, 0);
    Command* alias = zorakGetCommand(_pglobal_interp, "zalias");
    ASSERT_NE(alias, nullptr);
    EXPECT_EQ(alias->is_proc, 1);
    EXPECT_EQ(command("procs z*").result, "zalias zproc");
    EXPECT_EQ(command("undef zproc").code, 0);
    EXPECT_EQ(command("procs z*").result, "zalias");
}
