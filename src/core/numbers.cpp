#include "numbers.h"

#include "arithmetic.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cmath>
#include <cstdio>
#include <system_error>

namespace varnolek {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The decimal magnitude of "digits[.digits]" times 10^exponent, used only to tell
// an overflow from an underflow when the number is out of a double's range.
long decimalMagnitude(std::string_view mantissa, long exponent)
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

namespace {
double readNumberInFull(std::string_view text);
} // namespace

double readNumber(std::string_view text)
{
    // The usual text, up to 15 significant digits and a small exponent, is
    // read here without copying its characters; the rest by the full reading.
    // Blanks are skipped wherever they stand, as there.
    const char *p = text.data();
    const char *const end = p + text.size();
    while (p != end && isBlank(*p))
        ++p;
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    bool point = false;
    bool anyDigit = false;
    std::uint64_t whole = 0;
    int digits = 0, fractionDigits = 0;
    for (; p != end; ++p) {
        const char c = *p;
        const unsigned digit = static_cast<unsigned char>(c) - unsigned('0');
        if (digit < 10) {
            anyDigit = true;
            if (whole != 0 || digit != 0)
                ++digits;
            if (digits <= 19)
                whole = whole * 10 + digit;
            fractionDigits += point;
        } else if (c == '.' && !point) {
            point = true;
        } else if (!isBlank(c)) {
            break;
        }
    }
    if (!anyDigit)
        return 0.0;
    long exponent = 0;
    if (p != end && (*p == 'e' || *p == 'E')) {
        ++p;
        while (p != end && isBlank(*p))
            ++p;
        bool negativeExponent = false;
        if (p != end && (*p == '+' || *p == '-')) {
            negativeExponent = *p == '-';
            ++p;
        }
        bool anyExponentDigit = false;
        for (; p != end; ++p) {
            if (isDigit(*p)) {
                anyExponentDigit = true;
                exponent = std::min(exponent * 10 + (*p - '0'), 99999999L);
            } else if (!isBlank(*p)) {
                break;
            }
        }
        exponent = !anyExponentDigit ? 0 : negativeExponent ? -exponent : exponent;
    }
    static constexpr double powersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                             1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const long scale = exponent - fractionDigits;
    if (digits <= 15 && scale >= -22 && scale <= 22) {
        const double m = static_cast<double>(whole);
        const double v = scale >= 0 ? m * powersOfTen[scale] : m / powersOfTen[-scale];
        return negative ? -v : v;
    }
    return readNumberInFull(text);
}

namespace {

double readNumberInFull(std::string_view text)
{
    // The characters of the number, blanks left out: a field's text is short,
    // so a buffer on the stack serves, and a longer text goes to the heap.
    std::string heap;
    char stack[120];
    std::size_t length = 0;
    auto push = [&](char c) {
        if (length < sizeof stack) {
            stack[length++] = c;
            return;
        }
        if (heap.empty())
            heap.assign(stack, length);
        heap.push_back(c);
        ++length;
    };
    auto chars = [&] { return std::string_view(heap.empty() ? stack : heap.data(), length); };

    std::size_t i = 0;
    auto peek = [&]() -> char {
        while (i < text.size() && isBlank(text[i]))
            ++i;
        return i < text.size() ? text[i] : '\0';
    };

    if (peek() == '+' || peek() == '-') {
        if (text[i] == '-')
            push('-');
        ++i;
    }
    const std::size_t mantissaStart = length;
    bool point = false;
    bool anyDigit = false;
    // The digits as a whole number and the count of them after the point, for
    // the exact short cut below.
    std::uint64_t whole = 0;
    int digits = 0, fractionDigits = 0;
    for (char c = peek(); isDigit(c) || (c == '.' && !point); c = peek()) {
        if (isDigit(c)) {
            anyDigit = true;
            if (whole != 0 || c != '0')
                ++digits;
            if (digits <= 19)
                whole = whole * 10 + static_cast<std::uint64_t>(c - '0');
            if (point)
                ++fractionDigits;
        } else {
            point = true;
        }
        push(c);
        ++i;
    }
    if (!anyDigit)
        return 0.0;
    const std::size_t mantissaEnd = length;

    // The exponent is taken only when at least one digit follows the E.
    long exponent = 0;
    if (peek() == 'e' || peek() == 'E') {
        ++i;
        bool negative = false;
        if (peek() == '+' || peek() == '-') {
            negative = text[i] == '-';
            ++i;
        }
        bool anyExponentDigit = false;
        for (char c = peek(); isDigit(c); c = peek()) {
            anyExponentDigit = true;
            // Absurd exponents are clamped; past this a double is out of range anyway.
            exponent = std::min(exponent * 10 + (c - '0'), 99999999L);
            ++i;
        }
        if (anyExponentDigit) {
            exponent = negative ? -exponent : exponent;
            char digits[16];
            const auto written = std::to_chars(digits, digits + sizeof digits, exponent);
            push('e');
            for (const char *d = digits; d != written.ptr; ++d)
                push(*d);
        } else {
            exponent = 0;
        }
    }

    // Up to 15 significant digits and a power of ten up to 10^22 are both exact
    // doubles, so one multiplication or division gives the correctly rounded
    // value, the same that the general conversion gives.
    static constexpr double powersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                             1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const long scale = exponent - fractionDigits;
    if (digits <= 15 && scale >= -22 && scale <= 22) {
        const double m = static_cast<double>(whole);
        const double v = scale >= 0 ? m * powersOfTen[scale] : m / powersOfTen[-scale];
        return chars()[0] == '-' ? -v : v;
    }

    const std::string_view number = chars();
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        if (decimalMagnitude(number.substr(mantissaStart, mantissaEnd - mantissaStart), exponent) > 0)
            throw CalcError(Failure::Overflow);
        return number[0] == '-' ? -0.0 : 0.0;
    }
    if (result.ec != std::errc())
        return 0.0;
    return value;
}

} // namespace

bool hasLeadingNumber(std::string_view text)
{
    // The same walk as readNumber's mantissa: blanks may stand anywhere.
    std::size_t i = 0;
    auto peek = [&]() -> char {
        while (i < text.size() && isBlank(text[i]))
            ++i;
        return i < text.size() ? text[i] : '\0';
    };
    if (peek() == '+' || peek() == '-')
        ++i;
    if (peek() == '.')
        ++i;
    return isDigit(peek());
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
