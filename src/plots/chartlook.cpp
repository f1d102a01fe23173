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
    // The zone table's capacity of each zone against its current load.
    {"纳污能力W", green},
    {"现状入河量", blue},
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

namespace {

// What an axis made by scaleAxis is laid over, kept with it for relabelling.
struct Laid {
    Span span;
    ScaleRules rules;
    Qt::Orientation orientation = Qt::Horizontal;
};

} // namespace
} // namespace plots

Q_DECLARE_METATYPE(plots::Laid)

namespace plots {
namespace {

QStringList labelsOf(const Scale &scale, const std::vector<double> &ticks, Qt::Orientation orientation,
                     const QFont &font)
{
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
        const QFontMetricsF metrics(font);
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
    return labels;
}

void lay(QCategoryAxis *axis, const Scale &scale, Qt::Orientation orientation)
{
    for (const QString &label : axis->categoriesLabels())
        axis->remove(label);
    axis->setRange(scale.low, scale.high);
    const std::vector<double> ticks = scale.ticks();
    // Each label stands on its tick rather than between two; the first
    // category ends where it begins, at the first tick.
    axis->setStartValue(ticks.empty() ? scale.low : ticks.front());
    const QStringList labels = labelsOf(scale, ticks, orientation, axis->labelsFont());
    for (qsizetype i = 0; i < labels.size(); ++i)
        axis->append(labels[i], ticks[std::size_t(i)]);
    axis->setProperty("tickStep", scale.step);
}

// Whether the labels of a scale fit between its ticks over a length.
bool labelsFit(const Scale &scale, Qt::Orientation orientation, const QFont &font, double length)
{
    const double gap = length * scale.step / (scale.high - scale.low);
    const QFontMetricsF metrics(font);
    if (orientation == Qt::Vertical)
        return metrics.height() + 2 <= gap;
    double widest = 0;
    for (const QString &l : labelsOf(scale, scale.ticks(), orientation, font))
        widest = std::max(widest, metrics.horizontalAdvance(l));
    return widest + 12 <= gap;
}

} // namespace

QCategoryAxis *scaleAxis(const Span &span, const ScaleRules &rules, Qt::Orientation orientation)
{
    auto *axis = new QCategoryAxis;
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setProperty("laid", QVariant::fromValue(Laid{span, rules, orientation}));
    lay(axis, scaleOf(span, rules), orientation);
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

void fitAxes(QChart *chart)
{
    const QRectF area = chart->plotArea();
    for (QAbstractAxis *axis : chart->axes()) {
        const double length = axis->orientation() == Qt::Vertical ? area.height() : area.width();
        if (!(length > 0))
            continue;
        // Ticks no closer than their labels allow.
        if (auto *category = qobject_cast<QCategoryAxis *>(axis); category && category->property("laid").isValid()) {
            const Laid laid = category->property("laid").value<Laid>();
            ScaleRules rules = laid.rules;
            Scale scale = scaleOf(laid.span, rules);
            while (rules.maxIntervals > 1 && !labelsFit(scale, laid.orientation, category->labelsFont(), length)) {
                --rules.maxIntervals;
                scale = scaleOf(laid.span, rules);
            }
            if (scale.step != category->property("tickStep").toDouble() || scale.low != category->min() ||
                scale.high != category->max())
                lay(category, scale, laid.orientation);
        }
        const QVariant full = axis->property("fullTitle");
        if (!full.isValid())
            continue;
        QStringList lines = titleLines(full.toString(), axis->titleFont(), length - 8);
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
    chart->legend()->setShowToolTips(true);
    if (!chart->property("axesFitted").toBool()) {
        chart->setProperty("axesFitted", true);
        QObject::connect(chart, &QChart::plotAreaChanged, chart, [chart] { fitAxes(chart); });
    }
}

} // namespace plots
