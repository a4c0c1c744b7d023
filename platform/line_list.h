#pragma once

#include "controls.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quillmere::platform {

// The lines of a list box, kept compactly: all text in one growing buffer and
// the end offset of each line beside it. Clearing keeps the capacity, so a
// list that is filled again and again stops allocating.
class LineList final : public ListBox {
public:
    void clear() override;
    void addItem(std::string_view line) override;

    std::size_t size() const noexcept { return ends_.size(); }
    std::string_view operator[](std::size_t row) const;

    // The row of the first of the longest lines; 0 when the list is empty.
    std::size_t longestRow() const noexcept { return longestRow_; }

private:
    std::string text_;
    std::vector<std::size_t> ends_;
    std::size_t longestRow_ = 0;
    std::size_t longestLength_ = 0;
};

} // namespace quillmere::platform
