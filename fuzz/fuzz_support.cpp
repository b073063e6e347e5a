#include "fuzz_support.h"

#include "commands/control_flow.h"
#include "commands/exceptions.h"
#include "commands/list_core.h"
#include "commands/string_core.h"
#include "commands/tcl_words.h"
#include "commands/text_commands.h"
#include "console/console.h"
#include "expr/expression.h"
#include "expr/math_commands.h"
#include "expr/math_functions.h"
#include "expr/math_ops.h"
#include "expr/number_words.h"
#include "interp/debugger.h"
#include "interp/evaluator.h"
#include "interp/registry.h"
#include "shell/settings.h"
#include "vars/array_commands.h"
#include "vars/dicts.h"
#include "vars/procedures.h"
#include "vars/structs.h"
#include "vars/variable_words.h"
#include "vars/variables.h"
#include "zorak.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <thread>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

// The families whose commands work on the interpreter's own state only. The
// others (files, programs, plug-ins, options, the shell, the keyboard, the
// clock) would turn a run into a hazard or a wait; a command that joins one
// of these families later joins the fuzzing with it.
void registerSafeFamilies(Interpreter* interp) {
    zorakRegisterEvalCommands(interp);
    zorakRegisterDebugCommands(interp);
    zorakRegisterRegistryCommands(interp);
    zorakRegisterVariableCommands(interp);
    zorakRegisterOutputCommands(interp);
    zorakRegisterExceptionCommands(interp);
    zorakRegisterExprCommands(interp);
    zorakRegisterOperatorCommands(interp);
    zorakRegisterMathFunctionCommands(interp);
    zorakRegisterMathCommands(interp);
    zorakRegisterControlFlowCommands(interp);
    zorakRegisterLoopCommands(interp);
    zorakRegisterSwitchCommands(interp);
    zorakRegisterGotoCommands(interp);
    zorakRegisterListCommands(interp);
    zorakRegisterStringCommands(interp);
    zorakRegisterProcCommands(interp);
    zorakRegisterArrayCommands(interp);
    zorakRegisterStructCommands(interp);
    zorakRegisterStackCommands(interp);
    zorakRegisterDictCommands(interp);
    zorakRegisterTextCommands(interp);
    zorakRegisterNumberCommands(interp);
    zorakRegisterTclWordCommands(interp);
    zorakRegisterVariableWords(interp);
}

// Commands of those families that still reach outside: @> runs a program.
bool reachesOutside(const std::string& name) {
    return name == "@>";
}

std::vector<std::string> collectSafeCommands() {
    // A scratch interpreter of the library's own, released before the
    // fuzzing starts.
    zorak_exit();
    Interpreter* interp = zorakCreateInterp();
    registerSafeFamilies(interp);
    std::vector<std::string> names;
    for (int i = 0; i < interp->command_count; i++)
        if (!reachesOutside(interp->commands[i].name)) names.emplace_back(interp->commands[i].name);
    zorakReleaseInterp(interp);
    std::sort(names.begin(), names.end());
    return names;
}

std::atomic<long> inputNumber{0};
std::atomic<bool> inputRunning{false};

void watchdog() {
    using Clock = std::chrono::steady_clock;
    long watched = -1;
    bool fired = false;
    Clock::time_point since = Clock::now();
    for (;;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        long current = inputNumber.load();
        if (current != watched) {
            watched = current;
            fired = false;
            since = Clock::now();
            continue;
        }
        if (!fired && inputRunning.load() && Clock::now() - since > std::chrono::seconds(2)) {
            fired = true;
            std::raise(SIGINT);
        }
    }
}

} // namespace

void fuzzInputBegin() {
    static std::thread* thread = new std::thread(watchdog);
    (void)thread;
    inputNumber++;
    inputRunning = true;
}

void fuzzInputEnd() {
    inputRunning = false;
}

const std::vector<std::string>& fuzzSafeCommands() {
    static const std::vector<std::string> names = collectSafeCommands();
    return names;
}

void fuzzQuietProcess() {
    // The interpreter is released before the leak check at exit, so that
    // only real leaks are reported.
    std::atexit([] { zorak_exit(); });
    if (!std::freopen("/dev/null", "w", stdout)) return;
    if (!std::freopen("/dev/null", "r", stdin)) return;
}

void fuzzResetSettings() {
    zorakSettings.autoexec = 0;
    zorakSettings.breakpoint = 0;
    zorakSettings.step_mode = 0;
    zorakSettings.error_echo = 0;
    zorakSettings.debug = 0;
}

Interpreter* fuzzFreshInterpreter() {
    const std::vector<std::string>& safe = fuzzSafeCommands();
    zorak_exit();
    zorak_init(nullptr);
    fuzzResetSettings();
    Interpreter* interp = _pglobal_interp;
    if (!interp) return nullptr;
    std::vector<std::string> doomed;
    for (int i = 0; i < interp->command_count; i++)
        if (!std::binary_search(safe.begin(), safe.end(), interp->commands[i].name))
            doomed.emplace_back(interp->commands[i].name);
    for (const std::string& name : doomed)
        zorakUnregisterCommand(interp, name.c_str());
    return interp;
}

// #if and #exec lines run in the preprocessor's private interpreter, which
// the library fills with every command. The fuzz targets link with
// --wrap for its constructor, so it holds only the safe commands too.
extern "C" Interpreter* __real__Z19createPrivateInterpv();
extern "C" Interpreter* __wrap__Z19createPrivateInterpv() {
    Interpreter* interp = __real__Z19createPrivateInterpv();
    if (!interp) return nullptr;
    const std::vector<std::string>& safe = fuzzSafeCommands();
    Interpreter* saved = _pglobal_interp;
    _pglobal_interp = interp;
    std::vector<std::string> doomed;
    for (int i = 0; i < interp->command_count; i++)
        if (!std::binary_search(safe.begin(), safe.end(), interp->commands[i].name))
            doomed.emplace_back(interp->commands[i].name);
    for (const std::string& name : doomed)
        zorakUnregisterCommand(interp, name.c_str());
    _pglobal_interp = saved;
    return interp;
}
