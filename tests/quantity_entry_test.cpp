#include "case_names.h"
#include "memory_window.h"
#include "platform/line_text.h"
#include "platform/runtime_error.h"
#include "platform/values.h"
#include "solver/read_quantity.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace quillmere {
namespace {

struct EntryCase {
    std::string text;
    std::int16_t cups;
};

class ReadsQuantity : public ::testing::TestWithParam<EntryCase> {};

TEST_P(ReadsQuantity, FromTheNumberAtTheStartOfTheText)
{
    testing::MemoryTextBox box("Jug #1 Size");
    box.value = GetParam().text;
    EXPECT_EQ(readQuantity(box).cups(), GetParam().cups);
    EXPECT_EQ(box.reads, 1);
}

INSTANTIATE_TEST_SUITE_P(Entries, ReadsQuantity, ::testing::Values(
    EntryCase{"", 0},
    EntryCase{"abc", 0},
    EntryCase{"7", 7},
    EntryCase{"   7", 7},
    EntryCase{"\t\n7", 7},
    EntryCase{"7.99", 7},
    EntryCase{"12 cups", 12},
    EntryCase{"12abc", 12},
    EntryCase{"-0.5", -1},
    EntryCase{"-2.5", -3},
    EntryCase{"0.9", 0},
    EntryCase{"3.7", 3},
    EntryCase{"32767", 32767},
    EntryCase{"32767.9", 32767},
    EntryCase{"-32768", -32768},
    EntryCase{"1 2", 12},
    EntryCase{"- 5", -5},
    EntryCase{"+5", 5},
    EntryCase{"1e3", 1000},
    EntryCase{"1E3", 1000},
    EntryCase{"4d0", 4},
    EntryCase{"4D1", 40},
    EntryCase{"2.5e1", 25},
    EntryCase{"1e-400", 0},
    EntryCase{"5e", 5},
    EntryCase{"5e+", 5},
    EntryCase{"1e 2", 100},
    EntryCase{"1.2.3", 1},
    EntryCase{".5", 0},
    EntryCase{"5.", 5},
    EntryCase{".", 0},
    EntryCase{"-", 0},
    EntryCase{"--5", 0},
    EntryCase{"+-5", 0},
    EntryCase{"e5", 0},
    EntryCase{"1,5", 1},
    EntryCase{"0000000000000000000000000000042", 42},
    EntryCase{"0.000000000000000000000000000000001e35", 100},
    EntryCase{"0e99999999999999999999", 0},
    EntryCase{"inf", 0},
    EntryCase{"nan", 0},
    EntryCase{"\r7", 0},
    EntryCase{std::string("7\0" "9", 3), 7}),
    [](const auto& info) { return testing::nameOfText(info.param.text); });

class OverflowsQuantity : public ::testing::TestWithParam<std::string> {};

TEST_P(OverflowsQuantity, WhenTheValueDoesNotFitSixteenBits)
{
    testing::MemoryTextBox box("Target Amount");
    box.value = GetParam();
    try {
        readQuantity(box);
        FAIL() << "no error for " << GetParam();
    } catch (const platform::RuntimeError& error) {
        EXPECT_EQ(error.number(), 6);
        EXPECT_EQ(error.description(), "Overflow");
        EXPECT_EQ(error.cause(), "Target Amount does not fit: enter a number from -32768 to 32767.");
    }
}

INSTANTIATE_TEST_SUITE_P(Entries, OverflowsQuantity, ::testing::Values(
    "32768", "-32768.1", "-32769", "40000", "1e5", "1e309", "-1e309", "9e99999999999999999999",
    std::string(400, '9')),
    [](const auto& info) { return testing::nameOfText(info.param); });

struct ArithmeticCase {
    std::int16_t a;
    std::int16_t b;
    std::int16_t sum;        // 0 with sumOverflows
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

INSTANTIATE_TEST_SUITE_P(Signs, Remainder, ::testing::Values(
    RemainderCase{7, 3, 1},
    RemainderCase{-7, 3, -1},
    RemainderCase{7, -3, 1},
    RemainderCase{-2, 2, 0},
    RemainderCase{-32768, -1, 0}),
    [](const auto& info) { return testing::nameOfNumber(info.param.dividend) + "By" + testing::nameOfNumber(info.param.divisor); });

TEST(Remainder, ByZeroRaisesDivisionByZero)
{
    try {
        platform::remainder(4, 0);
        FAIL();
    } catch (const platform::RuntimeError& error) {
        EXPECT_EQ(error.number(), 11);
        EXPECT_EQ(error.description(), "Division by zero");
    }
}

TEST(LineText, JoinsPartsAndPlainDecimalNumbers)
{
    platform::LineText line("x");
    for (const std::int16_t value : {0, 7, 10, -3, 32767, -32768})
        line += value;
    line += std::string_view("!");
    EXPECT_EQ(line.view(), "x0710-332767-32768!");
}

TEST(LineText, RefusesToGrowPastItsCapacity)
{
    platform::LineText line(std::string(platform::LineText::capacity - 2, 'a'));
    EXPECT_THROW(line += std::int16_t{-100}, std::length_error);
    EXPECT_THROW(line += std::string_view("abc"), std::length_error);
    EXPECT_EQ(line.view().size(), platform::LineText::capacity - 2);
}

} // namespace
} // namespace quillmere
