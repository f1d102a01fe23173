// 水质标准限值, the GB 3838-2002 picker of every calculator window's Edit menu:
// what it offers, the limit it shows with its sense and unit, and 填入, which
// writes the limit into the field the calculator's current view declares as
// its target (read from the catalogue), and is disabled where there is none,
// where the water body has no limit, and where the units differ.

#include "app/windowcatalog.h"
#include "catalogue/catalogue.h"
#include "core/numbers.h"
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
    auto *action = w->findChild<QAction *>("actionStandardLimit");
    if (!action)
        qFatal("no actionStandardLimit in %s", qPrintable(w->objectName()));
    action->trigger();
    return w->findChild<standardform *>("standardform");
}

// Chooses the water body, the item by name and the class (1 to 5) as a user clicks them.
void pick(standardform *form, bool lake, const QString &item, int waterClass)
{
    QTest::mouseClick(form->findChild<QRadioButton *>(lake ? "Option2" : "Option1"), Qt::LeftButton, {}, QPoint(8, 8));
    const QList<QListWidgetItem *> found = form->listItems->findItems(item, Qt::MatchExactly);
    if (found.size() != 1)
        qFatal("no single item %s in the list", qPrintable(item));
    form->listItems->setCurrentItem(found.front());
    QTest::mouseClick(form->findChild<QRadioButton *>(QStringLiteral("OptionClass%1").arg(waterClass)), Qt::LeftButton,
                      {}, QPoint(8, 8));
}

QPushButton *fillButton(standardform *form)
{
    return form->findChild<QPushButton *>("Command1");
}

} // namespace

class TestStandardForm : public QObject {
    Q_OBJECT

private slots:
    void everyCalculatorHasTheEditMenuItem();
    void offersTheLimitsButPhAndTemperature();
    void showsTheLimitWithSenseAndUnit_data();
    void showsTheLimitWithSenseAndUnit();
    void fillsTheTargetOfTheView_data();
    void fillsTheTargetOfTheView();
    void fillsEveryDeclaredTargetAndNothingElse();
    void followsTheViewTheWindowShows();
    void totalNitrogenInARiverFillsNothing();
    void aLimitInAnotherUnitFillsNothing();
    void closeButtonCloses();
};

// 编辑 → 水质标准限值…, Ctrl+L, in every calculator window of the table.
void TestStandardForm::everyCalculatorHasTheEditMenuItem()
{
    ScriptedPrompts prompts;
    for (const CalculatorEntry &calculator : calculatorCatalog()) {
        auto w = open(calculator.window.toStdString());
        auto *edit = w->menuBar()->findChild<QMenu *>("menuEdit");
        QVERIFY2(edit, qPrintable(calculator.window));
        auto *action = edit->findChild<QAction *>("actionStandardLimit");
        QVERIFY2(action && edit->actions().contains(action), qPrintable(calculator.window));
        QCOMPARE(action->text(), QStringLiteral("水质标准限值…"));
        QCOMPARE(action->shortcut(), QKeySequence(QStringLiteral("Ctrl+L")));
        standardform *form = picker(w.get());
        QVERIFY(form && form->isVisible());
        QCOMPARE(form->windowTitle(), QStringLiteral("水质标准限值"));
        // A second press shows the same picker.
        QCOMPARE(picker(w.get()), form);
        QCOMPARE(w->findChildren<standardform *>().size(), 1);
    }
}

// The items of table 1 with a single limit: pH (a range) and water
// temperature (a change) are not offered; total phosphorus is one item.
void TestStandardForm::offersTheLimitsButPhAndTemperature()
{
    auto w = open("my1dw");
    standardform *form = picker(w.get());
    QStringList items;
    for (int i = 0; i < form->listItems->count(); ++i)
        items << form->listItems->item(i)->text();
    QVERIFY(!items.contains("pH"));
    QVERIFY(!items.contains(QStringLiteral("水温")));
    QCOMPARE(items.count(QStringLiteral("总磷")), 1);
    for (const QString &item : {QStringLiteral("化学需氧量"), QStringLiteral("氨氮"), QStringLiteral("总氮"),
                                QStringLiteral("溶解氧"), QStringLiteral("粪大肠菌群")})
        QVERIFY2(items.contains(item), qPrintable(item));
    // Every row of the table that has a limit is offered, by its name.
    for (const varnolek::standards::Row &row : varnolek::standards::table())
        QCOMPARE(items.contains(QString::fromUtf8(row.name.data(), qsizetype(row.name.size()))),
                 varnolek::standards::isLimit(row));
    const QStringList classes = {"Ⅰ类", "Ⅱ类", "Ⅲ类", "Ⅳ类", "Ⅴ类"};
    for (int k = 1; k <= 5; ++k)
        QCOMPARE(child<QRadioButton>(form, qPrintable(QStringLiteral("OptionClass%1").arg(k)))->text(), classes[k - 1]);
    QCOMPARE(child<QRadioButton>(form, "Option1")->text(), QStringLiteral("河流"));
    QCOMPARE(child<QRadioButton>(form, "Option2")->text(), QStringLiteral("湖库"));
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
    QTest::newRow("COD, IV") << true << "化学需氧量" << 4 << "≤ 30 mg/L";
    QTest::newRow("mercury in general text") << false << "汞" << 1 << "≤ 5E-05 mg/L";
    QTest::newRow("faecal coliforms per litre") << false << "粪大肠菌群" << 5 << "≤ 40000 个/L";
    QTest::newRow("total nitrogen, lake II") << true << "总氮" << 2 << "≤ 0.5 mg/L";
    QTest::newRow("total nitrogen, river") << false << "总氮" << 2 << "该项目对河流无标准限值";
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
    QVERIFY(field(form, "Text1")->isReadOnly());
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
    QTest::newRow("my1dw, total phosphorus II in a river") << "my1dw"
                                                           << "mycs" << false << "总磷" << 2 << "0.1";
    QTest::newRow("lake capacity, total phosphorus III in a lake") << "lakenform/dillon-capacity"
                                                                   << "myps" << true << "总磷" << 3 << "0.05";
    QTest::newRow("Vollenweider, total nitrogen II") << "lakenform/vollenweider-capacity"
                                                     << "myps" << true << "总氮" << 2 << "0.5";
    QTest::newRow("lake of the environmental capacity, COD IV") << "myvolform/lake"
                                                                << "mycs" << true << "化学需氧量" << 4 << "30";
    QTest::newRow("mercury as the general text") << "my2dw"
                                                 << "mycs" << false << "汞" << 1 << "5E-05";
}

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
    w->showView(e, e.defaultRows);
    // Results that belong to the old target.
    press(w.get(), e.okButton.c_str());
    QVERIFY(w->resultsCurrent());
    const catalogue::Case before = w->windowCase();

    standardform *form = picker(w.get());
    pick(form, lake, item, waterClass);
    QVERIFY(fillButton(form)->isEnabled());
    QVERIFY(child<QLabel>(form, "labelTarget")
                ->text()
                .contains(QString::fromStdString(e.field(target.toStdString())->label)));
    QTest::mouseClick(fillButton(form), Qt::LeftButton);

    QCOMPARE(text(w.get(), qPrintable(target)), filled);
    // Nothing else changed; the results shown no longer belong to the inputs.
    const catalogue::Case after = w->windowCase();
    for (const auto &[name, text] : before.fields)
        if (name != target.toStdString())
            QCOMPARE(after.text(name), text);
    QVERIFY(!w->resultsCurrent());
    QVERIFY(form->isVisible()); // another item may follow
    // The next OK computes with the limit: the same as typing it in.
    press(w.get(), e.okButton.c_str());
    catalogue::Case typed = before;
    typed.setOwned(target.toStdString(), filled.toStdString());
    const catalogue::Outcome outcome = catalogue::evaluate(e, typed);
    QCOMPARE(text(w.get(), e.main().name.c_str()), QString::fromStdString(*outcome.result.text(e.main().name)));
    QVERIFY(prompts.messages.isEmpty());
}

// Over the whole catalogue: 填入 is enabled exactly for the views that
// declare a target, and writes into that field and no other.
void TestStandardForm::fillsEveryDeclaredTargetAndNothingElse()
{
    ScriptedPrompts prompts;
    int targets = 0, without = 0;
    for (const CalculatorEntry &calculator : calculatorCatalog()) {
        for (const catalogue::Entry *view : catalogue::entriesOf(calculator.window.toStdString())) {
            auto w = open(view->window);
            w->showView(*view, view->defaultRows);
            const catalogue::Case before = w->windowCase();
            standardform *form = picker(w.get());
            pick(form, true, QStringLiteral("高锰酸盐指数"), 5);
            QCOMPARE(fillButton(form)->isEnabled(), !view->target.empty());
            QTest::mouseClick(fillButton(form), Qt::LeftButton);
            const catalogue::Case after = w->windowCase();
            for (const auto &[name, text] : before.fields)
                QCOMPARE(after.text(name), name == view->target ? std::string_view("15") : text);
            if (view->target.empty()) {
                ++without;
                QCOMPARE(child<QLabel>(form, "labelTarget")->text(),
                         QStringLiteral("本计算没有水质目标浓度，不能填入"));
            } else {
                ++targets;
            }
        }
    }
    QVERIFY(targets >= 8); // the capacity windows, the environmental capacity, the lake capacities
    QVERIFY(without >= 8);
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
    QVERIFY(!fillButton(form)->isEnabled()); // the concentration has no target
    choose(w.get(), "Option3");
    QVERIFY(fillButton(form)->isEnabled());
    QTest::mouseClick(fillButton(form), Qt::LeftButton);
    QCOMPARE(text(w.get(), "myps"), QString("0.025"));
    choose(w.get(), "Option4");
    QVERIFY(!fillButton(form)->isEnabled());
    const catalogue::Case before = w->windowCase();
    QTest::mouseClick(fillButton(form), Qt::LeftButton); // a disabled button takes no click
    const catalogue::Case after = w->windowCase();
    for (const auto &[name, text] : before.fields)
        QCOMPARE(after.text(name), text);
    QVERIFY(prompts.messages.isEmpty());
}

// Total nitrogen has no river limit: the picker says so and fills nothing,
// even in a window with a target; the same item for a lake fills.
void TestStandardForm::totalNitrogenInARiverFillsNothing()
{
    ScriptedPrompts prompts;
    auto w = open("my1dw");
    standardform *form = picker(w.get());
    pick(form, false, QStringLiteral("总氮"), 3);
    QCOMPARE(field(form, "Text1")->text(), QStringLiteral("该项目对河流无标准限值"));
    QVERIFY(!fillButton(form)->isEnabled());
    QVERIFY(!form->limit());
    QTest::mouseClick(fillButton(form), Qt::LeftButton);
    QCOMPARE(text(w.get(), "mycs"), QString("8"));
    pick(form, true, QStringLiteral("总氮"), 3);
    QVERIFY(fillButton(form)->isEnabled());
    QTest::mouseClick(fillButton(form), Qt::LeftButton);
    QCOMPARE(text(w.get(), "mycs"), QString("1"));
    QVERIFY(prompts.messages.isEmpty());
}

// Faecal coliforms are counted per litre: not a concentration in mg/L.
void TestStandardForm::aLimitInAnotherUnitFillsNothing()
{
    auto w = open("my0dw");
    standardform *form = picker(w.get());
    pick(form, false, QStringLiteral("粪大肠菌群"), 3);
    QVERIFY(form->limit());
    QVERIFY(!fillButton(form)->isEnabled());
    QVERIFY(child<QLabel>(form, "labelTarget")->text().contains(QStringLiteral("个/L")));
    QTest::mouseClick(fillButton(form), Qt::LeftButton);
    QCOMPARE(text(w.get(), "mycs"), QString("6.0"));
}

void TestStandardForm::closeButtonCloses()
{
    auto w = open("my1dw");
    standardform *form = picker(w.get());
    QCOMPARE(child<QPushButton>(form, "Command2")->text(), QStringLiteral("关  闭"));
    QTest::mouseClick(child<QPushButton>(form, "Command2"), Qt::LeftButton);
    QVERIFY(!form->isVisible());
    QVERIFY(w->isVisible());
    // Opened again, it keeps the choice it had.
    QCOMPARE(picker(w.get()), form);
    QVERIFY(form->isVisible());
}

QTEST_MAIN(TestStandardForm)
#include "tst_standardform.moc"
