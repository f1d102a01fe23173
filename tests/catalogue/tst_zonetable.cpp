// The zone table's rows: each computed as its catalogue method computes the
// same texts, the target concentration filled from GB 3838-2002, overridden
// by a typed one and back; the load limit, reduction and remaining capacity;
// cell texts the table refuses; the columns the methods bring; the totals.

#include "catalogue/zonetable.h"
#include "core/numbers.h"
#include "core/standards.h"

#include <QTest>
#include <set>

using catalogue::ColumnKind;
using catalogue::ZoneColumn;
using catalogue::ZoneRow;
using catalogue::ZoneState;
using catalogue::ZoneTable;

Q_DECLARE_METATYPE(catalogue::WaterType)

namespace {

ZoneColumn kind(ColumnKind k)
{
    ZoneColumn c;
    c.kind = k;
    return c;
}

ZoneColumn field(const char *name, const char *unit)
{
    ZoneColumn c;
    c.kind = ColumnKind::Field;
    c.field = name;
    c.unit = unit;
    return c;
}

// A cell typed into a row; the test fails when the table refuses it.
ZoneRow typed(const ZoneRow &row, const ZoneColumn &column, const std::string &text)
{
    std::string error;
    std::optional<ZoneRow> after = catalogue::applyCell(row, column, text, error);
    if (!after)
        qFatal("refused %s: %s", text.c_str(), error.c_str());
    return *after;
}

// A row of a method with every field at its default text, the target
// typed as its default too, on a river of class III for COD.
ZoneRow defaultRow(const catalogue::Entry &method, const std::string &load = "100")
{
    ZoneRow row;
    row.zone = "测试水功能区";
    row.waterName = "清水河";
    row.waterClass = "III";
    row.item = "COD";
    row.calculation = method.id;
    for (const catalogue::Field &f : method.fields)
        row.fields.emplace_back(f.name, f.defaultText);
    row.targetTyped = true;
    row.load = load;
    return row;
}

// The texts people type: a comma ending the number, blanks, a tail, an exponent.
const std::vector<std::string> oddTexts = {"2,5", " 7", "0.35x", "1e2", "  12  "};

} // namespace

class TestZoneTable : public QObject {
    Q_OBJECT

private slots:
    void rowGivesWhatItsMethodGives_data();
    void rowGivesWhatItsMethodGives();
    void everyCapacityEntryIsAMethod();
    void targetFromTheStandard_data();
    void targetFromTheStandard();
    void typedTargetOverridesAndClearingReturns();
    void loadLimitReductionAndRemaining_data();
    void loadLimitReductionAndRemaining();
    void failingRowAloneFails();
    void refusedCells_data();
    void refusedCells();
    void choicesWrittenTheTableWay_data();
    void choicesWrittenTheTableWay();
    void methodChangeKeepsTheSharedFields();
    void columnsPerFieldAndUnit();
    void columnsFollowTheMethodsUsed();
    void totalsByPollutantAndWaterBody();
};

void TestZoneTable::rowGivesWhatItsMethodGives_data()
{
    QTest::addColumn<QString>("method");
    QTest::addColumn<int>("field"); // the field given an odd text, or -1
    QTest::addColumn<QString>("text");
    for (const catalogue::Entry *method : catalogue::tableMethods()) {
        QTest::addRow("%s at its defaults", method->id.c_str()) << QString::fromStdString(method->id) << -1 << "";
        for (std::size_t f = 0; f < method->fields.size(); ++f) {
            const std::string &text = oddTexts[f % oddTexts.size()];
            QTest::addRow("%s %s=%s", method->id.c_str(), method->fields[f].name.c_str(), text.c_str())
                << QString::fromStdString(method->id) << int(f) << QString::fromStdString(text);
        }
    }
}

void TestZoneTable::rowGivesWhatItsMethodGives()
{
    QFETCH(QString, method);
    QFETCH(int, field);
    QFETCH(QString, text);
    const catalogue::Entry &entry = *catalogue::tableMethod(method.toStdString());
    ZoneRow row = defaultRow(entry);
    catalogue::Case c = catalogue::defaultCase(entry);
    if (field >= 0) {
        const catalogue::Field &f = entry.fields[std::size_t(field)];
        row = typed(row, ::field(f.name.c_str(), f.unit.c_str()), text.toStdString());
        c.setOwned(entry.fields[std::size_t(field)].name, text.toStdString());
    }
    const catalogue::ZoneOutcome zone = catalogue::computeZone(row);
    const catalogue::Outcome calculator = catalogue::evaluate(entry, c);
    QCOMPARE(zone.state == ZoneState::Done, calculator.status == catalogue::Status::Done);
    if (calculator.status != catalogue::Status::Done) {
        QCOMPARE(QString::fromStdString(zone.status), QString::fromStdString(calculator.message));
        QVERIFY(!zone.capacity);
        return;
    }
    QCOMPARE(QString::fromStdString(zone.capacityText),
             QString::fromStdString(*calculator.result.text(entry.main().name)));
    QCOMPARE(*zone.capacity, *calculator.result.number(entry.main().name));
}

void TestZoneTable::everyCapacityEntryIsAMethod()
{
    // The table's methods are read from the catalogue: every entry that
    // declares a capacity and reads its fields from its form alone.
    std::size_t capacities = 0;
    for (const catalogue::Entry &e : catalogue::entries())
        if (e.capacity != catalogue::Capacity::None && e.groups.empty() && !catalogue::keepsDialogFields(e)) {
            ++capacities;
            QVERIFY2(catalogue::tableMethod(e.id) == &e, e.id.c_str());
            QVERIFY2(!e.target.empty() && e.field(e.target), e.id.c_str());
        }
    QCOMPARE(catalogue::tableMethods().size(), capacities);
    QVERIFY(capacities >= 6);
    QVERIFY(!catalogue::tableMethod("my1dform"));
}

void TestZoneTable::targetFromTheStandard_data()
{
    QTest::addColumn<catalogue::WaterType>("water");
    QTest::addColumn<QString>("waterClass");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("target"); // as the cell shows it
    QTest::addColumn<bool>("computed");
    QTest::addColumn<QString>("status"); // when not computed
    const auto river = catalogue::WaterType::River, lake = catalogue::WaterType::Lake;
    QTest::newRow("COD III river") << river << "III"
                                   << "COD"
                                   << "20" << true << "";
    QTest::newRow("NH3-N II river") << river << "II"
                                    << "NH3-N"
                                    << "0.5" << true << "";
    QTest::newRow("TP II river") << river << "II"
                                 << "TP"
                                 << "0.1" << true << "";
    QTest::newRow("TP II lake, tighter") << lake << "II"
                                         << "TP"
                                         << "0.025" << true << "";
    QTest::newRow("TN III lake") << lake << "III"
                                 << "TN"
                                 << "1" << true << "";
    QTest::newRow("mercury I, as --standard writes it") << river << "I"
                                                        << "Hg"
                                                        << "5E-05" << true << "";
    QTest::newRow("TN river: no limit, the cell says so")
        << river << "III"
        << "TN"
        << "该项目对河流无标准限值" << false << "该项目对河流无标准限值，请输入水质目标浓度";
    QTest::newRow("no pollutant chosen") << river << "III"
                                         << ""
                                         << "" << false << "请选择污染物，以便按标准取水质目标浓度";
    QTest::newRow("no class chosen") << lake << ""
                                     << "COD"
                                     << "" << false << "请选择水质目标类别，以便按标准取水质目标浓度";
}

void TestZoneTable::targetFromTheStandard()
{
    QFETCH(catalogue::WaterType, water);
    QFETCH(QString, waterClass);
    QFETCH(QString, item);
    QFETCH(QString, target);
    QFETCH(bool, computed);
    QFETCH(QString, status);
    for (const catalogue::Entry *method : catalogue::tableMethods()) {
        ZoneRow row = defaultRow(*method);
        row = typed(row, field(method->target.c_str(), "mg/L"), ""); // back to the standard
        row.water = water;
        row.waterClass = waterClass.toStdString();
        row.item = item.toStdString();
        ZoneTable table({row});
        const ZoneColumn targetColumn = field(method->target.c_str(), method->field(method->target)->unit.c_str());
        QCOMPARE(QString::fromStdString(table.text(0, targetColumn)), target);
        QCOMPARE(table.typedText(0, targetColumn), std::string()); // nothing typed
        QCOMPARE(table.fromStandard(0, targetColumn), true);
        QCOMPARE(table.outcome(0).state == ZoneState::Done, computed);
        if (!computed) {
            QCOMPARE(table.outcome(0).state, ZoneState::Incomplete);
            QCOMPARE(QString::fromStdString(table.outcome(0).status), status);
            QVERIFY(!table.outcome(0).capacity);
            continue;
        }
        // The same as the method computes with the limit typed in.
        catalogue::Case c = catalogue::defaultCase(*method);
        c.setOwned(method->target, target.toStdString());
        QCOMPARE(table.outcome(0).capacityText, *catalogue::evaluate(*method, c).result.text(method->main().name));
    }
}

void TestZoneTable::typedTargetOverridesAndClearingReturns()
{
    const catalogue::Entry &method = *catalogue::tableMethod("my1dw");
    const ZoneColumn target = field("mycs", "mg/L");
    ZoneRow row = typed(defaultRow(method), target, "");
    QVERIFY(!row.targetTyped);
    QVERIFY(!row.fieldText("mycs"));
    QCOMPARE(catalogue::computeZone(row).target, std::string("20"));

    ZoneRow own = typed(row, target, "12.5");
    QVERIFY(own.targetTyped);
    QCOMPARE(*own.fieldText("mycs"), std::string("12.5"));
    ZoneTable table({own});
    QCOMPARE(table.text(0, target), std::string("12.5"));
    QVERIFY(!table.fromStandard(0, target));
    QCOMPARE(table.typedText(0, target), std::string("12.5"));
    // A typed target stays when the class or pollutant changes.
    own = typed(typed(own, kind(ColumnKind::WaterClass), "V"), kind(ColumnKind::Item), "NH3-N");
    QCOMPARE(catalogue::computeZone(own).target, std::string("12.5"));

    const ZoneRow back = typed(own, target, "");
    QVERIFY(!back.targetTyped);
    QVERIFY(!back.fieldText("mycs"));
    QCOMPARE(catalogue::computeZone(back).target, std::string("2")); // NH3-N class V
    QVERIFY(catalogue::computeZone(back).targetFromStandard);
}

void TestZoneTable::loadLimitReductionAndRemaining_data()
{
    QTest::addColumn<QString>("c0");   // the background concentration of my1dw (mg/L), whose sign W follows
    QTest::addColumn<QString>("load"); // t/a as typed
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("status");
    QTest::newRow("load below W: meets") << "6"
                                         << "100" << int(ZoneState::Done) << "达标";
    QTest::newRow("load above W: reduce") << "6"
                                          << "1e6" << int(ZoneState::Done) << "需削减";
    QTest::newRow("W below zero: no limit, all to reduce") << "30"
                                                           << "50" << int(ZoneState::Done) << "需削减";
    QTest::newRow("no load: W alone") << "6"
                                      << "" << int(ZoneState::Incomplete) << "请输入现状入河量";
    QTest::newRow("negative load") << "6"
                                   << "-5" << int(ZoneState::Failed) << "现状入河量不能为负值";
    QTest::newRow("load beyond a number") << "6"
                                          << "1e999" << int(ZoneState::Failed) << "现状入河量：溢出";
}

void TestZoneTable::loadLimitReductionAndRemaining()
{
    QFETCH(QString, c0);
    QFETCH(QString, load);
    QFETCH(int, state);
    QFETCH(QString, status);
    const catalogue::Entry &method = *catalogue::tableMethod("my1dw");
    ZoneRow row = typed(defaultRow(method, load.toStdString()), field("myc0", "mg/L"), c0.toStdString());
    const catalogue::ZoneOutcome o = catalogue::computeZone(row);
    QCOMPARE(int(o.state), state);
    QCOMPARE(QString::fromStdString(o.status), status);
    QVERIFY(o.capacity); // W stands whatever the load
    QCOMPARE(*o.limit, std::max(0.0, *o.capacity));
    QCOMPARE(o.limitText, *o.capacity >= 0 ? o.capacityText : std::string("0.000"));
    if (state != int(ZoneState::Done)) {
        QVERIFY(!o.reduction && !o.remaining && o.reductionText.empty());
        return;
    }
    const double l = varnolek::readNumber(load.toStdString());
    QCOMPARE(*o.reduction, std::max(0.0, l - *o.limit));
    QCOMPARE(*o.remaining, std::max(0.0, *o.capacity - l));
    QVERIFY(*o.reduction <= l); // never more than the whole load
    QCOMPARE(o.reductionText, varnolek::formatPattern(*o.reduction, varnolek::Precision::Double, "#########0.000"));
    QCOMPARE(o.remainingText, varnolek::formatPattern(*o.remaining, varnolek::Precision::Double, "#########0.000"));
}

void TestZoneTable::failingRowAloneFails()
{
    const catalogue::Entry &method = *catalogue::tableMethod("my1dw");
    ZoneRow good = defaultRow(method);
    ZoneRow bad = typed(good, field("myu", "m/s"), "0"); // a river that does not flow
    ZoneRow empty = typed(good, field("myk", "1/d"), "");
    ZoneTable table({good, bad, empty, good});
    catalogue::Case c = catalogue::defaultCase(method);
    c.set("myu", "0");
    const catalogue::Outcome calculator = catalogue::evaluate(method, c);
    QCOMPARE(calculator.status, catalogue::Status::Failed);
    QCOMPARE(table.outcome(1).state, ZoneState::Failed);
    QCOMPARE(table.outcome(1).status, calculator.message);
    QCOMPARE(table.text(1, kind(ColumnKind::Capacity)), std::string()); // computes nothing
    QCOMPARE(table.outcome(2).state, ZoneState::Incomplete);
    QCOMPARE(table.outcome(2).status, std::string("请输入全部的参数"));
    for (std::size_t r : {std::size_t(0), std::size_t(3)}) {
        QCOMPARE(table.outcome(r).state, ZoneState::Done);
        QCOMPARE(table.outcome(r).capacityText, table.outcome(0).capacityText);
    }
}

void TestZoneTable::refusedCells_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("field"); // of a field column
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("error");
    QTest::newRow("class VI") << int(ColumnKind::WaterClass) << ""
                              << "VI"
                              << "水质目标应为 I、II、III、IV 或 V 类，不是“VI”";
    QTest::newRow("a pollutant not in the standard") << int(ColumnKind::Item) << ""
                                                     << "PM2.5"
                                                     << "“PM2.5”不是 GB 3838-2002 表1中有上限的污染物";
    QTest::newRow("dissolved oxygen has a lower limit") << int(ColumnKind::Item) << ""
                                                        << "DO"
                                                        << "“DO”不是 GB 3838-2002 表1中有上限的污染物";
    QTest::newRow("faecal coliforms are not counted in mg/L") << int(ColumnKind::Item) << ""
                                                              << "粪大肠菌群"
                                                              << "“粪大肠菌群”不是 GB 3838-2002 表1中有上限的污染物";
    QTest::newRow("a window that computes no capacity") << int(ColumnKind::Method) << ""
                                                        << "my1dform"
                                                        << "“my1dform”不是计算纳污能力的方法";
    QTest::newRow("a sea") << int(ColumnKind::WaterType) << ""
                           << "海洋"
                           << "水体类型应为“河流”或“湖库”";
    QTest::newRow("a field my1dw has not") << int(ColumnKind::Field) << "myr"
                                           << "100"
                                           << "计算方法“my1dw”没有参数“辐射半径(m)”";
    QTest::newRow("a computed column") << int(ColumnKind::Capacity) << ""
                                       << "5"
                                       << "“纳污能力W(t/a)”由计算得出，不能输入";
    QTest::newRow("the status") << int(ColumnKind::Status) << ""
                                << "达标"
                                << "“状态”由计算得出，不能输入";
}

void TestZoneTable::refusedCells()
{
    QFETCH(int, column);
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, error);
    const ZoneRow row = defaultRow(*catalogue::tableMethod("my1dw"));
    ZoneColumn c;
    for (const ZoneColumn &candidate : catalogue::zoneColumns(catalogue::tableMethods()))
        if (int(candidate.kind) == column && candidate.field == field.toStdString()) {
            c = candidate; // the first of a name: the radius in m before a retention coefficient
            break;
        }
    std::string why;
    QVERIFY(!catalogue::applyCell(row, c, text.toStdString(), why));
    QCOMPARE(QString::fromStdString(why), error);
}

void TestZoneTable::choicesWrittenTheTableWay_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("stored");
    QTest::newRow("class as a digit") << int(ColumnKind::WaterClass) << "3"
                                      << "III";
    QTest::newRow("class in Roman numerals with 类") << int(ColumnKind::WaterClass) << "Ⅳ类"
                                                     << "IV";
    QTest::newRow("class in small letters") << int(ColumnKind::WaterClass) << "ii"
                                            << "II";
    QTest::newRow("a pollutant by its name") << int(ColumnKind::Item) << "氨氮"
                                             << "NH3-N";
    QTest::newRow("a code in small letters") << int(ColumnKind::Item) << "cod"
                                             << "COD";
    QTest::newRow("an item without a code") << int(ColumnKind::Item) << "挥发酚"
                                            << "挥发酚";
    QTest::newRow("hexavalent chromium by its symbol") << int(ColumnKind::Item) << "Cr"
                                                       << "Cr6+";
    QTest::newRow("a method by its title") << int(ColumnKind::Method) << "计算河道一维水体纳污能力"
                                           << "my1dw";
    QTest::newRow("a reservoir is a lake") << int(ColumnKind::WaterType) << "水库"
                                           << "湖库";
}

void TestZoneTable::choicesWrittenTheTableWay()
{
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(QString, stored);
    const ZoneRow row = typed(ZoneRow(), kind(ColumnKind(column)), text.toStdString());
    const ZoneTable table({row});
    QCOMPARE(QString::fromStdString(table.typedText(0, kind(ColumnKind(column)))), stored);
}

void TestZoneTable::methodChangeKeepsTheSharedFields()
{
    ZoneRow row = defaultRow(*catalogue::tableMethod("my1dw"));
    row = typed(row, field("mycs", "mg/L"), "9");
    // The lake's fields: K, flow and the target shared; C0, Q2, u and x not.
    const ZoneRow lake = typed(row, kind(ColumnKind::Method), "my0dw");
    QCOMPARE(lake.calculation, std::string("my0dw"));
    QVERIFY(lake.targetTyped);
    QCOMPARE(*lake.fieldText("mycs"), std::string("9"));
    QCOMPARE(*lake.fieldText("myk"), std::string("0.2"));
    QCOMPARE(*lake.fieldText("myq0"), std::string("200"));
    for (const char *gone : {"myc0", "myq2", "myu", "myx"})
        QVERIFY2(!lake.fieldText(gone), gone);
    // The river width (m) is not the lake's volume (万m3): a name alone is not enough.
    ZoneRow oneWay = typed(typed(row, kind(ColumnKind::Method), "myvolform/one-way"), field("myb", "m"), "80");
    const ZoneRow volume = typed(oneWay, kind(ColumnKind::Method), "myvolform/lake");
    QVERIFY(!volume.fieldText("myb"));
    QCOMPARE(*volume.fieldText("myc0"), std::string("6"));
    // No method: nothing to type into, nothing typed.
    const ZoneRow none = typed(row, kind(ColumnKind::Method), "");
    QVERIFY(none.fields.empty() && !none.targetTyped);
    QCOMPARE(catalogue::computeZone(none).status, std::string("请选择计算方法"));
}

void TestZoneTable::columnsPerFieldAndUnit()
{
    const std::vector<ZoneColumn> columns =
        catalogue::zoneColumns({catalogue::tableMethod("myvolform/lake"), catalogue::tableMethod("myvolform/one-way"),
                                catalogue::tableMethod("my0dw")});
    const std::vector<ColumnKind> head = {ColumnKind::Number,    ColumnKind::Zone,       ColumnKind::WaterName,
                                          ColumnKind::WaterType, ColumnKind::WaterClass, ColumnKind::Item,
                                          ColumnKind::Method};
    for (std::size_t i = 0; i < head.size(); ++i)
        QCOMPARE(columns[i].kind, head[i]);
    const std::vector<ColumnKind> tail = {ColumnKind::Load,      ColumnKind::Capacity,  ColumnKind::Limit,
                                          ColumnKind::Reduction, ColumnKind::Remaining, ColumnKind::Status};
    for (std::size_t i = 0; i < tail.size(); ++i)
        QCOMPARE(columns[columns.size() - tail.size() + i].kind, tail[i]);
    QCOMPARE(QString::fromStdString(columns.back().caption), QString("状态"));

    int width = -1, volume = -1, target = -1;
    std::set<std::pair<std::string, std::string>> seen;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].kind != ColumnKind::Field)
            continue;
        QVERIFY2(seen.insert({columns[i].field, columns[i].unit}).second, columns[i].field.c_str());
        if (columns[i].field == "myb")
            (columns[i].unit == "m" ? width : volume) = int(i);
        if (columns[i].field == "mycs")
            target = int(i);
    }
    // Two columns of one name, told apart by their units, captioned by the
    // first method's label; the target shared by all three, the others'
    // labels in its tooltip.
    QVERIFY(width > 0 && volume > 0 && width != volume);
    QCOMPARE(QString::fromStdString(columns[std::size_t(width)].caption), QString("河道宽度(m)"));
    QCOMPARE(QString::fromStdString(columns[std::size_t(volume)].caption), QString(" 湖泊或水库体积(万m3)"));
    QCOMPARE(QString::fromStdString(columns[std::size_t(target)].caption),
             QString("水质标准(mg/L)")); // my0dw comes first
    const QString tip = QString::fromStdString(columns[std::size_t(target)].tooltip);
    QVERIFY2(tip.contains("目标水质(mg/L)") && tip.contains("mycs"), qPrintable(tip));
    // A column of a field no row's method has is not there.
    for (const ZoneColumn &c : columns)
        QVERIFY2(c.field != "myu" && c.field != "mye", c.field.c_str());
}

void TestZoneTable::columnsFollowTheMethodsUsed()
{
    ZoneTable table({defaultRow(*catalogue::tableMethod("my1dw"))});
    QVERIFY(!table.columnIndex(field("myr", "m")));
    QVERIFY(table.columnIndex(field("myu", "m/s")));
    const ZoneColumn radius = field("myr", "m");
    QVERIFY(!table.hasField(0, radius));
    table.insert(1, {defaultRow(*catalogue::tableMethod("my0dw"))});
    QVERIFY(table.columnIndex(radius));
    QVERIFY(!table.hasField(0, radius)); // greyed in the river's row
    QVERIFY(table.hasField(1, radius));
    QCOMPARE(table.text(0, radius), std::string());
    table.setRow(1, typed(table.row(1), kind(ColumnKind::Method), "my1dw"));
    QVERIFY(!table.columnIndex(radius));
    // The columns stand in the one order of all columns.
    for (std::size_t i = 1; i < table.columns().size(); ++i)
        QVERIFY(catalogue::columnOrder(table.columns()[i - 1]) < catalogue::columnOrder(table.columns()[i]));
    table.erase(0, 2);
    QVERIFY(!table.columnIndex(field("myu", "m/s")));
    QCOMPARE(table.columns().size(), std::size_t(13)); // the fixed columns alone
}

void TestZoneTable::totalsByPollutantAndWaterBody()
{
    const catalogue::Entry &method = *catalogue::tableMethod("my1dw");
    auto zone = [&](const char *water, const char *item, const char *load) {
        ZoneRow row = typed(defaultRow(method, load), kind(ColumnKind::Item), item);
        row.waterName = water;
        return row;
    };
    ZoneTable table({zone("清水河", "COD", "100"), zone("白沙河", "COD", "1e6"), zone("清水河", "NH3-N", "10"),
                     zone("清水河", "COD", "50"), zone("", "COD", "1"), zone("清水河", "COD", "")});
    const catalogue::Totals t = table.totals();
    QCOMPARE(t.counted, std::size_t(5));
    QCOMPARE(t.notCounted, std::size_t(1)); // the row without a load
    QCOMPARE(t.byItem.size(), std::size_t(2));
    QCOMPARE(t.byItem[0].item, std::string("COD"));
    QCOMPARE(t.byItem[0].zones, std::size_t(4));
    const double w = *table.outcome(0).capacity;
    QCOMPARE(t.byItem[0].capacity, 4 * w);
    QCOMPARE(t.byItem[0].load, 100 + 1e6 + 50 + 1);
    QCOMPARE(t.byItem[0].reduction, 1e6 - w);
    QCOMPARE(t.byItem[0].remaining, (w - 100) + (w - 50) + (w - 1));
    // By water body, each pollutant apart, the water bodies as they first appear.
    QCOMPARE(t.byWater.size(), std::size_t(4));
    QCOMPARE(t.byWater[0].water + "/" + t.byWater[0].item, std::string("清水河/COD"));
    QCOMPARE(t.byWater[0].zones, std::size_t(2));
    QCOMPARE(t.byWater[1].water + "/" + t.byWater[1].item, std::string("清水河/NH3-N"));
    QCOMPARE(t.byWater[2].water, std::string("白沙河"));
    QCOMPARE(t.byWater[3].water, std::string(catalogue::unnamedWater));
}

QTEST_GUILESS_MAIN(TestZoneTable)
#include "tst_zonetable.moc"
