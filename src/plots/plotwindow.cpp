#include "plotwindow.h"

#include "mapitem.h"

#include "ui/calculatorwindow.h"
#include "ui/prompts.h"

#include <QAction>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QDir>
#include <QHBoxLayout>
#include <QImageWriter>
#include <QLabel>
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
    auto *view = new QChartView(chart, parent);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(420, 320);
    return view;
}

// The smallest and largest x and y of some points.
struct Bounds {
    double x0 = INFINITY, x1 = -INFINITY, y0 = INFINITY, y1 = -INFINITY;
    void add(double x, double y)
    {
        x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
    }
    bool valid() const { return x0 <= x1 && y0 <= y1; }
};

// A value axis that holds [low, high] with a little room, and 0 when it is near.
QValueAxis *valueAxis(const QString &title, double low, double high, bool pad)
{
    auto *axis = new QValueAxis;
    axis->setTitleText(title);
    if (!(high > low)) {
        const double d = low == 0 ? 1 : std::abs(low) * 0.1;
        low -= d, high += d;
    } else if (pad) {
        const double d = (high - low) * 0.05;
        low -= d, high += d;
    }
    axis->setRange(low, high);
    axis->applyNiceNumbers();
    axis->setLabelFormat("%.7g");
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

QXYSeries *seriesOf(const Series &s, Bounds &bounds)
{
    QXYSeries *series;
    if (s.style == Series::Dots) {
        auto *dots = new QScatterSeries;
        dots->setMarkerSize(9);
        series = dots;
    } else {
        auto *line = new QLineSeries;
        QPen pen = line->pen();
        pen.setWidthF(2);
        line->setPen(pen);
        if (s.style == Series::Dashed) {
            // A level across the chart, behind the curve in grey.
            QPen level(QColor(90, 90, 90));
            level.setStyle(Qt::DashLine);
            level.setWidthF(1.5);
            line->setPen(level);
        }
        series = line;
    }
    series->setName(qs(s.name));
    QList<QPointF> points;
    points.reserve(qsizetype(s.points.size()));
    for (const auto &[x, y] : s.points) {
        points.append({x, y});
        bounds.add(x, y);
    }
    series->replace(points);
    return series;
}

void addMarks(QChart *chart, const Plot &plot, Bounds &bounds)
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
        bounds.add(m.x, m.y);
        chart->addSeries(mark);
    }
}

// A chart of the plot's series and marks; b takes in their extent.
QChart *pointsChart(const Plot &plot, Bounds &b)
{
    QChart *chart = newChart(qs(plot.title));
    for (const Series &s : plot.series)
        chart->addSeries(seriesOf(s, b));
    addMarks(chart, plot, b);
    return chart;
}

QWidget *curveChart(const Plot &plot, QWidget *parent)
{
    Bounds b;
    QChart *chart = pointsChart(plot, b);
    const bool zeroAtLeft = b.x0 >= 0 && b.x0 < 1e-9 * std::max(1.0, std::abs(b.x1));
    attachAll(chart, valueAxis(qs(plot.xTitle), b.x0, b.x1, !zeroAtLeft), valueAxis(qs(plot.yTitle), b.y0, b.y1, true));
    return viewOf(chart, parent);
}

QWidget *probabilityChart(const Plot &plot, QWidget *parent)
{
    Bounds b;
    QChart *chart = pointsChart(plot, b);
    // The paper's axis: linear in the normal quantile, labelled in percent.
    auto *x = new QCategoryAxis;
    x->setTitleText(qs(plot.xTitle));
    x->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    double lo = b.x0, hi = b.x1;
    if (!plot.paperTicks.empty())
        lo = std::min(lo, plot.paperTicks.front()), hi = std::max(hi, plot.paperTicks.back());
    lo -= 0.15, hi += 0.15;
    x->setRange(lo, hi);
    x->setStartValue(lo);
    for (std::size_t i = 0; i < plot.percentTicks.size() && i < plot.paperTicks.size(); ++i)
        x->append(QString::number(plot.percentTicks[i]), plot.paperTicks[i]);
    double y0 = b.y0, y1 = b.y1;
    if (plot.designLine) {
        auto *line = new QLineSeries;
        line->setName(qs(plot.designLabel));
        QPen pen(QColor(200, 40, 40));
        pen.setStyle(Qt::DashLine);
        pen.setWidthF(1.5);
        line->setPen(pen);
        const double pad = (y1 > y0 ? y1 - y0 : 1) * 0.05;
        line->append(*plot.designLine, y0 - pad);
        line->append(*plot.designLine, y1 + pad);
        chart->addSeries(line);
    }
    x->setGridLineVisible(true);
    attachAll(chart, x, valueAxis(qs(plot.yTitle), y0, y1, true));
    return viewOf(chart, parent);
}

QWidget *barChart(const Plot &plot, QWidget *parent)
{
    QChart *chart = newChart(qs(plot.title));
    auto *series = new QStackedBarSeries;
    double top = 0;
    std::vector<double> sums(plot.categories.size(), 0.0);
    for (const BarSet &b : plot.bars) {
        auto *set = new QBarSet(qs(b.name));
        for (std::size_t i = 0; i < b.values.size(); ++i) {
            set->append(b.values[i]);
            if (i < sums.size())
                sums[i] += b.values[i];
        }
        if (b.name == "剩余环境容量" || b.name == "排污削减量") {
            set->setColor(Qt::transparent);
            set->setBorderColor(b.name == "排污削减量" ? QColor(210, 30, 30) : QColor(30, 150, 60));
            QBrush hatch(set->borderColor(), Qt::BDiagPattern);
            set->setBrush(hatch);
        }
        series->append(set);
    }
    for (double s : sums)
        top = std::max(top, s);
    chart->addSeries(series);
    auto *x = new QBarCategoryAxis;
    for (const std::string &c : plot.categories)
        x->append(qs(c));
    attachAll(chart, x, valueAxis(qs(plot.yTitle), 0, top, false));
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
    Bounds b;
    addMarks(chart, plot, b);
    auto *x = valueAxis(qs(plot.xTitle), 0, g.xs.empty() ? 1 : g.xs.back(), false);
    x->setRange(0, g.xs.empty() ? 1 : g.xs.back());
    auto *y = valueAxis(qs(plot.yTitle), 0, g.ys.empty() ? 1 : g.ys.back(), false);
    y->setRange(0, g.ys.empty() ? 1 : g.ys.back());
    attachAll(chart, x, y);
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
    if (!m_plot.failure.empty()) {
        auto *label = new QLabel(qs(m_plot.failure), m_content);
        label->setObjectName("plotFailure");
        label->setAlignment(Qt::AlignCenter);
        column->addWidget(label);
    } else {
        switch (m_plot.kind) {
        case Kind::Curve:
            column->addWidget(curveChart(m_plot, m_content));
            break;
        case Kind::Map:
            column->addWidget(mapChart(m_plot, m_content));
            break;
        case Kind::Bars:
            column->addWidget(barChart(m_plot, m_content));
            break;
        case Kind::Probability:
            column->addWidget(probabilityChart(m_plot, m_content));
            break;
        case Kind::Pair:
            column->addWidget(pairChart(m_plot, m_content));
            break;
        }
    }
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
