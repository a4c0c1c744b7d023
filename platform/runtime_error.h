#pragma once

#include <functional>
#include <stdexcept>
#include <string>

namespace quillmere::platform {

// The one way a failure travels: thrown where it arises, caught only where
// the window's events enter the program's handlers.
class RuntimeError : public std::runtime_error {
public:
    // Takes its cause from the innermost ErrorContext alive, if any.
    RuntimeError(int number, const std::string& description);

    int number() const noexcept { return number_; }
    // What the user did that led here, in a sentence of their own words;
    // empty when the code that raised the error gave none.
    const std::string& cause() const noexcept { return cause_; }

    static RuntimeError overflow();
    static RuntimeError divisionByZero();

private:
    int number_;
    std::string cause_;
};

// Says, around code that may raise a run-time error, what such an error
// would mean to the user. The cause is only worded when an error arises.
// Contexts nest; the innermost one speaks.
class ErrorContext {
public:
    explicit ErrorContext(std::function<std::string()> cause);
    ~ErrorContext();
    ErrorContext(const ErrorContext&) = delete;
    ErrorContext& operator=(const ErrorContext&) = delete;

    static std::string innermostCause();

private:
    std::function<std::string()> cause_;
    const ErrorContext* outer_;
    static thread_local const ErrorContext* innermost_;
};

} // namespace quillmere::platform
