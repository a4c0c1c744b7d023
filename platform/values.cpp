#include "values.h"

#include "runtime_error.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <system_error>

namespace quillmere::platform {
namespace {

bool isSkipped(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Walks the text one significant character at a time, passing over the
// characters that Val ignores.
class NumberScanner {
public:
    explicit NumberScanner(std::string_view text) : text_(text) {}

    char peek()
    {
        while (position_ < text_.size() && isSkipped(text_[position_]))
            ++position_;
        return position_ < text_.size() ? text_[position_] : '\0';
    }

    void advance() { ++position_; }

private:
    std::string_view text_;
    std::size_t position_ = 0;
};

// Caps an exponent far beyond any double so that huge written exponents
// cannot overflow the counter; the cap still decides overflow correctly.
constexpr long long exponentCap = 1'000'000'000'000'000;

} // namespace

std::optional<double> numberAtStart(std::string_view text)
{
    NumberScanner scanner(text);
    std::string number; // sign, digits and point, blanks dropped; exponent below

    if (scanner.peek() == '+' || scanner.peek() == '-') {
        if (scanner.peek() == '-')
            number += '-';
        scanner.advance();
    }

    long long integerDigits = 0; // significant digits before the point
    long long leadingZeros = 0;  // zeros right after the point, before any other digit
    bool anyDigit = false;
    bool anyNonZero = false;
    while (isDigit(scanner.peek())) {
        const char digit = scanner.peek();
        anyNonZero = anyNonZero || digit != '0';
        if (anyNonZero && integerDigits < exponentCap)
            ++integerDigits;
        number += digit;
        anyDigit = true;
        scanner.advance();
    }
    if (scanner.peek() == '.') {
        number += '.';
        scanner.advance();
        while (isDigit(scanner.peek())) {
            const char digit = scanner.peek();
            if (!anyNonZero && digit == '0' && leadingZeros < exponentCap)
                ++leadingZeros;
            anyNonZero = anyNonZero || digit != '0';
            number += digit;
            anyDigit = true;
            scanner.advance();
        }
    }
    if (!anyDigit)
        return std::nullopt;

    long long exponent = 0;
    const char marker = scanner.peek();
    if (marker == 'e' || marker == 'E' || marker == 'd' || marker == 'D') {
        scanner.advance();
        bool negative = false;
        if (scanner.peek() == '+' || scanner.peek() == '-') {
            negative = scanner.peek() == '-';
            scanner.advance();
        }
        while (isDigit(scanner.peek())) {
            if (exponent < exponentCap)
                exponent = exponent * 10 + (scanner.peek() - '0');
            scanner.advance();
        }
        if (negative)
            exponent = -exponent;
    }
    if (!anyNonZero)
        return 0.0;

    std::array<char, 24> exponentText{};
    const auto written = std::to_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
    number += 'e';
    number.append(exponentText.data(), written.ptr);

    double value = 0.0;
    const auto parsed = std::from_chars(number.data(), number.data() + number.size(), value);
    if (parsed.ec == std::errc::result_out_of_range) {
        // Out of range one way or the other: too large is an error, too small
        // is as good as zero.
        const long long magnitude = integerDigits > 0 ? integerDigits + exponent : exponent - leadingZeros;
        if (magnitude > 0)
            throw RuntimeError::overflow();
        return 0.0;
    }
    return value;
}

std::int16_t roundDownToInt16(double value)
{
    const double whole = std::floor(value);
    if (!(whole >= INT16_MIN && whole <= INT16_MAX))
        throw RuntimeError::overflow();
    return static_cast<std::int16_t>(whole);
}

namespace {

// Sums and differences of two 16-bit numbers are exact in int, so the range
// check needs nothing beyond plain arithmetic.
std::int16_t checkedInt16(int exact)
{
    if (exact < INT16_MIN || exact > INT16_MAX)
        throw RuntimeError::overflow();
    return static_cast<std::int16_t>(exact);
}

} // namespace

std::int16_t checkedAdd(std::int16_t a, std::int16_t b)
{
    return checkedInt16(int{a} + int{b});
}

std::int16_t checkedSubtract(std::int16_t a, std::int16_t b)
{
    return checkedInt16(int{a} - int{b});
}

std::int16_t remainder(std::int16_t dividend, std::int16_t divisor)
{
    if (divisor == 0)
        throw RuntimeError::divisionByZero();
    // Computed in int, so -32768 mod -1 is simply 0.
    return static_cast<std::int16_t>(int{dividend} % int{divisor});
}

} // namespace quillmere::platform
