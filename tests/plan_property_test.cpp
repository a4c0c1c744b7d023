#include "memory_window.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <string_view>

namespace quillmere {
namespace {

// Checks a listed plan against the puzzle itself, not against the solver's
// own steps: every group must be a legal action whose status line follows
// from the one before, and the plan must end once the target is measured.
class PlanChecker {
public:
    PlanChecker(int jug1Size, int jug2Size, int target) : size1_(jug1Size), size2_(jug2Size), target_(target) {}

    ::testing::AssertionResult check(const platform::LineList& lines)
    {
        if (lines.size() < 4 || lines.size() % 3 != 1)
            return ::testing::AssertionFailure() << "line count " << lines.size();
        if (lines[lines.size() - 1] != "DONE!")
            return ::testing::AssertionFailure() << "last line " << lines[lines.size() - 1];
        for (std::size_t row = 0; row + 1 < lines.size(); row += 3) {
            if (measured())
                return ::testing::AssertionFailure() << "goes on after the target at line " << row;
            if (auto applied = apply(lines[row]); !applied)
                return applied << " at line " << row;
            if (lines[row + 1] != status())
                return ::testing::AssertionFailure()
                    << "line " << row + 1 << " is '" << lines[row + 1] << "', expected '" << status() << "'";
            if (!lines[row + 2].empty())
                return ::testing::AssertionFailure() << "line " << row + 2 << " is not blank";
            if (contents1_ < 0 || contents1_ > size1_ || contents2_ < 0 || contents2_ > size2_)
                return ::testing::AssertionFailure() << "contents out of range at line " << row;
        }
        if (!measured())
            return ::testing::AssertionFailure() << "stops before the target is measured";
        return ::testing::AssertionSuccess();
    }

private:
    bool measured() const { return contents1_ + contents2_ == target_ || contents1_ == target_ || contents2_ == target_; }

    std::string jug(int size) const { return std::to_string(size) + "-cup jug"; }

    std::string status() const
    {
        return jug(size1_) + ":  " + std::to_string(contents1_) + "        " + jug(size2_) + ":  " + std::to_string(contents2_);
    }

    ::testing::AssertionResult apply(std::string_view action)
    {
        if (action == "Fill the " + jug(size1_)) {
            if (contents1_ != 0)
                return ::testing::AssertionFailure() << "fills a jug that is not empty";
            contents1_ = size1_;
            return ::testing::AssertionSuccess();
        }
        if (action == "Empty the " + jug(size2_)) {
            if (contents2_ != size2_)
                return ::testing::AssertionFailure() << "empties a jug that is not full";
            contents2_ = 0;
            return ::testing::AssertionSuccess();
        }
        const std::string prefix = "Transfer ";
        const std::string suffix = " cup(s) from the " + jug(size1_) + " to the " + jug(size2_) + ".";
        if (action.size() > prefix.size() + suffix.size() && action.starts_with(prefix) && action.ends_with(suffix)) {
            const std::string amountText(action.substr(prefix.size(), action.size() - prefix.size() - suffix.size()));
            const int amount = std::stoi(amountText);
            if (std::to_string(amount) != amountText || amount < 1 || amount > contents1_ || contents2_ + amount > size2_)
                return ::testing::AssertionFailure() << "illegal transfer '" << action << "'";
            contents1_ -= amount;
            contents2_ += amount;
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << "unknown action '" << action << "'";
    }

    int size1_;
    int size2_;
    int target_;
    int contents1_ = 0;
    int contents2_ = 0;
};

bool measurable(int jug1Size, int jug2Size, int target)
{
    return target > 0 && target <= jug1Size + jug2Size && target % std::gcd(jug1Size, jug2Size) == 0;
}

TEST(Plans, AreValidForEveryMeasurableTargetAndImpossibleOtherwise)
{
    testing::MemoryWindow window;
    for (int size1 = 1; size1 <= 40; ++size1) {
        for (int size2 = 1; size2 <= 40; ++size2) {
            for (int target = -5; target <= size1 + size2 + 5; ++target) {
                SCOPED_TRACE(std::to_string(size1) + ", " + std::to_string(size2) + ", " + std::to_string(target));
                window.enter(std::to_string(size1), std::to_string(size2), std::to_string(target));
                window.showSteps();
                if (target == 0) {
                    ASSERT_EQ(window.lines(), std::vector<std::string>{"BAD USER VALUES!"});
                } else if (!measurable(size1, size2, target)) {
                    ASSERT_EQ(window.lines(), std::vector<std::string>{"IMPOSSIBLE!"});
                } else {
                    ASSERT_TRUE(PlanChecker(size1, size2, target).check(window.lstSteps));
                }
            }
        }
    }
}

} // namespace
} // namespace quillmere
