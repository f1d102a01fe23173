// varnolek-calc --import FILE --save OUT.vtable and --table FILE --xlsx OUT:
// a spreadsheet made a zone table file and a table made a workbook; exit 0
// when written, 1 for usage, 3 for a file unreadable or refused (nothing is
// then written), with the reason on standard error.

#include "catalogue/tablefile.h"
#include "spreadsheet/tableimport.h"
#include "support/examples.h"
#include "support/runcli.h"
#include "support/scratch.h"
#include "support/workbooks.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestImportCli : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString write(const QString &name, const QByteArray &bytes) { return scratch::writeFile(m_dir, name, bytes); }

    static QString example() { return windowtest::planExample(); }

private slots:
    void initTestCase();
    void statuses_data();
    void statuses();
    void savedToStandardOutput();
};

void TestImportCli::initTestCase()
{
    QVERIFY(m_dir.isValid());
    write("zones.csv", "\xEF\xBB\xBF水功能区,水质目标,污染物,计算方法,备注\n甲,II,COD,my1dw,新设\n乙,III,TP,my1dw,\n");
    write("refused.csv", "水功能区,水质目标\n甲,VI\n");
    // 20 MB of blanks in a sheet, deflated a thousand times over.
    write("bomb.xlsx", workbooks::zip(workbooks::parts(workbooks::sheet(QByteArray(20 * 1024 * 1024, ' ')))));
    write("notes.txt", "zone\n甲\n");
}

void TestImportCli::statuses_data()
{
    QTest::addColumn<QStringList>("args"); // DIR/ stands for the test's folder, EXAMPLE for the example table
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("err");     // a part of standard error ("" for nothing at all)
    QTest::addColumn<QString>("written"); // the file that must then exist, or must not ("" for none)

    QTest::newRow("a CSV saved as a table") << QStringList{"--import", "DIR/zones.csv", "--save", "DIR/a.vtable"} << 0
                                            << "以下列不是计算表的列，未导入：备注"
                                            << "DIR/a.vtable";
    QTest::newRow("a table written as a workbook")
        << QStringList{"--table", "EXAMPLE", "--xlsx", "DIR/plan.xlsx"} << 0 << ""
        << "DIR/plan.xlsx";
    QTest::newRow("that workbook saved as a table")
        << QStringList{"--import", "DIR/plan.xlsx", "--save", "DIR/plan.vtable"} << 0 << ""
        << "DIR/plan.vtable";

    QTest::newRow("--import alone") << QStringList{"--import"} << 1 << "--import takes one FILE.xlsx or FILE.csv"
                                    << "";
    QTest::newRow("no --save") << QStringList{"--import", "DIR/zones.csv"} << 1 << "--import needs --save OUT.vtable"
                               << "";
    QTest::newRow("--save without its file")
        << QStringList{"--import", "DIR/zones.csv", "--save"} << 1 << "--save takes one OUT.vtable"
        << "";
    QTest::newRow("a text file") << QStringList{"--import", "DIR/notes.txt", "--save", "DIR/b.vtable"} << 1
                                 << "--import reads a .xlsx or a .csv file"
                                 << "!DIR/b.vtable";
    QTest::newRow("something else too") << QStringList{"--import", "DIR/zones.csv", "--save", "DIR/b.vtable", "--bom"}
                                        << 1 << "unexpected '--bom' with --import"
                                        << "!DIR/b.vtable";
    QTest::newRow("--import twice") << QStringList{"--import",      "DIR/zones.csv", "--import",
                                                   "DIR/zones.csv", "--save",        "DIR/b.vtable"}
                                    << 1 << "--import is given twice"
                                    << "!DIR/b.vtable";

    QTest::newRow("a file not there") << QStringList{"--import", "DIR/none.csv", "--save", "DIR/b.vtable"} << 3
                                      << "文件无法导入：文件不存在或无法打开"
                                      << "!DIR/b.vtable";
    QTest::newRow("a zip bomb") << QStringList{"--import", "DIR/bomb.xlsx", "--save", "DIR/b.vtable"} << 3
                                << "文件无法导入：“xl/worksheets/sheet1.xml”解压后是压缩时的 100 倍以上"
                                << "!DIR/b.vtable";
    QTest::newRow("a cell the table does not take")
        << QStringList{"--import", "DIR/refused.csv", "--save", "DIR/b.vtable"} << 3
        << "以下 1 个单元格计算表不能接受：\n第 2 行“水质目标”："
        << "!DIR/b.vtable";
    QTest::newRow("a table that cannot be saved")
        << QStringList{"--import", "DIR/zones.csv", "--save", "DIR/no/b.vtable"} << 3 << "计算表文件无法保存"
        << "!DIR/no/b.vtable";

    QTest::newRow("--xlsx without its file")
        << QStringList{"--table", "EXAMPLE", "--xlsx"} << 1 << "--xlsx takes one OUT.xlsx"
        << "";
    QTest::newRow("--xlsx with --bom") << QStringList{"--table", "EXAMPLE", "--xlsx", "DIR/c.xlsx", "--bom"} << 1
                                       << "--bom goes with the CSV output"
                                       << "!DIR/c.xlsx";
    QTest::newRow("a workbook that cannot be written")
        << QStringList{"--table", "EXAMPLE", "--xlsx", "DIR/no/c.xlsx"} << 3 << "工作簿无法保存"
        << "!DIR/no/c.xlsx";
    QTest::newRow("a table not there") << QStringList{"--table", "DIR/none.vtable", "--xlsx", "DIR/c.xlsx"} << 3
                                       << "计算表文件无法读取"
                                       << "!DIR/c.xlsx";
}

void TestImportCli::statuses()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, err);
    QFETCH(QString, written);
    const QString dir = m_dir.path() + u'/';
    for (QString &arg : args)
        arg = arg == "EXAMPLE" ? example() : arg.replace("DIR/", dir);
    const CliResult result = runCli(args);
    QVERIFY2(result.status == status, qPrintable(QString::number(result.status) + ": " + result.err));
    if (err.isEmpty())
        QVERIFY2(result.err.isEmpty(), qPrintable(result.err));
    else
        QVERIFY2(result.err.contains(err), qPrintable(result.err));
    if (written.startsWith(u'!')) {
        QVERIFY(!QFile::exists(written.mid(1).replace("DIR/", dir)));
    } else if (!written.isEmpty()) {
        const QString path = written.replace("DIR/", dir);
        QVERIFY(QFile::exists(path));
        if (path.endsWith(".vtable"))
            QVERIFY(!catalogue::readTableFile(path.toStdString()).empty());
    }
}

// "-" saves to standard output: the table file of the two zones.
void TestImportCli::savedToStandardOutput()
{
    const CliBytes result = runCliBytes({"--import", m_dir.filePath("zones.csv"), "--save", "-"});
    QCOMPARE(result.status, 0);
    const catalogue::ZoneTable table = catalogue::parseTableFile(result.out.toStdString());
    QCOMPARE(table.size(), std::size_t(2));
    QCOMPARE(table.row(0).zone, std::string("甲"));
    QCOMPARE(table.row(1).waterClass, std::string("III"));
    QCOMPARE(table.row(1).item, std::string("TP"));
    // The workbook of the example, saved as a table, is the example's zones.
    const QString workbook = m_dir.filePath("again.xlsx");
    QCOMPARE(runCli({"--table", example(), "--xlsx", workbook}).status, 0);
    const CliBytes again = runCliBytes({"--import", workbook, "--save", "-"});
    QCOMPARE(again.status, 0);
    const catalogue::ZoneTable plan = catalogue::parseTableFile(again.out.toStdString());
    const catalogue::ZoneTable original = catalogue::readTableFile(example().toStdString());
    QCOMPARE(plan.size(), original.size());
    QCOMPARE(plan.project, original.project);
    for (std::size_t r = 0; r < plan.size(); ++r) {
        QCOMPARE(plan.outcome(r).capacityText, original.outcome(r).capacityText);
        QCOMPARE(plan.outcome(r).remainingText, original.outcome(r).remainingText);
        QCOMPARE(plan.outcome(r).status, original.outcome(r).status);
    }
}

QTEST_GUILESS_MAIN(TestImportCli)
#include "tst_importcli.moc"
