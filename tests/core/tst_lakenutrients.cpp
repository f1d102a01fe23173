// The nutrient budget of a lake or reservoir (Dillon, Vollenweider) and its
// retention coefficient, checked against hand calculations as the window shows
// them (double precision, each result's digit pattern); its guards with their
// messages; failures of the arithmetic as CalcError, never inf or NaN.

#include "core/arithmetic.h"
#include "core/lakenutrients.h"
#include "core/numbers.h"
#include "core/rejection.h"

#include "support/failure.h"

#include <QtTest>
#include <functional>

using namespace varnolek;
using namespace varnolek::lakenutrients;

using Shown = std::function<QStringList()>;
using Run = std::function<void()>;
Q_DECLARE_METATYPE(Shown)
Q_DECLARE_METATYPE(Run)
Q_DECLARE_METATYPE(varnolek::Failure)

namespace {

QString shown(double value, const char *pattern)
{
    return QString::fromStdString(formatPattern(value, Precision::Double, pattern));
}

// Each view's results as its window writes them.
Shown concentration(DillonConcentrationInput in)
{
    return [in] { return QStringList{shown(dillonConcentration(in), "###0.0000")}; };
}
Shown dillon(DillonCapacityInput in)
{
    return [in] { return QStringList{shown(dillonCapacity(in), "###0.000")}; };
}
Shown vollenweider(VollenweiderCapacityInput in)
{
    return [in] {
        const VollenweiderCapacityResult r = vollenweiderCapacity(in);
        return QStringList{shown(r.tw, "###0.00"), shown(r.w, "###0.000")};
    };
}
Shown budget(RetentionBudgetInput in)
{
    return [in] { return QStringList{shown(retentionFromBudget(in), "###0.000")}; };
}
Shown settling(RetentionSettlingInput in)
{
    return [in] { return QStringList{shown(retentionFromSettling(in), "###0.000")}; };
}

// The message and title of a rejected input; fails the test when the input is taken.
QStringList rejection(const Run &run)
{
    try {
        run();
    } catch (const InputRejected &e) {
        return {QString::fromUtf8(e.what()), QString::fromUtf8(e.title())};
    }
    return {"taken"};
}

} // namespace

class TestLakeNutrients : public QObject {
    Q_OBJECT

private slots:
    void results_data();
    void results();
    void guards_data();
    void guards();
    void failures_data();
    void failures();
};

void TestLakeNutrients::results_data()
{
    QTest::addColumn<Shown>("calculation");
    QTest::addColumn<QStringList>("texts");

    // [P] = I·(1 − R)/Qa, t/a over 亿m3/a: 20·0.4/2 × 10^6/10^8.
    QTest::newRow("Dillon concentration, default texts give 0.0400")
        << concentration({20, 0.6, 2}) << QStringList{"0.0400"};
    QTest::newRow("Dillon concentration, nothing retained") << concentration({20, 0, 2}) << QStringList{"0.1000"};
    QTest::newRow("Dillon concentration, no load") << concentration({0, 0.6, 2}) << QStringList{"0.0000"};
    QTest::newRow("Dillon concentration, R just below 1") << concentration({20, 0.999, 2}) << QStringList{"0.0001"};
    // W = Ps·Qa/(1 − R): 0.025·2·100/0.4.
    QTest::newRow("Dillon capacity, default texts give 12.500") << dillon({0.025, 0.6, 2}) << QStringList{"12.500"};
    QTest::newRow("Dillon capacity, nothing retained") << dillon({0.025, 0, 2}) << QStringList{"5.000"};
    QTest::newRow("Dillon capacity, target 0") << dillon({0, 0.6, 2}) << QStringList{"0.000"};
    QTest::newRow("Dillon capacity and concentration agree: 12.5 t/a at R 0.6 gives 0.025 mg/L")
        << concentration({12.5, 0.6, 2}) << QStringList{"0.0250"};
    // τw = V/Qa = 5 a, W = 0.025·2·100·(1 + √5).
    QTest::newRow("Vollenweider, default texts give 5.00 and 16.180")
        << vollenweider({0.025, 2, 10}) << QStringList{"5.00", "16.180"};
    QTest::newRow("Vollenweider, one year of residence takes twice Ps·Qa")
        << vollenweider({0.025, 2, 2}) << QStringList{"1.00", "10.000"};
    QTest::newRow("Vollenweider, no volume retains nothing")
        << vollenweider({0.025, 2, 0}) << QStringList{"0.00", "5.000"};
    // R = 1 − Wout/Win.
    QTest::newRow("budget, default texts give 0.600") << budget({20, 8}) << QStringList{"0.600"};
    QTest::newRow("budget, all that enters leaves") << budget({20, 20}) << QStringList{"0.000"};
    // R = vs/(vs + qs), qs = 2·10^8 m3/a over 100·10^6 m2 = 2 m/a.
    QTest::newRow("settling, default texts give 0.833") << settling({10, 2, 100}) << QStringList{"0.833"};
    QTest::newRow("settling, nothing settles") << settling({0, 2, 100}) << QStringList{"0.000"};
    QTest::newRow("settling, vs equal to qs gives one half") << settling({2, 2, 100}) << QStringList{"0.500"};
}

void TestLakeNutrients::results()
{
    QFETCH(Shown, calculation);
    QFETCH(QStringList, texts);
    QCOMPARE(calculation(), texts);
}

void TestLakeNutrients::guards_data()
{
    QTest::addColumn<Run>("run");
    QTest::addColumn<QString>("message");

    const QString retention = "滞留系数应不小于0且小于1";
    const QString outflow = "年出湖水量必须大于零";
    QTest::newRow("concentration, R = 1") << Run([] { dillonConcentration({20, 1, 2}); }) << retention;
    QTest::newRow("concentration, R < 0") << Run([] { dillonConcentration({20, -0.1, 2}); }) << retention;
    QTest::newRow("concentration, R > 1") << Run([] { dillonConcentration({20, 1.5, 2}); }) << retention;
    QTest::newRow("concentration, Qa = 0") << Run([] { dillonConcentration({20, 0.6, 0}); }) << outflow;
    QTest::newRow("concentration, Qa < 0") << Run([] { dillonConcentration({20, 0.6, -2}); }) << outflow;
    QTest::newRow("concentration, R before Qa, in the order of the fields") << Run([] {
        dillonConcentration({20, 1, 0});
    }) << retention;
    QTest::newRow("capacity, R = 1 rather than a division by zero") << Run([] {
        dillonCapacity({0.025, 1, 2});
    }) << retention;
    QTest::newRow("capacity, R < 0") << Run([] { dillonCapacity({0.025, -0.5, 2}); }) << retention;
    QTest::newRow("capacity, Qa = 0") << Run([] { dillonCapacity({0.025, 0.6, 0}); }) << outflow;
    QTest::newRow("Vollenweider, Qa = 0 rather than a division by zero") << Run([] {
        vollenweiderCapacity({0.025, 0, 10});
    }) << outflow;
    QTest::newRow("Vollenweider, Qa < 0") << Run([] { vollenweiderCapacity({0.025, -2, 10}); }) << outflow;
    QTest::newRow("budget, more leaves than enters") << Run([] { retentionFromBudget({20, 25}); }) << retention;
    QTest::newRow("budget, nothing enters rather than a division by zero") << Run([] {
        retentionFromBudget({0, 8});
    }) << retention;
    QTest::newRow("budget, negative loads whose ratio would give 0.6") << Run([] {
        retentionFromBudget({-20, -8});
    }) << retention;
    QTest::newRow("budget, nothing leaves gives R = 1") << Run([] { retentionFromBudget({20, 0}); }) << retention;
    QTest::newRow("budget, a negative outflow load") << Run([] { retentionFromBudget({20, -8}); }) << retention;
    QTest::newRow("settling, negative vs") << Run([] { retentionFromSettling({-1, 2, 100}); }) << retention;
    QTest::newRow("settling, vs = −qs rather than a division by zero") << Run([] {
        retentionFromSettling({-2, 2, 100});
    }) << retention;
    QTest::newRow("settling, Qa = 0") << Run([] { retentionFromSettling({10, 0, 100}); }) << outflow;
    QTest::newRow("settling, negative area gives R > 1") << Run([] {
        retentionFromSettling({10, 2, -100});
    }) << retention;
    QTest::newRow("settling, qs lost beside vs gives R = 1") << Run([] {
        retentionFromSettling({1e20, 2, 100});
    }) << retention;
}

// Every guard says its message under the title 提示.
void TestLakeNutrients::guards()
{
    QFETCH(Run, run);
    QFETCH(QString, message);
    QCOMPARE(rejection(run), (QStringList{message, "提示"}));
}

void TestLakeNutrients::failures_data()
{
    QTest::addColumn<Run>("run");
    QTest::addColumn<Failure>("failure");

    QTest::newRow("concentration, load overflows in g/a") << Run([] {
        dillonConcentration({1e305, 0.6, 2});
    }) << Failure::Overflow;
    QTest::newRow("capacity, outflow overflows in m3/a") << Run([] {
        dillonCapacity({0.025, 0.6, 1e301});
    }) << Failure::Overflow;
    QTest::newRow("Vollenweider, negative volume has no root") << Run([] {
        vollenweiderCapacity({0.025, 2, -10});
    }) << Failure::InvalidArgument;
    QTest::newRow("Vollenweider, residence time overflows") << Run([] {
        vollenweiderCapacity({0.025, 1e-10, 1e300});
    }) << Failure::Overflow;
    QTest::newRow("budget, ratio overflows") << Run([] { retentionFromBudget({1e-300, 1e300}); }) << Failure::Overflow;
    QTest::newRow("settling, no area") << Run([] { retentionFromSettling({10, 2, 0}); }) << Failure::DivisionByZero;
    QTest::newRow("settling, outflow overflows in m3/a") << Run([] {
        retentionFromSettling({10, 1e301, 100});
    }) << Failure::Overflow;
}

void TestLakeNutrients::failures()
{
    QFETCH(Run, run);
    QFETCH(Failure, failure);
    QCOMPARE(failureOf(run), failure);
}

QTEST_GUILESS_MAIN(TestLakeNutrients)
#include "tst_lakenutrients.moc"
