// Preprocessing a script of about a megabyte: comments, macros, escapes.
#include "preproc/preprocess.h"
#include "util/heap_text.h"

#include <benchmark/benchmark.h>

#include <string>

static std::string megabyteScript() {
    std::string script = "#define LIMIT 100\n#define GREETING \"hello\"\n";
    for (int i = 0; script.size() < 1024 * 1024; i++) {
        script += "set value_" + std::to_string(i % 100) + " \"GREETING\\tworld\" ;# note\n";
        script += "/* a block comment */ set limit LIMIT\n";
        script += "puts [set value_" + std::to_string(i % 100) + "] 0x1F\n";
    }
    return script;
}

static void BM_PreprocessMegabyte(benchmark::State& state) {
    const std::string script = megabyteScript();
    for (auto _ : state) {
        char* text = zorakStrDup(script);
        benchmark::DoNotOptimize(preprocess(&text, 1, 0, 0));
        zorakStrFree(&text);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * script.size()));
}
BENCHMARK(BM_PreprocessMegabyte)->Unit(benchmark::kMillisecond);
