#include "sweep.h"

#include "core/arithmetic.h"
#include "core/numbers.h"

#include <cmath>

namespace catalogue {

std::vector<double> spacedValues(double from, double to, int n, Spacing spacing)
{
    std::vector<double> values;
    if (n <= 0)
        return values;
    values.reserve(std::size_t(n));
    if (n == 1) {
        values.push_back(from);
        return values;
    }
    for (int i = 0; i < n; ++i) {
        const double t = double(i) / double(n - 1);
        values.push_back(spacing == Spacing::Log ? from * std::pow(to / from, t) : from + i * (to - from) / (n - 1));
    }
    // t = 1 must land on `to` itself, not a rounding of it.
    if (spacing == Spacing::Log)
        values.back() = to;
    return values;
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
