// Feeds arbitrary text to the three entry boxes. The input is split at NUL
// bytes into the jug 1, jug 2 and target texts; missing parts are empty.
// Overflow and Division by zero are ordinary outcomes here; anything else that
// escapes, or a list that breaks its shape, is a finding.

#include "platform/line_list.h"
#include "platform/runtime_error.h"
#include "solver/read_quantity.h"
#include "solver/show_steps.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

class FuzzTextBox final : public quillmere::platform::TextBox {
public:
    std::string value;
    std::string text() const override { return value; }
};

bool isRunOutcome(const quillmere::platform::LineList& lines)
{
    if (lines.size() == 1)
        return lines[0] == "BAD USER VALUES!" || lines[0] == "IMPOSSIBLE!";
    return lines.size() % 3 == 1 && lines[lines.size() - 1] == "DONE!";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::array<FuzzTextBox, 3> boxes;
    for (FuzzTextBox& box : boxes) {
        const std::size_t end = input.find('\0');
        box.value = std::string(input.substr(0, end));
        input = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
    }

    for (const FuzzTextBox& box : boxes) {
        try {
            quillmere::readQuantity(box);
        } catch (const quillmere::platform::RuntimeError&) {
        }
    }

    quillmere::platform::LineList lstSteps;
    lstSteps.addItem("previous run");
    quillmere::StepQuantities quantities;
    try {
        quillmere::showSteps({boxes[0], boxes[1], boxes[2], lstSteps}, quantities);
        if (!isRunOutcome(lstSteps))
            __builtin_trap();
    } catch (const quillmere::platform::RuntimeError&) {
        // Errors arise before the list is cleared or right after, never midway through a plan.
        if (lstSteps.size() > 1 || (lstSteps.size() == 1 && lstSteps[0] != "previous run"))
            __builtin_trap();
    }
    return 0;
}
