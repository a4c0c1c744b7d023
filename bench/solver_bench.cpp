#include "platform/line_list.h"
#include "solver/show_steps.h"

#include <benchmark/benchmark.h>

#include <string>

namespace quillmere {
namespace {

class FixedTextBox final : public platform::TextBox {
public:
    explicit FixedTextBox(std::string text) : text_(std::move(text)) {}
    std::string text() const override { return text_; }

private:
    std::string text_;
};

// The list is reused between iterations, as the window reuses its own.
void solve(benchmark::State& state, const char* jug1, const char* jug2, const char* target, std::size_t expectedLines)
{
    const FixedTextBox txtJug1Size(jug1);
    const FixedTextBox txtJug2Size(jug2);
    const FixedTextBox txtTargetAmount(target);
    platform::LineList lstSteps;
    StepQuantities quantities;
    for (auto _ : state) {
        showSteps({txtJug1Size, txtJug2Size, txtTargetAmount, lstSteps}, quantities);
        benchmark::DoNotOptimize(lstSteps.size());
    }
    if (lstSteps.size() != expectedLines)
        state.SkipWithError("unexpected number of lines");
    state.counters["lines"] = static_cast<double>(lstSteps.size());
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
