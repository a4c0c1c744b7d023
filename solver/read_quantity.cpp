#include "read_quantity.h"

#include "platform/runtime_error.h"
#include "platform/values.h"

#include <string_view>

namespace quillmere {
namespace {

// The blanks that reading a number passes over.
constexpr std::string_view blanks = " \t\n";

std::string_view withoutBlanksAround(std::string_view text)
{
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// A box holds up to 32,767 characters: a sentence quotes only its start, cut
// between characters, never inside one.
std::string quoted(std::string_view typed)
{
    constexpr std::size_t longest = 24;
    if (typed.size() <= longest)
        return std::string(typed);
    std::size_t cut = longest;
    while (cut > 0 && (static_cast<unsigned char>(typed[cut]) & 0xC0) == 0x80)
        --cut;
    return std::string(typed.substr(0, cut)) + "\u2026";
}

} // namespace

bool QuantityEntry::readsAsTyped() const
{
    return holdsNumber && typed == std::to_string(amount.cups());
}

std::string QuantityEntry::reading() const
{
    if (typed.empty())
        return label + " is empty";
    if (!holdsNumber)
        return label + " holds no number";
    const std::string cups = std::to_string(amount.cups());
    if (readsAsTyped())
        return label + " is " + cups;
    return label + ", " + quoted(typed) + ", reads as " + cups;
}

QuantityEntry readQuantity(const platform::TextBox& box)
{
    QuantityEntry entry;
    entry.label = box.label();
    const std::string text = box.text();
    entry.typed = withoutBlanksAround(text);
    const platform::ErrorContext outOfRange(entry.label, [&entry] { return entry.label + " does not fit: enter " + worthEntering + "."; });
    const std::optional<double> number = platform::numberAtStart(text);
    entry.holdsNumber = number.has_value();
    entry.amount = Quantity(platform::roundDownToInt16(number.value_or(0.0)));
    return entry;
}

} // namespace quillmere
