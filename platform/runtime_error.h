#pragma once

#include <functional>
#include <stdexcept>
#include <string>

namespace quillmere::platform {

// The one way a failure travels: thrown where it arises, caught only where
// the window's events enter the program's handlers.
class RuntimeError : public std::runtime_error {
public:
    // Takes its cause and box from the innermost ErrorContext alive, if any.
    RuntimeError(int number, const std::string& description);

    int number() const noexcept { return number_; }
    // What the user did that led here, in a sentence of their own words;
    // empty when the code that raised the error gave none.
    const std::string& cause() const noexcept { return cause_; }
    // The caption of the box where that is mended, the first where the
    // cause names two; empty when it names none.
    const std::string& box() const noexcept { return box_; }

    static RuntimeError overflow();
    static RuntimeError divisionByZero();

private:
    int number_;
    std::string cause_;
    std::string box_;
};

// Says, around code that may raise a run-time error, what such an error
// would mean to the user. The cause is only worded when an error arises.
// Contexts nest; the innermost one speaks.
class ErrorContext {
public:
    // box: the caption of the box the cause leads back to.
    ErrorContext(std::string box, std::function<std::string()> cause);
    ~ErrorContext();
    ErrorContext(const ErrorContext&) = delete;
    ErrorContext& operator=(const ErrorContext&) = delete;

    static const ErrorContext* innermost() { return innermost_; }
    std::string cause() const { return cause_(); }
    const std::string& box() const { return box_; }

private:
    std::string box_;
    std::function<std::string()> cause_;
    const ErrorContext* outer_;
    static thread_local const ErrorContext* innermost_;
};

} // namespace quillmere::platform
