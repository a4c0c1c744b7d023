#pragma once

#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string_view>

namespace quillmere::platform {

// One line of text composed in place: parts joined with nothing between them
// and 16-bit numbers as plain decimal text (no leading zeros or blanks, "-"
// only when negative). Lines are short, so nothing is allocated.
class LineText {
public:
    static constexpr std::size_t capacity = 128;

    explicit LineText(std::string_view part) { *this += part; }

    LineText& operator+=(std::string_view part)
    {
        if (part.size() > capacity - length_)
            throw std::length_error("line too long");
        std::memcpy(chars_.data() + length_, part.data(), part.size());
        length_ += part.size();
        return *this;
    }

    LineText& operator+=(std::int16_t number)
    {
        const auto written = std::to_chars(chars_.data() + length_, chars_.data() + capacity, number);
        if (written.ec != std::errc())
            throw std::length_error("line too long");
        length_ = static_cast<std::size_t>(written.ptr - chars_.data());
        return *this;
    }

    std::string_view view() const { return {chars_.data(), length_}; }

private:
    std::array<char, capacity> chars_;
    std::size_t length_ = 0;
};

} // namespace quillmere::platform
