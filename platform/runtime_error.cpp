#include "runtime_error.h"

#include <utility>

namespace quillmere::platform {

RuntimeError::RuntimeError(int number, const std::string& description)
    : std::runtime_error(description),
      number_(number),
      cause_(ErrorContext::innermostCause())
{
}

RuntimeError RuntimeError::overflow()
{
    return RuntimeError(6, "Overflow");
}

RuntimeError RuntimeError::divisionByZero()
{
    return RuntimeError(11, "Division by zero");
}

thread_local const ErrorContext* ErrorContext::innermost_ = nullptr;

ErrorContext::ErrorContext(std::function<std::string()> cause) : cause_(std::move(cause)), outer_(innermost_)
{
    innermost_ = this;
}

ErrorContext::~ErrorContext()
{
    innermost_ = outer_;
}

std::string ErrorContext::innermostCause()
{
    return innermost_ ? innermost_->cause_() : std::string();
}

} // namespace quillmere::platform
