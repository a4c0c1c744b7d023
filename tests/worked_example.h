#pragma once

#include <array>

namespace quillmere::testing {

// Jugs of 3 and 5 cups, target 4: the plan a user sees, line by line.
inline constexpr std::array<const char*, 22> workedExample{
    "Fill the 3-cup jug", "3-cup jug:  3        5-cup jug:  0", "",
    "Transfer 3 cup(s) from the 3-cup jug to the 5-cup jug.", "3-cup jug:  0        5-cup jug:  3", "",
    "Fill the 3-cup jug", "3-cup jug:  3        5-cup jug:  3", "",
    "Transfer 2 cup(s) from the 3-cup jug to the 5-cup jug.", "3-cup jug:  1        5-cup jug:  5", "",
    "Empty the 5-cup jug", "3-cup jug:  1        5-cup jug:  0", "",
    "Transfer 1 cup(s) from the 3-cup jug to the 5-cup jug.", "3-cup jug:  0        5-cup jug:  1", "",
    "Fill the 3-cup jug", "3-cup jug:  3        5-cup jug:  1", "",
    "DONE!"};

} // namespace quillmere::testing
