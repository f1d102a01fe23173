#pragma once
// A run of the analysis engine on a worker thread, so that the window stays
// responsive: it reports progress and can be cancelled; a cancelled run's
// results are never shown.

#include <QObject>
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
    ~BackgroundRun() override;

    void start(Job job);
    void cancel();
    bool running() const { return m_thread != nullptr; }

signals:
    void progressed(qulonglong done);
    // The job ended, run to its end or cancelled.
    void finished(bool cancelled);

private:
    QThread *m_thread = nullptr;
    std::atomic<bool> m_cancel{false};
};

} // namespace analysis
