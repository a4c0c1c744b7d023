#pragma once

// Test names made from the cases of parametrised tests: letters, digits and
// underscores only, the same on every build.

#include <algorithm>
#include <cstddef>
#include <map>
#include <string>

namespace quillmere::testing {

// A test name spelled from an entry's text: "-0.5" is Minus0Point5, "" is
// Empty, and a run of more than eight of one character gives its count, so
// four hundred nines are 9Times400.
inline std::string nameOfText(const std::string& text)
{
    static const std::map<char, std::string> spelled{{' ', "Blank"}, {'\t', "Tab"},  {'\n', "LineFeed"}, {'\r', "Return"}, {'\0', "Nul"},
                                                     {'.', "Point"}, {'-', "Minus"}, {'+', "Plus"},      {',', "Comma"}};
    if (text.empty())
        return "Empty";
    std::string name;
    for (std::size_t at = 0; at < text.size();) {
        const char c = text[at];
        const std::size_t end = std::min(text.find_first_not_of(c, at), text.size());
        const std::size_t run = end - at;
        const std::string one = spelled.contains(c) ? spelled.at(c) : std::string(1, c);
        if (run > 8) {
            name += one + "Times" + std::to_string(run) + (end < text.size() ? "_" : "");
            at = end;
        } else {
            name += one;
            ++at;
        }
    }
    return name;
}

inline std::string nameOfNumber(int number)
{
    return (number < 0 ? "Minus" : "") + std::to_string(number < 0 ? -number : number);
}

} // namespace quillmere::testing
