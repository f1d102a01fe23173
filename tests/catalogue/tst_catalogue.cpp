// The catalogue itself: units and ranges read from the labels, the names a
// calculation accepts, cases that keep their own texts, and the spaced values
// of a sweep.

#include "catalogue/catalogue.h"
#include "catalogue/datafile.h"
#include "catalogue/sweep.h"
#include "core/parameters.h"

#include <QTest>
#include <cmath>
#include <set>

class TestCatalogue : public QObject {
    Q_OBJECT

private slots:
    void unitAndRangeFromLabel_data();
    void unitAndRangeFromLabel();
    void everyIdIsUniqueAndEveryOutputDeclared();
    void acceptedNames_data();
    void acceptedNames();
    void copiedCaseKeepsItsOwnTexts();
    void spacing_data();
    void spacing();
    void defaultSpan();
    void sweepPointEqualsTheTypedCase();
    void mainValueIsTheSignedBalance();
    void unitsAndRangesAreDeclared();
    void everyMemberIsBoundOnce();
    void capabilitiesNameTheirFields();
};

void TestCatalogue::unitAndRangeFromLabel_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high"); // NaN: no range

    const double none = std::nan("");
    QTest::newRow("range and unit") << "水质降解系数K(0.02-0.5 1/d)"
                                    << "1/d" << 0.02 << 0.5;
    QTest::newRow("范围 before the range") << "水质降解系数k(范围0.02-0.5 1/d)"
                                           << "1/d" << 0.02 << 0.5;
    QTest::newRow("unit glued to the range") << "人均废水量(100-350L/人*d)"
                                             << "L/人*d" << 100.0 << 350.0;
    QTest::newRow("range without unit") << "径流系数(0.1-1)"
                                        << "" << 0.1 << 1.0;
    QTest::newRow("unit only") << "河道宽度(m)"
                               << "m" << none << none;
    QTest::newRow("the last of two brackets") << "废水流量(包括废水量)(m3/s)"
                                              << "m3/s" << none << none;
    QTest::newRow("full-width closing bracket") << "排污口辐射角度(角度）"
                                                << "角度" << none << none;
    QTest::newRow("full-width opening bracket") << "水流流速（m/s)"
                                                << "m/s" << none << none;
    QTest::newRow("no bracket") << "河道中水流速度"
                                << "" << none << none;
    QTest::newRow("caption ending in a colon") << "河道的纳污能力(t/a):"
                                               << "t/a" << none << none;
    QTest::newRow("a note after a full-width comma") << "计算点距排污口的距离X(km，上游为负)"
                                                     << "km" << none << none;
    QTest::newRow("a note after the range") << "水质降解系数K(0.02-0.5 1/d，实测)"
                                            << "1/d" << 0.02 << 0.5;
}

void TestCatalogue::unitAndRangeFromLabel()
{
    QFETCH(QString, label);
    QFETCH(QString, unit);
    QFETCH(double, low);
    QFETCH(double, high);
    const std::string text = label.toStdString();
    QCOMPARE(QString::fromStdString(catalogue::labelUnit(text)), unit);
    const auto range = catalogue::labelRange(text);
    QCOMPARE(range.has_value(), !std::isnan(high));
    if (range) {
        QCOMPARE(range->low, low);
        QCOMPARE(range->high, high);
    }
}

void TestCatalogue::everyIdIsUniqueAndEveryOutputDeclared()
{
    QStringList ids;
    for (const catalogue::Entry &e : catalogue::entries()) {
        QVERIFY2(!ids.contains(QString::fromStdString(e.id)), e.id.c_str());
        ids << QString::fromStdString(e.id);
        QVERIFY(e.mainOutput >= 0 && e.mainOutput < int(e.outputs.size()));
        QVERIFY2(e.main().numeric(), e.id.c_str());
        for (const std::string &name : e.required)
            QVERIFY2(e.field(name), (e.id + ": " + name).c_str());
        for (const catalogue::Symbol &s : e.symbols)
            QVERIFY2(e.field(s.field) || e.output(s.field) || e.group(s.field), (e.id + ": " + s.field).c_str());
        // The defaults give every declared output, in the declared order.
        catalogue::Case c = catalogue::defaultCase(e);
        if (const catalogue::Field *file = catalogue::dataFileField(e))
            c.setOwned(file->name, QFINDTESTDATA(file->format == catalogue::DataFormat::MonthlyMeans
                                                     ? "../../examples/monthly_flows_2001-2022.csv"
                                                     : "../../examples/lowest_water_levels_1961-1990.txt")
                                       .toStdString());
        const catalogue::Outcome outcome = catalogue::evaluate(e, c);
        QVERIFY2(outcome.status == catalogue::Status::Done, (e.id + ": " + outcome.message).c_str());
        QCOMPARE(outcome.result.texts.size(), e.outputs.size());
        for (std::size_t i = 0; i < e.outputs.size(); ++i)
            QCOMPARE(outcome.result.texts[i].name, std::string_view(e.outputs[i].name));
        QCOMPARE(outcome.result.balance.has_value(), e.balance);
    }
    // 21 before the models menu; its five river models, five lake views and two design-flow views.
    QCOMPARE(ids.size(), 33);
}

void TestCatalogue::acceptedNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("accepted");
    const int limit = varnolek::parameters::maxPointCount;
    QTest::newRow("a field") << "Text6" << true;
    QTest::newRow("the first row") << "Text4.0" << true;
    QTest::newRow("the last row the table takes") << "Text2." + QString::number(limit - 1) << true;
    QTest::newRow("one row beyond the table") << "Text2." + QString::number(limit) << false;
    QTest::newRow("beyond an int") << "Text4.99999999999" << false;
    QTest::newRow("a negative row") << "Text4.-1" << false;
    QTest::newRow("not a number") << "Text4.x" << false;
    QTest::newRow("no index") << "Text4." << false;
    QTest::newRow("a field of another window") << "myk" << false;
}

void TestCatalogue::acceptedNames()
{
    QFETCH(QString, name);
    QFETCH(bool, accepted);
    QCOMPARE(catalogue::entry("myKform/multi-point").accepts(name.toStdString()), accepted);
}

void TestCatalogue::copiedCaseKeepsItsOwnTexts()
{
    catalogue::Case copy;
    {
        catalogue::Case original;
        original.setOwned("myx", std::string("7"));
        original.setOwned("myk", std::string("0.3"));
        copy = original;
        original.setOwned("myx", std::string("9"));
    }
    QCOMPARE(copy.text("myx"), std::string_view("7"));
    QCOMPARE(copy.text("myk"), std::string_view("0.3"));
    const catalogue::Outcome o = catalogue::evaluate(catalogue::entry("my1dform"), [&] {
        catalogue::Case c = catalogue::defaultCase(catalogue::entry("my1dform"));
        c.set("myx", copy.text("myx"));
        return c;
    }());
    QCOMPARE(QString::fromStdString(*o.result.text("Label9")), QString("距离初始断面 7 千米处水质浓度(mg/L)"));
}

void TestCatalogue::spacing_data()
{
    QTest::addColumn<double>("from");
    QTest::addColumn<double>("to");
    QTest::addColumn<int>("n");
    QTest::addColumn<bool>("log");
    QTest::addColumn<QList<double>>("values");
    QTest::newRow("linear, ends included") << 0.0 << 2.0 << 5 << false << QList<double>{0, 0.5, 1, 1.5, 2};
    QTest::newRow("one value is from") << 3.0 << 9.0 << 1 << false << QList<double>{3};
    QTest::newRow("log, decades") << 0.01 << 100.0 << 5 << true << QList<double>{0.01, 0.1, 1, 10, 100};
    QTest::newRow("downwards") << 1.0 << -1.0 << 3 << false << QList<double>{1, 0, -1};
}

void TestCatalogue::defaultSpan()
{
    QCOMPARE(catalogue::defaultSpan(4), std::make_pair(2.0, 6.0));
    QCOMPARE(catalogue::defaultSpan(-4), std::make_pair(-6.0, -2.0));
    QCOMPARE(catalogue::defaultSpan(0), std::make_pair(0.0, 1.0)); // not the empty range 0 to 0
}

void TestCatalogue::spacing()
{
    QFETCH(double, from);
    QFETCH(double, to);
    QFETCH(int, n);
    QFETCH(bool, log);
    QFETCH(QList<double>, values);
    const std::vector<double> got =
        catalogue::spacedValues(from, to, n, log ? catalogue::Spacing::Log : catalogue::Spacing::Linear);
    QCOMPARE(int(got.size()), values.size());
    for (int i = 0; i < values.size(); ++i)
        QVERIFY2(std::abs(got[i] - values[i]) <= 1e-12 * std::max(1.0, std::abs(values[i])),
                 qPrintable(QString::number(got[i], 'g', 17)));
}

// A point of a sweep is the case typed with the point's text.
void TestCatalogue::sweepPointEqualsTheTypedCase()
{
    const catalogue::Entry &e = catalogue::entry("my1dw");
    const catalogue::Case base = catalogue::defaultCase(e);
    const auto points = catalogue::sweep(e, base, "myx", catalogue::spacedValues(0, 400, 201));
    QCOMPARE(points.size(), std::size_t(201));
    for (const std::size_t i : {std::size_t(0), std::size_t(37), std::size_t(100), std::size_t(200)}) {
        catalogue::Case typed = base;
        typed.set("myx", points[i].text);
        const catalogue::Outcome direct = catalogue::evaluate(e, typed);
        QCOMPARE(*points[i].outcome.result.text("myw"), *direct.result.text("myw"));
    }
    QCOMPARE(points[100].text, std::string("200")); // the input itself sits in the middle
    QCOMPARE(*points[100].outcome.result.text("myw"), *catalogue::evaluate(e, base).result.text("myw"));
}

void TestCatalogue::mainValueIsTheSignedBalance()
{
    const catalogue::Entry &e = catalogue::entry("myRevolform/sources");
    catalogue::Case c = catalogue::defaultCase(e);
    c.set("myw4", "0"); // no capacity: every load is a reduction
    const catalogue::Outcome o = catalogue::evaluate(e, c);
    QCOMPARE(*o.result.text("Label9"), std::string("排污削减量(t/a)"));
    const auto value = catalogue::mainValue(e, o);
    QVERIFY(value && *value < 0);
    QCOMPARE(*value, -std::stod(*o.result.text("myw1")));
}

// Every numeric field and output says its unit; a range is declared where the
// label prints one, and is the range it prints: a caption edited without its
// declaration, or the other way round, fails here.
void TestCatalogue::unitsAndRangesAreDeclared()
{
    for (const catalogue::Entry &e : catalogue::entries()) {
        for (const catalogue::Field &f : e.fields) {
            const std::string where = e.id + ": " + f.name;
            if (!f.numeric())
                continue;
            QVERIFY2(!f.unit.empty(), where.c_str());
            const std::string printed = catalogue::labelUnit(f.label);
            if (!printed.empty())
                QVERIFY2(printed == f.unit, (where + " prints " + printed + ", declares " + f.unit).c_str());
            const std::optional<catalogue::Range> range = catalogue::labelRange(f.label);
            QVERIFY2(range.has_value() == f.range.has_value(), where.c_str());
            if (range) {
                QCOMPARE(f.range->low, range->low);
                QCOMPARE(f.range->high, range->high);
            }
        }
        // A result's label may name its method in brackets ("Cv(矩法)"): only
        // that it has a unit is checked.
        for (const catalogue::Output &o : e.outputs)
            if (o.numeric())
                QVERIFY2(!o.unit.empty(), (e.id + ": " + o.name).c_str());
    }
    // The one field whose label prints no unit has one all the same.
    QCOMPARE(QString::fromStdString(catalogue::entry("my1dw").field("myu")->unit), QString("m/s"));
}

// Every member of each input a run reads is set once, from a field of its
// window; a member left at its zero or set twice fails here.
void TestCatalogue::everyMemberIsBoundOnce()
{
    int inputs = 0;
    for (const catalogue::Entry &e : catalogue::entries()) {
        const std::vector<const catalogue::Entry *> views = catalogue::entriesOf(e.window);
        for (const catalogue::BoundInput &input : e.inputs) {
            ++inputs;
            const std::string where = e.id + " (" + input.input + ")";
            QVERIFY2((input.members.size() + input.computed) * sizeof(double) == input.size, where.c_str());
            std::set<std::size_t> offsets;
            std::set<std::string> fields;
            for (const auto &[field, offset] : input.members) {
                QVERIFY2(offsets.insert(offset).second, (where + ": member set twice by " + field).c_str());
                QVERIFY2(fields.insert(field).second, (where + ": " + field + " bound twice").c_str());
                QVERIFY2(offset % sizeof(double) == 0 && offset < input.size, where.c_str());
                bool known = false;
                for (const catalogue::Entry *view : views)
                    known = known || view->field(field);
                QVERIFY2(known, (where + ": no field " + field).c_str());
            }
        }
        // A view whose fields are all numbers reads every one of them.
        if (e.groups.empty() && catalogue::dataFileField(e) == nullptr && e.id != "frequency") {
            for (const catalogue::Field &f : e.fields) {
                bool bound = false;
                for (const catalogue::BoundInput &input : e.inputs)
                    for (const auto &member : input.members)
                        bound = bound || member.first == f.name;
                QVERIFY2(bound, (e.id + ": " + f.name + " is read by no binding").c_str());
            }
        }
    }
    QVERIFY(inputs >= 20);
}

// What an entry declares it can do names fields it has.
void TestCatalogue::capabilitiesNameTheirFields()
{
    for (const catalogue::Entry &e : catalogue::entries()) {
        const catalogue::PlotSpec &p = e.plot;
        for (const std::string *name :
             {&p.along, &p.across, &p.width, &p.bank, &p.from, &p.to, &p.velocity, &p.capacity, &p.second})
            if (!name->empty())
                QVERIFY2(e.field(*name), (e.id + ": plot names " + *name).c_str());
        for (const std::string *name : {&p.peakAt, &p.peakValue})
            if (!name->empty())
                QVERIFY2(e.output(*name) && e.output(*name)->numeric(), (e.id + ": plot marks " + *name).c_str());
        // The sources are split through the view that takes them all as fields.
        if (const catalogue::Entry *sources = catalogue::find(p.sourcesView)) {
            QVERIFY(sources->field(p.industry));
            QVERIFY(sources->field(p.farmland));
        }
        if (!p.estimate.empty())
            QVERIFY(e.output(p.estimate));
        if (!p.sourcesView.empty())
            QVERIFY(catalogue::find(p.sourcesView));
        if (!e.target.empty())
            QVERIFY2(e.field(e.target) && e.field(e.target)->unit == "mg/L", e.id.c_str());
        if (e.capacity != catalogue::Capacity::None)
            QCOMPARE(QString::fromStdString(e.main().unit), QString("t/a"));
    }
    QCOMPARE(catalogue::entry("my1dw").capacity, catalogue::Capacity::Receiving);
    QCOMPARE(catalogue::entry("myvolform/lake").capacity, catalogue::Capacity::Environmental);
    QVERIFY(!catalogue::entry("yearform").sweepable);
    QVERIFY(!catalogue::entry("designflowform").sweepable);
}

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
