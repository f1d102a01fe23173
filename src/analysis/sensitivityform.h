#pragma once
// 敏感性分析: the view a calculator window shows, with one field swept over a
// range (a table and a line plot of every output), and the tornado of the
// view: every field moved down and up by a share of its value, one at a time,
// the change of the main output (the signed balance of a load window) as bars
// sorted by size.

#include "catalogue/grid.h"
#include "catalogue/statistics.h"

#include <QWidget>
#include <memory>
#include <vector>

class QCheckBox;
class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTabWidget;
class QTableWidget;

namespace ui {
class CalculatorWindow;
}

namespace analysis {

class RunBar;

class sensitivityform : public QWidget {
    Q_OBJECT

public:
    // The view and the texts of the window's fields are taken when it opens.
    explicit sensitivityform(ui::CalculatorWindow *window);
    // A sweep still running is cancelled and waited for before the rows it
    // writes into go.
    ~sensitivityform() override;

    const catalogue::Entry &entry() const { return m_entry; }
    const catalogue::Case &base() const { return m_base; }
    // The rows shown in the sweep table (empty before a run, or after a cancelled one).
    const std::vector<catalogue::GridRow> &sweepRows() const { return m_rows; }
    const catalogue::Tornado &tornadoShown() const { return m_tornado; }

    // Starts the sweep with the values in the sweep tab.
    void runSweep();
    void cancelSweep();
    void runTornado();

signals:
    // A sweep ended: shown, or cancelled or failed with nothing shown.
    void sweepFinished(bool cancelled);

private:
    QWidget *buildSweepTab();
    QWidget *buildTornadoTab();
    void fieldChosen();
    void showSweep();
    void showTornado();

    const catalogue::Entry &m_entry;
    catalogue::Case m_base;

    QTabWidget *m_tabs;
    QComboBox *m_field;
    QLineEdit *m_from, *m_to;
    QSpinBox *m_steps;
    QCheckBox *m_log;
    RunBar *m_runBar;
    QTableWidget *m_table;
    QChartView *m_chart;
    QLineEdit *m_share;
    QTableWidget *m_tornadoTable;
    QChartView *m_tornadoChart;

    catalogue::Axis m_axis;
    std::vector<catalogue::GridRow> m_running; // filled by the worker
    std::vector<catalogue::GridRow> m_rows;    // shown
    catalogue::Tornado m_tornado;
};

// The caption of a field or output of an entry, as its window labels it.
QString fieldCaption(const catalogue::Entry &entry, const std::string &name);
// The caption of the value plots and statistics take for an entry.
QString mainCaption(const catalogue::Entry &entry);
// Shows a new chart in a view and deletes the one it showed, which the view
// leaves to its owner.
void replaceChart(QChartView *view, QChart *chart);

} // namespace analysis
