#include "platform/line_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>

namespace quillmere {
namespace {

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
