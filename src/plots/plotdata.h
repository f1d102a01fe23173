#pragma once
// What a plot window draws for a calculation: the points of its curves, the
// nodes of the concentration map, the bars of a load balance or the series on
// probability paper, each evaluated through the catalogue entry of the view,
// and the table of plotted data its CSV export writes. Standard C++ only; the
// plot window turns it into charts.

#include "catalogue/catalogue.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace plots {

// The text of a curve that has no point to draw.
inline constexpr const char *noValidPointText = "无法绘制：所有点均无法计算";

enum class Kind {
    Curve,
    Map,
    Bars,
    Probability,
    FittedCurve, // a series on probability paper with the P-III curve fitted to it and its design values
    Pair,        // two curves side by side, each with its own axes
};

struct Series {
    enum Style {
        Line,
        Dots,
        Dashed, // a level across the chart
    };
    std::string name;
    Style style = Line;
    std::vector<std::pair<double, double>> points; // (x, y); failed points are left out
    bool hollow = false; // dots of values less certain than the others (a year with months missing)
};

// A point marked apart, with its label.
struct Mark {
    double x = 0, y = 0;
    std::string label;
    enum Style {
        Computed, // the point the window computed
        Feature,  // a place of the water body or of the curve: the outfall, a peak, the critical point
    };
    Style style = Computed;
};

// A chart of its own beside the first (Kind::Pair), with its own axes.
struct Panel {
    std::string title, xTitle, yTitle;
    std::vector<Series> series;
    std::vector<Mark> marks;
};

// The nodes of a colour map: c[j·xs.size() + i] at (xs[i], ys[j]); NaN where
// the calculation failed.
struct Grid {
    std::vector<double> xs, ys, c;
    std::vector<std::string> xTexts, yTexts;                     // the texts the fields were given
    varnolek::Precision precision = varnolek::Precision::Double; // of the concentrations
    double at(std::size_t i, std::size_t j) const { return c[j * xs.size() + i]; }
};

struct BarSet {
    std::string name;
    std::vector<double> values; // one per category
};

struct Plot {
    Kind kind = Kind::Curve;
    std::string title;          // calculator and view
    std::string field;          // the field a curve varies: its texts are the CSV's first column
    std::string xTitle, yTitle; // axis titles with units
    std::vector<Series> series;
    std::vector<Mark> marks;
    std::string note; // a line of text under the chart (the K of a fit, an estimated load)

    // Kind::Map: the map, its colour-scale title, and the profile across the
    // river at the computed point, with its own axis titles.
    Grid grid;
    std::string scaleTitle;
    Series profile;
    std::string profileXTitle, profileYTitle;

    // Kind::Pair: the curves and marks above are the first chart; this one
    // stands beside it (an instantaneous release: its passage at the section,
    // and the cloud along the river at the time asked for).
    Panel second;

    // Kind::Bars: stacked bars, one value of each set per category; or the
    // sets side by side (grouped), and the categories down the left (horizontal).
    std::vector<std::string> categories;
    std::vector<BarSet> bars;
    bool grouped = false;
    bool horizontal = false;

    // Kind::Probability and FittedCurve: a vertical line at the design rate
    // (its x, already on the paper's scale) and the percentages the axis is
    // labelled with.
    std::optional<double> designLine;
    std::string designLabel;
    std::vector<double> percentTicks;
    std::vector<double> paperTicks; // where each of them sits on the axis

    // The plotted data as the CSV export writes it: header, then rows (a
    // map's nodes follow the rows, made from the grid).
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;

    // Why nothing can be drawn (no valid point), or empty.
    std::string failure;
};

// The plot of a view for the texts of its window, as its entry declares it.
// Never throws for bad input: a plot that cannot be drawn says why in `failure`.
Plot makePlot(const catalogue::Entry &entry, const catalogue::Case &c);

// Whether an entry has a plot at all.
bool hasPlot(const catalogue::Entry &entry);

// The CSV text of a plot's data: the header, then one line per row; fields
// with a comma, quote or line break are quoted.
std::string csvText(const Plot &plot);

// The range a curve against an input field spans for the field's value v:
// 0 to 2·v, 2·v to 0 for v < 0, 0 to 1 for v = 0 (span 2 as here; MYLFORM
// uses 1.5).
std::pair<double, double> curveRange(double v, double span);

// The number of points of a curve and of the nodes of the map.
inline constexpr int curvePoints = 201;
inline constexpr int mapColumns = 400;
inline constexpr int mapRows = 201;

} // namespace plots
