// The frame every calculator window shares, walked over the shell's catalogue
// of windows: the menus in one order, the status bar under the form, the word
// that a file was saved, and the reason a greyed menu item gives.

#include "app/windowcatalog.h"
#include "support/scriptedprompts.h"
#include "support/windowtest.h"
#include "ui/calculatorwindow.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace windowtest;

namespace {

std::unique_ptr<ui::CalculatorWindow> make(const QString &window)
{
    std::unique_ptr<ui::CalculatorWindow> w(qobject_cast<ui::CalculatorWindow *>(findCalculator(window)->make()));
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    return w;
}

QAction *action(QWidget *window, const char *name)
{
    auto *a = window->findChild<QAction *>(QString::fromLatin1(name));
    if (!a)
        qFatal("no action %s", name);
    return a;
}

void everyWindow()
{
    QTest::addColumn<QString>("window");
    for (const CalculatorEntry &calculator : calculatorCatalog())
        QTest::newRow(qPrintable(calculator.window)) << calculator.window;
}

// Moves the pointer over an item of an open menu, as a person does.
void hover(QMenu *menu, QAction *item)
{
    const QPoint at = menu->actionGeometry(item).center();
    QMouseEvent move(QEvent::MouseMove, at, menu->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(menu, &move);
}

} // namespace

class TestWindowFrame : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        qputenv("XDG_CONFIG_HOME", m_dir.filePath("config").toUtf8());
        QVERIFY(m_dir.isValid());
    }

    void menusInOneOrder_data() { everyWindow(); }
    void menusInOneOrder()
    {
        QFETCH(QString, window);
        const auto w = make(window);
        QStringList titles, names;
        for (QAction *a : w->menuBar()->actions()) {
            QVERIFY(a->menu());
            titles << a->text().left(a->text().indexOf(u'('));
            names << a->menu()->objectName();
        }
        QStringList expectedTitles{"文件", "编辑", "图形", "分析", "帮助"};
        QStringList expectedNames{"menuFile", "menuEdit", "menuPlot", "menuAnalysis", "menuHelp"};
        // A window with nothing to sweep and no analysis of its own has no
        // 分析 at all (tst_analysiswindows says which windows have one).
        if (!w->findChild<QMenu *>("menuAnalysis")) {
            expectedTitles.removeAll("分析");
            expectedNames.removeAll("menuAnalysis");
        }
        QCOMPARE(titles, expectedTitles);
        QCOMPARE(names, expectedNames);
    }

    // The window is the form with a bar above and a bar below it; the bars
    // cover nothing of the form, which keeps the size it is given in twips.
    void statusBarBelowTheForm_data() { everyWindow(); }
    void statusBarBelowTheForm()
    {
        QFETCH(QString, window);
        const auto w = make(window);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QStatusBar *bar = w->statusBar();
        QCOMPARE(bar->objectName(), QString("statusBar"));
        QVERIFY(bar->isVisible());
        QCOMPARE(w->menuBar()->geometry().bottom() + 1, w->form()->y());
        QCOMPARE(bar->y(), w->form()->geometry().bottom() + 1);
        QCOMPARE(bar->geometry().bottom(), w->height() - 1);
        QCOMPARE(bar->width(), w->width());
        QVERIFY(bar->height() >= bar->fontMetrics().height());
        QCOMPARE(w->height(), w->menuBar()->height() + w->form()->height() + bar->height());
        QCOMPARE(w->barsHeight(), w->menuBar()->height() + bar->height());
        // Nothing of the form lies under the status bar.
        QVERIFY(w->form()->childrenRect().bottom() < w->form()->height());
    }

    void savedFilesAreTold()
    {
        ScriptedPrompts prompts;
        const auto w = make("my1dform");
        w->show();
        const QString file = m_dir.filePath("一维.vcase");
        prompts.saveAnswers.enqueue(file);
        action(w.get(), "actionSaveCase")->trigger();
        QCOMPARE(w->statusBar()->currentMessage(), "已保存：" + QDir::toNativeSeparators(file));

        press(w.get(), "Command1");
        const QString sheet = m_dir.filePath("sheet.html");
        prompts.saveAnswers.enqueue(sheet);
        prompts.inputAnswers.enqueue(QString("清水河"));
        action(w.get(), "actionExportSheet")->trigger();
        QVERIFY2(prompts.messages.isEmpty(), qPrintable(prompts.lastMessage()));
        QCOMPARE(w->statusBar()->currentMessage(), "已保存：" + QDir::toNativeSeparators(sheet));

        // A file that could not be written is not said to be saved.
        prompts.saveAnswers.enqueue(m_dir.filePath("no/such/folder/x.vcase"));
        action(w.get(), "actionSaveCase")->trigger();
        QVERIFY(prompts.lastMessage().startsWith("算例文件无法保存"));
        QVERIFY(!w->statusBar()->currentMessage().contains("x.vcase"));
    }

    // A path too long for the bar loses its middle, never the file's name.
    void longPathKeepsItsFileName()
    {
        const auto w = make("yearform"); // the narrowest window
        w->show();
        const QString path = "/home/" + QString(40, u'水') + "/" + QString(40, u'资') + "/清水河水平年.vcase";
        w->showSaved(path);
        const QString shown = w->statusBar()->currentMessage();
        QVERIFY2(shown.startsWith("已保存：/home/"), qPrintable(shown));
        QVERIFY2(shown.endsWith("/清水河水平年.vcase"), qPrintable(shown));
        QVERIFY(shown.contains(u'…'));
        QVERIFY(w->statusBar()->fontMetrics().horizontalAdvance(shown) < w->statusBar()->width());
    }

    // Greyed, each item on the results says which button to press first.
    void greyedItemsSayWhy_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("why");
        for (const CalculatorEntry &calculator : calculatorCatalog())
            QTest::newRow(qPrintable(calculator.window))
                << calculator.window
                << (calculator.window == "yearform" ? "请先按“计算水平年”完成计算" : "请先按“确定”完成计算");
    }
    void greyedItemsSayWhy()
    {
        QFETCH(QString, window);
        QFETCH(QString, why);
        const auto w = make(window);
        for (const char *name : {"actionExportSheet", "actionPrintSheet", "actionCopyResults", "actionPlot"}) {
            QAction *a = action(w.get(), name);
            QVERIFY(!a->isEnabled());
            QCOMPARE(a->statusTip(), why);
            QCOMPARE(a->toolTip(), why);
            for (QObject *shownIn : a->associatedObjects())
                if (auto *menu = qobject_cast<QMenu *>(shownIn))
                    QVERIFY(menu->toolTipsVisible());
        }
    }

    void greyedTipShowsInTheStatusBar()
    {
        ScriptedPrompts prompts;
        const auto w = make("my1dform");
        w->show();
        auto *file = w->menuBar()->findChild<QMenu *>("menuFile");
        file->popup(w->mapToGlobal(QPoint(0, 0)));
        QVERIFY(QTest::qWaitForWindowExposed(file));
        hover(file, action(w.get(), "actionExportSheet"));
        QCOMPARE(w->statusBar()->currentMessage(), QString("请先按“确定”完成计算"));
        hover(file, action(w.get(), "actionSaveCase"));
        QCOMPARE(w->statusBar()->currentMessage(), QString());
        file->hide();

        // Once the results belong to the inputs the items have nothing to explain.
        press(w.get(), "Command1");
        QAction *exportSheet = action(w.get(), "actionExportSheet");
        QVERIFY(exportSheet->isEnabled());
        QCOMPARE(exportSheet->statusTip(), QString());
        QCOMPARE(exportSheet->toolTip(), exportSheet->text()); // Qt's default: the item's own text
        QTest::keyClick(field(w.get(), "myk"), Qt::Key_5);
        QVERIFY(!exportSheet->isEnabled());
        QCOMPARE(exportSheet->statusTip(), QString("请先按“确定”完成计算"));
    }
};

QTEST_MAIN(TestWindowFrame)
#include "tst_windowframe.moc"
