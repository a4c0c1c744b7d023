#include "case_names.h"
#include "platform/runtime_error.h"
#include "platform/values.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace quillmere {
namespace {

struct ArithmeticCase {
    std::int16_t a;
    std::int16_t b;
    std::int16_t sum; // 0 with sumOverflows
    bool sumOverflows;
    std::int16_t difference; // 0 with differenceOverflows
    bool differenceOverflows;
};

class CheckedArithmetic : public ::testing::TestWithParam<ArithmeticCase> {};

TEST_P(CheckedArithmetic, RaisesOverflowInsteadOfWrapping)
{
    const ArithmeticCase& c = GetParam();
    if (c.sumOverflows)
        EXPECT_THROW(platform::checkedAdd(c.a, c.b), platform::RuntimeError);
    else
        EXPECT_EQ(platform::checkedAdd(c.a, c.b), c.sum);
    if (c.differenceOverflows)
        EXPECT_THROW(platform::checkedSubtract(c.a, c.b), platform::RuntimeError);
    else
        EXPECT_EQ(platform::checkedSubtract(c.a, c.b), c.difference);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Bounds, CheckedArithmetic, ::testing::Values(
    ArithmeticCase{3, 5, 8, false, -2, false},
    ArithmeticCase{32766, 1, 32767, false, 32765, false},
    ArithmeticCase{32767, 1, 0, true, 32766, false},
    ArithmeticCase{20000, 20000, 0, true, 0, false},
    ArithmeticCase{-32768, -1, 0, true, -32767, false},
    ArithmeticCase{-32768, 1, -32767, false, 0, true},
    ArithmeticCase{0, -32768, -32768, false, 0, true},
    ArithmeticCase{-1, 32767, 32766, false, -32768, false}),
    [](const auto& info) { return testing::nameOfNumber(info.param.a) + "And" + testing::nameOfNumber(info.param.b); });
// clang-format on

struct RemainderCase {
    std::int16_t dividend;
    std::int16_t divisor;
    std::int16_t remainder;
};

class Remainder : public ::testing::TestWithParam<RemainderCase> {};

TEST_P(Remainder, TruncatesTowardZero)
{
    EXPECT_EQ(platform::remainder(GetParam().dividend, GetParam().divisor), GetParam().remainder);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Signs, Remainder, ::testing::Values(
    RemainderCase{7, 3, 1},
    RemainderCase{-7, 3, -1},
    RemainderCase{7, -3, 1},
    RemainderCase{-2, 2, 0},
    RemainderCase{-32768, -1, 0}),
    [](const auto& info) { return testing::nameOfNumber(info.param.dividend) + "By" + testing::nameOfNumber(info.param.divisor); });
// clang-format on

TEST(Remainder, ByZeroRaisesDivisionByZero)
{
    try {
        platform::remainder(4, 0);
        FAIL();
    } catch (const platform::RuntimeError& error) {
        EXPECT_EQ(error.number(), 11);
        EXPECT_EQ(std::string(error.what()), "Division by zero");
    }
}

} // namespace
} // namespace quillmere
