#pragma once
// Zone tables opened by the shell: from the main menu's 计算表 menu, and
// `varnolek FILE.vtable` (a double-click on the file), which opens the main
// menu with the table beside it. The windows come from the program's module;
// the registry keeps them, so that Exit asks to save each changed table.

#include <QString>

class Form1;
class QWidget;
namespace ui {
class WindowRegistry;
}

// A new zone table, shown; nullptr when the module cannot be loaded.
QWidget *openNewTable(ui::WindowRegistry &windows);
// The zone table of a file (an empty path asks for one), shown; nullptr when
// nothing was opened.
QWidget *openTableFile(ui::WindowRegistry &windows, QWidget *parent, const QString &path);

// The main menu shown as after Enter, then the table opened beside it; a file
// that cannot be read gets its message over the menu.
void openTableAtStart(Form1 &welcome, const QString &path);

// The table file among the program's arguments, or the empty text.
QString tableArgument(const QStringList &arguments);
