#pragma once
// Frequency analysis of a hydrological series (频率分析): the statistics of the
// series, the empirical exceedance frequency of each value, and a Pearson type
// III curve (皮尔逊III型) fitted to it by the method of moments and by curve
// fitting (适线), from which design values are read at any guarantee rate.
//
// Probabilities here are exceedance probabilities: P is the chance that a year's
// value is reached or exceeded. A guarantee rate of 90 % for a low water level
// is the level reached or exceeded in 90 % of the years, P = 0.9.

#include "hydrology.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace varnolek::hydrology {

// The guards of the analysis, as the window and varnolek-calc say them.
inline constexpr const char *tooFewYearsMessage = "频率分析至少需要4年资料";
inline constexpr const char *rateRangeMessage = "保证率必须大于0且小于100";
inline constexpr const char *meanNotPositiveMessage = "系列均值必须大于零";
inline constexpr const char *ratioNotNumberMessage = "Cs/Cv倍比必须是数值";

// Cs needs n − 3 > 0.
inline constexpr int minFrequencyYears = 4;
// The usual Cs/Cv ratio for low water.
inline constexpr double defaultRatio = 2.0;
// The guarantee rates (%) the design table always shows.
inline constexpr double designRates[] = {50, 75, 90, 95, 97, 99};

// A guard failed or the data file cannot be used; what() is the message to show.
class AnalysisError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// With K_i = x_i / x̄: x̄ = Σx / n, Cv = sqrt(Σ(K_i − 1)² / (n − 1)),
// Cs = Σ(K_i − 1)³ / ((n − 3)·Cv³); Cs is 0 when Cv is 0 (every value equal).
struct SeriesStatistics {
    int n = 0;
    double mean = 0;
    double cv = 0;
    double cs = 0;
};
// Throws AnalysisError for n < 4 and for x̄ ≤ 0.
SeriesStatistics seriesStatistics(const std::vector<double> &values);

// P_m = m / (n + 1) for the exceedance rank m (1 = the largest value).
double empiricalExceedance(int m, int n);

struct EmpiricalPoint {
    int rank = 0; // exceedance rank m, counted from the largest value
    Record record;
    double exceedance = 0; // P_m as a fraction
};
// The series sorted from the largest value down (ties keep their file order),
// each with its exceedance rank and frequency.
std::vector<EmpiricalPoint> empiricalSeries(const std::vector<Record> &records);

// The standard normal quantile z with Pr(Z ≤ z) = p, 0 < p < 1.
double normalQuantile(double p);

// The abscissa of normal probability paper for an exceedance probability given
// in percent: the standard normal quantile of P / 100, so that 1 % lies left at
// −2.326, 50 % in the middle at 0 and 99 % right at 2.326. Plots of frequency
// curves place their x values with it.
double probabilityPaperX(double percent);
// The inverse: the exceedance probability in percent at an abscissa x.
double probabilityPaperPercent(double x);

// The frequency factor Φ(P, Cs) of the Pearson type III distribution for an
// exceedance probability P (a fraction, 0 < P < 1): the design value is
// x̄·(1 + Cv·Φ). For Cs > 0, with α = 4 / Cs², Φ = (Cs / 2)·Q⁻¹(α, P) − 2 / Cs,
// Q⁻¹ the inverse of the upper regularised incomplete gamma function; for
// Cs < 0, Φ(P, Cs) = −Φ(1 − P, −Cs); for Cs = 0 the normal quantile of 1 − P;
// for 0 < |Cs| < 0.01, where Q⁻¹ no longer converges, the Wilson–Hilferty form.
// Throws AnalysisError if the special function fails.
double pearson3Factor(double p, double cs);

// One Pearson type III curve.
struct Pearson3Curve {
    double mean = 0;
    double cv = 0;
    double cs = 0;

    double factor(double p) const { return pearson3Factor(p, cs); }
    // x_P = x̄·(1 + Cv·Φ(P, Cs)).
    double value(double p) const;
};

// The sum of squared differences between each empirical point x_m and the
// curve's x at P_m, for the curve of the given mean, Cv and Cs = ratio·Cv.
// Infinite where the curve cannot be evaluated.
double fitResidual(const std::vector<EmpiricalPoint> &series, double mean, double cv, double ratio);

// Curve fitting with x̄ fixed and Cs = ratio·Cv: the Cv in [0, 3] of the least
// residual, found by a scan of the grid 0, 0.01, …, 3 and a golden-section
// search between the neighbours of the best grid point down to 1e-6.
Pearson3Curve fitCurve(const std::vector<EmpiricalPoint> &series, double mean, double ratio);

struct FrequencyAnalysis {
    std::vector<Record> records; // in file order, for the level-year ranking
    SeriesStatistics statistics;
    std::vector<EmpiricalPoint> series;
    Pearson3Curve moments; // Cv and Cs of the series
    Pearson3Curve fitted;  // curve fitting with the ratio
    double ratio = defaultRatio;
};
// The whole analysis of a series; throws AnalysisError for the guards.
FrequencyAnalysis analyseFrequency(const std::vector<Record> &records, double ratio);

// Throws AnalysisError unless 0 < percent < 100.
void checkRate(double percent);

// One row of the design table at a guarantee rate in percent (0 < rate < 100).
struct DesignValue {
    double percent = 0;
    double momentFactor = 0, momentValue = 0; // Φ and x_P of the moments
    double fitFactor = 0, fitValue = 0;       // Φ and x_P of curve fitting
};
DesignValue designValue(const FrequencyAnalysis &analysis, double percent);

// A statistic, Φ or design value as it is written: "0.000", half away from zero.
std::string frequencyText(double value);

struct NamedText {
    std::string name;
    std::string text;
};
struct NamedValue {
    std::string name;
    double value = 0;
};
// The analysis of varnolek-calc: the data file at path with a guarantee rate and
// a Cs/Cv ratio typed as texts, giving n, mean, cv, cs, phi, value (moments at
// the rate) and fitcv, fitcs, fitphi, fitvalue (curve fitting at the rate).
// A rate or ratio is a number when it has a leading number (hasLeadingNumber);
// throws AnalysisError with the message of a bad file, a guard, or a ratio
// that is not a number.
std::vector<NamedText> frequencyTexts(const std::string &path, std::string_view rateText, std::string_view ratioText);
// The same figures as numbers, in the same order (n as a whole number).
std::vector<NamedValue> frequencyValues(const std::string &path, std::string_view rateText,
                                        std::string_view ratioText);

} // namespace varnolek::hydrology
