// Environmental capacity, load reduction and total-load control: the worked
// examples, the single-precision steps, and the failures.

#include "core/arithmetic.h"
#include "core/numbers.h"
#include "core/planning.h"

#include "support/failure.h"

#include <QTest>

using namespace varnolek;
using namespace varnolek::planning;

Q_DECLARE_METATYPE(varnolek::planning::WaterBody)
Q_DECLARE_METATYPE(varnolek::planning::CapacityInput)
Q_DECLARE_METATYPE(varnolek::planning::MonitoredInput)
Q_DECLARE_METATYPE(varnolek::planning::SourceInput)
Q_DECLARE_METATYPE(varnolek::planning::ControlInput)
Q_DECLARE_METATYPE(varnolek::Failure)

namespace
{

QString single3(double v)
{
    return QString::fromStdString(formatPattern(v, Precision::Single, "#########0.000"));
}
QString double3(double v)
{
    return QString::fromStdString(formatPattern(v, Precision::Double, "#########0.000"));
}

// The defaults of the capacity window: K, Q0, B, C0, Q2, L, s, Cs, H, Q1, C1, D.
CapacityInput capacityDefaults(double b = 30)
{
    return {0.2, 200, b, 6, 50, 10, 0.8, 8, 2, 100, 9, 90};
}
// The defaults of the monitoring condition: K, Q0, B, C0, Q1, L, E, C, H, D, Q2, C2.
MonitoredInput monitoredDefaults(double b = 30)
{
    return {0.2, 200, b, 6, 50, 10, 30000, 8, 2, 90, 100, 9};
}
// The sources of the load-reduction window: N, A, Cd, pd, F, k, P, pa, Cr.
Sources reductionSources()
{
    return {10000, 200, 200, 0.8, 10000, 0.7, 2000, 0.7, 60};
}
// The sources of the total-load window (rainfall 1000 mm).
Sources controlSources()
{
    return {10000, 200, 200, 0.8, 10000, 0.7, 1000, 0.7, 60};
}
ControlInput controlDefaults(double w = 20000)
{
    ControlInput in;
    in.sources = controlSources();
    in.n1 = 15000;
    in.beta = 1.0;
    in.alpha = 0.7;
    in.g = 0.08;
    in.t = 10;
    in.i = 1000;
    in.w = w;
    return in;
}
// K, Qin, Cin, C, Qout, V
WaterBodyInput waterBodyDefaults()
{
    return {0.2, 80, 6, 8, 100, 30000};
}


} // namespace

class tst_planning : public QObject
{
    Q_OBJECT

  private slots:
    void capacity_data();
    void capacity();
    void capacityHoldsMassBalanceInSingle();
    void capacityOverflow();

    void monitored_data();
    void monitored();
    void capacityIsReadInSingle();
    void sourceCondition_data();
    void sourceCondition();

    void control_data();
    void control();
    void estimate();
    void negativeEstimateIsZero();
    void controlFailures_data();
    void controlFailures();
};

void tst_planning::capacity_data()
{
    QTest::addColumn<WaterBody>("body");
    QTest::addColumn<CapacityInput>("in");
    QTest::addColumn<QString>("shown");

    QTest::newRow("one-way defaults") << WaterBody::OneWay << capacityDefaults() << "20463.360";
    QTest::newRow("lake defaults, volume 1000") << WaterBody::Lake << capacityDefaults(1000) << "24855.040";
    QTest::newRow("two-way defaults") << WaterBody::TwoWay << capacityDefaults() << "17352.960";

    CapacityInput lakeIgnoresRiverFields = capacityDefaults(1000);
    lakeIgnoresRiverFields.h = lakeIgnoresRiverFields.l = lakeIgnoresRiverFields.d = 0;
    lakeIgnoresRiverFields.q1 = lakeIgnoresRiverFields.c1 = 0;
    QTest::newRow("lake: depth, length, reverse flow take no part")
        << WaterBody::Lake << lakeIgnoresRiverFields << "24855.040";

    CapacityInput oneWayIgnoresReverse = capacityDefaults();
    oneWayIgnoresReverse.d = oneWayIgnoresReverse.q1 = oneWayIgnoresReverse.c1 = 0;
    QTest::newRow("one-way: reverse flow takes no part") << WaterBody::OneWay << oneWayIgnoresReverse << "20463.360";

    CapacityInput dirty = capacityDefaults();
    dirty.c0 = 10; // target below the upstream concentration
    // 86.4 × (200 × −2 + 400) = 0, decay 960: W = 0.365 × 0.8 × 960
    QTest::newRow("target at the upstream share leaves the decay term") << WaterBody::OneWay << dirty << "280.320";
    dirty.c0 = 12;
    // 86.4 × (−800 + 400) + 960 = −33600
    QTest::newRow("target below upstream: negative capacity") << WaterBody::OneWay << dirty << "-9811.200";

    CapacityInput reverseAbove = capacityDefaults();
    reverseAbove.c1 = 20; // reversed water dirtier than the target
    // 86.4 × (110000 − 108000 + 146000) / 1000 + 350.4 = 12787.2 + 350.4
    QTest::newRow("two-way: downstream above target subtracts") << WaterBody::TwoWay << reverseAbove << "10510.080";
}

void tst_planning::capacity()
{
    QFETCH(WaterBody, body);
    QFETCH(CapacityInput, in);
    QFETCH(QString, shown);
    QCOMPARE(single3(environmentalCapacity(body, in)), shown);
}

void tst_planning::capacityHoldsMassBalanceInSingle()
{
    // W′ = 86.4 × 1.1 = 95.04, not representable in single precision: the
    // safety factor applies to the single value.
    CapacityInput in{};
    in.q0 = 1;
    in.cs = 1.1;
    in.s = 1;
    const double wPrime = 86.4 * 1.1;
    const double w = environmentalCapacity(WaterBody::OneWay, in);
    QCOMPARE(w, 0.365 * double(float(wPrime)));
    QVERIFY(w != 0.365 * wPrime);

    in.d = 0;
    const double two = environmentalCapacity(WaterBody::TwoWay, in);
    QCOMPARE(two, double(float(86.4 * (365 * 1.1) / 1000)));
}

void tst_planning::capacityOverflow()
{
    CapacityInput in = capacityDefaults();
    in.q0 = 1e37; // W′ beyond single precision
    QCOMPARE(failureOf([&] { environmentalCapacity(WaterBody::OneWay, in); }), Failure::Overflow);
    in = capacityDefaults();
    in.k = 1e300;
    in.b = 1e300; // the decay product overflows a double
    QCOMPARE(failureOf([&] { environmentalCapacity(WaterBody::TwoWay, in); }), Failure::Overflow);
}

void tst_planning::monitored_data()
{
    QTest::addColumn<WaterBody>("body");
    QTest::addColumn<MonitoredInput>("in");
    QTest::addColumn<double>("load");
    QTest::addColumn<bool>("remaining");
    QTest::addColumn<QString>("shown");

    QTest::newRow("one-way defaults: remaining")
        << WaterBody::OneWay << monitoredDefaults() << 25579.2 << true << "4420.800";
    QTest::newRow("lake defaults: reduction")
        << WaterBody::Lake << monitoredDefaults(1000) << 31068.8 << false << "1068.800";
    QTest::newRow("two-way defaults: remaining")
        << WaterBody::TwoWay << monitoredDefaults() << 21691.2 << true << "8308.800";

    MonitoredInput exact = monitoredDefaults();
    exact.q0 = exact.q1 = exact.k = 0;
    exact.e = 0;
    QTest::newRow("load equal to capacity: remaining 0") << WaterBody::OneWay << exact << 0.0 << true << "0.000";

    MonitoredInput lake = monitoredDefaults(1000);
    lake.h = lake.l = lake.d = lake.q2 = lake.c2 = 0;
    QTest::newRow("lake: depth, length, reverse flow take no part")
        << WaterBody::Lake << lake << 31068.8 << false << "1068.800";
}

void tst_planning::monitored()
{
    QFETCH(WaterBody, body);
    QFETCH(MonitoredInput, in);
    QFETCH(double, load);
    QFETCH(bool, remaining);
    QFETCH(QString, shown);

    QVERIFY(qAbs(monitoredLoad(body, in) - load) < 1e-9);
    const Balance b = monitoredBalance(body, in);
    QCOMPARE(b.remaining(), remaining);
    QCOMPARE(double3(b.shown()), shown);
}

void tst_planning::capacityIsReadInSingle()
{
    MonitoredInput in = monitoredDefaults();
    in.e = 30000.1;
    const double g = monitoredLoad(WaterBody::OneWay, in);
    QCOMPARE(monitoredBalance(WaterBody::OneWay, in).r, 30000.099609375 - g);

    SourceInput s{Sources{}, 0, 30000.1};
    QCOMPARE(sourceBalance(s).r, 30000.099609375);

    in.e = 1e39;
    QCOMPARE(failureOf([&] { monitoredBalance(WaterBody::OneWay, in); }), Failure::Overflow);
}

void tst_planning::sourceCondition_data()
{
    QTest::addColumn<SourceInput>("in");
    QTest::addColumn<double>("gd");
    QTest::addColumn<double>("ga");
    QTest::addColumn<bool>("remaining");
    QTest::addColumn<QString>("shown");

    QTest::newRow("defaults: remaining") << SourceInput{reductionSources(), 100, 3000} << 116.8 << 882.0 << true
                                         << "1901.200";
    QTest::newRow("defaults, capacity 1000: reduction")
        << SourceInput{reductionSources(), 100, 1000} << 116.8 << 882.0 << false << "98.800";
    QTest::newRow("every source empty: capacity remains")
        << SourceInput{Sources{}, 0, 3000} << 0.0 << 0.0 << true << "3000.000";
}

void tst_planning::sourceCondition()
{
    QFETCH(SourceInput, in);
    QFETCH(double, gd);
    QFETCH(double, ga);
    QFETCH(bool, remaining);
    QFETCH(QString, shown);

    QVERIFY(qAbs(domesticLoad(in.sources) - gd) < 1e-9);
    QVERIFY(qAbs(agriculturalLoad(in.sources) - ga) < 1e-9);
    const Balance b = sourceBalance(in);
    QCOMPARE(b.remaining(), remaining);
    QCOMPARE(double3(b.shown()), shown);
}

void tst_planning::control_data()
{
    QTest::addColumn<double>("w");
    QTest::addColumn<bool>("remaining");
    QTest::addColumn<QString>("shown");

    QTest::newRow("defaults: remaining") << 20000.0 << true << "17872.552";
    QTest::newRow("capacity 1000: reduction") << 1000.0 << false << "1127.448";
}

void tst_planning::control()
{
    QFETCH(double, w);
    QFETCH(bool, remaining);
    QFETCH(QString, shown);

    const BaseLoads base = baseYearLoads(controlSources());
    QCOMPARE(base.gd, 116.8f); // held in single precision
    QCOMPARE(base.ga, 441.0f);

    const Balance b = knownIndustrialControl(controlDefaults(w));
    QCOMPARE(b.remaining(), remaining);
    QCOMPARE(QString::fromStdString(formatPattern(b.shown(), Precision::Double, "############0.000")), shown);
}

void tst_planning::estimate()
{
    QVERIFY(qAbs(waterBodyLoad(waterBodyDefaults()) - 10109.04) < 1e-9);
    const EstimatedControl e = estimatedIndustrialControl(controlDefaults(), waterBodyDefaults());
    QCOMPARE(QString::fromStdString(generalText(e.i, Precision::Single)), QString("9551.24"));
    // (G − Gd) − Ga with Gd and Ga in single precision, the difference rounded again
    QCOMPARE(e.i, float(10109.04 - double(116.8f) - 441.0));
    QVERIFY(e.balance.remaining());
    QCOMPARE(QString::fromStdString(formatPattern(e.balance.shown(), Precision::Double, "############0.000")),
             QString("4949.512"));
}

void tst_planning::negativeEstimateIsZero()
{
    WaterBodyInput body = waterBodyDefaults();
    body.qout = 50; // outflow load below the inflow load
    const EstimatedControl e = estimatedIndustrialControl(controlDefaults(), body);
    QCOMPARE(e.i, 0.0f);
    // Without industry: 20000 − (175.2 + 441)
    QCOMPARE(QString::fromStdString(formatPattern(e.balance.shown(), Precision::Double, "############0.000")),
             QString("19383.800"));
}

void tst_planning::controlFailures_data()
{
    QTest::addColumn<ControlInput>("in");
    QTest::addColumn<Failure>("failure");

    ControlInput noPeople = controlDefaults();
    noPeople.sources.n = 0;
    // Gd is 0 as well, so Gd × N1 / N is 0 / 0
    QTest::newRow("no base-year population") << noPeople << Failure::Overflow;

    ControlInput shrink = controlDefaults();
    shrink.g = -2;
    shrink.t = 2.5;
    QTest::newRow("negative growth base, fractional years") << shrink << Failure::InvalidArgument;

    ControlInput boom = controlDefaults();
    boom.g = 1e10;
    boom.t = 40;
    QTest::newRow("growth power overflows") << boom << Failure::Overflow;

    ControlInput huge = controlDefaults();
    huge.sources.n = 1e45;
    QTest::newRow("domestic load beyond single precision") << huge << Failure::Overflow;
}

void tst_planning::controlFailures()
{
    QFETCH(ControlInput, in);
    QFETCH(Failure, failure);
    QCOMPARE(failureOf([&] { knownIndustrialControl(in); }), failure);
}

QTEST_GUILESS_MAIN(tst_planning)
#include "tst_planning.moc"
