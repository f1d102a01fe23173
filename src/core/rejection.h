#pragma once
// A calculation that refuses its input before it computes: a retention
// coefficient of 1 or more, a lake with no outflow. Unlike CalcError (the
// arithmetic failing on the way), the input is outside what the formula is
// meant for, and the window says so in its own words under the title 提示.

#include <stdexcept>
#include <string>

namespace varnolek {

// The title of the message box a rejected input is shown in.
inline constexpr const char *rejectionTitle = "提示";

class InputRejected : public std::runtime_error {
public:
    // message: the text shown to the user, as the guard words it.
    explicit InputRejected(const std::string &message) : std::runtime_error(message) {}
    const char *title() const noexcept { return rejectionTitle; }
};

} // namespace varnolek
