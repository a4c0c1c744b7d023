#include "tests/memory_window.h"

#include <benchmark/benchmark.h>

namespace quillmere {
namespace {

// The list is reused between iterations, as the window reuses its own.
void solve(benchmark::State& state, const char* jug1, const char* jug2, const char* target, std::size_t expectedLines)
{
    testing::MemoryWindow window;
    window.enter(jug1, jug2, target);
    for (auto _ : state) {
        window.showSteps();
        benchmark::DoNotOptimize(window.lstSteps.size());
    }
    if (window.lstSteps.size() != expectedLines)
        state.SkipWithError("unexpected number of lines");
    state.counters["lines"] = static_cast<double>(window.lstSteps.size());
}

void BM_SolverWorstCase(benchmark::State& state)
{
    solve(state, "1", "32766", "32767", 196'600);
}
BENCHMARK(BM_SolverWorstCase)->Unit(benchmark::kMillisecond);

void BM_Solver58_59_117(benchmark::State& state)
{
    solve(state, "58", "59", "117", 700);
}
BENCHMARK(BM_Solver58_59_117)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace quillmere
