#include "windowregistry.h"

namespace ui {

QWidget *WindowRegistry::showOrRaise(const QString &key, const Factory &factory)
{
    QWidget *window = find(key);
    if (!window) {
        window = factory();
        m_windows.insert(key, window);
        window->show();
    } else {
        window->showNormal();
    }
    window->raise();
    window->activateWindow();
    return window;
}

QWidget *WindowRegistry::find(const QString &key) const
{
    const auto it = m_windows.constFind(key);
    return it == m_windows.constEnd() ? nullptr : it->data();
}

void WindowRegistry::keep(QWidget *window)
{
    for (const QPointer<QWidget> &kept : std::as_const(m_windows))
        if (kept == window)
            return;
    m_windows.insert(QStringLiteral("#%1").arg(quintptr(window)), window);
}

bool WindowRegistry::closeAll()
{
    bool all = true;
    for (auto it = m_windows.begin(); it != m_windows.end();) {
        const QPointer<QWidget> window = it.value();
        if (window && !window->close()) {
            all = false;
            ++it;
        } else {
            it = m_windows.erase(it);
        }
    }
    return all;
}

} // namespace ui
