// Runs one command, chosen when the target is built (FUZZ_COMMAND), with
// fuzzed arguments: the input's zero bytes separate the arguments, which
// reach the command through variables and so arrive exactly as given.
#include "fuzz_support.h"
#include "shell/settings.h"
#include "vars/variables.h"
#include "zorak.h"

#include <cstdint>
#include <string>
#include <string_view>

#ifndef FUZZ_COMMAND
#error "FUZZ_COMMAND names the command under test"
#endif

namespace {
constexpr int kMaxArguments = 12;
int runs = 0;
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzQuietProcess();
    fuzzFreshInterpreter();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    fuzzResetSettings();
    zorakSettings.preprocessor = 0;
    Interpreter* interp = _pglobal_interp;
    if (!interp) return 0;
    fuzzInputBegin();
    std::string script = FUZZ_COMMAND;
    int argument = 0;
    size_t start = 0;
    while (start <= input.size() && argument < kMaxArguments) {
        size_t end = input.find('\0', start);
        if (end == std::string_view::npos) end = input.size();
        std::string name = "::_fuzz" + std::to_string(argument);
        std::string value(input.substr(start, end - start));
        set_var(interp, name.c_str(), value.c_str());
        script += " $" + name;
        argument++;
        start = end + 1;
    }
    int code = -1;
    BSTR result = zorak_command(script.c_str(), 0, 0, 0, &code);
    SysFreeString(result);
    if (++runs % 500 == 0) fuzzFreshInterpreter();
    fuzzInputEnd();
    return 0;
}
