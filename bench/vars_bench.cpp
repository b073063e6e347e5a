// Variable lookups and the hash table under 100,000 distinct names: the
// frame index must keep set and read at a constant cost per name.
#include "interp/evaluator.h"
#include "interp/interp.h"
#include "vars/hash_table.h"
#include "vars/variables.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

constexpr int kNames = 100000;

const std::vector<std::string>& names() {
    static const std::vector<std::string> all = [] {
        std::vector<std::string> out;
        out.reserve(kNames);
        for (int i = 0; i < kNames; i++)
            out.push_back("var_" + std::to_string(i * 7919));
        return out;
    }();
    return all;
}

std::string script(bool assign) {
    std::string text;
    for (const auto& name : names())
        text += "set " + name + (assign ? " " + name : "") + "\n";
    return text;
}

// set_var then zorakGetVar for every name, in a fresh global frame.
void BM_GlobalVarsSetThenGet(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        Interpreter* interp = zorakCreateInterp();
        state.ResumeTiming();
        for (const auto& name : names())
            set_var(interp, name.c_str(), name.c_str());
        for (const auto& name : names())
            benchmark::DoNotOptimize(zorakGetVar(interp, name.c_str(), kScopeCurrent));
        state.PauseTiming();
        zorakReleaseInterp(interp);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * 2 * kNames);
}
BENCHMARK(BM_GlobalVarsSetThenGet)->Unit(benchmark::kMillisecond);

// The same through the evaluator: a generated script of 100,000 sets, then
// one of 100,000 reads.
void BM_GlobalVarsScript(benchmark::State& state) {
    const std::string sets = script(true);
    const std::string reads = script(false);
    for (auto _ : state) {
        state.PauseTiming();
        Interpreter* interp = zorakCreateInterp();
        zorakRegisterCommands(interp);
        state.ResumeTiming();
        if (kuvetEval(interp, sets.c_str(), 0, 0) != 0) state.SkipWithError("set script failed");
        if (kuvetEval(interp, reads.c_str(), 0, 0) != 0) state.SkipWithError("read script failed");
        state.PauseTiming();
        zorakReleaseInterp(interp);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * 2 * kNames);
}
BENCHMARK(BM_GlobalVarsScript)->Unit(benchmark::kMillisecond);

// 100,000 inserts into a default table (growing as it goes), then 100,000
// lookups.
void BM_HashTableInsertThenGet(benchmark::State& state) {
    for (auto _ : state) {
        hash_table table;
        for (const auto& name : names())
            table.set(name.c_str(), name.c_str(), true);
        const char* value = nullptr;
        for (const auto& name : names())
            benchmark::DoNotOptimize(table.get(name.c_str(), &value));
        state.PauseTiming();
        table.destroy();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * 2 * kNames);
}
BENCHMARK(BM_HashTableInsertThenGet)->Unit(benchmark::kMillisecond);

} // namespace
