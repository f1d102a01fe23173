// The scale of normal probability paper, the empirical frequency of a ranked
// value, and the decay law and fitted line the degradation plots draw.
#include "core/frequency.h"
#include "core/hydrology.h"
#include "core/parameters.h"

#include <QTest>
#include <cmath>

namespace hydrology = varnolek::hydrology;
namespace parameters = varnolek::parameters;

class TestProbabilityPaper : public QObject {
    Q_OBJECT

private slots:
    void paperAxis_data()
    {
        QTest::addColumn<double>("percent");
        QTest::addColumn<double>("x");
        QTest::newRow("50 %") << 50.0 << 0.0;
        QTest::newRow("90 %") << 90.0 << 1.2816;
        QTest::newRow("10 %") << 10.0 << -1.2816;
        QTest::newRow("99 %") << 99.0 << 2.3263;
        QTest::newRow("1 %") << 1.0 << -2.3263;
        QTest::newRow("84.13 %") << 84.134 << 1.0;
    }
    void paperAxis()
    {
        QFETCH(double, percent);
        QFETCH(double, x);
        QVERIFY2(std::abs(hydrology::probabilityPaperX(percent) - x) < 1e-4,
                 qPrintable(QString::number(hydrology::probabilityPaperX(percent), 'g', 10)));
    }

    void exceedanceOfTheThirdSmallestOfThirty()
    {
        // Ranked from the largest down, the third-smallest of 30 is m = 28.
        QVERIFY(std::abs(100 * hydrology::empiricalExceedance(28, 30) - 100.0 * 28 / 31) < 1e-12);
        QVERIFY(std::abs(100 * hydrology::empiricalExceedance(28, 30) - 90.32) < 0.01);
    }

    void decayPassesThroughBothPoints()
    {
        const parameters::TwoPointInput in{0.5, 10, 7, 12};
        const float k = parameters::twoPointK(in);
        QCOMPARE(parameters::decayedConcentration(10, k, 0.5, 0), 10.0);
        QVERIFY(std::abs(parameters::decayedConcentration(10, k, 0.5, 12) - 7) < 1e-5);
    }

    void fittedLineGivesTheLeastSquaresK()
    {
        const std::vector<parameters::MonitoringPoint> points = {{8.3, 2}, {8.0, 5}, {7.7, 8}, {7.2, 11}};
        const auto line = parameters::fittedLogLine(points);
        QVERIFY(line);
        // K = −86400·u·b with b per metre.
        const double k = -86400 * 0.5 * line->b / 1000;
        QVERIFY(std::abs(k - parameters::leastSquaresK({0.5, points})) < 1e-4);
        QVERIFY(!parameters::fittedLogLine({{8.3, 2}, {8.0, 2}}));
        QVERIFY(!parameters::fittedLogLine({{8.3, 2}}));
    }
};

QTEST_MAIN(TestProbabilityPaper)
#include "tst_probabilitypaper.moc"
