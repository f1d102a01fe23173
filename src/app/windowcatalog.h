#pragma once
// The one table of the calculator windows: each window, how it is built, and
// where the main menu opens it from: a button of its form (the twelve windows
// of the menu's grid) or an action of a menu of its menu bar. The main menu
// and the window registry are both built from it.

#include <QKeySequence>
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

namespace ui {
class WindowRegistry;
}

// A menu of the main menu's bar.
struct MainMenu {
    const char *name;  // objectName
    const char *title; // with its mnemonic
};

struct CalculatorEntry {
    QString button;                  // the main-menu button's or action's name
    QString window;                  // the window's own name
    std::function<QWidget *()> make; // builds the window with its default texts
    QString caption;                 // the button's caption, or the action's text
    // A button: its column and row in the menu's grid (from 1) and its place
    // in the keyboard order (from 1). An action: row 0, and the menu it stands in.
    int column = 0, row = 0, tabOrder = 0;
    const char *menu = nullptr;

    bool isButton() const { return row > 0; }
};

// An action of a menu of the main menu's bar that opens a window of another
// kind than a calculator's (a zone table): one the user may have several of,
// each kept by the registry so that Exit closes it with the rest.
struct MenuAction {
    const char *name; // objectName
    const char *text; // the action's text
    QKeySequence shortcut;
    const char *menu;      // the menu it stands in
    const char *statusTip; // what it does, for the status bar and tooltip
    // Opens its window over the menu and hands it to the registry; nullptr
    // when nothing was opened (a cancelled dialog, a file that cannot be read).
    std::function<QWidget *(ui::WindowRegistry &windows, QWidget *menuWindow)> open;
};

// The calculator windows that exist, in the order of the menu.
const std::vector<CalculatorEntry> &calculatorCatalog();

// The menus of the main menu's bar, in order.
const std::vector<MainMenu> &mainMenus();

// The actions of the bar's menus that open other windows, in order; they
// follow the calculators' actions of the same menu.
const std::vector<MenuAction> &menuActions();

// The entry whose button, action or window carries this name, or nullptr.
const CalculatorEntry *findCalculator(const QString &name);
