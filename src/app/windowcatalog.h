#pragma once
// Which calculator window each main-menu button opens.

#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

struct CalculatorEntry {
    QString button;                  // the main-menu button's name
    QString window;                  // the window's own name
    std::function<QWidget *()> make; // builds the window with its default texts
};

// The calculator windows that exist; a menu button without an entry is disabled.
const std::vector<CalculatorEntry> &calculatorCatalog();

// The entry whose button or window carries this name, or nullptr.
const CalculatorEntry *findCalculator(const QString &name);
