#pragma once

#include "quantity.h"

namespace quillmere {

// The largest number dividing both a and b, found by scanning down from the
// smaller of the two. 0 when either is zero or negative.
Quantity greatestCommonDivisor(Quantity a, Quantity b);

} // namespace quillmere
