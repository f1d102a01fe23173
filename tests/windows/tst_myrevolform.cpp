// 剩余环境容量计算: the worked examples under both calculation conditions, the
// result caption, the views of the water-body frame, the completeness check
// per water body and Cancel per condition.

#include "planning/myrevolform.h"
#include "support/scriptedprompts.h"
#include "support/windowtest.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

using namespace windowtest;

namespace
{

const QStringList waterBodyFields = {"myk", "myq0", "myc0", "mycs", "myq1", "myw",
                                     "myb", "myh",  "myl",  "myd",  "myq2", "myc2"};
const QStringList sourceFields = {"myn", "mya", "myc", "myf", "myjl", "myth", "myls", "myc1", "myw3", "myw4", "myls1"};
const QList<QPair<const char *, const char *>> labelOf = {
    {"myk", "Label1"},  {"myq0", "Label2"}, {"myc0", "Label3"},  {"mycs", "Label10"},
    {"myq1", "Label5"}, {"myw", "Label4"},  {"myb", "Label7"},   {"myh", "Label8"},
    {"myl", "Label6"},  {"myd", "Label16"}, {"myq2", "Label14"}, {"myc2", "label12"}};

const QString remaining = "剩余环境容量(t/a)";
const QString reduction = "排污削减量(t/a)";

} // namespace

class tst_myRevolform : public QObject
{
    Q_OBJECT

  private slots:
    void opensUnderMonitoring();
    void results_data();
    void results();
    void views_data();
    void views();
    void captionStaysUntilTheNextResult();
    void completeness_data();
    void completeness();
    void cancel_data();
    void cancel();
};

void tst_myRevolform::opensUnderMonitoring()
{
    ScriptedPrompts prompts;
    myRevolform w;
    w.show();
    QCOMPARE(w.windowTitle(), QString("剩余环境容量计算"));
    QVERIFY(child<QRadioButton>(&w, "Option1")->isChecked());
    QVERIFY(child<QRadioButton>(&w, "Option3")->isChecked());
    QVERIFY(child<QGroupBox>(&w, "Frame3")->isVisible());
    QVERIFY(!child<QGroupBox>(&w, "Frame5")->isVisible());
    QCOMPARE(child<QGroupBox>(&w, "Frame5")->geometry(), child<QGroupBox>(&w, "Frame3")->geometry());
    QCOMPARE(caption(&w, "Label5"), QString("支流流量(m3/s)"));
    QCOMPARE(caption(&w, "Label9"), QString("排污削减量(t/a):"));
    QCOMPARE(text(&w, "myw1"), QString());
    QCOMPARE(text(&w, "myw4"), QString("3000"));
    QCOMPARE(text(&w, "myth"), QString("2000"));
}

void tst_myRevolform::results_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QStringList>("edits"); // field, text, field, text ...
    QTest::addColumn<QString>("label9");
    QTest::addColumn<QString>("result");

    QTest::newRow("monitoring, one-way") << QStringList{} << QStringList{} << remaining << "4420.800";
    QTest::newRow("monitoring, lake") << QStringList{"Option2"} << QStringList{} << reduction << "1068.800";
    QTest::newRow("monitoring, two-way") << QStringList{"Option5"} << QStringList{} << remaining << "8308.800";
    QTest::newRow("sources") << QStringList{"Option4"} << QStringList{} << remaining << "1901.200";
    QTest::newRow("sources, capacity below the load")
        << QStringList{"Option4"} << QStringList{"myw4", "1000"} << reduction << "98.800";
    // 123456789 is used as 123456792 in single precision
    QTest::newRow("capacity read in single precision")
        << QStringList{} << QStringList{"myw", "123456789"} << remaining << "123431212.800";
    QTest::newRow("load equal to capacity is remaining capacity")
        << QStringList{} << QStringList{"myq0", "0", "myq1", "0", "myk", "0", "myw", "0"} << remaining << "0.000";
    QTest::newRow("sources, every source field empty")
        << QStringList{"Option4"} << QStringList{"myn",  "", "mya",  "", "myc",  "", "myf",  "", "myjl",  "",
                                                 "myth", "", "myls", "", "myc1", "", "myw3", "", "myls1", ""}
        << remaining << "3000.000";
    QTest::newRow("sources ignore an empty water-body frame")
        << QStringList{"Option4"} << QStringList{"myk", "", "myw", ""} << remaining << "1901.200";
}

void tst_myRevolform::results()
{
    QFETCH(QStringList, clicks);
    QFETCH(QStringList, edits);
    QFETCH(QString, label9);
    QFETCH(QString, result);

    ScriptedPrompts prompts;
    myRevolform w;
    w.show();
    for (const QString &option : clicks)
        choose(&w, option);
    for (int i = 0; i + 1 < edits.size(); i += 2)
        setText(&w, edits[i].toLatin1(), edits[i + 1]);
    press(&w, "caculv");
    QVERIFY(prompts.messages.isEmpty());
    QCOMPARE(caption(&w, "Label9"), label9);
    QCOMPARE(text(&w, "myw1"), result);
}

void tst_myRevolform::views_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<bool>("sources"); // Frame5 shown instead of Frame3
    QTest::addColumn<QString>("label7");
    QTest::addColumn<QString>("label5");
    QTest::addColumn<QString>("width"); // text of myb (the test types "77" first)
    QTest::addColumn<QStringList>("hidden");

    const QString river = "河道宽度(m)", lake = " 湖泊或水库体积(万m3)";
    const QString start = "支流流量(m3/s)", outflow = "水体出流流量(m3/s)";
    const QStringList reverse = {"myd", "myq2", "myc2"};
    const QStringList notLake = {"myh", "myl", "myd", "myq2", "myc2"};

    QTest::newRow("one-way") << QStringList{"Option1"} << false << river << outflow << "30" << reverse;
    QTest::newRow("lake") << QStringList{"Option2"} << false << lake << outflow << "1000" << notLake;
    QTest::newRow("two-way") << QStringList{"Option5"} << false << river << outflow << "30" << QStringList{};
    QTest::newRow("sources") << QStringList{"Option4"} << true << river << start << "77" << reverse;
    QTest::newRow("water body under sources only empties the result")
        << QStringList{"Option4", "Option2"} << true << river << start << "77" << reverse;
    QTest::newRow("monitoring again rebuilds the chosen water body")
        << QStringList{"Option4", "Option5", "Option3"} << false << river << outflow << "30" << QStringList{};
    QTest::newRow("monitoring again, lake")
        << QStringList{"Option4", "Option2", "Option3"} << false << lake << outflow << "1000" << notLake;
    QTest::newRow("monitoring again, one-way resets the width")
        << QStringList{"Option4", "Option3"} << false << river << outflow << "30" << reverse;
}

void tst_myRevolform::views()
{
    QFETCH(QStringList, clicks);
    QFETCH(bool, sources);
    QFETCH(QString, label7);
    QFETCH(QString, label5);
    QFETCH(QString, width);
    QFETCH(QStringList, hidden);

    ScriptedPrompts prompts;
    myRevolform w;
    w.show();
    setText(&w, "myb", "77");
    for (const QString &option : clicks) {
        setText(&w, "myw1", "stale");
        choose(&w, option);
        QCOMPARE(text(&w, "myw1"), QString());
    }
    QCOMPARE(child<QGroupBox>(&w, "Frame3")->isVisible(), !sources);
    QCOMPARE(child<QGroupBox>(&w, "Frame5")->isVisible(), sources);
    QCOMPARE(caption(&w, "Label7"), label7);
    QCOMPARE(caption(&w, "Label5"), label5);
    QCOMPARE(text(&w, "myb"), width);
    for (const auto &[f, l] : labelOf) {
        const bool shown = !hidden.contains(f);
        QCOMPARE(field(&w, f)->isVisibleTo(&w), shown && !sources);
        QCOMPARE(child<QLabel>(&w, l)->isVisibleTo(&w), shown && !sources);
        QCOMPARE(field(&w, f)->isHidden(), !shown);
        QCOMPARE(child<QLabel>(&w, l)->isHidden(), !shown);
    }
}

void tst_myRevolform::captionStaysUntilTheNextResult()
{
    ScriptedPrompts prompts;
    myRevolform w;
    w.show();
    choose(&w, "Option2");
    press(&w, "caculv");
    QCOMPARE(caption(&w, "Label9"), reduction);
    choose(&w, "Option1");
    choose(&w, "Option4");
    press(&w, "Command1");
    QCOMPARE(caption(&w, "Label9"), reduction);
    choose(&w, "Option3");
    press(&w, "caculv");
    QCOMPARE(caption(&w, "Label9"), remaining);
    QCOMPARE(text(&w, "myw1"), QString("4420.800"));
}

void tst_myRevolform::completeness_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("emptied");
    QTest::addColumn<bool>("blocks");

    const QList<QPair<const char *, QStringList>> notChecked = {
        {"Option1", {"myd", "myq2", "myc2"}},
        {"Option2", {"myh", "myl", "myd", "myq2", "myc2"}},
        {"Option5", {}},
    };
    for (const auto &[option, free] : notChecked) {
        for (const QString &f : waterBodyFields)
            QTest::addRow("%s, %s %s", option, qPrintable(f), free.contains(f) ? "not checked" : "checked")
                << QString(option) << f << !free.contains(f);
        QTest::addRow("%s, source field myn not checked", option) << QString(option) << "myn" << false;
    }
}

void tst_myRevolform::completeness()
{
    QFETCH(QString, option);
    QFETCH(QString, emptied);
    QFETCH(bool, blocks);

    ScriptedPrompts prompts;
    myRevolform w;
    w.show();
    choose(&w, option);
    setText(&w, "myw1", "previous");
    setText(&w, emptied.toLatin1(), QString());
    press(&w, "caculv");
    if (blocks) {
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.messages[0].text, QString("请输入全部的参数"));
        QCOMPARE(prompts.messages[0].title, QString("提示"));
        QCOMPARE(text(&w, "myw1"), QString("previous"));
        QCOMPARE(caption(&w, "Label9"), QString("排污削减量(t/a):"));
    } else {
        QVERIFY(prompts.messages.isEmpty());
        const QString expected = option == "Option1" ? "4420.800" : option == "Option2" ? "1068.800" : "8308.800";
        QCOMPARE(text(&w, "myw1"), expected);
    }
}

void tst_myRevolform::cancel_data()
{
    QTest::addColumn<QString>("condition");
    QTest::addColumn<QStringList>("emptied");

    QTest::newRow("monitoring") << "Option3" << waterBodyFields;
    QStringList sources = sourceFields;
    sources.removeAll("myw4");
    QTest::newRow("sources keep the capacity") << "Option4" << sources;
}

void tst_myRevolform::cancel()
{
    QFETCH(QString, condition);
    QFETCH(QStringList, emptied);

    ScriptedPrompts prompts;
    myRevolform w;
    w.show();
    choose(&w, "Option5");
    choose(&w, condition);
    press(&w, "caculv");
    QVERIFY(!text(&w, "myw1").isEmpty());
    press(&w, "Command1");
    QCOMPARE(text(&w, "myw1"), QString());
    for (const QString &f : waterBodyFields + sourceFields)
        QCOMPARE(text(&w, f.toLatin1()).isEmpty(), emptied.contains(f));
    // options, view and captions stay
    QVERIFY(child<QRadioButton>(&w, "Option5")->isChecked());
    QVERIFY(child<QRadioButton>(&w, condition.toLatin1())->isChecked());
    QVERIFY(!field(&w, "myd")->isHidden());
}

QTEST_MAIN(tst_myRevolform)
#include "tst_myrevolform.moc"
