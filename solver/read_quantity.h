#pragma once

#include "platform/controls.h"
#include "quantity.h"

namespace quillmere {

// The number at the start of the box's text, rounded down. Text without a
// number reads as 0; a value outside the 16-bit range raises Overflow.
Quantity readQuantity(const platform::TextBox& box);

} // namespace quillmere
