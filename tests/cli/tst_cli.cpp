// The command-line layer of varnolek-calc: arguments, exit statuses, the order
// of the outputs, and the CSV batch (quoting, byte-order mark, bad rows).

#include "cli/csv.h"
#include "cli/runner.h"
#include "support/runcli.h"
#include "core/numbers.h"
#include "core/parameters.h"
#include "varnolek/version.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>
#include <cstdio>
#include <string>
#include <sys/stat.h>

namespace {

using Result = CliResult;

} // namespace

class TestCli : public QObject {
    Q_OBJECT

private slots:
    void singleCase_data();
    void singleCase();
    void listShowsEveryFieldWithLabelAndDefault();
    void frequencyGuards_data();
    void frequencyGuards();
    void helpHasAnExample();
    void batch_data();
    void batch();
    void batchFromFileAndMissingFile();
    void hostileDataFile_data();
    void hostileDataFile();
    void indexBeyondTheTable_data();
    void indexBeyondTheTable();
    void theLargestTableIsComputed();
    void workedExamples_data();
    void workedExamples();
    void csvReaderRecords_data();
    void csvReaderRecords();
};

void TestCli::singleCase_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");

    QTest::newRow("defaults") << QStringList{"my0dform/volume"} << 0 << "Text3=7.91\n" << "";
    QTest::newRow("a field given") << QStringList{"my0dform/volume", "MYK=0"} << 0 << "Text3=11.57\n" << "";
    QTest::newRow("leading number as on screen") << QStringList{"my0dform/volume", "MYK=0abc"} << 0
                                                 << "Text3=11.57\n" << "";
    QTest::newRow("empty field fails the check") << QStringList{"my0dform/section", "myq1="} << 2 << ""
                                                 << "请输入全部的参数\n";
    QTest::newRow("division by zero") << QStringList{"my0dform/volume", "myq=0", "MYK=0"} << 3 << ""
                                      << "除数为零\n";
    QTest::newRow("zero over zero is overflow") << QStringList{"my0dform/section", "myq1=0", "myq2=0"} << 3
                                                << "" << "溢出\n";
    QTest::newRow("out of range on reading") << QStringList{"my0dform/volume", "myw=1e999"} << 3 << ""
                                             << "溢出\n";
    QTest::newRow("later value wins") << QStringList{"my0dform/volume", "MYK=5", "MYK=0"} << 0
                                      << "Text3=11.57\n" << "";
    QTest::newRow("text with = inside") << QStringList{"my0dform/volume", "MYK=0=1"} << 0 << "Text3=11.57\n"
                                        << "";
    QTest::newRow("unknown calculation") << QStringList{"nosuch"} << 1 << "" << "";
    QTest::newRow("unknown field") << QStringList{"my0dform/volume", "myzz=1"} << 1 << "" << "";
    QTest::newRow("indexed field of a window without a table") << QStringList{"my0dform/volume", "myw.0=1"} << 1
                                                               << "" << "";
    QTest::newRow("index that is not a number") << QStringList{"myKform/multi-point", "Text4.x=1"} << 1 << ""
                                                << "";
    QTest::newRow("no data file") << QStringList{"yearform"} << 3 << "" << "请检查水文资料文件是否有错！\n";
    QTest::newRow("missing data file") << QStringList{"yearform", "file=/nonexistent"} << 3 << ""
                                       << "请检查水文资料文件是否有错！\n";
    QTest::newRow("not FIELD=TEXT") << QStringList{"my0dform/volume", "myw"} << 1 << "" << "";
    QTest::newRow("no arguments") << QStringList{} << 1 << "" << "";
    QTest::newRow("--csv without file") << QStringList{"my0dform/volume", "--csv"} << 1 << "" << "";
    // The river models refuse an outfall or a point outside the river in
    // their own words, and compute nothing.
    QTest::newRow("mixing zone, outfall on the far side of the bank") << QStringList{"mixlenform", "mya=-1"} << 3 << ""
                                                                      << "排放口距岸边的距离应在0与河宽之间\n";
    QTest::newRow("mixing zone, outfall beyond the far bank") << QStringList{"mixlenform", "mya=30.01"} << 3 << ""
                                                              << "排放口距岸边的距离应在0与河宽之间\n";
    QTest::newRow("off-bank plume, outfall beyond the far bank")
        << QStringList{"my2dcform", "mya=31", "myy=0"} << 3 << ""
        << "排放口距岸边的距离应在0与河宽之间\n";
    QTest::newRow("off-bank plume, point behind the near bank") << QStringList{"my2dcform", "myy=-10.5"} << 3 << ""
                                                                << "计算点应在河道内\n";
    QTest::newRow("off-bank plume, point behind the far bank") << QStringList{"my2dcform", "myy=20.5"} << 3 << ""
                                                               << "计算点应在河道内\n";
    QTest::newRow("version") << QStringList{"--version"} << 0
                             << QStringLiteral("Varnolek %1\n").arg(varnolek::versionText) << "";
}

void TestCli::singleCase()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    const Result r = runCli(args);
    QCOMPARE(r.status, status);
    QCOMPARE(r.out, out);
    if (status == 1) {
        QVERIFY(r.err.startsWith("varnolek-calc: "));
        QVERIFY(r.err.contains("--help"));
        QCOMPARE(r.err.count('\n'), 1); // a one-line hint
    } else {
        QCOMPARE(r.err, err);
    }
}

// The guards of the frequency analysis end with status 3 and their message;
// an empty rate or ratio fails the completeness check like any empty field.
void TestCli::frequencyGuards_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("err");
    const QByteArray five = "5\n1961,1\n1962,2\n1963,3\n1964,4\n1965,5\n";
    QTest::newRow("three years") << QByteArray("3\n1961,1\n1962,2\n1963,3\n") << QStringList{} << 3
                                 << "频率分析至少需要4年资料\n";
    QTest::newRow("mean not above 0") << QByteArray("4\n1961,-1\n1962,-2\n1963,1\n1964,1\n") << QStringList{} << 3
                                      << "系列均值必须大于零\n";
    QTest::newRow("rate 100") << five << QStringList{"rate=100"} << 3 << "保证率必须大于0且小于100\n";
    QTest::newRow("rate 0") << five << QStringList{"rate=0"} << 3 << "保证率必须大于0且小于100\n";
    QTest::newRow("rate of letters") << five << QStringList{"rate=abc"} << 3 << "保证率必须大于0且小于100\n";
    QTest::newRow("ratio of letters") << five << QStringList{"ratio=abc"} << 3 << "Cs/Cv倍比必须是数值\n";
    QTest::newRow("empty rate") << five << QStringList{"rate="} << 2 << "请输入全部的参数\n";
    QTest::newRow("a broken file") << QByteArray("5\n1961,1\n") << QStringList{} << 3
                                   << "请检查水文资料文件是否有错！\n";
    QTest::newRow("no file") << QByteArray() << QStringList{"file="} << 3 << "请检查水文资料文件是否有错！\n";
    QTest::newRow("five years are enough") << five << QStringList{} << 0 << "";
}

void TestCli::frequencyGuards()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, err);
    QTemporaryDir dir;
    const QString path = dir.filePath("series.txt");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(file);
    f.close();
    const Result r = runCli(QStringList{"frequency", "file=" + path} + args);
    QCOMPARE(r.err, err);
    QCOMPARE(r.status, status);
    QCOMPARE(r.out.isEmpty(), status != 0);
}

void TestCli::listShowsEveryFieldWithLabelAndDefault()
{
    const Result r = runCli({"--list"});
    QCOMPARE(r.status, 0);
    QVERIFY(r.out.contains("my0dform/volume\t零维水质计算\n"));
    QVERIFY(r.out.contains("  myw\t排入水体污染物总量(kg/d)\t5000\n"));
    QVERIFY(r.out.contains("  myc2\t废水中污染物浓度(mg/L)\t100\n"));
}

void TestCli::helpHasAnExample()
{
    const Result r = runCli({"--help"});
    QCOMPARE(r.status, 0);
    QVERIFY(r.out.contains("Example"));
    QVERIFY(r.out.contains("--csv"));
}

void TestCli::batch_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("output");

    QTest::newRow("one case per row, missing columns default")
        << QByteArray("MYK,myq\n0,5\n0.2,5\n") << 0 << "MYK,myq,Text3,error\n0,5,11.57,\n0.2,5,7.91,\n";
    QTest::newRow("CRLF and a byte-order mark")
        << QByteArray("\xEF\xBB\xBFMYK\r\n0\r\n") << 0 << "MYK,Text3,error\n0,11.57,\n";
    QTest::newRow("quoted fields are unquoted and quoted again")
        << QByteArray("myw,MYK\n\"5,000\",\"0\"\n") << 0 << "myw,MYK,Text3,error\n\"5,000\",0,0.01,\n";
    QTest::newRow("errors go into their own row and the batch goes on")
        << QByteArray("myq,MYK\n0,0\n,0\n5,0\n") << 0
        << "myq,MYK,Text3,error\n0,0,,除数为零\n,0,,请输入全部的参数\n5,0,11.57,\n";
    QTest::newRow("a malformed row is reported and skipped")
        << QByteArray("MYK\n\"0\"x\n0\n") << 0
        << "MYK,Text3,error\n0,,malformed CSV row at line 2: text after a closing quote\n0,11.57,\n";
    QTest::newRow("a row with too many fields")
        << QByteArray("MYK\n0,1\n0\n") << 0
        << "MYK,Text3,error\n0,,malformed CSV row at line 2: 2 fields where the header has 1\n0,11.57,\n";
    QTest::newRow("a quoted line break stays in its field")
        << QByteArray("myw\n\"50\n00\"\n") << 0 << "myw,Text3,error\n\"50\n00\",7.91,\n";
    QTest::newRow("blank lines are skipped") << QByteArray("MYK,myq\n\n0,5\n\n") << 0
                                             << "MYK,myq,Text3,error\n0,5,11.57,\n";
    QTest::newRow("unknown column is a usage error") << QByteArray("myzz\n1\n") << 1 << "";
    QTest::newRow("empty input is a usage error") << QByteArray() << 1 << "";
    QTest::newRow("a column twice is a usage error") << QByteArray("MYK,MYK\n0,1\n") << 1 << "";
}

void TestCli::batch()
{
    QFETCH(QByteArray, input);
    QFETCH(int, status);
    QFETCH(QString, output);
    const Result r = runCli({"my0dform/volume", "--csv", "-"}, input);
    QCOMPARE(r.status, status);
    QCOMPARE(r.out, output);
}

void TestCli::batchFromFileAndMissingFile()
{
    QTemporaryFile file;
    QVERIFY(file.open());
    file.write("myq1,myq2\n50,2\n0,0\n");
    file.close();
    const Result r = runCli({"my0dform/section", "--csv", file.fileName()});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, QString("myq1,myq2,Text2,error\n50,2,9.62,\n0,0,,溢出\n"));

    const Result missing = runCli({"my0dform/section", "--csv", "/nonexistent/cases.csv"});
    QCOMPARE(missing.status, 1);
}

// Data files that are huge, endless or not files at all end with the data
// file's message (or, with a good head, the result), never with a hang.
void TestCli::hostileDataFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");

    QTest::newRow("a 300 MB file with a good head") << "huge" << 0 << "yeartext=1963年\nqltext=3.5\n";
    QTest::newRow("/dev/zero") << "/dev/zero" << 3 << "";
    QTest::newRow("a FIFO") << "fifo" << 3 << "";
    QTest::newRow("a directory") << "directory" << 3 << "";
    QTest::newRow("one endless field") << "endless field" << 3 << "";
    QTest::newRow("2 MB of blank lines") << "blank lines" << 3 << "";
}

void TestCli::hostileDataFile()
{
    QFETCH(QString, kind);
    QFETCH(int, status);
    QFETCH(QString, out);
    QTemporaryDir dir;
    QString path = dir.filePath("levels.txt");
    QFile file(path);
    if (kind == "huge") {
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("30\n");
        for (int i = 0; i < 30; ++i) // values 1.5, 2.5 ... 30.5 from 1961 on
            file.write(QByteArray::number(1961 + i) + "," + QByteArray::number(i + 1) + ".5\n");
        QVERIFY(file.resize(300LL * 1024 * 1024)); // sparse: the test writes a few bytes
    } else if (kind == "fifo") {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (kind == "directory") {
        path = dir.path();
    } else if (kind == "endless field" || kind == "blank lines") {
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(2 * 1024 * 1024, kind == "blank lines" ? '\n' : '7'));
    } else {
        path = kind;
    }
    file.close();
    const Result r = runCli({"yearform", "file=" + path, "rate=90"});
    QCOMPARE(r.status, status);
    QCOMPARE(r.out, out);
    QCOMPARE(r.err, status == 0 ? QString() : QString("请检查水文资料文件是否有错！\n"));
}

// A row index of the monitoring-point table beyond the window's table (or not
// an index at all) is a usage error naming the field in a single case, and in
// a batch the error of the rows that give it a text, the others computed.
void TestCli::indexBeyondTheTable_data()
{
    QTest::addColumn<QString>("index");
    QTest::newRow("a huge index") << "99999999999";
    QTest::newRow("the int limit") << "2147483647";
    QTest::newRow("one past the int limit") << "2147483648";
    QTest::newRow("the limit of points plus one") << "10922";
    QTest::newRow("a negative index") << "-1";
    QTest::newRow("a sign before the index") << "+1";
}

void TestCli::indexBeyondTheTable()
{
    QFETCH(QString, index);
    const QString field = "Text4." + index;
    const QString why = "'" + field + "' is not a row of the table: its index runs from 0 to 10921";

    const Result single = runCli({"myKform/multi-point", "Text4.0=8.3", "Text2.0=2", field + "=1"});
    QCOMPARE(single.status, 1);
    QCOMPARE(single.out, QString());
    QCOMPARE(single.err, "varnolek-calc: " + why + " (see varnolek-calc --help)\n");

    // The rows around the bad one give what the same points give as one case.
    const QString first = runCli({"myKform/multi-point", "Text4.0=8.3", "Text2.0=2", "Text4.1=8", "Text2.1=5"}).out;
    const QString last = runCli({"myKform/multi-point", "Text4.0=8.3", "Text2.0=2", "Text4.1=8.1", "Text2.1=5"}).out;
    QVERIFY(first.startsWith("Text1=") && last.startsWith("Text1=") && first != last);
    const Result batch =
        runCli({"myKform/multi-point", "--csv", "-"},
               ("Text4.0,Text2.0,Text4.1,Text2.1," + field + "\n8.3,2,8,5,\n8.3,2,8,5,7\n8.3,2,8.1,5,\n").toUtf8());
    QCOMPARE(batch.status, 0);
    QCOMPARE(batch.out, "Text4.0,Text2.0,Text4.1,Text2.1," + field + ",Text1,error\n" + "8.3,2,8,5,," +
                            first.mid(6).trimmed() + ",\n8.3,2,8,5,7,," + why + "\n8.3,2,8.1,5,," +
                            last.mid(6).trimmed() + ",\n");
}

// The last row the window's table takes, index 10921: a table of 10922 points.
void TestCli::theLargestTableIsComputed()
{
    namespace parameters = varnolek::parameters;
    QStringList args{"myKform/multi-point", "Text6=0.3"};
    parameters::MultiPointInput in{0.3, {}};
    for (int i = 0; i < parameters::maxPointCount; ++i) {
        const QString c = QString::number(8.3 - 0.0005 * i), x = QString::number(3 * i + 2);
        args << QString("Text4.%1=%2").arg(i).arg(c) << QString("Text2.%1=%2").arg(i).arg(x);
        in.points.push_back({varnolek::readNumber(c.toStdString()), varnolek::readNumber(x.toStdString())});
    }
    QVERIFY(args.last().startsWith("Text2.10921="));
    const Result r = runCli(args);
    QCOMPARE(r.err, QString());
    QCOMPARE(r.status, 0);
    const std::string k =
        varnolek::formatPattern(parameters::leastSquaresK(in), varnolek::Precision::Single, "###0.000");
    QCOMPARE(r.out, "Text1=" + QString::fromStdString(k) + "\n");
}

// The worked examples of every window, through the command line.
void TestCli::workedExamples_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("out");

    QTest::newRow("volume mixing") << QStringList{"my0dform/volume"} << "Text3=7.91\n";
    QTest::newRow("section mixing") << QStringList{"my0dform/section"} << "Text2=9.62\n";
    QTest::newRow("one-dimensional river")
        << QStringList{"my1dform"} << "myc=9.97\nLabel9=距离初始断面 3 千米处水质浓度(mg/L)\n";
    QTest::newRow("one-dimensional river, 2.50 km")
        << QStringList{"my1dform", "myx=2.50"} << "myc=9.97\nLabel9=距离初始断面 2.5 千米处水质浓度(mg/L)\n";
    QTest::newRow("two-dimensional river")
        << QStringList{"my2dform"}
        << "myc=9.60\nLabel9=距排污口 5千米,距排污口所在岸边 15米处的水质浓度(mg / L):\n";
    QTest::newRow("transition zone") << QStringList{"MYLFORM"} << "myl=248557.311\n";
    QTest::newRow("lake capacity") << QStringList{"my0dw"} << "myw=393.317\n";
    QTest::newRow("one-dimensional capacity") << QStringList{"my1dw"} << "myw=25243.402\n";
    QTest::newRow("two-dimensional capacity") << QStringList{"my2dw"} << "myw=392446.059\n";
    QTest::newRow("capacity, one-way river") << QStringList{"myvolform/one-way"} << "myw=20463.360\n";
    QTest::newRow("capacity, lake") << QStringList{"myvolform/lake"} << "myw=24855.040\n";
    QTest::newRow("capacity, two-way river") << QStringList{"myvolform/two-way"} << "myw=17352.960\n";
    QTest::newRow("monitoring, one-way river")
        << QStringList{"myRevolform/monitoring/one-way"} << "Label9=剩余环境容量(t/a)\nmyw1=4420.800\n";
    QTest::newRow("monitoring, lake")
        << QStringList{"myRevolform/monitoring/lake"} << "Label9=排污削减量(t/a)\nmyw1=1068.800\n";
    QTest::newRow("monitoring, two-way river")
        << QStringList{"myRevolform/monitoring/two-way"} << "Label9=剩余环境容量(t/a)\nmyw1=8308.800\n";
    QTest::newRow("sources") << QStringList{"myRevolform/sources"} << "Label9=剩余环境容量(t/a)\nmyw1=1901.200\n";
    QTest::newRow("control, known industry")
        << QStringList{"mycontrolV/known"} << "Label9=剩余环境容量(t/a)\nmyw4=17872.552\n";
    QTest::newRow("control, reduction")
        << QStringList{"mycontrolV/known", "myw=1000"} << "Label9=排污削减量(t/a)\nmyw4=1127.448\n";
    QTest::newRow("control, estimated industry")
        << QStringList{"mycontrolV/estimate"} << "myw3=9551.24\nLabel9=剩余环境容量(t/a)\nmyw4=4949.512\n";
    QTest::newRow("K, two points") << QStringList{"myKform/two-point"} << "myk=0.316\n";
    QTest::newRow("K, the suggested four points") << QStringList{"myKform/multi-point"} << "Text1=0.331\n";
    QTest::newRow("K, three points given")
        << QStringList{"myKform/multi-point", "Text4.0=8.3", "Text2.0=2", "Text4.1=8", "Text2.1=5", "Text4.2=7.7",
                       "Text2.2=8"}
        << "Text1=0.324\n";
    // The river models of the guidelines.
    QTest::newRow("mixing zone, outfall at the bank") << QStringList{"mixlenform"} << "mylm=7956.70\n";
    QTest::newRow("mixing zone, outfall in the middle") << QStringList{"mixlenform", "mya=15"} << "mylm=1980.00\n";
    // {0.11 + 0.7 × √(1/6 − 1.1/36)} × 2 × 30² / 0.1, from either bank.
    QTest::newRow("mixing zone, 10 m from the bank") << QStringList{"mixlenform", "mya=10"} << "mylm=6628.55\n";
    QTest::newRow("mixing zone, 20 m out is 10 m from the far bank")
        << QStringList{"mixlenform", "mya=20"} << "mylm=6628.55\n";
    QTest::newRow("off-bank plume") << QStringList{"my2dcform", "myx=0.5"} << "myc=10.197\n";
    QTest::newRow("off-bank plume, outfall in the middle")
        << QStringList{"my2dcform", "myx=5", "mya=15", "myy=0"} << "myc=9.562\n";
    QTest::newRow("instantaneous release") << QStringList{"pulseform"} << "myc=2.7832\nmytp=5.50\nmycp=3.3767\n";
    QTest::newRow("tidal reach, downstream") << QStringList{"estuaryform"} << "myc=0.935\n";
    QTest::newRow("tidal reach, upstream") << QStringList{"estuaryform", "myx=-5"} << "myc=0.006\n";
    QTest::newRow("oxygen sag") << QStringList{"spform"}
                                << "myl=11.55\nmydo=6.20\nmytc=1.591\nmyxc=68.74\nmydoc=5.23\nLabel_exhausted=\n";
    QTest::newRow("level year")
        << QStringList{"yearform", "file=" + QFINDTESTDATA("../../examples/lowest_water_levels_1961-1990.txt")}
        << "yeartext=1972年\nqltext=11.96\n";
    QTest::newRow("frequency analysis at 90 %")
        << QStringList{"frequency", "file=" + QFINDTESTDATA("../../examples/lowest_water_levels_1961-1990.txt")}
        << "n=30\nmean=12.421\ncv=0.025\ncs=0.077\nphi=-1.273\nvalue=12.026\n"
           "fitcv=0.027\nfitcs=0.054\nfitphi=-1.276\nfitvalue=11.990\n";
    QTest::newRow("frequency analysis at 99 % with the ratio 3")
        << QStringList{"frequency", "file=" + QFINDTESTDATA("../../examples/lowest_water_levels_1961-1990.txt"),
                       "rate=99", "ratio=3"}
        << "n=30\nmean=12.421\ncv=0.025\ncs=0.077\nphi=-2.269\nvalue=11.717\n"
           "fitcv=0.027\nfitcs=0.082\nfitphi=-2.266\nfitvalue=11.656\n";
}

void TestCli::workedExamples()
{
    QFETCH(QStringList, args);
    QFETCH(QString, out);
    const Result r = runCli(args);
    QCOMPARE(r.err, QString());
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, out);
}

void TestCli::csvReaderRecords_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QStringList>("records"); // fields joined by '|', error after '!'

    QTest::newRow("plain") << QByteArray("a,b\nc,d\n") << QStringList{"a|b", "c|d"};
    QTest::newRow("no final line break") << QByteArray("a,b") << QStringList{"a|b"};
    QTest::newRow("empty fields") << QByteArray(",,\n") << QStringList{"||"};
    QTest::newRow("doubled quotes") << QByteArray("\"say \"\"hi\"\"\",x\n") << QStringList{"say \"hi\"|x"};
    QTest::newRow("CR inside an unquoted field is kept") << QByteArray("a\rb\n") << QStringList{"a\rb"};
    QTest::newRow("unclosed quote") << QByteArray("\"abc\n") << QStringList{"abc\n!a quoted field is not closed"};
    QTest::newRow("quote inside a field") << QByteArray("ab\"c\nd\n")
                                          << QStringList{"ab!a quote inside an unquoted field", "d"};
    QTest::newRow("a byte-order mark only at the start") << QByteArray("\xEF\xBB\xBFx\n\xEF\xBB\xBFy\n")
                                                         << QStringList{"x", "\xEF\xBB\xBFy"};
}

void TestCli::csvReaderRecords()
{
    QFETCH(QByteArray, input);
    QFETCH(QStringList, records);
    std::FILE *in = std::tmpfile();
    std::fwrite(input.constData(), 1, input.size(), in);
    std::rewind(in);
    cli::CsvReader reader(in);
    std::vector<std::string> fields;
    std::string error;
    QStringList got;
    while (reader.next(fields, error)) {
        QStringList parts;
        for (const std::string &f : fields)
            parts << QString::fromStdString(f);
        got << parts.join('|') + (error.empty() ? QString() : "!" + QString::fromStdString(error));
    }
    std::fclose(in);
    QCOMPARE(got, records);
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
