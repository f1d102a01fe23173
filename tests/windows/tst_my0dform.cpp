// The zero-dimensional window: volume mixing and section mixing side by side.

#include "models/my0dform.h"
#include "support/scriptedprompts.h"
#include "support/windowtest.h"

#include <QTest>

using namespace windowtest;

class TestMy0dform : public QObject {
    Q_OBJECT

private slots:
    void defaultsGiveTheWorkedResults();
    void volumeMixing_data();
    void volumeMixing();
    void sectionMixing_data();
    void sectionMixing();
    void emptyFieldShowsCompletenessMessage_data();
    void emptyFieldShowsCompletenessMessage();
    void cancelEmptiesOnlyItsOwnFrame();
    void failureKeepsPreviousResult_data();
    void failureKeepsPreviousResult();
    void layoutFollowsTwips();
};

void TestMy0dform::defaultsGiveTheWorkedResults()
{
    ScriptedPrompts prompts;
    my0dform w;
    w.show();
    QCOMPARE(w.windowTitle(), QString("零维水质计算"));
    press(&w, "caculc");
    press(&w, "caculc1");
    QCOMPARE(text(&w, "Text3"), QString("7.91"));
    QCOMPARE(text(&w, "Text2"), QString("9.62"));
    QVERIFY(prompts.messages.isEmpty());
}

void TestMy0dform::volumeMixing_data()
{
    QTest::addColumn<QString>("w");
    QTest::addColumn<QString>("q");
    QTest::addColumn<QString>("k");
    QTest::addColumn<QString>("v");
    QTest::addColumn<QString>("expected");
    QTest::newRow("defaults") << "5000" << "5" << "0.2" << "100" << "7.91";
    QTest::newRow("no degradation is W/Q") << "5000" << "5" << "0" << "100" << "11.57";
    QTest::newRow("no load") << "0" << "5" << "0.2" << "100" << "0.00";
    QTest::newRow("only blanks read as zero") << " " << "5" << "0.2" << "100" << "0.00";
    QTest::newRow("leading number of the text") << "5000kg" << "5m3" << "0.2abc" << "100" << "7.91";
    QTest::newRow("no outflow, decay only") << "8640" << "0" << "0.1" << "86.4" << "100.00";
    QTest::newRow("negative load shows a minus") << "-5000" << "5" << "0" << "100" << "-11.57";
}

void TestMy0dform::volumeMixing()
{
    QFETCH(QString, w);
    QFETCH(QString, q);
    QFETCH(QString, k);
    QFETCH(QString, v);
    QFETCH(QString, expected);
    ScriptedPrompts prompts;
    my0dform win;
    win.show();
    setText(&win, "myw", w);
    setText(&win, "myq", q);
    setText(&win, "MYK", k);
    setText(&win, "myv", v);
    press(&win, "caculc");
    QCOMPARE(text(&win, "Text3"), expected);
    QVERIFY(prompts.messages.isEmpty());
}

void TestMy0dform::sectionMixing_data()
{
    QTest::addColumn<QString>("q1");
    QTest::addColumn<QString>("c1");
    QTest::addColumn<QString>("q2");
    QTest::addColumn<QString>("c2");
    QTest::addColumn<QString>("expected");
    QTest::newRow("defaults") << "50" << "6" << "2" << "100" << "9.62";
    QTest::newRow("no river flow gives the wastewater") << "0" << "6" << "2" << "100" << "100.00";
    QTest::newRow("no wastewater gives the river") << "50" << "6" << "0" << "100" << "6.00";
    QTest::newRow("blank inside a number") << "5 0" << "6" << "2" << "1 00" << "9.62";
}

void TestMy0dform::sectionMixing()
{
    QFETCH(QString, q1);
    QFETCH(QString, c1);
    QFETCH(QString, q2);
    QFETCH(QString, c2);
    QFETCH(QString, expected);
    ScriptedPrompts prompts;
    my0dform w;
    w.show();
    setText(&w, "myq1", q1);
    setText(&w, "myc1", c1);
    setText(&w, "myq2", q2);
    setText(&w, "myc2", c2);
    press(&w, "caculc1");
    QCOMPARE(text(&w, "Text2"), expected);
}

void TestMy0dform::emptyFieldShowsCompletenessMessage_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("result");
    for (const char *f : {"myw", "myq", "MYK", "myv"})
        QTest::newRow(f) << f << "caculc" << "Text3";
    for (const char *f : {"myq1", "myc1", "myq2", "myc2"})
        QTest::newRow(f) << f << "caculc1" << "Text2";
}

void TestMy0dform::emptyFieldShowsCompletenessMessage()
{
    QFETCH(QString, field);
    QFETCH(QString, button);
    QFETCH(QString, result);
    ScriptedPrompts prompts;
    my0dform w;
    w.show();
    press(&w, qPrintable(button));
    const QString before = text(&w, qPrintable(result));
    QVERIFY(!before.isEmpty());
    setText(&w, qPrintable(field), "");
    press(&w, qPrintable(button));
    QCOMPARE(prompts.messages.size(), 1);
    QCOMPARE(prompts.messages[0].text, QString("请输入全部的参数"));
    QCOMPARE(prompts.messages[0].title, QString("提示"));
    QCOMPARE(text(&w, qPrintable(result)), before);
}

void TestMy0dform::cancelEmptiesOnlyItsOwnFrame()
{
    ScriptedPrompts prompts;
    my0dform w;
    w.show();
    press(&w, "caculc");
    press(&w, "caculc1");

    press(&w, "mycancel");
    for (const char *f : {"myw", "myq", "MYK", "myv", "Text3"})
        QCOMPARE(text(&w, f), QString());
    QCOMPARE(text(&w, "myq1"), QString("50"));
    QCOMPARE(text(&w, "myc1"), QString("6"));
    QCOMPARE(text(&w, "myq2"), QString("2"));
    QCOMPARE(text(&w, "myc2"), QString("100"));
    QCOMPARE(text(&w, "Text2"), QString("9.62"));

    // Cancel leaves empty fields, not the defaults: OK now asks for them.
    press(&w, "caculc");
    QCOMPARE(prompts.lastMessage(), QString("请输入全部的参数"));

    press(&w, "Command1");
    for (const char *f : {"myq1", "myc1", "myq2", "myc2", "Text2"})
        QCOMPARE(text(&w, f), QString());
}

void TestMy0dform::failureKeepsPreviousResult_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("field1");
    QTest::addColumn<QString>("field2");
    QTest::addColumn<QString>("zeroText");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("message");
    QTest::newRow("no outflow and no decay") << "caculc" << "myq" << "MYK" << "0" << "Text3" << "除数为零";
    QTest::newRow("no outflow and no volume") << "caculc" << "myq" << "myv" << "0" << "Text3" << "除数为零";
    // Both flows zero: the mixed load is zero too, and 0/0 reports an overflow.
    QTest::newRow("both flows zero is 0/0") << "caculc1" << "myq1" << "myq2" << "abc" << "Text2" << "溢出";
    QTest::newRow("load beyond a double") << "caculc" << "myw" << "myw" << "1e999" << "Text3" << "溢出";
}

void TestMy0dform::failureKeepsPreviousResult()
{
    QFETCH(QString, button);
    QFETCH(QString, field1);
    QFETCH(QString, field2);
    QFETCH(QString, zeroText);
    QFETCH(QString, result);
    QFETCH(QString, message);
    ScriptedPrompts prompts;
    my0dform w;
    w.show();
    press(&w, qPrintable(button));
    const QString before = text(&w, qPrintable(result));
    setText(&w, qPrintable(field1), zeroText);
    setText(&w, qPrintable(field2), zeroText);
    press(&w, qPrintable(button));
    QCOMPARE(prompts.messages.size(), 1);
    QCOMPARE(prompts.messages[0].text, message);
    QCOMPARE(prompts.messages[0].title, QString("Varnolek"));
    QCOMPARE(text(&w, qPrintable(result)), before);
    QCOMPARE(text(&w, qPrintable(field1)), zeroText);

    // The window stays usable.
    setText(&w, qPrintable(field1), "5");
    setText(&w, qPrintable(field2), "5");
    press(&w, qPrintable(button));
    QCOMPARE(prompts.messages.size(), 1);
}

void TestMy0dform::layoutFollowsTwips()
{
    my0dform w;
    // Frames at Left 360 and 4920, Top 480, 3852 x 5652; Return at 3840, 6240.
    QCOMPARE(child<QWidget>(&w, "Frame1")->geometry(), QRect(24, 32, 257, 377));
    QCOMPARE(child<QWidget>(&w, "Frame2")->geometry(), QRect(328, 32, 257, 377));
    QCOMPARE(child<QWidget>(&w, "Command3")->geometry(), QRect(256, 416, 105, 49));
    QCOMPARE(field(&w, "myw")->geometry(), QRect(136, 32, 97, 33));
    QCOMPARE(field(&w, "Text2")->geometry(), QRect(136, 320, 97, 33));
    QVERIFY(field(&w, "Text3")->font().bold());
}

QTEST_MAIN(TestMy0dform)
#include "tst_my0dform.moc"
