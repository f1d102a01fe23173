#include "numbers.h"

#include "arithmetic.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cmath>
#include <cstdio>
#include <cstring>
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

// The leading number of a field's text, as scanned.
struct LeadingNumber {
    bool negative = false;
    bool anyDigit = false;      // without a digit the text has no leading number
    std::string_view mantissa;  // the digits and point as written, blanks between them included
    long exponent = 0;          // as written, clamped; 0 when no digit follows the E
    // The digits as a whole number (the first 19 significant ones), the count
    // of significant digits and of the digits after the point: for the exact
    // short cut of the conversion.
    std::uint64_t whole = 0;
    int digits = 0;
    int fractionDigits = 0;
    std::size_t length = 0; // of the text the number takes, from the start
};

// Takes the sign, the digits with at most one point, and an exponent that has
// at least one digit, skipping blanks wherever they stand; stops at the first
// character that cannot continue the number.
void scanLeadingNumber(std::string_view text, LeadingNumber &number)
{
    const char *p = text.data();
    const char *const end = p + text.size();
    auto skipBlanks = [&] {
        while (p != end && isBlank(*p))
            ++p;
    };

    skipBlanks();
    if (p != end && (*p == '+' || *p == '-')) {
        number.negative = *p == '-';
        ++p;
        skipBlanks();
    }
    const char *const mantissaBegin = p;
    const char *mantissaEnd = p;
    bool point = false;
    for (; p != end; ++p) {
        const unsigned digit = static_cast<unsigned char>(*p) - unsigned('0');
        if (digit < 10) {
            number.anyDigit = true;
            if (number.whole != 0 || digit != 0)
                ++number.digits;
            if (number.digits <= 19)
                number.whole = number.whole * 10 + digit;
            number.fractionDigits += point;
        } else if (*p == '.' && !point) {
            point = true;
        } else if (isBlank(*p)) {
            continue;
        } else {
            break;
        }
        mantissaEnd = p + 1;
    }
    if (!number.anyDigit)
        return;
    number.mantissa = std::string_view(mantissaBegin, static_cast<std::size_t>(mantissaEnd - mantissaBegin));
    number.length = static_cast<std::size_t>(mantissaEnd - text.data());

    if (p == end || (*p != 'e' && *p != 'E'))
        return;
    ++p;
    skipBlanks();
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    long exponent = 0;
    for (skipBlanks(); p != end && isDigit(*p); ++p, skipBlanks()) {
        // Absurd exponents are clamped; past this a double is out of range anyway.
        exponent = std::min(exponent * 10 + (*p - '0'), 99999999L);
        number.length = static_cast<std::size_t>(p + 1 - text.data());
    }
    number.exponent = negative ? -exponent : exponent;
}

// The double nearest to a scanned number. Beyond a double's range a number of
// large magnitude is an overflow and one of small magnitude is a signed zero.
double toDouble(const LeadingNumber &number)
{
    if (!number.anyDigit)
        return 0.0;

    // Up to 15 significant digits and a power of ten up to 10^22 are both exact
    // doubles, so one multiplication or division gives the correctly rounded
    // value, the same that the general conversion gives.
    static constexpr double powersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                             1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const long scale = number.exponent - number.fractionDigits;
    if (number.digits <= 15 && scale >= -22 && scale <= 22) {
        const double m = static_cast<double>(number.whole);
        const double v = scale >= 0 ? m * powersOfTen[scale] : m / powersOfTen[-scale];
        return number.negative ? -v : v;
    }

    // The rest by the general conversion, on the characters without blanks.
    std::string chars;
    chars.reserve(number.mantissa.size() + 16);
    if (number.negative)
        chars.push_back('-');
    for (const char c : number.mantissa)
        if (!isBlank(c))
            chars.push_back(c);
    const std::size_t mantissaStart = number.negative ? 1 : 0;
    const std::size_t mantissaEnd = chars.size();
    char written[16];
    const auto exponentEnd = std::to_chars(written, written + sizeof written, number.exponent);
    chars.push_back('e');
    chars.append(written, exponentEnd.ptr);

    double value = 0.0;
    const auto result = std::from_chars(chars.data(), chars.data() + chars.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        const std::string_view mantissa = std::string_view(chars).substr(mantissaStart, mantissaEnd - mantissaStart);
        if (decimalMagnitude(mantissa, number.exponent) > 0)
            throw CalcError(Failure::Overflow);
        return number.negative ? -0.0 : 0.0;
    }
    if (result.ec != std::errc())
        return 0.0;
    return value;
}

} // namespace

double readNumber(std::string_view text)
{
    LeadingNumber number;
    scanLeadingNumber(text, number);
    return toDouble(number);
}

std::optional<std::int16_t> toInt16(double value)
{
    const double whole = std::nearbyint(value); // ties to even in the default rounding mode
    if (!(whole >= -32768.0 && whole <= 32767.0))
        return std::nullopt;
    return static_cast<std::int16_t>(whole);
}

bool hasLeadingNumber(std::string_view text)
{
    LeadingNumber number;
    scanLeadingNumber(text, number);
    return number.anyDigit;
}

bool isWholeNumber(std::string_view text)
{
    LeadingNumber number;
    scanLeadingNumber(text, number);
    if (!number.anyDigit)
        return false;
    for (const char c : text.substr(number.length))
        if (!isBlank(c))
            return false;
    return true;
}

int patternDecimals(std::string_view pattern)
{
    const auto point = pattern.find('.');
    return point == std::string_view::npos ? 0 : static_cast<int>(pattern.size() - point - 1);
}

namespace {

// A magnitude rounded to a number of significant digits: its digits without
// trailing zeros ("0" for zero) and the decimal exponent of the first, so that
// the value is d.ddd × 10^exponent.
struct Digits {
    char d[40];
    int n = 0;
    int exponent = 0;
};

// Reads the digits and exponent of to_chars' scientific text "d.ddde±XX".
void readScientific(const char *text, const char *end, Digits &digits)
{
    const char *e = end - 3; // the exponent has two or three digits
    while (*e != 'e')
        --e;
    digits.d[0] = text[0];
    digits.n = 1;
    if (text[1] == '.') {
        std::memcpy(digits.d + 1, text + 2, static_cast<std::size_t>(e - text - 2));
        digits.n += static_cast<int>(e - text - 2);
    }
    while (digits.n > 1 && digits.d[digits.n - 1] == '0')
        --digits.n;
    int exponent = 0;
    for (const char *p = e + 2; p != end; ++p)
        exponent = exponent * 10 + (*p - '0');
    digits.exponent = e[1] == '-' ? -exponent : exponent;
}

Digits significantDigits(double magnitude, int significant)
{
    Digits digits;
    char text[64];
    // The shortest text that reads back as the same double, rounded half up
    // to the digits asked for, gives the double's own rounding: a rounding
    // boundary between the double and that text would itself be a shorter (or
    // as short and nearer) text that reads back as the double. Only when the
    // text ends on that boundary, a 5 just past the digits asked for, is the
    // double's own side of it to be found by the full conversion.
    auto written = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific);
    readScientific(text, written.ptr, digits);
    if (digits.n <= significant)
        return digits;
    if (digits.n > significant + 1 || digits.d[significant] != '5') {
        const bool up = digits.d[significant] >= '5';
        digits.n = significant;
        if (up) {
            int i = significant - 1;
            for (; i >= 0 && digits.d[i] == '9'; --i)
                digits.d[i] = '0';
            if (i >= 0) {
                ++digits.d[i];
            } else { // 9.99… became 10.0…
                digits.d[0] = '1';
                ++digits.exponent;
            }
        }
        while (digits.n > 1 && digits.d[digits.n - 1] == '0')
            --digits.n;
        return digits;
    }
    written = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific, significant - 1);
    readScientific(text, written.ptr, digits);
    return digits;
}

} // namespace

std::string formatPattern(double value, Precision precision, std::string_view pattern)
{
    const int decimals = patternDecimals(pattern);
    int significant = 15;
    if (precision == Precision::Single) {
        value = toSingle(value);
        significant = 7;
    }
    checked(value);

    // |value| × 10^decimals = digits × 10^shift, rounded half away from zero.
    const Digits digits = significantDigits(std::fabs(value), significant);
    const int shift = digits.exponent - (digits.n - 1) + decimals;
    std::string scaled;
    if (shift >= 0) {
        scaled.reserve(static_cast<std::size_t>(digits.n + shift));
        scaled.assign(digits.d, static_cast<std::size_t>(digits.n));
        scaled.append(static_cast<std::size_t>(shift), '0');
    } else {
        const int keep = digits.n + shift;
        const char firstDropped = keep >= 0 ? digits.d[keep] : '0';
        if (keep > 0)
            scaled.assign(digits.d, static_cast<std::size_t>(keep));
        else
            scaled = "0";
        if (firstDropped >= '5')
            incrementDigits(scaled);
    }
    scaled.erase(0, std::min(scaled.find_first_not_of('0'), scaled.size()));
    const bool zero = scaled.empty(); // "-0.00" is never shown
    if (static_cast<int>(scaled.size()) < decimals + 1)
        scaled.insert(0, static_cast<std::size_t>(decimals + 1) - scaled.size(), '0');

    std::string text;
    text.reserve(scaled.size() + 2);
    if (value < 0 && !zero)
        text.push_back('-');
    const std::size_t whole = scaled.size() - static_cast<std::size_t>(decimals);
    text.append(scaled, 0, whole);
    if (decimals > 0) {
        text.push_back('.');
        text.append(scaled, whole, std::string::npos);
    }
    return text;
}

std::string generalText(double value, Precision precision)
{
    std::string text;
    text.reserve(24);
    appendGeneralText(text, value, precision);
    return text;
}

void appendGeneralText(std::string &text, double value, Precision precision)
{
    checked(value);
    const double shown = precision == Precision::Single ? static_cast<double>(toSingle(value)) : value;
    const int significant = precision == Precision::Single ? 7 : 15;
    // As printf's %.15g (%.7g) writes it, with a capital E: fixed for a decimal
    // exponent from -4 to below the digits asked for, else scientific, no
    // trailing zeros; "0", never "-0".
    const Digits digits = significantDigits(std::fabs(shown), significant);
    if (shown < 0)
        text.push_back('-');
    const int e = digits.exponent;
    if (e < -4 || e >= significant) {
        text.push_back(digits.d[0]);
        if (digits.n > 1) {
            text.push_back('.');
            text.append(digits.d + 1, static_cast<std::size_t>(digits.n - 1));
        }
        text.push_back('E');
        text.push_back(e < 0 ? '-' : '+');
        const int magnitude = e < 0 ? -e : e;
        if (magnitude < 10)
            text.push_back('0');
        char exponent[8];
        text.append(exponent, std::to_chars(exponent, exponent + sizeof exponent, magnitude).ptr);
    } else if (e < 0) {
        text.append("0.");
        text.append(static_cast<std::size_t>(-e - 1), '0');
        text.append(digits.d, static_cast<std::size_t>(digits.n));
    } else if (digits.n <= e + 1) {
        text.append(digits.d, static_cast<std::size_t>(digits.n));
        text.append(static_cast<std::size_t>(e + 1 - digits.n), '0');
    } else {
        text.append(digits.d, static_cast<std::size_t>(e + 1));
        text.push_back('.');
        text.append(digits.d + e + 1, static_cast<std::size_t>(digits.n - e - 1));
    }
}

} // namespace varnolek
