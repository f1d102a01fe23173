// The limits of GB 3838-2002 table 1 as the program carries them, against a
// second copy typed here by hand from the standard; the lookups by name, code
// and class; what is no single limit.

#include "core/numbers.h"
#include "core/standards.h"

#include <QtTest>

using namespace varnolek;
using namespace varnolek::standards;

namespace {

QString q(std::string_view text)
{
    return QString::fromUtf8(text.data(), int(text.size()));
}

// The limit of an item for a water body and class (0 to 4) in general text,
// or the message why there is none.
QString limitText(std::string_view item, WaterBody body, int classIndex)
{
    const Limit l = limit(item, body, classIndex);
    return l.value ? q(generalText(*l.value)) : "no limit: " + q(l.message);
}

struct HandRow {
    const char *name;
    const char *code;
    const char *waters; // "both", "river", "lake"
    const char *sense;
    const char *unit;
    QStringList limits; // I to V as the standard prints them
};

// Table 1 typed from the standard, every row in its order. Rivers and lakes
// differ in total phosphorus; total nitrogen is for lakes and reservoirs only.
const HandRow handCopy[] = {
    {"溶解氧", "DO", "both", "≥", "mg/L", {"7.5", "6", "5", "3", "2"}},
    {"高锰酸盐指数", "CODMn", "both", "≤", "mg/L", {"2", "4", "6", "10", "15"}},
    {"化学需氧量", "COD", "both", "≤", "mg/L", {"15", "15", "20", "30", "40"}},
    {"五日生化需氧量", "BOD5", "both", "≤", "mg/L", {"3", "3", "4", "6", "10"}},
    {"氨氮", "NH3-N", "both", "≤", "mg/L", {"0.15", "0.5", "1.0", "1.5", "2.0"}},
    {"总磷", "TP", "river", "≤", "mg/L", {"0.02", "0.1", "0.2", "0.3", "0.4"}},
    {"总磷", "TP", "lake", "≤", "mg/L", {"0.01", "0.025", "0.05", "0.1", "0.2"}},
    {"总氮", "TN", "lake", "≤", "mg/L", {"0.2", "0.5", "1.0", "1.5", "2.0"}},
    {"铜", "Cu", "both", "≤", "mg/L", {"0.01", "1.0", "1.0", "1.0", "1.0"}},
    {"锌", "Zn", "both", "≤", "mg/L", {"0.05", "1.0", "1.0", "2.0", "2.0"}},
    {"氟化物", "F⁻", "both", "≤", "mg/L", {"1.0", "1.0", "1.0", "1.5", "1.5"}},
    {"硒", "Se", "both", "≤", "mg/L", {"0.01", "0.01", "0.01", "0.02", "0.02"}},
    {"砷", "As", "both", "≤", "mg/L", {"0.05", "0.05", "0.05", "0.1", "0.1"}},
    {"汞", "Hg", "both", "≤", "mg/L", {"0.00005", "0.00005", "0.0001", "0.001", "0.001"}},
    {"镉", "Cd", "both", "≤", "mg/L", {"0.001", "0.005", "0.005", "0.005", "0.01"}},
    {"铬(六价)", "Cr6+", "both", "≤", "mg/L", {"0.01", "0.05", "0.05", "0.05", "0.1"}},
    {"铅", "Pb", "both", "≤", "mg/L", {"0.01", "0.01", "0.05", "0.05", "0.1"}},
    {"氰化物", "CN⁻", "both", "≤", "mg/L", {"0.005", "0.05", "0.2", "0.2", "0.2"}},
    {"挥发酚", "", "both", "≤", "mg/L", {"0.002", "0.002", "0.005", "0.01", "0.1"}},
    {"石油类", "", "both", "≤", "mg/L", {"0.05", "0.05", "0.05", "0.5", "1.0"}},
    {"阴离子表面活性剂", "", "both", "≤", "mg/L", {"0.2", "0.2", "0.2", "0.3", "0.3"}},
    {"硫化物", "", "both", "≤", "mg/L", {"0.05", "0.1", "0.2", "0.5", "1.0"}},
    {"粪大肠菌群", "", "both", "≤", "个/L", {"200", "2000", "10000", "20000", "40000"}},
};

} // namespace

class TestStandards : public QObject {
    Q_OBJECT

private slots:
    void agreesWithTheHandCopy_data();
    void agreesWithTheHandCopy();
    void everyRowOfTheTableAndNoOther();
    void limitsPrintAsTheTableWritesThem_data();
    void limitsPrintAsTheTableWritesThem();
    void noSingleLimit_data();
    void noSingleLimit();
    void pickerLeavesOutRangeAndChange();
    void itemsByNameAndCode_data();
    void itemsByNameAndCode();
    void classes_data();
    void classes();
};

void TestStandards::agreesWithTheHandCopy_data()
{
    QTest::addColumn<int>("row");
    for (const HandRow &row : handCopy)
        QTest::newRow(qPrintable(QString::fromUtf8(row.name) + " " + row.waters)) << int(&row - handCopy);
}

// Each limit is the very double the standard's decimal reads as, for each
// water body the row is for, and found both by the item's name and its code.
void TestStandards::agreesWithTheHandCopy()
{
    QFETCH(int, row);
    const HandRow &hand = handCopy[row];
    const QString waters = hand.waters;
    const std::optional<std::string_view> byName = standards::findItem(hand.name);
    QVERIFY(byName);
    QCOMPARE(q(*byName), QString::fromUtf8(hand.name));
    if (*hand.code) {
        const std::optional<std::string_view> byCode = standards::findItem(hand.code);
        QVERIFY(byCode);
        QCOMPARE(q(*byCode), QString::fromUtf8(hand.name));
    }
    for (WaterBody body : {WaterBody::River, WaterBody::Lake}) {
        const bool covered = waters == "both" || waters == (body == WaterBody::River ? "river" : "lake");
        const Row *r = rowFor(hand.name, body);
        if (!covered) {
            // The other row of total phosphorus, or none for total nitrogen in a river.
            QVERIFY(!r || r != rowFor(hand.name, body == WaterBody::River ? WaterBody::Lake : WaterBody::River));
            continue;
        }
        QVERIFY(r);
        QCOMPARE(q(r->code), QString::fromUtf8(hand.code));
        QCOMPARE(q(senseText(r->sense)), QString::fromUtf8(hand.sense));
        QCOMPARE(q(r->unit), QString::fromUtf8(hand.unit));
        for (int k = 0; k < classCount; ++k) {
            const Limit l = limit(hand.name, body, k);
            QVERIFY2(l.value, qPrintable(hand.limits[k]));
            const double typed = readNumber(hand.limits[k].toStdString());
            QVERIFY2(
                *l.value == typed,
                qPrintable(QString("class %1: %2, typed %3").arg(k + 1).arg(*l.value, 0, 'g', 17).arg(hand.limits[k])));
        }
    }
}

// The program's limit rows are the hand copy's rows, in its order: a row
// dropped, added or moved shows here.
void TestStandards::everyRowOfTheTableAndNoOther()
{
    QStringList program, typed;
    for (const Row &row : table())
        if (isLimit(row))
            program << q(row.name) + " " + q(watersText(row.waters));
    const QHash<QString, QString> waters{{"both", "河流、湖库"}, {"river", "河流"}, {"lake", "湖库"}};
    for (const HandRow &row : handCopy)
        typed << QString::fromUtf8(row.name) + " " + waters.value(row.waters);
    QCOMPARE(program, typed);
    QCOMPARE(program.size(), 23);
}

void TestStandards::limitsPrintAsTheTableWritesThem_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("lake");
    QTest::addColumn<int>("classIndex");
    QTest::addColumn<QString>("text");

    QTest::newRow("total phosphorus, lake, III") << "总磷" << true << 2 << "0.05";
    QTest::newRow("total phosphorus, river, III") << "总磷" << false << 2 << "0.2";
    QTest::newRow("total phosphorus, lake, II") << "总磷" << true << 1 << "0.025";
    QTest::newRow("ammonia nitrogen, I") << "氨氮" << false << 0 << "0.15";
    QTest::newRow("1.0 has no trailing zero") << "氨氮" << false << 2 << "1";
    QTest::newRow("dissolved oxygen, I") << "溶解氧" << false << 0 << "7.5";
    QTest::newRow("faecal coliforms, V") << "粪大肠菌群" << true << 4 << "40000";
    QTest::newRow("total nitrogen, lake, II") << "总氮" << true << 1 << "0.5";
    QTest::newRow("volatile phenol, I") << "挥发酚" << false << 0 << "0.002";
    // Below 10^-4 the general text is scientific, as for every number of the program.
    QTest::newRow("mercury, I") << "汞" << false << 0 << "5E-05";
    QTest::newRow("mercury, III") << "汞" << false << 2 << "0.0001";
}

void TestStandards::limitsPrintAsTheTableWritesThem()
{
    QFETCH(QString, item);
    QFETCH(bool, lake);
    QFETCH(int, classIndex);
    QFETCH(QString, text);
    const std::string name = item.toStdString();
    QCOMPARE(limitText(name, lake ? WaterBody::Lake : WaterBody::River, classIndex), text);
}

void TestStandards::noSingleLimit_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("lake");
    QTest::addColumn<int>("classIndex");
    QTest::addColumn<QString>("answer");

    QTest::newRow("total nitrogen in a river") << "总氮" << false << 2 << "no limit: 该项目对河流无标准限值";
    QTest::newRow("total nitrogen in a river, every class")
        << "总氮" << false << 0 << "no limit: 该项目对河流无标准限值";
    QTest::newRow("total nitrogen in a lake has one") << "总氮" << true << 2 << "1";
    QTest::newRow("pH is a range") << "pH" << false << 2 << "no limit: pH各类均为6～9（无量纲），是范围而非单一限值";
    QTest::newRow("water temperature is a change") << "水温" << true << 2
                                                   << "no limit: "
                                                      "水温为人为造成的变化限值（周平均最大温升≤1℃，周平均最大温降≤"
                                                      "2℃），不是单一限值";
    QTest::newRow("an unknown item, no message") << "总" << false << 2 << "no limit: ";
    QTest::newRow("an unknown item in a lake, no message") << "总" << true << 2 << "no limit: ";
    QTest::newRow("a class beyond V") << "总磷" << true << 5 << "no limit: ";
    QTest::newRow("a class before I") << "总磷" << true << -1 << "no limit: ";
}

void TestStandards::noSingleLimit()
{
    QFETCH(QString, item);
    QFETCH(bool, lake);
    QFETCH(int, classIndex);
    QFETCH(QString, answer);
    const std::string name = item.toStdString();
    QCOMPARE(limitText(name, lake ? WaterBody::Lake : WaterBody::River, classIndex), answer);
}

// pH and water temperature stay in the table as data, but a target cannot be
// taken from them; total phosphorus, with two rows, is offered once.
void TestStandards::pickerLeavesOutRangeAndChange()
{
    QStringList picked;
    for (std::string_view name : pickerItems())
        picked << q(name);
    QCOMPARE(picked.size(), 22);
    QCOMPARE(picked.first(), "溶解氧");
    QCOMPARE(picked.count("总磷"), 1);
    QVERIFY(picked.contains("总氮"));
    QVERIFY(!picked.contains("pH"));
    QVERIFY(!picked.contains("水温"));
    QVERIFY(findItem("pH") && !isLimit(*rowFor("pH", WaterBody::River)));
    QVERIFY(findItem("水温") && !isLimit(*rowFor("水温", WaterBody::Lake)));
}

void TestStandards::itemsByNameAndCode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("item"); // empty: none

    QTest::newRow("name") << "总磷"
                          << "总磷";
    QTest::newRow("code") << "TP"
                          << "总磷";
    QTest::newRow("code in small letters") << "tp"
                                           << "总磷";
    QTest::newRow("COD is the dichromate index") << "COD"
                                                 << "化学需氧量";
    QTest::newRow("CODMn is the permanganate index") << "CODMn"
                                                     << "高锰酸盐指数";
    QTest::newRow("codmn") << "codmn"
                           << "高锰酸盐指数";
    QTest::newRow("BOD5") << "BOD5"
                          << "五日生化需氧量";
    QTest::newRow("NH3-N") << "NH3-N"
                           << "氨氮";
    QTest::newRow("TN") << "TN"
                        << "总氮";
    QTest::newRow("DO") << "DO"
                        << "溶解氧";
    QTest::newRow("element symbol Hg") << "Hg"
                                       << "汞";
    QTest::newRow("element symbol Pb") << "Pb"
                                       << "铅";
    QTest::newRow("element symbol Cu") << "Cu"
                                       << "铜";
    QTest::newRow("element symbol Cr for hexavalent chromium") << "Cr"
                                                               << "铬(六价)";
    QTest::newRow("Cr6+") << "Cr6+"
                          << "铬(六价)";
    QTest::newRow("full-width brackets") << "铬（六价）"
                                         << "铬(六价)";
    QTest::newRow("fluoride as the table writes it") << "F⁻"
                                                     << "氟化物";
    QTest::newRow("fluoride in ASCII") << "F-"
                                       << "氟化物";
    QTest::newRow("cyanide in ASCII") << "CN-"
                                      << "氰化物";
    QTest::newRow("an item without a code, by name") << "石油类"
                                                     << "石油类";
    QTest::newRow("unknown code") << "COD5"
                                  << "";
    QTest::newRow("part of a name") << "总"
                                    << "";
    QTest::newRow("empty text") << ""
                                << "";
    QTest::newRow("name with a blank") << "总磷 "
                                       << "";
}

void TestStandards::itemsByNameAndCode()
{
    QFETCH(QString, text);
    QFETCH(QString, item);
    const std::optional<std::string_view> found = standards::findItem(text.toStdString());
    QCOMPARE(found ? q(*found) : QString(), item);
}

void TestStandards::classes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("classIndex"); // -1: none

    QTest::newRow("I") << "I" << 0;
    QTest::newRow("III") << "III" << 2;
    QTest::newRow("iv") << "iv" << 3;
    QTest::newRow("5") << "5" << 4;
    QTest::newRow("Ⅱ") << "Ⅱ" << 1;
    QTest::newRow("Ⅴ") << "Ⅴ" << 4;
    QTest::newRow("III类") << "III类" << 2;
    QTest::newRow("Ⅲ类") << "Ⅲ类" << 2;
    QTest::newRow("VI") << "VI" << -1;
    QTest::newRow("IIII") << "IIII" << -1;
    QTest::newRow("0") << "0" << -1;
    QTest::newRow("6") << "6" << -1;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("类 alone") << "类" << -1;
    QTest::newRow("3.0") << "3.0" << -1;
}

void TestStandards::classes()
{
    QFETCH(QString, text);
    QFETCH(int, classIndex);
    const std::optional<int> parsed = standards::parseClass(text.toStdString());
    QCOMPARE(parsed ? *parsed : -1, classIndex);
    if (parsed)
        QCOMPARE(q(className(*parsed)), QStringList({"I", "II", "III", "IV", "V"})[classIndex]);
}

QTEST_GUILESS_MAIN(TestStandards)
#include "tst_standards.moc"
