#pragma once
// The horizontal axis of normal probability paper (海森机率格纸): linear in the
// standard normal quantile of the exceedance probability P, labelled in percent
// at the usual ticks, so that a normal frequency curve is a straight line.

#include <QList>

class QAbstractSeries;
class QCategoryAxis;
class QChart;

namespace analysis {

// The ticks of the axis, exceedance probability in percent.
inline constexpr double probabilityTicks[] = {1, 5, 10, 20, 50, 80, 90, 95, 99};

// Adds the axis at the bottom of the chart, spanning fromPercent to toPercent,
// and attaches the series to it; their x values must be
// varnolek::hydrology::probabilityPaperX(P in %). The axis is a QCategoryAxis,
// a value axis whose labels and grid lines stand at the ticks.
QCategoryAxis *addProbabilityAxis(QChart *chart, const QList<QAbstractSeries *> &series, double fromPercent = 0.3,
                                  double toPercent = 99.7);

} // namespace analysis
