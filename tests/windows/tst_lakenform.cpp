// The nutrient window of a lake or reservoir as a user meets it: each view's
// check values and guards through the window and through varnolek-calc, the
// fields a view shows and keeps, Cancel, the formula window's equivalent form,
// the plots, and the main menu's action that opens it.

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
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTextBrowser>
#include <QtTest>
#include <memory>

using namespace windowtest;

namespace {

const QString retentionMessage = QStringLiteral("滞留系数应不小于0且小于1");
const QString outflowMessage = QStringLiteral("年出湖水量必须大于零");
const QString incomplete = QStringLiteral("请输入全部的参数");

std::unique_ptr<ui::CalculatorWindow> open()
{
    std::unique_ptr<ui::CalculatorWindow> w(qobject_cast<ui::CalculatorWindow *>(findCalculator("lakenform")->make()));
    w->setAttribute(Qt::WA_DeleteOnClose, false); // the test owns it
    w->show();
    return w;
}

// "name=text" edits over the texts shown.
void applyEdits(QWidget *window, const QStringList &edits)
{
    for (const QString &edit : edits) {
        const qsizetype eq = edit.indexOf('=');
        setText(window, edit.left(eq).toLatin1().constData(), edit.mid(eq + 1));
    }
}

// The input and result fields the window shows now, by name.
QStringList shownFields(QWidget *window)
{
    QStringList names;
    for (QLineEdit *edit : window->findChildren<QLineEdit *>())
        if (edit->isVisible())
            names << edit->objectName();
    names.sort();
    return names;
}

} // namespace

class TestLakenform : public QObject {
    Q_OBJECT

private slots:
    void calculate_data();
    void calculate();
    void commandLine_data();
    void commandLine();
    void eachViewShowsItsOwnFields();
    void sharedFieldKeepsItsTextAcrossViews();
    void cancelEmptiesTheViewShown();
    void formulaWindowShowsTheEquivalentForm();
    void capacityIsPlottedAgainstTheTarget_data();
    void capacityIsPlottedAgainstTheTarget();
    void mainMenuOpensIt();
};

// Each row: the option of the view, edits over the default texts, then the
// results OK writes ("before" where a failure leaves a field as it was) and
// the message with its title.
void TestLakenform::calculate_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QStringList>("results");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("title");
    const QString prompt = QStringLiteral("提示");

    QTest::newRow("Dillon concentration, check value") << "Option1" << QStringList() << QStringList{"myp=0.0400"} << ""
                                                       << "";
    QTest::newRow("Dillon capacity, check value") << "Option2" << QStringList() << QStringList{"myw=12.500"} << ""
                                                  << "";
    QTest::newRow("Vollenweider, check values")
        << "Option3" << QStringList() << QStringList{"mytw=5.00", "myw=16.180"} << ""
        << "";
    QTest::newRow("retention from the budget, check value")
        << "Option4" << QStringList() << QStringList{"myrr=0.600"} << ""
        << "";
    QTest::newRow("retention from settling, check value")
        << "Option5" << QStringList() << QStringList{"myrr=0.833"} << ""
        << "";
    QTest::newRow("R = 0 keeps nothing in the sediment")
        << "Option1" << QStringList{"myr=0"} << QStringList{"myp=0.1000"} << ""
        << "";
    QTest::newRow("a year's residence: W = 2·Ps·Qa")
        << "Option3" << QStringList{"myv=2"} << QStringList{"mytw=1.00", "myw=10.000"} << ""
        << "";

    QTest::newRow("R = 1 refused") << "Option1" << QStringList{"myr=1"} << QStringList{"myp=before"} << retentionMessage
                                   << prompt;
    QTest::newRow("negative R refused") << "Option2" << QStringList{"myr=-0.1"} << QStringList{"myw=before"}
                                        << retentionMessage << prompt;
    QTest::newRow("R checked before Qa, in the fields' order")
        << "Option2" << QStringList{"myr=1.5", "myqa=0"} << QStringList{"myw=before"} << retentionMessage << prompt;
    QTest::newRow("no outflow, concentration")
        << "Option1" << QStringList{"myqa=0"} << QStringList{"myp=before"} << outflowMessage << prompt;
    QTest::newRow("no outflow, Vollenweider")
        << "Option3" << QStringList{"myqa=0"} << QStringList{"mytw=before", "myw=before"} << outflowMessage << prompt;
    QTest::newRow("negative outflow, settling")
        << "Option5" << QStringList{"myqa=-2"} << QStringList{"myrr=before"} << outflowMessage << prompt;
    QTest::newRow("more out than in") << "Option4" << QStringList{"mywout=25"} << QStringList{"myrr=before"}
                                      << retentionMessage << prompt;
    QTest::newRow("nothing in") << "Option4" << QStringList{"mywin=0"} << QStringList{"myrr=before"} << retentionMessage
                                << prompt;
    QTest::newRow("negative outflow of the budget gives R > 1")
        << "Option4" << QStringList{"mywout=-1"} << QStringList{"myrr=before"} << retentionMessage << prompt;
    // A volume below zero has no square root: the arithmetic's own report.
    QTest::newRow("negative volume, the error report")
        << "Option3" << QStringList{"myv=-10"} << QStringList{"mytw=before", "myw=before"}
        << QStringLiteral("无效的过程调用或参数") << "Varnolek";
    QTest::newRow("empty target, the completeness check")
        << "Option2" << QStringList{"myps="} << QStringList{"myw=before"} << incomplete << prompt;
    QTest::newRow("empty area, the completeness check")
        << "Option5" << QStringList{"mya="} << QStringList{"myrr=before"} << incomplete << prompt;
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
    applyEdits(w.get(), edits);
    for (const QString &result : results)
        setText(w.get(), result.section('=', 0, 0).toLatin1().constData(), "before");
    press(w.get(), "Command1");

    for (const QString &result : results)
        QCOMPARE(text(w.get(), result.section('=', 0, 0).toLatin1().constData()), result.section('=', 1));
    if (message.isEmpty()) {
        QVERIFY(prompts.messages.isEmpty());
        QVERIFY(w->resultsCurrent());
    } else {
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.messages[0].text, message);
        QCOMPARE(prompts.messages[0].title, title);
        QVERIFY(!w->resultsCurrent());
    }
}

void TestLakenform::commandLine_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");

    QTest::newRow("concentration") << QStringList{"lakenform/dillon-concentration"} << 0 << "myp=0.0400\n"
                                   << "";
    QTest::newRow("Dillon capacity") << QStringList{"lakenform/dillon-capacity"} << 0 << "myw=12.500\n"
                                     << "";
    QTest::newRow("Vollenweider") << QStringList{"lakenform/vollenweider-capacity"} << 0 << "mytw=5.00\nmyw=16.180\n"
                                  << "";
    QTest::newRow("budget") << QStringList{"lakenform/retention-budget"} << 0 << "myrr=0.600\n"
                            << "";
    QTest::newRow("settling") << QStringList{"lakenform/retention-settling"} << 0 << "myrr=0.833\n"
                              << "";
    QTest::newRow("a class limit typed in")
        << QStringList{"lakenform/dillon-capacity", "myps=0.05"} << 0 << "myw=25.000\n"
        << "";
    QTest::newRow("R = 1 exits 3") << QStringList{"lakenform/dillon-capacity", "myr=1"} << 3 << ""
                                   << retentionMessage + "\n";
    QTest::newRow("Wout > Win exits 3") << QStringList{"lakenform/retention-budget", "mywout=21"} << 3 << ""
                                        << retentionMessage + "\n";
    QTest::newRow("Qa = 0 exits 3") << QStringList{"lakenform/retention-settling", "myqa=0"} << 3 << ""
                                    << outflowMessage + "\n";
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

// Each option shows its view's fields and results and nothing else, in the
// order of the view's fields, each label beside its field.
void TestLakenform::eachViewShowsItsOwnFields()
{
    ScriptedPrompts prompts;
    auto w = open();
    const std::vector<const catalogue::Entry *> views = catalogue::entriesOf("lakenform");
    QCOMPARE(views.size(), std::size_t(5));
    for (const catalogue::Entry *view : views) {
        choose(w.get(), QString::fromStdString(view->options.front()));
        QCOMPARE(&w->currentEntry(), view);
        QStringList expected;
        for (const catalogue::Field &f : view->fields)
            expected << QString::fromStdString(f.name);
        for (const catalogue::Output &o : view->outputs)
            expected << QString::fromStdString(o.name);
        expected.sort();
        QCOMPARE(shownFields(w.get()), expected);
        int lastTop = -1;
        for (const catalogue::Field &f : view->fields) {
            QLineEdit *edit = field(w.get(), f.name.c_str());
            auto *label = child<QLabel>(w.get(), ("Label_" + f.name).c_str());
            QVERIFY(label->isVisible());
            QCOMPARE(label->text(), QString::fromStdString(f.label));
            QVERIFY2(edit->y() > lastTop, f.name.c_str()); // top to bottom in the view's order
            QVERIFY(label->geometry().bottom() >= edit->y() && label->y() <= edit->geometry().bottom());
            QVERIFY(label->geometry().right() < edit->x());
            lastTop = edit->y();
        }
    }
    QVERIFY(prompts.messages.isEmpty());
}

// Qa typed into one view is the Qa of the next; the other view's results go.
void TestLakenform::sharedFieldKeepsItsTextAcrossViews()
{
    ScriptedPrompts prompts;
    auto w = open();
    setText(w.get(), "myqa", "4");
    press(w.get(), "Command1");
    QCOMPARE(text(w.get(), "myp"), QString("0.0200"));
    choose(w.get(), "Option2");
    QCOMPARE(text(w.get(), "myqa"), QString("4"));
    QCOMPARE(text(w.get(), "myp"), QString()); // not the result of this view
    QVERIFY(!w->resultsCurrent());
    press(w.get(), "Command1");
    QCOMPARE(text(w.get(), "myw"), QString("25.000"));
    choose(w.get(), "Option3");
    QCOMPARE(text(w.get(), "myw"), QString()); // Dillon's W is not Vollenweider's
    press(w.get(), "Command1");
    QCOMPARE(text(w.get(), "mytw"), QString("2.50"));
    QCOMPARE(text(w.get(), "myw"), QString("25.811"));
    QVERIFY(prompts.messages.isEmpty());
}

// Cancel empties the view's own fields and results; another view's fields
// keep their texts, and the next OK shows the completeness message.
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
    QCOMPARE(text(w.get(), "myv"), QString("10"));
    QVERIFY(!w->resultsCurrent());
    press(w.get(), "Command1");
    QCOMPARE(prompts.lastMessage(), incomplete);
    // The concentration view now lacks the emptied R and Qa as well.
    choose(w.get(), "Option1");
    press(w.get(), "Command1");
    QCOMPARE(prompts.messages.size(), 2);
    QCOMPARE(text(w.get(), "myp"), QString());
}

// The concentration view's formulas give the textbook form per unit of area
// beside the one evaluated; the formula window follows the view chosen.
void TestLakenform::formulaWindowShowsTheEquivalentForm()
{
    ScriptedPrompts prompts;
    auto w = open();
    QAction *formula = w->findChild<QAction *>("actionFormula");
    QVERIFY(formula);
    formula->trigger();
    auto *text = w->findChild<QTextBrowser *>("formulaText");
    QVERIFY(text);
    const QString shown = text->toPlainText();
    QVERIFY2(shown.contains(QStringLiteral("[P] = I × 10⁶ × (1 − R) / (Qa × 10⁸)")), qPrintable(shown));
    QVERIFY2(shown.contains(QStringLiteral("[P] = L × (1 − R) / (r × H)")), qPrintable(shown));
    for (const QString &definition :
         {QStringLiteral("L = I / A"), QStringLiteral("r = Qa / V"), QStringLiteral("H = V / A")})
        QVERIFY2(shown.contains(definition), qPrintable(definition));
    choose(w.get(), "Option2");
    const QString capacity = text->toPlainText();
    QVERIFY(capacity.contains(QStringLiteral("W = Ps × (Qa × 10⁸) / (1 − R) / 10⁶")));
    QVERIFY(!capacity.contains(QStringLiteral("r × H")));
}

// Each capacity view draws its capacity against Ps from 0 to 2·Ps with the
// point computed marked; the concentration view draws [P] against I.
void TestLakenform::capacityIsPlottedAgainstTheTarget_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("along");
    QTest::addColumn<double>("xEnd");
    QTest::addColumn<double>("yEnd");
    QTest::addColumn<double>("xMark");
    QTest::addColumn<double>("yMark");
    QTest::addColumn<QString>("mark");
    QTest::newRow("Dillon capacity") << "lakenform/dillon-capacity"
                                     << "myps" << 0.05 << 25.0 << 0.025 << 12.5 << "(0.025, 12.500)";
    QTest::newRow("Vollenweider") << "lakenform/vollenweider-capacity"
                                  << "myps" << 0.05 << 32.3606797749979 << 0.025 << 16.18033988749895
                                  << "(0.025, 16.180)";
    QTest::newRow("concentration") << "lakenform/dillon-concentration"
                                   << "myi" << 40.0 << 0.08 << 20.0 << 0.04 << "(20, 0.0400)";
}

void TestLakenform::capacityIsPlottedAgainstTheTarget()
{
    QFETCH(QString, id);
    QFETCH(QString, along);
    QFETCH(double, xEnd);
    QFETCH(double, yEnd);
    QFETCH(double, xMark);
    QFETCH(double, yMark);
    QFETCH(QString, mark);
    const catalogue::Entry &e = catalogue::entry(id.toStdString());
    const plots::Plot plot = plots::makePlot(e, catalogue::defaultCase(e));
    QVERIFY2(plot.failure.empty(), plot.failure.c_str());
    QCOMPARE(QString::fromStdString(plot.field), along);
    QCOMPARE(plot.series.size(), std::size_t(1));
    const auto &points = plot.series.front().points;
    QCOMPARE(points.front().first, 0.0);
    QCOMPARE(points.front().second, 0.0); // no target, no load; no load, no phosphorus
    QVERIFY(qFuzzyCompare(points.back().first, xEnd));
    QVERIFY(qFuzzyCompare(points.back().second, yEnd));
    QCOMPARE(plot.marks.size(), std::size_t(1));
    QVERIFY(qFuzzyCompare(plot.marks.front().x, xMark));
    QVERIFY(qFuzzyCompare(plot.marks.front().y, yMark));
    QCOMPARE(QString::fromStdString(plot.marks.front().label), mark);
}

// 模型 → 湖库营养盐… opens the window once, in its first view.
void TestLakenform::mainMenuOpensIt()
{
    ui::WindowRegistry calculators;
    mainform menu(calculators);
    auto *models = menu.menuBar()->findChild<QMenu *>("menuModels");
    QVERIFY(models);
    QAction *action = models->findChild<QAction *>("actionLakeNutrient");
    QVERIFY(action && models->actions().contains(action));
    QCOMPARE(action->text(), QStringLiteral("湖库营养盐…"));
    action->trigger();
    action->trigger(); // a second press raises the same window
    QWidget *window = calculators.find("actionLakeNutrient");
    QVERIFY(window);
    QCOMPARE(window->objectName(), QString("lakenform"));
    QCOMPARE(window->windowTitle(), QStringLiteral("湖库营养盐计算（狄龙模型、沃伦威德尔模型）"));
    int open = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        open += w->objectName() == "lakenform" && w->isVisible();
    QCOMPARE(open, 1);
    QVERIFY(child<QRadioButton>(window, "Option1")->isChecked());
    calculators.closeAll();
}

QTEST_MAIN(TestLakenform)
#include "tst_lakenform.moc"
