// Runs each input through the macro preprocessor, with #if and #exec lines
// evaluated (in the private interpreter, which holds only the safe commands)
// when the input's length is odd, and through the radix-literal conversion.
#include "fuzz_support.h"
#include "interp/interp.h"
#include "preproc/preprocess.h"
#include "util/heap_text.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzQuietProcess();
    fuzzFreshInterpreter();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzInputBegin();
    std::string input(reinterpret_cast<const char*>(data), size);
    fuzzResetSettings();
    HeapText text(zorakStrDup(input.c_str()));
    if (preprocess(text.out(), static_cast<int>(size % 2), 0, 0) >= 1 && text.get())
        text.reset(convert_radix_literals(text.get()));
    HeapText plain(convert_radix_literals(input.c_str()));
    fuzzInputEnd();
    return 0;
}
