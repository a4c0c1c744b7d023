#include "show_steps.h"

#include "greatest_common_divisor.h"
#include "platform/line_text.h"
#include "platform/runtime_error.h"
#include "read_quantity.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

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

    void fillLine() { action(fillLine_.view()); }
    void emptyLine() { action(emptyLine_.view()); }

    void transferLine()
    {
        LineText line("Transfer ");
        line += quantities_.transferAmount.cups();
        line += transferTail_.view();
        action(line.view());
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

    std::size_t actions() const { return actions_; }

private:
    void action(std::string_view line)
    {
        steps_.addItem(line);
        ++actions_;
    }

    platform::ListBox& steps_;
    const StepQuantities& quantities_;
    const LineText fillLine_;
    const LineText emptyLine_;
    LineText transferTail_;
    const LineText statusJug1_;
    const LineText statusJug2_;
    std::size_t actions_ = 0;
};

std::string cups(Quantity amount)
{
    const int count = amount.cups();
    return std::to_string(count) + (count == 1 || count == -1 ? " cup" : " cups");
}

// "A", "A and B", "A, B and C".
std::string namesInASentence(const std::vector<std::string>& names)
{
    std::string sentence;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0)
            sentence += i + 1 == names.size() ? " and " : ", ";
        sentence += names[i];
    }
    return sentence;
}

Outcome singleLine(platform::ListBox& steps, std::string_view line, std::string reason)
{
    steps.addItem(line);
    return {std::string(line) + " " + reason, std::move(reason)};
}

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

// The plan itself: fill, empty and pour until the target stands in one jug
// or in both together.
Outcome pourUntilMeasured(platform::ListBox& steps, StepQuantities& q)
{
    const Quantity none{0};
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
    const std::size_t actions = log.actions();
    return {"The plan in the list has " + std::to_string(actions) + (actions == 1 ? " action." : " actions."), {}};
}

} // namespace

Outcome showSteps(const StepControls& controls, StepQuantities& q)
{
    // Cleared before anything can fail: a run stopped by a run-time error
    // leaves no plan beside entries it was not made for.
    platform::ListBox& steps = controls.lstSteps;
    steps.clear();

    q.jug1Size = readQuantity(controls.txtJug1Size);
    q.jug2Size = readQuantity(controls.txtJug2Size);
    q.targetAmount = readQuantity(controls.txtTargetAmount);
    const Quantity none{0};
    q.jug1Contents = none;
    q.jug2Contents = none;

    std::vector<std::string> zeroBoxes;
    for (const auto& [box, amount] : {std::pair{&controls.txtJug1Size, q.jug1Size}, std::pair{&controls.txtJug2Size, q.jug2Size},
                                      std::pair{&controls.txtTargetAmount, q.targetAmount}}) {
        if (amount == none)
            zeroBoxes.push_back(box->label());
    }
    if (!zeroBoxes.empty()) {
        return singleLine(steps, "BAD USER VALUES!",
                          namesInASentence(zeroBoxes) + (zeroBoxes.size() == 1 ? " reads" : " read")
                              + " as 0: enter a whole number of cups, 1 or more.");
    }

    // All three conditions are worked out before deciding: the sum's overflow
    // and a zero divisor must raise their errors even when an earlier
    // condition already holds.
    Quantity bothHold;
    bool moreThanBothHold = false;
    {
        const platform::ErrorContext sizesTooLarge([&controls] {
            return controls.txtJug1Size.label() + " and " + controls.txtJug2Size.label() + " together go beyond the limit of 32767 cups.";
        });
        bothHold = q.jug1Size + q.jug2Size;
        moreThanBothHold = bothHold < q.targetAmount;
    }
    Quantity divisor;
    bool lessThanDivisor = false;
    bool notAMultiple = false;
    {
        // A negative size leaves no common divisor, and the remainder by none
        // raises Division by zero.
        const platform::ErrorContext negativeSize([&controls, &q] { return negativeSizesCause(controls, q); });
        lessThanDivisor = greatestCommonDivisor(q.jug1Size, q.jug2Size) > q.targetAmount;
        divisor = greatestCommonDivisor(q.jug1Size, q.jug2Size);
        notAMultiple = q.targetAmount % divisor != none;
    }
    const std::string target = "The target, " + cups(q.targetAmount) + ", ";
    const std::string dividingBoth = ", the largest number dividing both jug sizes.";
    if (moreThanBothHold)
        return singleLine(steps, "IMPOSSIBLE!", target + "is more than both jugs hold together, " + cups(bothHold) + ".");
    if (notAMultiple)
        return singleLine(steps, "IMPOSSIBLE!", target + "is not a multiple of " + std::to_string(divisor.cups()) + dividingBoth);
    if (lessThanDivisor)
        return singleLine(steps, "IMPOSSIBLE!", target + "is less than " + std::to_string(divisor.cups()) + dividingBoth);

    return pourUntilMeasured(steps, q);
}

} // namespace quillmere
