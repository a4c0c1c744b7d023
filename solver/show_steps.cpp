#include "show_steps.h"

#include "greatest_common_divisor.h"
#include "platform/line_text.h"
#include "platform/runtime_error.h"
#include "read_quantity.h"

#include <string>
#include <string_view>

namespace quillmere {
namespace {

using platform::LineText;

LineText sizeText(std::string_view before, Quantity size, std::string_view after)
{
    LineText text(before);
    text += size.cups();
    text += after;
    return text;
}

// Writes the plan's lines. Everything in a line that depends only on the two
// sizes is composed once per run, so a long plan costs little more than
// copying its text.
class StepLog {
public:
    StepLog(platform::ListBox& steps, const StepQuantities& quantities)
        : steps_(steps),
          quantities_(quantities),
          fillLine_(sizeText("Fill the ", quantities.jug1Size, "-cup jug")),
          emptyLine_(sizeText("Empty the ", quantities.jug2Size, "-cup jug")),
          transferTail_(sizeText(" cup(s) from the ", quantities.jug1Size, "-cup jug to the ")),
          statusJug1_(sizeText("", quantities.jug1Size, "-cup jug:  ")),
          statusJug2_(sizeText("        ", quantities.jug2Size, "-cup jug:  "))
    {
        transferTail_ += sizeText("", quantities.jug2Size, "-cup jug.").view();
    }

    void fillLine() { steps_.addItem(fillLine_.view()); }
    void emptyLine() { steps_.addItem(emptyLine_.view()); }

    void transferLine()
    {
        LineText line("Transfer ");
        line += quantities_.transferAmount.cups();
        line += transferTail_.view();
        steps_.addItem(line.view());
    }

    // Both jugs after the action, then the blank line that closes its group.
    void statusAndBlank()
    {
        LineText line = statusJug1_;
        line += quantities_.jug1Contents.cups();
        line += statusJug2_.view();
        line += quantities_.jug2Contents.cups();
        steps_.addItem(line.view());
        steps_.addItem("");
    }

private:
    platform::ListBox& steps_;
    const StepQuantities& quantities_;
    const LineText fillLine_;
    const LineText emptyLine_;
    LineText transferTail_;
    const LineText statusJug1_;
    const LineText statusJug2_;
};

// Only a negative size leaves two jugs without a common divisor; zero sizes
// never get this far.
std::string negativeSizesCause(const StepControls& controls, const StepQuantities& q)
{
    const Quantity none{0};
    const std::string jug1 = controls.txtJug1Size.label();
    const std::string jug2 = controls.txtJug2Size.label();
    std::string named;
    if (q.jug1Size < none && q.jug2Size < none)
        named = jug1 + " and " + jug2 + " are";
    else
        named = (q.jug1Size < none ? jug1 : jug2) + " is";
    return named + " negative, but a jug holds a positive number of cups.";
}

} // namespace

void showSteps(const StepControls& controls, StepQuantities& q)
{
    q.jug1Size = readQuantity(controls.txtJug1Size);
    q.jug2Size = readQuantity(controls.txtJug2Size);
    q.targetAmount = readQuantity(controls.txtTargetAmount);
    const Quantity none{0};
    q.jug1Contents = none;
    q.jug2Contents = none;

    platform::ListBox& steps = controls.lstSteps;
    steps.clear();

    if (q.jug1Size == none || q.jug2Size == none || q.targetAmount == none) {
        steps.addItem("BAD USER VALUES!");
        return;
    }

    // All three conditions are worked out before deciding: the sum's overflow
    // and a zero divisor must raise their errors even when an earlier
    // condition already holds.
    bool moreThanBothHold = false;
    {
        const platform::ErrorContext sizesTooLarge([&controls] {
            return controls.txtJug1Size.label() + " and " + controls.txtJug2Size.label() + " together go beyond the limit of 32767 cups.";
        });
        moreThanBothHold = q.jug1Size + q.jug2Size < q.targetAmount;
    }
    bool lessThanDivisor = false;
    bool notAMultiple = false;
    {
        // A negative size leaves no common divisor, and the remainder by none
        // raises Division by zero.
        const platform::ErrorContext negativeSize([&controls, &q] { return negativeSizesCause(controls, q); });
        lessThanDivisor = greatestCommonDivisor(q.jug1Size, q.jug2Size) > q.targetAmount;
        notAMultiple = q.targetAmount % greatestCommonDivisor(q.jug1Size, q.jug2Size) != none;
    }
    if (moreThanBothHold || lessThanDivisor || notAMultiple) {
        steps.addItem("IMPOSSIBLE!");
        return;
    }

    StepLog log(steps, q);
    const auto measured = [&q] { return q.jug1Contents + q.jug2Contents == q.targetAmount || q.jug1Contents == q.targetAmount; };
    while (!measured() && q.jug2Contents != q.targetAmount) {
        if (q.jug1Contents == none) {
            q.jug1Contents = q.jug1Size;
            log.fillLine();
            log.statusAndBlank();
            // A fill leaves jug 2 as it was, so only jug 1 and the sum can have reached the target.
            if (measured())
                break;
        }
        if (q.jug2Contents == q.jug2Size) {
            q.jug2Contents = none;
            log.emptyLine();
            log.statusAndBlank();
        }
        q.transferAmount = q.jug2Size - q.jug2Contents;
        if (q.transferAmount > q.jug1Contents)
            q.transferAmount = q.jug1Contents;
        q.jug1Contents = q.jug1Contents - q.transferAmount;
        log.transferLine();
        q.jug2Contents = q.jug2Contents + q.transferAmount;
        log.statusAndBlank();
    }
    steps.addItem("DONE!");
}

} // namespace quillmere
