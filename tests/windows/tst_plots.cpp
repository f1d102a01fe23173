// The plot of every calculation, opened from the window's menu after OK and
// exported as CSV: its point at the window's input shows the window's result
// text, its other points what the catalogue gives for their inputs; failed
// points are left out; OK redraws the plot, Cancel or another view closes it.

#include "app/windowcatalog.h"
#include "catalogue/catalogue.h"
#include "catalogue/sweep.h"
#include "documents/sheet.h"
#include "plots/plotdata.h"
#include "plots/plots.h"
#include "plots/plotwindow.h"
#include "support/examples.h"
#include "support/scriptedprompts.h"
#include "support/windowtest.h"
#include "ui/calculatorwindow.h"

#include "core/numbers.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <memory>
#include <set>

using namespace windowtest;

class TestPlots : public QObject {
    Q_OBJECT

private slots:
    void exportedPointsMatchTheWindow_data();
    void exportedPointsMatchTheWindow();
    void imagesAreWritten();
    void okRedrawsCancelAndViewsClose();
    void failedPointsAreLeftOut();
    void noValidPointSaysSo();
    void curveRangeRule();
    void curvesAreDrawnFromComputedValues();
    void riverPlotsMarkTheirPlaces();
};

namespace {

QString examplePath()
{
    return QFINDTESTDATA("../../examples/lowest_water_levels_1961-1990.txt");
}

QString windowOf(const std::string &id)
{
    return QString::fromStdString(id.substr(0, id.find('/')));
}

// Parses CSV text with quoted fields; the byte-order mark is dropped.
QList<QStringList> parseCsv(QString text)
{
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (quoted) {
            if (ch == '"' && i + 1 < text.size() && text[i + 1] == '"')
                field += '"', ++i;
            else if (ch == '"')
                quoted = false;
            else
                field += ch;
        } else if (ch == '"') {
            quoted = true;
        } else if (ch == ',') {
            row << field, field.clear();
        } else if (ch == '\n') {
            row << field, field.clear();
            rows << row, row.clear();
        } else if (ch != '\r') {
            field += ch;
        }
    }
    return rows;
}

// A calculator window showing the view of an entry with its defaults calculated.
std::unique_ptr<ui::CalculatorWindow> calculatedWindow(const catalogue::Entry &entry, ScriptedPrompts &prompts)
{
    if (entry.id == "myKform/multi-point")
        prompts.inputAnswers.enqueue("5");
    if (entry.id == "yearform") {
        prompts.fileAnswers.enqueue(examplePath());
        prompts.inputAnswers.enqueue("90");
    }
    auto *made = static_cast<ui::CalculatorWindow *>(findCalculator(windowOf(entry.id))->make());
    std::unique_ptr<ui::CalculatorWindow> window(made);
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->show();
    if (const catalogue::Field *file = catalogue::dataFileField(entry))
        window->setDataText(file->name, exampleFile(*file));
    for (const std::string &option : entry.options)
        choose(window.get(), QString::fromStdString(option));
    for (int i = 0; i < entry.okPresses; ++i)
        press(window.get(), entry.okButton.c_str());
    return window;
}

QAction *action(QWidget *w, const char *name)
{
    return child<QAction>(w, name);
}

QString mainShown(QWidget *window, const catalogue::Entry &entry)
{
    return window->findChild<QLineEdit *>(QString::fromStdString(entry.main().name))->text();
}

// A plotted value written as the window writes its main result.
QString asPattern(const catalogue::Entry &entry, const QString &value)
{
    const catalogue::Output &o = entry.main();
    return QString::fromStdString(varnolek::formatPattern(value.toDouble(), o.precision, o.pattern));
}

} // namespace

void TestPlots::exportedPointsMatchTheWindow_data()
{
    QTest::addColumn<QString>("id");
    // Every calculation of a calculator window (the frequency analysis has a window of its own).
    for (const catalogue::Entry &e : catalogue::entries())
        if (findCalculator(windowOf(e.id)))
            QTest::newRow(e.id.c_str()) << QString::fromStdString(e.id);
}

void TestPlots::exportedPointsMatchTheWindow()
{
    QFETCH(QString, id);
    const catalogue::Entry &entry = catalogue::entry(id.toStdString());
    ScriptedPrompts prompts;
    auto window = calculatedWindow(entry, prompts);
    QVERIFY2(window->resultsCurrent(), qPrintable(prompts.lastMessage()));
    QCOMPARE(&window->currentEntry(), &entry);

    QAction *plotAction = action(window.get(), "actionPlot");
    QVERIFY(plotAction->isEnabled());
    QCOMPARE(plotAction->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_G));
    plotAction->trigger();
    plots::PlotWindow *plot = plots::openPlot(window.get());
    QVERIFY(plot);
    QCOMPARE(plot->objectName(), QString("plotwindow"));
    QVERIFY(plot->isWindow());
    QVERIFY(plot->windowTitle().contains(QString::fromStdString(entry.title)));
    QVERIFY2(plot->plot().failure.empty(), plot->plot().failure.c_str());

    QTemporaryDir dir;
    const QString path = dir.filePath("data.csv");
    prompts.saveAnswers.enqueue(path);
    action(plot, "actionExportPlotData")->trigger();
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    // A spreadsheet on a Chinese system reads a file without the mark as GBK.
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    QCOMPARE(window->statusBar()->currentMessage(), "已保存：" + QDir::toNativeSeparators(path));
    const QList<QStringList> rows = parseCsv(QString::fromUtf8(bytes));
    QVERIFY(rows.size() >= 2);
    const QStringList header = rows.front();
    QVERIFY(!header.isEmpty());
    for (const QString &quantity : header)
        QVERIFY(!quantity.isEmpty());

    const plots::Plot &drawn = plot->plot();
    const catalogue::Case windowCase = window->windowCase();
    const QString shown = mainShown(window.get(), entry);
    if (drawn.kind == plots::Kind::Curve && !drawn.field.empty()) {
        // Every curve: (field text, result text) rows.
        const QString input = window->findChild<QLineEdit *>(QString::fromStdString(drawn.field))->text();
        int atInput = 0;
        for (qsizetype r = 1; r < rows.size(); ++r) {
            QCOMPARE(rows[r].size(), 2);
            // The data hold every digit computed: rounded to the result's
            // pattern they read as the window writes them.
            if (rows[r][0] == input) {
                ++atInput;
                QCOMPARE(asPattern(entry, rows[r][1]), shown);
            } else if (r % 17 == 0) {
                catalogue::Case c = windowCase;
                const std::string text = rows[r][0].toStdString();
                c.set(drawn.field, text);
                const catalogue::Outcome o = catalogue::evaluate(entry, c);
                QCOMPARE(o.status, catalogue::Status::Done);
                QCOMPARE(asPattern(entry, rows[r][1]), QString::fromStdString(*o.result.text(entry.main().name)));
            }
        }
        QCOMPARE(atInput, 1);
        if (entry.plot.kind != catalogue::PlotSpec::Curve) {
            // Every point drawn is a row, and nothing else.
            QCOMPARE(rows.size() - 1, qsizetype(drawn.series.front().points.size()));
        } else {
            // A row for every point the catalogue can calculate, none for the others.
            const double v = windowCase.number(drawn.field);
            const auto [from, to] = plots::curveRange(v, 2);
            int done = 0;
            for (const catalogue::Point &p : catalogue::sweep(entry, windowCase, drawn.field,
                                                              catalogue::spacedValues(from, to, plots::curvePoints)))
                done += p.outcome.status == catalogue::Status::Done;
            QCOMPARE(rows.size() - 1, done);
            QVERIFY(done > plots::curvePoints / 2);
        }
    } else if (drawn.kind == plots::Kind::Map) {
        QCOMPARE(rows.size(), plots::mapColumns * plots::mapRows + 1);
        const QString x = text(window.get(), "myx"), y = text(window.get(), "myy");
        int atInput = 0;
        for (qsizetype r = 1; r < rows.size(); ++r) {
            if (rows[r][0] == x && rows[r][1] == y) {
                ++atInput;
                QCOMPARE(asPattern(entry, rows[r][2]), shown);
            } else if (r % 4999 == 0) {
                catalogue::Case c = windowCase;
                const std::string xs = rows[r][0].toStdString(), ys = rows[r][1].toStdString();
                c.set("myx", xs);
                c.set("myy", ys);
                QCOMPARE(asPattern(entry, rows[r][2]),
                         QString::fromStdString(*catalogue::evaluate(entry, c).result.text("myc")));
            }
        }
        QCOMPARE(atInput, 1);
        QVERIFY(!drawn.profile.points.empty());
    } else if (drawn.kind == plots::Kind::Pair) {
        // The passage at the section and the cloud along the river side by
        // side: each curve passes through the window's result at its input.
        QCOMPARE(header.size(), 4);
        const QString t = text(window.get(), entry.plot.along.c_str()),
                      x = text(window.get(), entry.plot.second.c_str());
        int atT = 0, atX = 0;
        double lastT = 0;
        for (qsizetype r = 1; r < rows.size(); ++r) {
            QCOMPARE(rows[r].size(), 4);
            if (rows[r][0] == t) {
                ++atT;
                QCOMPARE(asPattern(entry, rows[r][1]), shown);
            }
            if (rows[r][2] == x) {
                ++atX;
                QCOMPARE(asPattern(entry, rows[r][3]), shown);
            }
            if (!rows[r][0].isEmpty())
                lastT = rows[r][0].toDouble();
        }
        QCOMPARE(atT, 1);
        QCOMPARE(atX, 1);
        // The passage is drawn to span times the time of the peak.
        const double peak = *catalogue::evaluate(entry, windowCase).result.number(entry.plot.peakAt);
        QVERIFY2(std::abs(lastT - entry.plot.span * peak) <= 1e-9 * lastT, qPrintable(QString::number(lastT)));
        QVERIFY(!drawn.second.series.front().points.empty());
    } else if (drawn.kind == plots::Kind::Bars) {
        // The gap between load and capacity is the window's result.
        bool gap = false;
        for (const QStringList &row : rows)
            if (row[0] == "剩余环境容量" || row[0] == "排污削减量") {
                gap = true;
                QCOMPARE(row[1], shown);
                const double balance = *catalogue::evaluate(entry, windowCase).result.balance;
                QCOMPARE(row[0] == "剩余环境容量", balance >= 0);
            }
        QVERIFY(gap);
        // The loads add up to the capacity less the balance.
        double sum = 0, total = 0;
        for (const plots::BarSet &b : drawn.bars)
            if (b.name != "环境容量" && b.name != "剩余环境容量" && b.name != "排污削减量")
                sum += b.values[0];
        for (const QStringList &row : rows)
            if (row[0].endsWith("污染负荷"))
                total = row[1].toDouble();
        QVERIFY2(std::abs(sum - total) <= 1e-9 * std::max(1.0, std::abs(total)), qPrintable(QString::number(sum)));
        if (entry.id == "mycontrolV/estimate")
            QVERIFY(QString::fromStdString(drawn.note).contains(text(window.get(), "myw3")));
    } else if (drawn.kind == plots::Kind::Probability) {
        QCOMPARE(rows.size(), 31); // the example's 30 years
        const QString year = window->findChild<QLineEdit *>("yeartext")->text();
        int chosen = 0;
        for (qsizetype r = 1; r < rows.size(); ++r) {
            const int m = int(r); // ranked from the largest down
            QVERIFY(std::abs(rows[r][0].toDouble() - 100.0 * m / 31) < 1e-9);
            if (rows[r][2] + "年" == year) {
                ++chosen;
                QCOMPARE(rows[r][1], shown);
                QVERIFY(std::abs(rows[r][0].toDouble() - 90.32) < 0.01); // the third-smallest of 30
            }
            if (r > 1)
                QVERIFY(rows[r][1].toDouble() <= rows[r - 1][1].toDouble());
        }
        QCOMPARE(chosen, 1);
        QVERIFY(drawn.designLine);
        QVERIFY(std::abs(*drawn.designLine - 1.2816) < 1e-4);
    } else if (drawn.kind == plots::Kind::FittedCurve) {
        // The years ranked from the largest down, each as the window's table shows it.
        const auto *table = window->findChild<QTableWidget *>("tableYears");
        QVERIFY(table);
        QCOMPARE(rows.size() - 1, table->rowCount()); // the example has no year without a month
        const auto cell = [table](int row, int column) { return table->item(row, column)->text(); };
        for (qsizetype r = 1; r < rows.size(); ++r) {
            QCOMPARE(rows[r][3], QString::number(r));
            int found = 0;
            for (int t = 0; t < table->rowCount(); ++t)
                if (cell(t, 0) == rows[r][0]) {
                    ++found;
                    for (int column : {1, 2, 3, 5})
                        QCOMPARE(rows[r][column], cell(t, column));
                }
            QCOMPARE(found, 1);
        }
        QVERIFY(QString::fromStdString(drawn.note).contains(shown));
        QVERIFY(QString::fromStdString(drawn.note).contains(text(window.get(), "myp3")));
        QVERIFY(drawn.designLine);
    } else {
        // The degradation coefficient: the points as typed, and the K of the window.
        QVERIFY(QString::fromStdString(drawn.note).contains(shown));
        if (entry.id == "myKform/two-point") {
            QCOMPARE(rows[2][0], text(window.get(), "myx"));
            QCOMPARE(rows[2][1], text(window.get(), "myc1"));
        } else {
            QCOMPARE(rows.size(), 6); // five monitoring points
        }
    }
    plot->close();
}

void TestPlots::imagesAreWritten()
{
    const catalogue::Entry &entry = catalogue::entry("my1dw");
    ScriptedPrompts prompts;
    auto window = calculatedWindow(entry, prompts);
    action(window.get(), "actionPlot")->trigger();
    plots::PlotWindow *plot = plots::openPlot(window.get());
    QVERIFY(plot);
    QTemporaryDir dir;
    prompts.saveAnswers.enqueue(dir.filePath("plot.png"));
    action(plot, "actionExportPng")->trigger();
    QImage png(dir.filePath("plot.png"));
    QVERIFY(!png.isNull());
    QCOMPARE(window->statusBar()->currentMessage(), "已保存：" + dir.filePath("plot.png"));
    QCOMPARE(png.size(), plot->content()->size());
    prompts.saveAnswers.enqueue(dir.filePath("plot.svg"));
    action(plot, "actionExportSvg")->trigger();
    QFile svg(dir.filePath("plot.svg"));
    QVERIFY(svg.open(QIODevice::ReadOnly));
    const QByteArray svgText = svg.readAll();
    QVERIFY(svgText.contains("<svg"));
    QVERIFY(svgText.contains("</svg>"));
    QCOMPARE(window->statusBar()->currentMessage(), "已保存：" + dir.filePath("plot.svg"));
    // The image the calculation sheet takes, and the sheet that shows it.
    QVERIFY(!plots::plotImage(window.get()).isNull());
    const auto *calculator = qobject_cast<ui::CalculatorWindow *>(window.get());
    QVERIFY(calculator);
    QVERIFY(documents::sheetDocument(*calculator, QStringLiteral("工程"))->toPlainText().contains(QStringLiteral("四、图")));
    // A cancelled dialog writes nothing; a path that cannot be written says so.
    action(plot, "actionExportPng")->trigger();
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2);
    prompts.saveAnswers.enqueue(dir.filePath("no/such/folder/plot.png"));
    action(plot, "actionExportPng")->trigger();
    QVERIFY(prompts.lastMessage().startsWith("无法写入文件"));
    QCOMPARE(window->statusBar()->currentMessage(), "已保存：" + dir.filePath("plot.svg")); // nothing new was saved
}

void TestPlots::okRedrawsCancelAndViewsClose()
{
    const catalogue::Entry &entry = catalogue::entry("myvolform/one-way");
    ScriptedPrompts prompts;
    auto window = calculatedWindow(entry, prompts);
    QAction *plotAction = action(window.get(), "actionPlot");
    plotAction->trigger();
    plots::PlotWindow *plot = plots::openPlot(window.get());
    QVERIFY(plot);
    // An edit leaves the plot open; OK redraws it for the new input.
    QLineEdit *cs = field(window.get(), "mycs");
    cs->setFocus();
    cs->selectAll();
    QTest::keyClicks(cs, "10");
    QVERIFY(!plotAction->isEnabled());
    QCOMPARE(plots::openPlot(window.get()), plot);
    press(window.get(), "caculv");
    QVERIFY(plotAction->isEnabled());
    QCOMPARE(plots::openPlot(window.get()), plot);
    QCOMPARE(plot->plot().marks.front().x, 10.0);
    // Another view closes it, and a second press opens one window only.
    choose(window.get(), "Option2");
    QVERIFY(!plots::openPlot(window.get()));
    QVERIFY(!plotAction->isEnabled());
    press(window.get(), "caculv");
    plotAction->trigger();
    plotAction->trigger();
    const QList<plots::PlotWindow *> plotWindows = window->findChildren<plots::PlotWindow *>();
    QCOMPARE(std::count_if(plotWindows.begin(), plotWindows.end(), [](plots::PlotWindow *p) { return p->isVisible(); }),
             1);
    // Cancel closes it.
    press(window.get(), "Command1");
    QVERIFY(!plots::openPlot(window.get()));
}

void TestPlots::failedPointsAreLeftOut()
{
    // No river flow: the mixed concentration at no wastewater is 0/0.
    const catalogue::Entry &entry = catalogue::entry("my0dform/section");
    catalogue::Case c = catalogue::defaultCase(entry);
    c.set("myq1", "0");
    const plots::Plot plot = plots::makePlot(entry, c);
    QVERIFY(plot.failure.empty());
    QCOMPARE(catalogue::evaluate(entry,
                                 [&] {
                                     catalogue::Case at0 = c;
                                     at0.set("myq2", "0");
                                     return at0;
                                 }())
                 .status,
             catalogue::Status::Failed);
    QCOMPARE(int(plot.rows.size()), plots::curvePoints - 1);
    QCOMPARE(plot.series.front().points.size(), std::size_t(plots::curvePoints - 1));
    for (const auto &row : plot.rows)
        QVERIFY(row[0] != "0");
    QVERIFY(plot.series.front().points.front().first > 0);
}

void TestPlots::noValidPointSaysSo()
{
    // Neither outflow nor decay: every load gives a division by zero.
    const catalogue::Entry &entry = catalogue::entry("my0dform/volume");
    catalogue::Case c = catalogue::defaultCase(entry);
    c.set("myq", "0");
    c.set("MYK", "0");
    const plots::Plot plot = plots::makePlot(entry, c);
    QCOMPARE(QString::fromStdString(plot.failure), QString("无法绘制：所有点均无法计算"));
    QVERIFY(plot.rows.empty());

    plots::PlotWindow window(nullptr);
    window.draw(plot);
    QCOMPARE(child<QLabel>(&window, "plotFailure")->text(), QString("无法绘制：所有点均无法计算"));
    QVERIFY(!window.exportData->isEnabled());
}

void TestPlots::curveRangeRule()
{
    QCOMPARE(plots::curveRange(3, 2), std::make_pair(0.0, 6.0));
    QCOMPARE(plots::curveRange(-3, 2), std::make_pair(-6.0, 0.0));
    QCOMPARE(plots::curveRange(0, 2), std::make_pair(0.0, 1.0));
    QCOMPARE(plots::curveRange(10, 1.5), std::make_pair(0.0, 15.0));
}

namespace {

// The marks of a plot that tell a place apart from the computed point.
std::vector<plots::Mark> features(const std::vector<plots::Mark> &marks)
{
    std::vector<plots::Mark> found;
    for (const plots::Mark &m : marks)
        if (m.style == plots::Mark::Feature)
            found.push_back(m);
    return found;
}

std::pair<double, double> xExtent(const plots::Series &s)
{
    return {s.points.front().first, s.points.back().first};
}

} // namespace

// Where each river model's plot runs, and the places it marks beside the
// computed point: the outfall, the peak of a release, the critical point of
// the sag and the saturation it recovers towards.
void TestPlots::riverPlotsMarkTheirPlaces()
{
    // The off-bank plume: the map spans the river from its near bank, the
    // outfall stands a from it and the point a + y.
    {
        const catalogue::Entry &e = catalogue::entry("my2dcform");
        catalogue::Case c = catalogue::defaultCase(e); // B = 30, a = 10, y = 5
        const plots::Plot plot = plots::makePlot(e, c);
        QVERIFY(plot.failure.empty());
        QCOMPARE(plot.grid.ys.front(), 0.0);
        QCOMPARE(plot.grid.ys.back(), 30.0);
        QCOMPARE(plot.grid.yTexts.front(), std::string("-10"));
        QCOMPARE(plot.marks.front().y, 15.0);
        const auto outfall = features(plot.marks);
        QCOMPARE(outfall.size(), std::size_t(1));
        QCOMPARE(outfall[0].x, 0.0);
        QCOMPARE(outfall[0].y, 10.0);
        QCOMPARE(plot.profile.points.front().first, 0.0);
        QCOMPARE(plot.profile.points.back().first, 30.0);
        // The profile across at X is the calculation at each y.
        c.set("myy", "-10");
        const double atNearBank = *catalogue::mainValue(e, catalogue::evaluate(e, c));
        QCOMPARE(plot.profile.points.front().second, atNearBank);
    }
    // The tidal reach: both sides of the outfall, marked at 0.
    {
        const catalogue::Entry &e = catalogue::entry("estuaryform");
        catalogue::Case c = catalogue::defaultCase(e);
        c.set("myx", "-3");
        plots::Plot plot = plots::makePlot(e, c);
        QCOMPARE(xExtent(plot.series.front()), std::make_pair(-6.0, 6.0));
        const auto outfall = features(plot.marks);
        QCOMPARE(outfall.size(), std::size_t(1));
        QCOMPARE(outfall[0].x, 0.0);
        double highest = 0;
        for (const auto &[x, y] : plot.series.front().points)
            highest = std::max(highest, y);
        QCOMPARE(outfall[0].y, highest); // the concentration peaks at the outfall
        c.set("myx", "0");
        plot = plots::makePlot(e, c);
        QCOMPARE(xExtent(plot.series.front()), std::make_pair(-10.0, 10.0));
    }
    // The oxygen sag: to twice the critical distance, the critical point and
    // the saturation marked.
    {
        const catalogue::Entry &e = catalogue::entry("spform");
        const catalogue::Case c = catalogue::defaultCase(e); // xc = 68.74 km, T = 20 °C
        const catalogue::Outcome own = catalogue::evaluate(e, c);
        const double xc = *own.result.number("myxc"), doc = *own.result.number("mydoc");
        const plots::Plot plot = plots::makePlot(e, c);
        QCOMPARE(plot.series.size(), std::size_t(2));
        QCOMPARE(xExtent(plot.series.front()).first, 0.0);
        QCOMPARE(xExtent(plot.series.front()).second, 2 * xc); // to 15 digits, as swept values are typed
        const auto critical = features(plot.marks);
        QCOMPARE(critical.size(), std::size_t(1));
        QCOMPARE(critical[0].x, xc);
        QCOMPARE(critical[0].y, doc);
        QCOMPARE(QString::fromStdString(critical[0].label), QString("临界点（68.74 km，5.23 mg/L）"));
        double lowest = 100;
        for (const auto &[x, y] : plot.series.front().points)
            lowest = std::min(lowest, y);
        QVERIFY(lowest >= doc - 1e-12 && lowest < doc + 0.01); // the sag bottoms out there
        const plots::Series &saturation = plot.series[1];
        QCOMPARE(saturation.style, plots::Series::Dashed);
        QCOMPARE(saturation.points.front().second, 468 / (31.6 + 20));
        QCOMPARE(QString::fromStdString(saturation.name), QString("饱和溶解氧DOs = 9.07 mg/L"));
    }
    // The instantaneous release: its passage at X with the peak marked, and
    // the cloud along the river at t.
    {
        const catalogue::Entry &e = catalogue::entry("pulseform");
        const catalogue::Case c = catalogue::defaultCase(e);
        const catalogue::Outcome own = catalogue::evaluate(e, c);
        const plots::Plot plot = plots::makePlot(e, c);
        QCOMPARE(plot.kind, plots::Kind::Pair);
        const auto peak = features(plot.marks);
        QCOMPARE(peak.size(), std::size_t(1));
        QCOMPARE(peak[0].x, *own.result.number("mytp"));
        QCOMPARE(peak[0].y, *own.result.number("mycp"));
        for (const auto &[t, y] : plot.series.front().points)
            QVERIFY(y <= peak[0].y + 1e-12);
        QCOMPARE(xExtent(plot.second.series.front()).second, 20.0);
        QCOMPARE(plot.second.marks.size(), std::size_t(1));
        QCOMPARE(plot.second.marks[0].x, 10.0);
        QCOMPARE(plot.second.marks[0].y, *own.result.number("myc"));
    }
    // The mixing zone: from one bank to the other, the same length from
    // either side of the middle.
    {
        const catalogue::Entry &e = catalogue::entry("mixlenform");
        const plots::Plot plot = plots::makePlot(e, catalogue::defaultCase(e));
        const plots::Series &s = plot.series.front();
        QCOMPARE(xExtent(s), std::make_pair(0.0, 30.0));
        QCOMPARE(s.points.front().second, s.points.back().second);
        QCOMPARE(s.points[50].second, s.points[150].second);
    }
}

QTEST_MAIN(TestPlots)
#include "tst_plots.moc"

void TestPlots::curvesAreDrawnFromComputedValues()
{
    // Along the one-dimensional river the concentration falls by a few
    // hundredths: shown to two decimals it would be a staircase of a handful
    // of steps; the computed values make a smooth curve.
    const catalogue::Entry &entry = catalogue::entry("my1dform");
    const plots::Plot plot = plots::makePlot(entry, catalogue::defaultCase(entry));
    QCOMPARE(plot.series.front().points.size(), std::size_t(plots::curvePoints));
    std::set<double> distinct, shown;
    for (const auto &[x, y] : plot.series.front().points) {
        distinct.insert(y);
        shown.insert(std::round(y * 100) / 100);
    }
    QVERIFY2(distinct.size() >= 150, qPrintable(QString::number(distinct.size())));
    QVERIFY(shown.size() < 20); // the same curve in the window's digits
    // The map's nodes too.
    const catalogue::Entry &river2 = catalogue::entry("my2dform");
    const plots::Plot map = plots::makePlot(river2, catalogue::defaultCase(river2));
    std::set<double> nodes(map.grid.c.begin(), map.grid.c.end());
    QVERIFY(nodes.size() > map.grid.c.size() / 2);
}
