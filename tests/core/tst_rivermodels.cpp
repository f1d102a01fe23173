// The river models of the guidelines (mixing length, off-bank plume,
// instantaneous release, tidal reach, oxygen sag), checked as their windows
// will show them: each value through its digit pattern, so that a wrong digit
// fails. Beside the worked values: the guards and their prompts, the
// reductions to known cases, the conservation of the released mass, the limit
// K1 = K2 of the sag, and the failures of the arithmetic.

#include "core/arithmetic.h"
#include "core/models.h"
#include "core/numbers.h"
#include "core/rejection.h"
#include "core/rivermodels.h"

#include "support/failure.h"

#include <QtTest>
#include <cmath>
#include <initializer_list>
#include <utility>

using namespace varnolek;
using namespace varnolek::models;

Q_DECLARE_METATYPE(varnolek::Failure)
Q_DECLARE_METATYPE(varnolek::models::MixingLengthInput)
Q_DECLARE_METATYPE(varnolek::models::OffBankPlumeInput)
Q_DECLARE_METATYPE(varnolek::models::PulseInput)
Q_DECLARE_METATYPE(varnolek::models::TidalReachInput)
Q_DECLARE_METATYPE(varnolek::models::StreeterPhelpsInput)

namespace {

using ML = MixingLengthInput;
using OB = OffBankPlumeInput;
using PU = PulseInput;
using TR = TidalReachInput;
using SP = StreeterPhelpsInput;

// The windows' default texts.
const ML mixingDefaults{30, 0, 2.0, 0.1};
const OB plumeDefaults{0.2, 2.0, 0.1, 30.0, 8.0, 2, 2.0, 100, 5, 10, 5};
const PU pulseDefaults{1000, 40, 2, 0.5, 50, 0.2, 10, 6};
const TR tidalDefaults{0, 100, 0.1, 100, 0.2, 1, 100, 1};
const SP sagDefaults{20, 3, 7, 1, 200, 0, 20, 0.3, 0.6, 0.5, 10};

// An input with some fields changed.
template <typename In> In with(In in, std::initializer_list<std::pair<double In::*, double>> changes)
{
    for (const auto &[field, value] : changes)
        in.*field = value;
    return in;
}

// The texts of results as their fields show them, blank-separated.
QString shown(std::initializer_list<std::pair<double, const char *>> values)
{
    QStringList texts;
    for (const auto &[value, pattern] : values)
        texts << QString::fromStdString(formatPattern(value, Precision::Double, pattern));
    return texts.join(' ');
}

// The prompt a refused input gives, as "title: message"; what happened
// otherwise, so that a comparison with the expected prompt fails readably.
template <typename F> QString promptOf(F calculation)
{
    try {
        calculation();
    } catch (const InputRejected &rejection) {
        return QString::fromUtf8(rejection.title()) + ": " + QString::fromUtf8(rejection.what());
    } catch (const CalcError &error) {
        return "CalcError " + QString::fromUtf8(error.what());
    }
    return "accepted";
}

QString prompt(const char *message)
{
    return QStringLiteral("提示: ") + QString::fromUtf8(message);
}

bool near(double a, double b, double relative)
{
    return std::fabs(a - b) <= relative * std::fabs(b);
}

} // namespace

class TestRiverModels : public QObject {
    Q_OBJECT

private slots:
    void mixingLength_data();
    void mixingLength();
    void mixingLengthIsSymmetricAcrossTheRiver_data();
    void mixingLengthIsSymmetricAcrossTheRiver();
    void mixingLengthScalesWithTheWholeBraces();
    void mixingLengthRejections_data();
    void mixingLengthRejections();
    void mixingLengthFailures_data();
    void mixingLengthFailures();

    void offBankPlume_data();
    void offBankPlume();
    void offBankPlumeMirroredRiverGivesTheSame_data();
    void offBankPlumeMirroredRiverGivesTheSame();
    void offBankPlumeReducesToKnownCases();
    void offBankPlumeRejections_data();
    void offBankPlumeRejections();
    void offBankPlumeFailures_data();
    void offBankPlumeFailures();

    void pulse_data();
    void pulse();
    void pulsePeakIsTheHighestInTime_data();
    void pulsePeakIsTheHighestInTime();
    void pulseConservesTheDecayedMass_data();
    void pulseConservesTheDecayedMass();
    void pulseFailures_data();
    void pulseFailures();

    void tidalReach_data();
    void tidalReach();
    void tidalReachIsContinuousAtTheOutfall();
    void tidalReachFailures_data();
    void tidalReachFailures();

    void streeterPhelps_data();
    void streeterPhelps();
    void equalRatesAreTheLimitOfTheGeneralSag_data();
    void equalRatesAreTheLimitOfTheGeneralSag();
    void criticalPointIsTheLowestOxygen_data();
    void criticalPointIsTheLowestOxygen();
    void streeterPhelpsFailures_data();
    void streeterPhelpsFailures();
};

// ---- Mixing length ----------------------------------------------------------

// Lm (###0.00), the distance to the nearer bank taken, and whether it is
// measured from the far bank.
void TestRiverModels::mixingLength_data()
{
    QTest::addColumn<ML>("in");
    QTest::addColumn<QString>("texts");
    QTest::addColumn<bool>("fromFarBank");

    const ML &d = mixingDefaults;
    QTest::newRow("bank outfall a = 0 gives 7956.70") << d << "7956.70 0.00" << false;
    QTest::newRow("mid-river a = 15 gives 1980.00") << with(d, {{&ML::a, 15}}) << "1980.00 15.00" << false;
    QTest::newRow("a quarter across, a = 7.5") << with(d, {{&ML::a, 7.5}}) << "7344.26 7.50" << false;
    QTest::newRow("a = 22.5 is taken from the far bank as 7.5") << with(d, {{&ML::a, 22.5}}) << "7344.26 7.50" << true;
    QTest::newRow("an outfall on the far bank, a = B") << with(d, {{&ML::a, 30}}) << "7956.70 0.00" << true;
    QTest::newRow("another river") << ML{100, 20, 0.5, 0.5} << "4238.31 20.00" << false;
    QTest::newRow("still water has no mixing zone") << ML{30, 5, 0, 0.1} << "0.00 5.00" << false;
}

void TestRiverModels::mixingLength()
{
    QFETCH(ML, in);
    QFETCH(QString, texts);
    QFETCH(bool, fromFarBank);
    const MixingLengthResult r = models::mixingLength(in);
    QCOMPARE(shown({{r.lm, "###0.00"}, {r.a, "###0.00"}}), texts);
    QCOMPARE(r.fromFarBank, fromFarBank);
}

void TestRiverModels::mixingLengthIsSymmetricAcrossTheRiver_data()
{
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("a");
    for (double a : {0.0, 0.3, 7.5, 14.9, 15.0})
        QTest::addRow("B = 30, a = %g and B - a", a) << 30.0 << a;
    QTest::newRow("narrow ditch, B = 0.7") << 0.7 << 0.2;
    QTest::newRow("wide river, B = 1500") << 1500.0 << 612.5;
}

void TestRiverModels::mixingLengthIsSymmetricAcrossTheRiver()
{
    QFETCH(double, b);
    QFETCH(double, a);
    const double here = models::mixingLength({b, a, 1.3, 0.4}).lm;
    const double across = models::mixingLength({b, b - a, 1.3, 0.4}).lm;
    QVERIFY2(near(across, here, 1e-12), qPrintable(QString("%1 vs %2").arg(here, 0, 'g', 17).arg(across, 0, 'g', 17)));
    // The shortest zone is that of an outfall in mid-river, where the root vanishes.
    QVERIFY(models::mixingLength({b, b / 2, 1.3, 0.4}).lm <= here);
}

void TestRiverModels::mixingLengthScalesWithTheWholeBraces()
{
    // Lm is proportional to u/Ey with the 0.11 inside the braces: a formula
    // that adds 0.11 outside them would not double with u.
    const double base = models::mixingLength({30, 4, 1, 0.1}).lm;
    QVERIFY(near(models::mixingLength({30, 4, 2, 0.1}).lm, 2 * base, 1e-14));
    QVERIFY(near(models::mixingLength({30, 4, 1, 0.05}).lm, 2 * base, 1e-14));
    // In mid-river the root vanishes and only 0.11·u·B²/Ey stays.
    QCOMPARE(models::mixingLength({30, 15, 1, 0.1}).lm, 0.11 * 1 * 30 * 30 / 0.1);
}

void TestRiverModels::mixingLengthRejections_data()
{
    QTest::addColumn<ML>("in");
    QTest::addColumn<QString>("shownPrompt");

    const QString outside = prompt(outfallOutsideRiverMessage);
    QTest::newRow("a < 0") << ML{30, -0.01, 2, 0.1} << outside;
    QTest::newRow("a > B") << ML{30, 30.01, 2, 0.1} << outside;
    QTest::newRow("a negative width leaves no room for the outfall") << ML{-30, 0, 2, 0.1} << outside;
    // Refused before anything is computed: Ey = 0 would otherwise fail.
    QTest::newRow("the guard comes before the arithmetic") << ML{30, 31, 2, 0} << outside;
    QTest::newRow("both banks themselves are accepted") << ML{30, 30, 2, 0.1} << "accepted";
}

void TestRiverModels::mixingLengthRejections()
{
    QFETCH(ML, in);
    QFETCH(QString, shownPrompt);
    QCOMPARE(promptOf([&] { models::mixingLength(in); }), shownPrompt);
}

void TestRiverModels::mixingLengthFailures_data()
{
    QTest::addColumn<ML>("in");
    QTest::addColumn<Failure>("failure");
    QTest::newRow("no transverse diffusion, Ey = 0") << ML{30, 0, 2, 0} << Failure::DivisionByZero;
    QTest::newRow("no width, B = 0: a/B is 0/0") << ML{0, 0, 2, 0.1} << Failure::Overflow;
    QTest::newRow("length beyond a double") << ML{1e150, 0, 2, 1e-10} << Failure::Overflow;
}

void TestRiverModels::mixingLengthFailures()
{
    QFETCH(ML, in);
    QFETCH(Failure, failure);
    QCOMPARE(failureOf([&] { models::mixingLength(in); }), failure);
}

// ---- Off-bank plume -----------------------------------------------------------

// Fields k, u, e, b, c0, h, q2, c2, X (km), a, y; C as ###0.000.
void TestRiverModels::offBankPlume_data()
{
    QTest::addColumn<OB>("in");
    QTest::addColumn<QString>("c");

    const OB &d = plumeDefaults;
    QTest::newRow("X = 0.5, a = 10, y = 5 gives 10.197") << with(d, {{&OB::x, 0.5}}) << "10.197";
    QTest::newRow("X = 5, a = 15, y = 0 gives 9.562") << with(d, {{&OB::a, 15}, {&OB::y, 0}}) << "9.562";
    QTest::newRow("the point on the near bank, y = -a") << with(d, {{&OB::x, 0.5}, {&OB::y, -10}}) << "10.070";
    QTest::newRow("the point on the far bank, y = B - a") << with(d, {{&OB::x, 0.5}, {&OB::y, 20}}) << "8.099";
    QTest::newRow("no discharge leaves the decayed background") << with(d, {{&OB::q2, 0}}) << "7.954";
    QTest::newRow("outfall on the near bank") << with(d, {{&OB::a, 0}, {&OB::y, 0}}) << "9.752";
    QTest::newRow("outfall on the far bank") << with(d, {{&OB::a, 30}, {&OB::y, 0}}) << "9.752";
}

void TestRiverModels::offBankPlume()
{
    QFETCH(OB, in);
    QFETCH(QString, c);
    QCOMPARE(shown({{models::offBankPlume(in), "###0.000"}}), c);
}

void TestRiverModels::offBankPlumeMirroredRiverGivesTheSame_data()
{
    QTest::addColumn<OB>("in");
    const OB &d = plumeDefaults;
    QTest::newRow("the defaults") << d;
    QTest::newRow("close below the outfall") << with(d, {{&OB::x, 0.05}});
    QTest::newRow("towards the near bank") << with(d, {{&OB::a, 4}, {&OB::y, -3}, {&OB::x, 1}});
    QTest::newRow("across to the far bank") << with(d, {{&OB::a, 25}, {&OB::x, 0.3}});
    QTest::newRow("from the bank itself") << with(d, {{&OB::a, 0}, {&OB::y, 12}, {&OB::x, 2}});
}

void TestRiverModels::offBankPlumeMirroredRiverGivesTheSame()
{
    // An outfall a from one bank seen from the other bank is an outfall B − a
    // from its near bank, and the point y across is −y: the same water, the
    // same concentration. Each image term must stand behind its own bank.
    QFETCH(OB, in);
    const OB mirrored = with(in, {{&OB::a, in.b - in.a}, {&OB::y, -in.y}});
    QVERIFY(near(models::offBankPlume(mirrored), models::offBankPlume(in), 1e-13));
}

void TestRiverModels::offBankPlumeReducesToKnownCases()
{
    // An outfall in the middle of a river far wider than the plume: both
    // images vanish and the free-stream plume is left,
    // C = e^(−Kx/86400u)·(C0 + m/(2H·√(πExu))), by hand 8.841.
    const OB wide = with(plumeDefaults, {{&OB::b, 1000}, {&OB::a, 500}, {&OB::y, 0}});
    const double x = 5000;
    const double free = std::exp(-0.2 * x / (86400 * 2.0)) * (8.0 + 200 / (2 * 2 * std::sqrt(M_PI * 0.1 * x * 2.0)));
    QVERIFY(near(models::offBankPlume(wide), free, 1e-14));
    QCOMPARE(shown({{models::offBankPlume(wide), "###0.000"}}), QString("8.841"));

    // An outfall on the bank of a wide river: the direct plume and its image
    // at the near bank coincide, which is the bank outfall's doubled plume of
    // the two-dimensional window (there with π as 3.1415926).
    const OB bank = with(wide, {{&OB::a, 0}, {&OB::y, 7}});
    const TwoDimensionalRiverInput bankOutfall{0.2, 2.0, 0.1, 1000, 8.0, 2, 2.0, 100, 5, 7};
    QVERIFY(near(models::offBankPlume(bank), twoDimensionalRiver(bankOutfall).c, 1e-7));
}

void TestRiverModels::offBankPlumeRejections_data()
{
    QTest::addColumn<OB>("in");
    QTest::addColumn<QString>("shownPrompt");

    const OB &d = plumeDefaults;
    const QString outfall = prompt(outfallOutsideRiverMessage);
    const QString point = prompt(pointOutsideRiverMessage);
    QTest::newRow("outfall beyond the near bank") << with(d, {{&OB::a, -1}, {&OB::y, 0}}) << outfall;
    QTest::newRow("outfall beyond the far bank") << with(d, {{&OB::a, 31}, {&OB::y, 0}}) << outfall;
    QTest::newRow("point beyond the near bank, y < -a") << with(d, {{&OB::y, -10.01}}) << point;
    QTest::newRow("point beyond the far bank, y > B - a") << with(d, {{&OB::y, 20.01}}) << point;
    QTest::newRow("the outfall is checked first") << with(d, {{&OB::a, 40}, {&OB::y, 20.01}}) << outfall;
    QTest::newRow("the guards come before the arithmetic") << with(d, {{&OB::y, 25}, {&OB::u, 0}}) << point;
    QTest::newRow("the near bank itself is in the river") << with(d, {{&OB::y, -10}}) << "accepted";
}

void TestRiverModels::offBankPlumeRejections()
{
    QFETCH(OB, in);
    QFETCH(QString, shownPrompt);
    QCOMPARE(promptOf([&] { models::offBankPlume(in); }), shownPrompt);
}

void TestRiverModels::offBankPlumeFailures_data()
{
    QTest::addColumn<OB>("in");
    QTest::addColumn<Failure>("failure");

    const OB &d = plumeDefaults;
    QTest::newRow("at the outfall, X = 0") << with(d, {{&OB::x, 0}}) << Failure::DivisionByZero;
    QTest::newRow("still water, u = 0") << with(d, {{&OB::u, 0}}) << Failure::DivisionByZero;
    QTest::newRow("no depth, H = 0") << with(d, {{&OB::h, 0}}) << Failure::DivisionByZero;
    QTest::newRow("no diffusion, E = 0") << with(d, {{&OB::e, 0}}) << Failure::DivisionByZero;
    QTest::newRow("upstream of the outfall, root of a negative") << with(d, {{&OB::x, -1}}) << Failure::InvalidArgument;
    QTest::newRow("exponential overflows") << with(d, {{&OB::k, -1e4}, {&OB::u, 0.001}}) << Failure::Overflow;
}

void TestRiverModels::offBankPlumeFailures()
{
    QFETCH(OB, in);
    QFETCH(Failure, failure);
    QCOMPARE(failureOf([&] { models::offBankPlume(in); }), failure);
}

// ---- Instantaneous release ------------------------------------------------------

// Fields M (kg), B, h, u, Ex, K, X (km), t (h); C(X, t) ###0.0000, t* ###0.00,
// C(t*) ###0.0000.
void TestRiverModels::pulse_data()
{
    QTest::addColumn<PU>("in");
    QTest::addColumn<QString>("texts");

    const PU &d = pulseDefaults;
    QTest::newRow("the defaults give 2.7832, 5.50 h and 3.3767") << d << "2.7832 5.50 3.3767";
    QTest::newRow("long after the cloud has passed") << with(d, {{&PU::t, 12}}) << "0.0000 5.50 3.3767";
    QTest::newRow("a conservative substance") << with(d, {{&PU::k, 0}}) << "2.9259 5.50 3.5350";
    QTest::newRow("upstream of the release, against the flow")
        << with(d, {{&PU::x, -1}, {&PU::t, 1}}) << "0.0002 0.50 0.0005";
    QTest::newRow("still water without decay peaks at x²/2E")
        << with(d, {{&PU::u, 0}, {&PU::k, 0}, {&PU::x, 0.1}, {&PU::t, 0.5}}) << "11.4319 0.03 30.2463";
}

void TestRiverModels::pulse()
{
    QFETCH(PU, in);
    QFETCH(QString, texts);
    const PulseResult r = models::pulse(in);
    QCOMPARE(shown({{r.c, "###0.0000"}, {r.peakTime, "###0.00"}, {r.peak, "###0.0000"}}), texts);
    // The curves are drawn with the same concentration.
    QCOMPARE(pulseConcentration(in, in.x, in.t), r.c);
}

void TestRiverModels::pulsePeakIsTheHighestInTime_data()
{
    QTest::addColumn<PU>("in");
    const PU &d = pulseDefaults;
    QTest::newRow("the defaults") << d;
    QTest::newRow("close to the release") << with(d, {{&PU::x, 0.05}});
    QTest::newRow("fast decay, strong dispersion") << with(d, {{&PU::k, 5}, {&PU::e, 800}, {&PU::x, 30}});
    QTest::newRow("still water without decay") << with(d, {{&PU::u, 0}, {&PU::k, 0}, {&PU::x, 0.2}});
}

void TestRiverModels::pulsePeakIsTheHighestInTime()
{
    QFETCH(PU, in);
    const double hours = pulsePeakTime(in);
    const double peak = pulseConcentration(in, in.x, hours);
    for (double f : {0.9, 0.999, 1.001, 1.1})
        QVERIFY2(pulseConcentration(in, in.x, hours * f) < peak, qPrintable(QString("at %1 t*").arg(f)));
    // The time is the root as written, [−E + √(E² + w·x²)]/w, or x²/2E for w = 0.
    const double e = in.e, x = in.x * 1000, w = in.u * in.u + 4 * in.k / 86400 * e;
    const double written = w == 0 ? x * x / (2 * e) : (-e + std::sqrt(e * e + w * x * x)) / w;
    QVERIFY(near(hours * 3600, written, 1e-9));
}

void TestRiverModels::pulseConservesTheDecayedMass_data()
{
    QTest::addColumn<PU>("in");
    QTest::newRow("the defaults") << pulseDefaults;
    QTest::newRow("an hour after the release") << with(pulseDefaults, {{&PU::t, 1}});
    QTest::newRow("a day of fast decay") << PU{250, 15, 1.2, 0.8, 20, 2, 0, 24};
    QTest::newRow("still water, strong dispersion") << PU{5, 100, 4, 0, 500, 0.05, 0, 48};
}

void TestRiverModels::pulseConservesTheDecayedMass()
{
    // ∫ C·A dx over the river at time t is the mass still there, M·e^(−kt):
    // Simpson's rule over ±12 standard deviations of the cloud.
    QFETCH(PU, in);
    const double seconds = in.t * 3600;
    const double centre = in.u * seconds, sigma = std::sqrt(2 * in.e * seconds);
    const int intervals = 4000;
    const double from = centre - 12 * sigma, step = 24 * sigma / intervals;
    double sum = 0;
    for (int i = 0; i <= intervals; ++i) {
        const double weight = (i == 0 || i == intervals) ? 1 : (i % 2 ? 4 : 2);
        sum += weight * pulseConcentration(in, (from + i * step) / 1000, in.t);
    }
    const double grams = sum * step / 3 * in.b * in.h;
    const double remaining = in.m * 1000 * std::exp(-in.k / 86400 * seconds);
    QVERIFY2(near(grams, remaining, 1e-6), qPrintable(QString("%1 g against %2 g").arg(grams).arg(remaining)));
}

void TestRiverModels::pulseFailures_data()
{
    QTest::addColumn<PU>("in");
    QTest::addColumn<Failure>("failure");

    const PU &d = pulseDefaults;
    QTest::newRow("at the moment of release, t = 0") << with(d, {{&PU::t, 0}}) << Failure::DivisionByZero;
    QTest::newRow("before the release, root of a negative") << with(d, {{&PU::t, -1}}) << Failure::InvalidArgument;
    QTest::newRow("no width, B = 0") << with(d, {{&PU::b, 0}}) << Failure::DivisionByZero;
    QTest::newRow("no depth, h = 0") << with(d, {{&PU::h, 0}}) << Failure::DivisionByZero;
    QTest::newRow("no dispersion, E = 0") << with(d, {{&PU::e, 0}}) << Failure::DivisionByZero;
    QTest::newRow("the peak at the release point has no height") << with(d, {{&PU::x, 0}}) << Failure::DivisionByZero;
    QTest::newRow("exponential overflows") << with(d, {{&PU::k, -1e6}}) << Failure::Overflow;
}

void TestRiverModels::pulseFailures()
{
    QFETCH(PU, in);
    QFETCH(Failure, failure);
    QCOMPARE(failureOf([&] { models::pulse(in); }), failure);
}

// ---- Tidal reach ---------------------------------------------------------------

// Fields Ch, Qh, u, M, K, Q2, C2, X (km); C as ###0.000.
void TestRiverModels::tidalReach_data()
{
    QTest::addColumn<TR>("in");
    QTest::addColumn<QString>("c");

    const TR &d = tidalDefaults;
    QTest::newRow("X = 1 gives 0.935") << d << "0.935";
    QTest::newRow("X = -5 upstream gives 0.006") << with(d, {{&TR::x, -5}}) << "0.006";
    QTest::newRow("at the outfall, m/(Qh·N)") << with(d, {{&TR::x, 0}}) << "0.957";
    QTest::newRow("X = 10") << with(d, {{&TR::x, 10}}) << "0.763";
    QTest::newRow("the water from upstream adds its own") << with(d, {{&TR::ch, 2}}) << "2.935";
    QTest::newRow("a conservative substance is fully mixed downstream")
        << with(d, {{&TR::k, 0}, {&TR::x, 3}}) << "1.000";
    QTest::newRow("and falls off as e^(ux/M) upstream") << with(d, {{&TR::k, 0}, {&TR::x, -1}}) << "0.368";
}

void TestRiverModels::tidalReach()
{
    QFETCH(TR, in);
    QFETCH(QString, c);
    QCOMPARE(shown({{models::tidalReach(in), "###0.000"}}), c);
}

void TestRiverModels::tidalReachIsContinuousAtTheOutfall()
{
    // Both branches meet at x = 0; the upstream one takes x = 0 itself.
    const double at = models::tidalReach(with(tidalDefaults, {{&TR::x, 0}}));
    QCOMPARE(at, 1.0 / std::sqrt(1 + 4 * (0.2 / 86400) * 100 / (0.1 * 0.1)));
    // A millimetre to either side changes it by about 1e-6 of itself
    // upstream and 2e-8 downstream, far less than a factor that differed
    // between the branches would.
    QVERIFY(near(models::tidalReach(with(tidalDefaults, {{&TR::x, 1e-6}})), at, 1e-7));
    QVERIFY(near(models::tidalReach(with(tidalDefaults, {{&TR::x, -1e-6}})), at, 2e-6));
    // Upstream falls off faster than downstream: 1 + N > N − 1.
    QVERIFY(models::tidalReach(with(tidalDefaults, {{&TR::x, -1}})) < models::tidalReach(tidalDefaults));
}

void TestRiverModels::tidalReachFailures_data()
{
    QTest::addColumn<TR>("in");
    QTest::addColumn<Failure>("failure");

    const TR &d = tidalDefaults;
    QTest::newRow("no net flow, u = 0") << with(d, {{&TR::u, 0}}) << Failure::DivisionByZero;
    QTest::newRow("no river discharge, Qh = 0") << with(d, {{&TR::qh, 0}}) << Failure::DivisionByZero;
    QTest::newRow("no dispersion, M = 0") << with(d, {{&TR::m, 0}}) << Failure::DivisionByZero;
    QTest::newRow("root of a negative") << with(d, {{&TR::k, -10}}) << Failure::InvalidArgument;
    QTest::newRow("exponential overflows") << with(d, {{&TR::u, -0.1}, {&TR::x, -1e6}}) << Failure::Overflow;
}

void TestRiverModels::tidalReachFailures()
{
    QFETCH(TR, in);
    QFETCH(Failure, failure);
    QCOMPARE(failureOf([&] { models::tidalReach(in); }), failure);
}

// ---- Oxygen sag -------------------------------------------------------------------

// Fields q1, L1, DO1, q2, L2, DO2, T, K1, K2, u, X (km); L, DO (###0.00),
// tc (###0.000), xc, DOc (###0.00).
void TestRiverModels::streeterPhelps_data()
{
    QTest::addColumn<SP>("in");
    QTest::addColumn<QString>("texts");
    QTest::addColumn<bool>("atOutfall");
    QTest::addColumn<bool>("exhausted");

    const SP &d = sagDefaults;
    QTest::newRow("the defaults give 11.55, 6.20, 1.591, 68.74, 5.23")
        << d << "11.55 6.20 1.591 68.74 5.23" << false << false;
    QTest::newRow("at the outfall, the mixture itself")
        << with(d, {{&SP::x, 0}}) << "12.38 6.67 1.591 68.74 5.23" << false << false;
    QTest::newRow("K1 = K2 = 0.3") << with(d, {{&SP::k2, 0.3}}) << "11.55 6.03 2.686 116.05 3.54" << false << false;
    QTest::newRow("K1 = K2 = 0.6") << with(d, {{&SP::k1, 0.6}}) << "10.78 5.48 1.343 58.03 3.54" << false << false;
    QTest::newRow("reaeration slower than decay, K2 < K1")
        << with(d, {{&SP::k1, 0.6}, {&SP::k2, 0.3}}) << "10.78 5.28 2.002 86.48 1.62" << false << false;
    QTest::newRow("logarithm's argument below zero: the outfall is critical")
        << with(d, {{&SP::do1, 1}, {&SP::l1, 3}, {&SP::l2, 3}}) << "2.80 1.82 0.000 0.00 0.95" << true << false;
    QTest::newRow("turning point above the outfall, tc < 0: the outfall is critical")
        << with(d, {{&SP::do1, 7.42}, {&SP::l1, 3}, {&SP::l2, 3}}) << "2.80 7.14 0.000 0.00 7.07" << true << false;
    QTest::newRow("K1 = K2 with the deficit above the BOD: the outfall is critical")
        << with(d, {{&SP::k2, 0.3}, {&SP::do1, 9}, {&SP::l1, 1}, {&SP::l2, 1}, {&SP::q2, 20}})
        << "0.93 4.74 0.000 0.00 4.50" << true << false;
    QTest::newRow("oxygen exhausted at X and at the critical point")
        << with(d, {{&SP::l2, 2000}, {&SP::x, 50}}) << "69.32 -12.47 2.228 96.24 -16.07" << false << true;
    QTest::newRow("oxygen exhausted only further down, at the critical point")
        << with(d, {{&SP::l2, 2000}, {&SP::x, 1}}) << "97.42 6.03 2.228 96.24 -16.07" << false << true;
}

void TestRiverModels::streeterPhelps()
{
    QFETCH(SP, in);
    QFETCH(QString, texts);
    QFETCH(bool, atOutfall);
    QFETCH(bool, exhausted);
    const StreeterPhelpsResult r = models::streeterPhelps(in);
    const CriticalPoint &c = r.critical;
    QCOMPARE(
        shown(
            {{r.bod, "###0.00"}, {r.oxygen, "###0.00"}, {c.tc, "###0.000"}, {c.xc, "###0.00"}, {c.oxygen, "###0.00"}}),
        texts);
    QCOMPARE(c.atOutfall, atOutfall);
    QCOMPARE(r.exhausted, exhausted);
    QCOMPARE(r.saturation, 468 / (31.6 + in.t));
    // The sag curve is drawn with the same oxygen.
    QCOMPARE(oxygenAt(in, in.x).oxygen, r.oxygen);
    if (atOutfall)
        QCOMPARE(c.oxygen, oxygenMixture(in).do0);
}

void TestRiverModels::equalRatesAreTheLimitOfTheGeneralSag_data()
{
    QTest::addColumn<SP>("in");
    const SP &d = sagDefaults;
    QTest::newRow("K = 0.3 at 10 km") << with(d, {{&SP::k2, 0.3}});
    QTest::newRow("K = 0.3 past the critical point") << with(d, {{&SP::k2, 0.3}, {&SP::x, 150}});
    QTest::newRow("K = 2.5, slow river") << with(d, {{&SP::k1, 2.5}, {&SP::k2, 2.5}, {&SP::u, 0.1}});
}

void TestRiverModels::equalRatesAreTheLimitOfTheGeneralSag()
{
    // K1 = K2 is the limit of the general formulas, not a jump: with K2 a
    // millionth above or below K1 the general ones give nearly the same.
    QFETCH(SP, in);
    const StreeterPhelpsResult equal = models::streeterPhelps(in);
    for (double f : {1 - 1e-6, 1 + 1e-6}) {
        const SP general = with(in, {{&SP::k2, in.k1 * f}});
        const StreeterPhelpsResult r = models::streeterPhelps(general);
        QVERIFY2(near(r.oxygen, equal.oxygen, 1e-5),
                 qPrintable(QString("DO %1 vs %2").arg(r.oxygen).arg(equal.oxygen)));
        QVERIFY(near(oxygenAt(general, in.x).deficit, oxygenAt(in, in.x).deficit, 1e-5));
        QVERIFY2(near(r.critical.tc, equal.critical.tc, 1e-5),
                 qPrintable(QString("tc %1 vs %2").arg(r.critical.tc).arg(equal.critical.tc)));
        QVERIFY(near(r.critical.oxygen, equal.critical.oxygen, 1e-5));
    }
}

void TestRiverModels::criticalPointIsTheLowestOxygen_data()
{
    QTest::addColumn<SP>("in");
    const SP &d = sagDefaults;
    QTest::newRow("the defaults") << d;
    QTest::newRow("K1 = K2") << with(d, {{&SP::k2, 0.3}});
    QTest::newRow("K2 < K1") << with(d, {{&SP::k1, 0.6}, {&SP::k2, 0.3}});
    QTest::newRow("warm fast river") << with(d, {{&SP::t, 30}, {&SP::u, 1.2}});
}

void TestRiverModels::criticalPointIsTheLowestOxygen()
{
    // At xc the sag curve reaches DOc and lies above it on either side: tc,
    // Dc and the deficit curve belong to one another.
    QFETCH(SP, in);
    const CriticalPoint c = criticalPoint(in);
    QVERIFY(!c.atOutfall);
    QVERIFY(near(oxygenAt(in, c.xc).oxygen, c.oxygen, 1e-12));
    for (double f : {0.95, 0.999, 1.001, 1.05})
        QVERIFY2(oxygenAt(in, c.xc * f).oxygen > c.oxygen, qPrintable(QString("at %1 xc").arg(f)));
}

void TestRiverModels::streeterPhelpsFailures_data()
{
    QTest::addColumn<SP>("in");
    QTest::addColumn<Failure>("failure");

    const SP &d = sagDefaults;
    QTest::newRow("still water, u = 0") << with(d, {{&SP::u, 0}}) << Failure::DivisionByZero;
    QTest::newRow("no flow at all, 0/0") << with(d, {{&SP::q1, 0}, {&SP::q2, 0}}) << Failure::Overflow;
    QTest::newRow("saturation at T = -31.6") << with(d, {{&SP::t, -31.6}}) << Failure::DivisionByZero;
    QTest::newRow("no deoxygenation, K1 = 0") << with(d, {{&SP::k1, 0}}) << Failure::DivisionByZero;
    QTest::newRow("no BOD, L0 = 0") << with(d, {{&SP::l1, 0}, {&SP::l2, 0}}) << Failure::DivisionByZero;
    QTest::newRow("K1 = K2 = 0") << with(d, {{&SP::k1, 0}, {&SP::k2, 0}}) << Failure::DivisionByZero;
    QTest::newRow("no reaeration: the oxygen falls without a lowest point")
        << with(d, {{&SP::k2, 0}}) << Failure::InvalidArgument;
    QTest::newRow("supersaturated, K2 < K1: the oxygen falls towards saturation for ever")
        << with(d, {{&SP::k1, 0.6}, {&SP::k2, 0.3}, {&SP::do1, 30}, {&SP::l1, 1}, {&SP::l2, 1}})
        << Failure::InvalidArgument;
    QTest::newRow("exponential overflows") << with(d, {{&SP::k2, -1e4}, {&SP::x, 1e4}}) << Failure::Overflow;
}

void TestRiverModels::streeterPhelpsFailures()
{
    QFETCH(SP, in);
    QFETCH(Failure, failure);
    QCOMPARE(failureOf([&] { models::streeterPhelps(in); }), failure);
}

QTEST_GUILESS_MAIN(TestRiverModels)
#include "tst_rivermodels.moc"
