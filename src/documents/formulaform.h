#pragma once
// 计算公式: the formulas of a calculator window's current view and their
// symbols, the same text as the calculation sheet. Modeless; one per window.

#include <QWidget>

class QTextBrowser;

namespace ui {
class CalculatorWindow;
}

namespace documents {

class FormulaForm : public QWidget {
    Q_OBJECT

public:
    explicit FormulaForm(ui::CalculatorWindow *window);

    // Shows the formulas of the view the window shows now.
    void refresh();
    QTextBrowser *text() const { return m_text; }

private:
    ui::CalculatorWindow *m_window;
    QTextBrowser *m_text;
};

} // namespace documents
