// The river models and the transition-zone length, checked against hand
// calculations as the windows show them (their precision and digit pattern).

#include "core/arithmetic.h"
#include "core/models.h"
#include "core/numbers.h"

#include "support/failure.h"

#include <QtTest>
#include <cmath>

using namespace varnolek;
using namespace varnolek::models;

Q_DECLARE_METATYPE(varnolek::Failure)
Q_DECLARE_METATYPE(varnolek::models::OneDimensionalRiverInput)
Q_DECLARE_METATYPE(varnolek::models::TwoDimensionalRiverInput)
Q_DECLARE_METATYPE(varnolek::models::TransitionZoneInput)

namespace {
// The one-dimensional window's result: single precision, two decimals.
QString shown1d(double c) { return QString::fromStdString(formatPattern(c, Precision::Single, "###0.00")); }
QString shown2d(double c) { return QString::fromStdString(formatPattern(c, Precision::Double, "###0.00")); }
QString shownLength(double l) { return QString::fromStdString(formatPattern(l, Precision::Double, "#####0.000")); }
QString general(double v) { return QString::fromStdString(generalText(v)); }

} // namespace

class TestModels : public QObject {
    Q_OBJECT

private slots:
    void oneDimensional_data();
    void oneDimensional();
    void oneDimensionalFailures_data();
    void oneDimensionalFailures();
    void oneDimensionalWithoutDispersionIsPlugFlow();

    void twoDimensional_data();
    void twoDimensional();
    void twoDimensionalFailures_data();
    void twoDimensionalFailures();
    void twoDimensionalOppositeBankTermsAreEqual();

    void transitionZone_data();
    void transitionZone();
    void transitionZoneFailures_data();
    void transitionZoneFailures();
};

// Columns k, u, e, q0, c0, x (km), q2, c2 as the window's fields.
void TestModels::oneDimensional_data()
{
    QTest::addColumn<OneDimensionalRiverInput>("in");
    QTest::addColumn<QString>("concentration");
    QTest::addColumn<QString>("distance");

    const OneDimensionalRiverInput defaults{0.2, 2.0, 5.0, 20.0, 10, 3, 0, 5};
    QTest::newRow("default texts give 9.97 at 3 km") << defaults << "9.97" << "3";

    auto in = defaults;
    in.q2 = 20;
    in.c2 = 0;
    QTest::newRow("a clean tributary halves the mixed concentration") << in << "4.98" << "3";

    in = defaults;
    in.k = 0.5;
    in.u = 0.1;
    in.e = 2000;
    QTest::newRow("strong dispersion slows the decay") << in << "9.02" << "3";

    in = defaults;
    in.k = 0;
    QTest::newRow("no degradation keeps the mixed concentration") << in << "10.00" << "3";

    in = defaults;
    in.x = 0;
    QTest::newRow("the initial section itself, distance 0") << in << "10.00" << "0";

    in = defaults;
    in.x = 2.5;
    QTest::newRow("a distance of 2.50 km is captioned 2.5") << in << "9.97" << "2.5";

    in = defaults;
    in.k = 0;
    in.c0 = 123456789;
    QTest::newRow("a large result keeps 7 digits and is written in full") << in << "123456800.00" << "3";

    in = defaults;
    in.k = -0.2;
    in.c0 = -10;
    QTest::newRow("a negative concentration shows its minus sign") << in << "-10.03" << "3";
}

void TestModels::oneDimensional()
{
    QFETCH(OneDimensionalRiverInput, in);
    QFETCH(QString, concentration);
    QFETCH(QString, distance);
    const OneDimensionalRiverResult r = oneDimensionalRiver(in);
    QCOMPARE(shown1d(r.c), concentration);
    QCOMPARE(general(r.distanceKm), distance);
    // The concentration is held in single precision already.
    QCOMPARE(r.c, double(float(r.c)));
}

void TestModels::oneDimensionalFailures_data()
{
    QTest::addColumn<OneDimensionalRiverInput>("in");
    QTest::addColumn<Failure>("failure");

    const OneDimensionalRiverInput defaults{0.2, 2.0, 5.0, 20.0, 10, 3, 0, 5};
    auto in = defaults;
    in.u = 0;
    QTest::newRow("still water, u = 0") << in << Failure::DivisionByZero;

    in = defaults;
    in.q0 = 0;
    in.q2 = 0;
    QTest::newRow("no flow at all, 0/0") << in << Failure::Overflow;

    in = defaults;
    in.e = -1e6;
    QTest::newRow("negative root term") << in << Failure::InvalidArgument;

    in = defaults;
    in.k = -1e4;
    in.e = 0;
    in.u = 0.001;
    in.x = 1e4;
    QTest::newRow("exponential overflows") << in << Failure::Overflow;

    in = defaults;
    in.k = 0;
    in.c0 = 1e39;
    QTest::newRow("beyond single precision") << in << Failure::Overflow;

    in = defaults;
    in.x = 1e306;
    QTest::newRow("distance overflows on conversion to metres") << in << Failure::Overflow;
}

void TestModels::oneDimensionalFailures()
{
    QFETCH(OneDimensionalRiverInput, in);
    QFETCH(Failure, failure);
    QCOMPARE(failureOf([&] { oneDimensionalRiver(in); }), failure);
}

void TestModels::oneDimensionalWithoutDispersionIsPlugFlow()
{
    // E = 0 must not fail: the root term becomes 2 and the decay plug flow.
    const OneDimensionalRiverInput in{0.2, 2.0, 0, 20.0, 10, 300, 0, 5};
    const double plug = 10 * std::exp(-0.2 * 300000 / (86400 * 2.0));
    QCOMPARE(oneDimensionalRiver(in).c, double(float(plug)));
    QCOMPARE(shown1d(oneDimensionalRiver(in).c), QString("7.07"));
}

// Columns k, u, e, b, c0, h, q2, c2, x (km), y (m) as the window's fields.
void TestModels::twoDimensional_data()
{
    QTest::addColumn<TwoDimensionalRiverInput>("in");
    QTest::addColumn<QString>("concentration");
    QTest::addColumn<QString>("distance");
    QTest::addColumn<QString>("offBank");

    const TwoDimensionalRiverInput defaults{0.2, 2.0, 0.1, 30.0, 8.0, 2, 2.0, 100, 5, 15};
    QTest::newRow("default texts give 9.60 at 5 km, 15 m") << defaults << "9.60" << "5" << "15";

    auto in = defaults;
    in.q2 = 0;
    QTest::newRow("no discharge leaves the decayed background") << in << "7.95" << "5" << "15";

    in = defaults;
    in.k = 0;
    QTest::newRow("no degradation") << in << "9.66" << "5" << "15";

    in = defaults;
    in.y = 30;
    QTest::newRow("a point on the opposite bank") << in << "9.40" << "5" << "30";

    in = defaults;
    in.x = 0.25;
    in.y = 7.5;
    QTest::newRow("fractional distances in the caption") << in << shown2d(twoDimensionalRiver(in).c) << "0.25"
                                                         << "7.5";

    in = defaults;
    in.y = 1000;
    QTest::newRow("both plume terms underflow: the background alone") << in << "7.95" << "5" << "1000";
}

void TestModels::twoDimensional()
{
    QFETCH(TwoDimensionalRiverInput, in);
    QFETCH(QString, concentration);
    QFETCH(QString, distance);
    QFETCH(QString, offBank);
    const TwoDimensionalRiverResult r = twoDimensionalRiver(in);
    QCOMPARE(shown2d(r.c), concentration);
    QCOMPARE(general(r.distanceKm), distance);
    QCOMPARE(general(r.y), offBank);
}

void TestModels::twoDimensionalFailures_data()
{
    QTest::addColumn<TwoDimensionalRiverInput>("in");
    QTest::addColumn<Failure>("failure");

    const TwoDimensionalRiverInput defaults{0.2, 2.0, 0.1, 30.0, 8.0, 2, 2.0, 100, 5, 15};
    auto in = defaults;
    in.x = 0;
    QTest::newRow("at the outfall, X = 0") << in << Failure::DivisionByZero;
    in = defaults;
    in.u = 0;
    QTest::newRow("still water, u = 0") << in << Failure::DivisionByZero;
    in = defaults;
    in.h = 0;
    QTest::newRow("no depth, h = 0") << in << Failure::DivisionByZero;
    in = defaults;
    in.e = 0;
    QTest::newRow("no diffusion, E = 0") << in << Failure::DivisionByZero;
    in = defaults;
    in.e = -0.1;
    in.y = 0;
    in.b = 0;
    QTest::newRow("square root of a negative product") << in << Failure::InvalidArgument;
    in = defaults;
    in.k = -1e4;
    in.u = 0.001;
    QTest::newRow("exponential overflows") << in << Failure::Overflow;
}

void TestModels::twoDimensionalFailures()
{
    QFETCH(TwoDimensionalRiverInput, in);
    QFETCH(Failure, failure);
    QCOMPARE(failureOf([&] { twoDimensionalRiver(in); }), failure);
}

void TestModels::twoDimensionalOppositeBankTermsAreEqual()
{
    // On the opposite bank (y = B) the direct and the reflected plume meet:
    // C = D·(C0 + 2·A·G1), with the worked defaults' A and D.
    const TwoDimensionalRiverInput in{0.2, 2.0, 0.1, 30.0, 8.0, 2, 2.0, 100, 5, 30};
    const double d = std::exp(-0.2 * 5000 / (86400 * 2.0));
    const double g1 = std::exp(-2.0 * 30 * 30 / (4 * 0.1 * 5000));
    const double a = (100 * 2.0 / 2) / std::sqrt(3.1415926 * 0.1 * 5000 * 2.0);
    QVERIFY(qFuzzyCompare(twoDimensionalRiver(in).c, d * (8.0 + a * (g1 + g1))));
}

// Columns k, u, c0, c.
void TestModels::transitionZone_data()
{
    QTest::addColumn<TransitionZoneInput>("in");
    QTest::addColumn<QString>("length");

    QTest::newRow("default texts give 248557.311") << TransitionZoneInput{0.2, 2.0, 8, 6} << "248557.311";
    QTest::newRow("equal concentrations, no length") << TransitionZoneInput{0.2, 2.0, 8, 8} << "0.000";
    QTest::newRow("a rise downstream is a negative length")
        << TransitionZoneInput{0.2, 2.0, 8, 10} << "-192796.028";
    QTest::newRow("a negative K gives a negative length") << TransitionZoneInput{-0.2, 2.0, 8, 6} << "-248557.311";
    QTest::newRow("both concentrations negative") << TransitionZoneInput{0.2, 2.0, -8, -6} << "248557.311";
    QTest::newRow("a long zone is written in full")
        << TransitionZoneInput{1e-9, 2.0, 8, 6} << "49711462119667.700";
}

void TestModels::transitionZone()
{
    QFETCH(TransitionZoneInput, in);
    QFETCH(QString, length);
    QCOMPARE(shownLength(transitionZoneLength(in)), length);
}

void TestModels::transitionZoneFailures_data()
{
    QTest::addColumn<TransitionZoneInput>("in");
    QTest::addColumn<Failure>("failure");

    QTest::newRow("C = 0") << TransitionZoneInput{0.2, 2.0, 8, 0} << Failure::DivisionByZero;
    QTest::newRow("K = 0") << TransitionZoneInput{0, 2.0, 8, 6} << Failure::DivisionByZero;
    QTest::newRow("C0 = 0, logarithm of 0") << TransitionZoneInput{0.2, 2.0, 0, 6} << Failure::InvalidArgument;
    QTest::newRow("opposite signs") << TransitionZoneInput{0.2, 2.0, -8, 6} << Failure::InvalidArgument;
}

void TestModels::transitionZoneFailures()
{
    QFETCH(TransitionZoneInput, in);
    QFETCH(Failure, failure);
    QCOMPARE(failureOf([&] { transitionZoneLength(in); }), failure);
}

QTEST_GUILESS_MAIN(TestModels)
#include "tst_models.moc"
