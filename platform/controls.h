#pragma once

#include <string>
#include <string_view>

namespace quillmere::platform {

// The two kinds of control the solver works through. The window plugs in its
// real controls; tests, benchmarks and the fuzzer plug in plain memory.

class TextBox {
public:
    virtual ~TextBox() = default;
    virtual std::string text() const = 0;
    // The caption the user knows the box by.
    virtual std::string label() const = 0;
};

class ListBox {
public:
    virtual ~ListBox() = default;
    virtual void clear() = 0;
    // Appends after the last line.
    virtual void addItem(std::string_view line) = 0;
};

} // namespace quillmere::platform
