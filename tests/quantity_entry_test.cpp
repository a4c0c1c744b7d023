#include "case_names.h"
#include "memory_window.h"
#include "platform/runtime_error.h"
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
    EXPECT_EQ(readQuantity(box).amount.cups(), GetParam().cups);
    EXPECT_EQ(box.reads, 1);
}

// clang-format off
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
// clang-format on

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
        EXPECT_EQ(std::string(error.what()), "Overflow");
        EXPECT_EQ(error.cause(), "Target Amount does not fit: enter a whole number of cups from 1 to 32767.");
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Entries, OverflowsQuantity, ::testing::Values(
    "32768", "-32768.1", "-32769", "40000", "1e5", "1e309", "-1e309", "9e99999999999999999999",
    std::string(400, '9')),
    [](const auto& info) { return testing::nameOfText(info.param); });
// clang-format on

} // namespace
} // namespace quillmere
