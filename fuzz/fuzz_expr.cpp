// Evaluates each input as an infix expression in an interpreter of safe
// commands, and translates it into command form. Both must answer every
// text with a value or a failure.
#include "expr/expression.h"
#include "fuzz_support.h"
#include "interp/interp.h"
#include "util/heap_text.h"

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
    std::string text(reinterpret_cast<const char*>(data), size);
    fuzzResetSettings();
    Interpreter* interp = _pglobal_interp;
    if (!interp) return 0;
    fuzzInputBegin();
    HeapText value;
    evaluate_expression(interp, text.c_str(), value.out());
    std::string commandForm;
    decompose_expression(text.c_str(), &commandForm);
    is_constant_expression(text.c_str());
    if (++runs % 500 == 0) fuzzFreshInterpreter();
    fuzzInputEnd();
    return 0;
}
