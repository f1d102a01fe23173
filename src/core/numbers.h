#pragma once
// The number rules of every calculator window: how a field's text is read,
// how a result is written with its digit pattern, and the general decimal
// text used inside captions.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace varnolek {

// The precision a window holds its result in before formatting.
enum class Precision { Single, Double };

// Reads the leading number of a field's text. Blanks (space, tab, CR, LF) are
// skipped wherever they stand; a sign, digits with at most one decimal point and
// an exponent are taken as far as they form a number; the rest is ignored. Text
// with no leading number reads as 0. "." is the decimal point in every locale.
// A number beyond the range of a double throws CalcError(Overflow).
double readNumber(std::string_view text);

// Whether readNumber finds a number at the start of the text at all: after the
// blanks, an optional sign and at least one digit of the mantissa ("5", "-.5",
// " 2abc"). "", "abc", "-" and "." have none and read as 0 only by default.
bool hasLeadingNumber(std::string_view text);

// Whether the leading number is the whole text, blanks aside: "0.2", " 1 000 "
// and "5." are; "0.2abc", "1e", "abc" and "" are not, though each reads as a
// number all the same.
bool isWholeNumber(std::string_view text);

// Formats a result with a digit pattern such as "###0.00" or "#########0.000":
// the value is taken as decimal text of 7 (Single, after rounding to single
// precision) or 15 (Double) significant digits, then rounded half away from
// zero to the pattern's decimals. All integer digits are shown, no grouping,
// "-" for a negative value. Throws CalcError(Overflow) when the value is not
// finite or does not fit in single precision.
std::string formatPattern(double value, Precision precision, std::string_view pattern);

// The general decimal text of a number: at most 15 (Double) or 7 (Single)
// significant digits, no trailing zeros ("3", "2.5", "0.001").
std::string generalText(double value, Precision precision = Precision::Double);
// The same appended to a text (a caption being built, a text kept from case to case).
void appendGeneralText(std::string &text, double value, Precision precision = Precision::Double);

// A number rounded to the nearest whole number (halves to the even
// neighbour) as a 16-bit integer; nothing when it falls outside that range.
std::optional<std::int16_t> toInt16(double value);

// Number of digits after the point in a digit pattern ("###0.000" -> 3).
int patternDecimals(std::string_view pattern);

} // namespace varnolek
