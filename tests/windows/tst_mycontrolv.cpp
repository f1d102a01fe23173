// 水污染总量控制计算: the projection with a known industrial load, the two-step
// estimate of an unknown one, the views of each condition and step, the
// completeness checks, Cancel, and failures after the view switched back.

#include "planning/mycontrolv.h"
#include "support/scriptedprompts.h"
#include "support/windowtest.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

using namespace windowtest;

namespace
{

bool shown(QWidget *w, const char *name)
{
    return child<QWidget>(w, name)->isVisible();
}
QPushButton *ok(QWidget *w)
{
    return child<QPushButton>(w, "caculv");
}

const QStringList sourceFields = {"myn", "mya",  "myc", "myf",  "myjl", "myls1", "myls", "myth",
                                  "myy", "myc1", "myr", "myn1", "mya2", "mya1",  "myw3", "myw"};
const QStringList waterBodyFields = {"myk", "myq0", "myc0", "mycs", "myq1", "myv"};

const QString remaining = "剩余环境容量(t/a)";
const QString reduction = "排污削减量(t/a)";

} // namespace

class tst_mycontrolV : public QObject
{
    Q_OBJECT

  private slots:
    void opensWithTheIndustrialLoadKnown();
    void knownIndustrialLoad_data();
    void knownIndustrialLoad();
    void estimateInTwoSteps();
    void negativeEstimateBecomesZero();
    void knownConditionAfterAnEstimate();
    void knownConditionDuringTheWaterBodyStep();
    void completeness_data();
    void completeness();
    void cancel_data();
    void cancel();
    void failures_data();
    void failures();
};

void tst_mycontrolV::opensWithTheIndustrialLoadKnown()
{
    ScriptedPrompts prompts;
    mycontrolV w;
    w.show();
    QCOMPARE(w.windowTitle(), QString("水污染总量控制计算"));
    QVERIFY(child<QRadioButton>(&w, "Option3")->isChecked());
    QVERIFY(shown(&w, "Frame5"));
    QVERIFY(!shown(&w, "Frame3"));
    QVERIFY(shown(&w, "myw3") && shown(&w, "Label21"));
    QVERIFY(field(&w, "myw3")->isEnabled() && !field(&w, "myw3")->isReadOnly());
    QCOMPARE(ok(&w)->text(), QString("确  定"));
    QCOMPARE(caption(&w, "Label9"), QString("排污削减量(t/a):"));
    QCOMPARE(text(&w, "myw4"), QString());
}

void tst_mycontrolV::knownIndustrialLoad_data()
{
    QTest::addColumn<QString>("capacity");
    QTest::addColumn<QString>("label9");
    QTest::addColumn<QString>("result");

    QTest::newRow("defaults: remaining") << "20000" << remaining << "17872.552";
    QTest::newRow("capacity 1000: reduction") << "1000" << reduction << "1127.448";
}

void tst_mycontrolV::knownIndustrialLoad()
{
    QFETCH(QString, capacity);
    QFETCH(QString, label9);
    QFETCH(QString, result);

    ScriptedPrompts prompts;
    mycontrolV w;
    w.show();
    setText(&w, "myw", capacity);
    press(&w, "caculv");
    QVERIFY(prompts.messages.isEmpty());
    QCOMPARE(caption(&w, "Label9"), label9);
    QCOMPARE(text(&w, "myw4"), result);
    QCOMPARE(text(&w, "myw3"), QString("1000"));
}

void tst_mycontrolV::estimateInTwoSteps()
{
    ScriptedPrompts prompts;
    mycontrolV w;
    w.show();
    press(&w, "caculv");
    choose(&w, "Option4");
    QCOMPARE(text(&w, "myw4"), QString());
    QCOMPARE(ok(&w)->text(), QString("计算工业污染源"));
    QCOMPARE(ok(&w)->font().pointSizeF(), 10.0);
    QVERIFY(!shown(&w, "myw3") && !shown(&w, "Label21"));
    QVERIFY(shown(&w, "Frame5") && !shown(&w, "Frame3"));

    // first step: ask for the water body
    press(&w, "caculv");
    QVERIFY(prompts.messages.isEmpty());
    QVERIFY(!shown(&w, "Frame5") && shown(&w, "Frame3"));
    QCOMPARE(caption(&w, "Label9"), QString("工业污染物总量(t/a)"));
    QCOMPARE(ok(&w)->text(), QString("确  定"));
    QCOMPARE(ok(&w)->font().pointSizeF(), 16.0);
    QCOMPARE(text(&w, "myw4"), QString());

    // second step: estimate and project
    press(&w, "caculv");
    QVERIFY(prompts.messages.isEmpty());
    QVERIFY(shown(&w, "Frame5") && !shown(&w, "Frame3"));
    QVERIFY(shown(&w, "myw3") && shown(&w, "Label21"));
    QVERIFY(!field(&w, "myw3")->isEnabled() || field(&w, "myw3")->isReadOnly());
    QCOMPARE(text(&w, "myw3"), QString("9551.24"));
    QCOMPARE(caption(&w, "Label9"), remaining);
    QCOMPARE(text(&w, "myw4"), QString("4949.512"));

    // further presses repeat the estimate with the current water-body data
    setText(&w, "myq1", "110");
    press(&w, "caculv");
    QCOMPARE(ok(&w)->text(), QString("确  定"));
    // G = 0.365 × (86.4 × 400 + 48) = 12631.92, less 116.8 and 441
    QCOMPARE(text(&w, "myw3"), QString("12074.12"));
}

void tst_mycontrolV::negativeEstimateBecomesZero()
{
    ScriptedPrompts prompts;
    mycontrolV w;
    w.show();
    choose(&w, "Option4");
    press(&w, "caculv");
    setText(&w, "myq1", "50"); // the outflow carries less than the inflow brings
    press(&w, "caculv");
    QVERIFY(prompts.messages.isEmpty());
    QCOMPARE(text(&w, "myw3"), QString("0"));
    QCOMPARE(text(&w, "myw4"), QString("19383.800"));
}

void tst_mycontrolV::knownConditionAfterAnEstimate()
{
    ScriptedPrompts prompts;
    mycontrolV w;
    w.show();
    choose(&w, "Option4");
    press(&w, "caculv");
    press(&w, "caculv");
    choose(&w, "Option3");
    QVERIFY(field(&w, "myw3")->isEnabled() && !field(&w, "myw3")->isReadOnly());
    QCOMPARE(text(&w, "myw4"), QString());
    QCOMPARE(caption(&w, "Label9"), remaining); // kept until the next result
    // the estimate now serves as the typed industrial load
    press(&w, "caculv");
    QCOMPARE(text(&w, "myw4"), QString("4949.512"));
}

void tst_mycontrolV::knownConditionDuringTheWaterBodyStep()
{
    ScriptedPrompts prompts;
    mycontrolV w;
    w.show();
    choose(&w, "Option4");
    press(&w, "caculv");
    choose(&w, "Option3");
    QVERIFY(shown(&w, "Frame5") && !shown(&w, "Frame3"));
    QVERIFY(shown(&w, "myw3") && shown(&w, "Label21"));
    QCOMPARE(caption(&w, "Label9"), QString("工业污染物总量(t/a)"));
    QCOMPARE(ok(&w)->text(), QString("确  定"));

    // choosing the estimate again goes back to its first step; the frames stay
    press(&w, "caculv");
    choose(&w, "Option4");
    press(&w, "caculv");
    choose(&w, "Option4");
    QCOMPARE(ok(&w)->text(), QString("计算工业污染源"));
    QVERIFY(!shown(&w, "Frame5") && shown(&w, "Frame3"));
}

void tst_mycontrolV::completeness_data()
{
    QTest::addColumn<int>("step"); // 0 known load, 1 estimate first step, 2 estimate second step
    QTest::addColumn<QString>("emptied");
    QTest::addColumn<bool>("blocks");

    for (const QString &f : sourceFields)
        QTest::addRow("known load, %s", qPrintable(f)) << 0 << f << true;
    for (const QString &f : waterBodyFields)
        QTest::addRow("known load, %s not checked", qPrintable(f)) << 0 << f << false;
    for (const QString &f : sourceFields)
        QTest::addRow("first step, %s", qPrintable(f)) << 1 << f << (f != "myw3");
    for (const QString &f : waterBodyFields)
        QTest::addRow("first step, %s not checked", qPrintable(f)) << 1 << f << false;
    const QStringList checkedAgain = {"myn", "mya", "myc", "myls", "myls1", "myf", "myjl", "myth", "myc1"};
    for (const QString &f : sourceFields)
        QTest::addRow("second step, %s", qPrintable(f)) << 2 << f << checkedAgain.contains(f);
    for (const QString &f : waterBodyFields)
        QTest::addRow("second step, %s", qPrintable(f)) << 2 << f << true;
}

void tst_mycontrolV::completeness()
{
    QFETCH(int, step);
    QFETCH(QString, emptied);
    QFETCH(bool, blocks);

    ScriptedPrompts prompts;
    mycontrolV w;
    w.show();
    if (step > 0)
        choose(&w, "Option4");
    if (step > 1)
        press(&w, "caculv");
    const QString before = ok(&w)->text();
    setText(&w, "myw4", "previous");
    setText(&w, emptied.toLatin1(), QString());
    press(&w, "caculv");
    if (blocks) {
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.messages[0].text, QString("请输入全部的参数"));
        QCOMPARE(prompts.messages[0].title, QString("提示"));
        QCOMPARE(text(&w, "myw4"), QString("previous"));
        QCOMPARE(ok(&w)->text(), before); // the step does not move
        QCOMPARE(shown(&w, "Frame3"), step == 2);
    } else {
        QVERIFY(prompts.messages.isEmpty());
        if (step == 1)
            QVERIFY(shown(&w, "Frame3"));
        else
            QVERIFY(text(&w, "myw4") != "previous");
    }
}

void tst_mycontrolV::cancel_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<QStringList>("emptied");

    QStringList common = sourceFields;
    common.removeAll("myw3");
    QTest::newRow("known load") << 0 << common + QStringList{"myw3"};
    QTest::newRow("estimate, first step") << 1 << common + waterBodyFields;
    QTest::newRow("estimate, water-body step") << 2 << common + waterBodyFields;
}

void tst_mycontrolV::cancel()
{
    QFETCH(int, step);
    QFETCH(QStringList, emptied);

    ScriptedPrompts prompts;
    mycontrolV w;
    w.show();
    if (step > 0)
        choose(&w, "Option4");
    if (step > 1)
        press(&w, "caculv");
    setText(&w, "myw4", "result");
    const QString okText = ok(&w)->text();
    const bool waterBodyShown = shown(&w, "Frame3");
    press(&w, "Command1");
    QCOMPARE(text(&w, "myw4"), QString());
    for (const QString &f : sourceFields + waterBodyFields)
        QCOMPARE(text(&w, f.toLatin1()).isEmpty(), emptied.contains(f));
    QCOMPARE(ok(&w)->text(), okText);
    QCOMPARE(shown(&w, "Frame3"), waterBodyShown);
    press(&w, "caculv");
    QCOMPARE(prompts.lastMessage(), QString("请输入全部的参数"));
}

void tst_mycontrolV::failures_data()
{
    QTest::addColumn<bool>("estimate");
    QTest::addColumn<QStringList>("edits"); // field, text, ... typed before the failing press
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("industrial"); // myw3 after the failure

    const QStringList shrinking = {"myy", "2.5", "mya1", "-2"}; // (1 + g)^t undefined
    QTest::newRow("known load, no base-year population") << false << QStringList{"myn", "0"} << "溢出"
                                                         << "1000";
    QTest::newRow("known load, shrinking output over fractional years") << false << shrinking << "无效的过程调用或参数"
                                                                        << "1000";
    QTest::newRow("estimate beyond single precision keeps myw3") << true << QStringList{"myv", "1e42"} << "溢出"
                                                                 << "1000";
    QTest::newRow("estimate shown, then the projection fails") << true << shrinking << "无效的过程调用或参数"
                                                               << "9551.24";
}

void tst_mycontrolV::failures()
{
    QFETCH(bool, estimate);
    QFETCH(QStringList, edits);
    QFETCH(QString, message);
    QFETCH(QString, industrial);

    ScriptedPrompts prompts;
    mycontrolV w;
    w.show();
    if (estimate) {
        choose(&w, "Option4");
        press(&w, "caculv");
    }
    for (int i = 0; i + 1 < edits.size(); i += 2)
        setText(&w, edits[i].toLatin1(), edits[i + 1]);
    setText(&w, "myw4", "previous");
    press(&w, "caculv");
    QCOMPARE(prompts.messages.size(), 1);
    QCOMPARE(prompts.messages[0].text, message);
    QCOMPARE(prompts.messages[0].title, QString("Varnolek"));
    QCOMPARE(text(&w, "myw4"), QString("previous"));
    QCOMPARE(text(&w, "myw3"), industrial);
    QVERIFY(shown(&w, "Frame5") && !shown(&w, "Frame3"));
    if (estimate) {
        // the view had already switched back when the failure came
        QVERIFY(!field(&w, "myw3")->isEnabled() || field(&w, "myw3")->isReadOnly());
        QCOMPARE(caption(&w, "Label9"), QString("排污削减量(t/a):"));
    }
}

QTEST_MAIN(tst_mycontrolV)
#include "tst_mycontrolv.moc"
