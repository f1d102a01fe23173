#pragma once
// A calculation evaluated with one of its fields varied: the curve of a plot,
// the rows of a sensitivity sweep. Each value is written as its general
// decimal text and enters the calculation as the number that text reads as,
// so a point equals the calculation typed in by hand with that text.

#include "catalogue.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace catalogue {

enum class Spacing { Linear, Log };

// n values from `from` to `to` inclusive: from + i·(to − from)/(n − 1), or
// from·(to/from)^(i/(n − 1)) for a log spacing, i = 0…n − 1; with n = 1, from.
std::vector<double> spacedValues(double from, double to, int n, Spacing spacing = Spacing::Linear);
// Value i (0 ≤ i < n) of those, made alone and equal to it digit for digit:
// a sweep of a billion points need not hold them all.
double spacedValue(double from, double to, int n, int i, Spacing spacing = Spacing::Linear);
// Whether every one of the n values (and each step of making it) stays
// within the range of a double: a linear range whose width to − from
// overflows, or a log range whose ratio to / from overflows or underflows, is
// not a range to sweep.
bool finiteSpacing(double from, double to, int n, Spacing spacing = Spacing::Linear);

// The range a sweep of a field without a declared one starts from: half to
// one and a half times its value; 0 to 1 of its unit for a field at 0, where
// that would be no range at all (as a drawn field at 0 is uniform on 0 to 1).
std::pair<double, double> defaultSpan(double value);

// The text a swept or drawn value is typed as: general decimal text of 15
// significant digits.
std::string valueText(double value);
// The same into a text kept from value to value.
void assignValueText(std::string &text, double value);

// Gives a field of the case the text of a value, kept in `text` (which must
// outlive the evaluation), and the number that text reads as. Returns that
// number; nothing when the text reads beyond a double (the calculation then
// fails on it as it would on the typed text).
std::optional<double> setValue(Case &c, std::string_view field, double value, std::string &text);

struct Point {
    std::string text; // the field's text at this point
    double value = 0; // the number the field was given (its text read)
    Outcome outcome;
};

// Evaluates the entry once per value, with the field at that value's text and
// every other field as in the base case.
std::vector<Point> sweep(const Entry &entry, const Case &base, std::string_view field,
                         const std::vector<double> &values);

// The number an output was computed as (in the window's precision, before its
// digit pattern); nothing for a caption, or when the output was not written.
std::optional<double> outputNumber(const Entry &entry, const Result &result, std::string_view output);
// The number an output shows, read back from its text: for whoever wants the
// window's own digits (statistics of the values as shown).
std::optional<double> shownNumber(const Entry &entry, const Result &result, std::string_view output);
// A number written as an output writes its results: with its digit pattern
// (a General output as general text), as a table of results from many cases
// shows each. A number the pattern cannot take (beyond single precision for
// a single-precision output) is written as a statistic is.
std::string outputText(const Output &output, double value);

// The value plots and statistics take for a case: the signed balance of a load
// window (remaining capacity positive, reduction negative), else the main
// output's number. With asShown, the main output as its text shows it.
std::optional<double> mainValue(const Entry &entry, const Outcome &outcome, bool asShown = false);

} // namespace catalogue
