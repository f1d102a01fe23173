#pragma once
// 水质标准限值: the limits of GB 3838-2002 table 1 picked by water body, item
// and class, and written into the target concentration of the calculator
// window it belongs to (the field its current view declares as its target).
// Modeless, one per calculator window, opened from its Edit menu.

#include <QWidget>

#include <array>
#include <optional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace ui {
class CalculatorWindow;
}

namespace documents {

class standardform : public QWidget {
    Q_OBJECT

public:
    explicit standardform(ui::CalculatorWindow *window);

    // Follows the view the calculator window shows now: where 填入 writes,
    // or why it cannot.
    void refresh();

    QRadioButton *Option1, *Option2; // river, lake or reservoir
    QListWidget *listItems;
    std::array<QRadioButton *, 5> OptionClass; // classes I to V: OptionClass1 … OptionClass5
    QLineEdit *Text1;                          // the limit with its sense and unit
    QLabel *labelTarget;                       // the field 填入 writes into, or why it cannot
    QPushButton *Command1, *Command2;          // 填入, 关闭

    // The limit chosen, when the water body has one.
    std::optional<double> limit() const;

private:
    void fill();

    ui::CalculatorWindow *m_window;
};

// Shows the window's picker, made on first use.
standardform *showStandardLimit(ui::CalculatorWindow *window);

} // namespace documents
