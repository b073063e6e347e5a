// Feeds each input through zorak_command as script text. The library must
// answer every text with a result and a code; a crash, a sanitizer report or
// a hang is a finding.
#include "fuzz_support.h"
#include "shell/settings.h"
#include "zorak.h"

#include <cstdint>
#include <string>

namespace {
int runs = 0;
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzQuietProcess();
    fuzzFreshInterpreter();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzInputBegin();
    // A zero byte ends the text, as it does for a host.
    std::string script(reinterpret_cast<const char*>(data), size);
    fuzzResetSettings();
    zorakSettings.preprocessor = static_cast<int16_t>(size % 2);
    int code = -1;
    BSTR result = zorak_command(script.c_str(), 0, 0, 0, &code);
    SysFreeString(result);
    if (++runs % 200 == 0) fuzzFreshInterpreter();
    fuzzInputEnd();
    return 0;
}
