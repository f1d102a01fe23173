// varnolek-calc against a hostile user: every input that once ended the
// process or ran without end gets its exit status and a message naming what
// is wrong; no exception leaves cli::run; memory running out in a batch on
// several threads ends it with status 3, as on one.

#include "catalogue/casefile.h"
#include "cli/runner.h"
#include "core/arithmetic.h"
#include "support/runcli.h"

#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>
#include <system_error>

#include <sys/resource.h>
#include <unistd.h>

namespace {

std::vector<std::string> fields(const QString &line)
{
    std::vector<std::string> out;
    for (const QString &f : line.split(','))
        out.push_back(f.toStdString());
    return out;
}

// A standard input of a header, one row, and then NUL bytes without end: a
// record that never closes.
std::FILE *endlessRecord()
{
    struct Source {
        std::size_t at = 0;
    };
    cookie_io_functions_t io{};
    io.read = [](void *cookie, char *buf, std::size_t size) -> ssize_t {
        auto *source = static_cast<Source *>(cookie);
        static const char head[] = "myx,myk\n1,2\n";
        std::size_t n = 0;
        while (n < size && source->at < sizeof head - 1)
            buf[n++] = head[source->at++];
        std::memset(buf + n, 0, size - n);
        return ssize_t(size);
    };
    io.close = [](void *cookie) {
        delete static_cast<Source *>(cookie);
        return 0;
    };
    return fopencookie(new Source, "r", io);
}

bool sanitized()
{
#if defined(__SANITIZE_ADDRESS__)
    return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return true;
#endif
#endif
    return false;
}

} // namespace

class TestHostile : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void reproducers_data();
    void reproducers();
    void statisticsOfHugeValuesAreFinite();
    void noExceptionLeavesTheBoundary_data();
    void noExceptionLeavesTheBoundary();
    void memoryRunningOutOnAnyThreads_data();
    void memoryRunningOutOnAnyThreads();
};

void TestHostile::reproducers_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("caseFile");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    const QByteArray none;
    QTest::newRow("a saved number beyond a double")
        << QStringList{"--case"} << QByteArray(R"({"x":1e400})") << 3 << "算例文件无法读取：文件中有超出数值范围的数";
    QTest::newRow("a saved case naming its program twice")
        << QStringList{"--case"}
        << QByteArray(R"({"program":"Varnolek","program":"Varnolek","format":1,"calculation":"my1dform"})") << 3
        << "算例文件无法读取：名称“program”在同一对象中出现了两次";
    QTest::newRow("sweep over ±1e308") << QStringList{"my1dform", "--sweep", "myk=-1e308:1e308:3"} << none << 1
                                       << "the sweep of myk from -1E+308 to 1E+308 in 3 steps";
    QTest::newRow("sweep over ∓1e308") << QStringList{"my1dform", "--sweep", "myk=1e308:-1e308:3"} << none << 1
                                       << "beyond the range of numbers";
    QTest::newRow("log sweep over 600 decades")
        << QStringList{"my1dform", "--sweep", "myk=1e-300:1e300:3:log"} << none << 1 << "beyond the range of numbers";
    QTest::newRow("a grid of 1e18 points")
        << QStringList{"my1dform", "--sweep", "myk=0.1:0.3:1000000000", "--sweep", "myx=1:2:1000000000"} << none << 1
        << "the grid of 1000000000 × 1000000000 points is larger than 1000000000 points";
    QTest::newRow("a field swept twice") << QStringList{"my1dform", "--sweep", "myk=0.1:0.3:3", "--sweep", "myk=1:2:2"}
                                         << none << 1 << "--sweep of myk stands twice";
    QTest::newRow("a field varied twice")
        << QStringList{"my1dform", "--monte-carlo", "9", "--vary", "myk", "--vary", "myk=normal:0.2:0.01"} << none << 1
        << "--vary of myk stands twice";
    QTest::newRow("an option given twice")
        << QStringList{"my1dform", "--sweep", "myk=0.1:0.3:3", "--threads", "1", "--threads", "2"} << none << 1
        << "--threads is given twice";
    QTest::newRow("N of 2^63") << QStringList{"my1dform", "--monte-carlo", "9223372036854775808", "--vary", "myk"}
                               << none << 1 << "--monte-carlo 9223372036854775808: at most 1000000000000000000 cases";
    QTest::newRow("N of 2^64 - 1, rows") << QStringList{"my1dform", "--monte-carlo", "18446744073709551615",
                                                        "--rows",   "--vary",        "myk"}
                                         << none << 1 << "--monte-carlo 18446744073709551615: at most";
    QTest::newRow("N of 2^64") << QStringList{"my1dform", "--monte-carlo", "18446744073709551616", "--vary", "myk"}
                               << none << 1 << "--monte-carlo 18446744073709551616: at most";
    QTest::newRow("N beyond memory") << QStringList{"my1dform", "--monte-carlo", "100000000000000000", "--vary", "myk"}
                                     << none << 1
                                     << "--monte-carlo 100000000000000000: the statistics keep 8 bytes for each case";
    QTest::newRow("N in exponent form") << QStringList{"my1dform", "--monte-carlo", "1e15", "--vary", "myk"} << none
                                        << 1 << "N, the number of cases, as a whole number written in digits";
    QTest::newRow("uniform over ±1e308")
        << QStringList{"my1dform", "--monte-carlo", "1000", "--vary", "myk=uniform:-1e308:1e308"} << none << 1
        << "myk: bad distribution 'uniform:-1e308:1e308': uniform:a:b needs b − a within the range of numbers";
    QTest::newRow("lognormal of exp(800)")
        << QStringList{"my1dform", "--monte-carlo", "1000", "--vary", "myk=lognormal:800:1"} << none << 1
        << "lognormal:mu:sigma gives no finite draw";
    QTest::newRow("every case failed") << QStringList{"MYLFORM", "--monte-carlo", "300", "--vary", "myc=uniform:-4:-1"}
                                       << none << 3 << "varnolek-calc: every one of the 300 cases failed";
    QTest::newRow("every case failed, rows")
        << QStringList{"MYLFORM", "--monte-carlo", "300", "--vary", "myc=uniform:-4:-1", "--rows"} << none << 3
        << "varnolek-calc: every one of the 300 cases failed";
}

void TestHostile::reproducers()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, caseFile);
    QFETCH(int, status);
    QFETCH(QString, message);
    if (!caseFile.isEmpty()) {
        QFile f(m_dir.filePath("o.vcase"));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(caseFile);
        f.close();
        args << f.fileName();
    }
    const CliResult r = runCli(args);
    QCOMPARE(r.status, status);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
    if (status == 1)
        QCOMPARE(r.out, QString());
}

void TestHostile::statisticsOfHugeValuesAreFinite()
{
    // Every case is finite, so is every statistic.
    const CliResult r = runCli({"my2dform", "--monte-carlo", "1000", "--vary", "myc0=uniform:1e307:1.7e308"});
    QCOMPARE(r.status, 0);
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    const std::vector<std::string> row = fields(lines[1]);
    QCOMPARE(row.at(10), std::string("0")); // failed
    for (std::size_t i = 1; i < 10; ++i)
        QVERIFY2(std::isfinite(std::stod(row[i])), row[i].c_str());
    QVERIFY(std::fabs(std::stod(row[1])) > 1e300);
}

void TestHostile::noExceptionLeavesTheBoundary_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("message");
    QTest::newRow("memory") << 0 << "varnolek-calc: out of memory\n";
    QTest::newRow("length_error") << 1 << "varnolek-calc: vector::reserve\n";
    QTest::newRow("a calculation's overflow") << 2 << "varnolek-calc: 溢出\n";
    QTest::newRow("a bad case file") << 3 << "varnolek-calc: 文件大于 1 MB\n";
    QTest::newRow("a thread that cannot start") << 4 << "varnolek-calc: no thread: Resource temporarily unavailable\n";
    QTest::newRow("invalid_argument") << 5 << "varnolek-calc: the grid\n";
    QTest::newRow("not an exception class") << 6 << "varnolek-calc: an unexpected failure\n";
    QTest::newRow("nothing thrown: the command's status") << 7 << "";
}

void TestHostile::noExceptionLeavesTheBoundary()
{
    QFETCH(int, kind);
    QFETCH(QString, message);
    std::FILE *err = std::tmpfile();
    const int status = cli::guarded(err, [kind]() -> int {
        switch (kind) {
        case 0:
            throw std::bad_alloc();
        case 1:
            throw std::length_error("vector::reserve");
        case 2:
            throw varnolek::CalcError(varnolek::Failure::Overflow);
        case 3:
            throw catalogue::BadCaseFile("文件大于 1 MB");
        case 4:
            throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again), "no thread");
        case 5:
            throw std::invalid_argument("the grid");
        case 6:
            throw 42;
        }
        return cli::IncompleteInput;
    });
    QCOMPARE(readAllAndClose(err), message);
    QCOMPARE(status, kind == 7 ? int(cli::IncompleteInput) : int(cli::Failed));
}

void TestHostile::memoryRunningOutOnAnyThreads_data()
{
    QTest::addColumn<QString>("threads");
    QTest::newRow("one thread") << "1";
    QTest::newRow("two threads") << "2";
}

void TestHostile::memoryRunningOutOnAnyThreads()
{
    if (sanitized())
        QSKIP("the sanitizers reserve address space beyond any limit this test sets");
    QFETCH(QString, threads);
    // Room for 512 MB more than the process holds now: the endless record
    // runs out of it while the batch reads.
    rlimit before{};
    QVERIFY(getrlimit(RLIMIT_AS, &before) == 0);
    std::FILE *statm = std::fopen("/proc/self/statm", "r");
    QVERIFY(statm);
    unsigned long pages = 0;
    QVERIFY(std::fscanf(statm, "%lu", &pages) == 1);
    std::fclose(statm);
    rlimit limited = before;
    limited.rlim_cur = rlim_t(pages) * rlim_t(sysconf(_SC_PAGESIZE)) + (rlim_t(512) << 20);
    if (before.rlim_cur != RLIM_INFINITY && before.rlim_cur < limited.rlim_cur)
        QSKIP("the address space is limited already");
    QVERIFY(setrlimit(RLIMIT_AS, &limited) == 0);
    std::FILE *in = endlessRecord();
    std::FILE *out = std::tmpfile();
    std::FILE *err = std::tmpfile();
    const int status = cli::run({"my1dform", "--csv", "-", "--threads", threads.toStdString()}, in, out, err);
    setrlimit(RLIMIT_AS, &before);
    std::fclose(in);
    QCOMPARE(status, int(cli::Failed));
    QVERIFY(readAllAndClose(out).startsWith("myx,myk,"));
    QCOMPARE(readAllAndClose(err), QString("varnolek-calc: out of memory at line 2 of the CSV; the batch stops\n"));
}

QTEST_GUILESS_MAIN(TestHostile)
#include "tst_hostile.moc"
