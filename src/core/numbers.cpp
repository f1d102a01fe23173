#include "numbers.h"

#include "arithmetic.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <system_error>

namespace varnolek {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The decimal magnitude of "digits[.digits]" times 10^exponent, used only to tell
// an overflow from an underflow when the number is out of a double's range.
long decimalMagnitude(const std::string &mantissa, long exponent)
{
    long intDigits = 0;
    bool seenNonZero = false;
    std::size_t i = 0;
    for (; i < mantissa.size() && mantissa[i] != '.'; ++i) {
        seenNonZero = seenNonZero || mantissa[i] != '0';
        if (seenNonZero)
            ++intDigits;
    }
    if (intDigits > 0)
        return intDigits + exponent;
    long leadingZeros = 0;
    for (++i; i < mantissa.size() && mantissa[i] == '0'; ++i)
        ++leadingZeros;
    return exponent - leadingZeros;
}

// Adds one unit in the last place of a string of decimal digits.
void incrementDigits(std::string &digits)
{
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

} // namespace

double readNumber(std::string_view text)
{
    std::string s;
    s.reserve(text.size());
    for (char c : text)
        if (!isBlank(c))
            s.push_back(c);

    std::size_t i = 0;
    std::string number;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-')
            number.push_back('-');
        ++i;
    }
    std::string mantissa;
    bool point = false;
    bool anyDigit = false;
    for (; i < s.size(); ++i) {
        if (isDigit(s[i])) {
            anyDigit = true;
            mantissa.push_back(s[i]);
        } else if (s[i] == '.' && !point) {
            point = true;
            mantissa.push_back('.');
        } else {
            break;
        }
    }
    if (!anyDigit)
        return 0.0;
    number += mantissa;

    // The exponent is taken only when at least one digit follows the E.
    long exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        std::string exp;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            exp.push_back(s[j++]);
        const std::size_t firstDigit = j;
        while (j < s.size() && isDigit(s[j]))
            exp.push_back(s[j++]);
        if (j > firstDigit) {
            // Clamp absurd exponents; the magnitude test below only needs the sign.
            const std::string digits = exp.substr(exp[0] == '+' || exp[0] == '-' ? 1 : 0);
            long magnitude = digits.size() > 6 ? 999999 : std::stol(digits);
            exponent = exp[0] == '-' ? -magnitude : magnitude;
            number += 'e';
            number += std::to_string(exponent);
        }
    }

    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        if (decimalMagnitude(mantissa, exponent) > 0)
            throw CalcError(Failure::Overflow);
        return number[0] == '-' ? -0.0 : 0.0;
    }
    if (ec != std::errc())
        return 0.0;
    return value;
}

int patternDecimals(std::string_view pattern)
{
    const auto point = pattern.find('.');
    return point == std::string_view::npos ? 0 : static_cast<int>(pattern.size() - point - 1);
}

std::string formatPattern(double value, Precision precision, std::string_view pattern)
{
    const int decimals = patternDecimals(pattern);
    int significant = 15;
    if (precision == Precision::Single) {
        value = toSingle(value);
        significant = 7;
    }
    checked(value);

    // The value as decimal text of the window's significant digits: d.ddd e E.
    char buf[64];
    const auto written =
        std::to_chars(buf, buf + sizeof buf - 1, std::fabs(value), std::chars_format::scientific, significant - 1);
    *written.ptr = '\0';
    std::string mantissaDigits;
    const char *p = buf;
    for (; *p && *p != 'e'; ++p)
        if (isDigit(*p))
            mantissaDigits.push_back(*p);
    const int exponent = std::atoi(p + 1);

    // |value| * 10^decimals = mantissaDigits * 10^shift, rounded half away from zero.
    const int shift = exponent - (significant - 1) + decimals;
    std::string scaled;
    if (shift >= 0) {
        scaled = mantissaDigits + std::string(shift, '0');
    } else {
        const int keep = static_cast<int>(mantissaDigits.size()) + shift;
        const char firstDropped = keep >= 0 ? mantissaDigits[keep] : '0';
        scaled = keep > 0 ? mantissaDigits.substr(0, keep) : "0";
        if (firstDropped >= '5')
            incrementDigits(scaled);
    }
    scaled.erase(0, std::min(scaled.find_first_not_of('0'), scaled.size()));
    const bool zero = scaled.empty(); // "-0.00" is never shown
    if (static_cast<int>(scaled.size()) < decimals + 1)
        scaled.insert(0, decimals + 1 - scaled.size(), '0');

    std::string text;
    if (value < 0 && !zero)
        text.push_back('-');
    text += scaled.substr(0, scaled.size() - decimals);
    if (decimals > 0) {
        text.push_back('.');
        text += scaled.substr(scaled.size() - decimals);
    }
    return text;
}

std::string generalText(double value, Precision precision)
{
    checked(value);
    char buf[64];
    const double shown = precision == Precision::Single ? static_cast<double>(toSingle(value)) : value;
    const auto written = std::to_chars(buf, buf + sizeof buf, shown, std::chars_format::general,
                                       precision == Precision::Single ? 7 : 15);
    std::string text(buf, written.ptr);
    for (char &c : text)
        if (c == 'e')
            c = 'E';
    if (text == "-0")
        text = "0";
    return text;
}

} // namespace varnolek
