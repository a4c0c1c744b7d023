#include "memory_window.h"
#include "platform/runtime_error.h"
#include "worked_example.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillmere {
namespace {

using Lines = std::vector<std::string>;

struct PlanCase {
    std::string name;
    std::string jug1;
    std::string jug2;
    std::string target;
    Lines lines;
};

std::ostream& operator<<(std::ostream& out, const PlanCase& c)
{
    return out << c.name;
}

class ShowSteps : public ::testing::TestWithParam<PlanCase> {};

TEST_P(ShowSteps, ListsExactlyThesePlanLines)
{
    testing::MemoryWindow window;
    window.enter(GetParam().jug1, GetParam().jug2, GetParam().target);
    window.showSteps();
    EXPECT_EQ(window.lines(), GetParam().lines);
}

const Lines badInput{"BAD USER VALUES!"};
const Lines impossible{"IMPOSSIBLE!"};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Plans, ShowSteps, ::testing::Values(
    PlanCase{"WorkedExample", "3", "5", "4", Lines(testing::workedExample.begin(), testing::workedExample.end())},
    PlanCase{"EqualJugsStopAfterTheFill", "5", "5", "5", {
        "Fill the 5-cup jug", "5-cup jug:  5        5-cup jug:  0", "", "DONE!"}},
    PlanCase{"SecondJugAloneHoldsTheTarget", "3", "5", "5", {
        "Fill the 3-cup jug", "3-cup jug:  3        5-cup jug:  0", "",
        "Transfer 3 cup(s) from the 3-cup jug to the 5-cup jug.", "3-cup jug:  0        5-cup jug:  3", "",
        "Fill the 3-cup jug", "3-cup jug:  3        5-cup jug:  3", "",
        "Transfer 2 cup(s) from the 3-cup jug to the 5-cup jug.", "3-cup jug:  1        5-cup jug:  5", "",
        "DONE!"}},
    PlanCase{"FirstJugTheLarger", "5", "3", "4", {
        "Fill the 5-cup jug", "5-cup jug:  5        3-cup jug:  0", "",
        "Transfer 3 cup(s) from the 5-cup jug to the 3-cup jug.", "5-cup jug:  2        3-cup jug:  3", "",
        "Empty the 3-cup jug", "5-cup jug:  2        3-cup jug:  0", "",
        "Transfer 2 cup(s) from the 5-cup jug to the 3-cup jug.", "5-cup jug:  0        3-cup jug:  2", "",
        "Fill the 5-cup jug", "5-cup jug:  5        3-cup jug:  2", "",
        "Transfer 1 cup(s) from the 5-cup jug to the 3-cup jug.", "5-cup jug:  4        3-cup jug:  3", "",
        "DONE!"}},
    PlanCase{"OneCupJugs", "1", "1", "2", {
        "Fill the 1-cup jug", "1-cup jug:  1        1-cup jug:  0", "",
        "Transfer 1 cup(s) from the 1-cup jug to the 1-cup jug.", "1-cup jug:  0        1-cup jug:  1", "",
        "Fill the 1-cup jug", "1-cup jug:  1        1-cup jug:  1", "",
        "DONE!"}},
    PlanCase{"AllBoxesEmpty", "", "", "", badInput},
    PlanCase{"FirstSizeZero", "0", "5", "4", badInput},
    PlanCase{"SecondSizeNotANumber", "3", "five", "4", badInput},
    PlanCase{"TargetRoundsDownToZero", "3", "5", "0.9", badInput},
    PlanCase{"NegativeTargetRoundsDownToZero", "3", "5", "-0", badInput},
    PlanCase{"MoreThanBothJugsHold", "3", "5", "9", impossible},
    PlanCase{"NotAMultipleOfTheDivisor", "6", "4", "5", impossible},
    PlanCase{"NegativeTargetBelowTheDivisor", "4", "6", "-2", impossible}),
    [](const auto& info) { return info.param.name; });
// clang-format on

struct OutcomeCase {
    std::string name;
    std::string jug1;
    std::string jug2;
    std::string target;
    std::string announcement;
};

class ShowStepsOutcome : public ::testing::TestWithParam<OutcomeCase> {};

TEST_P(ShowStepsOutcome, SaysWhatTheListShowsAndWhy)
{
    testing::MemoryWindow window;
    window.enter(GetParam().jug1, GetParam().jug2, GetParam().target);
    const Outcome outcome = window.showSteps();
    EXPECT_EQ(outcome.announcement, GetParam().announcement);
    if (outcome.reason.empty())
        EXPECT_EQ(window.lines().back(), "DONE!");
    else
        EXPECT_EQ(outcome.announcement, window.lines().at(0) + " " + outcome.reason);
}

const std::string enterInstead = ": enter a whole number of cups from 1 to 32767.";
const std::string dividingBoth = ", the largest number dividing both jug sizes.";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Outcomes, ShowStepsOutcome, ::testing::Values(
    OutcomeCase{"PlanCountsItsActions", "3", "5", "4", "The plan in the list has 7 actions."},
    OutcomeCase{"PlanOfOneAction", "5", "5", "5", "The plan in the list has 1 action."},
    OutcomeCase{"EmptyBox", "", "5", "4", "BAD USER VALUES! Jug #1 Size is empty" + enterInstead},
    OutcomeCase{"BlanksOnly", "  ", "5", "4", "BAD USER VALUES! Jug #1 Size is empty" + enterInstead},
    OutcomeCase{"NoNumberAtTheStart", "3", "five", "4", "BAD USER VALUES! Jug #2 Size holds no number" + enterInstead},
    OutcomeCase{"Zero", "3", "5", "0", "BAD USER VALUES! Target Amount is 0" + enterInstead},
    OutcomeCase{"RoundsDownToZero", "3", "5", "0.9", "BAD USER VALUES! Target Amount, 0.9, reads as 0" + enterInstead},
    OutcomeCase{"TwoBoxes", "0", "5", "x", "BAD USER VALUES! Jug #1 Size is 0 and Target Amount holds no number" + enterInstead},
    OutcomeCase{"ThreeBoxes", "", "", "", "BAD USER VALUES! Jug #1 Size is empty, Jug #2 Size is empty and Target Amount is empty" + enterInstead},
    OutcomeCase{"ZeroBesideAFraction", "2.5", "0", "4",
                "BAD USER VALUES! Jug #2 Size is 0" + enterInstead + " Jug #1 Size, 2.5, reads as 2."},
    OutcomeCase{"LongTextQuotedInPart", "3", "5", "0.00000000000000000000000000001",
                "BAD USER VALUES! Target Amount, 0.0000000000000000000000\u2026, reads as 0" + enterInstead},
    OutcomeCase{"MoreThanBothHold", "3", "5", "9", "IMPOSSIBLE! The target, 9 cups, is more than both jugs hold together, 8 cups."},
    OutcomeCase{"FractionsReadAsWritten", "2.5", "2.5", "5",
                "IMPOSSIBLE! The target, 5 cups, is more than both jugs hold together, 4 cups."
                " Jug #1 Size, 2.5, reads as 2. Jug #2 Size, 2.5, reads as 2."},
    OutcomeCase{"WordsAndExponents", "12 cups", "1e3", " 2000 ",
                "IMPOSSIBLE! The target, 2000 cups, is more than both jugs hold together, 1012 cups."
                " Jug #1 Size, 12 cups, reads as 12. Jug #2 Size, 1e3, reads as 1000."},
    OutcomeCase{"MoreThanBothHoldBeforeNotAMultiple", "6", "4", "11",
                "IMPOSSIBLE! The target, 11 cups, is more than both jugs hold together, 10 cups."},
    OutcomeCase{"NotAMultiple", "6", "4", "5", "IMPOSSIBLE! The target, 5 cups, is not a multiple of 2" + dividingBoth},
    OutcomeCase{"BelowTheDivisorNotAMultiple", "4", "6", "1", "IMPOSSIBLE! The target, 1 cup, is not a multiple of 2" + dividingBoth},
    OutcomeCase{"NegativeTarget", "4", "6", "-2", "IMPOSSIBLE! The target, -2 cups, is negative" + enterInstead},
    OutcomeCase{"NegativeTargetNotAMultiple", "4", "6", "-3", "IMPOSSIBLE! The target, -3 cups, is negative" + enterInstead},
    OutcomeCase{"NegativeFractionTarget", "3", "5", "-2.5",
                "IMPOSSIBLE! The target, -3 cups, is negative" + enterInstead + " Target Amount, -2.5, reads as -3."}),
    [](const auto& info) { return info.param.name; });
// clang-format on

struct EndingCase {
    std::string jug1;
    std::string jug2;
    std::string target;
    Lines lastLines;
};

class ShowStepsEnding : public ::testing::TestWithParam<EndingCase> {};

TEST_P(ShowStepsEnding, EndsAsSoonAsTheTargetIsMeasured)
{
    testing::MemoryWindow window;
    window.enter(GetParam().jug1, GetParam().jug2, GetParam().target);
    window.showSteps();
    const Lines lines = window.lines();
    ASSERT_GE(lines.size(), GetParam().lastLines.size());
    EXPECT_EQ(Lines(lines.end() - static_cast<long>(GetParam().lastLines.size()), lines.end()), GetParam().lastLines);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Plans, ShowStepsEnding, ::testing::Values(
    EndingCase{"3", "5", "8", {"Fill the 3-cup jug", "3-cup jug:  3        5-cup jug:  5", "", "DONE!"}},
    EndingCase{"3", "5", "3", {"Fill the 3-cup jug", "3-cup jug:  3        5-cup jug:  0", "", "DONE!"}},
    EndingCase{"7", "2", "1", {"Transfer 2 cup(s) from the 7-cup jug to the 2-cup jug.", "7-cup jug:  1        2-cup jug:  2", "", "DONE!"}},
    EndingCase{"1", "32766", "32767", {"Fill the 1-cup jug", "1-cup jug:  1        32766-cup jug:  32766", "", "DONE!"}}),
    [](const auto& info) { return info.param.jug1 + "And" + info.param.jug2 + "Target" + info.param.target; });
// clang-format on

TEST(ShowSteps, Sizes58And59Target117GiveSevenHundredLines)
{
    testing::MemoryWindow window;
    window.enter("58", "59", "117");
    window.showSteps();
    ASSERT_EQ(window.lstSteps.size(), 700u);
    EXPECT_EQ(window.lstSteps[699], "DONE!");
}

TEST(ShowSteps, ASecondRunGivesTheSameListNotALongerOne)
{
    testing::MemoryWindow window;
    window.enter("3", "5", "4");
    window.showSteps();
    const Lines first = window.lines();
    window.showSteps();
    EXPECT_EQ(window.lines(), first);
}

TEST(ShowSteps, ResetsTheContentsLeftByTheRunBefore)
{
    testing::MemoryWindow window;
    window.enter("3", "5", "4");
    window.showSteps();
    window.enter("5", "5", "5");
    window.showSteps();
    EXPECT_EQ(window.lines(), (Lines{"Fill the 5-cup jug", "5-cup jug:  5        5-cup jug:  0", "", "DONE!"}));
}

struct ErrorCase {
    std::string name;
    std::string jug1;
    std::string jug2;
    std::string target;
    int number;
    std::string cause;
    std::string box; // where the cause leads back to
    int boxesRead;   // how many of the three boxes were read, in order
};

std::ostream& operator<<(std::ostream& out, const ErrorCase& c)
{
    return out << c.name;
}

class ShowStepsError : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ShowStepsError, StopsWhereItArisesAndLeavesTheListEmpty)
{
    const ErrorCase& c = GetParam();
    testing::MemoryWindow window;
    window.enter("3", "5", "4");
    window.showSteps();
    window.txtJug1Size.reads = window.txtJug2Size.reads = window.txtTargetAmount.reads = 0;

    window.enter(c.jug1, c.jug2, c.target);
    try {
        window.showSteps();
        FAIL() << "no run-time error";
    } catch (const platform::RuntimeError& error) {
        EXPECT_EQ(error.number(), c.number);
        EXPECT_EQ(error.cause(), c.cause);
        EXPECT_EQ(error.box(), c.box);
    }
    EXPECT_EQ(window.lines(), Lines{});
    EXPECT_EQ(window.txtJug1Size.reads, c.boxesRead >= 1 ? 1 : 0);
    EXPECT_EQ(window.txtJug2Size.reads, c.boxesRead >= 2 ? 1 : 0);
    EXPECT_EQ(window.txtTargetAmount.reads, c.boxesRead >= 3 ? 1 : 0);
}

const std::string outOfRange = " does not fit: enter a whole number of cups from 1 to 32767.";
const std::string sumTooLarge = "Jug #1 Size and Jug #2 Size together go beyond the limit of 32767 cups.";
const std::string negativeSize = " negative: enter a whole number of cups from 1 to 32767.";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Errors, ShowStepsError, ::testing::Values(
    ErrorCase{"FirstBoxOverflows", "40000", "5", "4", 6, "Jug #1 Size" + outOfRange, "Jug #1 Size", 1},
    ErrorCase{"SecondBoxOverflows", "3", "32768", "4", 6, "Jug #2 Size" + outOfRange, "Jug #2 Size", 2},
    ErrorCase{"TargetOverflows", "3", "5", "-32768.1", 6, "Target Amount" + outOfRange, "Target Amount", 3},
    ErrorCase{"FirstOfTwoBadBoxesIsNamed", "3", "1e400", "99999", 6, "Jug #2 Size" + outOfRange, "Jug #2 Size", 2},
    ErrorCase{"SizesSumOverflows", "20000", "20000", "1", 6, sumTooLarge, "Jug #1 Size", 3},
    ErrorCase{"NegativeSizesSumOverflows", "-20000", "-20000", "1", 6, sumTooLarge, "Jug #1 Size", 3},
    ErrorCase{"NegativeJugSize", "-3", "5", "4", 11, "Jug #1 Size is" + negativeSize, "Jug #1 Size", 3},
    ErrorCase{"NegativeSizeAndTooLargeATarget", "5", "-3", "100", 11, "Jug #2 Size is" + negativeSize, "Jug #2 Size", 3},
    ErrorCase{"BothSizesNegative", "-4", "-6", "-2", 11, "Jug #1 Size and Jug #2 Size are" + negativeSize, "Jug #1 Size", 3}),
    [](const auto& info) { return info.param.name; });
// clang-format on

TEST(ShowSteps, AnOverflowWhileReadingKeepsTheEarlierBoxesValues)
{
    testing::MemoryWindow window;
    window.enter("7", "40000", "4");
    EXPECT_THROW(window.showSteps(), platform::RuntimeError);
    EXPECT_EQ(window.quantities.jug1Size, Quantity{7});
}

} // namespace
} // namespace quillmere
