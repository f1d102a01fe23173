// varnolek-calc --bom: the CSV of a batch, a sweep or a Monte Carlo run begins
// with a UTF-8 byte-order mark, so that a spreadsheet on a Chinese system does
// not read it as GBK; without the option none is written, and the option is
// refused where no CSV is written.

#include "support/runcli.h"

#include <QTest>
#include <cstdio>

namespace {

std::pair<int, QByteArray> runRaw(const QStringList &args, const QByteArray &input)
{
    const CliBytes run = runCliBytes(args, input);
    return {run.status, run.out};
}

} // namespace

class TestBom : public QObject {
    Q_OBJECT

private slots:
    void byteOrderMark_data();
    void byteOrderMark();
};

void TestBom::byteOrderMark_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("start"); // of the output, after any mark
    QTest::addColumn<bool>("mark");
    QTest::newRow("a batch") << QStringList{"my1dform", "--csv", "-", "--bom"} << QByteArray("myx\n5\n") << 0
                             << "myx,myc,Label9,error\n5,9.94,距离初始断面 5 千米处水质浓度(mg/L),\n"
                             << true;
    QTest::newRow("the option first") << QStringList{"my1dform", "--bom", "--csv", "-"} << QByteArray("myx\n5\n") << 0
                                      << "myx,myc" << true;
    QTest::newRow("a batch whose input has a mark") << QStringList{"my1dform", "--csv", "-", "--bom"}
                                                    << QByteArray("\xEF\xBB\xBFmyx\n5\n") << 0 << "myx,myc" << true;
    QTest::newRow("a batch without the option")
        << QStringList{"my1dform", "--csv", "-"} << QByteArray("\xEF\xBB\xBFmyx\n5\n") << 0 << "myx,myc" << false;
    QTest::newRow("a sweep") << QStringList{"my1dform", "--sweep", "myx=1:2:2", "--bom"} << QByteArray() << 0
                             << "myx,myc" << true;
    QTest::newRow("Monte Carlo statistics") << QStringList{"my1dform", "--monte-carlo", "10", "--vary", "myk", "--bom"}
                                            << QByteArray() << 0 << "output,mean" << true;
    QTest::newRow("Monte Carlo rows") << QStringList{"my1dform", "--monte-carlo", "10",   "--vary",
                                                     "myk",      "--rows",        "--bom"}
                                      << QByteArray() << 0 << "myk,myc" << true;
    QTest::newRow("one case writes no CSV") << QStringList{"my1dform", "--bom"} << QByteArray() << 1 << "" << false;
}

void TestBom::byteOrderMark()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, input);
    QFETCH(int, status);
    QFETCH(QString, start);
    QFETCH(bool, mark);
    const auto [code, out] = runRaw(args, input);
    QCOMPARE(code, status);
    QCOMPARE(out.startsWith("\xEF\xBB\xBF"), mark);
    QVERIFY2(out.mid(mark ? 3 : 0).startsWith(start.toUtf8()), out.constData());
    QCOMPARE(out.count("\xEF\xBB\xBF"), mark ? 1 : 0);
}

QTEST_GUILESS_MAIN(TestBom)
#include "tst_bom.moc"
