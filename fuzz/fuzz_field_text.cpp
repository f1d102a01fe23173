// A field's text as a window reads it: the leading number must be the double
// that the characters of the number, blanks left out, name, or an overflow.
#include "core/arithmetic.h"
#include "core/numbers.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The same reading by other means: the blanks dropped, one leading sign taken,
// then the longest prefix the general conversion accepts.
struct Expected {
    double value = 0;
    bool outOfRange = false;
};
Expected expected(std::string_view text)
{
    std::string chars;
    for (char c : text)
        if (!isBlank(c))
            chars.push_back(c);
    // from_chars takes a "-" but no "+"; after the sign only digits or a point
    // begin a number (not a second sign, "inf" or "nan").
    const std::size_t start = !chars.empty() && chars[0] == '+' ? 1 : 0;
    const std::size_t body = !chars.empty() && (chars[0] == '+' || chars[0] == '-') ? 1 : 0;
    if (body >= chars.size() || !(isDigit(chars[body]) || chars[body] == '.'))
        return {};
    Expected e;
    const auto result = std::from_chars(chars.data() + start, chars.data() + chars.size(), e.value);
    if (result.ec == std::errc::result_out_of_range)
        e.outOfRange = true;
    else if (result.ec != std::errc())
        e.value = 0;
    return e;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const Expected e = expected(text);
    try {
        const double v = varnolek::readNumber(text);
        if (!std::isfinite(v))
            std::abort();
        if (e.outOfRange ? v != 0 : (v != e.value || std::signbit(v) != std::signbit(e.value)))
            std::abort();
        const std::optional<std::int16_t> whole = varnolek::toInt16(v);
        if (whole && std::fabs(*whole - v) > 0.5)
            std::abort();
    } catch (const varnolek::CalcError &error) {
        if (error.kind() != varnolek::Failure::Overflow || !e.outOfRange)
            std::abort();
    }
    return 0;
}
