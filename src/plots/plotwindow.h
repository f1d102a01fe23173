#pragma once
// The plot window of a calculator window: one modeless top-level window
// (`plotwindow`) that draws the plot of the view last calculated with Qt
// Charts, and exports it as PNG, SVG or the plotted data as CSV.

#include "plotdata.h"

#include <QWidget>

class QAction;
class QMenuBar;
class QVBoxLayout;

namespace plots {

// The chart of a plot, as the plot window draws it, for a window that shows
// one within its own (the totals of the zone table); a plot that cannot be
// drawn says why.
QWidget *chartWidget(const Plot &plot, QWidget *parent);

class PlotWindow : public QWidget {
    Q_OBJECT

public:
    // A window of its own that closes with its calculator window.
    explicit PlotWindow(QWidget *calculator);

    // Draws a plot, replacing what was drawn.
    void draw(Plot plot);
    const Plot &plot() const { return m_plot; }
    // The drawing without the menu bar: what the exports and the calculation
    // sheet take.
    QWidget *content() const { return m_content; }
    // Paints the drawing into a rectangle of a painter.
    void render(QPainter *painter, const QRectF &target);

    QAction *exportPng, *exportSvg, *exportData;

private:
    void exportImage(bool svg);
    void exportCsv();
    void saved(const QString &path);
    QString suggestedPath(const QString &suffix) const;

    QMenuBar *m_bar;
    QWidget *m_content = nullptr;
    QVBoxLayout *m_layout;
    Plot m_plot;
};

} // namespace plots
