#include "backgroundrun.h"

#include <QThread>
#include <exception>
#include <new>
#include <utility>

namespace analysis {

namespace {

std::function<void()> &progressHook()
{
    static std::function<void()> hook;
    return hook;
}

} // namespace

BackgroundRun::BackgroundRun(QObject *parent) : QObject(parent) {}

BackgroundRun::~BackgroundRun()
{
    stop();
}

void BackgroundRun::setProgressHook(std::function<void()> hook)
{
    progressHook() = std::move(hook);
}

void BackgroundRun::start(Job job)
{
    if (m_thread)
        return;
    m_cancel = false;
    m_failure.clear();
    const quint64 run = ++m_runs;
    QThread *thread = QThread::create([this, job = std::move(job)] {
        const std::function<void(std::size_t)> progress = [this](std::size_t done) {
            if (const std::function<void()> &hook = progressHook())
                hook();
            emit progressed(qulonglong(done));
        };
        // An exception must not leave the thread: it would end the program.
        try {
            job(m_cancel, progress);
        } catch (const std::bad_alloc &) {
            m_failure = QStringLiteral("内存不足");
        } catch (const std::exception &e) {
            m_failure = QString::fromUtf8(e.what());
        } catch (...) {
            m_failure = QStringLiteral("意外错误");
        }
    });
    m_thread = thread;
    connect(thread, &QThread::finished, this, [this, run] {
        if (run != m_runs || !m_thread)
            return; // a run stopped and deleted already
        m_thread->deleteLater();
        m_thread = nullptr;
        emit finished(m_cancel.load());
    });
    thread->start();
}

void BackgroundRun::cancel() { m_cancel = true; }

void BackgroundRun::stop()
{
    if (!m_thread)
        return;
    m_cancel = true;
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
}

} // namespace analysis
