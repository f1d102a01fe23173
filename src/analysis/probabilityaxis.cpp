#include "probabilityaxis.h"

#include "core/frequency.h"
#include "core/numbers.h"

#include <QAbstractSeries>
#include <QCategoryAxis>
#include <QChart>

namespace analysis {

QCategoryAxis *addProbabilityAxis(QChart *chart, const QList<QAbstractSeries *> &series, double fromPercent,
                                  double toPercent)
{
    using varnolek::hydrology::probabilityPaperX;
    auto *axis = new QCategoryAxis;
    axis->setObjectName(QStringLiteral("probabilityAxis"));
    axis->setTitleText(QStringLiteral("频率 P(%)"));
    axis->setRange(probabilityPaperX(fromPercent), probabilityPaperX(toPercent));
    axis->setStartValue(probabilityPaperX(fromPercent));
    // Each category ends at a tick, and its label stands on that end.
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    for (double tick : probabilityTicks)
        if (tick > fromPercent && tick < toPercent)
            axis->append(QString::fromStdString(varnolek::generalText(tick)), probabilityPaperX(tick));
    chart->addAxis(axis, Qt::AlignBottom);
    for (QAbstractSeries *s : series)
        s->attachAxis(axis);
    return axis;
}

} // namespace analysis
