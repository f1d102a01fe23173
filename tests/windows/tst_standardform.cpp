// 水质标准限值, the GB 3838-2002 picker of every calculator window's Edit menu:
// what it offers, the limit it shows with its sense and unit, and 填入, which
// writes the limit into the field the calculator's current view declares as
// its target (read from the catalogue), and is disabled where there is none,
// where the water body has no limit, and where the units differ.

#include "app/windowcatalog.h"
#include "catalogue/catalogue.h"
#include "core/standards.h"
#include "documents/standardform.h"
#include "support/scriptedprompts.h"
#include "support/windowtest.h"
#include "ui/calculatorwindow.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>
#include <memory>

using namespace windowtest;
using documents::standardform;

namespace {

std::unique_ptr<ui::CalculatorWindow> open(const std::string &window)
{
    std::unique_ptr<ui::CalculatorWindow> w(
        qobject_cast<ui::CalculatorWindow *>(findCalculator(QString::fromStdString(window))->make()));
    w->setAttribute(Qt::WA_DeleteOnClose, false); // the test owns it
    w->show();
    return w;
}

// The picker as 编辑 → 水质标准限值… opens it.
standardform *picker(ui::CalculatorWindow *w)
{
    w->findChild<QMenu *>("menuEdit")->findChild<QAction *>("actionStandardLimit")->trigger();
    return w->findChild<standardform *>("standardform");
}

// Chooses the water body, the item by name and the class (1 to 5) as a user clicks them.
void pick(standardform *form, bool lake, const QString &item, int waterClass)
{
    choose(form, lake ? "Option2" : "Option1");
    const QList<QListWidgetItem *> found = form->listItems->findItems(item, Qt::MatchExactly);
    if (found.size() != 1)
        qFatal("no single item %s in the list", qPrintable(item));
    form->listItems->setCurrentItem(found.front());
    choose(form, QStringLiteral("OptionClass%1").arg(waterClass));
}

QPushButton *fill(standardform *form)
{
    return child<QPushButton>(form, "Command1");
}

// The texts of the window's fields, to compare before and after.
std::map<std::string, std::string> texts(const ui::CalculatorWindow &w)
{
    std::map<std::string, std::string> all;
    const catalogue::Case c = w.windowCase();
    for (const auto &[name, text] : c.fields)
        all[std::string(name)] = std::string(text);
    return all;
}

} // namespace

class TestStandardForm : public QObject {
    Q_OBJECT

private slots:
    void offersTheLimitsButPhAndTemperature();
    void showsTheLimitWithSenseAndUnit_data();
    void showsTheLimitWithSenseAndUnit();
    void fillsTheTargetOfTheView_data();
    void fillsTheTargetOfTheView();
    void everyViewFillsItsDeclaredTargetOrNothing();
    void followsTheViewTheWindowShows();
    void totalNitrogenInARiverFillsNothing();
    void aLimitInAnotherUnitFillsNothing();
};

// Every item of table 1 with a single limit, once by name: not pH (a range)
// nor water temperature (a change); total phosphorus once for both waters.
void TestStandardForm::offersTheLimitsButPhAndTemperature()
{
    auto w = open("my1dw");
    standardform *form = picker(w.get());
    QStringList items;
    for (int i = 0; i < form->listItems->count(); ++i)
        items << form->listItems->item(i)->text();
    QCOMPARE(items.count(QStringLiteral("总磷")), 1);
    for (const varnolek::standards::Row &row : varnolek::standards::table())
        QCOMPARE(items.contains(QString::fromUtf8(row.name.data(), qsizetype(row.name.size()))),
                 varnolek::standards::isLimit(row));
    QVERIFY(!items.contains("pH") && !items.contains(QStringLiteral("水温")));
    QCOMPARE(child<QRadioButton>(form, "OptionClass3")->text(), QStringLiteral("Ⅲ类"));
}

void TestStandardForm::showsTheLimitWithSenseAndUnit_data()
{
    QTest::addColumn<bool>("lake");
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("waterClass");
    QTest::addColumn<QString>("shown");
    QTest::newRow("total phosphorus, lake III") << true << "总磷" << 3 << "≤ 0.05 mg/L";
    QTest::newRow("total phosphorus, river III") << false << "总磷" << 3 << "≤ 0.2 mg/L";
    QTest::newRow("dissolved oxygen, a lower limit") << false << "溶解氧" << 1 << "≥ 7.5 mg/L";
    QTest::newRow("mercury in general text") << false << "汞" << 1 << "≤ 5E-05 mg/L";
    QTest::newRow("faecal coliforms per litre") << true << "粪大肠菌群" << 5 << "≤ 40000 个/L";
}

void TestStandardForm::showsTheLimitWithSenseAndUnit()
{
    QFETCH(bool, lake);
    QFETCH(QString, item);
    QFETCH(int, waterClass);
    QFETCH(QString, shown);
    auto w = open("my0dw");
    standardform *form = picker(w.get());
    pick(form, lake, item, waterClass);
    QCOMPARE(field(form, "Text1")->text(), shown);
}

// Each row: a view, the choice, and the text 填入 writes into its target.
void TestStandardForm::fillsTheTargetOfTheView_data()
{
    QTest::addColumn<QString>("view");
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("lake");
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("waterClass");
    QTest::addColumn<QString>("filled");
    QTest::newRow("my1dw, ammonia nitrogen III") << "my1dw"
                                                 << "mycs" << false << "氨氮" << 3 << "1";
    QTest::newRow("lake capacity, total phosphorus III") << "lakenform/dillon-capacity"
                                                         << "myps" << true << "总磷" << 3 << "0.05";
    QTest::newRow("Vollenweider, mercury I") << "lakenform/vollenweider-capacity"
                                             << "myps" << true << "汞" << 1 << "5E-05";
}

// 填入 changes the target and nothing else; the results shown become stale,
// and the next OK computes what typing the limit in would.
void TestStandardForm::fillsTheTargetOfTheView()
{
    QFETCH(QString, view);
    QFETCH(QString, target);
    QFETCH(bool, lake);
    QFETCH(QString, item);
    QFETCH(int, waterClass);
    QFETCH(QString, filled);
    ScriptedPrompts prompts;
    const catalogue::Entry &e = catalogue::entry(view.toStdString());
    auto w = open(e.window);
    w->showView(e, 0);
    press(w.get(), e.okButton.c_str());
    QVERIFY(w->resultsCurrent());
    std::map<std::string, std::string> expected = texts(*w);
    expected[target.toStdString()] = filled.toStdString();

    standardform *form = picker(w.get());
    pick(form, lake, item, waterClass);
    QTest::mouseClick(fill(form), Qt::LeftButton);
    QCOMPARE(texts(*w), expected);
    QVERIFY(!w->resultsCurrent());
    QVERIFY(form->isVisible()); // another item may follow

    press(w.get(), e.okButton.c_str());
    catalogue::Case typed = catalogue::defaultCase(e);
    typed.setOwned(target.toStdString(), filled.toStdString());
    QCOMPARE(text(w.get(), e.main().name.c_str()),
             QString::fromStdString(*catalogue::evaluate(e, typed).result.text(e.main().name)));
    QVERIFY(prompts.messages.isEmpty());
    QTest::mouseClick(child<QPushButton>(form, "Command2"), Qt::LeftButton);
    QVERIFY(!form->isVisible() && w->isVisible());
}

// Over every view of every calculator window: the Edit menu has the picker
// (Ctrl+L); 填入 is enabled exactly where the view declares a target, and
// writes into that field and no other.
void TestStandardForm::everyViewFillsItsDeclaredTargetOrNothing()
{
    ScriptedPrompts prompts;
    int targets = 0, without = 0;
    for (const CalculatorEntry &calculator : calculatorCatalog()) {
        for (const catalogue::Entry *view : catalogue::entriesOf(calculator.window.toStdString())) {
            auto w = open(view->window);
            auto *action = w->findChild<QMenu *>("menuEdit")->findChild<QAction *>("actionStandardLimit");
            QCOMPARE(action->text(), QStringLiteral("水质标准限值…"));
            QCOMPARE(action->shortcut(), QKeySequence(QStringLiteral("Ctrl+L")));
            w->showView(*view, view->defaultRows);
            std::map<std::string, std::string> expected = texts(*w);
            standardform *form = picker(w.get());
            QCOMPARE(form->windowTitle(), QStringLiteral("水质标准限值"));
            pick(form, true, QStringLiteral("高锰酸盐指数"), 5);
            QCOMPARE(fill(form)->isEnabled(), !view->target.empty());
            QTest::mouseClick(fill(form), Qt::LeftButton);
            if (!view->target.empty())
                expected[view->target] = "15";
            QCOMPARE(texts(*w), expected);
            (view->target.empty() ? without : targets)++;
        }
    }
    QVERIFY(targets >= 8 && without >= 8);
    QVERIFY(prompts.messages.isEmpty());
}

// The picker stays open while the calculator's option buttons change the
// view: 填入 follows, and writes into the new view's target.
void TestStandardForm::followsTheViewTheWindowShows()
{
    ScriptedPrompts prompts;
    auto w = open("lakenform");
    standardform *form = picker(w.get());
    pick(form, true, QStringLiteral("总磷"), 2);
    QVERIFY(!fill(form)->isEnabled()); // the concentration has no target
    choose(w.get(), "Option3");
    QVERIFY(fill(form)->isEnabled());
    QTest::mouseClick(fill(form), Qt::LeftButton);
    QCOMPARE(text(w.get(), "myps"), QString("0.025"));
    choose(w.get(), "Option4");
    QVERIFY(!fill(form)->isEnabled());
}

// Total nitrogen has no river limit: the picker says so and fills nothing,
// even in a window with a target; the same item for a lake fills.
void TestStandardForm::totalNitrogenInARiverFillsNothing()
{
    auto w = open("my1dw");
    standardform *form = picker(w.get());
    pick(form, false, QStringLiteral("总氮"), 3);
    QCOMPARE(field(form, "Text1")->text(), QStringLiteral("该项目对河流无标准限值"));
    QVERIFY(!fill(form)->isEnabled());
    QTest::mouseClick(fill(form), Qt::LeftButton);
    QCOMPARE(text(w.get(), "mycs"), QString("8"));
    pick(form, true, QStringLiteral("总氮"), 3);
    QTest::mouseClick(fill(form), Qt::LeftButton);
    QCOMPARE(text(w.get(), "mycs"), QString("1"));
}

// Faecal coliforms are counted per litre: not a concentration in mg/L.
void TestStandardForm::aLimitInAnotherUnitFillsNothing()
{
    auto w = open("my0dw");
    standardform *form = picker(w.get());
    pick(form, false, QStringLiteral("粪大肠菌群"), 3);
    QVERIFY(form->limit());
    QVERIFY(!fill(form)->isEnabled());
    QVERIFY(child<QLabel>(form, "labelTarget")->text().contains(QStringLiteral("个/L")));
}

QTEST_MAIN(TestStandardForm)
#include "tst_standardform.moc"
