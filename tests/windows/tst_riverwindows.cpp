// The windows of the river models: what every one of them keeps (its three
// buttons, each result captioned by a label named after it, every label with
// its unit, read-only results, a fixed size, Cancel that empties it), the
// prompts of the guards, the caption of exhausted oxygen, and the far-bank
// rule of the mixing zone on its calculation sheet.

#include "app/windowcatalog.h"
#include "catalogue/catalogue.h"
#include "core/rivermodels.h"
#include "documents/sheet.h"
#include "support/scriptedprompts.h"
#include "support/windowtest.h"
#include "ui/calculatorwindow.h"

#include <QGroupBox>
#include <QLabel>
#include <QTest>
#include <QTextDocument>
#include <memory>

using namespace windowtest;

namespace {

std::unique_ptr<ui::CalculatorWindow> make(const QString &window)
{
    std::unique_ptr<ui::CalculatorWindow> w(qobject_cast<ui::CalculatorWindow *>(findCalculator(window)->make()));
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    w->show();
    return w;
}

// The fields and results on the window's form.
QList<QLineEdit *> edits(QWidget *w)
{
    return w->findChildren<QLineEdit *>();
}

} // namespace

class TestRiverWindows : public QObject {
    Q_OBJECT

private slots:
    void conventions_data();
    void conventions();
    void guards_data();
    void guards();
    void oxygenExhausted();
    void farBankRuleOnTheSheet();
};

void TestRiverWindows::conventions_data()
{
    QTest::addColumn<QString>("window");
    for (const char *window : {"mixlenform", "my2dcform", "pulseform", "estuaryform", "spform"})
        QTest::newRow(window) << QString(window);
}

void TestRiverWindows::conventions()
{
    QFETCH(QString, window);
    ScriptedPrompts prompts;
    const auto w = make(window);
    const catalogue::Entry &e = w->currentEntry();
    QCOMPARE(child<QPushButton>(w.get(), "Command1")->text(), QString("确  定"));
    QCOMPARE(child<QPushButton>(w.get(), "Command2")->text(), QString("取  消"));
    QCOMPARE(child<QPushButton>(w.get(), "Command3")->text(), QString("返  回"));
    QCOMPARE(w->minimumSize(), w->maximumSize());

    // Every field's label prints the unit the field declares.
    for (const catalogue::Field &f : e.fields)
        if (f.numeric())
            QVERIFY2(catalogue::labelUnit(f.label) == f.unit, f.label.c_str());
    // Every result shows beside its caption, Label_<name>, and takes no typing.
    for (const catalogue::Output &o : e.outputs) {
        if (!o.numeric())
            continue;
        const QString name = QString::fromStdString(o.name);
        QVERIFY2(field(w.get(), qPrintable(name))->isReadOnly(), qPrintable(name));
        QCOMPARE(caption(w.get(), qPrintable("Label_" + name)), QString::fromStdString(o.label));
        QCOMPARE(catalogue::labelUnit(o.label), o.unit);
    }

    // OK fills every result; Cancel empties every field and result, and OK
    // then asks for the inputs.
    press(w.get(), "Command1");
    QVERIFY2(prompts.messages.isEmpty(), qPrintable(prompts.lastMessage()));
    for (const catalogue::Output &o : e.outputs)
        if (o.numeric())
            QVERIFY(!text(w.get(), o.name.c_str()).isEmpty());
    press(w.get(), "Command2");
    for (QLineEdit *edit : edits(w.get()))
        QVERIFY2(edit->text().isEmpty(), qPrintable(edit->objectName()));
    for (const catalogue::Output &o : e.outputs)
        if (!o.numeric())
            QVERIFY(caption(w.get(), o.name.c_str()).isEmpty());
    press(w.get(), "Command1");
    QCOMPARE(prompts.messages.size(), 1);
    QCOMPARE(prompts.messages[0].text, QString("请输入全部的参数"));
    QCOMPARE(prompts.messages[0].title, QString("提示"));
}

void TestRiverWindows::guards_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("edits"); // field=text
    QTest::addColumn<QString>("message");
    const QString outfall = QString::fromUtf8(varnolek::models::outfallOutsideRiverMessage);
    const QString point = QString::fromUtf8(varnolek::models::pointOutsideRiverMessage);
    QTest::newRow("mixing zone, a < 0") << "mixlenform" << QStringList{"mya=-0.5"} << outfall;
    QTest::newRow("mixing zone, a > B") << "mixlenform" << QStringList{"mya=30.5"} << outfall;
    QTest::newRow("plume, a < 0") << "my2dcform" << QStringList{"mya=-1", "myy=0"} << outfall;
    QTest::newRow("plume, a > B") << "my2dcform" << QStringList{"mya=31", "myy=0"} << outfall;
    QTest::newRow("plume, behind the near bank") << "my2dcform" << QStringList{"myy=-10.01"} << point;
    QTest::newRow("plume, behind the far bank") << "my2dcform" << QStringList{"myy=20.01"} << point;
    QTest::newRow("plume, outfall and point both out")
        << "my2dcform" << QStringList{"mya=40", "myy=50"} << outfall; // the outfall is told of first
}

// A guard's prompt is titled 提示 and changes nothing: the results of the
// last calculation stay.
void TestRiverWindows::guards()
{
    QFETCH(QString, window);
    QFETCH(QStringList, edits);
    QFETCH(QString, message);
    ScriptedPrompts prompts;
    const auto w = make(window);
    press(w.get(), "Command1");
    QVERIFY(prompts.messages.isEmpty());
    const std::string main = w->currentEntry().main().name;
    const QString before = text(w.get(), main.c_str());
    QVERIFY(!before.isEmpty());
    for (const QString &edit : edits)
        setText(w.get(), qPrintable(edit.section('=', 0, 0)), edit.section('=', 1));
    press(w.get(), "Command1");
    QCOMPARE(prompts.messages.size(), 1);
    QCOMPARE(prompts.messages[0].text, message);
    QCOMPARE(prompts.messages[0].title, QString("提示"));
    QCOMPARE(text(w.get(), main.c_str()), before);
    // The boundaries themselves are in the river.
    setText(w.get(), "mya", "0");
    setText(w.get(), "myb", "30");
    if (w->plainField("myy"))
        setText(w.get(), "myy", "30");
    press(w.get(), "Command1");
    QCOMPARE(prompts.messages.size(), 1);
}

// Below zero the oxygen stands as computed, beside the caption that the model
// no longer holds; a calculation with oxygen left, or Cancel, takes it away.
void TestRiverWindows::oxygenExhausted()
{
    ScriptedPrompts prompts;
    const auto w = make("spform");
    const QString exhausted = QString::fromUtf8(varnolek::models::oxygenExhaustedText);
    press(w.get(), "Command1");
    QCOMPARE(caption(w.get(), "Label_exhausted"), QString());
    setText(w.get(), "myl2", "2000");
    press(w.get(), "Command1");
    QCOMPARE(text(w.get(), "mydoc"), QString("-16.07"));
    QCOMPARE(text(w.get(), "mydo"), QString("0.84")); // the section itself still has oxygen
    QCOMPARE(caption(w.get(), "Label_exhausted"), exhausted);
    QVERIFY(child<QLabel>(w.get(), "Label_exhausted")->isVisible());
    setText(w.get(), "myl2", "200");
    press(w.get(), "Command1");
    QCOMPARE(caption(w.get(), "Label_exhausted"), QString());
    setText(w.get(), "myl2", "2000");
    press(w.get(), "Command1");
    QCOMPARE(caption(w.get(), "Label_exhausted"), exhausted);
    press(w.get(), "Command2");
    QCOMPARE(caption(w.get(), "Label_exhausted"), QString());
    QVERIFY(prompts.messages.isEmpty());
}

// An outfall past the middle is measured from the far bank: the sheet's
// formula section says so under the formula, and the length is the same.
void TestRiverWindows::farBankRuleOnTheSheet()
{
    ScriptedPrompts prompts;
    const auto w = make("mixlenform");
    setText(w.get(), "mya", "20");
    press(w.get(), "Command1");
    const QString far = text(w.get(), "mylm");
    setText(w.get(), "mya", "10");
    press(w.get(), "Command1");
    QCOMPARE(text(w.get(), "mylm"), far);
    const QString sheet = documents::sheetDocument(*w, QStringLiteral("清水河"))->toPlainText();
    const qsizetype formula = sheet.indexOf(QStringLiteral("二、计算公式"));
    const qsizetype rule = sheet.indexOf(QStringLiteral("a > B/2：按距对岸距离 B − a 计算"));
    const qsizetype results = sheet.indexOf(QStringLiteral("三、计算结果"));
    QVERIFY(formula > 0);
    QVERIFY2(rule > formula && rule < results, qPrintable(sheet));
    QVERIFY(sheet.indexOf(QStringLiteral("Lm = {0.11 + 0.7")) > formula);
}

QTEST_MAIN(TestRiverWindows)
#include "tst_riverwindows.moc"
