// The distribution a field is switched to in an uncertainty run, made from
// its value: the parameters of each kind, the lognormal's moments, the
// parameters' names; the drawn values below 0 a run counts; and a number
// written with its output's digit pattern.

#include "catalogue/montecarlo.h"
#include "catalogue/sweep.h"

#include <QTest>
#include <cmath>

using catalogue::Distribution;

Q_DECLARE_METATYPE(Distribution::Kind)

class TestDistributionSwitch : public QObject {
    Q_OBJECT

private slots:
    void parametersFromTheValue_data();
    void parametersFromTheValue();
    void lognormalKeepsTheNormalsMoments_data();
    void lognormalKeepsTheNormalsMoments();
    void lognormalOfAValueNotAboveZero_data();
    void lognormalOfAValueNotAboveZero();
    void parameterNames();
    void negativeDrawsAreCounted();
    void negativeRangeOfALabel();
    void outputTextUsesTheOutputsPattern();
};

void TestDistributionSwitch::parametersFromTheValue_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<double>("v");
    QTest::addColumn<Distribution::Kind>("kind");
    QTest::addColumn<double>("p1");
    QTest::addColumn<double>("p2");
    QTest::addColumn<double>("p3");
    const QString k = "水质降解系数K(0.02-0.5 1/d)", flow = "上游来水流量(m3/s)";
    QTest::newRow("uniform over the printed range") << k << 0.2 << Distribution::Uniform << 0.02 << 0.5 << 0.0;
    QTest::newRow("uniform ±20 % without a range")
        << flow << 5000.0 << Distribution::Uniform << 4000.0 << 6000.0 << 0.0;
    QTest::newRow("uniform 0 to 1 for 0") << flow << 0.0 << Distribution::Uniform << 0.0 << 1.0 << 0.0;
    QTest::newRow("uniform ±20 % of |v| below 0") << flow << -3.0 << Distribution::Uniform << -3.6 << -2.4 << 0.0;
    QTest::newRow("normal: mean v, sd 10 %") << flow << 5000.0 << Distribution::Normal << 5000.0 << 500.0 << 0.0;
    QTest::newRow("normal below 0: sd of |v|") << flow << -3.0 << Distribution::Normal << -3.0 << 0.3 << 0.0;
    QTest::newRow("normal of 0: sd 10 % of the uniform's width")
        << flow << 0.0 << Distribution::Normal << 0.0 << 0.1 << 0.0;
    QTest::newRow("normal of 0 with a range") << k << 0.0 << Distribution::Normal << 0.0 << 0.048 << 0.0;
    QTest::newRow("triangular over the range, mode v") << k << 0.2 << Distribution::Triangular << 0.02 << 0.2 << 0.5;
    QTest::newRow("triangular over ±20 %") << flow << 5000.0 << Distribution::Triangular << 4000.0 << 5000.0 << 6000.0;
    QTest::newRow("triangular widened to a value beyond the range")
        << k << 0.7 << Distribution::Triangular << 0.02 << 0.7 << 0.7;
    QTest::newRow("triangular of 0: 0 to 1 with the mode at 0")
        << flow << 0.0 << Distribution::Triangular << 0.0 << 0.0 << 1.0;
}

void TestDistributionSwitch::parametersFromTheValue()
{
    QFETCH(QString, label);
    QFETCH(double, v);
    QFETCH(Distribution::Kind, kind);
    QFETCH(double, p1);
    QFETCH(double, p2);
    QFETCH(double, p3);
    const std::string text = label.toStdString();
    const catalogue::Field field("f", text, "0", catalogue::labelUnit(text), catalogue::labelRange(text));
    std::string why;
    const auto d = catalogue::distributionFrom(field, v, kind, why);
    QVERIFY2(d, why.c_str());
    QVERIFY(why.empty());
    QCOMPARE(d->kind, kind);
    const auto near = [](double a, double b) { return std::abs(a - b) <= 1e-12 * std::max(1.0, std::abs(b)); };
    QVERIFY2(near(d->p1, p1) && near(d->p2, p2) && near(d->p3, p3),
             qPrintable(QString("%1 %2 %3").arg(d->p1).arg(d->p2).arg(d->p3)));
    // Every distribution made can be drawn from.
    QCOMPARE(QString::fromStdString(catalogue::checkDistribution(*d)), QString());
}

void TestDistributionSwitch::lognormalKeepsTheNormalsMoments_data()
{
    QTest::addColumn<double>("v");
    QTest::newRow("a flow of 5000") << 5000.0;
    QTest::newRow("a coefficient of 0.2") << 0.2;
    QTest::newRow("a concentration of 1e-6") << 1e-6;
}

void TestDistributionSwitch::lognormalKeepsTheNormalsMoments()
{
    // exp(μ + σ²/2) is the mean and its sd is the mean times √(exp σ² − 1):
    // v and 10 % of it, as the normal has. A run's draws show the same.
    QFETCH(double, v);
    const catalogue::Field field("f", "流量(m3/s)", "0", "m3/s");
    std::string why;
    const auto d = catalogue::distributionFrom(field, v, Distribution::Lognormal, why);
    QVERIFY2(d, why.c_str());
    const double mean = std::exp(d->p1 + d->p2 * d->p2 / 2);
    const double sd = mean * std::sqrt(std::expm1(d->p2 * d->p2));
    QVERIFY(std::abs(mean - v) <= 1e-12 * v);
    QVERIFY(std::abs(sd - 0.1 * v) <= 1e-12 * v);

    std::mt19937_64 generator(7);
    double sum = 0, squares = 0;
    const int n = 200000;
    for (int i = 0; i < n; ++i) {
        const double x = d->draw(generator);
        sum += x;
        squares += x * x;
    }
    const double drawnMean = sum / n, drawnSd = std::sqrt(squares / n - drawnMean * drawnMean);
    QVERIFY2(std::abs(drawnMean / v - 1) < 0.002, qPrintable(QString::number(drawnMean)));
    QVERIFY2(std::abs(drawnSd / (0.1 * v) - 1) < 0.02, qPrintable(QString::number(drawnSd)));
}

void TestDistributionSwitch::lognormalOfAValueNotAboveZero_data()
{
    QTest::addColumn<double>("v");
    QTest::newRow("0") << 0.0;
    QTest::newRow("-3") << -3.0;
}

void TestDistributionSwitch::lognormalOfAValueNotAboveZero()
{
    QFETCH(double, v);
    const catalogue::Field field("myq0", "上游来水流量(m3/s)", "0", "m3/s");
    std::string why;
    QVERIFY(!catalogue::distributionFrom(field, v, Distribution::Lognormal, why));
    // Says what and why, by the quantity's name.
    const QString text = QString::fromStdString(why);
    QVERIFY2(text.contains("上游来水流量") && text.contains("不大于 0") && text.contains("均匀分布"), qPrintable(text));
    // The other kinds still take the value.
    QVERIFY(catalogue::distributionFrom(field, v, Distribution::Uniform, why));
}

void TestDistributionSwitch::parameterNames()
{
    const auto joined = [](Distribution::Kind kind) {
        QStringList names;
        for (const std::string &n : catalogue::parameterNames(kind))
            names << QString::fromStdString(n);
        return names.join('/');
    };
    QCOMPARE(joined(Distribution::Uniform), QString("下限/上限"));
    QCOMPARE(joined(Distribution::Normal), QString("均值/标准差"));
    QCOMPARE(joined(Distribution::Triangular), QString("最小值/最可能值/最大值"));
    QCOMPARE(joined(Distribution::Lognormal), QString("对数均值/对数标准差"));
}

void TestDistributionSwitch::negativeDrawsAreCounted()
{
    // A flow normal about 1 with sd 1 goes below 0 in about 16 % of the
    // cases; the uniform beside it never. The counts are those of the drawn
    // cases themselves, in any number of threads.
    const catalogue::Entry &e = catalogue::entry("my0dform/section");
    const catalogue::Case base = catalogue::defaultCase(e);
    const std::vector<catalogue::Varied> varied{{"myq1", {Distribution::Normal, 1, 1, 0}},
                                                {"myc2", {Distribution::Uniform, 40, 60, 0}}};
    catalogue::MonteCarloSettings settings;
    settings.cases = 10000;
    settings.seed = 3;
    std::size_t negative = 0;
    catalogue::monteCarloCases(e, base, varied, settings, [&](const std::vector<catalogue::DrawnCase> &rows) {
        for (const catalogue::DrawnCase &row : rows)
            negative += row.texts[0].front() == '-';
        return true;
    });
    QVERIFY(negative > 1400 && negative < 1800);
    for (unsigned threads : {1u, 3u}) {
        settings.threads = threads;
        const auto result = catalogue::monteCarlo(e, base, varied, settings);
        QVERIFY(result);
        QCOMPARE(result->negativeDraws, (std::vector<std::size_t>{negative, 0}));
    }
}

void TestDistributionSwitch::negativeRangeOfALabel()
{
    QVERIFY(!catalogue::mayBeNegative(
        catalogue::Field("myk", "水质降解系数K(0.02-0.5 1/d)", "0.2", "1/d", catalogue::Range{0.02, 0.5})));
    QVERIFY(!catalogue::mayBeNegative(catalogue::Field("myq0", "上游来水流量(m3/s)", "200", "m3/s")));
    QVERIFY(catalogue::mayBeNegative(catalogue::Field("t", "水温(-5-35 ℃)", "20", "℃", catalogue::Range{-5, 35})));
}

void TestDistributionSwitch::outputTextUsesTheOutputsPattern()
{
    const catalogue::Entry &river = catalogue::entry("my1dform");
    QCOMPARE(river.main().pattern, std::string("###0.00"));
    QCOMPARE(catalogue::outputText(river.main(), 8.7), std::string("8.70"));
    QCOMPARE(catalogue::outputText(river.main(), 8.494), std::string("8.49"));
    QCOMPARE(catalogue::outputText(river.main(), -1234.5678), std::string("-1234.57"));
    // A general single-precision output: seven digits, no trailing zeros.
    const catalogue::Output &industry = *catalogue::entry("mycontrolV/estimate").output("myw3");
    QCOMPARE(catalogue::outputText(industry, 2602.04081632653), std::string("2602.041"));
}

QTEST_GUILESS_MAIN(TestDistributionSwitch)
#include "tst_distributionswitch.moc"
