#pragma once
// A run of the analysis engine on a worker thread, so that the window stays
// responsive: it reports progress and can be cancelled; a cancelled run's
// results are never shown. Whatever the job throws stays on its thread: the
// run ends as failed, with the message kept for the window's status line.

#include <QObject>
#include <QString>
#include <atomic>
#include <cstddef>
#include <functional>

class QThread;

namespace analysis {

class BackgroundRun : public QObject {
    Q_OBJECT

public:
    // The job runs on the worker thread: it watches cancel and tells progress
    // the cases done so far.
    using Job = std::function<void(const std::atomic<bool> &cancel, const std::function<void(std::size_t)> &progress)>;

    explicit BackgroundRun(QObject *parent = nullptr);
    // Cancels a run and waits for its thread.
    ~BackgroundRun() override;

    void start(Job job);
    void cancel();
    // Cancels a run and waits until its job has returned, without telling
    // finished: an owner being destroyed calls it before anything the job
    // writes into goes.
    void stop();
    bool running() const { return m_thread != nullptr; }
    // Why the last run failed (the message of what its job threw), or empty.
    const QString &failure() const { return m_failure; }

    // For tests: called on the worker thread each time a job tells its
    // progress, before the window hears of it. A pause there keeps a run going
    // while a test closes or deletes its window.
    static void setProgressHook(std::function<void()> hook);

signals:
    void progressed(qulonglong done);
    // The job ended: run to its end, cancelled, or failed (failure() says why).
    void finished(bool cancelled);

private:
    QThread *m_thread = nullptr;
    std::atomic<bool> m_cancel{false};
    QString m_failure;  // written by the worker before its thread ends
    quint64 m_runs = 0; // runs started, so that a stopped run's end is not taken for a later one's
};

} // namespace analysis
