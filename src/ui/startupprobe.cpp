#include "startupprobe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace ui {

namespace {
class FirstPaint : public QObject {
public:
    FirstPaint(QObject *parent, long long launchNs) : QObject(parent), m_launchNs(launchNs) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_done) {
            m_done = true;
            const auto now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                 std::chrono::system_clock::now().time_since_epoch())
                                 .count();
            std::printf("first-window-ms %.1f\n", (now - m_launchNs) / 1e6);
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    long long m_launchNs;
    bool m_done = false;
};
} // namespace

void watchFirstPaint(QWidget *window)
{
    const char *launch = std::getenv("VARNOLEK_LAUNCH_NS");
    if (!launch || !*launch)
        return;
    window->installEventFilter(new FirstPaint(window, std::atoll(launch)));
}

} // namespace ui
