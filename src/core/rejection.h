#pragma once
// An input a calculation will not take, told apart from a failure of its
// arithmetic.
//
// A CalcError says the numbers broke down on the way (a division by zero, an
// overflow): the window shows its standard failure report. An InputRejected
// says the input itself makes no sense for the water body before anything is
// computed (an outfall placed outside the river, a point on dry land): the
// window shows the message as a prompt titled "提示", as it does for empty
// fields, and nothing is computed. what() is the message to show.

#include <stdexcept>
#include <string>

namespace varnolek {

// The title of the prompt that shows a rejected input.
inline constexpr const char *rejectionTitle = "提示";

class InputRejected : public std::runtime_error {
public:
    explicit InputRejected(const std::string &message) : std::runtime_error(message) {}
    const char *title() const { return rejectionTitle; }
};

} // namespace varnolek
