// The degradation coefficient K by the two-point and the least-squares method,
// and the size and suggested rows of the monitoring-point table.
#include "core/arithmetic.h"
#include "core/numbers.h"
#include "core/parameters.h"

#include <QtTest>
#include <cmath>

using namespace varnolek;
using namespace varnolek::parameters;

Q_DECLARE_METATYPE(varnolek::Failure)
Q_DECLARE_METATYPE(varnolek::parameters::MultiPointInput)

namespace {
QString shown(float k)
{
    return QString::fromStdString(formatPattern(k, Precision::Single, "###0.000"));
}

MultiPointInput defaultTable(int n)
{
    MultiPointInput in{0.3, {}};
    in.points.push_back({8.3, 2.0});
    for (int i = 1; i < n; ++i) {
        const SuggestedPoint p = suggestedPoint(i);
        in.points.push_back({p.c, double(p.x)});
    }
    return in;
}
} // namespace

class TestParameters : public QObject {
    Q_OBJECT

private slots:
    void twoPoint_data()
    {
        QTest::addColumn<double>("u");
        QTest::addColumn<double>("c1");
        QTest::addColumn<double>("c2");
        QTest::addColumn<double>("x");
        QTest::addColumn<QString>("k");
        QTest::newRow("window defaults give 0.316") << 0.30 << 8.3 << 8.1 << 2.0 << "0.316";
        QTest::newRow("equal concentrations give no decay") << 0.30 << 8.0 << 8.0 << 2.0 << "0.000";
        QTest::newRow("rising concentration gives a negative K") << 0.30 << 8.1 << 8.3 << 2.0 << "-0.316";
        QTest::newRow("halving over 86.4 km at 1 m/s is ln 2 per day") << 1.0 << 2.0 << 1.0 << 86.4 << "0.693";
    }
    void twoPoint()
    {
        QFETCH(double, u);
        QFETCH(double, c1);
        QFETCH(double, c2);
        QFETCH(double, x);
        QFETCH(QString, k);
        QCOMPARE(shown(twoPointK({u, c1, c2, x})), k);
    }

    void twoPointFailures_data()
    {
        QTest::addColumn<double>("c1");
        QTest::addColumn<double>("c2");
        QTest::addColumn<double>("x");
        QTest::addColumn<Failure>("failure");
        QTest::newRow("distance 0 divides by zero") << 8.3 << 8.1 << 0.0 << Failure::DivisionByZero;
        QTest::newRow("second concentration 0 divides by zero") << 8.3 << 0.0 << 2.0 << Failure::DivisionByZero;
        QTest::newRow("first concentration 0 has no logarithm") << 0.0 << 8.1 << 2.0 << Failure::InvalidArgument;
        QTest::newRow("negative ratio has no logarithm") << -8.3 << 8.1 << 2.0 << Failure::InvalidArgument;
    }
    void twoPointFailures()
    {
        QFETCH(double, c1);
        QFETCH(double, c2);
        QFETCH(double, x);
        QFETCH(Failure, failure);
        try {
            twoPointK({0.3, c1, c2, x});
            QFAIL("no failure");
        } catch (const CalcError &e) {
            QCOMPARE(e.kind(), failure);
        }
    }

    void leastSquares_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("k");
        // ln C against x: (8.3, 2 km), (8, 5), (7.7, 8), (7.4, 11); slope −1.2748e-5 per m.
        QTest::newRow("default four-point table gives 0.331") << 4 << "0.331";
        QTest::newRow("default three-point table") << 3 << "0.324";
    }
    void leastSquares()
    {
        QFETCH(int, n);
        QFETCH(QString, k);
        QCOMPARE(shown(leastSquaresK(defaultTable(n))), k);
    }

    void leastSquaresOfTwoPointsIsTheTwoPointK()
    {
        const float two = twoPointK({0.3, 8.3, 8.1, 2.0});
        const float fit = leastSquaresK({0.3, {{8.3, 1.0}, {8.1, 3.0}}});
        QCOMPARE(shown(fit), shown(two));
    }

    void leastSquaresFailures_data()
    {
        QTest::addColumn<MultiPointInput>("in");
        QTest::addColumn<Failure>("failure");
        QTest::newRow("an empty concentration has no logarithm")
            << MultiPointInput{0.3, {{8.3, 2}, {0, 5}, {7.7, 8}}} << Failure::InvalidArgument;
        QTest::newRow("the 29th suggested concentration is negative") << defaultTable(29) << Failure::InvalidArgument;
        QTest::newRow("all distances equal leave no slope")
            << MultiPointInput{0.3, {{8.3, 2}, {8, 2}, {7.7, 2}}} << Failure::DivisionByZero;
        QTest::newRow("a concentration beyond single precision overflows")
            << MultiPointInput{0.3, {{1e39, 2}, {8, 5}, {7.7, 8}}} << Failure::Overflow;
    }
    void leastSquaresFailures()
    {
        QFETCH(MultiPointInput, in);
        QFETCH(Failure, failure);
        try {
            leastSquaresK(in);
            QFAIL("no failure");
        } catch (const CalcError &e) {
            QCOMPARE(e.kind(), failure);
        }
    }

    // The line through the points and how well it fits: R² against the
    // square of the correlation of x and ln C, which it equals for a line
    // fitted by least squares.
    void fittedLine_data()
    {
        QTest::addColumn<MultiPointInput>("in");
        QTest::addColumn<double>("r2"); // -1: the squared correlation
        QTest::addColumn<double>("b");  // NaN: not checked
        QTest::newRow("the default four-point table") << defaultTable(4) << -1.0 << qQNaN();
        QTest::newRow("twelve rows of the table") << defaultTable(12) << -1.0 << qQNaN();
        QTest::newRow("points on one decay curve fit wholly")
            << MultiPointInput{0.3, {{8 * std::exp(-0.1), 1}, {8 * std::exp(-0.3), 3}, {8 * std::exp(-0.7), 7}}} << 1.0
            << -0.1;
        QTest::newRow("equal concentrations: a flat line through every point")
            << MultiPointInput{0.3, {{5, 1}, {5, 2}, {5, 4}}} << 1.0 << 0.0;
        QTest::newRow("a V explains nothing")
            << MultiPointInput{0.3, {{std::exp(1.0), 0}, {1, 1}, {std::exp(1.0), 2}}} << 0.0 << 0.0;
        // ln C near 69 with a spread of a millionth: a one-pass sum of squares
        // would lose it all.
        QTest::newRow("a small spread about a large ln C")
            << MultiPointInput{0.3,
                               {{1e30 * std::exp(1e-6), 1}, {1e30 * std::exp(2e-6), 2}, {1e30 * std::exp(3.1e-6), 3}}}
            << -1.0 << qQNaN();
    }
    void fittedLine()
    {
        QFETCH(MultiPointInput, in);
        QFETCH(double, r2);
        QFETCH(double, b);
        const std::optional<LogLine> line = fittedLogLine(in.points);
        QVERIFY(line);
        QCOMPARE(line->n, in.points.size());
        if (!std::isnan(b))
            QVERIFY2(std::abs(line->b - b) < 1e-12, qPrintable(QString::number(line->b)));
        if (r2 < 0) {
            double mx = 0, my = 0;
            for (const MonitoringPoint &p : in.points)
                mx += p.x, my += std::log(p.c);
            mx /= double(in.points.size()), my /= double(in.points.size());
            double sxy = 0, sxx = 0, syy = 0;
            for (const MonitoringPoint &p : in.points) {
                const double dx = p.x - mx, dy = std::log(p.c) - my;
                sxy += dx * dy, sxx += dx * dx, syy += dy * dy;
            }
            r2 = sxy * sxy / (sxx * syy);
            QVERIFY(r2 > 0.9 && r2 < 1); // a fit of real points, not a check that cannot fail
        }
        QVERIFY2(std::abs(line->r2 - r2) < 1e-6, qPrintable(QString::number(line->r2, 'g', 17)));
        QVERIFY(line->r2 >= 0 && line->r2 <= 1);
    }

    void count_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("count"); // -1: outside the range of a table
        QTest::newRow("the default 4") << "4" << 4;
        QTest::newRow("empty or cancelled gives 3") << "" << 3;
        QTest::newRow("abc reads 0 and gives 3") << "abc" << 3;
        QTest::newRow("0 gives 3") << "0" << 3;
        QTest::newRow("-5 gives 3") << "-5" << 3;
        QTest::newRow("2 gives 3") << "2" << 3;
        QTest::newRow("3.5 rounds to even 4") << "3.5" << 4;
        QTest::newRow("4.5 rounds to even 4") << "4.5" << 4;
        QTest::newRow("leading number of 12abc") << "12abc" << 12;
        QTest::newRow("largest table") << "10922" << 10922;
        QTest::newRow("its distances would pass 32767") << "10923" << -1;
        QTest::newRow("40000 is beyond 16 bits") << "40000" << -1;
        QTest::newRow("-40000 is beyond 16 bits") << "-40000" << -1;
        QTest::newRow("-32768.5 rounds into 16 bits and gives 3") << "-32768.5" << 3;
        QTest::newRow("1e999 is beyond a double") << "1e999" << -1;
    }
    void count()
    {
        QFETCH(QString, answer);
        QFETCH(int, count);
        const std::optional<int> n = pointCount(answer.toStdString());
        QCOMPARE(n.value_or(-1), count);
    }

    void suggestedRows_data()
    {
        QTest::addColumn<int>("i");
        QTest::addColumn<QString>("c");
        QTest::addColumn<int>("x");
        QTest::newRow("row 1") << 1 << "8" << 5;
        QTest::newRow("row 2") << 2 << "7.7" << 8;
        QTest::newRow("row 3") << 3 << "7.4" << 11;
        QTest::newRow("row 27, 15 digits of 8.3 - 8.1") << 27 << "0.200000000000001" << 83;
        QTest::newRow("row 28 is the first negative") << 28 << "-0.0999999999999996" << 86;
    }
    void suggestedRows()
    {
        QFETCH(int, i);
        QFETCH(QString, c);
        QFETCH(int, x);
        const SuggestedPoint p = suggestedPoint(i);
        QCOMPARE(QString::fromStdString(generalText(p.c)), c);
        QCOMPARE(p.x, x);
    }
};

QTEST_GUILESS_MAIN(TestParameters)
#include "tst_parameters.moc"
