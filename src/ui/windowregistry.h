#pragma once
// Keeps each calculator window at most once: a window that is open is only
// raised; one closed by its Return (and so deleted) is built afresh. Keeps
// the other windows opened from the menu as well, to close them all at Exit.

#include <QHash>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

namespace ui {

class WindowRegistry {
public:
    using Factory = std::function<QWidget *()>;

    // Shows the window registered under key, building it with factory when it
    // is not open, else bringing it to the front as the user left it.
    QWidget *showOrRaise(const QString &key, const Factory &factory);
    // The open window under key, or nullptr.
    QWidget *find(const QString &key) const;
    // Keeps a window the registry did not build (a zone table, of which
    // there may be several), so that closeAll closes it too.
    void keep(QWidget *window);
    // Closes every open window it keeps. False when a window stayed open (a
    // table whose changes the user chose not to let go): it stays kept.
    bool closeAll();

private:
    QHash<QString, QPointer<QWidget>> m_windows;
};

} // namespace ui
