// Feeds arbitrary text to the three entry boxes. The input is split at NUL
// bytes into the jug 1, jug 2 and target texts; missing parts are empty.
// Overflow and Division by zero are ordinary outcomes here; anything else that
// escapes, or a list that breaks its shape, is a finding.

#include "platform/runtime_error.h"
#include "solver/read_quantity.h"
#include "tests/memory_window.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

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
    quillmere::testing::MemoryWindow window;
    for (quillmere::testing::MemoryTextBox* box : {&window.txtJug1Size, &window.txtJug2Size, &window.txtTargetAmount}) {
        const std::size_t end = input.find('\0');
        box->value = std::string(input.substr(0, end));
        input = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
        try {
            quillmere::readQuantity(*box);
        } catch (const quillmere::platform::RuntimeError&) {
        }
    }

    const quillmere::platform::LineList& lines = window.lstSteps;
    window.lstSteps.addItem("previous run");
    try {
        window.showSteps();
        if (!isRunOutcome(lines))
            __builtin_trap();
    } catch (const quillmere::platform::RuntimeError&) {
        // Errors arise before the list is cleared or right after, never midway through a plan.
        if (lines.size() > 1 || (lines.size() == 1 && lines[0] != "previous run"))
            __builtin_trap();
    }
    return 0;
}
