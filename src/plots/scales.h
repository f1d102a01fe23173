#pragma once
// The scales of the charts: where an axis begins and ends, its ticks at
// round numbers, the texts of the ticks, and the few values a curve's axis
// leaves out where the calculation explodes near a singular end (the capacity
// of the two-dimensional river as the distance to the outfall goes to 0).
// Standard C++ only: the plot and analysis windows turn it into axes.

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace plots {

// The tick step for a span: 1, 2 or 5 times a power of ten, the smallest
// that divides the span into at most maxIntervals intervals. 1 for a span
// that is not above 0 or not finite.
double niceStep(double span, int maxIntervals);

// The span the bulk of some values covers. Values beyond it are cut: the axis
// ends at the bulk and says "≥" (or "≤") at that end, as the colour scale of
// the concentration map does.
//
// The rule: with m the median of the finite values and P25, P75 their
// quartiles, a value is cut when it lies above m + 20·(m − P25) or below
// m − 20·(P75 − m). Each bound is measured by the half of the values on the
// other side of the median, which values exploding on this side cannot reach
// while they are fewer than half. Where that half has no spread (a flat
// curve), |m| stands for it; where m is 0 too, nothing is cut. A straight line
// reaches 2 of these spreads beyond the median, x³ from 0 reaches 8 and x⁴
// 16, so no ordinary curve is cut; the capacity of the two-dimensional river,
// which passes 1E+246 t/a near the outfall, is. Nothing between the median and
// 0 is cut either: values falling towards 0 (the concentration far upstream of
// an outfall in a tidal reach) do not explode.
struct Span {
    double low = 0, high = 0;
    bool cutLow = false, cutHigh = false; // some values lie beyond the end
    bool empty = true;                    // no finite value at all
};
Span bulkSpan(std::vector<double> values);
// The span of all the finite values, nothing cut.
Span fullSpan(const std::vector<double> &values);
// The span of the lines of a chart, each line's points in the order drawn:
// the bulk of all their values, cut only where a line leaves it at one of its
// ends (a singular end). A line that leaves the bulk between two points
// within it (a peak in the middle, as a released cloud passing a section)
// does not explode: then nothing is cut.
using Points = std::vector<std::pair<double, double>>;
Span linesSpan(const std::vector<Points> &lines);
// A span widened to hold a value (a marked point always shows).
void include(Span &span, double value);

// How an axis is laid over a span.
struct ScaleRules {
    // Room beyond the values at an end that is not cut, as a share of the
    // span, so that no dot or marker sits on the edge.
    double margin = 0.05;
    // The room never takes an axis across 0 when every value is on one side
    // of it: a distance or a load starts at 0.
    bool keepSign = true;
    // Where every value is 0 or more the axis reaches down to 0 (its first
    // tick): the distances along a river, or any field whose values are not
    // negative. Room below 0 is then taken only where keepSign is off.
    bool fromZero = false;
    int maxIntervals = 8;
    double leastStep = 0; // 1 for counts of cases
};

// An axis: its ends, and ticks at the multiples of step between them. A cut
// end is itself a tick, so that its label can say "≥".
struct Scale {
    double low = 0, high = 1, step = 1;
    bool cutLow = false, cutHigh = false;
    std::vector<double> ticks() const;
};
Scale scaleOf(const Span &span, const ScaleRules &rules = {});

// The text of a tick: the decimals its step needs, no "-0"; beyond 1E+9 or
// below a step of 1E-6, the general decimal text with an exponent.
std::string tickText(double value, double step);

// The pieces of a line through points (in order of x) inside low ≤ y ≤ high:
// where it leaves the band a piece ends at its crossing of the edge, where it
// comes back the next begins at it. The line as drawn within the band.
std::vector<Points> piecesWithin(const Points &line, double low, double high);

// A histogram with bins of a round width (1, 2 or 5 times a power of ten) at
// most `bins` of them over low to high, their edges at multiples of the
// width: bin b holds first + b·width ≤ v < first + (b + 1)·width, the last
// bin its upper edge too.
struct Histogram {
    double first = 0, width = 1;
    std::vector<std::size_t> counts;
};
Histogram histogramOf(const std::vector<double> &values, double low, double high, int bins);

// A swept value as a table shows it: rounded to a hundredth of the spacing to
// its neighbours, which keeps neighbours apart and the value within half a
// percent of a step ("2602.04081632653" spaced by 102.04 shows "2602").
std::string sweptValueText(double value, double spacing);

} // namespace plots
