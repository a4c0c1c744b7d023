#include "show_steps.h"

#include "greatest_common_divisor.h"
#include "platform/line_text.h"
#include "platform/runtime_error.h"
#include "read_quantity.h"

#include <array>
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
std::string inASentence(const std::vector<std::string>& parts)
{
    std::string sentence;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            sentence += i + 1 == parts.size() ? " and " : ", ";
        sentence += parts[i];
    }
    return sentence;
}

using Entries = std::array<QuantityEntry, 3>;

// The reason, then a sentence for each box whose number was not read as
// typed: a reason about 2 cups must not leave 2.5 unexplained.
Outcome singleLine(platform::ListBox& steps, std::string_view line, std::string reason, const Entries& entries)
{
    for (const QuantityEntry& entry : entries) {
        if (entry.amount != Quantity{0} && !entry.readsAsTyped())
            reason += " " + entry.reading() + ".";
    }
    steps.addItem(line);
    return {std::string(line) + " " + reason, std::move(reason)};
}

// Only a negative size leaves two jugs without a common divisor; zero sizes
// never get this far.
std::string negativeSizesCause(const QuantityEntry& jug1, const QuantityEntry& jug2)
{
    const Quantity none{0};
    std::string named;
    if (jug1.amount < none && jug2.amount < none)
        named = jug1.label + " and " + jug2.label + " are";
    else
        named = (jug1.amount < none ? jug1.label : jug2.label) + " is";
    return named + " negative: enter " + worthEntering + ".";
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

    Entries entries;
    QuantityEntry& jug1 = entries[0];
    QuantityEntry& jug2 = entries[1];
    QuantityEntry& target = entries[2];
    jug1 = readQuantity(controls.txtJug1Size);
    q.jug1Size = jug1.amount;
    jug2 = readQuantity(controls.txtJug2Size);
    q.jug2Size = jug2.amount;
    target = readQuantity(controls.txtTargetAmount);
    q.targetAmount = target.amount;
    const Quantity none{0};
    q.jug1Contents = none;
    q.jug2Contents = none;

    std::vector<std::string> zeroBoxes;
    for (const QuantityEntry& entry : entries) {
        if (entry.amount == none)
            zeroBoxes.push_back(entry.reading());
    }
    if (!zeroBoxes.empty())
        return singleLine(steps, "BAD USER VALUES!", inASentence(zeroBoxes) + ": enter " + worthEntering + ".", entries);

    // All three conditions are worked out before deciding: the sum's overflow
    // and a zero divisor must raise their errors even when an earlier
    // condition already holds.
    Quantity bothHold;
    bool moreThanBothHold = false;
    {
        const platform::ErrorContext sizesTooLarge(
            jug1.label, [&] { return jug1.label + " and " + jug2.label + " together go beyond the limit of 32767 cups."; });
        bothHold = q.jug1Size + q.jug2Size;
        moreThanBothHold = bothHold < q.targetAmount;
    }
    Quantity divisor;
    bool lessThanDivisor = false;
    bool notAMultiple = false;
    {
        // A negative size leaves no common divisor, and the remainder by none
        // raises Division by zero.
        const platform::ErrorContext negativeSize(q.jug1Size < none ? jug1.label : jug2.label,
                                                  [&] { return negativeSizesCause(jug1, jug2); });
        lessThanDivisor = greatestCommonDivisor(q.jug1Size, q.jug2Size) > q.targetAmount;
        divisor = greatestCommonDivisor(q.jug1Size, q.jug2Size);
        notAMultiple = q.targetAmount % divisor != none;
    }
    if (!moreThanBothHold && !lessThanDivisor && !notAMultiple)
        return pourUntilMeasured(steps, q);

    // Told in the plainest terms: a target below the common divisor is
    // either negative, which no jug can hold, or not a multiple of it.
    const auto impossible = [&](const std::string& why) {
        return singleLine(steps, "IMPOSSIBLE!", "The target, " + cups(q.targetAmount) + ", " + why, entries);
    };
    if (q.targetAmount < none)
        return impossible("is negative: enter " + std::string(worthEntering) + ".");
    if (moreThanBothHold)
        return impossible("is more than both jugs hold together, " + cups(bothHold) + ".");
    return impossible("is not a multiple of " + std::to_string(divisor.cups()) + ", the largest number dividing both jug sizes.");
}

} // namespace quillmere
