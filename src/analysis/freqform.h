#pragma once
// 频率分析: the frequency analysis of the hydrological series of the design
// level year window. The statistics of the series, a Pearson type III curve
// fitted by moments and by curve fitting with a Cs/Cv ratio, the series with
// its empirical frequencies, the design values at the usual guarantee rates and
// at a typed one beside the empirical value the level-year window would pick,
// and the curves on normal probability paper.
//
// Editing the ratio or the rate recalculates 300 ms after the last keystroke on
// a worker thread; a text that is not a number leaves the last results and
// marks its field red.

#include "core/frequency.h"

#include <QString>
#include <QWidget>

class QChartView;
class QLabel;
class QLineEdit;
class QLineSeries;
class QScatterSeries;
class QTableWidget;
class QTimer;
class QValueAxis;
template <typename T> class QFutureWatcher;

namespace analysis {
struct Outcome;
}

class freqform : public QWidget {
    Q_OBJECT

public:
    // A window for a series already read and analysed (ratio 2, rate 90).
    freqform(QWidget *parent, const QString &dataFile, varnolek::hydrology::FrequencyAnalysis analysis);
    ~freqform() override;

    QString dataFile() const { return m_dataFile; }
    // Whether a recalculation is waiting for its delay or running.
    bool busy() const;

    // Results and inputs of the top of the window.
    QLineEdit *n, *mean, *cv, *cs, *fitcv, *fitcs, *ratio, *rate;
    QLabel *message; // a guard's message, or empty
    QTableWidget *seriesTable, *designTable;
    QChartView *plot;

signals:
    // New results are shown.
    void recalculated();

private:
    void scheduleRecalculation();
    void recalculate();
    void display(const analysis::Outcome &outcome);
    void buildPlot();

    QString m_dataFile;
    std::vector<varnolek::hydrology::Record> m_records;
    // The analysis shown; its fit is reused while the ratio stays the same.
    varnolek::hydrology::FrequencyAnalysis m_analysis;

    QTimer *m_delay;
    QFutureWatcher<analysis::Outcome> *m_watcher;
    // Each recalculation gets a number; a result that is not the latest is dropped.
    int m_requested = 0;
    int m_running = 0;

    QScatterSeries *m_points, *m_design;
    QLineSeries *m_momentCurve, *m_fitCurve;
    QValueAxis *m_valueAxis;
};

// Opens the frequency analysis of a data file as a window of its own, parented
// to the given window. With no file given it asks for one through the prompts'
// file dialog. A bad file or a guard of the analysis is told in a message box
// titled "提示" and no window opens. Returns the window, or nullptr.
freqform *openFrequencyAnalysis(QWidget *parent, const QString &dataFile);
