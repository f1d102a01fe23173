// 水环境容量计算: the worked examples per water body, the view of each water
// body, the completeness check per water body, Cancel and the error report.

#include "planning/myvolform.h"
#include "support/scriptedprompts.h"
#include "support/windowtest.h"

#include <QLabel>
#include <QRadioButton>
#include <QTest>

using namespace windowtest;

namespace
{

const QStringList allFields = {"myk", "myq0", "myc0", "mycs", "myq2", "mysb",
                               "myb", "myh",  "myl",  "myd",  "myq1", "myc1"};
// Each field with its label.
const QList<QPair<const char *, const char *>> labelOf = {
    {"myk", "Label1"},  {"myq0", "Label2"},  {"myc0", "Label3"},  {"mycs", "Label10"},
    {"myq2", "Label5"}, {"mysb", "label12"}, {"myb", "Label7"},   {"myh", "Label8"},
    {"myl", "Label6"},  {"myd", "Label4"},   {"myq1", "Label11"}, {"myc1", "Label13"}};

} // namespace

class tst_myvolform : public QObject
{
    Q_OBJECT

  private slots:
    void opensInTheOneWayView();
    void workedExamples_data();
    void workedExamples();
    void views_data();
    void views();
    void completeness_data();
    void completeness();
    void cancelEmptiesEveryField();
    void failureKeepsTheResult();
};

void tst_myvolform::opensInTheOneWayView()
{
    ScriptedPrompts prompts;
    myvolform w;
    w.show();
    QCOMPARE(w.windowTitle(), QString("水环境容量计算"));
    QVERIFY(child<QRadioButton>(&w, "Option1")->isChecked());
    QCOMPARE(caption(&w, "Label9"), QString("河道的环境容量(t/a):"));
    QCOMPARE(text(&w, "myw"), QString());
    for (const auto &[f, l] : labelOf) {
        const bool reverse = QByteArray(f) == "myd" || QByteArray(f) == "myq1" || QByteArray(f) == "myc1";
        QCOMPARE(field(&w, f)->isVisible(), !reverse);
        QCOMPARE(child<QLabel>(&w, l)->isVisible(), !reverse);
    }
    QCOMPARE(child<QPushButton>(&w, "caculv")->text(), QString("确  定"));
    QCOMPARE(child<QPushButton>(&w, "Command1")->text(), QString("取  消"));
    QCOMPARE(child<QPushButton>(&w, "myexit")->text(), QString("返  回"));
}

void tst_myvolform::workedExamples_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("label9");

    QTest::newRow("one-way defaults") << "Option1"
                                      << "20463.360"
                                      << "河道的环境容量(t/a):";
    QTest::newRow("lake, volume reset to 1000") << "Option2"
                                                << "24855.040"
                                                << "水库或湖泊的环境容量(t/a):";
    QTest::newRow("two-way defaults") << "Option3"
                                      << "17352.960"
                                      << "河道的环境容量(t/a):";
}

void tst_myvolform::workedExamples()
{
    QFETCH(QString, option);
    QFETCH(QString, result);
    QFETCH(QString, label9);

    ScriptedPrompts prompts;
    myvolform w;
    w.show();
    choose(&w, option.toLatin1());
    press(&w, "caculv");
    QVERIFY(prompts.messages.isEmpty());
    QCOMPARE(text(&w, "myw"), result);
    QCOMPARE(caption(&w, "Label9"), label9);
}

void tst_myvolform::views_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("label7");
    QTest::addColumn<QString>("label5");
    QTest::addColumn<QString>("label9");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QStringList>("hidden");

    const QString river = "河道宽度(m)", lake = " 湖泊或水库体积(万m3)";
    const QString tributary = "支流流量(包括废水量)(m3/s)", waste = "排入水库或湖泊的废水量(m3/s)";
    const QString riverCap = "河道的环境容量(t/a):", lakeCap = "水库或湖泊的环境容量(t/a):";
    const QStringList reverse = {"myd", "myq1", "myc1"};
    const QStringList notLake = {"myh", "myl", "myd", "myq1", "myc1"};

    QTest::newRow("one-way") << QStringList{"Option1"} << river << tributary << riverCap << "30" << reverse;
    QTest::newRow("lake") << QStringList{"Option2"} << lake << waste << lakeCap << "1000" << notLake;
    QTest::newRow("two-way") << QStringList{"Option3"} << river << tributary << riverCap << "30" << QStringList{};
    QTest::newRow("two-way after lake keeps the volume text")
        << QStringList{"Option2", "Option3"} << river << tributary << riverCap << "1000" << QStringList{};
    QTest::newRow("one-way after lake resets the width")
        << QStringList{"Option2", "Option1"} << river << tributary << riverCap << "30" << reverse;
    QTest::newRow("lake after two-way hides depth and length")
        << QStringList{"Option3", "Option2"} << lake << waste << lakeCap << "1000" << notLake;
}

void tst_myvolform::views()
{
    QFETCH(QStringList, clicks);
    QFETCH(QString, label7);
    QFETCH(QString, label5);
    QFETCH(QString, label9);
    QFETCH(QString, width);
    QFETCH(QStringList, hidden);

    ScriptedPrompts prompts;
    myvolform w;
    w.show();
    for (const QString &option : clicks) {
        setText(&w, "myw", "stale");
        choose(&w, option.toLatin1());
        QCOMPARE(text(&w, "myw"), QString()); // every water-body click empties the result
    }
    QCOMPARE(caption(&w, "Label7"), label7);
    QCOMPARE(caption(&w, "Label5"), label5);
    QCOMPARE(caption(&w, "Label9"), label9);
    QCOMPARE(text(&w, "myb"), width);
    for (const auto &[f, l] : labelOf) {
        const bool shown = !hidden.contains(f);
        QCOMPARE(field(&w, f)->isVisible(), shown);
        QCOMPARE(child<QLabel>(&w, l)->isVisible(), shown);
    }
}

void tst_myvolform::completeness_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("emptied");
    QTest::addColumn<bool>("blocks");

    const QList<QPair<const char *, QStringList>> notChecked = {
        {"Option1", {"myd", "myq1", "myc1"}},
        {"Option2", {"myh", "myl", "myd", "myq1", "myc1"}},
        {"Option3", {}},
    };
    for (const auto &[option, free] : notChecked)
        for (const QString &f : allFields)
            QTest::addRow("%s, %s %s", option, qPrintable(f), free.contains(f) ? "not checked" : "checked")
                << QString(option) << f << !free.contains(f);
}

void tst_myvolform::completeness()
{
    QFETCH(QString, option);
    QFETCH(QString, emptied);
    QFETCH(bool, blocks);

    ScriptedPrompts prompts;
    myvolform w;
    w.show();
    choose(&w, option.toLatin1());
    setText(&w, "myw", "previous");
    setText(&w, emptied.toLatin1(), QString());
    press(&w, "caculv");
    if (blocks) {
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.messages[0].text, QString("请输入全部的参数"));
        QCOMPARE(prompts.messages[0].title, QString("提示"));
        QCOMPARE(text(&w, "myw"), QString("previous"));
    } else {
        // an empty hidden field reads as 0 and takes no part
        QVERIFY(prompts.messages.isEmpty());
        const QString expected = option == "Option1" ? "20463.360" : "24855.040";
        QCOMPARE(text(&w, "myw"), expected);
    }
}

void tst_myvolform::cancelEmptiesEveryField()
{
    ScriptedPrompts prompts;
    myvolform w;
    w.show();
    choose(&w, "Option2");
    press(&w, "caculv");
    press(&w, "Command1");
    for (const QString &f : allFields + QStringList{"myw"})
        QCOMPARE(text(&w, f.toLatin1()), QString());
    // the view stays
    QVERIFY(child<QRadioButton>(&w, "Option2")->isChecked());
    QCOMPARE(caption(&w, "Label7"), QString(" 湖泊或水库体积(万m3)"));
    QVERIFY(!field(&w, "myh")->isVisible());

    // choosing a water body restores only the width; OK still lacks input
    choose(&w, "Option1");
    QCOMPARE(text(&w, "myb"), QString("30"));
    press(&w, "caculv");
    QCOMPARE(prompts.lastMessage(), QString("请输入全部的参数"));
}

void tst_myvolform::failureKeepsTheResult()
{
    ScriptedPrompts prompts;
    myvolform w;
    w.show();
    press(&w, "caculv");
    QCOMPARE(text(&w, "myw"), QString("20463.360"));
    setText(&w, "myq0", "1e37"); // the mass balance leaves single precision
    press(&w, "caculv");
    QCOMPARE(prompts.messages.size(), 1);
    QCOMPARE(prompts.messages[0].title, QString("Varnolek"));
    QCOMPARE(prompts.messages[0].text, QString("溢出"));
    QCOMPARE(text(&w, "myw"), QString("20463.360"));

    setText(&w, "myq0", "200");
    setText(&w, "myc0", "12"); // target below the upstream water
    press(&w, "caculv");
    QCOMPARE(text(&w, "myw"), QString("-9811.200"));
}

QTEST_MAIN(tst_myvolform)
#include "tst_myvolform.moc"
