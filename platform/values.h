#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quillmere::platform {

// Lenient number reading (the BASIC Val rules): blanks, tabs and line feeds
// are skipped wherever they stand; then an optional sign, digits with at most
// one decimal point and an optional exponent written with E or D. Reading
// stops at the first other character. A value beyond the range of a double
// raises Overflow. Text with no number at its start gives none, which reads
// as 0.
std::optional<double> numberAtStart(std::string_view text);

// The largest whole number not above value; Overflow when it does not fit
// 16 bits.
std::int16_t roundDownToInt16(double value);

// 16-bit arithmetic that raises Overflow instead of wrapping.
std::int16_t checkedAdd(std::int16_t a, std::int16_t b);
std::int16_t checkedSubtract(std::int16_t a, std::int16_t b);

// Remainder of truncating division (its sign follows the dividend); a divisor
// of 0 raises Division by zero.
std::int16_t remainder(std::int16_t dividend, std::int16_t divisor);

} // namespace quillmere::platform
