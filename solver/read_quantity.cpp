#include "read_quantity.h"

#include "platform/runtime_error.h"
#include "platform/values.h"

namespace quillmere {

Quantity readQuantity(const platform::TextBox& box)
{
    const platform::ErrorContext outOfRange([&box] { return box.label() + " does not fit: enter a number from -32768 to 32767."; });
    return Quantity(platform::roundDownToInt16(platform::textToNumber(box.text())));
}

} // namespace quillmere
