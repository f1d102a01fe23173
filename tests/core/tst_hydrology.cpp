// The hydrological data file, the exchange sort and the rank of the design
// value for a guarantee rate.
#include "core/hydrology.h"
#include "core/numbers.h"

#include <QtTest>

#include <sstream>
#include <sys/stat.h>

using namespace varnolek;
using namespace varnolek::hydrology;

Q_DECLARE_METATYPE(varnolek::hydrology::FileStatus)

namespace {
// A file of n records (1961, 1.5), (1962, 2.5) ... with the count first.
std::string series(int count, int records)
{
    std::string text = std::to_string(count) + "\n";
    for (int i = 0; i < records; ++i)
        text += std::to_string(1961 + i) + "," + std::to_string(i + 1) + ".5\n";
    return text;
}

QString years(const std::vector<Record> &records)
{
    QStringList out;
    for (const Record &r : records)
        out << QString::number(r.year) + ":" + QString::fromStdString(generalText(r.value, Precision::Single));
    return out.join(' ');
}
} // namespace

class TestHydrology : public QObject {
    Q_OBJECT

private slots:
    void read_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<FileStatus>("status");
        QTest::addColumn<QString>("records");
        QTest::newRow("count line, then one record a line")
            << QByteArray("3\n1961,2.35\n1962,2.1\n1963,3\n") << FileStatus::Ok << "1961:2.35 1962:2.1 1963:3";
        QTest::newRow("all on one line, commas and blanks")
            << QByteArray("2, 1961 , 2.35,1962,2.1") << FileStatus::Ok << "1961:2.35 1962:2.1";
        QTest::newRow("blanks end a number") << QByteArray("2 1961 2.35\n1962\t2.1") << FileStatus::Ok
                                             << "1961:2.35 1962:2.1";
        QTest::newRow("Windows line ends, byte-order mark and blank lines")
            << QByteArray("\xEF\xBB\xBF" "2\r\n\r\n1961,2.35\r\n1962,2.1\r\n\r\n") << FileStatus::Ok
            << "1961:2.35 1962:2.1";
        QTest::newRow("anything after the last record is ignored")
            << QByteArray("1\n1961,2.35\n1962,oops\n") << FileStatus::Ok << "1961:2.35";
        QTest::newRow("exponents and signs") << QByteArray("1\n+1961,-2.5e-1") << FileStatus::Ok << "1961:-0.25";
        QTest::newRow("a fractional year rounds to even") << QByteArray("2\n1961.5,1\n1962.5,2") << FileStatus::Ok
                                                          << "1962:1 1962:2";
        QTest::newRow("count 0 has no records") << QByteArray("0\n1961,2.35") << FileStatus::NoRecords << "";
        QTest::newRow("negative count has no records") << QByteArray("-3\n") << FileStatus::NoRecords << "";
        QTest::newRow("without the count the first year is the count, above 200")
            << QByteArray("1961,2.35\n1962,2.1\n") << FileStatus::Malformed << "";
        QTest::newRow("a short file") << QByteArray("3\n1961,2.35\n1962,2.1\n") << FileStatus::Malformed << "";
        QTest::newRow("a record missing its value") << QByteArray("2\n1961,2.35\n1962\n") << FileStatus::Malformed
                                                    << "";
        QTest::newRow("an empty file") << QByteArray("") << FileStatus::Malformed << "";
        QTest::newRow("a non-numeric value") << QByteArray("2\n1961,2.35\n1962,2.1m\n") << FileStatus::Malformed
                                             << "";
        QTest::newRow("a non-numeric year") << QByteArray("1\nabc,2.35\n") << FileStatus::Malformed << "";
        QTest::newRow("a non-numeric count") << QByteArray("n=1\n1961,2.35\n") << FileStatus::Malformed << "";
        QTest::newRow("an empty field between commas") << QByteArray("1\n1961,,2.35\n") << FileStatus::Malformed
                                                       << "";
        QTest::newRow("a year beyond 16 bits") << QByteArray("1\n40000,2.35\n") << FileStatus::Malformed << "";
        QTest::newRow("a value beyond single precision") << QByteArray("1\n1961,1e39\n") << FileStatus::Malformed
                                                         << "";
        QTest::newRow("a count beyond 16 bits") << QByteArray("70000\n") << FileStatus::Malformed << "";
    }
    void read()
    {
        QFETCH(QByteArray, text);
        QFETCH(FileStatus, status);
        QFETCH(QString, records);
        const DataFile file = parseDataFile(text.toStdString());
        QCOMPARE(file.status, status);
        QCOMPARE(years(file.records), records);
    }

    void count_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("records");
        QTest::addColumn<FileStatus>("status");
        QTest::newRow("200 records are the most") << 200 << 200 << FileStatus::Ok;
        QTest::newRow("201 records are too many") << 201 << 201 << FileStatus::Malformed;
        QTest::newRow("a count above 200 with fewer records") << 250 << 30 << FileStatus::Malformed;
    }
    void count()
    {
        QFETCH(int, count);
        QFETCH(int, records);
        QFETCH(FileStatus, status);
        const DataFile file = parseDataFile(series(count, records));
        QCOMPARE(file.status, status);
        QCOMPARE(int(file.records.size()), status == FileStatus::Ok ? count : 0);
    }

    void readFromDisk()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("levels.txt");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("2\n1961,2.35\n1962,2.1\n");
        f.close();
        QCOMPARE(years(readDataFile(path.toStdString()).records), QString("1961:2.35 1962:2.1"));
        QCOMPARE(readDataFile(dir.filePath("missing.txt").toStdString()).status, FileStatus::Unreadable);
    }

    // A hostile file costs no more than a good one: only a regular file is
    // opened, a field is at most 4 KB, and the records must be complete within
    // the first 1 MB; what follows them is never read.
    void boundedReading_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<FileStatus>("status");
        QTest::addColumn<int>("records");
        QTest::newRow("a 300 MB file with a good head") << "huge" << FileStatus::Ok << 30;
        QTest::newRow("/dev/zero") << "/dev/zero" << FileStatus::Malformed << 0;
        QTest::newRow("a FIFO") << "fifo" << FileStatus::Malformed << 0;
        QTest::newRow("a directory") << "directory" << FileStatus::Malformed << 0;
        QTest::newRow("one endless field") << "endless field" << FileStatus::Malformed << 0;
        QTest::newRow("2 MB of blank lines") << "blank lines" << FileStatus::Malformed << 0;
        QTest::newRow("records ending just within 1 MB") << "head within" << FileStatus::Ok << 2;
        QTest::newRow("records ending just past 1 MB") << "head past" << FileStatus::Malformed << 0;
        QTest::newRow("a field of 4096 characters") << "field 4096" << FileStatus::Ok << 1;
        QTest::newRow("a field of 4097 characters") << "field 4097" << FileStatus::Malformed << 0;
    }
    void boundedReading()
    {
        QFETCH(QString, kind);
        QFETCH(FileStatus, status);
        QFETCH(int, records);
        QTemporaryDir dir;
        QString path = dir.filePath("levels.txt");
        auto write = [&](const QByteArray &text) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QCOMPARE(f.write(text), text.size());
        };
        const QByteArray twoRecords = "2\n1961,2.35\n1962,2.1\n";
        const int mb = 1024 * 1024;
        if (kind == "huge") {
            write(QByteArray::fromStdString(series(30, 30)));
            QFile f(path);
            QVERIFY(f.resize(300LL * mb)); // sparse: the test writes a few bytes
            QCOMPARE(QFileInfo(path).size(), 300LL * mb);
        } else if (kind == "/dev/zero") {
            path = kind;
        } else if (kind == "fifo") {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0); // opening it would block
        } else if (kind == "directory") {
            path = dir.path();
        } else if (kind == "endless field") {
            write(QByteArray(2 * mb, '1'));
        } else if (kind == "blank lines") {
            write(QByteArray(2 * mb, '\n'));
        } else if (kind == "head within") { // the line break after the last value is the 1 MB-th byte
            write(QByteArray(mb - twoRecords.size(), '\n') + twoRecords + "\n\n");
        } else if (kind == "head past") { // the last value ends at 1 MB, its line break is past it
            write(QByteArray(mb - twoRecords.size() + 1, '\n') + twoRecords + "\n");
        } else if (kind.startsWith("field ")) {
            const int length = kind.mid(6).toInt();
            write("1\n1961," + QByteArray(length - 3, '0') + "2.5\n");
        }
        const DataFile file = readDataFile(path.toStdString());
        QCOMPARE(file.status, status);
        QCOMPARE(int(file.records.size()), records);
        if (kind == "huge") {
            const LevelYear level = designLevel(file.records, 90);
            QCOMPARE(int(level.record.year), 1963);
            QCOMPARE(level.record.value, 3.5f);
        }
        if (kind == "field 4096")
            QCOMPARE(file.records.front().value, 2.5f);
    }

    // The text held whole and the text read from a stream a piece at a time
    // give the same file, wherever the pieces happen to split a field.
    void textAndStreamAgree_data()
    {
        QTest::addColumn<QByteArray>("text");
        for (int pad : {4088, 4090, 4092, 4094, 4095, 4096, 4097, 8190, 8191})
            QTest::addRow("%d blanks, then a file", pad) << QByteArray(pad, ' ') + "2\n1961,2.35\n1962,2.125\n";
        QTest::newRow("a field across a piece") << QByteArray("1\n1961," + QByteArray(4090, '0') + "2.5\n");
        QTest::newRow("the head ends in the count") << QByteArray(1024 * 1024 - 1, '\n') + "12\n";
        QTest::newRow("the head ends after the records") << QByteArray(1024 * 1024 - 12, '\n') + "1,1961,2.5\n\n";
    }
    void textAndStreamAgree()
    {
        QFETCH(QByteArray, text);
        const DataFile whole = parseDataFile(text.toStdString());
        std::istringstream stream(text.toStdString());
        const DataFile streamed = readDataFile(stream);
        QCOMPARE(streamed.status, whole.status);
        QCOMPARE(years(streamed.records), years(whole.records));
    }

    void sort_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("ascending by value, years move along") << "1961:3 1962:1 1963:2" << "1962:1 1963:2 1961:3";
        QTest::newRow("ties follow the exchanges, not the file order") << "1961:5 1962:5 1963:3"
                                                                      << "1963:3 1962:5 1961:5";
        QTest::newRow("equal values stay put") << "1961:4 1962:4 1963:4" << "1961:4 1962:4 1963:4";
    }
    void sort()
    {
        QFETCH(QString, before);
        QFETCH(QString, after);
        std::vector<Record> records;
        for (const QString &r : before.split(' '))
            records.push_back({std::int16_t(r.section(':', 0, 0).toInt()), r.section(':', 1).toFloat()});
        sortByValue(records);
        QCOMPARE(years(records), after);
    }

    void rank_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<double>("p");
        QTest::addColumn<int>("m");
        QTest::newRow("30 years at 90 % is the third smallest") << 30 << 0.9 << 3;
        // (n + 1)·(1 − 0.9) comes out just below the whole number.
        QTest::newRow("n 19 at 90 %") << 19 << 0.9 << 1;
        QTest::newRow("n 29 at 90 %") << 29 << 0.9 << 2;
        QTest::newRow("n 39 at 90 %") << 39 << 0.9 << 3;
        QTest::newRow("n 49 at 90 %") << 49 << 0.9 << 4;
        QTest::newRow("n 99 at 90 %") << 99 << 0.9 << 9;
        QTest::newRow("n 199 at 90 %") << 199 << 0.9 << 19;
        QTest::newRow("n 9 at 90 % is raised to 1") << 9 << 0.9 << 1;
        QTest::newRow("rate above 100 % is the smallest") << 30 << 1.5 << 1;
        QTest::newRow("rate 0 is the largest, not the slot after the data") << 30 << 0.0 << 30;
        QTest::newRow("rate 0 with 200 records") << 200 << 0.0 << 200;
        QTest::newRow("a hugely negative rate is the largest") << 30 << -1e306 << 30;
        QTest::newRow("3 records at 50 %") << 3 << 0.5 << 2;
    }
    void rank()
    {
        QFETCH(int, n);
        QFETCH(double, p);
        QFETCH(int, m);
        QCOMPARE(levelRank(n, p), m);
    }

    void exampleFile()
    {
        const QString path = QFINDTESTDATA("../../examples/lowest_water_levels_1961-1990.txt");
        QVERIFY(!path.isEmpty());
        const DataFile file = readDataFile(path.toStdString());
        QCOMPARE(file.status, FileStatus::Ok);
        QCOMPARE(int(file.records.size()), 30);
        QCOMPARE(int(file.records.front().year), 1961);
        QCOMPARE(int(file.records.back().year), 1990);
        const LevelYear level = designLevel(file.records, 90);
        QCOMPARE(int(level.record.year), 1972);
        QCOMPARE(QString::fromStdString(generalText(level.record.value, Precision::Single)), QString("11.96"));
    }

    void tiedLevelYear()
    {
        const LevelYear level = designLevel({{1961, 5}, {1962, 5}, {1963, 3}}, 50);
        QCOMPARE(level.rank, 2);
        QCOMPARE(int(level.record.year), 1962);
        QCOMPARE(level.record.value, 5.0f);
    }
};

QTEST_GUILESS_MAIN(TestHydrology)
#include "tst_hydrology.moc"
