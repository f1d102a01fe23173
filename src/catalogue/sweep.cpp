#include "sweep.h"

#include "statistics.h"

#include "core/arithmetic.h"
#include "core/numbers.h"

#include <algorithm>
#include <cmath>

namespace catalogue {

std::pair<double, double> defaultSpan(double value)
{
    if (value == 0)
        return {0, 1};
    return {std::min(0.5 * value, 1.5 * value), std::max(0.5 * value, 1.5 * value)};
}

std::vector<double> spacedValues(double from, double to, int n, Spacing spacing)
{
    std::vector<double> values;
    if (n <= 0)
        return values;
    values.reserve(std::size_t(n));
    for (int i = 0; i < n; ++i)
        values.push_back(spacedValue(from, to, n, i, spacing));
    return values;
}

double spacedValue(double from, double to, int n, int i, Spacing spacing)
{
    if (n <= 1)
        return from;
    if (spacing == Spacing::Log) {
        // t = 1 must land on `to` itself, not a rounding of it.
        if (i == n - 1)
            return to;
        return from * std::pow(to / from, double(i) / double(n - 1));
    }
    // i·(to − from), then divided by n − 1, as the values have always been
    // made. Where that product would overflow (a range near 1.8E+308 wide
    // over many steps), the value is the weighted mean of the ends, which
    // stays between them.
    const double width = to - from;
    if (std::isfinite(double(n - 1) * width))
        return from + i * width / (n - 1);
    const double t = double(i) / double(n - 1);
    return std::clamp(from * (1 - t) + to * t, std::min(from, to), std::max(from, to));
}

bool finiteSpacing(double from, double to, int n, Spacing spacing)
{
    if (!std::isfinite(from) || !std::isfinite(to))
        return false;
    if (n <= 1)
        return true;
    if (spacing == Spacing::Log) {
        // Between from and to whatever t is, once the ratio is a normal number.
        const double ratio = to / from;
        return std::isnormal(ratio) && ratio > 0;
    }
    // Every value lies between from and the last one (to, but for rounding)
    // once the difference of the ends is a number.
    return std::isfinite(to - from) && std::isfinite(spacedValue(from, to, n, n - 1));
}

std::string valueText(double value)
{
    std::string text;
    assignValueText(text, value);
    return text;
}

void assignValueText(std::string &text, double value)
{
    text.clear();
    varnolek::appendGeneralText(text, value, varnolek::Precision::Double);
}

std::optional<double> setValue(Case &c, std::string_view field, double value, std::string &text)
{
    assignValueText(text, value);
    c.set(field, text);
    try {
        const double number = varnolek::readNumber(text);
        c.setNumber(field, number);
        return number;
    } catch (const varnolek::CalcError &) {
        return std::nullopt;
    }
}

std::vector<Point> sweep(const Entry &entry, const Case &base, std::string_view field,
                         const std::vector<double> &values)
{
    std::vector<Point> points;
    points.reserve(values.size());
    Case c = base;
    std::string text; // the case refers to it while it is evaluated
    for (double v : values) {
        const std::optional<double> number = setValue(c, field, v, text);
        points.push_back({text, number ? *number : v, evaluate(entry, c)});
    }
    return points;
}

std::optional<double> outputNumber(const Entry &entry, const Result &result, std::string_view output)
{
    const Output *o = entry.output(output);
    if (!o || !o->numeric())
        return std::nullopt;
    return result.number(output);
}

std::optional<double> shownNumber(const Entry &entry, const Result &result, std::string_view output)
{
    const Output *o = entry.output(output);
    const std::string *text = result.text(output);
    if (!o || !o->numeric() || !text)
        return std::nullopt;
    try {
        return varnolek::readNumber(*text);
    } catch (const varnolek::CalcError &) {
        return std::nullopt;
    }
}

std::string outputText(const Output &output, double value)
{
    try {
        if (output.format == Format::Text)
            return statisticText(value);
        return output.format == Format::General ? varnolek::generalText(value, output.precision)
                                                : varnolek::formatPattern(value, output.precision, output.pattern);
    } catch (const varnolek::CalcError &) {
        return statisticText(value);
    }
}

std::optional<double> mainValue(const Entry &entry, const Outcome &outcome, bool asShown)
{
    if (outcome.status != Status::Done)
        return std::nullopt;
    if (entry.balance)
        return outcome.result.balance;
    return asShown ? shownNumber(entry, outcome.result, entry.main().name)
                   : outputNumber(entry, outcome.result, entry.main().name);
}

} // namespace catalogue
