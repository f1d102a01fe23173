// The scales of the charts: round tick steps, the bulk of a curve (what is
// cut where a calculation explodes, and that no ordinary curve is), the axis
// laid over it, tick texts, lines within a band, swept values as shown, and
// histogram bins.

#include "catalogue/catalogue.h"
#include "plots/plotdata.h"
#include "plots/scales.h"
#include "support/examples.h"

#include <QTest>
#include <algorithm>
#include <cmath>
#include <functional>

using plots::Points;

Q_DECLARE_METATYPE(std::vector<double>)
Q_DECLARE_METATYPE(Points)

namespace {

std::vector<double> sampled(const std::function<double(double)> &f, double from, double to, int n = 201)
{
    std::vector<double> values;
    for (int i = 0; i < n; ++i)
        values.push_back(f(from + (to - from) * i / (n - 1)));
    return values;
}

QString joined(const std::vector<double> &values)
{
    QStringList texts;
    for (double v : values)
        texts << QString::number(v, 'g', 12);
    return texts.join(' ');
}

// Whether a step is 1, 2 or 5 times a power of ten.
bool isRoundStep(double step)
{
    const double mantissa = step / std::pow(10.0, std::floor(std::log10(step)));
    for (double m : {1.0, 2.0, 5.0})
        if (std::abs(mantissa - m) < 1e-9)
            return true;
    return false;
}

} // namespace

class TestScales : public QObject {
    Q_OBJECT

private slots:
    void niceStep_data()
    {
        QTest::addColumn<double>("span");
        QTest::addColumn<int>("intervals");
        QTest::addColumn<double>("step");
        QTest::newRow("0 to 400 in at most 8") << 400.0 << 8 << 50.0;
        QTest::newRow("a span of 0.48") << 0.48 << 8 << 0.1;
        QTest::newRow("exactly 5 intervals of 1") << 5.0 << 5 << 1.0;
        QTest::newRow("just over: the next round step") << 5.01 << 5 << 2.0;
        QTest::newRow("a millionth") << 3e-6 << 6 << 5e-7;
        QTest::newRow("no span gives 1") << 0.0 << 8 << 1.0;
        QTest::newRow("a span beyond numbers gives 1") << double(INFINITY) << 8 << 1.0;
    }
    void niceStep()
    {
        QFETCH(double, span);
        QFETCH(int, intervals);
        QFETCH(double, step);
        QCOMPARE(plots::niceStep(span, intervals), step);
    }

    // The bulk rule on curves of known shape: none of the ordinary ones is
    // cut, a singular end is.
    void bulk_data()
    {
        QTest::addColumn<std::vector<double>>("values");
        QTest::addColumn<bool>("cutLow");
        QTest::addColumn<bool>("cutHigh");
        QTest::addColumn<double>("highAtMost"); // the bulk's top, where cut
        QTest::newRow("a straight line") << sampled([](double x) { return 3 * x + 2; }, 0, 10) << false << false << 0.0;
        QTest::newRow("a line through 0") << sampled([](double x) { return x; }, -1, 1) << false << false << 0.0;
        QTest::newRow("x squared") << sampled([](double x) { return x * x; }, 0, 1) << false << false << 0.0;
        QTest::newRow("x cubed") << sampled([](double x) { return x * x * x; }, 0, 1) << false << false << 0.0;
        QTest::newRow("x to the fourth") << sampled([](double x) { return std::pow(x, 4); }, 0, 1) << false << false
                                         << 0.0;
        QTest::newRow("decay over three e-folds")
            << sampled([](double x) { return 10 * std::exp(-x); }, 0, 3) << false << false << 0.0;
        QTest::newRow("a V") << sampled([](double x) { return std::abs(x); }, -1, 1) << false << false << 0.0;
        QTest::newRow("flat") << std::vector<double>(50, 7.0) << false << false << 0.0;
        QTest::newRow("all 0") << std::vector<double>(50, 0.0) << false << false << 0.0;
        QTest::newRow("a ramp after three quarters at 0")
            << sampled([](double x) { return std::max(0.0, x - 0.8); }, 0, 1) << false << false << 0.0;
        // exp(c/x) near x = 0: a third of the points beyond 1E+10.
        QTest::newRow("exploding near x = 0")
            << sampled([](double x) { return std::exp(700 / x); }, 2, 400) << false << true << 1e6;
        QTest::newRow("exploding downwards")
            << sampled([](double x) { return -std::exp(500 / x); }, 2, 400) << true << false << 0.0;
        std::vector<double> flatWithSpike(100, 5.0);
        flatWithSpike[0] = 1e200;
        QTest::newRow("flat with one value beyond") << flatWithSpike << false << true << 5.0;
        // Upstream of an outfall in a tidal reach the concentration falls
        // towards 0 while downstream it stays near its peak.
        QTest::newRow("falling towards 0 on one side")
            << sampled([](double x) { return x < 0 ? std::exp(3 * x) : 1 - 0.02 * x; }, -2, 2) << false << false << 0.0;
        std::vector<double> withNaN = sampled([](double x) { return x; }, 0, 1);
        withNaN[3] = NAN;
        withNaN[7] = INFINITY;
        QTest::newRow("values not finite are left out") << withNaN << false << false << 0.0;
    }
    void bulk()
    {
        QFETCH(std::vector<double>, values);
        QFETCH(bool, cutLow);
        QFETCH(bool, cutHigh);
        QFETCH(double, highAtMost);
        const plots::Span span = plots::bulkSpan(values);
        QVERIFY(!span.empty);
        QCOMPARE(span.cutLow, cutLow);
        QCOMPARE(span.cutHigh, cutHigh);
        if (cutHigh)
            QVERIFY2(span.high <= highAtMost, qPrintable(QString::number(span.high)));
        // The bulk is made of the values themselves: its ends are values.
        double low = INFINITY, high = -INFINITY;
        for (double v : values)
            if (std::isfinite(v) && v >= span.low && v <= span.high)
                low = std::min(low, v), high = std::max(high, v);
        QCOMPARE(span.low, low);
        QCOMPARE(span.high, high);
    }

    // Every curve the catalogue draws with its default inputs: cut exactly
    // where it explodes (beyond 1E+100), and then the bulk still holds the
    // input's own point.
    void catalogueCurves_data()
    {
        QTest::addColumn<QString>("id");
        for (const catalogue::Entry &e : catalogue::entries())
            if (plots::hasPlot(e) && e.id != "yearform")
                QTest::newRow(e.id.c_str()) << QString::fromStdString(e.id);
    }
    void catalogueCurves()
    {
        QFETCH(QString, id);
        const catalogue::Entry &e = catalogue::entry(id.toStdString());
        catalogue::Case c = catalogue::defaultCase(e);
        if (const catalogue::Field *file = catalogue::dataFileField(e))
            c.setOwned(file->name, windowtest::exampleFile(*file).toStdString());
        const plots::Plot plot = plots::makePlot(e, c);
        QVERIFY2(plot.failure.empty(), plot.failure.c_str());
        std::vector<plots::Series> lines = plot.series;
        lines.push_back(plot.profile);
        for (const plots::Series &s : lines) {
            if (s.style != plots::Series::Line || s.points.empty())
                continue;
            std::vector<double> ys;
            for (const auto &p : s.points)
                ys.push_back(p.second);
            double largest = 0;
            for (double y : ys)
                largest = std::max(largest, std::abs(y));
            const plots::Span span = plots::linesSpan({s.points});
            QCOMPARE(span.cutLow || span.cutHigh, largest > 1e100);
            for (const plots::Mark &m : plot.marks)
                if (span.cutHigh && plot.kind == plots::Kind::Curve)
                    QVERIFY2(m.y <= span.high, qPrintable(QString::number(m.y)));
        }
    }

    // A line cut only where it explodes at an end: a peak in its middle, however
    // high above a flat baseline, is drawn whole.
    void linesSpan()
    {
        const plots::Points peak = [] {
            plots::Points p;
            for (int i = 0; i <= 200; ++i) {
                const double t = i * 16.5 / 200;
                p.emplace_back(t, 3.4 * std::exp(-(t - 5.5) * (t - 5.5)));
            }
            return p;
        }();
        std::vector<double> ys;
        for (const auto &point : peak)
            ys.push_back(point.second);
        QVERIFY(plots::bulkSpan(ys).cutHigh); // the values alone look like an explosion
        const plots::Span whole = plots::linesSpan({peak});
        QVERIFY(!whole.cutHigh && !whole.cutLow);
        QCOMPARE(whole.high, *std::max_element(ys.begin(), ys.end()));
        // exp(700/x) towards x = 2 is cut as before, the peak beside it or not.
        plots::Points exploding;
        for (int i = 0; i <= 200; ++i) {
            const double x = 400 - i * 398.0 / 200;
            exploding.emplace_back(x, std::exp(700 / x));
        }
        QVERIFY(plots::linesSpan({exploding}).cutHigh);
        QVERIFY(plots::linesSpan({exploding}).high <= 1e6);
    }

    void scale_data()
    {
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<bool>("cutHigh");
        QTest::addColumn<double>("margin");
        QTest::addColumn<bool>("keepSign");
        QTest::addColumn<bool>("fromZero");
        QTest::addColumn<double>("axisLow");
        QTest::addColumn<double>("axisHigh");
        QTest::addColumn<QString>("ticks");
        QTest::newRow("a curve of distances 2 to 400 starts at 0")
            << 2.0 << 400.0 << false << 0.0 << true << true << 0.0 << 400.0 << "0 50 100 150 200 250 300 350 400";
        QTest::newRow("room of 5 % either way")
            << 10.0 << 20.0 << false << 0.05 << true << false << 9.5 << 20.5 << "10 12 14 16 18 20";
        QTest::newRow("room never below 0 for values ≥ 0") << 0.0 << 30000.0 << false << 0.05 << true << false << 0.0
                                                           << 31500.0 << "0 5000 10000 15000 20000 25000 30000";
        QTest::newRow("dots at 0 get room below it")
            << 0.0 << 10.0 << false << 0.05 << false << true << -0.5 << 10.5 << "0 2 4 6 8 10";
        QTest::newRow("a cut top is a tick") << 33361.0 << 6.2e6 << true << 0.05 << true << false << 0.0 << 7e6
                                             << "0 1000000 2000000 3000000 4000000 5000000 6000000 7000000";
        QTest::newRow("one value: a tenth either way")
            << 5.0 << 5.0 << false << 0.05 << true << false << 4.5 << 5.5 << "4.6 4.8 5 5.2 5.4";
        QTest::newRow("one value 0: 0 to 1")
            << 0.0 << 0.0 << false << 0.05 << true << false << 0.0 << 1.0 << "0 0.2 0.4 0.6 0.8 1";
    }
    void scale()
    {
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(bool, cutHigh);
        QFETCH(double, margin);
        QFETCH(bool, keepSign);
        QFETCH(bool, fromZero);
        QFETCH(double, axisLow);
        QFETCH(double, axisHigh);
        QFETCH(QString, ticks);
        plots::Span span;
        plots::include(span, low);
        plots::include(span, high);
        span.cutHigh = cutHigh;
        plots::ScaleRules rules;
        rules.margin = margin;
        rules.keepSign = keepSign;
        rules.fromZero = fromZero;
        const plots::Scale s = plots::scaleOf(span, rules);
        QVERIFY2(std::abs(s.low - axisLow) < 1e-9 && std::abs(s.high - axisHigh) < 1e-9,
                 qPrintable(QString("%1 %2").arg(s.low).arg(s.high)));
        QVERIFY(isRoundStep(s.step));
        QCOMPARE(joined(s.ticks()), ticks);
        QCOMPARE(s.cutHigh, cutHigh);
    }

    void tickText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("step");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 400.0 << 50.0 << "400";
        QTest::newRow("the step's decimals") << 12.0 << 0.5 << "12.0";
        QTest::newRow("two decimals") << 2.05 << 0.05 << "2.05";
        QTest::newRow("rounding noise of 0.1 + 0.2") << 0.1 + 0.2 << 0.1 << "0.3";
        QTest::newRow("no -0") << -1e-17 << 0.1 << "0.0";
        QTest::newRow("negative") << -5000.0 << 1000.0 << "-5000";
        QTest::newRow("beyond 1E+9 with an exponent") << 3e10 << 1e10 << "3E+10";
        QTest::newRow("tiny steps with an exponent") << 1.5e-6 << 5e-7 << "1.5E-06";
    }
    void tickText()
    {
        QFETCH(double, value);
        QFETCH(double, step);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(plots::tickText(value, step)), text);
    }

    void pieces_data()
    {
        QTest::addColumn<Points>("line");
        QTest::addColumn<QString>("pieces"); // x,y of each point; pieces split by "|"
        QTest::newRow("inside whole") << Points{{0, 1}, {1, 2}, {2, 3}} << "0,1 1,2 2,3";
        QTest::newRow("leaves over the top and comes back")
            << Points{{0, 5}, {1, 15}, {2, 15}, {3, 5}} << "0,5 0.5,10|2.5,10 3,5";
        QTest::newRow("crosses the band from top to bottom") << Points{{0, 20}, {1, -10}}
                                                             << "0.333333333333,10 "
                                                                "0.666666666667,0";
        QTest::newRow("beyond the top from its first point, at 1E+246")
            << Points{{2, 2.76e246}, {4, 2.79e125}, {6, 6.6e83}, {8, 5}, {10, 4}} << "8,10 8,5 10,4";
        QTest::newRow("wholly outside") << Points{{0, 20}, {1, 30}} << "";
        QTest::newRow("one point inside") << Points{{0, 3}} << "0,3";
        QTest::newRow("on the edges is inside") << Points{{0, 0}, {1, 10}} << "0,0 1,10";
    }
    void pieces()
    {
        QFETCH(Points, line);
        QFETCH(QString, pieces);
        QStringList got;
        for (const Points &piece : plots::piecesWithin(line, 0, 10)) {
            QStringList points;
            for (const auto &[x, y] : piece)
                points << QString::number(x, 'g', 12) + ',' + QString::number(y, 'g', 12);
            got << points.join(' ');
        }
        QCOMPARE(got.join('|'), pieces);
    }

    void sweptValue_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("spacing");
        QTest::addColumn<QString>("text");
        QTest::newRow("2500 to 7500 in 50 steps") << 2602.04081632653 << 5000.0 / 49 << "2602";
        QTest::newRow("the range of K in 50 steps") << 0.0297959183673469 << 0.48 / 49 << "0.0298";
        QTest::newRow("a value on the spacing") << 0.5 << 0.01 << "0.5";
        QTest::newRow("no neighbour: every digit") << 0.0297959183673469 << double(INFINITY) << "0.0297959183673469";
        QTest::newRow("no -0") << -1e-12 << 0.1 << "0";
    }
    void sweptValue()
    {
        QFETCH(double, value);
        QFETCH(double, spacing);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(plots::sweptValueText(value, spacing)), text);
    }

    void histogram_data()
    {
        QTest::addColumn<std::vector<double>>("values");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("first");
        QTest::newRow("balances -5465 to 14371 in 30 bins at most")
            << sampled([](double x) { return x; }, -5465.485, 14371.5, 1000) << 1000.0 << -6000.0;
        QTest::newRow("concentrations 9.9 to 10.0")
            << sampled([](double x) { return x; }, 9.91, 9.99, 50) << 0.005 << 9.91;
        QTest::newRow("one value: one bin of a round tenth of it") << std::vector<double>(10, 25.0) << 5.0 << 25.0;
    }
    void histogram()
    {
        QFETCH(std::vector<double>, values);
        QFETCH(double, width);
        QFETCH(double, first);
        const auto [low, high] = std::minmax_element(values.begin(), values.end());
        const plots::Histogram h = plots::histogramOf(values, *low, *high, 30);
        QCOMPARE(h.width, width);
        QVERIFY2(std::abs(h.first - first) < 1e-9, qPrintable(QString::number(h.first, 'g', 17)));
        QVERIFY(h.counts.size() <= 31);
        std::size_t total = 0;
        for (std::size_t c : h.counts)
            total += c;
        QCOMPARE(total, values.size());
        // Every value lies in its bin.
        for (double v : values) {
            const std::size_t b = std::min(h.counts.size() - 1, std::size_t((v - h.first) / h.width));
            QVERIFY(v >= h.first + double(b) * h.width - 1e-9 && v <= h.first + double(b + 1) * h.width + 1e-9);
        }
    }
};

QTEST_GUILESS_MAIN(TestScales)
#include "tst_scales.moc"
