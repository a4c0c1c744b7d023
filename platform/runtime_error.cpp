#include "runtime_error.h"

namespace quillmere::platform {

RuntimeError::RuntimeError(int number, const std::string& description)
    : std::runtime_error(description), number_(number)
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

} // namespace quillmere::platform
