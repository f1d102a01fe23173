#include "plotdata.h"

#include "catalogue/datafile.h"
#include "catalogue/sweep.h"
#include "core/arithmetic.h"
#include "core/frequency.h"
#include "core/hydrology.h"
#include "core/monthlyflow.h"
#include "core/numbers.h"
#include "core/parameters.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string_view>
#include <thread>
#include <tuple>

namespace plots {

namespace {

using catalogue::Case;
using catalogue::Entry;
using catalogue::Outcome;
using catalogue::Status;

using catalogue::PlotSpec;

// A caption without the colon some result labels end with.
std::string axisTitle(std::string text)
{
    for (std::string_view colon : {":", "："})
        if (text.size() >= colon.size() && text.compare(text.size() - colon.size(), colon.size(), colon) == 0)
            text.erase(text.size() - colon.size());
    while (!text.empty() && text.front() == ' ')
        text.erase(0, 1);
    return text;
}

// A field's label as an axis title; the unit is added when the label does not print it.
std::string fieldTitle(const catalogue::Field &f)
{
    std::string title = axisTitle(f.label);
    if (!f.unit.empty() && title.find(f.unit) == std::string::npos)
        title += "(" + f.unit + ")";
    return title;
}

std::string outputTitle(const catalogue::Output &o)
{
    std::string title = axisTitle(o.label);
    if (!o.unit.empty() && title.find(o.unit) == std::string::npos)
        title += "(" + o.unit + ")";
    return title;
}

std::optional<double> numberOf(const Case &c, std::string_view name)
{
    try {
        return c.number(name);
    } catch (const varnolek::CalcError &) {
        return std::nullopt;
    }
}

// The main output's text of an outcome, or nullptr.
const std::string *mainText(const Entry &entry, const Outcome &outcome)
{
    return outcome.status == Status::Done ? outcome.result.text(entry.main().name) : nullptr;
}

// A plotted value as the data export writes it: every digit the calculation
// holds (7 significant digits of a single-precision result, 15 of a double).
std::string numberText(const Entry &entry, double value)
{
    return varnolek::generalText(value, entry.balance ? varnolek::Precision::Double : entry.main().precision);
}

void noPointUnlessAny(Plot &plot)
{
    for (const Series &s : plot.series)
        if (!s.points.empty())
            return;
    plot.failure = noValidPointText;
}

// ---- Curves ---------------------------------------------------------------

void curve(Plot &plot, const Entry &entry, const Case &c, const PlotSpec &rule)
{
    const catalogue::Field *field = entry.field(rule.along);
    const std::optional<double> v = numberOf(c, rule.along);
    if (!field || !v) {
        plot.failure = noValidPointText;
        return;
    }
    const auto [from, to] = curveRange(*v, rule.span);
    std::vector<catalogue::Point> points =
        catalogue::sweep(entry, c, rule.along, catalogue::spacedValues(from, to, curvePoints));
    // The input itself, as typed: the middle point (the first for v = 0).
    const std::size_t input = *v == 0 ? 0 : std::size_t(curvePoints / 2);
    points[input] = {std::string(c.text(rule.along)), *v, catalogue::evaluate(entry, c)};

    plot.field = rule.along;
    plot.xTitle = fieldTitle(*field);
    plot.yTitle = outputTitle(entry.main());
    plot.header = {plot.xTitle, plot.yTitle};
    Series s;
    s.name = axisTitle(entry.main().label);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const std::optional<double> y = catalogue::mainValue(entry, points[i].outcome);
        if (!y || !std::isfinite(*y))
            continue;
        const double x = points[i].value;
        s.points.emplace_back(x, *y);
        plot.rows.push_back({points[i].text, numberText(entry, *y)});
        if (i == input)
            plot.marks.push_back({x, *y, "(" + points[i].text + ", " + *mainText(entry, points[i].outcome) + ")"});
    }
    plot.series.push_back(std::move(s));
    noPointUnlessAny(plot);
}

// The transition zone: the length L(C) it takes to fall from C0 to C, drawn as
// C against L from C0 (L = 0) down to the C reached at span·L.
void decay(Plot &plot, const Entry &entry, const Case &c, const PlotSpec &rule)
{
    const std::optional<double> c0 = numberOf(c, rule.from), target = numberOf(c, rule.along);
    const Outcome own = catalogue::evaluate(entry, c);
    const std::optional<double> length = catalogue::mainValue(entry, own);
    if (!c0 || !target || !length || !(*c0 > 0) || !(*target > 0)) {
        plot.failure = noValidPointText;
        return;
    }
    // L grows with ln(C0/C): span·L is reached at C0·(C/C0)^span.
    const double end = *c0 * std::pow(*target / *c0, rule.span);
    std::vector<double> values = catalogue::spacedValues(*c0, end, curvePoints);
    std::vector<catalogue::Point> points = catalogue::sweep(entry, c, rule.along, values);
    points.push_back({std::string(c.text(rule.along)), *target, own});

    plot.field = rule.along;
    plot.xTitle = outputTitle(entry.main());
    plot.yTitle = fieldTitle(*entry.field(rule.along));
    plot.header = {plot.yTitle, plot.xTitle};
    std::vector<std::pair<double, std::size_t>> order; // by length
    Series s;
    s.name = "浓度沿程衰减";
    for (std::size_t i = 0; i < points.size(); ++i) {
        const std::optional<double> l = catalogue::mainValue(entry, points[i].outcome);
        if (l && std::isfinite(*l))
            order.emplace_back(*l, i);
    }
    std::stable_sort(order.begin(), order.end());
    for (const auto &[l, i] : order) {
        s.points.emplace_back(l, points[i].value);
        plot.rows.push_back({points[i].text, numberText(entry, l)});
    }
    plot.marks.push_back(
        {*length, *target, "C = " + std::string(c.text(rule.along)) + ", L = " + *mainText(entry, own)});
    plot.series.push_back(std::move(s));
    noPointUnlessAny(plot);
}

// ---- The map of the two-dimensional river ---------------------------------

// The nodes' numbers only: no text is made of a node's result.
void evaluateRows(const Entry &entry, const Case &base, const std::vector<double> &xs, const std::vector<double> &ys,
                  std::size_t firstRow, std::size_t endRow, Grid &grid)
{
    Case c = base; // one case, its two fields given each node's numbers in turn
    c.readNumbers();
    const std::size_t x = c.placeOf(entry.plot.along), y = c.placeOf(entry.plot.across);
    const std::size_t nx = xs.size();
    Outcome o;
    o.result.textsWanted = false;
    for (std::size_t j = firstRow; j < endRow; ++j) {
        c.setNumberAt(y, ys[j]);
        for (std::size_t i = 0; i < nx; ++i) {
            c.setNumberAt(x, xs[i]);
            catalogue::evaluateInto(entry, c, o);
            const std::optional<double> v = catalogue::mainValue(entry, o);
            grid.c[j * nx + i] = v ? *v : std::numeric_limits<double>::quiet_NaN();
        }
    }
}

void map(Plot &plot, const Entry &entry, const Case &c)
{
    const PlotSpec &asked = entry.plot;
    const std::optional<double> X = numberOf(c, asked.along), Y = numberOf(c, asked.across),
                                B = numberOf(c, asked.width);
    // An outfall off the bank: the point's distance across is measured from
    // the outfall, the map's from the near bank, the outfall a from it.
    const std::optional<double> A = asked.bank.empty() ? std::optional<double>(0.0) : numberOf(c, asked.bank);
    if (!X || !Y || !B || !A) {
        plot.failure = noValidPointText;
        return;
    }
    const catalogue::Field &fx = *entry.field(asked.along), &fy = *entry.field(asked.across);
    plot.xTitle = fieldTitle(fx);
    plot.yTitle = asked.bank.empty() ? "距排污口所在岸边的距离(" + fy.unit + ")" : "距近岸的距离(" + fy.unit + ")";
    plot.scaleTitle = outputTitle(entry.main());
    const std::string shortTitle = "水质浓度(" + entry.main().unit + ")";
    plot.scaleTitle = shortTitle;

    Grid &grid = plot.grid;
    std::vector<std::string> xTexts, yTexts;
    // Each node's distances are the numbers their texts read as.
    const auto typed = [](double v, std::vector<std::string> &texts) {
        texts.push_back(catalogue::valueText(v));
        try {
            return varnolek::readNumber(texts.back());
        } catch (const varnolek::CalcError &) {
            return std::numeric_limits<double>::infinity(); // fails as its text would
        }
    };
    for (int i = 1; i <= mapColumns; ++i)
        grid.xs.push_back(typed(i * (2 * *X) / mapColumns, xTexts));
    std::vector<double> across; // the distance across the calculation is given, row by row
    for (int j = 0; j < mapRows; ++j) {
        across.push_back(typed(j * *B / (mapRows - 1) - *A, yTexts));
        grid.ys.push_back(*A + across.back());
    }
    // The case holds the entry's fields alone, in the order the calculation
    // reads them, each found at once.
    Case ordered;
    for (const catalogue::Field &f : entry.fields)
        ordered.set(f.name, c.text(f.name));
    grid.c.assign(grid.xs.size() * grid.ys.size(), 0.0);
    // The rows are shared out among the cores.
    const std::size_t workers = std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, 8);
    std::vector<std::thread> threads;
    const std::size_t ny = grid.ys.size();
    for (std::size_t w = 1; w < workers; ++w)
        threads.emplace_back(evaluateRows, std::cref(entry), std::cref(ordered), std::cref(grid.xs), std::cref(across),
                             ny * w / workers, ny * (w + 1) / workers, std::ref(grid));
    evaluateRows(entry, ordered, grid.xs, across, 0, ny / workers, grid);
    for (std::thread &t : threads)
        t.join();

    // The rows of the CSV are made from the grid when it is exported.
    plot.header = {plot.xTitle, fieldTitle(fy), plot.scaleTitle};
    plot.grid.precision = entry.main().precision;
    plot.grid.xTexts = std::move(xTexts);
    plot.grid.yTexts = std::move(yTexts);
    const bool any = std::any_of(grid.c.begin(), grid.c.end(), [](double v) { return std::isfinite(v); });
    if (!any)
        plot.failure = noValidPointText;

    const Outcome own = catalogue::evaluate(entry, c);
    if (const std::optional<double> v = catalogue::mainValue(entry, own))
        plot.marks.push_back({*X, *A + *Y,
                              "(" + std::string(c.text(asked.along)) + ", " + std::string(c.text(asked.across)) +
                                  ")  C = " + *mainText(entry, own)});
    if (!asked.bank.empty())
        plot.marks.push_back(
            {0, *A, "排污口（a = " + std::string(c.text(asked.bank)) + " " + fy.unit + "）", Mark::Feature});

    // Across the river at X.
    plot.profileXTitle = asked.bank.empty() ? fieldTitle(fy) : plot.yTitle;
    plot.profileYTitle = shortTitle;
    plot.profile.name = "X 处横断面浓度分布";
    const std::vector<catalogue::Point> section =
        catalogue::sweep(entry, c, asked.across, catalogue::spacedValues(0.0 - *A, *B - *A, curvePoints));
    for (const catalogue::Point &p : section)
        if (const std::optional<double> v = catalogue::mainValue(entry, p.outcome))
            plot.profile.points.emplace_back(*A + p.value, *v);
}

// ---- Load balances ----------------------------------------------------------

// The balance (t/a) of a case, or nothing when it fails.
std::optional<double> balanceOf(const Entry &entry, const Case &c)
{
    const Outcome o = catalogue::evaluate(entry, c);
    return o.status == Status::Done ? o.result.balance : std::nullopt;
}

void loadBars(Plot &plot, const Entry &entry, const Case &c)
{
    const Outcome own = catalogue::evaluate(entry, c);
    if (own.status != Status::Done || !own.result.balance) {
        plot.failure = noValidPointText;
        return;
    }
    const double r = *own.result.balance;
    // The capacity the load is set against: the field the balance subtracts from.
    const PlotSpec &asked = entry.plot;
    const std::string &capacityField = asked.capacity;
    const std::optional<double> capacity = numberOf(c, capacityField);
    if (!capacity) {
        plot.failure = noValidPointText;
        return;
    }
    const double load = *capacity - r;
    const std::string unit = entry.main().unit.empty() ? "t/a" : entry.main().unit;
    const std::string &loadName = asked.loadName;
    plot.categories = {loadName, "环境容量"};
    plot.yTitle = "污染物量(" + unit + ")";
    plot.header = {"项目", "数值(" + unit + ")"};

    // The sources one by one: the balance with the industry left out, then
    // with the farmland left out too, through the view that takes the
    // industrial load as known.
    bool split = false;
    if (!asked.sourcesView.empty()) {
        const Entry &known = catalogue::entry(asked.sourcesView);
        Case noIndustry = c;
        noIndustry.set(asked.industry, "0");
        Case domesticOnly = noIndustry;
        domesticOnly.set(asked.farmland, "0");
        const std::optional<double> r1 = balanceOf(known, domesticOnly), r2 = balanceOf(known, noIndustry);
        if (r1 && r2) {
            const double domestic = *capacity - *r1, farmland = *r1 - *r2, industry = load - (*capacity - *r2);
            const std::string industryName = asked.estimate.empty() ? "工业污染源" : "工业污染源（估算）";
            plot.bars = {{"生活污染源", {domestic, 0}}, {"农业面源", {farmland, 0}}, {industryName, {industry, 0}}};
            for (const BarSet &b : plot.bars)
                plot.rows.push_back({b.name, varnolek::generalText(b.values[0], varnolek::Precision::Double)});
            split = true;
        }
    }
    if (!split) {
        plot.bars = {{loadName, {load, 0}}};
    }
    plot.rows.push_back({loadName, varnolek::generalText(load, varnolek::Precision::Double)});
    plot.bars.push_back({"环境容量", {0, *capacity}});
    plot.rows.push_back({"环境容量", std::string(c.text(capacityField))});
    const std::string *gapText = mainText(entry, own);
    const std::string gapName = r >= 0 ? "剩余环境容量" : "排污削减量";
    plot.bars.push_back({gapName, r >= 0 ? std::vector<double>{r, 0} : std::vector<double>{0, -r}});
    plot.rows.push_back(
        {gapName, gapText ? *gapText : varnolek::generalText(std::abs(r), varnolek::Precision::Double)});
    if (!asked.estimate.empty())
        if (const std::string *estimated = own.result.text(asked.estimate)) {
            plot.note = "工业污染物总量估算值：" + *estimated + " " + unit;
            plot.rows.push_back({"工业污染物总量估算值", *estimated});
        }
    if (gapText)
        plot.note += (plot.note.empty() ? "" : "；") + gapName + "：" + *gapText + " " + unit;
}

// ---- The degradation coefficient --------------------------------------------

void twoPoint(Plot &plot, const Entry &entry, const Case &c)
{
    const Outcome own = catalogue::evaluate(entry, c);
    const PlotSpec &asked = entry.plot;
    const std::optional<double> k = catalogue::mainValue(entry, own), u = numberOf(c, asked.velocity),
                                c0 = numberOf(c, asked.from), c1 = numberOf(c, asked.to), x = numberOf(c, asked.along);
    if (!k || !u || !c0 || !c1 || !x) {
        plot.failure = noValidPointText;
        return;
    }
    plot.xTitle = fieldTitle(*entry.field(asked.along));
    plot.yTitle = "水质浓度(" + entry.field(asked.from)->unit + ")";
    plot.header = {plot.xTitle, plot.yTitle};
    Series points{"监测点", Series::Dots, {{0, *c0}, {*x, *c1}}};
    Series decay{"衰减曲线 K = " + *mainText(entry, own) + " 1/d", Series::Line, {}};
    const auto [from, to] = curveRange(*x, 2);
    for (double s : catalogue::spacedValues(from, to, curvePoints)) {
        const double v = varnolek::parameters::decayedConcentration(*c0, *k, *u, s);
        if (std::isfinite(v))
            decay.points.emplace_back(s, v);
    }
    plot.rows = {{"0", std::string(c.text(asked.from))},
                 {std::string(c.text(asked.along)), std::string(c.text(asked.to))}};
    plot.note = "K = " + *mainText(entry, own) + " 1/d";
    plot.series = {decay, points};
    noPointUnlessAny(plot);
}

void multiPoint(Plot &plot, const Entry &entry, const Case &c)
{
    const Outcome own = catalogue::evaluate(entry, c);
    const catalogue::Group &conc = entry.groups.at(0), &dist = entry.groups.at(1);
    plot.xTitle = "距排污口的距离(" + dist.unit + ")";
    plot.yTitle = "ln C（C：监测点浓度，" + conc.unit + "）";
    plot.header = {plot.xTitle, "监测点浓度(" + conc.unit + ")", "ln C"};
    std::vector<varnolek::parameters::MonitoringPoint> points;
    Series dots{"监测点", Series::Dots, {}};
    for (int i = 0; i < conc.maxRows; ++i) {
        const std::string ci = conc.name + "." + std::to_string(i), xi = dist.name + "." + std::to_string(i);
        if (!c.has(ci) && !c.has(xi))
            break;
        const std::optional<double> cv = numberOf(c, ci), xv = numberOf(c, xi);
        if (!cv || !xv || !(*cv > 0))
            continue; // a row without a logarithm is left out
        points.push_back({*cv, *xv});
        dots.points.emplace_back(*xv, std::log(*cv));
        plot.rows.push_back({std::string(c.text(xi)), std::string(c.text(ci)),
                             varnolek::generalText(std::log(*cv), varnolek::Precision::Double)});
    }
    Series line{"拟合直线", Series::Line, {}};
    if (const auto fit = varnolek::parameters::fittedLogLine(points)) {
        // How well the line fits, and over how many points.
        line.name += "（R² = " + varnolek::formatPattern(fit->r2, varnolek::Precision::Double, "0.0000") +
                     "，n = " + std::to_string(fit->n) + "）";
        double lo = 0, hi = 0;
        for (const auto &p : points)
            hi = std::max(hi, p.x), lo = std::min(lo, p.x);
        for (double s : {lo, hi})
            line.points.emplace_back(s, fit->a + fit->b * s);
    }
    if (const std::string *k = mainText(entry, own))
        plot.note = "K = " + *k + " 1/d";
    plot.series = {line, dots};
    noPointUnlessAny(plot);
}

// ---- The level year on probability paper -----------------------------------

void probability(Plot &plot, const Entry &entry, const Case &c)
{
    namespace hydrology = varnolek::hydrology;
    plot.kind = Kind::Probability;
    plot.percentTicks = {1, 5, 10, 20, 50, 80, 90, 95, 99};
    for (double p : plot.percentTicks)
        plot.paperTicks.push_back(hydrology::probabilityPaperX(p));
    plot.xTitle = "经验频率 P(%)（海森概率格纸）";
    plot.yTitle = axisTitle(entry.main().label) + "(m 或 m3/s)";
    plot.header = {"经验频率P(%)", plot.yTitle, "年份"};
    hydrology::DataFile file = catalogue::levelSeries(entry, c);
    if (file.status != hydrology::FileStatus::Ok || file.records.empty()) {
        plot.failure = noValidPointText;
        return;
    }
    std::vector<hydrology::Record> sorted = file.records;
    hydrology::sortByValue(sorted); // ascending; m counts from the largest down
    const int n = int(sorted.size());
    Series s{"实测系列", Series::Dots, {}};
    for (int m = 1; m <= n; ++m) {
        const hydrology::Record &r = sorted[std::size_t(n - m)];
        const double p = 100 * hydrology::empiricalExceedance(m, n);
        s.points.emplace_back(hydrology::probabilityPaperX(p), r.value);
        plot.rows.push_back({varnolek::generalText(p, varnolek::Precision::Double),
                             varnolek::generalText(r.value, varnolek::Precision::Single), std::to_string(r.year)});
    }
    plot.series.push_back(std::move(s));
    double rate = 0;
    try {
        rate = c.number(entry.plot.along);
    } catch (const varnolek::CalcError &) {
        return;
    }
    if (rate > 0 && rate < 100) {
        plot.designLine = hydrology::probabilityPaperX(rate);
        plot.designLabel = "设计保证率 " + std::string(c.text(entry.plot.along)) + "%";
    }
    const hydrology::LevelYear level = hydrology::designLevel(file.records, rate);
    const int m = n + 1 - level.rank;
    const double p = 100 * hydrology::empiricalExceedance(m, n);
    plot.marks.push_back({hydrology::probabilityPaperX(p), level.record.value,
                          std::to_string(level.record.year) + "年  " +
                              varnolek::generalText(level.record.value, varnolek::Precision::Single) +
                              "（P = " + varnolek::formatPattern(p, varnolek::Precision::Double, "0.0") + "%）"});
}

// ---- Curves of the river models -----------------------------------------------

// The swept points of a field with the case itself among them: it takes the
// place of a swept point of the same value, or its own place in the order.
std::vector<catalogue::Point> sweptWithCase(const Entry &entry, const Case &c, const std::string &field, double from,
                                            double to)
{
    std::vector<catalogue::Point> points =
        catalogue::sweep(entry, c, field, catalogue::spacedValues(from, to, curvePoints));
    catalogue::Point typed{std::string(c.text(field)), c.number(field), catalogue::evaluate(entry, c)};
    const bool rising = from <= to;
    auto at = std::find_if(points.begin(), points.end(), [&](const catalogue::Point &p) {
        return rising ? p.value >= typed.value : p.value <= typed.value;
    });
    if (at != points.end() && at->value == typed.value)
        *at = std::move(typed);
    else
        points.insert(at, std::move(typed));
    return points;
}

// The main output through swept points as a series, each point a row of the
// data; the point of the case itself marked with its text.
Series throughPoints(const Entry &entry, const Case &c, const std::string &field,
                     const std::vector<catalogue::Point> &points, std::string name, std::vector<Mark> &marks,
                     std::vector<std::vector<std::string>> *rows)
{
    Series s;
    s.name = std::move(name);
    const std::string typed(c.text(field));
    for (const catalogue::Point &p : points) {
        const std::optional<double> y = catalogue::mainValue(entry, p.outcome);
        if (!y || !std::isfinite(*y))
            continue;
        s.points.emplace_back(p.value, *y);
        if (rows)
            rows->push_back({p.text, numberText(entry, *y)});
        if (p.text == typed)
            marks.push_back({p.value, *y, "(" + p.text + ", " + *mainText(entry, p.outcome) + ")"});
    }
    return s;
}

// A curve against one field with the data export of (field text, result) rows.
void fieldCurve(Plot &plot, const Entry &entry, const Case &c, const std::string &field, double from, double to)
{
    plot.field = field;
    plot.xTitle = fieldTitle(*entry.field(field));
    plot.yTitle = outputTitle(entry.main());
    plot.header = {plot.xTitle, plot.yTitle};
    plot.series.push_back(throughPoints(entry, c, field, sweptWithCase(entry, c, field, from, to),
                                        axisTitle(entry.main().label), plot.marks, &plot.rows));
    noPointUnlessAny(plot);
}

// Across the river from the near bank to the far one.
void acrossRiver(Plot &plot, const Entry &entry, const Case &c, const PlotSpec &asked)
{
    const std::optional<double> v = numberOf(c, asked.across), width = numberOf(c, asked.width);
    if (!entry.field(asked.across) || !v || !width || !(*width > 0)) {
        plot.failure = noValidPointText;
        return;
    }
    fieldCurve(plot, entry, c, asked.across, 0, *width);
}

// Up- and downstream of an outfall at 0.
void bothSides(Plot &plot, const Entry &entry, const Case &c, const PlotSpec &asked)
{
    const std::optional<double> v = numberOf(c, asked.along);
    if (!entry.field(asked.along) || !v) {
        plot.failure = noValidPointText;
        return;
    }
    const double half = *v == 0 ? asked.halfAtZero : asked.span * std::abs(*v);
    fieldCurve(plot, entry, c, asked.along, -half, half);
    Case atOutfall = c;
    atOutfall.set(asked.along, "0");
    if (const std::optional<double> y = catalogue::mainValue(entry, catalogue::evaluate(entry, atOutfall)))
        plot.marks.push_back({0, *y, "排污口", Mark::Feature});
}

// The value of an output of an outcome and its text, if it was written.
struct Shown {
    double value;
    std::string text;
};
std::optional<Shown> outputOf(const Entry &entry, const Outcome &o, const std::string &name)
{
    if (o.status != Status::Done || name.empty())
        return std::nullopt;
    const std::optional<double> v = catalogue::outputNumber(entry, o.result, name);
    const std::string *text = o.result.text(name);
    if (!v || !text || !std::isfinite(*v))
        return std::nullopt;
    return Shown{*v, *text};
}

// The text of a value with the unit of its output.
std::string withUnit(const Entry &entry, const std::string &output, const std::string &text)
{
    const catalogue::Output *o = entry.output(output);
    return o && !o->unit.empty() ? text + " " + o->unit : text;
}

// The oxygen sag: down to twice the farther of the section and the critical
// point, the levels of the result (the saturation) across it.
void sag(Plot &plot, const Entry &entry, const Case &c, const PlotSpec &asked)
{
    const std::optional<double> v = numberOf(c, asked.along);
    if (!entry.field(asked.along) || !v) {
        plot.failure = noValidPointText;
        return;
    }
    const Outcome own = catalogue::evaluate(entry, c);
    const std::optional<Shown> at = outputOf(entry, own, asked.peakAt), value = outputOf(entry, own, asked.peakValue);
    double end = asked.span * std::max(std::abs(*v), at ? at->value : 0.0);
    if (!(end > 0) || !std::isfinite(end))
        end = 1;
    fieldCurve(plot, entry, c, asked.along, 0, end);
    plot.series.front().name = "氧垂曲线";
    if (at && value)
        plot.marks.push_back({at->value, value->value,
                              "临界点（" + withUnit(entry, asked.peakAt, at->text) + "，" +
                                  withUnit(entry, asked.peakValue, value->text) + "）",
                              Mark::Feature});
    if (own.status == Status::Done)
        for (const catalogue::Result::Level &level : own.result.levels)
            plot.series.push_back(
                {level.label + " = " +
                     varnolek::formatPattern(level.value, entry.main().precision, entry.main().pattern) + " " +
                     entry.main().unit,
                 Series::Dashed,
                 {{0, level.value}, {end, level.value}}});
}

// An instantaneous release: C against time at the section, from the release
// to span times the time of its peak, and beside it C along the river at the
// time asked for, over twice the section's distance.
void timeAndDistance(Plot &plot, const Entry &entry, const Case &c, const PlotSpec &asked)
{
    plot.kind = Kind::Pair;
    const std::optional<double> t = numberOf(c, asked.along), x = numberOf(c, asked.second);
    const catalogue::Field *ft = entry.field(asked.along), *fx = entry.field(asked.second);
    if (!ft || !fx || !t || !x) {
        plot.failure = noValidPointText;
        return;
    }
    const Outcome own = catalogue::evaluate(entry, c);
    const std::optional<Shown> peakAt = outputOf(entry, own, asked.peakAt),
                               peak = outputOf(entry, own, asked.peakValue);
    const auto [t0, t1] = peakAt && peakAt->value > 0 ? std::pair{0.0, asked.span * peakAt->value} : curveRange(*t, 2);
    const auto [x0, x1] = curveRange(*x, 2);

    plot.field = asked.along;
    plot.xTitle = fieldTitle(*ft);
    plot.yTitle = outputTitle(entry.main());
    const std::vector<catalogue::Point> inTime = sweptWithCase(entry, c, asked.along, t0, t1);
    plot.series.push_back(throughPoints(entry, c, asked.along, inTime, "X 处浓度过程", plot.marks, nullptr));
    if (peakAt && peak)
        plot.marks.push_back(
            {peakAt->value, peak->value, "峰值 (" + peakAt->text + ", " + peak->text + ")", Mark::Feature});

    Panel &along = plot.second;
    along.title = "t 时刻沿程浓度分布";
    along.xTitle = fieldTitle(*fx);
    along.yTitle = "t 时刻浓度(" + entry.main().unit + ")";
    const std::vector<catalogue::Point> inSpace = sweptWithCase(entry, c, asked.second, x0, x1);
    along.series.push_back(throughPoints(entry, c, asked.second, inSpace, "t 时刻沿程浓度", along.marks, nullptr));

    // The data: the two curves side by side, row by row; a point that cannot
    // be computed leaves its cells empty.
    plot.header = {plot.xTitle, plot.yTitle, along.xTitle, along.yTitle};
    const auto cells = [&entry](const catalogue::Point &p) -> std::pair<std::string, std::string> {
        const std::optional<double> y = catalogue::mainValue(entry, p.outcome);
        return {p.text, y && std::isfinite(*y) ? numberText(entry, *y) : std::string()};
    };
    for (std::size_t i = 0; i < std::max(inTime.size(), inSpace.size()); ++i) {
        std::vector<std::string> row(4);
        if (i < inTime.size())
            std::tie(row[0], row[1]) = cells(inTime[i]);
        if (i < inSpace.size())
            std::tie(row[2], row[3]) = cells(inSpace[i]);
        plot.rows.push_back(std::move(row));
    }
    if (plot.series.front().points.empty() && along.series.front().points.empty())
        plot.failure = noValidPointText;
}

// ---- The driest months on probability paper ---------------------------------

// The rate of a view as its run reads it, when it is one the paper can show.
std::optional<double> designRate(const Case &c, const std::string &field)
{
    const std::string_view text = c.text(field);
    if (!varnolek::hasLeadingNumber(text))
        return std::nullopt;
    const std::optional<double> rate = numberOf(c, field);
    if (!rate || !(*rate > 0 && *rate < 100))
        return std::nullopt;
    return rate;
}

void driestMonths(Plot &plot, const Entry &entry, const Case &c)
{
    namespace hydrology = varnolek::hydrology;
    plot.kind = Kind::FittedCurve;
    plot.percentTicks = {1, 5, 10, 20, 50, 80, 90, 95, 99};
    for (double p : plot.percentTicks)
        plot.paperTicks.push_back(hydrology::probabilityPaperX(p));
    const std::string unit = entry.main().unit;
    const std::string valueTitle = "最枯月" + entry.view + "(" + unit + ")";
    plot.xTitle = "经验频率 P(%)（海森概率格纸）";
    plot.yTitle = valueTitle;
    plot.header = {"年份", valueTitle, "月份", "排位k", "经验频率P(%)", "备注"};

    const hydrology::MonthlyFile file = catalogue::monthlySeries(entry, c);
    std::shared_ptr<const hydrology::DesignFlowAnalysis> analysis;
    try {
        if (file.status == hydrology::FileStatus::Ok)
            analysis = catalogue::designFlowAnalysis(file.years);
    } catch (const hydrology::AnalysisError &) {
    }
    if (!analysis) {
        plot.failure = noValidPointText;
        return;
    }
    const auto single = [](double v) { return varnolek::generalText(v, varnolek::Precision::Single); };
    const auto decimals = [](double v) { return hydrology::frequencyText(v); };

    // The years, largest first, in the colours of a series and its fit on
    // probability paper; a year with missing months apart (hollow), its
    // driest month being only the driest of the months observed.
    Series complete{"实测系列", Series::Dots, {}};
    Series incomplete{"实测系列（缺测）", Series::Dots, {}, true};
    std::vector<const hydrology::DriestMonth *> ranked;
    for (const hydrology::DriestMonth &d : analysis->years)
        ranked.push_back(&d);
    std::sort(ranked.begin(), ranked.end(),
              [](const hydrology::DriestMonth *a, const hydrology::DriestMonth *b) { return a->rank < b->rank; });
    for (const hydrology::DriestMonth *d : ranked) {
        const double p = 100 * d->exceedance;
        (d->incomplete ? incomplete : complete).points.emplace_back(hydrology::probabilityPaperX(p), d->record.value);
        plot.rows.push_back({std::to_string(d->record.year), single(d->record.value), std::to_string(d->month),
                             std::to_string(d->rank), varnolek::generalText(p, varnolek::Precision::Double),
                             d->incomplete ? hydrology::missingMonthsMark : ""});
    }
    plot.series.push_back(std::move(complete));
    if (!incomplete.points.empty())
        plot.series.push_back(std::move(incomplete));

    // The curve over the paper's span, as the frequency analysis draws it.
    if (analysis->frequency) {
        const hydrology::Pearson3Curve &fitted = analysis->frequency->fitted;
        Series curve{"适线法（Cs=2Cv）", Series::Line, {}};
        const double from = hydrology::probabilityPaperX(0.3), to = hydrology::probabilityPaperX(99.7);
        constexpr int steps = 120;
        for (int i = 0; i <= steps; ++i) {
            const double x = from + (to - from) * i / steps;
            try {
                const double y = fitted.value(hydrology::probabilityPaperPercent(x) / 100);
                if (std::isfinite(y))
                    curve.points.emplace_back(x, y);
            } catch (const hydrology::AnalysisError &) {
                // a point the special function cannot give is left out
            }
        }
        plot.series.push_back(std::move(curve));
    }

    const std::optional<double> rate = designRate(c, entry.plot.along);
    if (!rate)
        return;
    const std::string rateText(c.text(entry.plot.along));
    plot.designLine = hydrology::probabilityPaperX(*rate);
    plot.designLabel = "设计保证率 " + rateText + "%";
    const hydrology::DesignFlow design = hydrology::designFlow(*analysis, *rate);
    // The design point, read three ways; the rank rule's at the frequency of the year it picks.
    std::string note = "P = " + rateText + "%：";
    const hydrology::Record &picked = design.rankRule.record;
    for (const hydrology::DriestMonth &d : analysis->years)
        if (d.record.year == picked.year) {
            plot.marks.push_back(
                {hydrology::probabilityPaperX(100 * d.exceedance), picked.value, "排位法 " + decimals(picked.value)});
            break;
        }
    note += "排位法 " + decimals(picked.value) + "（" + std::to_string(picked.year) + "年）";
    plot.marks.push_back({*plot.designLine, design.interpolated, "内插法 " + decimals(design.interpolated)});
    note += "；内插法 " + decimals(design.interpolated);
    if (design.curve) {
        plot.marks.push_back({*plot.designLine, *design.curve, "P-III " + decimals(*design.curve)});
        note += "；P-III适线（Cv = " + decimals(analysis->frequency->fitted.cv) +
                "，Cs = " + decimals(analysis->frequency->fitted.cs) + "）" + decimals(*design.curve);
    } else {
        note += "；P-III适线：" + design.curveMessage;
    }
    plot.note = note + " " + unit;
}

} // namespace

std::pair<double, double> curveRange(double v, double span)
{
    if (v == 0)
        return {0, 1};
    return v > 0 ? std::pair{0.0, span * v} : std::pair{span * v, 0.0};
}

bool hasPlot(const Entry &entry)
{
    return entry.plot.kind != PlotSpec::None;
}

Plot makePlot(const Entry &entry, const Case &c)
{
    Plot plot;
    plot.title = catalogue::titleOf(entry);
    const PlotSpec &asked = entry.plot;
    switch (asked.kind) {
    case PlotSpec::None:
        plot.failure = noValidPointText;
        break;
    case PlotSpec::Curve:
        curve(plot, entry, c, asked);
        break;
    case PlotSpec::MapAndProfile:
        plot.kind = Kind::Map;
        map(plot, entry, c);
        break;
    case PlotSpec::DecayAlongReach:
        decay(plot, entry, c, asked);
        break;
    case PlotSpec::LoadBars:
        plot.kind = Kind::Bars;
        loadBars(plot, entry, c);
        break;
    case PlotSpec::TwoPointDecay:
        twoPoint(plot, entry, c);
        break;
    case PlotSpec::MultiPointFit:
        multiPoint(plot, entry, c);
        break;
    case PlotSpec::ProbabilityPaper:
        probability(plot, entry, c);
        break;
    case PlotSpec::AcrossRiver:
        acrossRiver(plot, entry, c, asked);
        break;
    case PlotSpec::TimeAndDistance:
        timeAndDistance(plot, entry, c, asked);
        break;
    case PlotSpec::BothSides:
        bothSides(plot, entry, c, asked);
        break;
    case PlotSpec::Sag:
        sag(plot, entry, c, asked);
        break;
    case PlotSpec::DriestMonths:
        driestMonths(plot, entry, c);
        break;
    }
    return plot;
}

std::string csvText(const Plot &plot)
{
    std::string out;
    auto line = [&out](const std::vector<std::string> &fields) {
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (i)
                out += ',';
            const std::string &f = fields[i];
            if (f.find_first_of(",\"\r\n") == std::string::npos) {
                out += f;
                continue;
            }
            out += '"';
            for (char ch : f) {
                if (ch == '"')
                    out += '"';
                out += ch;
            }
            out += '"';
        }
        out += "\r\n";
    };
    line(plot.header);
    for (const auto &row : plot.rows)
        line(row);
    const Grid &g = plot.grid;
    for (std::size_t j = 0; j < g.ys.size(); ++j)
        for (std::size_t i = 0; i < g.xs.size(); ++i)
            if (std::isfinite(g.at(i, j)))
                line({g.xTexts[i], g.yTexts[j], varnolek::generalText(g.at(i, j), g.precision)});
    return out;
}

} // namespace plots
