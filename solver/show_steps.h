#pragma once

#include "platform/controls.h"
#include "quantity.h"

#include <string>

namespace quillmere {

// The six quantities the window keeps from one run to the next. Each run
// overwrites or resets all of them before reading any.
struct StepQuantities {
    Quantity jug1Size;
    Quantity jug2Size;
    Quantity jug1Contents;
    Quantity jug2Contents;
    Quantity transferAmount;
    Quantity targetAmount;
};

// The controls a run reads from and writes to.
struct StepControls {
    const platform::TextBox& txtJug1Size;
    const platform::TextBox& txtJug2Size;
    const platform::TextBox& txtTargetAmount;
    platform::ListBox& lstSteps;
};

// What a run tells the user beyond its lines, worded where it is decided.
struct Outcome {
    // The whole outcome in a sentence or two, for a screen reader to speak
    // in place of the list.
    std::string announcement;
    // Why the run ended in its one line, in the user's own numbers; empty
    // when the list holds a plan.
    std::string reason;
};

// Reads the two jug sizes and the target, then lists the plan that measures
// the target by always pouring from jug 1 into jug 2: fill jug 1 when empty,
// empty jug 2 when full, pour as much as jug 2 takes. Bad input and
// unmeasurable targets get a single line instead. Overflow and Division by
// zero propagate as RuntimeError, leaving the list empty.
Outcome showSteps(const StepControls& controls, StepQuantities& quantities);

} // namespace quillmere
