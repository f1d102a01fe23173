// The design flow from monthly means: the reader of the monthly-means file and
// its hostile inputs, the driest months, the last ten years, and the design
// value at a guarantee rate by rank, by interpolation and from the P-III fit.
#include "core/monthlyflow.h"
#include "core/numbers.h"

#include <QtTest>

#include <sstream>
#include <sys/stat.h>

using namespace varnolek;
using namespace varnolek::hydrology;

Q_DECLARE_METATYPE(varnolek::hydrology::FileStatus)

namespace {
const QByteArray header = "年,1月,2月,3月,4月,5月,6月,7月,8月,9月,10月,11月,12月\n";
const QByteArray twelve = ",1,2,3,4,5,6,7,8,9,10,11,12\n"; // a full year after its year cell

// The driest months of 2011 to 2022 worked by hand. Year 2011 + i has its
// driest month at month (5i mod 12) + 1; every other month m is that value + m.
const double checkDriest[] = {12.0, 9.5, 15.2, 8.1, 10.4, 7.6, 11.3, 9.9, 6.8, 13.1, 8.7, 10.0};
QByteArray checkFile(const QByteArray &separator, bool withHeader, bool reversed = false)
{
    QByteArrayList lines;
    for (int i = 0; i < 12; ++i) {
        QByteArray line = QByteArray::number(2011 + i);
        for (int m = 1; m <= 12; ++m)
            line += separator + QByteArray::number(checkDriest[i] + (m == 5 * i % 12 + 1 ? 0 : m), 'f', 1);
        lines << line;
    }
    if (reversed)
        std::reverse(lines.begin(), lines.end());
    QByteArray text = withHeader ? QByteArray(header).replace(',', separator) : QByteArray();
    return text + lines.join('\n') + '\n';
}

QString text(double v)
{
    return QString::fromStdString(formatPattern(v, Precision::Double, "###0.000"));
}

// Each year as its 12 cells, a missing month empty; then the unobserved years.
QString summary(const MonthlyFile &file)
{
    QStringList years;
    for (const MonthlyYear &y : file.years) {
        QStringList cells;
        for (const std::optional<float> &m : y.months)
            cells << (m ? QString::fromStdString(generalText(*m, Precision::Single)) : QString());
        years << QString::number(y.year) + ":" + cells.join(',');
    }
    for (std::int16_t y : file.unobservedYears)
        years << "unobserved " + QString::number(y);
    return years.join(' ');
}

MonthlyYear yearOf(int year, double driest, int missing = 0)
{
    MonthlyYear y{static_cast<std::int16_t>(year), {}};
    for (int m = missing; m < 12; ++m)
        y.months[m] = static_cast<float>(driest + (m == 11 ? 0 : 1 + m));
    return y;
}

std::vector<MonthlyYear> yearsOf(const std::vector<double> &driest, int first = 2011)
{
    std::vector<MonthlyYear> years;
    for (std::size_t i = 0; i < driest.size(); ++i)
        years.push_back(yearOf(first + int(i), driest[i]));
    return years;
}

QString guardOf(const std::function<void()> &run)
{
    try {
        run();
    } catch (const AnalysisError &e) {
        return QString::fromUtf8(e.what());
    }
    return QString();
}

// A stream that never ends, of one pattern repeated, counting what is taken from it.
class EndlessBuffer : public std::streambuf {
public:
    explicit EndlessBuffer(const std::string &pattern)
    {
        while (m_piece.size() < 4096)
            m_piece += pattern;
    }
    std::size_t served = 0;

protected:
    int_type underflow() override
    {
        served += m_piece.size();
        setg(m_piece.data(), m_piece.data(), m_piece.data() + m_piece.size());
        return traits_type::to_int_type(m_piece[0]);
    }

private:
    std::string m_piece;
};
} // namespace

class TestMonthlyFlow : public QObject {
    Q_OBJECT

private slots:
    // The twelve years however the file is written: mean of the last 10
    // years 10.110, smallest 6.800 (2019); at 90 % the rank rule 6.800 (2019)
    // and interpolation 7.040; the P-III value is the frequency analysis's own
    // fit of the same series read as a level-year file.
    void check_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("commas with the header") << checkFile(",", true);
        QTest::newRow("commas without a header") << checkFile(",", false);
        QTest::newRow("tabs with the header") << checkFile("\t", true);
        QTest::newRow("blanks lined up, without a header") << checkFile("   ", false);
        QTest::newRow("blanks with the header") << checkFile(" ", true);
        QTest::newRow("years from the latest down") << checkFile(", ", true, true);
        QTest::newRow("byte-order mark, Windows line ends")
            << "\xEF\xBB\xBF" + checkFile(",", true).replace("\n", "\r\n");
        QTest::newRow("header in GBK, old Mac line ends")
            << checkFile(",", true).replace("年", "\xC4\xEA").replace("月", "\xD4\xC2").replace('\n', '\r');
    }
    void check()
    {
        QFETCH(QByteArray, file);
        const MonthlyFile monthly = parseMonthlyFile(file.toStdString());
        QCOMPARE(monthly.status, FileStatus::Ok);
        const DesignFlowAnalysis a = analyseDesignFlow(monthly.years);
        QCOMPARE(a.recent.years, 10);
        QCOMPARE(text(a.recent.mean), QString("10.110"));
        QCOMPARE(text(a.recent.smallest.value), QString("6.800"));
        QCOMPARE(int(a.recent.smallest.year), 2019);
        QCOMPARE(QString::fromStdString(recentYearsNote(a.recent.years)), QString());
        const DesignFlow d = designFlow(a, 90);
        QCOMPARE(d.rankRule.rank, 1);
        QCOMPARE(text(d.rankRule.record.value), QString("6.800"));
        QCOMPARE(int(d.rankRule.record.year), 2019);
        QCOMPARE(text(d.interpolated), QString("7.040"));

        QStringList table; // year:value/month/rank/P_k
        for (const DriestMonth &y : a.years)
            table << QString("%1:%2/%3/%4/%5")
                         .arg(y.record.year)
                         .arg(QString::fromStdString(generalText(y.record.value, Precision::Single)))
                         .arg(y.month)
                         .arg(y.rank)
                         .arg(text(y.exceedance));
        QCOMPARE(table.join(' '), QString("2011:12/1/3/0.231 2012:9.5/6/8/0.615 2013:15.2/11/1/0.077 "
                                          "2014:8.1/4/10/0.769 2015:10.4/9/5/0.385 2016:7.6/2/11/0.846 "
                                          "2017:11.3/7/4/0.308 2018:9.9/12/7/0.538 2019:6.8/5/12/0.923 "
                                          "2020:13.1/10/2/0.154 2021:8.7/3/9/0.692 2022:10/8/6/0.462"));

        QByteArray levels = "12\n";
        for (int i = 0; i < 12; ++i)
            levels += QByteArray::number(2011 + i) + "," + QByteArray::number(checkDriest[i], 'f', 1) + "\n";
        const FrequencyAnalysis own = analyseFrequency(parseDataFile(levels.toStdString()).records, 2.0);
        QVERIFY(a.frequency && d.curve);
        QCOMPARE(text(*d.curve), text(designValue(own, 90).fitValue));
        QCOMPARE(a.frequency->fitted.cs, 2 * a.frequency->fitted.cv); // 适线 with Cs = 2Cv, not the moments
        QVERIFY(text(*d.curve) != text(designValue(own, 90).momentValue));
    }

    void read_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<FileStatus>("status");
        QTest::addColumn<QString>("years");
        const QString full = ":1,2,3,4,5,6,7,8,9,10,11,12";
        QTest::newRow("missing months between commas, blanks in the cell")
            << QByteArray("2011,,2,3,4, ,6,7,8,9,10,11,\n") << FileStatus::Ok << "2011:,2,3,4,,6,7,8,9,10,11,";
        QTest::newRow("missing months between tabs") << QByteArray("2011\t1\t\t3\t4\t5\t6\t7\t8\t9\t10\t11\t\n")
                                                     << FileStatus::Ok << "2011:1,,3,4,5,6,7,8,9,10,11,";
        QTest::newRow("trailing separators and empty spreadsheet rows are ignored")
            << "2011" + twelve.chopped(1) + ",,\n,,,,,,,,,,,,\n\t\n"
            << FileStatus::Ok << "2011" + full;
        QTest::newRow("years in any order, with gaps, are sorted")
            << "2015" + twelve + "2011" + twelve << FileStatus::Ok << "2011" + full + " 2015" + full;
        QTest::newRow("negative values, exponents, a whole year written 2011.0")
            << QByteArray("2011.0,-1.5,2e0,3,4,5,6,7,8,9,10,11,12\n") << FileStatus::Ok
            << "2011:-1.5,2,3,4,5,6,7,8,9,10,11,12";
        QTest::newRow("a year with every month empty is left out")
            << header + "2012,,,,,,,,,,,,\n2011" + twelve << FileStatus::Ok << "2011" + full + " unobserved 2012";
        QTest::newRow("no observed year") << header + "2012,,,,,,,,,,,,\n" << FileStatus::NoRecords << "";
        QTest::newRow("an empty file") << QByteArray("\n \n") << FileStatus::NoRecords << "";
        QTest::newRow("a header alone") << header << FileStatus::NoRecords << "";
        const struct {
            const char *name;
            QByteArray text;
        } bad[] = {
            {"a missing month between blanks cannot be written", "2011 1 2 3 4 5 6 7 8 9 10 11\n"},
            {"a line of 12 cells", "2011,1,2,3,4,5,6,7,8,9,10,11\n"},
            {"a line of 14 cells", "2011" + twelve.chopped(1) + ",13\n"},
            {"a year twice", "2011" + twelve + "2011" + twelve},
            {"a year twice, once unobserved", "2011" + twelve + "2011,,,,,,,,,,,,\n"},
            {"a header after a year", "2011" + twelve + header},
            {"a header of other words", "年份,1月,2月,3月,4月,5月,6月,7月,8月,9月,10月,11月,12月\n2011" + twelve},
            {"a header short of a month", "年,1月,2月,3月,4月,5月,6月,7月,8月,9月,10月,11月\n"},
            {"a value with its unit", "2011,1,2,3,4,5,6,7,8,9,10,11,12m\n"},
            {"two numbers in one cell", "2011,1 2,3,4,5,6,7,8,9,10,11,12\n"},
            {"full-width commas", "2011，1，2，3，4，5，6，7，8，9，10，11，12\n"},
            {"NaN is no number", "2011,nan,2,3,4,5,6,7,8,9,10,11,12\n"},
            {"a value beyond single precision", "2011,1e39,2,3,4,5,6,7,8,9,10,11,12\n"},
            {"a fractional year", "2011.5" + twelve},
            {"year 0", "0" + twelve},
            {"year 10000", "10000" + twelve},
            {"a year missing", "," + twelve.mid(1) + twelve},
        };
        for (const auto &row : bad)
            QTest::newRow(row.name) << row.text << FileStatus::Malformed << "";
    }
    void read()
    {
        QFETCH(QByteArray, text);
        QFETCH(FileStatus, status);
        QFETCH(QString, years);
        const MonthlyFile file = parseMonthlyFile(text.toStdString());
        QCOMPARE(file.status, status);
        QCOMPARE(summary(file), years);
    }

    // A hostile file costs no more than the largest good one: only a regular
    // file is opened, and no more than 1 MB and a byte is ever read.
    void boundedReading_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<FileStatus>("status");
        QTest::newRow("200 years are the most") << "200 years" << FileStatus::Ok;
        QTest::newRow("201 years are too many") << "201 years" << FileStatus::Malformed;
        QTest::newRow("a good file of exactly 1 MB") << "1 MB" << FileStatus::Ok;
        QTest::newRow("a good file and a byte past 1 MB") << "1 MB + 1" << FileStatus::Malformed;
        QTest::newRow("a good file in a 300 MB file") << "huge" << FileStatus::Malformed;
        QTest::newRow("/dev/zero") << "/dev/zero" << FileStatus::Malformed;
        QTest::newRow("a FIFO") << "fifo" << FileStatus::Malformed;
        QTest::newRow("a directory") << "directory" << FileStatus::Malformed;
        QTest::newRow("an endless field (2 MB)") << "endless field" << FileStatus::Malformed;
        QTest::newRow("a cell of 4096 characters") << "cell 4096" << FileStatus::Ok;
        QTest::newRow("a cell of 4097 characters") << "cell 4097" << FileStatus::Malformed;
        QTest::newRow("a missing file") << "missing" << FileStatus::Unreadable;
    }
    void boundedReading()
    {
        QFETCH(QString, kind);
        QFETCH(FileStatus, status);
        QTemporaryDir dir;
        QString path = dir.filePath("monthly.csv");
        QByteArray text;
        const int mb = 1024 * 1024;
        if (kind.endsWith(" years"))
            for (int i = 0; i < kind.section(' ', 0, 0).toInt(); ++i)
                text += QByteArray::number(1801 + i) + twelve;
        else if (kind.startsWith("1 MB"))
            text = header + "2011" + twelve + QByteArray(mb - header.size() - 4 - twelve.size(), '\n') +
                   (kind.endsWith("+ 1") ? "\n" : "");
        else if (kind == "huge" || kind == "endless field")
            text = kind == "huge" ? header + "2011" + twelve : QByteArray(2 * mb, '7');
        else if (kind.startsWith("cell "))
            text = "2011," + QByteArray(kind.mid(5).toInt() - 3, '0') + "2.5" + twelve.mid(2);
        else if (kind == "/dev/zero")
            path = kind;
        else if (kind == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0); // opening it would block
        else if (kind == "directory")
            path = dir.path();
        if (!text.isEmpty()) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QCOMPARE(f.write(text), text.size());
            if (kind == "huge")
                QVERIFY(f.resize(300LL * mb)); // sparse: zeros after the good lines
        }
        const MonthlyFile file = readMonthlyFile(path.toStdString());
        QCOMPARE(file.status, status);
        if (status == FileStatus::Ok)
            QCOMPARE(file.years.front().months[0], kind == "cell 4096" ? 2.5f : 1.0f);
    }

    // A stream that never ends is read no further than 1 MB and a byte.
    void endlessStream_data()
    {
        QTest::addColumn<QByteArray>("pattern");
        QTest::newRow("zeros") << QByteArray(1, '\0');
        QTest::newRow("one endless field") << QByteArray("7");
        QTest::newRow("good lines forever") << "2011" + twelve;
    }
    void endlessStream()
    {
        QFETCH(QByteArray, pattern);
        EndlessBuffer buffer(pattern.toStdString());
        std::istream in(&buffer);
        QCOMPARE(readMonthlyFile(in).status, FileStatus::Malformed);
        QVERIFY(buffer.served <= maxMonthlyFileLength + 1 + 8192);
    }

    // The file held whole and streamed in pieces of 64 KB agree wherever a
    // piece ends.
    void textAndStreamAgree_data()
    {
        QTest::addColumn<QByteArray>("text");
        for (int pad : {65535, 65536, 65537, 131071})
            QTest::addRow("%d blank lines, then the file", pad) << QByteArray(pad, '\n') + checkFile(",", true);
        QTest::newRow("a cell across a piece") << QByteArray(65530, '\n') + "2011,3.25" + twelve.mid(2);
    }
    void textAndStreamAgree()
    {
        QFETCH(QByteArray, text);
        const MonthlyFile whole = parseMonthlyFile(text.toStdString());
        std::istringstream stream(text.toStdString());
        const MonthlyFile streamed = readMonthlyFile(stream);
        QCOMPARE(whole.status, FileStatus::Ok);
        QCOMPARE(streamed.status, whole.status);
        QCOMPARE(summary(streamed), summary(whole));
    }

    // A river of gaps and missing months: a year missing its driest month
    // keeps the driest it has, marked; the last ten are by year value.
    void gapsAndMissingMonths()
    {
        QByteArray file = header;
        for (int year : {2005, 2006, 2007, 2008, 2010, 2011, 2013, 2014, 2015, 2016, 2017, 2018, 2019, 2020})
            file += QByteArray::number(year) + (year == 2016 ? ",,,3,4,5,6,7,8,9,10,11,12\n" : twelve);
        file.replace("2013,1,2,", "2013,\t,,"); // 2013 loses its driest months
        file.replace("2020,1,", "2020,0.5,");   // the last year the driest
        const DesignFlowAnalysis a = analyseDesignFlow(parseMonthlyFile(file.toStdString()).years);
        QCOMPARE(int(a.years.size()), 14);
        QStringList marked;
        for (const DriestMonth &y : a.years)
            if (y.incomplete)
                marked << QString("%1:%2/%3").arg(y.record.year).arg(generalText(y.record.value).c_str()).arg(y.month);
        QCOMPARE(marked.join(' '), QString("2013:3/3 2016:3/3"));
        // The ten latest: 2010 … 2020 without 2012; 2013 and 2016 at 3, 2020 at 0.5, seven at 1.
        QCOMPARE(a.recent.years, 10);
        QCOMPARE(text(a.recent.mean), QString("1.350"));
        QCOMPARE(int(a.recent.smallest.year), 2020);
    }

    // Interpolation in P_k and the rank rule over four years 10, 8, 6, 4
    // (P_k = 0.2, 0.4, 0.6, 0.8), worked by hand.
    void atRate_data()
    {
        QTest::addColumn<double>("percent");
        QTest::addColumn<QString>("interpolated");
        QTest::addColumn<QString>("rankRule");
        QTest::newRow("before the first rank, its value") << 10.0 << "10.000"
                                                          << "10.000";
        QTest::newRow("on the first rank") << 20.0 << "10.000"
                                           << "10.000";
        QTest::newRow("between ranks 1 and 2") << 30.0 << "9.000"
                                               << "8.000";
        QTest::newRow("three quarters from rank 3 to 4") << 75.0 << "4.500"
                                                         << "4.000";
        QTest::newRow("past the last rank, its value") << 99.0 << "4.000"
                                                       << "4.000";
    }
    void atRate()
    {
        QFETCH(double, percent);
        QFETCH(QString, interpolated);
        QFETCH(QString, rankRule);
        const DesignFlow d = designFlow(analyseDesignFlow(yearsOf({6, 10, 4, 8})), percent);
        QCOMPARE(text(d.interpolated), interpolated);
        QCOMPARE(text(d.rankRule.record.value), rankRule);
    }

    // Fewer than 10 years: all of them, and the caption says so; equal
    // smallest values name the latest year.
    void shortSeries()
    {
        const DesignFlowAnalysis a = analyseDesignFlow(yearsOf({5, 3, 9, 3, 4, 6, 7}));
        QCOMPARE(a.recent.years, 7);
        QCOMPARE(text(a.recent.mean), QString("5.286"));
        QCOMPARE(int(a.recent.smallest.year), 2014);
        QCOMPARE(QString::fromStdString(recentYearsNote(a.recent.years)), QString("（资料不足10年，按全部7年计）"));
    }

    // A river dry in every year has no P-III curve (x̄ = 0), but its rank
    // rule and interpolation stand.
    void dryRiver()
    {
        const DesignFlow d = designFlow(analyseDesignFlow(yearsOf({0, 0, 0, 0, 0})), 90);
        QVERIFY(!d.curve);
        QCOMPARE(QString::fromStdString(d.curveMessage), QString::fromUtf8(meanNotPositiveMessage));
        QCOMPARE(text(d.interpolated) + text(d.rankRule.record.value), QString("0.0000.000"));
    }

    void guards_data()
    {
        QTest::addColumn<int>("years");
        QTest::addColumn<double>("percent");
        QTest::addColumn<QString>("message");
        QTest::newRow("3 years") << 3 << 90.0 << designFlowTooFewYearsMessage;
        QTest::newRow("4 lines, one with every month empty") << -4 << 90.0 << designFlowTooFewYearsMessage;
        QTest::newRow("4 years") << 4 << 90.0 << "";
        QTest::newRow("rate 0") << 12 << 0.0 << rateRangeMessage;
        QTest::newRow("rate 100") << 12 << 100.0 << rateRangeMessage;
        QTest::newRow("rate -5") << 12 << -5.0 << rateRangeMessage;
        QTest::newRow("rate not a number") << 12 << std::nan("") << rateRangeMessage;
        QTest::newRow("rate 99.99") << 12 << 99.99 << "";
        QTest::newRow("too few years before a bad rate") << 3 << 0.0 << designFlowTooFewYearsMessage;
    }
    void guards()
    {
        QFETCH(int, years);
        QFETCH(double, percent);
        QFETCH(QString, message);
        std::vector<MonthlyYear> series = yearsOf({12, 9.5, 15.2, 8.1, 10.4, 7.6, 11.3, 9.9, 6.8, 13.1, 8.7, 10});
        series.resize(std::abs(years));
        if (years < 0)
            series[1] = yearOf(2012, 0, 12); // every month missing
        QCOMPARE(guardOf([&] { designFlow(analyseDesignFlow(series), percent); }), message);
    }

    void exampleFile()
    {
        const QString path = QFINDTESTDATA("../../examples/monthly_flows_2001-2022.csv");
        const MonthlyFile file = readMonthlyFile(path.toStdString());
        QCOMPARE(file.status, FileStatus::Ok);
        QCOMPARE(int(file.years.size()), 22);
        const DesignFlowAnalysis a = analyseDesignFlow(file.years);
        QStringList marked;
        for (const DriestMonth &y : a.years)
            if (y.incomplete)
                marked << QString::number(y.record.year);
        QCOMPARE(marked.join(' '), QString("2008 2016"));
        QVERIFY(designFlow(a, 90).curve);
    }
};

QTEST_GUILESS_MAIN(TestMonthlyFlow)
#include "tst_monthlyflow.moc"
