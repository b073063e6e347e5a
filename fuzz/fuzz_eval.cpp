// Feeds each input through zorak_command as script text. The library must
// answer every text with a result and a code; a crash, a sanitizer report or
// a hang is a finding.
#include "interp/registry.h"
#include "shell/settings.h"
#include "zorak.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The commands the fuzzer may reach. Everything else is removed: commands
// that touch files, programs, the keyboard, raw memory or the clock would
// turn the run into a hazard or a wait rather than a test of the interpreter.
const std::string_view kAllowed[] = {
    "set",    "=",          "variable", "puts",    "eval",      "alias",    "rename",
    "undef",  "is_command", "commands", "procs",   "functions", "cmdcount", "trace",
    "watch",  "debug",      "halt",     "resume",  "option",    "unset",    "const",
    "list",   "llength",    "lindex",   "concat",  "join",      "error",    "catch",
    "string", "expr",       "incr",     "append",  "return",    "break",    "continue",
    "if",     "stop",       "exit",     "dim",     "array",     "dict",     "struct",
    "->",     "=>",         "upvar",    "uplevel", "global",    "proc",     "level",
};

// The variable and command words and the operator words; not @>, which
// runs programs.
const std::string_view kAllowedWords[] = {
    "result",   "setresult", "defined", "dummy",    "empty",      "swap",    "type",
    "varname",  "content",   "new",     "store",    "cset",       "setb",    "setl",
    "setr",     "setat",     "sc",      "walk",     "enum",       "is_proc", "is_const",
    "is_array", "is_list",   "is_null", "is_empty", "clearprocs", "args",    "on",
    "chain",    "all",       "any",     ".",        "<=>",        "=>>"};
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
// The familiar Tcl words, which touch nothing outside the interpreter.
const std::string_view kAllowedTclWords[] = {
    "format", "printf", "scan", "binary", "subst", "apply", "lset", "lmap", "lcount", "K", "let"};

bool allowed(std::string_view name) {
    for (std::string_view ok : kAllowed)
        if (ok == name) return true;
    for (std::string_view ok : kAllowedWords)
        if (ok == name) return true;
    for (std::string_view ok : kNumberCommands)
        if (ok == name) return true;
    for (std::string_view ok : kAllowedTclWords)
        if (ok == name) return true;
    return false;
}

int runs = 0;

// A fresh interpreter holding only the allowed commands.
void freshInterpreter() {
    zorak_exit();
    zorak_init(nullptr);
    Interpreter* interp = _pglobal_interp;
    if (!interp) return;
    std::vector<std::string> doomed;
    for (int i = 0; i < interp->command_count; i++)
        if (!allowed(interp->commands[i].name)) doomed.emplace_back(interp->commands[i].name);
    for (const std::string& name : doomed)
        zorakUnregisterCommand(interp, name.c_str());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Script output and key reads go nowhere.
    if (!std::freopen("/dev/null", "w", stdout)) return 0;
    if (!std::freopen("/dev/null", "r", stdin)) return 0;
    freshInterpreter();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A zero byte ends the text, as it does for a host.
    std::string script(reinterpret_cast<const char*>(data), size);
    zorakSettings.autoexec = 0;
    zorakSettings.breakpoint = 0;
    zorakSettings.step_mode = 0;
    zorakSettings.error_echo = 0;
    zorakSettings.preprocessor = static_cast<int16_t>(size % 2);
    int code = -1;
    BSTR result = zorak_command(script.c_str(), 0, 0, 0, &code);
    SysFreeString(result);
    if (++runs % 200 == 0) freshInterpreter();
    return 0;
}
