#pragma once
// Saved cases, calculation sheets, copying the results as a table and the
// formula window, in the menus of every calculator window.

#include <QString>
#include <functional>

class QWidget;

namespace ui {
class CalculatorWindow;
}

namespace documents {

// Gives a calculator window the items of its File, Edit and Help menus.
void attach(ui::CalculatorWindow *window);

// Opens (or raises) the calculator window of this name; the shell gives it,
// so that a case of another window opens that window through the registry.
using WindowOpener = std::function<ui::CalculatorWindow *(const QString &window)>;
void setWindowOpener(WindowOpener opener);

// Reads a case file and loads it into its window: `current` when it is that
// window, else the one the opener gives. A file that cannot be read changes
// nothing and gets its message over parent. Returns the window loaded.
ui::CalculatorWindow *openCase(const QString &path, QWidget *parent, ui::CalculatorWindow *current = nullptr);

// The project name the sheets carry (kept in the settings).
QString projectName();
void setProjectName(const QString &name);

} // namespace documents
