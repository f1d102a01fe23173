#include "parameters.h"

#include "arithmetic.h"
#include "numbers.h"
#include "units.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace varnolek::parameters {

float twoPointK(const TwoPointInput &in)
{
    const Real u = in.u;
    const Real x = Real(in.x) * units::metresPerKm; // km -> m
    const Real c1 = in.c1, c2 = in.c2;
    const Real logRatio = ln(c1 / c2);
    // 86400 s/d turns the rate per second into a rate per day.
    const Real k = (Real(units::secondsPerDay) * u * logRatio) / x;
    return toSingle(k);
}

float leastSquaresK(const MultiPointInput &in)
{
    const float u = toSingle(in.u);
    float sxy = 0, sx = 0, sy = 0, sxx = 0;
    for (const MonitoringPoint &p : in.points) {
        const float c = toSingle(p.c);
        const float x = toSingle(Real(p.x) * units::metresPerKm); // km -> m
        const Real l = ln(c);
        sxy = toSingle(Real(x) * l + sxy);
        sx = toSingle(Real(sx) + x);
        sy = toSingle(Real(sy) + l);
        sxx = toSingle(Real(x) * x + sxx);
    }
    const float n = static_cast<float>(in.points.size());
    const Real numerator = (Real(n) * sxy - Real(sx) * sy) * (Real(u) * units::secondsPerDay);
    // The negative of the usual denominator, so that K is positive when the
    // concentration falls downstream.
    const Real denominator = Real(sx) * sx - Real(n) * sxx;
    return toSingle(numerator / denominator);
}

std::optional<int> pointCount(std::string_view answer)
{
    double value = 0;
    try {
        value = readNumber(answer);
    } catch (const CalcError &) {
        return std::nullopt;
    }
    const std::optional<std::int16_t> n = toInt16(value);
    if (!n || *n > maxPointCount)
        return std::nullopt;
    if (answer.empty() || *n < 3)
        return 3;
    return *n;
}

SuggestedPoint suggestedPoint(int i)
{
    return {8.3 - 0.3 * i, 3 * i + 2};
}

double decayedConcentration(double c1, double k, double u, double xKm)
{
    return c1 * std::exp(-k * xKm * units::metresPerKm / (units::secondsPerDay * u));
}

std::optional<LogLine> fittedLogLine(const std::vector<MonitoringPoint> &points)
{
    const double n = double(points.size());
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (const MonitoringPoint &p : points) {
        const double l = std::log(p.c);
        sx += p.x;
        sy += l;
        sxx += p.x * p.x;
        sxy += p.x * l;
    }
    const double d = n * sxx - sx * sx;
    if (points.size() < 2 || !(d > 0) || !std::isfinite(sy))
        return std::nullopt;
    LogLine line;
    line.b = (n * sxy - sx * sy) / d;
    line.a = (sy - line.b * sx) / n;
    line.n = points.size();
    // The sums of squares about the mean and about the line, in a second pass
    // so that a spread small against ln C itself keeps its digits.
    const double mean = sy / n;
    double total = 0, residual = 0;
    for (const MonitoringPoint &p : points) {
        const double l = std::log(p.c);
        total += (l - mean) * (l - mean);
        residual += (l - line.a - line.b * p.x) * (l - line.a - line.b * p.x);
    }
    line.r2 = total > 0 ? std::clamp(1 - residual / total, 0.0, 1.0) : 1.0;
    return line;
}

} // namespace varnolek::parameters
