#include "tableopening.h"

#include "form1.h"

#include "catalogue/tablefile.h"
#include "ui/extensions.h"
#include "ui/windowregistry.h"

#include <QPushButton>
#include <QStringList>
#include <QTimer>

namespace {

QWidget *shown(ui::WindowRegistry &windows, QWidget *window)
{
    if (!window)
        return nullptr;
    windows.keep(window);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

} // namespace

QWidget *openNewTable(ui::WindowRegistry &windows)
{
    ui::Extensions *extensions = ui::extensions();
    return extensions ? shown(windows, extensions->newZoneTable()) : nullptr;
}

QWidget *openTableFile(ui::WindowRegistry &windows, QWidget *parent, const QString &path)
{
    ui::Extensions *extensions = ui::extensions();
    return extensions ? shown(windows, extensions->openZoneTable(path, parent)) : nullptr;
}

void openTableAtStart(Form1 &welcome, const QString &path)
{
    welcome.myenter->click();
    // Once the menu stands on the screen, the table opens beside it.
    QTimer::singleShot(0, &welcome, [&welcome, path] { openTableFile(welcome.calculators(), welcome.menu(), path); });
}

QString tableArgument(const QStringList &arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i)
        if (arguments[i].endsWith(QString::fromUtf8(catalogue::tableExtension), Qt::CaseInsensitive))
            return arguments[i];
    return QString();
}
