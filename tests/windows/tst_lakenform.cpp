// The nutrient window of a lake or reservoir as a user meets it: each view's
// check values and guards through the window and through varnolek-calc, a
// field shared by views, Cancel, the formula window's equivalent form, the
// plots, and the main menu's action that opens it. (That each view shows its
// own fields with their labels, and computes what the core does for any
// field, tst_catalogue_windows checks over every calculation.)

#include "app/mainform.h"
#include "app/windowcatalog.h"
#include "catalogue/catalogue.h"
#include "plots/plotdata.h"
#include "support/runcli.h"
#include "support/scriptedprompts.h"
#include "support/windowtest.h"
#include "ui/calculatorwindow.h"
#include "ui/windowregistry.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTextBrowser>
#include <QtTest>
#include <memory>

using namespace windowtest;

namespace {

const QString retention = QStringLiteral("滞留系数应不小于0且小于1");
const QString outflow = QStringLiteral("年出湖水量必须大于零");

std::unique_ptr<ui::CalculatorWindow> open()
{
    std::unique_ptr<ui::CalculatorWindow> w(qobject_cast<ui::CalculatorWindow *>(findCalculator("lakenform")->make()));
    w->setAttribute(Qt::WA_DeleteOnClose, false); // the test owns it
    w->show();
    return w;
}

QByteArray nameOf(const QString &assignment)
{
    return assignment.section('=', 0, 0).toLatin1();
}

} // namespace

class TestLakenform : public QObject {
    Q_OBJECT

private slots:
    void calculate_data();
    void calculate();
    void commandLine_data();
    void commandLine();
    void sharedFieldKeepsItsTextAcrossViews();
    void cancelEmptiesTheViewShown();
    void formulaWindowShowsTheEquivalentForm();
    void plots_data();
    void plots();
    void mainMenuOpensIt();
};

// Each row: the view's option, edits over the default texts, the results OK
// writes ("before": a failure leaves the field as it was), the message and
// its title.
void TestLakenform::calculate_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QStringList>("results");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("title");
    const QString prompt = QStringLiteral("提示");
    // clang-format off
    QTest::newRow("Dillon concentration") << "Option1" << QStringList() << QStringList{"myp=0.0400"} << "" << "";
    QTest::newRow("Dillon capacity") << "Option2" << QStringList() << QStringList{"myw=12.500"} << "" << "";
    QTest::newRow("Vollenweider") << "Option3" << QStringList() << QStringList{"mytw=5.00", "myw=16.180"} << "" << "";
    QTest::newRow("retention, budget") << "Option4" << QStringList() << QStringList{"myrr=0.600"} << "" << "";
    QTest::newRow("retention, settling") << "Option5" << QStringList() << QStringList{"myrr=0.833"} << "" << "";
    QTest::newRow("R = 1") << "Option1" << QStringList{"myr=1"} << QStringList{"myp=before"} << retention << prompt;
    QTest::newRow("R before Qa, in the fields' order")
        << "Option2" << QStringList{"myr=1.5", "myqa=0"} << QStringList{"myw=before"} << retention << prompt;
    QTest::newRow("Qa = 0") << "Option3" << QStringList{"myqa=0"} << QStringList{"mytw=before", "myw=before"}
                            << outflow << prompt;
    QTest::newRow("Wout > Win") << "Option4" << QStringList{"mywout=25"} << QStringList{"myrr=before"} << retention << prompt;
    QTest::newRow("Win = 0") << "Option4" << QStringList{"mywin=0"} << QStringList{"myrr=before"} << retention << prompt;
    QTest::newRow("Qa < 0, settling") << "Option5" << QStringList{"myqa=-2"} << QStringList{"myrr=before"} << outflow << prompt;
    // A negative volume has no square root: the arithmetic's own report.
    QTest::newRow("V < 0") << "Option3" << QStringList{"myv=-10"} << QStringList{"mytw=before", "myw=before"}
                           << QStringLiteral("无效的过程调用或参数") << "Varnolek";
    QTest::newRow("empty target") << "Option2" << QStringList{"myps="} << QStringList{"myw=before"}
                                  << QStringLiteral("请输入全部的参数") << prompt;
    // clang-format on
}

void TestLakenform::calculate()
{
    QFETCH(QString, option);
    QFETCH(QStringList, edits);
    QFETCH(QStringList, results);
    QFETCH(QString, message);
    QFETCH(QString, title);
    ScriptedPrompts prompts;
    auto w = open();
    choose(w.get(), option);
    for (const QString &edit : edits)
        setText(w.get(), nameOf(edit).constData(), edit.section('=', 1));
    for (const QString &result : results)
        setText(w.get(), nameOf(result).constData(), "before");
    press(w.get(), "Command1");
    for (const QString &result : results)
        QCOMPARE(text(w.get(), nameOf(result).constData()), result.section('=', 1));
    QCOMPARE(prompts.messages.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty()) {
        QCOMPARE(prompts.messages[0].text, message);
        QCOMPARE(prompts.messages[0].title, title);
    }
    QCOMPARE(w->resultsCurrent(), message.isEmpty());
}

void TestLakenform::commandLine_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    // clang-format off
    QTest::newRow("concentration") << QStringList{"lakenform/dillon-concentration"} << 0 << "myp=0.0400\n" << "";
    QTest::newRow("Dillon") << QStringList{"lakenform/dillon-capacity"} << 0 << "myw=12.500\n" << "";
    QTest::newRow("Vollenweider") << QStringList{"lakenform/vollenweider-capacity"} << 0 << "mytw=5.00\nmyw=16.180\n" << "";
    QTest::newRow("budget") << QStringList{"lakenform/retention-budget"} << 0 << "myrr=0.600\n" << "";
    QTest::newRow("settling") << QStringList{"lakenform/retention-settling"} << 0 << "myrr=0.833\n" << "";
    QTest::newRow("R = 1 exits 3") << QStringList{"lakenform/dillon-capacity", "myr=1"} << 3 << "" << retention + "\n";
    QTest::newRow("Wout > Win exits 3") << QStringList{"lakenform/retention-budget", "mywout=21"} << 3 << ""
                                        << retention + "\n";
    QTest::newRow("Qa = 0 exits 3") << QStringList{"lakenform/retention-settling", "myqa=0"} << 3 << "" << outflow + "\n";
    // clang-format on
}

void TestLakenform::commandLine()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    const CliResult run = runCli(args);
    QCOMPARE(run.out, out);
    QCOMPARE(run.err, err);
    QCOMPARE(run.status, status);
}

// Qa typed into one view is the Qa of the next; a view's results go with it.
void TestLakenform::sharedFieldKeepsItsTextAcrossViews()
{
    ScriptedPrompts prompts;
    auto w = open();
    setText(w.get(), "myqa", "4");
    press(w.get(), "Command1");
    QCOMPARE(text(w.get(), "myp"), QString("0.0200"));
    choose(w.get(), "Option2");
    QCOMPARE(text(w.get(), "myqa"), QString("4"));
    QVERIFY(!w->resultsCurrent());
    press(w.get(), "Command1");
    QCOMPARE(text(w.get(), "myw"), QString("25.000"));
    choose(w.get(), "Option3");
    QCOMPARE(text(w.get(), "myw"), QString()); // Dillon's W is not Vollenweider's
    press(w.get(), "Command1");
    QCOMPARE(text(w.get(), "myw"), QString("25.811"));
    QVERIFY(prompts.messages.isEmpty());
}

// Cancel empties the view's fields and results; another view's own fields
// keep their texts; the next OK shows the completeness message.
void TestLakenform::cancelEmptiesTheViewShown()
{
    ScriptedPrompts prompts;
    auto w = open();
    choose(w.get(), "Option2");
    press(w.get(), "Command1");
    press(w.get(), "Command2");
    for (const char *name : {"myps", "myr", "myqa", "myw"})
        QCOMPARE(text(w.get(), name), QString());
    QCOMPARE(text(w.get(), "myi"), QString("20"));
    QVERIFY(!w->resultsCurrent());
    press(w.get(), "Command1");
    QCOMPARE(prompts.lastMessage(), QStringLiteral("请输入全部的参数"));
}

// Beside the formula evaluated, the concentration view gives the form per
// unit of area; the formula window follows the view chosen.
void TestLakenform::formulaWindowShowsTheEquivalentForm()
{
    ScriptedPrompts prompts;
    auto w = open();
    w->findChild<QAction *>("actionFormula")->trigger();
    auto *text = w->findChild<QTextBrowser *>("formulaText");
    QVERIFY(text);
    for (const char *line : {"[P] = I × 10⁶ × (1 − R) / (Qa × 10⁸)", "[P] = L × (1 − R) / (r × H)", "L = I / A",
                             "r = Qa / V", "H = V / A"})
        QVERIFY2(text->toPlainText().contains(QString::fromUtf8(line)), line);
    choose(w.get(), "Option2");
    QVERIFY(text->toPlainText().contains(QStringLiteral("W = Ps × (Qa × 10⁸) / (1 − R) / 10⁶")));
    QVERIFY(!text->toPlainText().contains(QStringLiteral("r × H")));
}

// Each capacity view draws its capacity against Ps from 0 to 2·Ps, the point
// computed marked; the concentration view draws [P] against I.
void TestLakenform::plots_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("along");
    QTest::addColumn<QPointF>("end");
    QTest::addColumn<QPointF>("marked");
    QTest::addColumn<QString>("label");
    QTest::newRow("Dillon") << "lakenform/dillon-capacity"
                            << "myps" << QPointF(0.05, 25) << QPointF(0.025, 12.5) << "(0.025, 12.500)";
    QTest::newRow("Vollenweider") << "lakenform/vollenweider-capacity"
                                  << "myps" << QPointF(0.05, 32.3606797749979) << QPointF(0.025, 16.18033988749895)
                                  << "(0.025, 16.180)";
    QTest::newRow("concentration") << "lakenform/dillon-concentration"
                                   << "myi" << QPointF(40, 0.08) << QPointF(20, 0.04) << "(20, 0.0400)";
}

void TestLakenform::plots()
{
    QFETCH(QString, id);
    QFETCH(QString, along);
    QFETCH(QPointF, end);
    QFETCH(QPointF, marked);
    QFETCH(QString, label);
    const catalogue::Entry &e = catalogue::entry(id.toStdString());
    const plots::Plot plot = plots::makePlot(e, catalogue::defaultCase(e));
    QVERIFY2(plot.failure.empty(), plot.failure.c_str());
    QCOMPARE(QString::fromStdString(plot.field), along);
    QCOMPARE(plot.series.size(), std::size_t(1));
    const auto &points = plot.series.front().points;
    QCOMPARE(QPointF(points.front().first, points.front().second), QPointF(0, 0));
    QCOMPARE(QPointF(points.back().first, points.back().second), end);
    QCOMPARE(plot.marks.size(), std::size_t(1));
    QCOMPARE(QPointF(plot.marks.front().x, plot.marks.front().y), marked);
    QCOMPARE(QString::fromStdString(plot.marks.front().label), label);
}

// 模型 → 湖库营养盐… opens the window once, in its first view.
void TestLakenform::mainMenuOpensIt()
{
    ui::WindowRegistry calculators;
    mainform menu(calculators);
    auto *models = menu.menuBar()->findChild<QMenu *>("menuModels");
    QAction *action = models->findChild<QAction *>("actionLakeNutrient");
    QVERIFY(action && models->actions().contains(action));
    QCOMPARE(action->text(), QStringLiteral("湖库营养盐…"));
    action->trigger();
    QWidget *window = calculators.find("actionLakeNutrient");
    action->trigger(); // raised, not built again
    QCOMPARE(calculators.find("actionLakeNutrient"), window);
    QCOMPARE(window->objectName(), QString("lakenform"));
    QCOMPARE(window->windowTitle(), QStringLiteral("湖库营养盐计算（狄龙模型、沃伦威德尔模型）"));
    QVERIFY(child<QRadioButton>(window, "Option1")->isChecked());
    calculators.closeAll();
}

QTEST_MAIN(TestLakenform)
#include "tst_lakenform.moc"
