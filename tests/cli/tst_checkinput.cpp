// varnolek-calc ID --check-input: one line per finding with the field's name
// first, exit status 0 when there is nothing to tell and 6 when there is; the
// case is not calculated; the option goes with FIELD=TEXT only.

#include "cli/runner.h"
#include "support/runcli.h"

#include <QTest>

class TestCheckInput : public QObject {
    Q_OBJECT

private slots:
    void checkInput_data();
    void checkInput();
};

void TestCheckInput::checkInput_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::newRow("the defaults") << QStringList{"my1dform", "--check-input"} << 0 << "";
    QTest::newRow("the option after the fields") << QStringList{"my1dform", "myk=abc", "--check-input"} << 6
                                                 << "myk\t水质降解系数K：“abc”不是数字，按 0 计算\n"
                                                    "myk\t水质降解系数K：0 超出标注的范围 0.02-0.5 1/d\n";
    QTest::newRow("a case that would fail is only told of")
        << QStringList{"my0dform/volume", "--check-input", "myq=0", "MYK="} << 6 << "MYK\t水质降解系数：未填写\n";
    QTest::newRow("rows given make the table")
        << QStringList{"myKform/multi-point", "--check-input", "Text4.0=8", "Text2.0=0", "Text4.1=7", "Text2.1=2km"}
        << 6 << "Text2.1\t第 2 监测点到排污口的距离：“2km”不是数字，按 2 计算\n";
    QTest::newRow("a level year without its data file")
        << QStringList{"yearform", "--check-input"} << 6 << "file\t水文资料文件：未填写\n";
    QTest::newRow("an unknown field is a usage error") << QStringList{"my1dform", "--check-input", "myzz=1"} << 1 << "";
    QTest::newRow("not with a batch") << QStringList{"my1dform", "--check-input", "--csv", "-"} << 1 << "";
    QTest::newRow("not with a sweep") << QStringList{"my1dform", "--check-input", "--sweep", "myx=1:2:2"} << 1 << "";
}

void TestCheckInput::checkInput()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, out);
    const CliResult run = runCli(args);
    QCOMPARE(run.out, out);
    QCOMPARE(run.status, status);
    QCOMPARE(run.err.isEmpty(), status != cli::Usage);
}

QTEST_GUILESS_MAIN(TestCheckInput)
#include "tst_checkinput.moc"
