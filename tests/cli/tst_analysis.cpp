// Sweeps and Monte Carlo runs: the engine in the catalogue and varnolek-calc's
// --sweep, --monte-carlo and --threads, and the batch on several threads.

#include "catalogue/grid.h"
#include "catalogue/montecarlo.h"
#include "catalogue/statistics.h"
#include "cli/csv.h"
#include "cli/runner.h"
#include "support/runcli.h"

#include "core/numbers.h"

#include <QTest>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>

namespace {

struct Run {
    int status;
    std::string out;
    std::string err;
};

Run calc(const std::vector<std::string> &args, const std::string &input = {})
{
    QStringList list;
    for (const std::string &arg : args)
        list << QString::fromStdString(arg);
    const CliResult r = runCli(list, QByteArray::fromStdString(input));
    return {r.status, r.out.toStdString(), r.err.toStdString()};
}

// The records of a CSV text.
std::vector<std::vector<std::string>> records(const std::string &csv)
{
    std::vector<std::vector<std::string>> rows;
    cli::CsvRecords reader(csv, 1);
    std::vector<std::string_view> fields;
    std::string error;
    while (reader.next(fields, error))
        rows.emplace_back(fields.begin(), fields.end());
    return rows;
}

// A statistic of a Monte Carlo summary: the row of an output, the column of a name.
double statistic(const std::string &csv, const std::string &output, const std::string &name)
{
    const auto rows = records(csv);
    const auto &header = rows.at(0);
    const auto column = std::find(header.begin(), header.end(), name) - header.begin();
    for (const auto &row : rows)
        if (row.at(0) == output)
            return std::stod(row.at(std::size_t(column)));
    throw std::runtime_error("no row " + output);
}

// A field of an entry that a sweep may move: the first with a range, else
// the first whose default text is a number other than zero.
const catalogue::Field *sweptField(const catalogue::Entry &e)
{
    for (const catalogue::Field &f : e.fields)
        if (f.range)
            return &f;
    for (const catalogue::Field &f : e.fields)
        if (!f.defaultText.empty() && std::atof(f.defaultText.c_str()) != 0)
            return &f;
    return nullptr;
}

} // namespace

class TestAnalysis : public QObject {
    Q_OBJECT

private slots:
    void sweepRowEqualsSingleCase_data();
    void sweepRowEqualsSingleCase();
    void gridAndSpacing_data();
    void gridAndSpacing();
    void monteCarloMatchesAnalyticStatistics_data();
    void monteCarloMatchesAnalyticStatistics();
    void statisticsOfComputedValues();
    void sameOutputInAnyThreadCount_data();
    void sameOutputInAnyThreadCount();
    void batchBlocksKeepLinesAndOrder();
    void failedCasesAreCountedAndLeftOut();
    void balanceRowOfLoadCalculations();
    void usageErrors_data();
    void usageErrors();
    void percentilesAsASpreadsheet();
};

void TestAnalysis::sweepRowEqualsSingleCase_data()
{
    QTest::addColumn<QString>("id");
    for (const catalogue::Entry &e : catalogue::entries())
        if (e.sweepable) // a series of its own data file is not swept
            QTest::newRow(e.id.c_str()) << QString::fromStdString(e.id);
}

void TestAnalysis::sweepRowEqualsSingleCase()
{
    QFETCH(QString, id);
    const catalogue::Entry &e = catalogue::entry(id.toStdString());
    const catalogue::Field *field = sweptField(e);
    QVERIFY(field);
    const double value = field->range ? field->range->low : std::atof(field->defaultText.c_str());
    const double to = field->range ? field->range->high : 3 * value;
    const std::string axis = field->name + "=" + catalogue::valueText(value) + ":" + catalogue::valueText(to) + ":7";
    const Run sweep = calc({e.id, "--sweep", axis, "--threads", "2"});
    QCOMPARE(sweep.status, 0);
    const auto rows = records(sweep.out);
    QCOMPARE(rows.size(), std::size_t(8));
    QCOMPARE(rows[0].at(0), field->name);
    for (std::size_t r = 1; r < rows.size(); ++r) {
        const std::vector<std::string> &row = rows[r];
        QCOMPARE(row.size(), e.outputs.size() + 2);
        // The row equals the single case typed with the row's text.
        const Run single = calc({e.id, field->name + "=" + row[0]});
        std::string expected;
        if (single.status == 0) {
            for (std::size_t o = 0; o < e.outputs.size(); ++o)
                expected += e.outputs[o].name + "=" + row[o + 1] + "\n";
            QCOMPARE(row.back(), std::string());
        } else {
            QCOMPARE(row.back() + "\n", single.err);
        }
        QCOMPARE(single.out, expected);
    }
    // The row's text is the general decimal text of the spaced value.
    QCOMPARE(rows[1][0], catalogue::valueText(value));
    QCOMPARE(rows[7][0], catalogue::valueText(to));
}

void TestAnalysis::gridAndSpacing_data()
{
    QTest::addColumn<QStringList>("sweeps");
    QTest::addColumn<QStringList>("first");
    QTest::addColumn<QStringList>("second");
    QTest::newRow("grid: first slowest") << QStringList{"myk=0.1:0.3:3", "myx=1:2:2"}
                                         << QStringList{"0.1", "0.1", "0.2", "0.2", "0.3", "0.3"}
                                         << QStringList{"1", "2", "1", "2", "1", "2"};
    QTest::newRow("log spacing") << QStringList{"mye=0.01:100:5:log"}
                                 << QStringList{"0.01", "0.1", "1", "10", "100"} << QStringList{};
    QTest::newRow("one value is FROM") << QStringList{"myk=0.25:0.5:1"} << QStringList{"0.25"} << QStringList{};
    QTest::newRow("linear, descending") << QStringList{"myx=10:0:5"} << QStringList{"10", "7.5", "5", "2.5", "0"}
                                        << QStringList{};
}

void TestAnalysis::gridAndSpacing()
{
    QFETCH(QStringList, sweeps);
    QFETCH(QStringList, first);
    QFETCH(QStringList, second);
    std::vector<std::string> args{"my1dform"};
    for (const QString &s : sweeps) {
        args.push_back("--sweep");
        args.push_back(s.toStdString());
    }
    const Run run = calc(args);
    QCOMPARE(run.status, 0);
    const auto rows = records(run.out);
    QCOMPARE(rows.size(), std::size_t(first.size() + 1));
    for (int i = 0; i < first.size(); ++i) {
        QCOMPARE(QString::fromStdString(rows[std::size_t(i) + 1][0]), first[i]);
        if (!second.isEmpty())
            QCOMPARE(QString::fromStdString(rows[std::size_t(i) + 1][1]), second[i]);
    }
}

void TestAnalysis::monteCarloMatchesAnalyticStatistics_data()
{
    // The section mixing of my0dform, C = (Q1·C1 + Q2·C2) / (Q1 + Q2), is
    // linear in C2: with Q1 = 50, C1 = 6, Q2 = 2, C = (300 + 2·C2) / 52.
    QTest::addColumn<QString>("distribution");
    QTest::addColumn<double>("mean");
    QTest::addColumn<double>("p5");
    QTest::addColumn<double>("p50");
    QTest::addColumn<double>("p95");
    auto c = [](double c2) { return (300 + 2 * c2) / 52; };
    QTest::newRow("uniform") << "uniform:50:150" << c(100) << c(55) << c(100) << c(145);
    QTest::newRow("normal") << "normal:100:20" << c(100) << c(100 - 1.6448536 * 20) << c(100)
                            << c(100 + 1.6448536 * 20);
    // Mode at a: F(x) = 1 − ((b − x) / (b − a))², so x_p = b − (b − a)·√(1 − p).
    QTest::newRow("triangular") << "triangular:50:50:150" << c(50 + 100.0 / 3) << c(150 - 100 * std::sqrt(0.95))
                                << c(150 - 100 * std::sqrt(0.5)) << c(150 - 100 * std::sqrt(0.05));
    QTest::newRow("lognormal") << "lognormal:4.6:0.1" << c(std::exp(4.6 + 0.005)) << c(std::exp(4.6 - 0.16448536))
                               << c(std::exp(4.6)) << c(std::exp(4.6 + 0.16448536));
}

void TestAnalysis::monteCarloMatchesAnalyticStatistics()
{
    QFETCH(QString, distribution);
    QFETCH(double, mean);
    QFETCH(double, p5);
    QFETCH(double, p50);
    QFETCH(double, p95);
    const Run run = calc({"my0dform/section", "--monte-carlo", "200000", "--vary",
                            "myc2=" + distribution.toStdString()});
    QCOMPARE(run.status, 0);
    QCOMPARE(records(run.out).at(0).size(), std::size_t(11));
    const double tolerance = 0.01;
    QVERIFY(std::fabs(statistic(run.out, "Text2", "mean") / mean - 1) < tolerance);
    QVERIFY(std::fabs(statistic(run.out, "Text2", "p5") / p5 - 1) < tolerance);
    QVERIFY(std::fabs(statistic(run.out, "Text2", "p50") / p50 - 1) < tolerance);
    QVERIFY(std::fabs(statistic(run.out, "Text2", "p95") / p95 - 1) < tolerance);
    QCOMPARE(statistic(run.out, "Text2", "failed"), 0.0);
}

void TestAnalysis::statisticsOfComputedValues()
{
    // A total phosphorus of a few hundredths mg/L, written with two decimals:
    // every case shows 0.03, yet the concentration spreads. C = (Q1·C1 +
    // Q2·C2) / (Q1 + Q2) with Q1 = 50, C1 = 0.03, Q2 = 2, C2 uniform on
    // 0.02 to 0.06.
    const std::vector<std::string> args{"my0dform/section", "--monte-carlo", "100000", "--seed", "3",
                                        "--vary", "myc2=uniform:0.02:0.06", "myc1=0.03"};
    const Run computed = calc(args);
    QCOMPARE(computed.status, 0);
    // An independent sample of the same distribution, worked here in double.
    std::mt19937_64 generator(12345);
    std::uniform_real_distribution<double> c2(0.02, 0.06);
    double sum = 0, squares = 0;
    constexpr int n = 100000;
    for (int i = 0; i < n; ++i) {
        const double c = (50 * 0.03 + 2 * c2(generator)) / 52;
        sum += c;
        squares += c * c;
    }
    const double mean = sum / n, sd = std::sqrt((squares - n * mean * mean) / (n - 1));
    // Within four standard errors of the mean, and the spread within 2 %.
    QVERIFY(std::fabs(statistic(computed.out, "Text2", "mean") - mean) < 4 * sd / std::sqrt(double(n)) * 1.5);
    QVERIFY(std::fabs(statistic(computed.out, "Text2", "sd") / sd - 1) < 0.02);
    // The spread lies below the pattern's last digit and is still seen.
    QVERIFY(statistic(computed.out, "Text2", "sd") > 0);
    QVERIFY(statistic(computed.out, "Text2", "sd") < 0.005);
    // The values as shown have no spread at all.
    std::vector<std::string> asShown = args;
    asShown.push_back("--as-shown");
    const Run shown = calc(asShown);
    QCOMPARE(shown.status, 0);
    QCOMPARE(statistic(shown.out, "Text2", "sd"), 0.0);
    QCOMPARE(statistic(shown.out, "Text2", "mean"), 0.03);
}

void TestAnalysis::sameOutputInAnyThreadCount_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("monte carlo") << QStringList{"my2dform", "--monte-carlo", "30000", "--seed", "5", "--vary", "myk",
                                                "--vary", "mye", "--vary", "myu=normal:2:0.3"};
    QTest::newRow("monte carlo rows") << QStringList{"MYLFORM", "--monte-carlo", "9000", "--vary",
                                                     "myc=triangular:-1:5:9", "--rows"};
    QTest::newRow("sweep grid") << QStringList{"my1dform", "--sweep", "myk=0.02:0.5:100", "--sweep",
                                               "myx=0:50:60"};
}

void TestAnalysis::sameOutputInAnyThreadCount()
{
    QFETCH(QStringList, args);
    std::vector<std::string> a;
    for (const QString &s : args)
        a.push_back(s.toStdString());
    std::vector<std::string> outputs;
    for (const char *threads : {"1", "2", "7"}) {
        std::vector<std::string> withThreads = a;
        withThreads.push_back("--threads");
        withThreads.push_back(threads);
        const Run run = calc(withThreads);
        QCOMPARE(run.status, 0);
        outputs.push_back(run.out);
    }
    QVERIFY(outputs[0].size() > 100);
    QCOMPARE(outputs[1], outputs[0]);
    QCOMPARE(outputs[2], outputs[0]);
}

void TestAnalysis::batchBlocksKeepLinesAndOrder()
{
    // Enough rows for many blocks, with quoted fields across lines, doubled
    // quotes, malformed rows and blank lines spread through them.
    std::string input = "\xEF\xBB\xBFmyx,myk\r\n";
    int line = 2;
    int malformedLine = 0;
    for (int i = 0; i < 40000; ++i) {
        if (i % 997 == 3) {
            input += "\"1\n0\",\"0.\"\"2\"\n"; // a field over two lines
            line += 2;
        } else if (i == 31000) {
            malformedLine = line;
            input += "1,2\"x\n";
            ++line;
        } else if (i % 1500 == 7) {
            input += "\n";
            ++line;
        } else {
            input += std::to_string(i % 50) + "." + std::to_string(i % 7) + "," + "0." + std::to_string(i % 9 + 1) +
                     (i % 2 ? "\r\n" : "\n");
            ++line;
        }
    }
    input += "7,0.3"; // no line break at the end
    const Run one = calc({"my1dform", "--csv", "-", "--threads", "1"}, input);
    QCOMPARE(one.status, 0);
    const std::string expected =
        "1,2,,,malformed CSV row at line " + std::to_string(malformedLine) + ": a quote inside an unquoted field\n";
    QVERIFY(one.out.find(expected) != std::string::npos);
    QVERIFY(one.out.size() > 4 * (1 << 17)); // several blocks
    const auto rows = records(one.out);
    QCOMPARE(rows.back().at(0), std::string("7"));
    QCOMPARE(rows.back().at(2), std::string("9.88"));
    for (const char *threads : {"2", "7"}) {
        const Run many = calc({"my1dform", "--csv", "-", "--threads", threads}, input);
        QCOMPARE(many.status, 0);
        QVERIFY(many.out == one.out);
    }
}

void TestAnalysis::failedCasesAreCountedAndLeftOut()
{
    // The transition zone takes ln(C0 / C): a drawn C at or below zero fails.
    const std::vector<std::string> args{"MYLFORM", "--monte-carlo", "5000", "--vary", "myc=uniform:-4:8"};
    const Run stats = calc(args);
    QCOMPARE(stats.status, 0);
    std::vector<std::string> withRows = args;
    withRows.push_back("--rows");
    const Run rows = calc(withRows);
    QCOMPARE(rows.status, 0);
    int failed = 0;
    double smallest = 1e300;
    std::string smallestText;
    const auto table = records(rows.out);
    for (std::size_t i = 1; i < table.size(); ++i) {
        if (!table[i].back().empty()) {
            ++failed;
        } else if (std::stod(table[i][1]) < smallest) {
            smallest = std::stod(table[i][1]);
            smallestText = table[i][1];
        }
    }
    QCOMPARE(table.size(), std::size_t(5001));
    QVERIFY(failed > 1200 && failed < 2000); // about a third
    QCOMPARE(statistic(stats.out, "myl", "failed"), double(failed));
    // The statistics are of the computed lengths: the smallest, written as
    // the window writes it, is the smallest shown.
    QCOMPARE(varnolek::formatPattern(statistic(stats.out, "myl", "min"), varnolek::Precision::Double,
                                     catalogue::entry("MYLFORM").main().pattern),
             smallestText);

    // Every case failed: empty statistics, failed = N, and exit status 3.
    const Run none = calc({"MYLFORM", "--monte-carlo", "300", "--vary", "myc=uniform:-4:-1"});
    QCOMPARE(none.status, 3);
    QCOMPARE(none.out, std::string("output,mean,sd,min,p5,p25,p50,p75,p95,max,failed\nmyl,,,,,,,,,,300\n"));
}

void TestAnalysis::balanceRowOfLoadCalculations()
{
    for (const catalogue::Entry &e : catalogue::entries()) {
        if (!e.balance)
            continue;
        const catalogue::Field *field = sweptField(e);
        QVERIFY(field);
        const Run run = calc({e.id, "--monte-carlo", "2000", "--vary",
                                field->name + "=uniform:" + field->defaultText + ":" +
                                    catalogue::valueText(2 * std::atof(field->defaultText.c_str()))});
        QCOMPARE(run.status, 0);
        const auto rows = records(run.out);
        QCOMPARE(rows.back().at(0), std::string("balance"));
        // The engine's statistics of the same run.
        catalogue::Case base = catalogue::defaultCase(e);
        std::string error;
        const auto varied = catalogue::parseVaried(
            e, field->name + "=uniform:" + field->defaultText + ":" +
                   catalogue::valueText(2 * std::atof(field->defaultText.c_str())),
            error);
        QVERIFY(varied);
        catalogue::MonteCarloSettings settings;
        settings.cases = 2000;
        const auto result = catalogue::monteCarlo(e, base, {*varied}, settings);
        QVERIFY(result);
        QVERIFY(result->outputs.back().summary);
        QCOMPARE(rows.back().at(1), catalogue::statisticText(result->outputs.back().summary->mean));
        QCOMPARE(result->mainValues.size(), result->outputs.back().summary->count);
    }
}

void TestAnalysis::usageErrors_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown field swept") << QStringList{"my1dform", "--sweep", "myzz=1:2:3"} << "no field 'myzz'";
    QTest::newRow("unknown field varied") << QStringList{"my1dform", "--monte-carlo", "9", "--vary", "myzz"}
                                          << "no field 'myzz'";
    QTest::newRow("N of zero") << QStringList{"my1dform", "--sweep", "myk=1:2:0"} << "N of at least 1";
    QTest::newRow("negative N") << QStringList{"my1dform", "--sweep", "myk=1:2:-3"} << "N of at least 1";
    QTest::newRow("no cases") << QStringList{"my1dform", "--monte-carlo", "0", "--vary", "myk"} << "at least 1";
    QTest::newRow("negative cases") << QStringList{"my1dform", "--monte-carlo", "-5", "--vary", "myk"}
                                    << "at least 1";
    QTest::newRow("FROM = TO") << QStringList{"my1dform", "--sweep", "myk=0.2:0.2:5"} << "to the same value";
    QTest::newRow("log through 0") << QStringList{"my1dform", "--sweep", "myx=0:5:3:log"} << "zero or a negative";
    QTest::newRow("log of negatives") << QStringList{"my1dform", "--sweep", "myx=-5:-1:3:log"}
                                      << "zero or a negative";
    QTest::newRow("bad sweep") << QStringList{"my1dform", "--sweep", "myk=0.1:x:3"} << "FROM:TO:N";
    QTest::newRow("unknown distribution") << QStringList{"my1dform", "--monte-carlo", "9", "--vary", "myk=beta:1:2"}
                                          << "unknown distribution";
    QTest::newRow("uniform upside down") << QStringList{"my1dform", "--monte-carlo", "9", "--vary",
                                                        "myk=uniform:2:1"}
                                         << "a below b";
    QTest::newRow("normal sd 0") << QStringList{"my1dform", "--monte-carlo", "9", "--vary", "myk=normal:1:0"}
                                 << "standard deviation";
    QTest::newRow("mode outside") << QStringList{"my1dform", "--monte-carlo", "9", "--vary",
                                                 "myk=triangular:1:5:3"}
                                  << "mode between";
    QTest::newRow("lognormal missing sigma") << QStringList{"my1dform", "--monte-carlo", "9", "--vary",
                                                            "myk=lognormal:1"}
                                             << "needs 2 numbers";
    QTest::newRow("label without range") << QStringList{"my1dform", "--monte-carlo", "9", "--vary", "myu"}
                                         << "myu";
    QTest::newRow("no vary") << QStringList{"my1dform", "--monte-carlo", "9"} << "--vary";
    QTest::newRow("bad threads") << QStringList{"my1dform", "--sweep", "myk=1:2:3", "--threads", "0"}
                                 << "--threads";
    QTest::newRow("three sweeps") << QStringList{"my1dform", "--sweep", "myk=1:2:3", "--sweep", "myx=1:2:3",
                                                 "--sweep", "mye=1:2:3"}
                                  << "at most two";
    QTest::newRow("design level year") << QStringList{"yearform", "--sweep", "rate=50:90:3"} << "design level year";
}

void TestAnalysis::usageErrors()
{
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    std::vector<std::string> a;
    for (const QString &s : args)
        a.push_back(s.toStdString());
    const Run run = calc(a);
    QCOMPARE(run.status, 1);
    QCOMPARE(run.out, std::string());
    QVERIFY2(QString::fromStdString(run.err).contains(message), run.err.c_str());
}

void TestAnalysis::percentilesAsASpreadsheet()
{
    std::vector<double> values{4, 1, 3, 2};
    const auto s = catalogue::summarize(values);
    QVERIFY(s);
    QCOMPARE(s->p25, 1.75);
    QCOMPARE(s->p50, 2.5);
    QCOMPARE(s->p95, 3.85);
    QCOMPARE(catalogue::statisticText(s->sd), std::string("1.290994"));
    QCOMPARE(catalogue::statisticText(123456789.0), std::string("1.234568E+08"));
    // The partial ordering gives what a full sort gives, ties included, for
    // every count where ranks coincide or stand next to each other.
    for (int n = 1; n <= 1002; n = n < 30 ? n + 1 : 1002 + (n == 1002)) {
        std::vector<double> many;
        for (int i = 0; i < n; ++i)
            many.push_back(double((i * 7919) % 113 % (n / 3 + 1)) / 7);
        std::vector<double> sorted = many;
        std::sort(sorted.begin(), sorted.end());
        const auto m = catalogue::summarize(many);
        QVERIFY(m);
        for (auto [p, got] : {std::pair{0.05, m->p5}, {0.25, m->p25}, {0.5, m->p50}, {0.75, m->p75}, {0.95, m->p95}})
            QVERIFY2(got == catalogue::percentile(sorted, p), qPrintable(QString("n %1, p %2").arg(n).arg(p)));
        QCOMPARE(m->min, sorted.front());
        QCOMPARE(m->max, sorted.back());
    }
    std::vector<double> one{7};
    QCOMPARE(catalogue::summaryTexts(catalogue::summarize(one), 2),
             (std::vector<std::string>{"7", "", "7", "7", "7", "7", "7", "7", "7", "2"}));
}

QTEST_GUILESS_MAIN(TestAnalysis)
#include "tst_analysis.moc"
