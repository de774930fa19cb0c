#pragma once
// Raised when a control is used in a way its design does not allow, such as
// placing a caption bar on something that is not a window. The application's
// error box shows the message.
#include <stdexcept>
#include <string>

namespace corvane::flat {

class InvalidOperationError : public std::runtime_error {
public:
    explicit InvalidOperationError(const std::string& message) : std::runtime_error(message) { }
};

} // namespace corvane::flat
