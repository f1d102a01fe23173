#include "mapitem.h"

#include "scales.h"

#include <QChart>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace plots {

QColor scaleColour(double t)
{
    // Clear water in deep blue to the most loaded in red, through green and yellow.
    static const QColor stops[] = {QColor(48, 18, 130),  QColor(40, 110, 220), QColor(30, 190, 170),
                                   QColor(140, 215, 60), QColor(250, 200, 40), QColor(215, 40, 30)};
    constexpr int last = int(std::size(stops)) - 1;
    t = std::clamp(t, 0.0, 1.0) * last;
    const int i = std::min(int(t), last - 1);
    const double f = t - i;
    const QColor &a = stops[i], &b = stops[i + 1];
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * f),
                            float(a.greenF() + (b.greenF() - a.greenF()) * f),
                            float(a.blueF() + (b.blueF() - a.blueF()) * f));
}

std::vector<Contour> contours(const Grid &grid, const std::vector<double> &levels)
{
    std::vector<Contour> result;
    const std::size_t nx = grid.xs.size(), ny = grid.ys.size();
    if (nx < 2 || ny < 2)
        return result;
    for (double level : levels) {
        Contour contour{level, {}};
        for (std::size_t j = 0; j + 1 < ny; ++j) {
            for (std::size_t i = 0; i + 1 < nx; ++i) {
                // The cell's corners counter-clockwise from the lower left.
                const double v[4] = {grid.at(i, j), grid.at(i + 1, j), grid.at(i + 1, j + 1), grid.at(i, j + 1)};
                const QPointF p[4] = {{grid.xs[i], grid.ys[j]},
                                      {grid.xs[i + 1], grid.ys[j]},
                                      {grid.xs[i + 1], grid.ys[j + 1]},
                                      {grid.xs[i], grid.ys[j + 1]}};
                if (!(std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]) && std::isfinite(v[3])))
                    continue;
                QPointF crossings[4];
                int n = 0;
                for (int e = 0; e < 4; ++e) {
                    const double a = v[e], b = v[(e + 1) % 4];
                    if ((a < level) != (b < level)) {
                        const double t = (level - a) / (b - a);
                        crossings[n++] = p[e] + (p[(e + 1) % 4] - p[e]) * t;
                    }
                }
                if (n >= 2)
                    contour.segments.emplace_back(crossings[0], crossings[1]);
                if (n == 4)
                    contour.segments.emplace_back(crossings[2], crossings[3]);
            }
        }
        result.push_back(std::move(contour));
    }
    return result;
}

MapItem::MapItem(QChart *chart, const Grid &grid, double low, double high, std::vector<double> levels)
    : QGraphicsItem(chart), m_chart(chart)
{
    const int nx = int(grid.xs.size()), ny = int(grid.ys.size());
    m_image = QImage(nx, ny, QImage::Format_ARGB32);
    m_image.fill(Qt::transparent);
    const double range = high > low ? high - low : 1;
    for (int j = 0; j < ny; ++j) {
        auto *line = reinterpret_cast<QRgb *>(m_image.scanLine(ny - 1 - j)); // y grows upwards
        for (int i = 0; i < nx; ++i) {
            const double v = grid.at(std::size_t(i), std::size_t(j));
            if (std::isfinite(v))
                line[i] = scaleColour((v - low) / range).rgb();
        }
    }
    if (nx > 0 && ny > 0)
        m_data = QRectF(QPointF(grid.xs.front(), grid.ys.front()), QPointF(grid.xs.back(), grid.ys.back()));
    m_contours = contours(grid, levels);
    // Above the grid lines of the plot area, below the axes and the series.
    setZValue(2.5);
    QObject::connect(chart, &QChart::plotAreaChanged, chart, [this] { prepareGeometryChange(); });
}

QRectF MapItem::boundingRect() const
{
    return m_chart->plotArea();
}

void MapItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    if (m_image.isNull() || m_chart->series().isEmpty())
        return;
    QAbstractSeries *series = m_chart->series().front();
    const QPointF topLeft = m_chart->mapToPosition({m_data.left(), m_data.bottom()}, series);
    const QPointF bottomRight = m_chart->mapToPosition({m_data.right(), m_data.top()}, series);
    painter->save();
    painter->setClipRect(m_chart->plotArea());
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    painter->drawImage(QRectF(topLeft, bottomRight).normalized(), m_image);
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(QColor(255, 255, 255, 200), 1.0));
    for (const Contour &c : m_contours) {
        QPainterPath path;
        for (const QLineF &s : c.segments) {
            path.moveTo(m_chart->mapToPosition(s.p1(), series));
            path.lineTo(m_chart->mapToPosition(s.p2(), series));
        }
        painter->drawPath(path);
    }
    painter->restore();
}

ColourScale::ColourScale(double low, double high, bool clipped, QString title, QWidget *parent)
    : QWidget(parent), m_low(low), m_high(high), m_clipped(clipped), m_title(std::move(title))
{
    setObjectName("colourScale");
    setMinimumWidth(110);
}

void ColourScale::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics fm(font());
    const int top = fm.height() * 2 + 8, bottom = height() - fm.height() - 8, barLeft = 10, barWidth = 18;
    p.drawText(QRect(0, 0, width(), top - 6), Qt::AlignCenter | Qt::TextWordWrap, m_title);
    QLinearGradient g(0, bottom, 0, top);
    for (int k = 0; k <= 10; ++k)
        g.setColorAt(k / 10.0, scaleColour(k / 10.0));
    p.fillRect(QRect(barLeft, top, barWidth, bottom - top), g);
    p.setPen(Qt::black);
    p.drawRect(QRect(barLeft, top, barWidth, bottom - top));
    // Ticks at round numbers; a clipped top says "≥" at the very top.
    const auto yOf = [&](double v) {
        return bottom - int(std::lround((bottom - top) * (m_high > m_low ? (v - m_low) / (m_high - m_low) : 0.0)));
    };
    const auto label = [&](int y, const QString &text) {
        p.drawLine(barLeft + barWidth, y, barLeft + barWidth + 4, y);
        p.drawText(QRect(barLeft + barWidth + 7, y - fm.height(), width(), 2 * fm.height()), Qt::AlignVCenter, text);
    };
    Scale scale;
    scale.low = m_low;
    scale.high = m_high;
    scale.step = niceStep(m_high - m_low, 5);
    for (double v : scale.ticks()) {
        const int y = yOf(v);
        if (m_clipped && y - top < fm.height()) // leaves room for the top's label
            continue;
        label(y, QString::fromStdString(tickText(v, scale.step)));
    }
    if (m_clipped)
        label(top, QStringLiteral("≥ ") + QString::number(m_high, 'g', 4));
}

} // namespace plots
