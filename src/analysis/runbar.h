#pragma once
// The row under an analysis window's inputs: 计算, 取消, a progress bar and a
// status text, with the run behind them on a worker thread. While a run goes
// on, 计算 waits and 取消 stops it; a cancelled run shows nothing partial.

#include "backgroundrun.h"

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace analysis {

class RunBar : public QWidget {
    Q_OBJECT

public:
    // runName: the objectName of the 计算 button.
    explicit RunBar(const QString &runName, QWidget *parent = nullptr);

    bool running() const { return m_worker->running(); }
    // Starts a job of total steps; the job reports the steps done.
    void start(int total, BackgroundRun::Job job);
    void cancel() { m_worker->cancel(); }
    // Cancels a run and waits for its job to return: a window calls it as it
    // is destroyed, before the members the job writes into go.
    void stop() { m_worker->stop(); }
    // Why the last run failed, or empty; the status line shows it.
    const QString &failure() const { return m_worker->failure(); }
    void setStatus(const QString &text);

signals:
    void runRequested();
    // The job ended, run to its end, cancelled, or failed (failure() is not
    // empty, and the status line says why); 计算 is enabled again.
    void finished(bool cancelled);

private:
    QPushButton *m_run, *m_cancel;
    QProgressBar *m_progress;
    QLabel *m_status;
    BackgroundRun *m_worker;
};

} // namespace analysis
