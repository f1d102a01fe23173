#pragma once
// Plots of a calculator window: the menu 图形 (`menuPlot`) with 显示图形
// (`actionPlot`, Ctrl+G), enabled once a calculation of the view shown has run
// to its end; it opens the window's one plot window. OK redraws an open plot,
// Cancel or another view closes it.

#include <QImage>

class QPainter;
class QRectF;

namespace ui {
class CalculatorWindow;
}

namespace plots {

class PlotWindow;

// Gives a calculator window its plot menu.
void attach(ui::CalculatorWindow *window);

// The plot window open for a calculator window, or nullptr.
PlotWindow *openPlot(const ui::CalculatorWindow *window);
// The drawing of the open plot window as an image; a null image when no plot
// is open.
QImage plotImage(const ui::CalculatorWindow *window);
// Paints the open plot into a rectangle of a painter (a page of the
// calculation sheet); false when no plot is open.
bool renderPlot(const ui::CalculatorWindow *window, QPainter *painter, const QRectF &target);

} // namespace plots
