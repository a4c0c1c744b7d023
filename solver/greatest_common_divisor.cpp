#include "greatest_common_divisor.h"

namespace quillmere {

Quantity greatestCommonDivisor(Quantity a, Quantity b)
{
    const Quantity none{0};
    const Quantity one{1};
    const Quantity smaller = a > b ? b : a;
    for (Quantity divisor = smaller; divisor >= one; divisor = divisor - one) {
        if (divisor == one)
            return one;
        if (a % divisor == none && b % divisor == none)
            return divisor;
    }
    return none;
}

} // namespace quillmere
