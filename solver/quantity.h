#pragma once

#include "platform/values.h"

#include <compare>
#include <cstdint>

namespace quillmere {

// A whole number of cups, signed 16-bit. Sums, differences and remainders go
// through the checked platform operations, so a result that leaves the range
// raises Overflow instead of wrapping.
class Quantity {
public:
    constexpr Quantity() = default;
    constexpr explicit Quantity(std::int16_t cups) : cups_(cups) {}

    constexpr std::int16_t cups() const { return cups_; }

    friend Quantity operator+(Quantity a, Quantity b) { return Quantity(platform::checkedAdd(a.cups_, b.cups_)); }
    friend Quantity operator-(Quantity a, Quantity b) { return Quantity(platform::checkedSubtract(a.cups_, b.cups_)); }
    friend Quantity operator%(Quantity a, Quantity b) { return Quantity(platform::remainder(a.cups_, b.cups_)); }
    friend constexpr auto operator<=>(Quantity, Quantity) = default;

private:
    std::int16_t cups_ = 0;
};

} // namespace quillmere
