#include "runbar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace analysis {

RunBar::RunBar(const QString &runName, QWidget *parent)
    : QWidget(parent), m_run(new QPushButton(QStringLiteral("计算"))), m_cancel(new QPushButton(QStringLiteral("取消"))),
      m_progress(new QProgressBar), m_status(new QLabel), m_worker(new BackgroundRun(this))
{
    m_run->setObjectName(runName);
    m_cancel->setObjectName(QStringLiteral("buttonCancel"));
    m_cancel->setEnabled(false);
    m_progress->setObjectName(QStringLiteral("progressBar"));
    m_status->setObjectName(QStringLiteral("labelStatus"));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_run);
    row->addWidget(m_cancel);
    row->addWidget(m_progress, 1);
    row->addWidget(m_status);

    connect(m_run, &QPushButton::clicked, this, &RunBar::runRequested);
    connect(m_cancel, &QPushButton::clicked, m_worker, &BackgroundRun::cancel);
    connect(m_worker, &BackgroundRun::progressed, this, [this](qulonglong done) { m_progress->setValue(int(done)); });
    connect(m_worker, &BackgroundRun::finished, this, [this](bool cancelled) {
        m_run->setEnabled(true);
        m_cancel->setEnabled(false);
        if (!m_worker->failure().isEmpty())
            m_status->setText(QStringLiteral("计算失败：%1").arg(m_worker->failure()));
        emit finished(cancelled);
    });
}

void RunBar::start(int total, BackgroundRun::Job job)
{
    m_progress->setRange(0, total);
    m_progress->setValue(0);
    m_status->setText(QStringLiteral("计算中…"));
    m_run->setEnabled(false);
    m_cancel->setEnabled(true);
    m_worker->start(std::move(job));
}

void RunBar::setStatus(const QString &text) { m_status->setText(text); }

} // namespace analysis
