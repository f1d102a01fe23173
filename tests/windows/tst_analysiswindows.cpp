// The analysis menu of the calculator windows, and the sensitivity and
// uncertainty windows against the engine, for every calculation.

#include "analysis/backgroundrun.h"
#include "analysis/runbar.h"
#include "analysis/sensitivityform.h"
#include "analysis/uncertaintyform.h"
#include "app/windowcatalog.h"
#include "catalogue/grid.h"
#include "catalogue/montecarlo.h"
#include "catalogue/parallel.h"
#include "support/scriptedprompts.h"
#include "support/windowtest.h"
#include "ui/calculatorwindow.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <atomic>
#include <chrono>
#include <memory>
#include <new>
#include <stdexcept>
#include <thread>

using namespace windowtest;

namespace {

// The window of an entry, showing the entry's view.
std::unique_ptr<ui::CalculatorWindow> openView(const catalogue::Entry &e, ScriptedPrompts &prompts)
{
    prompts.inputAnswers.enqueue(QStringLiteral("4")); // the rows of a table of points
    std::unique_ptr<ui::CalculatorWindow> window(
        static_cast<ui::CalculatorWindow *>(findCalculator(QString::fromStdString(e.window))->make()));
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->show();
    for (const std::string &option : e.options)
        QTest::mouseClick(child<QRadioButton>(window.get(), option.c_str()), Qt::LeftButton);
    for (int i = 0; i < e.okPresses; ++i)
        press(window.get(), e.okButton.c_str());
    return window;
}

template <class Form>
Form *openForm(ui::CalculatorWindow *window, const char *action, const char *name)
{
    QAction *a = window->findChild<QAction *>(QString::fromLatin1(action));
    if (!a)
        return nullptr;
    a->trigger();
    return window->findChild<Form *>(QString::fromLatin1(name));
}

QString cellText(QTableWidget *table, int row, int column)
{
    QTableWidgetItem *item = table->item(row, column);
    return item ? item->text() : QString();
}

} // namespace

class TestAnalysisWindows : public QObject {
    Q_OBJECT

private slots:
    void menuInEveryWindowButTheLevelYear();
    void windowsMatchTheEngine_data();
    void windowsMatchTheEngine();
    void cancelledRunShowsNothing();
    void badInputGivesAMessage();
    void rangeBeyondNumbersGivesAMessage();
    void failedJobShowsItsMessage_data();
    void failedJobShowsItsMessage();
    void closingDuringARun_data();
    void closingDuringARun();
};

void TestAnalysisWindows::menuInEveryWindowButTheLevelYear()
{
    QStringList windows;
    // The calculator windows (a calculation may also belong to a window of its own).
    for (const catalogue::Entry &e : catalogue::entries())
        if (findCalculator(QString::fromStdString(e.window)) && !windows.contains(QString::fromStdString(e.window)))
            windows << QString::fromStdString(e.window);
    QVERIFY(windows.size() >= 12);
    for (const QString &name : windows) {
        std::unique_ptr<QWidget> window(findCalculator(name)->make());
        QMenu *menu = window->findChild<QMenu *>(QStringLiteral("menuAnalysis"));
        QAction *sensitivity = window->findChild<QAction *>(QStringLiteral("actionSensitivity"));
        QAction *uncertainty = window->findChild<QAction *>(QStringLiteral("actionUncertainty"));
        // A window whose views read a series of their own file has nothing to sweep.
        bool sweepable = false;
        for (const catalogue::Entry *view : catalogue::entriesOf(name.toStdString()))
            sweepable = sweepable || view->sweepable;
        if (!sweepable) {
            QVERIFY(!sensitivity && !uncertainty);
            continue;
        }
        QVERIFY2(menu && sensitivity && uncertainty, qPrintable(name));
        QCOMPARE(menu->title(), QStringLiteral("分析(&A)"));
        QCOMPARE(sensitivity->text(), QStringLiteral("敏感性分析…"));
        QCOMPARE(uncertainty->text(), QStringLiteral("不确定性分析…"));
    }
}

void TestAnalysisWindows::windowsMatchTheEngine_data()
{
    QTest::addColumn<QString>("id");
    for (const catalogue::Entry &e : catalogue::entries())
        if (e.sweepable && findCalculator(QString::fromStdString(e.window)))
            QTest::newRow(e.id.c_str()) << QString::fromStdString(e.id);
}

void TestAnalysisWindows::windowsMatchTheEngine()
{
    QFETCH(QString, id);
    const catalogue::Entry &e = catalogue::entry(id.toStdString());
    ScriptedPrompts prompts;
    auto window = openView(e, prompts);
    QCOMPARE(window->currentEntry().id, e.id);

    // The sweep: the default range of the first field, 50 steps.
    auto *sensitivity = openForm<analysis::sensitivityform>(window.get(), "actionSensitivity", "sensitivityform");
    QVERIFY(sensitivity);
    QCOMPARE(&sensitivity->entry(), &e);
    QCOMPARE(child<QSpinBox>(sensitivity, "spinSteps")->value(), 50);
    const catalogue::Field &first = e.fields.front();
    if (first.range)
        QCOMPARE(child<QLineEdit>(sensitivity, "editFrom")->text(),
                 QString::fromStdString(catalogue::valueText(first.range->low)));
    else if (window->windowCase().number(first.name) == 0) // a field at 0 is swept over 0 to 1, not 0 to 0
        QCOMPARE(child<QLineEdit>(sensitivity, "editTo")->text(), QString("1"));
    QSignalSpy swept(sensitivity, &analysis::sensitivityform::sweepFinished);
    press(sensitivity, "buttonSweep");
    QVERIFY(swept.count() == 1 || swept.wait(20000));
    QCOMPARE(swept.first().first().toBool(), false);
    catalogue::Axis axis;
    axis.field = first.name;
    axis.n = 50;
    QVERIFY(catalogue::parseNumber(child<QLineEdit>(sensitivity, "editFrom")->text().toStdString(), axis.from));
    QVERIFY(catalogue::parseNumber(child<QLineEdit>(sensitivity, "editTo")->text().toStdString(), axis.to));
    std::vector<catalogue::GridRow> expected;
    catalogue::sweepGrid(e, window->windowCase(), {axis}, 1, [&](const std::vector<catalogue::GridRow> &rows) {
        expected.insert(expected.end(), rows.begin(), rows.end());
        return true;
    });
    auto *table = child<QTableWidget>(sensitivity, "tableSweep");
    QCOMPARE(table->rowCount(), int(expected.size()));
    for (int r = 0; r < table->rowCount(); ++r) {
        const catalogue::GridRow &row = expected[std::size_t(r)];
        QCOMPARE(cellText(table, r, 0).toStdString(), row.texts[0]);
        for (std::size_t o = 0; o < e.outputs.size(); ++o) {
            const std::string *t = row.outcome.status == catalogue::Status::Done
                                       ? row.outcome.result.text(e.outputs[o].name)
                                       : nullptr;
            QCOMPARE(cellText(table, r, int(o) + 1).toStdString(), t ? *t : std::string());
        }
        QCOMPARE(cellText(table, r, table->columnCount() - 1).toStdString(), row.outcome.message);
    }

    // The tornado at ±10 %.
    const catalogue::Tornado tornado = catalogue::tornado(e, window->windowCase(), 0.1);
    auto *bars = child<QTableWidget>(sensitivity, "tableTornado");
    QCOMPARE(bars->rowCount(), int(tornado.bars.size()));
    for (int r = 0; r < bars->rowCount(); ++r) {
        QCOMPARE(cellText(bars, r, 1).toStdString(), tornado.bars[std::size_t(r)].lowText);
        QCOMPARE(cellText(bars, r, 5).toStdString(), catalogue::statisticText(tornado.bars[std::size_t(r)].swing));
        if (r > 0)
            QVERIFY(tornado.bars[std::size_t(r)].swing <= tornado.bars[std::size_t(r) - 1].swing);
    }

    // Monte Carlo: the first field ticked, 3000 cases, seed 9.
    auto *uncertainty = openForm<analysis::uncertaintyform>(window.get(), "actionUncertainty", "uncertaintyform");
    QVERIFY(uncertainty);
    auto *fields = child<QTableWidget>(uncertainty, "tableFields");
    QCOMPARE(fields->rowCount(), int(e.fields.size()));
    QCOMPARE(fields->item(0, 2)->text().toStdString(), std::string(window->windowCase().text(first.name)));
    fields->item(0, 0)->setCheckState(Qt::Checked);
    QString error;
    const std::vector<catalogue::Varied> varied = uncertainty->varied(error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(varied.size(), std::size_t(1));
    if (first.range) {
        QCOMPARE(varied[0].distribution.kind, catalogue::Distribution::Uniform);
        QCOMPARE(varied[0].distribution.p1, first.range->low);
    }
    child<QSpinBox>(uncertainty, "spinCases")->setValue(3000);
    child<QLineEdit>(uncertainty, "editSeed")->setText("9");
    QSignalSpy ran(uncertainty, &analysis::uncertaintyform::finished);
    press(uncertainty, "buttonRun");
    QVERIFY(ran.count() == 1 || ran.wait(20000));
    catalogue::MonteCarloSettings settings;
    settings.cases = 3000;
    settings.seed = 9;
    const auto result = catalogue::monteCarlo(e, window->windowCase(), varied, settings);
    QVERIFY(result);
    auto *statistics = child<QTableWidget>(uncertainty, "tableStatistics");
    QCOMPARE(statistics->rowCount(), int(result->outputs.size()));
    for (int r = 0; r < statistics->rowCount(); ++r) {
        const auto texts = catalogue::summaryTexts(result->outputs[std::size_t(r)].summary,
                                                   result->outputs[std::size_t(r)].failed);
        for (int c = 0; c < int(texts.size()); ++c)
            QCOMPARE(cellText(statistics, r, c + 1).toStdString(), texts[std::size_t(c)]);
    }
    QCOMPARE(uncertainty->shown()->mainValues, result->mainValues);
    QCOMPARE(child<QLabel>(uncertainty, "labelReduction")->text().isEmpty(), !e.balance || result->mainValues.empty());
}

void TestAnalysisWindows::cancelledRunShowsNothing()
{
    const catalogue::Entry &e = catalogue::entry("my2dform");
    ScriptedPrompts prompts;
    auto window = openView(e, prompts);
    auto *uncertainty = openForm<analysis::uncertaintyform>(window.get(), "actionUncertainty", "uncertaintyform");
    child<QTableWidget>(uncertainty, "tableFields")->item(0, 0)->setCheckState(Qt::Checked);
    child<QSpinBox>(uncertainty, "spinCases")->setValue(50000000);
    QSignalSpy ran(uncertainty, &analysis::uncertaintyform::finished);
    press(uncertainty, "buttonRun");
    QVERIFY(!child<QPushButton>(uncertainty, "buttonRun")->isEnabled());
    press(uncertainty, "buttonCancel");
    QVERIFY(ran.wait(20000));
    QCOMPARE(ran.first().first().toBool(), true);
    QVERIFY(!uncertainty->shown());
    QCOMPARE(child<QTableWidget>(uncertainty, "tableStatistics")->rowCount(), 0);

    auto *sensitivity = openForm<analysis::sensitivityform>(window.get(), "actionSensitivity", "sensitivityform");
    child<QSpinBox>(sensitivity, "spinSteps")->setValue(1000000);
    QSignalSpy swept(sensitivity, &analysis::sensitivityform::sweepFinished);
    press(sensitivity, "buttonSweep");
    press(sensitivity, "buttonCancel");
    QVERIFY(swept.wait(20000));
    QCOMPARE(swept.first().first().toBool(), true);
    QVERIFY(sensitivity->sweepRows().empty());
    QCOMPARE(child<QTableWidget>(sensitivity, "tableSweep")->rowCount(), 0);
}

void TestAnalysisWindows::badInputGivesAMessage()
{
    const catalogue::Entry &e = catalogue::entry("my1dform");
    ScriptedPrompts prompts;
    auto window = openView(e, prompts);
    auto *sensitivity = openForm<analysis::sensitivityform>(window.get(), "actionSensitivity", "sensitivityform");
    child<QLineEdit>(sensitivity, "editTo")->setText(child<QLineEdit>(sensitivity, "editFrom")->text());
    const int before = prompts.messages.size();
    press(sensitivity, "buttonSweep");
    QCOMPARE(prompts.messages.size(), before + 1);
    QVERIFY(child<QPushButton>(sensitivity, "buttonSweep")->isEnabled());

    auto *uncertainty = openForm<analysis::uncertaintyform>(window.get(), "actionUncertainty", "uncertaintyform");
    press(uncertainty, "buttonRun"); // nothing ticked
    QCOMPARE(prompts.messages.size(), before + 2);
    auto *fields = child<QTableWidget>(uncertainty, "tableFields");
    fields->item(0, 0)->setCheckState(Qt::Checked);
    fields->item(0, 2)->setText("0.9"); // a above b
    press(uncertainty, "buttonRun");
    QCOMPARE(prompts.messages.size(), before + 3);
    QVERIFY(prompts.lastMessage().contains(QString::fromStdString(e.fields[0].label)));
    QVERIFY(!uncertainty->shown());
}

void TestAnalysisWindows::rangeBeyondNumbersGivesAMessage()
{
    // −1e308 to 1e308 in 3 steps: the step is beyond a double. Refused
    // before any run, as the other bad ranges are.
    const catalogue::Entry &e = catalogue::entry("my1dform");
    ScriptedPrompts prompts;
    auto window = openView(e, prompts);
    auto *sensitivity = openForm<analysis::sensitivityform>(window.get(), "actionSensitivity", "sensitivityform");
    child<QLineEdit>(sensitivity, "editFrom")->setText("-1e308");
    child<QLineEdit>(sensitivity, "editTo")->setText("1e308");
    child<QSpinBox>(sensitivity, "spinSteps")->setValue(3);
    const int before = prompts.messages.size();
    press(sensitivity, "buttonSweep");
    QCOMPARE(prompts.messages.size(), before + 1);
    QCOMPARE(prompts.lastMessage(), QStringLiteral("起始值与终止值相差过大，扫描的取值超出数值范围"));
    QVERIFY(child<QPushButton>(sensitivity, "buttonSweep")->isEnabled());
    QVERIFY(sensitivity->sweepRows().empty());
}

void TestAnalysisWindows::failedJobShowsItsMessage_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("status");
    QTest::newRow("an exception's message") << 0 << QStringLiteral("计算失败：溢出");
    QTest::newRow("memory") << 1 << QStringLiteral("计算失败：内存不足");
    QTest::newRow("not an exception class") << 2 << QStringLiteral("计算失败：意外错误");
}

void TestAnalysisWindows::failedJobShowsItsMessage()
{
    // Whatever a job throws stays on its thread: the run ends, the status
    // line says why, and the next run starts afresh.
    QFETCH(int, kind);
    QFETCH(QString, status);
    analysis::RunBar bar(QStringLiteral("buttonRun"));
    QSignalSpy finished(&bar, &analysis::RunBar::finished);
    bar.start(10, [kind](const std::atomic<bool> &, const std::function<void(std::size_t)> &progress) {
        progress(3);
        if (kind == 0)
            throw std::runtime_error("溢出");
        if (kind == 1)
            throw std::bad_alloc();
        throw 7;
    });
    QVERIFY(finished.wait(10000));
    QCOMPARE(finished.first().first().toBool(), false);
    QVERIFY(!bar.failure().isEmpty());
    QCOMPARE(child<QLabel>(&bar, "labelStatus")->text(), status);
    QVERIFY(child<QPushButton>(&bar, "buttonRun")->isEnabled());
    QVERIFY(!bar.running());

    bar.start(1, [](const std::atomic<bool> &, const std::function<void(std::size_t)> &progress) { progress(1); });
    QVERIFY(finished.wait(10000));
    QVERIFY(bar.failure().isEmpty());
}

void TestAnalysisWindows::closingDuringARun_data()
{
    QTest::addColumn<bool>("sensitivity");
    QTest::addColumn<bool>("deleteCalculator");
    QTest::newRow("sensitivity window closed") << true << false;
    QTest::newRow("calculator window deleted under a sweep") << true << true;
    QTest::newRow("uncertainty window closed") << false << false;
    QTest::newRow("calculator window deleted under a Monte Carlo run") << false << true;
}

void TestAnalysisWindows::closingDuringARun()
{
    // The worker pauses as it tells its first progress, just before it keeps
    // what it made; the window goes meanwhile. Its run is cancelled and
    // joined before the rows or result it writes into go (under
    // AddressSanitizer a write after them is a finding, a result left in a
    // member already destroyed a leak).
    QFETCH(bool, sensitivity);
    QFETCH(bool, deleteCalculator);
    const catalogue::Entry &e = catalogue::entry("my1dform");
    ScriptedPrompts prompts;
    auto window = openView(e, prompts);
    std::atomic<int> paused{0};
    std::atomic<bool> resumed{false};
    analysis::BackgroundRun::setProgressHook([&] {
        if (paused.fetch_add(1) == 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
            resumed = true;
        }
    });
    QPointer<QWidget> form;
    if (sensitivity) {
        auto *s = openForm<analysis::sensitivityform>(window.get(), "actionSensitivity", "sensitivityform");
        child<QSpinBox>(s, "spinSteps")->setValue(100);
        form = s;
        press(s, "buttonSweep");
    } else {
        auto *u = openForm<analysis::uncertaintyform>(window.get(), "actionUncertainty", "uncertaintyform");
        child<QTableWidget>(u, "tableFields")->item(0, 0)->setCheckState(Qt::Checked);
        child<QSpinBox>(u, "spinCases")->setValue(100);
        form = u;
        press(u, "buttonRun");
    }
    QVERIFY(form);
    QTRY_VERIFY_WITH_TIMEOUT(paused.load() > 0, 10000);
    if (deleteCalculator) {
        window.reset();
        QVERIFY(form.isNull());
    } else {
        form->close();
        QTRY_VERIFY(form.isNull());
    }
    // The window was gone only once its run had returned.
    QVERIFY(resumed);
    analysis::BackgroundRun::setProgressHook(nullptr);
}

QTEST_MAIN(TestAnalysisWindows)
#include "tst_analysiswindows.moc"
