#pragma once
// The colour map of the two-dimensional river painted inside a chart's plot
// area, with its contour lines, and the colour scale beside the chart. Qt
// Charts has no colour map of its own; the axes, the marked point and the
// profile are Qt Charts.

#include "plotdata.h"

#include <QGraphicsItem>
#include <QImage>
#include <QWidget>

class QChart;

namespace plots {

// The colour of a value at t in [0, 1] of the scale.
QColor scaleColour(double t);

// Lines of equal concentration: for each level, the segments where it crosses
// the cells of the grid, in data coordinates (marching squares).
struct Contour {
    double level = 0;
    std::vector<QLineF> segments;
};
std::vector<Contour> contours(const Grid &grid, const std::vector<double> &levels);

class MapItem : public QGraphicsItem {
public:
    MapItem(QChart *chart, const Grid &grid, double low, double high, std::vector<double> levels);
    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    QChart *m_chart;
    QImage m_image;
    QRectF m_data; // the data rectangle the image covers
    std::vector<Contour> m_contours;
};

// The colour scale: a bar from low to high with its ticks and title.
class ColourScale : public QWidget {
public:
    // clipped: values above high are painted in its colour (the top tick says ≥).
    ColourScale(double low, double high, bool clipped, QString title, QWidget *parent = nullptr);
    QSize sizeHint() const override { return {110, 300}; }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    double m_low, m_high;
    bool m_clipped;
    QString m_title;
};

} // namespace plots
