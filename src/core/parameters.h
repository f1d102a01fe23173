#pragma once
// Parameter determination: the first-order degradation coefficient K (1/d) of
// a pollutant in a river reach, from concentrations measured at monitoring
// points along the reach and the mean flow velocity.

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace varnolek::parameters {

// Two-point method: K = 86400·u·ln(C1/C2) / x, the decay law
// C2 = C1·exp(−K·x / (86400·u)) solved for K.
struct TwoPointInput {
    double u = 0;  // mean flow velocity, m/s
    double c1 = 0; // concentration at the upstream point, mg/L
    double c2 = 0; // concentration at the downstream point, mg/L
    double x = 0;  // distance between the two points, km
};
// K in 1/d, held in single precision. Throws CalcError.
float twoPointK(const TwoPointInput &in);

// One monitoring point of the multi-point method.
struct MonitoringPoint {
    double c = 0; // concentration, mg/L
    double x = 0; // distance from the outfall, km
};
struct MultiPointInput {
    double u = 0; // mean flow velocity, m/s
    std::vector<MonitoringPoint> points;
};
// Least-squares method: K = −86400·u·b, b the slope of ln C against the
// distance in metres. The four sums are kept in single precision, each rounded
// after its addition. K in 1/d, held in single precision. Throws CalcError.
float leastSquaresK(const MultiPointInput &in);

// The decay law the two-point method solves: the concentration C1·exp(−K·x /
// (86400·u)) at x km downstream of a point of concentration c1, for K in 1/d
// and u in m/s.
double decayedConcentration(double c1, double k, double u, double xKm);

// The straight line ln C = a + b·x (x in km) that the least-squares method
// fits through the monitoring points, in double precision: the line drawn
// through them, with how well it fits. Nothing for fewer than two distinct
// distances.
struct LogLine {
    double a = 0; // ln C at x = 0
    double b = 0; // per km
    // The coefficient of determination 1 − Σ(ln C − line)² / Σ(ln C − mean)²:
    // the share of the spread of ln C the line explains, 0 to 1. It is 1 where
    // every ln C is the same, as the line then passes through every point.
    double r2 = 0;
    std::size_t n = 0; // the points fitted
};
std::optional<LogLine> fittedLogLine(const std::vector<MonitoringPoint> &points);

// The largest table of monitoring points: the suggested distance 3·i + 2 of
// every row must stay a 16-bit whole number.
inline constexpr int maxPointCount = 10922;

// The number of monitoring points asked for when the table is built, from the
// typed answer (empty when the box was cancelled): its leading number rounded
// to the nearest whole number, halves to the even neighbour; fewer than 3, or
// no answer, gives 3. Nothing when the answer lies outside the 16-bit range or
// above maxPointCount.
std::optional<int> pointCount(std::string_view answer);

// The values a new row i (0-based) of the table starts with.
struct SuggestedPoint {
    double c = 0; // 8.3 − 0.3·i, mg/L
    int x = 0;    // 3·i + 2, km
};
SuggestedPoint suggestedPoint(int i);

} // namespace varnolek::parameters
