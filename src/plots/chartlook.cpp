#include "chartlook.h"

#include <QCategoryAxis>
#include <QChart>
#include <QFontMetricsF>
#include <QLegend>
#include <QLegendMarker>
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace plots {

namespace {

// The quantities every chart draws in the same colour.
struct Named {
    const char *quantity;
    QColor colour;
};
const QColor blue(31, 119, 180), orange(255, 127, 14), green(44, 160, 44), red(214, 39, 40), purple(148, 103, 189),
    brown(140, 86, 75);
const Named table[] = {
    // The load balance: the loads, split into their sources where known, the
    // capacity, and the gap between them (the capacity's unused part in its
    // own green, a reduction in red).
    {"现状污染负荷", blue},
    {"规划年污染负荷", blue},
    {"生活污染源", blue},
    {"农业面源", brown},
    {"工业污染源", orange},
    {"环境容量", green},
    {"剩余环境容量", green},
    {"排污削减量", red},
    // The degradation coefficient.
    {"监测点", orange},
    {"拟合直线", blue},
    {"衰减曲线", blue},
    // A hydrological series and its design rate, on probability paper.
    {"实测系列", blue},
    {"经验频率点", blue},
    {"矩法", orange},
    {"适线法", purple},
    {"设计保证率", red},
    {"设计值", red},
    // The tornado: each field moved down and up.
    {"参数减小", blue},
    {"参数增大", orange},
};

// The colours of quantities outside the table; red and green are kept for
// the reduction and the capacity.
const QColor palette[] = {blue,
                          orange,
                          purple,
                          brown,
                          QColor(227, 119, 194),
                          QColor(127, 127, 127),
                          QColor(188, 189, 34),
                          QColor(23, 190, 207)};

// A name is the quantity of the table it begins with, followed by nothing, a
// blank or a bracket ("拟合直线（R² = 0.998，n = 5）", "设计保证率 90%",
// "工业污染源（估算）").
const Named *named(const QString &name)
{
    for (const Named &n : table) {
        const QString q = QString::fromUtf8(n.quantity);
        if (name == q)
            return &n;
        if (name.startsWith(q)) {
            const QChar next = name.at(q.size());
            if (next == ' ' || next == QChar(0xFF08) || next == '(')
                return &n;
        }
    }
    return nullptr;
}

std::size_t paletteIndex(const QString &name)
{
    // FNV-1a over the UTF-16 text: the same for a name in every run.
    std::uint32_t h = 2166136261u;
    for (const QChar c : name) {
        h ^= c.unicode();
        h *= 16777619u;
    }
    return h % std::size(palette);
}

} // namespace

QColor quantityColour(const QString &quantity)
{
    if (const Named *n = named(quantity))
        return n->colour;
    return palette[paletteIndex(quantity)];
}

std::vector<QColor> quantityColours(const QStringList &quantities)
{
    std::vector<QColor> colours;
    std::vector<bool> taken(std::size(palette), false);
    for (const QString &q : quantities) {
        if (const Named *n = named(q)) {
            colours.push_back(n->colour);
            continue;
        }
        std::size_t i = paletteIndex(q);
        for (std::size_t tries = 0; taken[i] && tries < std::size(palette); ++tries)
            i = (i + 1) % std::size(palette);
        taken[i] = true;
        colours.push_back(palette[i]);
    }
    return colours;
}

QCategoryAxis *scaleAxis(const Scale &scale, Qt::Orientation orientation)
{
    auto *axis = new QCategoryAxis;
    axis->setRange(scale.low, scale.high);
    const std::vector<double> ticks = scale.ticks();
    // Each label stands on its tick rather than between two; the first
    // category ends where it begins, at the first tick.
    axis->setStartValue(ticks.empty() ? scale.low : ticks.front());
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    QStringList labels;
    for (double t : ticks) {
        QString text = QString::fromStdString(tickText(t, scale.step));
        if (scale.cutHigh && t == ticks.back())
            text.prepend(QStringLiteral("≥ "));
        else if (scale.cutLow && t == ticks.front())
            text.prepend(QStringLiteral("≤ "));
        labels << text;
    }
    if (orientation == Qt::Vertical) {
        const QFontMetricsF metrics(axis->labelsFont());
        const double least = metrics.horizontalAdvance(QStringLiteral("...")) + 1;
        double widest = 0;
        for (const QString &l : labels)
            widest = std::max(widest, metrics.horizontalAdvance(l));
        QString padding;
        while (widest + metrics.horizontalAdvance(padding) < least)
            padding += QChar(0x00A0);
        for (QString &l : labels)
            l.prepend(padding);
    }
    for (qsizetype i = 0; i < labels.size(); ++i)
        axis->append(labels[i], ticks[std::size_t(i)]);
    return axis;
}

QStringList titleLines(const QString &title, const QFont &font, double length)
{
    const QFontMetricsF metrics(font);
    if (!(length > 0) || metrics.horizontalAdvance(title) <= length)
        return {title};
    QStringList lines;
    QString rest = title;
    while (!rest.isEmpty() && metrics.horizontalAdvance(rest) > length) {
        // The longest head that fits, at least one character.
        qsizetype fit = 1;
        while (fit < rest.size() && metrics.horizontalAdvance(rest.left(fit + 1)) <= length)
            ++fit;
        // A break before an opening bracket or after a comma, a colon or a
        // blank, where there is one in the last two thirds of that head.
        qsizetype at = fit;
        for (qsizetype i = fit; i > fit / 3; --i) {
            const QChar before = rest.at(i - 1), next = i < rest.size() ? rest.at(i) : QChar();
            if (next == '(' || next == QChar(0xFF08) || before == ' ' || before == QChar(0xFF0C) || before == ',' ||
                before == QChar(0xFF1A) || before == QChar(0x3001)) {
                at = i;
                break;
            }
        }
        lines << rest.left(at).trimmed();
        rest = rest.mid(at).trimmed();
    }
    if (!rest.isEmpty())
        lines << rest;
    return lines;
}

void setAxisTitle(QAbstractAxis *axis, const QString &title)
{
    axis->setProperty("fullTitle", title);
    axis->setTitleText(title.toHtmlEscaped());
}

void fitAxisTitles(QChart *chart)
{
    const QRectF area = chart->plotArea();
    for (QAbstractAxis *axis : chart->axes()) {
        const QVariant full = axis->property("fullTitle");
        if (!full.isValid())
            continue;
        const double length = (axis->orientation() == Qt::Vertical ? area.height() : area.width()) - 8;
        QStringList lines = titleLines(full.toString(), axis->titleFont(), length);
        for (QString &line : lines)
            line = line.toHtmlEscaped();
        const QString html = lines.join(QStringLiteral("<br>"));
        if (axis->titleText() != html)
            axis->setTitleText(html);
    }
}

void applyLook(QChart *chart)
{
    // A line's marker is a short line in its pen (dashed for a dashed line),
    // a dot's a dot; bars keep their filled squares.
    for (QLegendMarker *marker : chart->legend()->markers())
        if (marker->type() == QLegendMarker::LegendMarkerTypeXY)
            marker->setShape(QLegend::MarkerShapeFromSeries);
    if (!chart->property("titlesFitted").toBool()) {
        chart->setProperty("titlesFitted", true);
        QObject::connect(chart, &QChart::plotAreaChanged, chart, [chart] { fitAxisTitles(chart); });
    }
}

} // namespace plots
