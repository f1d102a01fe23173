#include "frequency.h"

#include <cstdint>

#include "arithmetic.h"
#include "numbers.h"

#include <boost/math/distributions/normal.hpp>
#include <boost/math/special_functions/gamma.hpp>

#include <algorithm>
#include <cmath>
#include <limits>

namespace varnolek::hydrology {

namespace {

// Below this |Cs| the inverse incomplete gamma function of α = 4 / Cs² stops
// converging; the Wilson–Hilferty form is within 1e-5 of the exact Φ there.
constexpr double wilsonHilfertyBelow = 0.01;

// Curve fitting searches Cv in [0, maxCv] on this grid, then to this tolerance.
constexpr double maxCv = 3.0;
constexpr int gridSteps = 300; // 0, 0.01, …, 3
constexpr double cvTolerance = 1e-6;

double gridCv(int i)
{
    return i / 100.0;
}

} // namespace

SeriesStatistics seriesStatistics(const std::vector<double> &values)
{
    const int n = static_cast<int>(values.size());
    if (n < minFrequencyYears)
        throw AnalysisError(tooFewYearsMessage);
    double sum = 0;
    for (double x : values)
        sum += x;
    const double mean = sum / n;
    if (!(mean > 0))
        throw AnalysisError(meanNotPositiveMessage);

    double squares = 0, cubes = 0;
    for (double x : values) {
        const double d = x / mean - 1; // K_i − 1
        squares += d * d;
        cubes += d * d * d;
    }
    const double cv = std::sqrt(squares / (n - 1));
    const double cs = cv == 0 ? 0.0 : cubes / ((n - 3) * cv * cv * cv);
    return {n, mean, cv, cs};
}

double empiricalExceedance(int m, int n)
{
    return static_cast<double>(m) / (n + 1);
}

std::vector<EmpiricalPoint> empiricalSeries(const std::vector<Record> &records)
{
    std::vector<Record> sorted = records;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Record &a, const Record &b) { return a.value > b.value; });
    const int n = static_cast<int>(sorted.size());
    std::vector<EmpiricalPoint> points;
    points.reserve(sorted.size());
    for (int i = 0; i < n; ++i)
        points.push_back({i + 1, sorted[i], empiricalExceedance(i + 1, n)});
    return points;
}

double normalQuantile(double p)
{
    try {
        return boost::math::quantile(boost::math::normal_distribution<double>(), p);
    } catch (const std::exception &) {
        throw AnalysisError(rateRangeMessage); // p is not inside (0, 1)
    }
}

double probabilityPaperX(double percent)
{
    return normalQuantile(percent / 100.0);
}

double probabilityPaperPercent(double x)
{
    return 100 * boost::math::cdf(boost::math::normal_distribution<double>(), x);
}

double pearson3Factor(double p, double cs)
{
    if (!(p > 0 && p < 1))
        throw AnalysisError(rateRangeMessage);
    if (cs < 0)
        return -pearson3Factor(1 - p, -cs);
    // The normal quantile of 1 − P, taken from the upper tail so that a small P
    // keeps its digits.
    const auto upperQuantile = [p] {
        try {
            return boost::math::quantile(boost::math::complement(boost::math::normal_distribution<double>(), p));
        } catch (const std::exception &) {
            throw AnalysisError(rateRangeMessage);
        }
    };
    if (cs == 0)
        return upperQuantile();
    if (cs < wilsonHilfertyBelow) {
        // Φ = 2/Cs·(t³ − 1) with t = 1 + Cs·z/6 − Cs²/36, written without the
        // cancellation of t³ − 1 at a small Cs (at Cs = 6e-16 that form gives
        // −1.102 for 90 % where Φ is −1.282): t − 1 = Cs·(z/6 − Cs/36), so
        // Φ = 2·(z/6 − Cs/36)·(t² + t + 1), which tends to z as Cs tends to 0.
        const double z = upperQuantile();
        const double u = z / 6 - cs / 36;
        const double t = 1 + cs * u;
        return 2 * u * (t * t + t + 1);
    }
    try {
        const double alpha = 4 / (cs * cs);
        return cs / 2 * boost::math::gamma_q_inv(alpha, p) - 2 / cs;
    } catch (const std::exception &) {
        throw AnalysisError("皮尔逊III型曲线在 Cs=" + generalText(cs) + " 处无法计算");
    }
}

double Pearson3Curve::value(double p) const
{
    // With Cv = 0 the curve is the mean itself, whatever Φ is.
    return cv == 0 ? mean : mean * (1 + cv * factor(p));
}

double fitResidual(const std::vector<EmpiricalPoint> &series, double mean, double cv, double ratio)
{
    const Pearson3Curve curve{mean, cv, ratio * cv};
    double sum = 0;
    try {
        for (const EmpiricalPoint &point : series) {
            const double d = point.record.value - curve.value(point.exceedance);
            sum += d * d;
        }
    } catch (const AnalysisError &) {
        return std::numeric_limits<double>::infinity();
    }
    return std::isfinite(sum) ? sum : std::numeric_limits<double>::infinity();
}

Pearson3Curve fitCurve(const std::vector<EmpiricalPoint> &series, double mean, double ratio)
{
    const auto residual = [&](double cv) { return fitResidual(series, mean, cv, ratio); };

    // The grid finds the valley of the global minimum; the residual of one Cs/Cv
    // ratio may have more than one valley, so no local search starts blind.
    int best = 0;
    double bestResidual = residual(gridCv(0));
    for (int i = 1; i <= gridSteps; ++i) {
        const double r = residual(gridCv(i));
        if (r < bestResidual) {
            best = i;
            bestResidual = r;
        }
    }

    // Golden-section search between the neighbours of the best grid point.
    const double invPhi = (std::sqrt(5.0) - 1) / 2;
    double a = gridCv(std::max(best - 1, 0));
    double b = gridCv(std::min(best + 1, gridSteps));
    double c = b - invPhi * (b - a);
    double d = a + invPhi * (b - a);
    double fc = residual(c), fd = residual(d);
    while (b - a > cvTolerance) {
        if (fc <= fd) {
            b = d;
            d = c;
            fd = fc;
            c = b - invPhi * (b - a);
            fc = residual(c);
        } else {
            a = c;
            c = d;
            fc = fd;
            d = a + invPhi * (b - a);
            fd = residual(d);
        }
    }
    double cv = (a + b) / 2;
    // The search ends inside a bracket of the grid; keep the grid point if the
    // search found nothing lower (a minimum on the edge 0 or 3).
    if (!(residual(cv) < bestResidual))
        cv = gridCv(best);
    return {mean, cv, ratio * cv};
}

FrequencyAnalysis analyseFrequency(const std::vector<Record> &records, double ratio)
{
    std::vector<double> values;
    values.reserve(records.size());
    for (const Record &r : records)
        values.push_back(r.value);

    FrequencyAnalysis analysis;
    analysis.records = records;
    analysis.statistics = seriesStatistics(values);
    analysis.series = empiricalSeries(records);
    analysis.ratio = ratio;
    const SeriesStatistics &s = analysis.statistics;
    analysis.moments = {s.mean, s.cv, s.cs};
    // Every value equal: the curve is the mean, Cs is taken as 0.
    analysis.fitted = s.cv == 0 ? Pearson3Curve{s.mean, 0, 0} : fitCurve(analysis.series, s.mean, ratio);
    return analysis;
}

void checkRate(double percent)
{
    if (!(percent > 0 && percent < 100))
        throw AnalysisError(rateRangeMessage);
}

DesignValue designValue(const FrequencyAnalysis &analysis, double percent)
{
    checkRate(percent);
    const double p = percent / 100;
    DesignValue row;
    row.percent = percent;
    row.momentFactor = analysis.moments.factor(p);
    row.momentValue = analysis.moments.value(p);
    row.fitFactor = analysis.fitted.factor(p);
    row.fitValue = analysis.fitted.value(p);
    return row;
}

std::string frequencyText(double value)
{
    return formatPattern(value, Precision::Double, "###0.000");
}

std::vector<NamedValue> frequencyValues(const std::string &path, std::string_view rateText,
                                        std::string_view ratioText)
{
    const DataFile file = readDataFile(path);
    if (file.status != FileStatus::Ok)
        throw AnalysisError(checkFileMessage);

    // A text without a leading number is no rate at all; a rate beyond a
    // double is not below 100 either.
    double rate = 0;
    try {
        rate = hasLeadingNumber(rateText) ? readNumber(rateText) : 0.0;
    } catch (const CalcError &) {
        throw AnalysisError(rateRangeMessage);
    }
    double ratio = 0;
    try {
        if (!hasLeadingNumber(ratioText))
            throw AnalysisError(ratioNotNumberMessage);
        ratio = readNumber(ratioText);
    } catch (const CalcError &) {
        throw AnalysisError(ratioNotNumberMessage);
    }

    const FrequencyAnalysis analysis = analyseFrequency(file.records, ratio);
    const DesignValue design = designValue(analysis, rate);
    const SeriesStatistics &s = analysis.statistics;
    return {{"n", double(s.n)},
            {"mean", s.mean},
            {"cv", s.cv},
            {"cs", s.cs},
            {"phi", design.momentFactor},
            {"value", design.momentValue},
            {"fitcv", analysis.fitted.cv},
            {"fitcs", analysis.fitted.cs},
            {"fitphi", design.fitFactor},
            {"fitvalue", design.fitValue}};
}

std::vector<NamedText> frequencyTexts(const std::string &path, std::string_view rateText, std::string_view ratioText)
{
    std::vector<NamedText> texts;
    for (const NamedValue &v : frequencyValues(path, rateText, ratioText))
        texts.push_back({v.name, v.name == "n" ? std::to_string(std::int64_t(v.value)) : frequencyText(v.value)});
    return texts;
}

} // namespace varnolek::hydrology
