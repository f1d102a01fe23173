// The welcome window and the main menu: the marquee, Enter, Return, Exit,
// and one calculator window per menu button.

#include "app/form1.h"
#include "app/mainform.h"
#include "app/windowcatalog.h"
#include "support/scriptedprompts.h"
#include "support/windowtest.h"
#include "ui/twips.h"
#include "ui/windowregistry.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTest>

using namespace windowtest;

namespace {

void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

QList<QWidget *> openWindows(const QString &name)
{
    QList<QWidget *> found;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible())
            found.append(w);
    return found;
}

} // namespace

class TestShell : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void facesAreLoadedJustAfterTheWindowShows();
    void greetingStartsBeyondRightEdgeAndMoves();
    void enterReturnEnterKeepsFarewell();
    void menuButtonsFollowTheGrid_data();
    void menuButtonsFollowTheGrid();
    void buttonsWithoutWindowAreDisabled();
    void everyButtonOpensItsWindow_data();
    void everyButtonOpensItsWindow();
    void modelsMenuOpensTheRiverModels_data();
    void modelsMenuOpensTheRiverModels();
    void menuFocusOrder();
    void oneWindowPerButton();
    void returnOfCalculatorThenReopenGivesDefaults();
    void menuReturnKeepsCalculatorsAndExitClosesThem();
    void closeBoxOfMenuReturnsToWelcome();
    void closeBoxOfWelcomeExits();
};

void TestShell::cleanup()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() != "Form1" && w->objectName() != "mainform")
            w->close();
    flushDeletes();
}

void TestShell::facesAreLoadedJustAfterTheWindowShows()
{
    Form1 welcome;
    QVERIFY(!welcome.isDressed());
    QVERIFY(welcome.Label1->isHidden());
    welcome.show();
    QVERIFY(QTest::qWaitForWindowExposed(&welcome));
    QTRY_VERIFY(welcome.isDressed());

    QVERIFY(welcome.Label1->isVisible() && welcome.myenter->isVisible() && welcome.myexit->isVisible());
    QCOMPARE(welcome.Label1->font().family(), QString("幼圆"));
    QCOMPARE(welcome.Label1->font().pointSizeF(), 96.0);
    QVERIFY(welcome.Label1->font().bold());
    QCOMPARE(welcome.Label2->font().pointSizeF(), 25.8);
    QVERIFY(welcome.Label2->font().bold() && !welcome.Label3->font().bold());
    QCOMPARE(welcome.myenter->font().family(), QString("隶书"));
    QCOMPARE(welcome.myexit->font().pointSizeF(), 22.2);
    // Sized to their text.
    for (QLabel *label : {welcome.Label1, welcome.Label2, welcome.Label3})
        QCOMPARE(label->size(), label->sizeHint());
    QCOMPARE(welcome.Label3->pos(), QPoint(ui::px(2760), ui::px(4440)));
    QCOMPARE(welcome.Label1->y(), ui::px(1320));
}

void TestShell::greetingStartsBeyondRightEdgeAndMoves()
{
    Form1 welcome;
    QCOMPARE(welcome.windowTitle(), QString("Varnolek"));
    QCOMPARE(welcome.Label1->text(), QString("欢迎使用Varnolek"));
    QVERIFY(welcome.Timer1->isActive());
    QCOMPARE(welcome.Timer1->interval(), 100);
    welcome.show();
    QVERIFY(QTest::qWaitForWindowExposed(&welcome));
    QTRY_VERIFY(welcome.isDressed());

    // Just beyond the right edge: the window's outer width plus its Left.
    const double start = welcome.greetingLeft();
    QVERIFY(welcome.Label1->x() >= welcome.width() - 1);

    welcome.tick();
    QCOMPARE(welcome.greetingLeft(), start - 400);
    QCOMPARE(welcome.Label1->x(), ui::px(start - 400));
    // The timer drives the same tick.
    QTRY_VERIFY_WITH_TIMEOUT(welcome.greetingLeft() <= start - 800, 2000);
}

void TestShell::enterReturnEnterKeepsFarewell()
{
    Form1 welcome;
    welcome.show();
    press(&welcome, "myenter");

    QVERIFY(!welcome.isVisible());
    QVERIFY(!welcome.Timer1->isActive());
    QPointer<mainform> first = welcome.menu();
    QVERIFY(first && first->isVisible());
    QCOMPARE(welcome.Label1->text(), QString("谢谢使用"));
    QCOMPARE(welcome.greetingLeft(), 1700.0);

    press(first, "myexit");
    flushDeletes();
    QVERIFY(first.isNull()); // the menu is discarded
    QVERIFY(welcome.isVisible());
    QVERIFY(!welcome.Timer1->isActive());
    QCOMPARE(welcome.greetingLeft(), 1900.0);
    QCOMPARE(welcome.Label1->text(), QString("谢谢使用"));

    press(&welcome, "myenter");
    QVERIFY(welcome.menu() && welcome.menu()->isVisible());
    QCOMPARE(welcome.Label1->text(), QString("谢谢使用"));
    QVERIFY(!welcome.Timer1->isActive());
    QTest::qWait(250);
    QCOMPARE(welcome.greetingLeft(), 1700.0); // the marquee never restarts
}

void TestShell::menuButtonsFollowTheGrid_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::newRow("myyear") << "myyear" << "确定水平年" << 960 << 720;
    QTest::newRow("myk") << "myk" << "确定水质降解系数" << 960 << 2400;
    QTest::newRow("my0d") << "my0d" << "零维水质模型" << 960 << 3960;
    QTest::newRow("my1d") << "my1d" << "一维水质模型" << 960 << 5640;
    QTest::newRow("my2d") << "my2d" << "二维水质模型" << 4920 << 720;
    QTest::newRow("myvol") << "myvol" << "水环境容量计算模型" << 4920 << 2400;
    QTest::newRow("myrevol") << "myrevol" << "排污削减量或剩余环境容量计算模型" << 4920 << 3960;
    QTest::newRow("Command5") << "Command5" << "水污染总量控制计算模型" << 4920 << 5640;
    QTest::newRow("Command2") << "Command2" << "一维水体纳污能力计算模型" << 9000 << 720;
    QTest::newRow("Command1") << "Command1" << "二维水体纳污能力计算模型" << 9000 << 2400;
    QTest::newRow("Command4") << "Command4" << "湖泊水库纳污能力计算模型" << 9000 << 3960;
    QTest::newRow("Command3") << "Command3" << "过渡带长度计算模型" << 9000 << 5640;
    QTest::newRow("myexit") << "myexit" << "返 回" << 4920 << 7320;
}

void TestShell::menuButtonsFollowTheGrid()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(int, left);
    QFETCH(int, top);
    ui::WindowRegistry calculators;
    mainform menu(calculators);
    auto *b = child<QPushButton>(&menu, qPrintable(name));
    QCOMPARE(b->geometry(), ui::tw(left, top, 2412, 972));
    QCOMPARE(QString(b->text()).remove('\n'), caption); // long captions wrap
}

void TestShell::buttonsWithoutWindowAreDisabled()
{
    ui::WindowRegistry calculators;
    mainform menu(calculators);
    for (const char *name : {"myyear", "myk", "my0d", "my1d", "my2d", "myvol", "myrevol", "Command5", "Command2",
                             "Command1", "Command4", "Command3"}) {
        const bool exists = findCalculator(name) != nullptr;
        QCOMPARE(child<QPushButton>(&menu, name)->isEnabled(), exists);
    }
    QVERIFY(child<QPushButton>(&menu, "my0d")->isEnabled());
    QVERIFY(child<QPushButton>(&menu, "myexit")->isEnabled());
}

void TestShell::everyButtonOpensItsWindow_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("title");
    QTest::newRow("myyear") << "myyear" << "yearform" << "计算水平年";
    QTest::newRow("myk") << "myk" << "myKform" << "计算水质降解系数";
    QTest::newRow("my0d") << "my0d" << "my0dform" << "零维水质计算";
    QTest::newRow("my1d") << "my1d" << "my1dform" << "一维水质计算";
    QTest::newRow("my2d") << "my2d" << "my2dform" << "二维水质计算";
    QTest::newRow("myvol") << "myvol" << "myvolform" << "水环境容量计算";
    QTest::newRow("myrevol") << "myrevol" << "myRevolform" << "剩余环境容量计算";
    QTest::newRow("Command5") << "Command5" << "mycontrolV" << "水污染总量控制计算";
    QTest::newRow("Command2") << "Command2" << "my1dw" << "计算河道一维水体纳污能力";
    QTest::newRow("Command1") << "Command1" << "my2dw" << "计算二维河道水体纳污能力";
    QTest::newRow("Command4") << "Command4" << "my0dw" << "计算湖泊水库纳污能力";
    QTest::newRow("Command3") << "Command3" << "MYLFORM" << "计算过渡带长度";
}

void TestShell::everyButtonOpensItsWindow()
{
    QFETCH(QString, button);
    QFETCH(QString, window);
    QFETCH(QString, title);
    Form1 welcome;
    welcome.show();
    press(&welcome, "myenter");
    press(welcome.menu(), qPrintable(button));
    const QList<QWidget *> open = openWindows(window);
    QCOMPARE(open.size(), 1);
    QCOMPARE(open.first()->windowTitle(), title);
    QVERIFY(open.first()->testAttribute(Qt::WA_DeleteOnClose)); // Return discards it
}

void TestShell::modelsMenuOpensTheRiverModels_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("title");
    QTest::newRow("mixing length") << "actionMixingLength"
                                   << "混合过程段长度"
                                   << "mixlenform"
                                   << "混合过程段长度计算";
    QTest::newRow("off-bank") << "actionOffBank2D"
                              << "二维水质（非岸边排放）"
                              << "my2dcform"
                              << "二维水质计算（非岸边排放）";
    QTest::newRow("pulse") << "actionPulse"
                           << "一维瞬时排放"
                           << "pulseform"
                           << "一维河流瞬时排放水质计算";
    QTest::newRow("estuary") << "actionEstuary"
                             << "感潮河段水质"
                             << "estuaryform"
                             << "感潮河段一维水质计算（潮平均）";
    QTest::newRow("oxygen") << "actionStreeterPhelps"
                            << "河流溶解氧（S-P模型）"
                            << "spform"
                            << "河流溶解氧计算（S-P模型）";
}

// The river models stand first in the models menu of the main menu's bar, in
// this order; each action opens its window once, and Return discards it.
void TestShell::modelsMenuOpensTheRiverModels()
{
    QFETCH(QString, action);
    QFETCH(QString, text);
    QFETCH(QString, window);
    QFETCH(QString, title);
    Form1 welcome;
    welcome.show();
    press(&welcome, "myenter");
    auto *menu = child<QMenu>(welcome.menu(), "menuModels");
    QCOMPARE(menu->title(), QString("模型(&M)"));
    QVERIFY(menu->menuAction()->isVisible());
    const QStringList first = {"actionMixingLength", "actionOffBank2D", "actionPulse", "actionEstuary",
                               "actionStreeterPhelps"};
    QStringList names;
    for (QAction *a : menu->actions())
        names << a->objectName();
    QCOMPARE(names.mid(0, first.size()), first);
    // The bar stands above the form, which begins below it.
    QMenuBar *bar = welcome.menu()->menuBar();
    QVERIFY(bar->isVisible());
    QVERIFY(bar->height() > 0);
    QCOMPARE(child<QWidget>(welcome.menu(), "form")->y(), bar->geometry().bottom() + 1);
    QAction *item = child<QAction>(welcome.menu(), qPrintable(action));
    QCOMPARE(item->text(), text);
    item->trigger();
    item->trigger();
    const QList<QWidget *> open = openWindows(window);
    QCOMPARE(open.size(), 1);
    QCOMPARE(open.first()->windowTitle(), title);
    QPointer<QWidget> opened = open.first();
    press(opened, "Command3");
    flushDeletes();
    QVERIFY(opened.isNull());
}

void TestShell::menuFocusOrder()
{
    ui::WindowRegistry calculators;
    mainform menu(calculators);
    const QStringList order = {"my0d",     "my1d",     "my2d",     "myvol",   "myexit", "Command1", "Command2",
                               "Command3", "Command4", "Command5", "myrevol", "myk",    "myyear"};
    QWidget *w = child<QWidget>(&menu, "my0d");
    // The chain is a ring through the window itself, its menu bar and its
    // form, which take no focus.
    QStringList chain;
    for (; chain.size() < order.size(); w = w->nextInFocusChain())
        if (w->focusPolicy() != Qt::NoFocus)
            chain << w->objectName();
    QCOMPARE(chain, order);
    Form1 welcome;
    QCOMPARE(welcome.myenter->nextInFocusChain(), static_cast<QWidget *>(welcome.myexit));
}

void TestShell::oneWindowPerButton()
{
    Form1 welcome;
    welcome.show();
    press(&welcome, "myenter");
    press(welcome.menu(), "my0d");
    QCOMPARE(openWindows("my0dform").size(), 1);
    setText(openWindows("my0dform").first(), "myw", "1234");

    press(welcome.menu(), "my0d");
    const QList<QWidget *> open = openWindows("my0dform");
    QCOMPARE(open.size(), 1);
    QCOMPARE(text(open.first(), "myw"), QString("1234")); // raised as the user left it
    QVERIFY(welcome.menu()->isVisible());
}

void TestShell::returnOfCalculatorThenReopenGivesDefaults()
{
    Form1 welcome;
    welcome.show();
    press(&welcome, "myenter");
    press(welcome.menu(), "my0d");
    QPointer<QWidget> first = openWindows("my0dform").first();
    setText(first, "myw", "1234");
    press(first, "Command3");
    flushDeletes();
    QVERIFY(first.isNull());

    press(welcome.menu(), "my0d");
    QCOMPARE(openWindows("my0dform").size(), 1);
    QCOMPARE(text(openWindows("my0dform").first(), "myw"), QString("5000"));
}

void TestShell::menuReturnKeepsCalculatorsAndExitClosesThem()
{
    Form1 welcome;
    welcome.show();
    press(&welcome, "myenter");
    press(welcome.menu(), "my0d");
    QPointer<QWidget> calculator = openWindows("my0dform").first();

    press(welcome.menu(), "myexit");
    flushDeletes();
    QVERIFY(calculator && calculator->isVisible());
    press(calculator, "caculc");
    QCOMPARE(text(calculator, "Text3"), QString("7.91")); // still usable

    press(&welcome, "myexit");
    flushDeletes();
    QVERIFY(calculator.isNull());
    QVERIFY(!welcome.isVisible());
}

void TestShell::closeBoxOfMenuReturnsToWelcome()
{
    Form1 welcome;
    welcome.show();
    press(&welcome, "myenter");
    QPointer<mainform> menu = welcome.menu();
    menu->close();
    flushDeletes();
    QVERIFY(menu.isNull());
    QVERIFY(welcome.isVisible());
    QCOMPARE(welcome.greetingLeft(), 1900.0);
}

void TestShell::closeBoxOfWelcomeExits()
{
    Form1 welcome;
    welcome.show();
    press(&welcome, "myenter");
    press(welcome.menu(), "myexit");
    press(&welcome, "myenter");
    press(welcome.menu(), "my0d");
    QPointer<QWidget> calculator = openWindows("my0dform").first();
    QPointer<mainform> menu = welcome.menu();
    press(menu, "myexit");
    welcome.close();
    flushDeletes();
    QVERIFY(calculator.isNull());
    QVERIFY(!welcome.isVisible());
}

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
