// The receiving capacities of a lake or reservoir and of a river reach, checked
// against hand calculations as the windows show them (double, three decimals).

#include "core/arithmetic.h"
#include "core/capacity.h"
#include "core/numbers.h"

#include "support/failure.h"

#include <QtTest>

using namespace varnolek;
using namespace varnolek::capacity;

Q_DECLARE_METATYPE(varnolek::Failure)
Q_DECLARE_METATYPE(varnolek::capacity::LakeReservoirInput)
Q_DECLARE_METATYPE(varnolek::capacity::OneDimensionalRiverInput)
Q_DECLARE_METATYPE(varnolek::capacity::TwoDimensionalRiverInput)

namespace {
QString shown(double w) { return QString::fromStdString(formatPattern(w, Precision::Double, "#########0.000")); }


// The window defaults, in the order of the fields.
const LakeReservoirInput lakeDefaults{0.2, 2.0, 120, 100.0, 6.0, 10};
const OneDimensionalRiverInput river1dDefaults{0.2, 200, 6, 8, 50, 2, 200};
const TwoDimensionalRiverInput river2dDefaults{0.2, 2.0, 0.1, 30.0, 6.0, 2, 8.0, 15, 200};
} // namespace

class TestCapacity : public QObject {
    Q_OBJECT

private slots:
    void lake_data();
    void lake();
    void lakeFailures_data();
    void lakeFailures();

    void river1d_data();
    void river1d();
    void river1dFailures_data();
    void river1dFailures();

    void river2d_data();
    void river2d();
    void river2dFailures_data();
    void river2dFailures();
};

void TestCapacity::lake_data()
{
    QTest::addColumn<LakeReservoirInput>("in");
    QTest::addColumn<QString>("capacity");

    QTest::newRow("default texts give 393.317") << lakeDefaults << "393.317";
    auto in = lakeDefaults;
    in.k = 0;
    QTest::newRow("K = 0: Cs·Q·31.536") << in << "378.432";
    in = lakeDefaults;
    in.a = 0;
    QTest::newRow("angle 0: Cs·Q·31.536") << in << "378.432";
    in = lakeDefaults;
    in.h = 0;
    QTest::newRow("depth 0: Cs·Q·31.536") << in << "378.432";
    in = lakeDefaults;
    in.r = 0;
    QTest::newRow("radius 0: Cs·Q·31.536") << in << "378.432";
    // The angle is divided by 180 with no π: a half circle counts 1, a full one 2.
    in = lakeDefaults;
    in.a = 180;
    QTest::newRow("half circle, Φ = 1") << in << "400.978";
    in = lakeDefaults;
    in.a = 360;
    QTest::newRow("full circle, Φ = 2") << in << "424.867";
    in = lakeDefaults;
    in.cs = 0;
    QTest::newRow("standard 0") << in << "0.000";
    in = lakeDefaults;
    in.cs = -6;
    QTest::newRow("a negative standard shows its minus sign") << in << "-393.317";
    in = lakeDefaults;
    in.cs = 6e20;
    QTest::newRow("a very large capacity is written in full") << in << "39331729286641600000000.000";
}

void TestCapacity::lake()
{
    QFETCH(LakeReservoirInput, in);
    QFETCH(QString, capacity);
    QCOMPARE(shown(lakeReservoir(in)), capacity);
}

void TestCapacity::lakeFailures_data()
{
    QTest::addColumn<LakeReservoirInput>("in");
    QTest::addColumn<Failure>("failure");

    auto in = lakeDefaults;
    in.q = 0;
    QTest::newRow("no inflow, Q = 0") << in << Failure::DivisionByZero;
    in = lakeDefaults;
    in.r = 1e5;
    QTest::newRow("exponential overflows for a large radius") << in << Failure::Overflow;
    in = lakeDefaults;
    in.h = 1e200;
    in.r = 1e100;
    QTest::newRow("product overflows") << in << Failure::Overflow;
}

void TestCapacity::lakeFailures()
{
    QFETCH(LakeReservoirInput, in);
    QFETCH(Failure, failure);
    QCOMPARE(failureOf([&] { lakeReservoir(in); }), failure);
}

void TestCapacity::river1d_data()
{
    QTest::addColumn<OneDimensionalRiverInput>("in");
    QTest::addColumn<QString>("capacity");

    QTest::newRow("default texts give 25243.402") << river1dDefaults << "25243.402";
    auto in = river1dDefaults;
    in.k = 0;
    QTest::newRow("K = 0: (Cs·(Q0+Q2) − C0·Q0)·31.536") << in << "25228.800";
    in = river1dDefaults;
    in.x = 0;
    QTest::newRow("x = 0: (Cs·(Q0+Q2) − C0·Q0)·31.536") << in << "25228.800";
    in = river1dDefaults;
    in.q2 = 0;
    QTest::newRow("no wastewater flow: Q0·(Cs·F − C0)·31.536") << in << "12626.081";
    in = river1dDefaults;
    in.c0 = 8;
    in.q2 = 0;
    in.k = 0;
    QTest::newRow("background at the standard leaves nothing") << in << "0.000";
    in = river1dDefaults;
    in.c0 = 10;
    in.q2 = 0;
    QTest::newRow("background above the standard: negative, no failure") << in << "-12602.719";
    in = river1dDefaults;
    in.q0 = 2e16;
    in.q2 = 0;
    in.k = 0;
    QTest::newRow("a very large capacity is written in full") << in << "1261440000000000000.000";
}

void TestCapacity::river1d()
{
    QFETCH(OneDimensionalRiverInput, in);
    QFETCH(QString, capacity);
    QCOMPARE(shown(oneDimensionalRiver(in)), capacity);
}

void TestCapacity::river1dFailures_data()
{
    QTest::addColumn<OneDimensionalRiverInput>("in");
    QTest::addColumn<Failure>("failure");

    auto in = river1dDefaults;
    in.u = 0;
    QTest::newRow("still water, u = 0") << in << Failure::DivisionByZero;
    in = river1dDefaults;
    in.u = 0;
    in.k = 0;
    QTest::newRow("still water without decay, 0/0") << in << Failure::Overflow;
    in = river1dDefaults;
    in.x = 1e9;
    QTest::newRow("exponential overflows") << in << Failure::Overflow;
}

void TestCapacity::river1dFailures()
{
    QFETCH(OneDimensionalRiverInput, in);
    QFETCH(Failure, failure);
    QCOMPARE(failureOf([&] { oneDimensionalRiver(in); }), failure);
}

void TestCapacity::river2d_data()
{
    QTest::addColumn<TwoDimensionalRiverInput>("in");
    QTest::addColumn<QString>("capacity");

    QTest::newRow("default texts give 392446.059") << river2dDefaults << "392446.059";
    auto in = river2dDefaults;
    in.k = 0;
    QTest::newRow("K = 0: proportional to Cs − C0") << in << "392082.977";
    in.cs = 10;
    QTest::newRow("K = 0 and twice Cs − C0: twice the capacity") << in << "784165.954";
    in = river2dDefaults;
    in.k = 0;
    in.c0 = 8;
    QTest::newRow("Cs = C0 with K = 0") << in << "0.000";
    in = river2dDefaults;
    in.c0 = 10;
    QTest::newRow("standard below the decayed background: negative") << in << "-391719.895";
    in = river2dDefaults;
    in.b = 300;
    in.y = 60;
    QTest::newRow("far side of a wide river: written in full")
        << in << "1727336232420400000000000000000000000000000.000";
}

void TestCapacity::river2d()
{
    QFETCH(TwoDimensionalRiverInput, in);
    QFETCH(QString, capacity);
    QCOMPARE(shown(twoDimensionalRiver(in)), capacity);
}

void TestCapacity::river2dFailures_data()
{
    QTest::addColumn<TwoDimensionalRiverInput>("in");
    QTest::addColumn<Failure>("failure");

    auto in = river2dDefaults;
    in.u = 0;
    QTest::newRow("still water, u = 0") << in << Failure::DivisionByZero;
    in = river2dDefaults;
    in.e = 0;
    QTest::newRow("no diffusion, E = 0") << in << Failure::DivisionByZero;
    in = river2dDefaults;
    in.x = 0;
    QTest::newRow("at the outfall, x = 0") << in << Failure::DivisionByZero;
    in = river2dDefaults;
    in.b = 1000;
    in.y = 1000;
    QTest::newRow("both plume terms underflow to 0") << in << Failure::DivisionByZero;
    in = river2dDefaults;
    in.h = -2;
    in.e = -0.1;
    in.y = 0;
    in.b = 0;
    QTest::newRow("square root of a negative product") << in << Failure::InvalidArgument;
    in = river2dDefaults;
    in.x = 1e9;
    QTest::newRow("exponential overflows") << in << Failure::Overflow;
}

void TestCapacity::river2dFailures()
{
    QFETCH(TwoDimensionalRiverInput, in);
    QFETCH(Failure, failure);
    QCOMPARE(failureOf([&] { twoDimensionalRiver(in); }), failure);
}

QTEST_GUILESS_MAIN(TestCapacity)
#include "tst_capacity.moc"
