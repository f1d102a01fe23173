#pragma once
// Saved cases, calculation sheets, copying the results as a table, the
// formula window and the picker of GB 3838-2002 limits, in the menus of every
// calculator window.

#include <QString>

class QWidget;

namespace ui {
class CalculatorWindow;
}

namespace documents {

// Gives a calculator window the items of its File, Edit and Help menus.
void attach(ui::CalculatorWindow *window);

// Reads a case file and loads it into its window: `current` when it is that
// window, else the one ui::openCalculator gives. A file that cannot be read changes
// nothing and gets its message over parent. Returns the window loaded.
ui::CalculatorWindow *openCase(const QString &path, QWidget *parent, ui::CalculatorWindow *current = nullptr);

// The folder the file dialogs start in: where a case, table or sheet went last.
QString lastFolder();
void rememberFolder(const QString &path);

// The project name the sheets carry (kept in the settings): the one typed
// last, which every window starts with.
QString projectName();
void setProjectName(const QString &name);
// The project name of a window's sheets and saved cases: the one of the case
// opened in it or typed in it, else projectName().
QString projectNameOf(const ui::CalculatorWindow &window);

} // namespace documents
