// varnolek-calc --standard: a class's limit of GB 3838-2002 for an item, the
// exit statuses of an unknown item or class and of a limit the water body
// does not have, and the table as CSV.

#include "cli/csv.h"
#include "support/runcli.h"

#include <QTest>
#include <string>
#include <vector>

class TestStandardCli : public QObject {
    Q_OBJECT

private slots:
    void limit_data();
    void limit();
    void listIsTheTable();
    void listAgreesWithTheLookups();
    void helpNamesTheOption();
};

void TestStandardCli::limit_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err"); // for status 1: a word the usage message must name

    QTest::newRow("total phosphorus in a lake, by name")
        << QStringList{"--standard", "总磷", "III", "--lake"} << 0 << "0.05\n"
        << "";
    QTest::newRow("total phosphorus in a river") << QStringList{"--standard", "TP", "III"} << 0 << "0.2\n"
                                                 << "";
    QTest::newRow("--lake first, code and class in other spellings")
        << QStringList{"--standard", "--lake", "tp", "3"} << 0 << "0.05\n"
        << "";
    QTest::newRow("ammonia nitrogen, Ⅲ") << QStringList{"--standard", "NH3-N", "Ⅲ"} << 0 << "1\n"
                                         << "";
    QTest::newRow("COD, IV") << QStringList{"--standard", "COD", "IV"} << 0 << "30\n"
                             << "";
    QTest::newRow("dissolved oxygen, a lower limit") << QStringList{"--standard", "DO", "I"} << 0 << "7.5\n"
                                                     << "";
    QTest::newRow("mercury, in general text") << QStringList{"--standard", "Hg", "I"} << 0 << "5E-05\n"
                                              << "";
    QTest::newRow("total nitrogen in a lake") << QStringList{"--standard", "TN", "II", "--lake"} << 0 << "0.5\n"
                                              << "";
    QTest::newRow("total nitrogen in a river") << QStringList{"--standard", "TN", "III"} << 3 << ""
                                               << "该项目对河流无标准限值\n";
    QTest::newRow("total nitrogen in a river, by name") << QStringList{"--standard", "总氮", "I"} << 3 << ""
                                                        << "该项目对河流无标准限值\n";
    QTest::newRow("pH has no single limit") << QStringList{"--standard", "pH", "III"} << 3 << ""
                                            << "pH各类均为6～9（无量纲），是范围而非单一限值\n";
    QTest::newRow("unknown item") << QStringList{"--standard", "XYZ", "III"} << 1 << ""
                                  << "XYZ";
    QTest::newRow("unknown class") << QStringList{"--standard", "TP", "VI"} << 1 << ""
                                   << "VI";
    QTest::newRow("unknown item and class: the item") << QStringList{"--standard", "XYZ", "VI"} << 1 << ""
                                                      << "XYZ";
    QTest::newRow("no class") << QStringList{"--standard", "TP"} << 1 << ""
                              << "CLASS";
    QTest::newRow("nothing") << QStringList{"--standard"} << 1 << ""
                             << "CLASS";
    QTest::newRow("a word too many") << QStringList{"--standard", "TP", "III", "IV"} << 1 << ""
                                     << "CLASS";
    QTest::newRow("unknown option") << QStringList{"--standard", "TP", "III", "--lakes"} << 1 << ""
                                    << "--lakes";
    QTest::newRow("--list with more") << QStringList{"--standard", "--list", "--lake"} << 1 << ""
                                      << "--list";
}

void TestStandardCli::limit()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    const CliResult r = runCli(args);
    QCOMPARE(r.status, status);
    QCOMPARE(r.out, out);
    if (status == 1) {
        QVERIFY(r.err.startsWith("varnolek-calc: "));
        QVERIFY2(r.err.contains(err), qPrintable(r.err));
        QVERIFY(r.err.contains("--help"));
        QCOMPARE(r.err.count('\n'), 1);
    } else {
        QCOMPARE(r.err, err);
    }
}

// Read as CSV: the header, then the table's 23 rows of ten fields.
static std::vector<std::vector<std::string>> listed()
{
    const CliResult r = runCli({"--standard", "--list"});
    if (r.status != 0 || !r.err.isEmpty())
        return {};
    const std::string text = r.out.toStdString();
    cli::CsvRecords records(text, 1);
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string_view> fields;
    std::string error;
    while (records.next(fields, error)) {
        if (!error.empty())
            return {};
        rows.emplace_back(fields.begin(), fields.end());
    }
    return rows;
}

void TestStandardCli::listIsTheTable()
{
    const auto rows = listed();
    QCOMPARE(int(rows.size()), 1 + 23);
    QCOMPARE(rows[0],
             (std::vector<std::string>{"name", "code", "unit", "sense", "water body", "I", "II", "III", "IV", "V"}));
    for (const auto &row : rows)
        QCOMPARE(int(row.size()), 10);
    QCOMPARE(rows[1], (std::vector<std::string>{"溶解氧", "DO", "mg/L", "≥", "河流、湖库", "7.5", "6", "5", "3", "2"}));
    QCOMPARE(rows[6],
             (std::vector<std::string>{"总磷", "TP", "mg/L", "≤", "河流", "0.02", "0.1", "0.2", "0.3", "0.4"}));
    QCOMPARE(rows[7],
             (std::vector<std::string>{"总磷", "TP", "mg/L", "≤", "湖库", "0.01", "0.025", "0.05", "0.1", "0.2"}));
    QCOMPARE(rows[8], (std::vector<std::string>{"总氮", "TN", "mg/L", "≤", "湖库", "0.2", "0.5", "1", "1.5", "2"}));
    QCOMPARE(rows[23], (std::vector<std::string>{"粪大肠菌群", "", "个/L", "≤", "河流、湖库", "200", "2000", "10000",
                                                 "20000", "40000"}));
}

// Every cell of the listed table is what --standard prints for its item,
// class and water body: the list and the lookup read the same table.
void TestStandardCli::listAgreesWithTheLookups()
{
    const auto rows = listed();
    QVERIFY(rows.size() > 1);
    const QStringList classes{"I", "II", "III", "IV", "V"};
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const auto &row = rows[i];
        const QString name = QString::fromStdString(row[0]);
        const QString waters = QString::fromStdString(row[4]);
        for (const bool lake : {false, true}) {
            if (waters != "河流、湖库" && (waters == "湖库") != lake)
                continue;
            for (int k = 0; k < 5; ++k) {
                QStringList args{"--standard", name, classes[k]};
                if (lake)
                    args << "--lake";
                const CliResult r = runCli(args);
                QCOMPARE(r.status, 0);
                QCOMPARE(r.out, QString::fromStdString(row[5 + k]) + "\n");
            }
        }
    }
}

void TestStandardCli::helpNamesTheOption()
{
    const CliResult r = runCli({"--help"});
    QCOMPARE(r.status, 0);
    QVERIFY(r.out.contains("--standard ITEM CLASS [--lake]"));
    QVERIFY(r.out.contains("--standard --list"));
}

QTEST_GUILESS_MAIN(TestStandardCli)
#include "tst_standardcli.moc"
