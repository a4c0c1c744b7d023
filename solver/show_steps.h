#pragma once

#include "platform/controls.h"
#include "quantity.h"

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

// Reads the two jug sizes and the target, then lists the plan that measures
// the target by always pouring from jug 1 into jug 2: fill jug 1 when empty,
// empty jug 2 when full, pour as much as jug 2 takes. Bad input and
// unmeasurable targets get a single line instead. Overflow and Division by
// zero propagate as RuntimeError, leaving the list as it stood.
void showSteps(const StepControls& controls, StepQuantities& quantities);

} // namespace quillmere
