#include "case_names.h"
#include "solver/greatest_common_divisor.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>

namespace quillmere {
namespace {

struct DivisorCase {
    std::int16_t a;
    std::int16_t b;
    std::int16_t divisor;
};

class GreatestCommonDivisor : public ::testing::TestWithParam<DivisorCase> {};

TEST_P(GreatestCommonDivisor, IsTheSameInEitherArgumentOrder)
{
    const DivisorCase& c = GetParam();
    EXPECT_EQ(greatestCommonDivisor(Quantity(c.a), Quantity(c.b)).cups(), c.divisor);
    EXPECT_EQ(greatestCommonDivisor(Quantity(c.b), Quantity(c.a)).cups(), c.divisor);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Pairs, GreatestCommonDivisor, ::testing::Values(
    DivisorCase{3, 5, 1},
    DivisorCase{6, 4, 2},
    DivisorCase{6, 9, 3},
    DivisorCase{4, 4, 4},
    DivisorCase{12, 18, 6},
    DivisorCase{1, 32767, 1},
    DivisorCase{32767, 32767, 32767},
    DivisorCase{32766, 16383, 16383},
    DivisorCase{-3, 5, 0},
    DivisorCase{-4, -4, 0},
    DivisorCase{0, 7, 0},
    DivisorCase{0, 0, 0},
    DivisorCase{-32768, 32767, 0}),
    [](const auto& info) { return testing::nameOfNumber(info.param.a) + "And" + testing::nameOfNumber(info.param.b); });
// clang-format on

TEST(GreatestCommonDivisor, AgreesWithTheStandardLibraryForPositiveSizes)
{
    for (std::int16_t a = 1; a <= 120; ++a)
        for (std::int16_t b = 1; b <= 120; ++b)
            ASSERT_EQ(greatestCommonDivisor(Quantity(a), Quantity(b)).cups(), std::gcd(a, b)) << a << ", " << b;
}

} // namespace
} // namespace quillmere
