#pragma once

#include "platform/controls.h"
#include "quantity.h"

#include <string>

namespace quillmere {

// What a box held, as the user typed it, beside the quantity read from it.
struct QuantityEntry {
    Quantity amount;
    std::string label;
    std::string typed; // the text without the blanks around it
    bool holdsNumber = false;

    // The typed text is that very number, as the solver would write it.
    bool readsAsTyped() const;
    // How the box reads, in the user's words: "Jug #1 Size is empty",
    // "... holds no number", "... is 7", "Jug #1 Size, 2.5, reads as 2".
    std::string reading() const;
};

// The number at the start of the box's text, rounded down. Text without a
// number reads as 0; a value outside the 16-bit range raises Overflow.
QuantityEntry readQuantity(const platform::TextBox& box);

// The whole numbers of cups worth entering in any of the three boxes.
inline constexpr const char* worthEntering = "a whole number of cups from 1 to 32767";

} // namespace quillmere
