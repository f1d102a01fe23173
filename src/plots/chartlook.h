#pragma once
// The common look of every chart of the program, the plot windows' and the
// analysis windows': one colour per quantity, value axes with ticks at round
// numbers (and "≥" where values are cut), axis titles that wrap rather than
// shrink to "…", and legend markers drawn like their series.

#include "scales.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <vector>

class QAbstractAxis;
class QCategoryAxis;
class QChart;

namespace plots {

// The colour a quantity takes in every chart, by the name the chart gives it
// (a bar set, a series): the loads, the capacity and its remaining part or
// the reduction, the monitoring points and the fitted line, the series on
// probability paper and its design rate. A quantity not named in the table
// takes a colour of the palette chosen by its name, so that it too has the
// same colour wherever it is drawn.
QColor quantityColour(const QString &quantity);
// The colours of the quantities of one chart: as quantityColour, except that
// two quantities outside the table never share a colour in one chart.
std::vector<QColor> quantityColours(const QStringList &quantities);

// A value axis over the scale of a span: the scale's range, its ticks
// labelled with tickText, the label of a cut end beginning with "≥" (or
// "≤"). Each time the plot area changes, the ticks are spaced wider where
// their labels would not fit between them (Qt Charts would cut them to
// "350..."). For a vertical axis, labels narrower than "..." are padded with
// no-break spaces: Qt Charts measures the room of the axis title by the
// widest label and cuts the title to "⋮" when every label is narrower.
QCategoryAxis *scaleAxis(const Span &span, const ScaleRules &rules, Qt::Orientation orientation);

// Sets an axis title to be kept whole: each time the plot area changes, the
// chart's titles are broken into lines as long as the plot area (before an
// opening bracket or after a comma where one is near) instead of being cut.
void setAxisTitle(QAbstractAxis *axis, const QString &title);
// Fits the titles and tick labels of a chart's axes to its plot area.
void fitAxes(QChart *chart);
// The lines a title is broken into for a length in pixels of a font's text.
QStringList titleLines(const QString &title, const QFont &font, double length);

// Gives a chart the look above once its series are in: legend markers shaped
// as their series (a line for a line, a dot for a dot; the tooltip of a
// legend label says what a narrow window cuts of it), and axes that fit.
void applyLook(QChart *chart);

} // namespace plots
