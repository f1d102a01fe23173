// How every plot of the catalogue is drawn: no point beyond an axis and no
// dot on its edge, titles whole at any size (never cut to "..."), legend
// markers shaped as their series, each quantity in its one colour; the
// two-dimensional capacity cut below its explosion, with "≥" and distances
// from 0; the K fit's legend with R² and n.

#include "catalogue/catalogue.h"
#include "core/parameters.h"
#include "plots/chartlook.h"
#include "plots/plotdata.h"
#include "plots/plotwindow.h"
#include "support/examples.h"

#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QGraphicsTextItem>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QStackedBarSeries>
#include <QTest>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <map>

namespace {

plots::Plot plotOf(const catalogue::Entry &e)
{
    catalogue::Case c = catalogue::defaultCase(e);
    if (const catalogue::Field *file = catalogue::dataFileField(e))
        c.setOwned(file->name, windowtest::exampleFile(*file).toStdString());
    return plots::makePlot(e, c);
}

QList<QChart *> chartsOf(QWidget *window)
{
    QList<QChart *> charts;
    for (QChartView *view : window->findChildren<QChartView *>())
        charts << view->chart();
    return charts;
}

QValueAxis *axisOf(QChart *chart, Qt::Orientation orientation)
{
    for (QAbstractAxis *a : chart->axes(orientation))
        if (auto *v = qobject_cast<QValueAxis *>(a))
            return v;
    return nullptr;
}

// The texts the chart's scene shows.
QStringList sceneTexts(QChart *chart)
{
    QStringList texts;
    for (QGraphicsItem *item : chart->scene()->items())
        if (auto *text = dynamic_cast<QGraphicsTextItem *>(item); text && text->isVisible())
            texts << text->toPlainText();
    return texts;
}

QString withoutBlanks(QString text)
{
    text.remove(QRegularExpression(QStringLiteral("\\s")));
    return text;
}

} // namespace

class TestPlotLook : public QObject {
    Q_OBJECT

private slots:
    void everyPlot_data();
    void everyPlot();
    void explodingCapacityIsCut();
    void fitLegendHasR2AndN();
    void titleLinesBreakAtBrackets();
};

void TestPlotLook::everyPlot_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QSize>("size");
    for (const catalogue::Entry &e : catalogue::entries())
        if (plots::hasPlot(e))
            for (const QSize size : {QSize(900, 560), QSize(520, 400)})
                QTest::newRow(qPrintable(QString("%1 at %2×%3").arg(e.id.c_str()).arg(size.width()).arg(size.height())))
                    << QString::fromStdString(e.id) << size;
}

void TestPlotLook::everyPlot()
{
    QFETCH(QString, id);
    QFETCH(QSize, size);
    const catalogue::Entry &e = catalogue::entry(id.toStdString());
    plots::PlotWindow window(nullptr);
    window.draw(plotOf(e));
    QVERIFY2(window.plot().failure.empty(), window.plot().failure.c_str());
    window.resize(size);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
    const QList<QChart *> charts = chartsOf(&window);
    QVERIFY(!charts.isEmpty());
    for (QChart *chart : charts) {
        QCoreApplication::processEvents();
        // Titles and tick labels whole: no text of the chart cut to "...",
        // and every axis title shown in full (on one line or more). Only
        // the legend of a window narrower than it gives way (its tooltips
        // then say the rest).
        QStringList legend;
        for (QLegendMarker *marker : chart->legend()->markers())
            legend << marker->label();
        const QStringList texts = sceneTexts(chart);
        for (const QString &t : texts) {
            const bool cut = t.contains("...") || t.contains(QChar(0x2026));
            const bool legendLabel = std::any_of(legend.begin(), legend.end(), [&](const QString &l) {
                return l != t && l.startsWith(QString(t).remove("...").remove(QChar(0x2026)));
            });
            QVERIFY2(!cut || (legendLabel && size.width() < 900), qPrintable(t));
        }
        QVERIFY(chart->legend()->showToolTips());
        for (QAbstractAxis *axis : chart->axes()) {
            const QString full = axis->property("fullTitle").toString();
            if (full.isEmpty() && axis->titleText().isEmpty())
                continue; // the categories of a bar chart need no title
            QVERIFY2(!full.isEmpty(), qPrintable(axis->titleText()));
            bool shown = false;
            for (const QString &t : texts)
                shown = shown || withoutBlanks(t) == withoutBlanks(full);
            QVERIFY2(shown, qPrintable(full + " | " + texts.join(" | ")));
        }

        QValueAxis *x = axisOf(chart, Qt::Horizontal), *y = axisOf(chart, Qt::Vertical);
        for (QAbstractSeries *s : chart->series()) {
            auto *xy = qobject_cast<QXYSeries *>(s);
            if (xy && x && y) {
                // No point beyond an axis; no dot on an edge.
                const double dx = (x->max() - x->min()) * 0.005, dy = (y->max() - y->min()) * 0.005;
                const bool dot = qobject_cast<QScatterSeries *>(s);
                auto *labelled = qobject_cast<QCategoryAxis *>(y);
                if (!dot && labelled && !labelled->categoriesLabels().isEmpty() &&
                    labelled->categoriesLabels().last().contains(QStringLiteral("≥")))
                    continue; // a line cut at a "≥" end leaves through it
                for (const QPointF &p : xy->points()) {
                    const double mx = dot ? dx : -1e-9 * std::abs(x->max()), my = dot ? dy : -1e-9 * std::abs(y->max());
                    QVERIFY2(p.x() >= x->min() + mx && p.x() <= x->max() - mx && p.y() >= y->min() + my &&
                                 p.y() <= y->max() - my,
                             qPrintable(QString("%1 (%2, %3) in %4..%5 × %6..%7")
                                            .arg(s->name())
                                            .arg(p.x())
                                            .arg(p.y())
                                            .arg(x->min())
                                            .arg(x->max())
                                            .arg(y->min())
                                            .arg(y->max())));
                }
            }
            // Legend markers shaped as their series.
            for (QLegendMarker *marker : chart->legend()->markers(s))
                if (marker->type() == QLegendMarker::LegendMarkerTypeXY)
                    QCOMPARE(marker->shape(), QLegend::MarkerShapeFromSeries);
            // Each quantity in its one colour (the marked points are red).
            if (auto *line = qobject_cast<QLineSeries *>(s); line && !line->points().isEmpty())
                QCOMPARE(line->pen().color(), plots::quantityColour(s->name()));
            if (auto *bars = qobject_cast<QStackedBarSeries *>(s))
                for (QBarSet *set : bars->barSets())
                    QCOMPARE(set->borderColor(), plots::quantityColour(set->label()));
        }
    }
}

void TestPlotLook::explodingCapacityIsCut()
{
    // Near the outfall the capacity of the two-dimensional river passes
    // 1E+246 t/a; the axis ends at the curve's bulk and says so.
    const catalogue::Entry &e = catalogue::entry("my2dw");
    const plots::Plot plot = plotOf(e);
    double largest = 0;
    for (const auto &p : plot.series.front().points)
        largest = std::max(largest, p.second);
    QVERIFY(largest > 1e200);
    plots::PlotWindow window(nullptr);
    window.draw(plot);
    window.show();
    QChart *chart = chartsOf(&window).front();
    auto *y = qobject_cast<QCategoryAxis *>(axisOf(chart, Qt::Vertical));
    auto *x = axisOf(chart, Qt::Horizontal);
    QVERIFY(y && x);
    QVERIFY2(y->max() < 1e8 && y->max() > plot.marks.front().y * 5, qPrintable(QString::number(y->max())));
    QVERIFY(y->categoriesLabels().last().trimmed().startsWith(QStringLiteral("≥ ")));
    QVERIFY(!y->categoriesLabels().first().contains(QStringLiteral("≤")));
    QCOMPARE(x->min(), 0.0); // a distance starts at 0
    QCOMPARE(x->max(), 400.0);
    // The line leaves through the axis's top (the plot area cuts it there),
    // with no point of 1E+246 for the drawing to choke on.
    double top = 0;
    for (QAbstractSeries *s : chart->series())
        if (auto *line = qobject_cast<QLineSeries *>(s))
            for (const QPointF &p : line->points())
                top = std::max(top, p.y());
    QVERIFY2(top > y->max() && top <= 11 * y->max(), qPrintable(QString::number(top)));

    // An ordinary curve keeps every value and no "≥".
    plots::PlotWindow river(nullptr);
    river.draw(plotOf(catalogue::entry("my1dw")));
    auto *ordinary = qobject_cast<QCategoryAxis *>(axisOf(chartsOf(&river).front(), Qt::Vertical));
    QVERIFY(ordinary);
    for (const QString &label : ordinary->categoriesLabels())
        QVERIFY(!label.contains(QStringLiteral("≥")));
}

void TestPlotLook::fitLegendHasR2AndN()
{
    const catalogue::Entry &e = catalogue::entry("myKform/multi-point");
    const catalogue::Case c = catalogue::defaultCase(e);
    std::vector<varnolek::parameters::MonitoringPoint> points;
    for (int i = 0; i < e.defaultRows; ++i)
        points.push_back({c.number("Text4." + std::to_string(i)), c.number("Text2." + std::to_string(i))});
    const auto fit = varnolek::parameters::fittedLogLine(points);
    QVERIFY(fit && fit->r2 > 0.99 && fit->r2 < 1);
    const plots::Plot plot = plotOf(e);
    const QString name = QString::fromStdString(plot.series.front().name);
    QCOMPARE(name, QStringLiteral("拟合直线（R² = %1，n = %2）").arg(fit->r2, 0, 'f', 4).arg(e.defaultRows));
}

void TestPlotLook::titleLinesBreakAtBrackets()
{
    QFont font;
    const QFontMetricsF metrics(font);
    const QString title = QStringLiteral("距离初始断面X千米处水质浓度(mg/L)的变化量(基准值 9.97)");
    const double length = metrics.horizontalAdvance(title) * 0.6;
    const QStringList lines = plots::titleLines(title, font, length);
    QVERIFY(lines.size() >= 2);
    QCOMPARE(withoutBlanks(lines.join(QString())), withoutBlanks(title));
    for (const QString &line : lines)
        QVERIFY2(metrics.horizontalAdvance(line) <= length, qPrintable(line));
    // The first break comes before a bracket, not inside the unit.
    QVERIFY2(lines[1].startsWith('('), qPrintable(lines.join(" | ")));
    // A title that fits stays one line.
    QCOMPARE(plots::titleLines(title, font, metrics.horizontalAdvance(title) + 1), QStringList{title});
}

QTEST_MAIN(TestPlotLook)
#include "tst_plotlook.moc"
