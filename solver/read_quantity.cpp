#include "read_quantity.h"

#include "platform/values.h"

namespace quillmere {

Quantity readQuantity(const platform::TextBox& box)
{
    return Quantity(platform::roundDownToInt16(platform::textToNumber(box.text())));
}

} // namespace quillmere
