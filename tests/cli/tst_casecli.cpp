// varnolek-calc --case and --check: saved cases run from the command line,
// their results compared, the exit status the largest over the files.

#include "cli/runner.h"
#include "support/runcli.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <string>

namespace {

using Result = CliResult;

} // namespace

class TestCaseCli : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString write(const QString &name, const QByteArray &json)
    {
        const QString path = m_dir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(json);
        return path;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        // A data file beside the cases, named relative to them.
        QVERIFY(QFile::copy(QFINDTESTDATA("../../examples/lowest_water_levels_1961-1990.txt"),
                            m_dir.filePath("levels.txt")));
    }

    void statuses_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<bool>("check");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        const QByteArray head = R"({"program":"Varnolek","format":1,)";
        QTest::newRow("agrees") << head + R"("calculation":"my1dform","fields":{"myk":"0.3","myx":"5"},"results":{"myc":"9.91"}})"
                                << true << 0 << "myc=9.91\n";
        QTest::newRow("result edited") << head + R"("calculation":"my1dform","fields":{"myk":"0.3","myx":"5"},"results":{"myc":"9.92"}})"
                                       << true << 4 << "differs myc: saved 9.92, now 9.91\n";
        QTest::newRow("edited, not checked") << head + R"("calculation":"my1dform","fields":{"myk":"0.3","myx":"5"},"results":{"myc":"9.92"}})"
                                             << false << 0 << "myc=9.91\n";
        QTest::newRow("no results: only run") << head + R"("calculation":"my1dform","fields":{"myx":"5"},"results":{}})"
                                              << true << 0 << "myc=";
        QTest::newRow("empty field") << head + R"("calculation":"my1dform","fields":{"myk":""}})" << true << 2 << "";
        QTest::newRow("bad file") << QByteArray("{") << true << 3 << "";
        QTest::newRow("both frames") << head + R"("calculation":"my0dform","fields":{"myw":"2,5"},"results":{"Text2":"9.62"}})"
                                     << true << 0 << "Text3=0.00\nText2=9.62\n";
        QTest::newRow("saved rate, relative file")
            << head + R"("calculation":"yearform","fields":{},"data":{"file":"levels.txt","rate":"75"}})" << true << 0
            << "yeartext=";
        QTest::newRow("table rows") << head + R"("calculation":"myKform/multi-point","fields":{"Text6":"0.3"},"rows":{"Text4":["8.3","8.0","7.7"],"Text2":["0","1","2"]}})"
                                    << true << 0 << "Text1=";
    }
    void statuses()
    {
        QFETCH(QByteArray, json);
        QFETCH(bool, check);
        QFETCH(int, status);
        QFETCH(QString, out);
        const QString path = write("case.vcase", json);
        QStringList args{"--case", path};
        if (check)
            args.prepend("--check");
        const Result r = runCli(args);
        QCOMPARE(r.status, status);
        QVERIFY2(r.out.contains(out), qPrintable(r.out));
        if (status == 3)
            QVERIFY(r.err.contains("算例文件无法读取："));
    }

    void severalFiles()
    {
        const QByteArray head = R"({"program":"Varnolek","format":1,)";
        const QString good = write("good.vcase", head + R"("calculation":"my2dform","fields":{}})");
        const QString edited =
            write("edited.vcase", head + R"("calculation":"my1dform","fields":{"myx":"5"},"results":{"myc":"1"}})");
        const QString empty = write("empty.vcase", head + R"("calculation":"my1dform","fields":{"myx":""}})");
        const Result r = runCli({"--check", "--case", good, empty, edited});
        QCOMPARE(r.status, 4); // the largest over the files
        QVERIFY(r.out.startsWith("== " + good + "\n"));
        QVERIFY(r.out.contains("== " + empty + "\n== " + edited + "\n"));
        QCOMPARE(runCli({"--case", good, empty}).status, 2);
        QCOMPARE(runCli({"--case"}).status, 1);
    }
};

QTEST_MAIN(TestCaseCli)
#include "tst_casecli.moc"
