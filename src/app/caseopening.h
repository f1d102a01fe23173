#pragma once
// Saved cases opened by the shell: a case of another window opens that window
// through the registry, and `varnolek FILE.vcase` opens the main menu with the
// case's window beside it.

#include <QString>

class Form1;
namespace ui {
class WindowRegistry;
}

// Lets the calculator windows open one another's cases through the registry.
void installCaseOpener(ui::WindowRegistry &calculators);

// The main menu shown as after Enter, then the case loaded into its window; a
// file that cannot be read gets its message over the menu.
void openCaseAtStart(Form1 &welcome, const QString &path);

// The case file among the program's arguments, or the empty text.
QString caseArgument(const QStringList &arguments);
