// The engine at the edges of its numbers and counts: sweep ranges near
// ±1.8E+308, grids past a billion points, statistics of values near 1e308,
// run counts at the size_t boundary, distributions that cannot draw a finite
// value, hostile saved cases, and the ordered runner when a step throws.

#include "catalogue/casefile.h"
#include "catalogue/grid.h"
#include "catalogue/montecarlo.h"
#include "catalogue/parallel.h"
#include "catalogue/statistics.h"

#include <QTest>
#include <cfloat>
#include <cmath>
#include <limits>
#include <new>
#include <stdexcept>
#include <string>

namespace {

const double dblMax = std::numeric_limits<double>::max();

// The mean and sample sd in long double, whose range holds the sums of doubles.
std::pair<double, double> reference(const std::vector<double> &values)
{
    long double sum = 0;
    for (double v : values)
        sum += v;
    const long double mean = sum / values.size();
    long double squares = 0;
    for (double v : values)
        squares += (v - mean) * (v - mean);
    return {double(mean), double(std::sqrt(squares / (values.size() - 1)))};
}

bool near(double got, double expected, double relative)
{
    if (std::isinf(expected))
        return got == expected;
    return std::fabs(got - expected) <= relative * std::fabs(expected);
}

// Why a case file is refused, or "" when it is read.
QString refusal(const std::string &bytes)
{
    try {
        catalogue::parseCaseFile(bytes);
    } catch (const catalogue::BadCaseFile &bad) {
        return QString::fromUtf8(bad.what());
    }
    return QString();
}

} // namespace

class TestBounds : public QObject {
    Q_OBJECT

private slots:
    void sweepRanges_data();
    void sweepRanges();
    void gridOfABillionPoints();
    void statisticsNearTheLargestDouble_data();
    void statisticsNearTheLargestDouble();
    void casesAtTheSizeBoundary();
    void distributionsWithoutFiniteDraws_data();
    void distributionsWithoutFiniteDraws();
    void hostileCaseFiles_data();
    void hostileCaseFiles();
    void orderedRunnerJoinsItsThreads_data();
    void orderedRunnerJoinsItsThreads();
};

void TestBounds::sweepRanges_data()
{
    QTest::addColumn<double>("from");
    QTest::addColumn<double>("to");
    QTest::addColumn<int>("n");
    QTest::addColumn<bool>("log");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("-1e308 to 1e308: the width overflows") << -1e308 << 1e308 << 3 << false << false;
    QTest::newRow("1e308 to -1e308, descending") << 1e308 << -1e308 << 3 << false << false;
    QTest::newRow("-8e307 to 8e307 in 3: 2 × the width overflows, the step does not")
        << -8e307 << 8e307 << 3 << false << true;
    QTest::newRow("-8e307 to 8e307 in 2") << -8e307 << 8e307 << 2 << false << true;
    QTest::newRow("±DBL_MAX/2: the width is DBL_MAX") << -dblMax / 2 << dblMax / 2 << 2 << false << true;
    QTest::newRow("one value at -DBL_MAX") << -dblMax << dblMax << 1 << false << true;
    QTest::newRow("0 to DBL_MAX in 1000") << 0.0 << dblMax << 1000 << false << true;
    QTest::newRow("log 1e-300 to 1e300: the ratio overflows") << 1e-300 << 1e300 << 3 << true << false;
    QTest::newRow("log 1e300 to 1e-300: the ratio underflows") << 1e300 << 1e-300 << 3 << true << false;
    QTest::newRow("log 1e-300 to 1e8") << 1e-300 << 1e8 << 50 << true << true;
    QTest::newRow("log 1 to DBL_MAX") << 1.0 << dblMax << 7 << true << true;
}

void TestBounds::sweepRanges()
{
    QFETCH(double, from);
    QFETCH(double, to);
    QFETCH(int, n);
    QFETCH(bool, log);
    QFETCH(bool, accepted);
    const catalogue::Entry &e = catalogue::entry("my1dform");
    const catalogue::Spacing spacing = log ? catalogue::Spacing::Log : catalogue::Spacing::Linear;
    const catalogue::Axis axis{"myk", from, to, n, spacing};
    const std::string problem = catalogue::checkAxis(e, axis);
    QCOMPARE(catalogue::finiteSpacing(from, to, n, spacing), accepted);
    if (!accepted) {
        QVERIFY2(problem.find("the sweep of myk") != std::string::npos &&
                     problem.find("beyond the range of numbers") != std::string::npos,
                 problem.c_str());
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument,
                                 catalogue::sweepGrid(e, catalogue::defaultCase(e), {axis}, 2,
                                                      [](const std::vector<catalogue::GridRow> &) { return true; }));
        return;
    }
    QVERIFY2(problem.empty(), problem.c_str());
    // Each value made alone is the value of the whole list, digit for digit, and finite.
    const std::vector<double> values = catalogue::spacedValues(from, to, n, spacing);
    for (int i = 0; i < n; ++i) {
        QVERIFY(std::isfinite(values[std::size_t(i)]));
        QVERIFY(values[std::size_t(i)] == catalogue::spacedValue(from, to, n, i, spacing));
    }
    QCOMPARE(values.front(), from);
    if (n > 1 && log)
        QCOMPARE(values.back(), to);
    // The sweep runs and writes each point's text.
    std::size_t rows = 0;
    QVERIFY(catalogue::sweepGrid(e, catalogue::defaultCase(e), {axis}, 2,
                                 [&](const std::vector<catalogue::GridRow> &block) {
                                     for (const catalogue::GridRow &row : block)
                                         if (row.texts.at(0) != catalogue::valueText(values.at(rows++)))
                                             return false;
                                     return true;
                                 }));
    QCOMPARE(rows, std::size_t(n));
}

void TestBounds::gridOfABillionPoints()
{
    const catalogue::Entry &e = catalogue::entry("my1dform");
    auto axis = [](const char *field, int n) {
        return catalogue::Axis{field, 0.1, 0.3, n, catalogue::Spacing::Linear};
    };
    QCOMPARE(catalogue::gridPoints({axis("myk", 40000), axis("myx", 25000)}), std::size_t(1000000000));
    QCOMPARE(catalogue::checkGrid(e, {axis("myk", 40000), axis("myx", 25000)}), std::string());
    QCOMPARE(catalogue::checkGrid(e, {axis("myk", 1000000000)}), std::string());
    const std::string tooMany = catalogue::checkGrid(e, {axis("myk", 40000), axis("myx", 25001)});
    QCOMPARE(tooMany, std::string("the grid of 40000 × 25001 points is larger than 1000000000 points"));
    // Three axes of a billion would wrap a 64-bit count; the count stops above the bound.
    QCOMPARE(catalogue::gridPoints({axis("myk", 1000000000), axis("myx", 1000000000), axis("mye", 1000000000)}),
             catalogue::maxGridPoints + 1);
    QVERIFY(catalogue::checkGrid(e, {axis("myk", 3), axis("myk", 4)}).find("stands twice") != std::string::npos);
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument,
                             catalogue::sweepGrid(e, catalogue::defaultCase(e),
                                                  {axis("myk", 1000000000), axis("myx", 1000000000)}, 1,
                                                  [](const std::vector<catalogue::GridRow> &) { return true; }));
}

void TestBounds::statisticsNearTheLargestDouble_data()
{
    QTest::addColumn<std::vector<double>>("values");
    std::vector<double> spread;
    for (int i = 0; i < 1000; ++i)
        spread.push_back(1e307 + (1.7e308 - 1e307) / 999 * i);
    QTest::newRow("1e307 to 1.7e308: the sum overflows") << spread;
    QTest::newRow("every value DBL_MAX") << std::vector<double>(50, dblMax);
    QTest::newRow("-DBL_MAX and DBL_MAX: the sd is beyond a double")
        << std::vector<double>{-dblMax, dblMax, -dblMax, dblMax};
    QTest::newRow("1e160: the squares overflow") << std::vector<double>{1e160, 2e160, 3e160, 4e160};
    QTest::newRow("mixed signs near -1e308") << std::vector<double>{-1.7e308, -1.6e308, -1e308, 5, 1e-300};
    QTest::newRow("ordinary values") << std::vector<double>{4, 1, 3, 2, 2.5};
}

void TestBounds::statisticsNearTheLargestDouble()
{
    QFETCH(std::vector<double>, values);
    const auto [mean, sd] = reference(values);
    std::vector<double> taken = values;
    const auto s = catalogue::summarize(taken);
    QVERIFY(s);
    QVERIFY2(near(s->mean, mean, 1e-12), qPrintable(QString("mean %1, expected %2").arg(s->mean).arg(mean)));
    QVERIFY2(near(s->sd, sd, 1e-12), qPrintable(QString("sd %1, expected %2").arg(s->sd).arg(sd)));
    QVERIFY(s->mean >= s->min && s->mean <= s->max);
    // The percentiles lie between the extremes and in order, each a finite number.
    const double p[] = {s->min, s->p5, s->p25, s->p50, s->p75, s->p95, s->max};
    for (std::size_t i = 0; i < std::size(p); ++i) {
        QVERIFY(std::isfinite(p[i]));
        if (i > 0)
            QVERIFY(p[i - 1] <= p[i]);
    }
    std::vector<double> sorted = values;
    std::sort(sorted.begin(), sorted.end());
    QCOMPARE(s->p50, catalogue::percentile(sorted, 0.5));
}

void TestBounds::casesAtTheSizeBoundary()
{
    const catalogue::Entry &e = catalogue::entry("my1dform");
    std::string error;
    const auto varied = catalogue::parseVaried(e, "myk", error);
    QVERIFY(varied);
    catalogue::MonteCarloSettings settings;
    // Counted in blocks of 4096, N + 4095 would wrap to a few cases: refused instead.
    for (std::size_t n : {std::numeric_limits<std::size_t>::max(), std::numeric_limits<std::size_t>::max() - 4094,
                          catalogue::maxMonteCarloCases + 1}) {
        settings.cases = n;
        QVERIFY_THROWS_EXCEPTION(std::length_error,
                                 catalogue::monteCarlo(e, catalogue::defaultCase(e), {*varied}, settings));
        QVERIFY_THROWS_EXCEPTION(
            std::length_error,
            catalogue::monteCarloCases(e, catalogue::defaultCase(e), {*varied}, settings,
                                       [](const std::vector<catalogue::DrawnCase> &) { return false; }));
    }
    // The last block of a run is whole: one case past a block runs that case.
    settings.cases = 4097;
    std::size_t drawn = 0;
    QVERIFY(catalogue::monteCarloCases(e, catalogue::defaultCase(e), {*varied}, settings,
                                       [&](const std::vector<catalogue::DrawnCase> &cases) {
                                           drawn += cases.size();
                                           return true;
                                       }));
    QCOMPARE(drawn, std::size_t(4097));
}

void TestBounds::distributionsWithoutFiniteDraws_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("uniform over ±1e308") << "uniform:-1e308:1e308"
                                         << "b − a";
    QTest::newRow("uniform over ±DBL_MAX") << "uniform:-1.7976931348623157e308:1.7976931348623157e308"
                                           << "b − a";
    QTest::newRow("lognormal mu 800") << "lognormal:800:1"
                                      << "no finite draw";
    QTest::newRow("lognormal mu 720, sigma 1") << "lognormal:720:1"
                                               << "no finite draw";
    QTest::newRow("triangular over ±1e308") << "triangular:-1e308:0:1e308"
                                            << "no finite draw";
    QTest::newRow("triangular whose square overflows") << "triangular:0:1e200:1e200"
                                                       << "no finite draw";
    QTest::newRow("lognormal mu 700: most draws finite") << "lognormal:700:1"
                                                         << "";
    QTest::newRow("lognormal of a wide sigma") << "lognormal:0:1e300"
                                               << "";
    QTest::newRow("normal of a huge sd") << "normal:0:1e308"
                                         << "";
    QTest::newRow("uniform over half the range") << "uniform:-8e307:8e307"
                                                 << "";
}

void TestBounds::distributionsWithoutFiniteDraws()
{
    QFETCH(QString, text);
    QFETCH(QString, refusal);
    std::string error;
    const auto d = catalogue::parseDistribution(text.toStdString(), error);
    if (!refusal.isEmpty()) {
        QVERIFY(!d);
        QVERIFY2(QString::fromStdString(error).contains(refusal), error.c_str());
        return;
    }
    QVERIFY2(d, error.c_str());
    std::mt19937_64 generator(7);
    int finite = 0;
    for (int i = 0; i < 1000; ++i)
        finite += std::isfinite(d->draw(generator));
    QVERIFY2(finite > 100, qPrintable(QString::number(finite)));
}

void TestBounds::hostileCaseFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("refusal");
    const QByteArray head = R"({"program":"Varnolek","format":1,"calculation":"my1dform",)";
    QTest::newRow("a number beyond a double") << QByteArray(R"({"x":1e400})") << "文件中有超出数值范围的数";
    QTest::newRow("a negative number beyond a double") << head + R"("fields":{},"n":-1e400})"
                                                       << "文件中有超出数值范围的数";
    QTest::newRow("program twice")
        << QByteArray(R"({"program":"Other","program":"Varnolek","format":1,"calculation":"my1dform"})")
        << "名称“program”在同一对象中出现了两次";
    QTest::newRow("a field twice") << head + R"("fields":{"myk":"0.1","myk":"0.3"}})"
                                   << "名称“myk”在同一对象中出现了两次";
    QTest::newRow("the same name in two objects") << head + R"("fields":{"myk":"0.1"},"results":{"myk":"x"}})"
                                                  << "计算“my1dform”没有结果“myk”";
    QTest::newRow("format past 2^64") << QByteArray(R"({"program":"Varnolek","format":100000000000000000000})")
                                      << "算例格式版本无效";
    QTest::newRow("format 2^64 - 1") << QByteArray(R"({"program":"Varnolek","format":18446744073709551615})")
                                     << "算例格式版本无效";
    QTest::newRow("nested past any depth") << QByteArray(200000, '[') << "文件内容不是 JSON 格式";
    QTest::newRow("a case, read") << head + R"("fields":{"myk":"0.3"},"results":{}})"
                                  << "";
}

void TestBounds::hostileCaseFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, refusal);
    // Only BadCaseFile comes out: anything else would fail this test.
    QCOMPARE(::refusal(bytes.toStdString()), refusal);
}

void TestBounds::orderedRunnerJoinsItsThreads_data()
{
    QTest::addColumn<QString>("step");
    QTest::addColumn<unsigned>("threads");
    for (unsigned threads : {1u, 2u, 5u})
        for (const char *step : {"prepare", "work", "deliver", "prepare out of memory"})
            QTest::addRow("%s throws, %u threads", step, threads) << QString(step) << threads;
}

void TestBounds::orderedRunnerJoinsItsThreads()
{
    // A joinable thread left behind ends the process: reaching the checks
    // after the throw is the test.
    QFETCH(QString, step);
    QFETCH(unsigned, threads);
    struct Block {
        int number = 0;
    };
    int next = 0, delivered = 0;
    auto prepare = [&](Block &b) {
        if (next == 40 && step == "prepare")
            throw std::runtime_error("prepare");
        if (next == 40 && step == "prepare out of memory")
            throw std::bad_alloc();
        if (next == 100)
            return false;
        b.number = next++;
        return true;
    };
    auto work = [&](Block &b) {
        if (b.number == 30 && step == "work")
            throw std::runtime_error("work");
    };
    auto deliver = [&](Block &b) {
        if (b.number == 20 && step == "deliver")
            throw std::runtime_error("deliver");
        if (b.number != delivered)
            throw std::logic_error("a block delivered out of order");
        ++delivered;
        return true;
    };
    QString caught;
    try {
        catalogue::runOrdered<Block>(threads, prepare, work, deliver);
    } catch (const std::bad_alloc &) {
        caught = "prepare out of memory";
    } catch (const std::runtime_error &e) {
        caught = e.what();
    }
    QCOMPARE(caught, step);
    // Blocks before the one that threw were delivered in order.
    QVERIFY(delivered <= 40);
    if (step == "deliver")
        QCOMPARE(delivered, 20);
    // And the runner runs again on the same thread, with new workers.
    next = 0;
    delivered = 0;
    catalogue::runOrdered<Block>(
        threads, [&](Block &b) { return next < 100 ? (b.number = next++, true) : false; }, [](Block &) {},
        [&](Block &b) { return b.number == delivered++; });
    QCOMPARE(delivered, 100);
}

QTEST_GUILESS_MAIN(TestBounds)
#include "tst_bounds.moc"
