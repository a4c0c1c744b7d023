#include "runtime_error.h"

#include <utility>

namespace quillmere::platform {

RuntimeError::RuntimeError(int number, const std::string& description) : std::runtime_error(description), number_(number)
{
    if (const ErrorContext* context = ErrorContext::innermost()) {
        cause_ = context->cause();
        box_ = context->box();
    }
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

ErrorContext::ErrorContext(std::string box, std::function<std::string()> cause)
    : box_(std::move(box)),
      cause_(std::move(cause)),
      outer_(innermost_)
{
    innermost_ = this;
}

ErrorContext::~ErrorContext()
{
    innermost_ = outer_;
}

} // namespace quillmere::platform
