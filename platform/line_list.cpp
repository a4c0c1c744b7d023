#include "line_list.h"

namespace quillmere::platform {

void LineList::clear()
{
    text_.clear();
    ends_.clear();
    longestRow_ = 0;
    longestLength_ = 0;
}

void LineList::addItem(std::string_view line)
{
    if (line.size() > longestLength_) {
        longestRow_ = ends_.size();
        longestLength_ = line.size();
    }
    text_.append(line);
    ends_.push_back(text_.size());
}

std::string_view LineList::operator[](std::size_t row) const
{
    const std::size_t begin = row == 0 ? 0 : ends_[row - 1];
    return std::string_view(text_).substr(begin, ends_[row] - begin);
}

} // namespace quillmere::platform
