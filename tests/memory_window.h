#pragma once

#include "platform/line_list.h"
#include "solver/show_steps.h"

#include <string>
#include <utility>
#include <vector>

namespace quillmere::testing {

class MemoryTextBox final : public platform::TextBox {
public:
    explicit MemoryTextBox(std::string caption) : caption(std::move(caption)) {}

    std::string caption;
    std::string value;
    mutable int reads = 0;

    std::string label() const override { return caption; }

    std::string text() const override
    {
        ++reads;
        return value;
    }
};

// The window's boxes, list and quantities without the window; the tests,
// the benchmarks and the fuzzer all drive the solver through it.
struct MemoryWindow {
    MemoryTextBox txtJug1Size{"Jug #1 Size"};
    MemoryTextBox txtJug2Size{"Jug #2 Size"};
    MemoryTextBox txtTargetAmount{"Target Amount"};
    platform::LineList lstSteps;
    StepQuantities quantities;

    void enter(const std::string& jug1, const std::string& jug2, const std::string& target)
    {
        txtJug1Size.value = jug1;
        txtJug2Size.value = jug2;
        txtTargetAmount.value = target;
    }

    Outcome showSteps() { return quillmere::showSteps({txtJug1Size, txtJug2Size, txtTargetAmount, lstSteps}, quantities); }

    std::vector<std::string> lines() const
    {
        std::vector<std::string> result;
        for (std::size_t row = 0; row < lstSteps.size(); ++row)
            result.emplace_back(lstSteps[row]);
        return result;
    }
};

} // namespace quillmere::testing
