#include "backgroundrun.h"

#include <QThread>

namespace analysis {

BackgroundRun::BackgroundRun(QObject *parent) : QObject(parent) {}

BackgroundRun::~BackgroundRun()
{
    if (m_thread) {
        m_cancel = true;
        m_thread->wait();
        delete m_thread;
    }
}

void BackgroundRun::start(Job job)
{
    if (m_thread)
        return;
    m_cancel = false;
    m_thread = QThread::create([this, job = std::move(job)] {
        job(m_cancel, [this](std::size_t done) { emit progressed(qulonglong(done)); });
    });
    connect(m_thread, &QThread::finished, this, [this] {
        m_thread->deleteLater();
        m_thread = nullptr;
        emit finished(m_cancel.load());
    });
    m_thread->start();
}

void BackgroundRun::cancel() { m_cancel = true; }

} // namespace analysis
