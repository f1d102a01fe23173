#include "scales.h"

#include "core/numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace plots {

namespace {

// How far beyond the median, in spreads of the other half, a value is still
// part of the bulk (see bulkSpan).
constexpr double bulkReach = 20;

double percentileOf(const std::vector<double> &sorted, double p)
{
    const double rank = p * double(sorted.size() - 1);
    const std::size_t i = std::size_t(rank);
    if (i + 1 >= sorted.size())
        return sorted.back();
    return sorted[i] + (sorted[i + 1] - sorted[i]) * (rank - double(i));
}

// Digits after the point that show every multiple of a step exactly.
int stepDecimals(double step)
{
    int decimals = 0;
    double scaled = step;
    while (decimals < 15 && std::abs(scaled - std::round(scaled)) > 1e-9 * std::max(1.0, scaled)) {
        scaled *= 10;
        ++decimals;
    }
    return decimals;
}

// Fixed decimals without trailing zeros, and no "-0".
std::string fixedText(double value, int decimals, bool trim)
{
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string text = buffer;
    if (trim && text.find('.') != std::string::npos) {
        while (text.back() == '0')
            text.pop_back();
        if (text.back() == '.')
            text.pop_back();
    }
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1); // no "-0"
    return text;
}

// d.dddE+XX with the mantissa's trailing zeros dropped, as the program writes
// numbers with an exponent ("5E-05").
std::string exponentText(double value, int significant)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*E", std::clamp(significant - 1, 0, 16), value);
    std::string text = buffer;
    const std::size_t e = text.find('E');
    std::string mantissa = text.substr(0, e), exponent = text.substr(e + 1);
    if (mantissa.find('.') != std::string::npos) {
        while (mantissa.back() == '0')
            mantissa.pop_back();
        if (mantissa.back() == '.')
            mantissa.pop_back();
    }
    return mantissa + "E" + exponent;
}

} // namespace

double niceStep(double span, int maxIntervals)
{
    if (!(span > 0) || !std::isfinite(span) || maxIntervals < 1)
        return 1;
    const double raw = span / maxIntervals;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (m * power >= raw * (1 - 1e-12))
            return m * power;
    return 10 * power;
}

Span fullSpan(const std::vector<double> &values)
{
    Span span;
    for (double v : values)
        include(span, v);
    return span;
}

void include(Span &span, double value)
{
    if (!std::isfinite(value))
        return;
    if (span.empty) {
        span.low = span.high = value;
        span.empty = false;
        return;
    }
    span.low = std::min(span.low, value);
    span.high = std::max(span.high, value);
}

Span bulkSpan(std::vector<double> values)
{
    values.erase(std::remove_if(values.begin(), values.end(), [](double v) { return !std::isfinite(v); }),
                 values.end());
    if (values.empty())
        return {};
    std::sort(values.begin(), values.end());
    const double m = percentileOf(values, 0.5);
    const double below = m - percentileOf(values, 0.25), above = percentileOf(values, 0.75) - m;
    // The spread each bound is measured in: that of the other half, or |m|
    // where that half is flat; none at all (nothing cut) where m is 0 too.
    const double upScale = below > 0 ? below : std::abs(m);
    const double downScale = above > 0 ? above : std::abs(m);
    double highest = upScale > 0 ? m + bulkReach * upScale : std::numeric_limits<double>::infinity();
    double lowest = downScale > 0 ? m - bulkReach * downScale : -std::numeric_limits<double>::infinity();
    // Towards 0 a curve falls off, it does not explode.
    if (m > 0)
        lowest = std::min(lowest, 0.0);
    if (m < 0)
        highest = std::max(highest, 0.0);
    Span span;
    for (double v : values)
        if (v >= lowest && v <= highest)
            include(span, v);
    span.cutLow = values.front() < lowest;
    span.cutHigh = values.back() > highest;
    return span;
}

Span linesSpan(const std::vector<Points> &lines)
{
    std::vector<double> values;
    for (const Points &line : lines)
        for (const auto &point : line)
            values.push_back(point.second);
    const Span bulk = bulkSpan(values);
    if (!bulk.cutLow && !bulk.cutHigh)
        return bulk;
    const auto within = [&bulk](double y) { return !std::isfinite(y) || (y >= bulk.low && y <= bulk.high); };
    for (const Points &line : lines) {
        // Between the first and the last point within the bulk, every point is.
        std::size_t first = line.size(), last = 0;
        for (std::size_t i = 0; i < line.size(); ++i)
            if (std::isfinite(line[i].second) && within(line[i].second)) {
                first = std::min(first, i);
                last = i;
            }
        for (std::size_t i = first + 1; i < last; ++i)
            if (!within(line[i].second))
                return fullSpan(values);
    }
    return bulk;
}

std::vector<double> Scale::ticks() const
{
    std::vector<double> ticks;
    if (!(step > 0) || !(high >= low))
        return ticks;
    const double first = std::ceil(low / step - 1e-9), last = std::floor(high / step + 1e-9);
    if (!(last - first < 1000))
        return ticks;
    for (double k = first; k <= last; ++k) {
        const double v = k * step;
        ticks.push_back(std::abs(v) < step * 1e-9 ? 0.0 : v);
    }
    return ticks;
}

Scale scaleOf(const Span &span, const ScaleRules &rules)
{
    Scale scale;
    if (span.empty)
        return scale;
    double low = span.low, high = span.high;
    if (rules.fromZero && low > 0)
        low = 0;
    if (!(high > low)) {
        // One value: room of a tenth of it either way (0 to 1 for 0).
        const double d = low == 0 ? 1 : std::abs(low) * 0.1;
        low -= d;
        high += d;
    } else {
        const double d = (high - low) * rules.margin;
        if (!span.cutLow)
            low -= d;
        if (!span.cutHigh)
            high += d;
    }
    if (rules.keepSign) {
        if (span.low >= 0 && low < 0)
            low = 0;
        if (span.high <= 0 && high > 0)
            high = 0;
    }
    if (!(high > low)) // the room of one value 0 taken back on one side
        high = low + 1;
    scale.step = std::max(niceStep(high - low, rules.maxIntervals), rules.leastStep);
    if (span.cutLow)
        low = std::floor(low / scale.step) * scale.step;
    if (span.cutHigh)
        high = std::ceil(high / scale.step) * scale.step;
    scale.low = low;
    scale.high = high;
    scale.cutLow = span.cutLow;
    scale.cutHigh = span.cutHigh;
    return scale;
}

std::string tickText(double value, double step)
{
    if (std::abs(value) < std::abs(step) * 1e-9)
        value = 0;
    if (value != 0 && (std::abs(value) >= 1e9 || step < 1e-6)) {
        // The significant digits that tell one tick from the next.
        const int digits = int(std::floor(std::log10(std::abs(value)))) - int(std::floor(std::log10(step))) + 1 +
                           (stepDecimals(step / std::pow(10.0, std::floor(std::log10(step)))));
        return exponentText(value, std::max(1, digits));
    }
    return fixedText(value, stepDecimals(step), false);
}

std::vector<Points> piecesWithin(const Points &line, double low, double high)
{
    std::vector<Points> pieces;
    Points piece;
    const auto close = [&] {
        if (!piece.empty())
            pieces.push_back(std::move(piece));
        piece.clear();
    };
    const auto inside = [&](double y) { return y >= low && y <= high; };
    if (line.size() == 1 && inside(line[0].second))
        return {line};
    for (std::size_t i = 0; i + 1 < line.size(); ++i) {
        const auto [px, py] = line[i];
        const auto [qx, qy] = line[i + 1];
        if ((py > high && qy > high) || (py < low && qy < low)) {
            close(); // wholly beyond one edge
            continue;
        }
        // Where the segment crosses an edge: t along it, and the edge's y.
        const auto crossing = [&](double edge) {
            const double t = std::clamp((edge - py) / (qy - py), 0.0, 1.0);
            return std::pair{px + (qx - px) * t, edge};
        };
        const bool pIn = inside(py), qIn = inside(qy);
        if (!pIn) {
            close();
            piece.push_back(crossing(py > high ? high : low));
        } else if (piece.empty()) {
            piece.push_back(line[i]);
        }
        if (qIn) {
            piece.push_back(line[i + 1]);
        } else {
            // From one side across the band to the other, or out of it.
            piece.push_back(crossing(qy > high ? high : low));
            close();
        }
    }
    close();
    return pieces;
}

Histogram histogramOf(const std::vector<double> &values, double low, double high, int bins)
{
    Histogram h;
    bins = std::max(bins, 1);
    const double span = high - low;
    if (!(span > 0)) {
        // One value: one bin of a round tenth of it around it.
        h.width = niceStep(low != 0 && std::isfinite(low) ? std::abs(low) * 0.1 : 1, 1);
        h.first = std::floor(low / h.width) * h.width;
    } else if (std::isfinite(span)) {
        h.width = niceStep(span, bins);
        h.first = std::floor(low / h.width) * h.width;
    } else {
        // Beyond the range of numbers: equal bins, round or not.
        h.width = high / bins - low / bins;
        h.first = low;
    }
    const double count = std::ceil((high - h.first) / h.width);
    h.counts.assign(std::size_t(std::clamp(std::isfinite(count) ? count : 1.0, 1.0, double(4 * bins))), 0);
    for (double v : values) {
        if (!std::isfinite(v))
            continue;
        const double b = std::floor((v - h.first) / h.width);
        ++h.counts[std::size_t(std::clamp(std::isfinite(b) ? b : 0.0, 0.0, double(h.counts.size() - 1)))];
    }
    return h;
}

std::string sweptValueText(double value, double spacing)
{
    if (!(spacing > 0) || !std::isfinite(spacing) || !std::isfinite(value) || std::abs(value) >= 1e15)
        return varnolek::generalText(value);
    const int decimals = std::clamp(int(std::ceil(-std::log10(spacing / 100))), 0, 15);
    return fixedText(value, decimals, true);
}

} // namespace plots
