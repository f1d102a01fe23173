#pragma once
// The totals of a zone table (the tab `tabTotals`): capacity, load limit,
// current load, reduction and remaining capacity summed by pollutant and by
// water body, and the bar chart of capacity against load by zone for one
// pollutant, drawn by the plot layer.

#include "catalogue/zonetable.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QTableWidget;
class QScrollArea;

namespace tables {

class TotalsView : public QWidget {
    Q_OBJECT

public:
    explicit TotalsView(QWidget *parent = nullptr);

    // Shows the totals of a table as it stands now.
    void showTotals(const catalogue::ZoneTable &table);

    QLabel *labelTotals;
    QTableWidget *tableByItem, *tableByWater;
    QComboBox *comboChartItem;

    // The most zones the chart draws: beyond, the first of them and a note.
    static constexpr int chartZones = 60;

private:
    void drawChart();

    QScrollArea *m_scroll;
    // The zones of each pollutant for the chart: label, capacity, load.
    struct Bar {
        std::string zone;
        double capacity, load;
    };
    std::vector<std::pair<std::string, std::vector<Bar>>> m_bars;
};

// The captions of the totals' number columns.
QStringList totalsCaptions();

} // namespace tables
