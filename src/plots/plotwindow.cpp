#include "plotwindow.h"

#include "chartlook.h"
#include "mapitem.h"

#include "ui/calculatorwindow.h"
#include "ui/prompts.h"

#include <QAction>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QDir>
#include <QHBoxLayout>
#include <QHorizontalBarSeries>
#include <QHorizontalStackedBarSeries>
#include <QImageWriter>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QScatterSeries>
#include <QStackedBarSeries>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace plots {

namespace {

QString qs(const std::string &text)
{
    return QString::fromStdString(text);
}

QChart *newChart(const QString &title)
{
    auto *chart = new QChart;
    chart->setTitle(title);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

QChartView *viewOf(QChart *chart, QWidget *parent)
{
    applyLook(chart);
    auto *view = new QChartView(chart, parent);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(420, 320);
    return view;
}

// An axis over a span, with its title kept whole.
QCategoryAxis *axisOf(const QString &title, const Span &span, const ScaleRules &rules, Qt::Orientation orientation)
{
    QCategoryAxis *axis = scaleAxis(span, rules, orientation);
    setAxisTitle(axis, title);
    return axis;
}

void attachAll(QChart *chart, QAbstractAxis *x, QAbstractAxis *y)
{
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries *s : chart->series()) {
        s->attachAxis(x);
        s->attachAxis(y);
    }
}

// Adds a series of the plot in its quantity's colour, within the band
// low ≤ y ≤ high: a line leaving the band is drawn up to its edge and goes on
// as a new piece where it comes back, dots outside it are left out.
void addSeries(QChart *chart, const Series &s, const QColor &colour, double low, double high)
{
    if (s.style == Series::Dots) {
        auto *dots = new QScatterSeries;
        dots->setMarkerSize(9);
        dots->setColor(colour);
        dots->setBorderColor(colour.darker(130));
        dots->setName(qs(s.name));
        for (const auto &[x, y] : s.points)
            if (y >= low && y <= high)
                dots->append(x, y);
        chart->addSeries(dots);
        return;
    }
    std::vector<Points> pieces = piecesWithin(s.points, low, high);
    if (pieces.empty())
        pieces.emplace_back(); // the name still shows in the legend
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        auto *line = new QLineSeries;
        QPen pen(colour);
        pen.setWidthF(2);
        line->setPen(pen);
        if (s.style == Series::Dashed) {
            // A level across the chart, dashed: not a curve of the calculation.
            QPen level(colour);
            level.setStyle(Qt::DashLine);
            level.setWidthF(1.5);
            line->setPen(level);
        }
        line->setName(qs(s.name));
        QList<QPointF> points;
        points.reserve(qsizetype(pieces[i].size()));
        for (const auto &[x, y] : pieces[i])
            points.append({x, y});
        line->replace(points);
        chart->addSeries(line);
        if (i > 0) // one entry in the legend for the whole line
            for (QLegendMarker *marker : chart->legend()->markers(line))
                marker->setVisible(false);
    }
}

void addSeries(QChart *chart, const std::vector<Series> &series, double low, double high)
{
    QStringList names;
    for (const Series &s : series)
        names << qs(s.name);
    const std::vector<QColor> colours = quantityColours(names);
    for (std::size_t i = 0; i < series.size(); ++i)
        addSeries(chart, series[i], colours[i], low, high);
}

void addMarks(QChart *chart, const Plot &plot)
{
    for (const Mark &m : plot.marks) {
        auto *mark = new QScatterSeries;
        mark->setName(qs(m.label));
        mark->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
        mark->setMarkerSize(11);
        mark->setColor(QColor(220, 30, 30));
        mark->setBorderColor(Qt::black);
        if (m.style == Mark::Feature) {
            // A place of the water body or of the curve, told apart from the
            // computed point: the outfall, a peak, the critical point.
            mark->setMarkerShape(QScatterSeries::MarkerShapeTriangle);
            mark->setMarkerSize(13);
            mark->setColor(QColor(20, 90, 200));
        }
        mark->append(m.x, m.y);
        chart->addSeries(mark);
    }
}

// The spans of a plot's points: x of everything drawn; y of the lines'
// bulk (a value exploding near a singular end cut), the dots (measured
// points, never cut) and the marks.
struct Spans {
    Span x, y;
    bool dots = false;
    bool markAtEnd = false; // a marked point at an end of x (the input at 0)
};
Spans spansOf(const Plot &plot)
{
    Spans spans;
    std::vector<Points> lines;
    for (const Series &s : plot.series) {
        if (s.style == Series::Line)
            lines.push_back(s.points);
        for (const auto &[x, y] : s.points) {
            include(spans.x, x);
            if (s.style == Series::Dots)
                spans.dots = true;
        }
    }
    spans.y = linesSpan(lines);
    // A level drawn across the chart (the saturation of the oxygen sag) is
    // never cut: it is what the curve is read against.
    for (const Series &s : plot.series)
        if (s.style == Series::Dashed)
            for (const auto &point : s.points)
                include(spans.y, point.second);
    for (const Series &s : plot.series)
        if (s.style == Series::Dots)
            for (const auto &[x, y] : s.points)
                include(spans.y, y);
    for (const Mark &m : plot.marks) {
        include(spans.x, m.x);
        include(spans.y, m.y);
    }
    for (const Mark &m : plot.marks)
        spans.markAtEnd = spans.markAtEnd || m.x == spans.x.low || m.x == spans.x.high;
    return spans;
}

QWidget *curveChart(const Plot &plot, QWidget *parent)
{
    QChart *chart = newChart(qs(plot.title));
    const Spans spans = spansOf(plot);
    // A curve runs over its field's range to the edges; a distance or any
    // other field of values ≥ 0 starts at 0. Dots get room, below 0 too, so
    // that none sits on an edge (the monitoring point at the outfall).
    // A marked point at an end of the curve (the input at 0) gets the same room.
    const bool room = spans.dots || spans.markAtEnd;
    ScaleRules xRules;
    xRules.margin = room ? 0.05 : 0;
    xRules.keepSign = !room;
    xRules.fromZero = true;
    // A line beyond a cut end is drawn to well past the axis, where the plot
    // area cuts it at the edge, whatever step its ticks take; beyond that, a
    // value of 1E+246 would be past what the drawing can take.
    const Scale y = scaleOf(spans.y);
    const double reach = 10 * (y.high - y.low);
    addSeries(chart, plot.series, y.low - reach, y.high + reach);
    addMarks(chart, plot);
    attachAll(chart, axisOf(qs(plot.xTitle), spans.x, xRules, Qt::Horizontal),
              axisOf(qs(plot.yTitle), spans.y, {}, Qt::Vertical));
    return viewOf(chart, parent);
}

// The axis of probability paper: linear in the normal quantile, labelled in
// percent, reaching pad beyond the outermost tick or value.
QCategoryAxis *paperAxis(const Plot &plot, const Spans &spans, double pad)
{
    auto *x = new QCategoryAxis;
    setAxisTitle(x, qs(plot.xTitle));
    x->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    double lo = spans.x.low, hi = spans.x.high;
    if (!plot.paperTicks.empty())
        lo = std::min(lo, plot.paperTicks.front()), hi = std::max(hi, plot.paperTicks.back());
    lo -= pad, hi += pad;
    x->setRange(lo, hi);
    x->setStartValue(lo);
    for (std::size_t i = 0; i < plot.percentTicks.size() && i < plot.paperTicks.size(); ++i)
        x->append(QString::number(plot.percentTicks[i]), plot.paperTicks[i]);
    x->setGridLineVisible(true);
    return x;
}

// The design rate, dashed, from the bottom of the value axis to its top.
void addDesignLine(QChart *chart, const Plot &plot, const Scale &y)
{
    if (!plot.designLine)
        return;
    auto *line = new QLineSeries;
    line->setName(qs(plot.designLabel));
    QPen pen(quantityColour(qs(plot.designLabel)));
    pen.setStyle(Qt::DashLine);
    pen.setWidthF(1.5);
    line->setPen(pen);
    line->append(*plot.designLine, y.low);
    line->append(*plot.designLine, y.high);
    chart->addSeries(line);
}

QWidget *probabilityChart(const Plot &plot, QWidget *parent)
{
    QChart *chart = newChart(qs(plot.title));
    const Spans spans = spansOf(plot);
    const Scale y = scaleOf(spans.y);
    addSeries(chart, plot.series, y.low, y.high);
    addMarks(chart, plot);
    QCategoryAxis *x = paperAxis(plot, spans, 0.15);
    addDesignLine(chart, plot, y);
    attachAll(chart, x, axisOf(qs(plot.yTitle), spans.y, {}, Qt::Vertical));
    return viewOf(chart, parent);
}

// A series on probability paper with the curve fitted to it: the years
// observed in full as filled dots, the years with missing months hollow, the
// curve as a line, and each design value a mark of its own shape.
QWidget *fittedCurveChart(const Plot &plot, QWidget *parent)
{
    QChart *chart = newChart(qs(plot.title));
    const Spans spans = spansOf(plot);
    const Scale y = scaleOf(spans.y);
    QStringList names;
    for (const Series &s : plot.series)
        names << qs(s.name);
    const std::vector<QColor> colours = quantityColours(names);
    for (std::size_t i = 0; i < plot.series.size(); ++i) {
        addSeries(chart, plot.series[i], colours[i], y.low, y.high);
        if (plot.series[i].hollow)
            if (auto *dots = qobject_cast<QScatterSeries *>(chart->series().last())) {
                dots->setBorderColor(colours[i]);
                dots->setColor(Qt::white);
            }
    }
    const QScatterSeries::MarkerShape shapes[] = {QScatterSeries::MarkerShapeRectangle,
                                                  QScatterSeries::MarkerShapeTriangle, QScatterSeries::MarkerShapeStar};
    const QColor markColours[] = {QColor(220, 30, 30), QColor(230, 140, 0), QColor(140, 30, 180)};
    for (std::size_t i = 0; i < plot.marks.size(); ++i) {
        const Mark &m = plot.marks[i];
        auto *mark = new QScatterSeries;
        mark->setName(qs(m.label));
        mark->setMarkerShape(shapes[i % std::size(shapes)]);
        mark->setMarkerSize(13);
        mark->setColor(markColours[i % std::size(markColours)]);
        mark->setBorderColor(Qt::black);
        mark->append(m.x, m.y);
        chart->addSeries(mark);
    }
    QCategoryAxis *x = paperAxis(plot, spans, 0);
    addDesignLine(chart, plot, y);
    attachAll(chart, x, axisOf(qs(plot.yTitle), spans.y, {}, Qt::Vertical));
    return viewOf(chart, parent);
}

QWidget *barChart(const Plot &plot, QWidget *parent)
{
    QChart *chart = newChart(qs(plot.title));
    QAbstractBarSeries *series;
    if (plot.grouped)
        series = plot.horizontal ? static_cast<QAbstractBarSeries *>(new QHorizontalBarSeries) : new QBarSeries;
    else
        series = plot.horizontal ? static_cast<QAbstractBarSeries *>(new QHorizontalStackedBarSeries)
                                 : new QStackedBarSeries;
    Span span; // a capacity may be below zero
    include(span, 0);
    std::vector<double> sums(plot.categories.size(), 0.0);
    // Horizontal bars are drawn from the bottom up: given in reverse, the
    // first category stands at the top, as a table reads.
    const std::size_t n = plot.categories.size();
    auto place = [&](std::size_t i) { return plot.horizontal && i < n ? n - 1 - i : i; };
    for (const BarSet &b : plot.bars) {
        auto *set = new QBarSet(qs(b.name));
        std::vector<double> values(plot.horizontal ? std::max(n, b.values.size()) : b.values.size());
        for (std::size_t i = 0; i < b.values.size(); ++i)
            values[place(i)] = b.values[i];
        for (std::size_t i = 0; i < values.size(); ++i) {
            set->append(values[i]);
            if (i < sums.size())
                sums[i] += values[i];
            if (plot.grouped)
                include(span, values[i]);
        }
        const QColor colour = quantityColour(qs(b.name));
        set->setColor(colour);
        set->setBorderColor(colour);
        if (b.name == "剩余环境容量" || b.name == "排污削减量") {
            // The gap between the load and the capacity: hatched.
            set->setBrush(QBrush(colour, Qt::BDiagPattern));
        }
        series->append(set);
    }
    if (!plot.grouped)
        for (double s : sums)
            include(span, s);
    chart->addSeries(series);
    auto *categories = new QBarCategoryAxis;
    for (std::size_t i = 0; i < n; ++i)
        categories->append(qs(plot.categories[place(i)]));
    if (plot.horizontal) {
        categories->setTruncateLabels(false); // the names whole
        attachAll(chart, axisOf(qs(plot.yTitle), span, {}, Qt::Horizontal), categories);
    } else {
        attachAll(chart, categories, axisOf(qs(plot.yTitle), span, {}, Qt::Vertical));
    }
    return viewOf(chart, parent);
}

QWidget *mapChart(const Plot &plot, QWidget *parent)
{
    auto *box = new QWidget(parent);
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    const Grid &g = plot.grid;
    std::vector<double> finite;
    for (double v : g.c)
        if (std::isfinite(v))
            finite.push_back(v);
    double low = 0, high = 1;
    bool clipped = false;
    if (!finite.empty()) {
        // Near the outfall the concentration rises without bound: the scale
        // ends at the 98th percentile, and higher values take its top colour.
        low = *std::min_element(finite.begin(), finite.end());
        const double max = *std::max_element(finite.begin(), finite.end());
        auto at = finite.begin() + std::ptrdiff_t(double(finite.size() - 1) * 0.98);
        std::nth_element(finite.begin(), at, finite.end());
        high = *at > low ? *at : max;
        clipped = high < max;
    }
    std::vector<double> levels;
    for (int k = 1; k < 10; ++k)
        levels.push_back(low + (high - low) * k / 10.0);

    QChart *chart = newChart(qs(plot.title));
    addMarks(chart, plot);
    // The grid reaches the axes' ends.
    ScaleRules edges;
    edges.margin = 0;
    const auto spanTo = [](double end) {
        Span span;
        include(span, 0);
        include(span, end);
        return span;
    };
    // An outfall marked where the reach begins gets room upstream of it.
    Span along = spanTo(g.xs.empty() ? 1 : g.xs.back());
    for (const Mark &m : plot.marks)
        if (m.x <= 0)
            include(along, m.x - 0.02 * along.high);
    attachAll(chart, axisOf(qs(plot.xTitle), along, edges, Qt::Horizontal),
              axisOf(qs(plot.yTitle), spanTo(g.ys.empty() ? 1 : g.ys.back()), edges, Qt::Vertical));
    new MapItem(chart, g, low, high, levels);
    auto *mapView = viewOf(chart, box);
    mapView->setMinimumSize(560, 360);
    row->addWidget(mapView, 3);
    row->addWidget(new ColourScale(low, high, clipped, qs(plot.scaleTitle), box));

    Plot profile;
    profile.title = "X 处横断面浓度分布";
    profile.xTitle = plot.profileXTitle;
    profile.yTitle = plot.profileYTitle;
    profile.series = {plot.profile};
    if (!plot.marks.empty()) {
        // The computed point on the profile: across the river at its y.
        const Mark &m = plot.marks.front();
        for (const auto &[py, pc] : plot.profile.points)
            if (std::abs(py - m.y) < 1e-12 * std::max(1.0, std::abs(m.y)))
                profile.marks.push_back({py, pc, "Y 处"});
    }
    QWidget *profileView = curveChart(profile, box);
    profileView->setMinimumSize(320, 360);
    row->addWidget(profileView, 2);
    return box;
}

// Two charts side by side, each with its own axes.
QWidget *pairChart(const Plot &plot, QWidget *parent)
{
    auto *box = new QWidget(parent);
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    QWidget *first = curveChart(plot, box);
    Plot second;
    second.title = plot.second.title;
    second.xTitle = plot.second.xTitle;
    second.yTitle = plot.second.yTitle;
    second.series = plot.second.series;
    second.marks = plot.second.marks;
    QWidget *beside = curveChart(second, box);
    first->setMinimumSize(480, 380);
    beside->setMinimumSize(480, 380);
    row->addWidget(first, 1);
    row->addWidget(beside, 1);
    return box;
}

} // namespace

QWidget *chartWidget(const Plot &plot, QWidget *parent)
{
    if (!plot.failure.empty()) {
        auto *label = new QLabel(qs(plot.failure), parent);
        label->setObjectName("plotFailure");
        label->setAlignment(Qt::AlignCenter);
        return label;
    }
    switch (plot.kind) {
    case Kind::Curve:
        return curveChart(plot, parent);
    case Kind::Map:
        return mapChart(plot, parent);
    case Kind::Bars:
        return barChart(plot, parent);
    case Kind::Probability:
        return probabilityChart(plot, parent);
    case Kind::FittedCurve:
        return fittedCurveChart(plot, parent);
    case Kind::Pair:
        return pairChart(plot, parent);
    }
    return new QWidget(parent);
}

PlotWindow::PlotWindow(QWidget *calculator) : QWidget(calculator, Qt::Window)
{
    setObjectName("plotwindow");
    setAttribute(Qt::WA_DeleteOnClose);
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_bar = new QMenuBar(this);
    m_bar->setNativeMenuBar(false);
    m_layout->setMenuBar(m_bar);
    QMenu *menu = m_bar->addMenu(QStringLiteral("导出(&E)"));
    menu->setObjectName("menuExport");
    exportPng = menu->addAction(QStringLiteral("导出 PNG 图像(&P)…"), this, [this] { exportImage(false); });
    exportPng->setObjectName("actionExportPng");
    exportSvg = menu->addAction(QStringLiteral("导出 SVG 图像(&S)…"), this, [this] { exportImage(true); });
    exportSvg->setObjectName("actionExportSvg");
    exportData = menu->addAction(QStringLiteral("导出图形数据 CSV(&D)…"), this, [this] { exportCsv(); });
    exportData->setObjectName("actionExportPlotData");
    resize(900, 560);
}

void PlotWindow::draw(Plot plot)
{
    m_plot = std::move(plot);
    setWindowTitle(qs(m_plot.title) + QStringLiteral(" — 图形"));
    delete m_content;
    m_content = new QWidget(this);
    m_content->setObjectName("plotContent");
    m_content->setAutoFillBackground(true);
    QPalette pal = m_content->palette();
    pal.setColor(QPalette::Window, Qt::white);
    m_content->setPalette(pal);
    auto *column = new QVBoxLayout(m_content);
    column->addWidget(chartWidget(m_plot, m_content));
    if (!m_plot.note.empty()) {
        auto *note = new QLabel(qs(m_plot.note), m_content);
        note->setObjectName("plotNote");
        note->setAlignment(Qt::AlignCenter);
        column->addWidget(note);
    }
    m_layout->addWidget(m_content);
    const bool drawable = m_plot.failure.empty();
    exportPng->setEnabled(drawable);
    exportSvg->setEnabled(drawable);
    exportData->setEnabled(drawable);
    if (m_plot.kind == Kind::Map)
        resize(std::max(width(), 1180), std::max(height(), 560));
    if (m_plot.kind == Kind::Pair)
        resize(std::max(width(), 1100), std::max(height(), 520));
}

void PlotWindow::render(QPainter *painter, const QRectF &target)
{
    if (!m_content)
        return;
    m_content->ensurePolished();
    if (!m_content->isVisible())
        m_content->resize(m_content->sizeHint().expandedTo(QSize(900, 520)));
    const QSize size = m_content->size();
    painter->save();
    painter->translate(target.topLeft());
    const double scale = std::min(target.width() / size.width(), target.height() / size.height());
    painter->scale(scale, scale);
    m_content->render(painter, QPoint(), QRegion(), QWidget::DrawChildren | QWidget::DrawWindowBackground);
    painter->restore();
}

QString PlotWindow::suggestedPath(const QString &suffix) const
{
    QString name = qs(m_plot.title);
    name.replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>| ·]+")), QStringLiteral("_"));
    return QDir::home().filePath(name + QStringLiteral("_图形.") + suffix);
}

void PlotWindow::exportImage(bool svg)
{
    const QString path =
        ui::Prompts::current().saveFile(this, QStringLiteral("导出图形"), suggestedPath(svg ? "svg" : "png"),
                                        svg ? QStringLiteral("SVG 图像 (*.svg)") : QStringLiteral("PNG 图像 (*.png)"));
    if (path.isEmpty() || !m_content)
        return;
    QSaveFile file(path);
    bool ok = file.open(QIODevice::WriteOnly);
    if (ok && svg) {
        QSvgGenerator generator;
        generator.setOutputDevice(&file);
        generator.setSize(m_content->size());
        generator.setViewBox(QRect(QPoint(), m_content->size()));
        generator.setTitle(qs(m_plot.title));
        QPainter painter(&generator);
        render(&painter, QRectF(QPointF(), QSizeF(m_content->size())));
        painter.end();
    } else if (ok) {
        QImageWriter writer(&file, "png");
        ok = writer.write(m_content->grab().toImage());
    }
    ok = ok && file.commit();
    if (!ok)
        ui::Prompts::current().message(this, QStringLiteral("无法写入文件：") + QDir::toNativeSeparators(path),
                                       QStringLiteral("提示"));
    else
        saved(path);
}

void PlotWindow::exportCsv()
{
    const QString path = ui::Prompts::current().saveFile(this, QStringLiteral("导出图形数据"), suggestedPath("csv"),
                                                         QStringLiteral("CSV 文件 (*.csv)"));
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    const std::string text = "\xEF\xBB\xBF" + csvText(m_plot); // a byte-order mark, so spreadsheets read UTF-8
    const bool ok = file.open(QIODevice::WriteOnly) &&
                    file.write(text.data(), qint64(text.size())) == qint64(text.size()) && file.commit();
    if (!ok)
        ui::Prompts::current().message(this, QStringLiteral("无法写入文件：") + QDir::toNativeSeparators(path),
                                       QStringLiteral("提示"));
    else
        saved(path);
}

// The calculator window the plot belongs to tells of the file in its status bar.
void PlotWindow::saved(const QString &path)
{
    if (auto *calculator = qobject_cast<ui::CalculatorWindow *>(parentWidget()))
        calculator->showSaved(path);
}

} // namespace plots
