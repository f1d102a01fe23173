// The digit patterns and the general text of a result, read back: the text
// must name the value to the pattern's precision. The value is taken from the
// input's bits (every double, NaN and infinity included) or read from its text.
#include "core/arithmetic.h"
#include "core/numbers.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

constexpr const char *patterns[] = {"###0.00", "###0.000", "#####0.000", "#########0.000", "############0.000"};

// Whether the value can be shown at all: finite, and finite in single
// precision when the window holds its result so.
bool showable(double value, varnolek::Precision precision)
{
    if (precision == varnolek::Precision::Single)
        return std::isfinite(static_cast<float>(value));
    return std::isfinite(value);
}

// A text must be read back; past the largest double it may overflow, for the
// 15-digit text of a value within 1e-15 of the range rounds beyond it.
double readBack(const std::string &text, double value)
{
    try {
        return varnolek::readNumber(text);
    } catch (const varnolek::CalcError &) {
        if (std::fabs(value) < DBL_MAX * (1 - 1e-15))
            std::abort();
        return value;
    }
}

void checkPattern(double value, varnolek::Precision precision, const char *pattern)
{
    std::string text;
    try {
        text = varnolek::formatPattern(value, precision, pattern);
    } catch (const varnolek::CalcError &error) {
        if (error.kind() != varnolek::Failure::Overflow || showable(value, precision))
            std::abort();
        return;
    }
    const double shown = precision == varnolek::Precision::Single ? double(static_cast<float>(value)) : value;
    const int significant = precision == varnolek::Precision::Single ? 7 : 15;
    const int decimals = varnolek::patternDecimals(pattern);
    // Half a unit of the pattern's last digit, and of the last significant
    // digit the value is first taken to.
    const double tolerance =
        0.5 * std::pow(10.0, -decimals) * (1 + 1e-9) + std::fabs(shown) * std::pow(10.0, 1 - significant);
    const double back = readBack(text, shown);
    if (!(std::fabs(back - shown) <= tolerance))
        std::abort();
    if (text.find_first_not_of("-0123456789.") != std::string::npos || (text[0] == '-') != (back < 0))
        std::abort();
}

void checkGeneral(double value, varnolek::Precision precision)
{
    std::string text;
    try {
        text = varnolek::generalText(value, precision);
    } catch (const varnolek::CalcError &) {
        if (showable(value, precision))
            std::abort();
        return;
    }
    const double shown = precision == varnolek::Precision::Single ? double(static_cast<float>(value)) : value;
    const int significant = precision == varnolek::Precision::Single ? 7 : 15;
    const double back = readBack(text, shown);
    if (!(std::fabs(back - shown) <= std::fabs(shown) * std::pow(10.0, 1 - significant)))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::uint8_t mode = data[0];
    double value = 0;
    if ((mode & 1) && size >= 9) {
        std::memcpy(&value, data + 1, sizeof value);
    } else {
        try {
            value = varnolek::readNumber(std::string_view(reinterpret_cast<const char *>(data + 1), size - 1));
        } catch (const varnolek::CalcError &) {
            return 0;
        }
    }
    const varnolek::Precision precision = (mode & 2) ? varnolek::Precision::Single : varnolek::Precision::Double;
    checkPattern(value, precision, patterns[(mode >> 2) % std::size(patterns)]);
    checkGeneral(value, precision);
    return 0;
}
