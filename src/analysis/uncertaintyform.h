#pragma once
// 不确定性分析: the view a calculator window shows, run for N cases with some
// fields drawn from distributions (uniform, normal, triangular, lognormal) and
// the others fixed; the statistics of every output and a histogram of the main
// output (the signed balance of a load window, with the share of cases that
// need a reduction).

#include "catalogue/montecarlo.h"

#include <QWidget>
#include <optional>

class QChartView;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTableWidget;

namespace ui {
class CalculatorWindow;
}

namespace analysis {

class RunBar;

class uncertaintyform : public QWidget {
    Q_OBJECT

public:
    explicit uncertaintyform(ui::CalculatorWindow *window);
    // A run still going is cancelled and waited for before the result it
    // writes into goes.
    ~uncertaintyform() override;

    const catalogue::Entry &entry() const { return m_entry; }
    const catalogue::Case &base() const { return m_base; }
    // The run shown, or nothing before a run and after a cancelled one.
    const std::optional<catalogue::MonteCarloResult> &shown() const { return m_shown; }
    // The fields drawn and their distributions as the table reads now; the
    // message of a bad row in error.
    std::vector<catalogue::Varied> varied(QString &error) const;

    void run();
    void cancel();

signals:
    // A run ended: shown, or cancelled or failed with nothing shown.
    void finished(bool cancelled);

private:
    int choiceOf(int row) const;
    void fieldTicked(int row, bool ticked);
    void valueTyped(int row);
    void distributionChosen(int row);
    void showResult();
    // The status line's word on drawn values below 0 of quantities whose
    // labels print no range below 0, or empty.
    QString negativeNote() const;

    const catalogue::Entry &m_entry;
    catalogue::Case m_base;
    QTableWidget *m_fields;
    QSpinBox *m_cases;
    QLineEdit *m_seed;
    RunBar *m_runBar;
    QTableWidget *m_statistics;
    QChartView *m_histogram;
    QLabel *m_reduction;
    // Each field's value, that a switch of distribution makes the
    // distribution's parameters from: the window's, or the one typed into
    // the table for a fixed value.
    std::vector<double> m_values;
    std::vector<std::string> m_runFields; // the fields drawn in the run shown
    std::optional<catalogue::MonteCarloResult> m_running;
    std::optional<catalogue::MonteCarloResult> m_shown;
};

} // namespace analysis
