#pragma once

#include <stdexcept>
#include <string>

namespace quillmere::platform {

// The one way a failure travels: thrown where it arises, caught only where
// the window's events enter the program's handlers.
class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int number, const std::string& description);

    int number() const noexcept { return number_; }
    std::string description() const { return what(); }

    static RuntimeError overflow();
    static RuntimeError divisionByZero();

private:
    int number_;
};

} // namespace quillmere::platform
