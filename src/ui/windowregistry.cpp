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

void WindowRegistry::closeAll()
{
    for (const QPointer<QWidget> &window : std::as_const(m_windows))
        if (window)
            window->close();
    m_windows.clear();
}

} // namespace ui
