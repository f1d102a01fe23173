// varnolek-calc --table: a zone table printed as CSV under the window's
// captions, and its exit statuses: 0 every row computed, 1 usage, 3 a file
// that cannot be read, 5 rows failed or incomplete, each named.

#include "catalogue/tablefile.h"
#include "support/examples.h"
#include "support/runcli.h"
#include "support/scratch.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestTableCli : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString write(const QString &name, const QByteArray &bytes) { return scratch::writeFile(m_dir, name, bytes); }

    static QString example() { return windowtest::planExample(); }

private slots:
    void statuses_data();
    void statuses();
    void everyRowUnderTheCaptions();
    void unfinishedRowsNamed();
    void byteOrderMark();
};

void TestTableCli::statuses_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("file"); // written to t.vtable and named as FILE when not empty
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("err"); // a part of what standard error says
    const QByteArray head = R"({"program":"Varnolek","format":1,"kind":"table","rows":[)";
    QTest::newRow("every row computed") << QStringList{"--table", "EXAMPLE"} << QByteArray() << 0 << "";
    QTest::newRow("no file") << QStringList{"--table"} << QByteArray() << 1 << "--table takes one FILE.vtable";
    QTest::newRow("two tables") << QStringList{"--table", "EXAMPLE", "--table", "EXAMPLE"} << QByteArray() << 1
                                << "--table is given twice";
    QTest::newRow("something else too") << QStringList{"--table", "EXAMPLE", "myk=3"} << QByteArray() << 1
                                        << "unexpected 'myk=3' with --table";
    QTest::newRow("a file not there") << QStringList{"--table", "NOWHERE"} << QByteArray() << 3
                                      << "计算表文件无法读取：文件不存在或无法打开";
    QTest::newRow("not a table") << QStringList{"--table", "FILE"} << QByteArray("[]") << 3
                                 << "计算表文件无法读取：文件内容不是计算表";
    QTest::newRow("a row refused") << QStringList{"--table", "FILE"} << head + R"({"class":"VII"}]})" << 3
                                   << "计算表文件无法读取：第 1 行的水质目标“VII”不是 I 至 V 类";
    QTest::newRow("a row incomplete") << QStringList{"--table", "FILE"} << head + R"({"zone":"甲"}]})" << 5
                                      << "row 1 (甲): 请选择计算方法";
    QTest::newRow("an empty table") << QStringList{"--table", "FILE"} << head + "]}" << 0 << "";
}

void TestTableCli::statuses()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, file);
    QFETCH(int, status);
    QFETCH(QString, err);
    const QString path = file.isEmpty() ? QString() : write("t.vtable", file);
    args.replaceInStrings("EXAMPLE", example());
    args.replaceInStrings("NOWHERE", m_dir.filePath("none.vtable"));
    args.replaceInStrings("FILE", path);
    const CliResult r = runCli(args);
    QCOMPARE(r.status, status);
    if (err.isEmpty())
        QCOMPARE(r.err, QString());
    else
        QVERIFY2(r.err.contains(err), qPrintable(r.err));
    // A table that is read prints its header whatever its rows give.
    QCOMPARE(r.out.startsWith(QStringLiteral("序号,水功能区,所在水体,水体类型,水质目标,污染物,计算方法")),
             status == 0 || status == 5);
}

void TestTableCli::everyRowUnderTheCaptions()
{
    const CliResult r = runCli({"--table", example()});
    QCOMPARE(r.status, 0);
    const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
    const catalogue::ZoneTable table = catalogue::readTableFile(example().toStdString());
    QCOMPARE(lines.size(), qsizetype(table.size()) + 1);
    QStringList captions;
    for (const catalogue::ZoneColumn &column : table.columns())
        captions << QString::fromStdString(column.caption);
    const QString header = lines[0];
    // Captions with a comma or quote would be quoted; the methods' labels have none.
    QCOMPARE(header, captions.join(u','));
    QVERIFY(header.endsWith(
        QStringLiteral("现状入河量(t/a),纳污能力W(t/a),限排量(t/a),需削减量(t/a),剩余纳污能力(t/a),状态")));
    // Each row as the window shows it: the target from the standard, the results.
    for (std::size_t r = 0; r < table.size(); ++r) {
        QStringList cells;
        for (const catalogue::ZoneColumn &column : table.columns())
            cells << QString::fromStdString(table.text(r, column));
        QCOMPARE(lines[qsizetype(r) + 1], cells.join(u','));
    }
    QVERIFY(lines[1].contains(QStringLiteral(",15,"))); // COD class II from the standard
    QVERIFY(lines[1].endsWith(QStringLiteral(",达标")));
}

void TestTableCli::unfinishedRowsNamed()
{
    QFile example(TestTableCli::example());
    QVERIFY(example.open(QIODevice::ReadOnly));
    catalogue::ZoneTable table = catalogue::parseTableFile(example.readAll().toStdString());
    // TN in a river has no limit: the row waits for a typed target.
    catalogue::ZoneRow tn = table.row(0);
    tn.item = "TN";
    table.setRow(0, tn);
    catalogue::ZoneRow stopped = table.row(1);
    for (auto &f : stopped.fields)
        if (f.first == "myu")
            f.second = "0";
    table.setRow(1, stopped);
    const QString path = write("unfinished.vtable", QByteArray::fromStdString(catalogue::tableFileText(table)));
    const CliResult r = runCli({"--table", path});
    QCOMPARE(r.status, 5);
    QCOMPARE(r.err, QStringLiteral("row 1 (清水河源头水保护区 TN): 该项目对河流无标准限值，请输入水质目标浓度\n"
                                   "row 2 (清水河源头水保护区 NH3-N): 除数为零\n"
                                   "varnolek-calc: 2 of 21 rows not computed\n"));
    const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 22); // every row printed all the same
    QVERIFY2(lines[1].contains(QStringLiteral("该项目对河流无标准限值")), qPrintable(lines[1]));
    QVERIFY(lines[3].endsWith(QStringLiteral("达标")));
}

void TestTableCli::byteOrderMark()
{
    // The bytes as written: a text would drop the mark.
    const CliBytes plain = runCliBytes({"--table", example()});
    const CliBytes marked = runCliBytes({"--table", example(), "--bom"});
    QCOMPARE(marked.status, 0);
    QVERIFY(!plain.out.startsWith("\xEF\xBB\xBF"));
    QCOMPARE(marked.out, "\xEF\xBB\xBF" + plain.out);
}

QTEST_GUILESS_MAIN(TestTableCli)
#include "tst_tablecli.moc"
