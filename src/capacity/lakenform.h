#pragma once
// 湖库营养盐计算（狄龙模型、沃伦威德尔模型）: the phosphorus (or nitrogen)
// budget of a lake or reservoir. Five views chosen by the option buttons: the
// mean concentration and the receiving capacity after Dillon, the capacity
// after Vollenweider, and the retention coefficient from a measured budget or
// from the settling velocity. A view shows only its own fields; a field that
// several views share (the yearly outflow Qa) keeps its text from view to view.

#include "ui/calculatorwindow.h"

#include <map>
#include <string>

class QGroupBox;

class lakenform : public ui::CalculatorWindow {
    Q_OBJECT

public:
    lakenform();

    QGroupBox *Frame1, *Frame2;
    QRadioButton *Option1, *Option2, *Option3, *Option4, *Option5;
    QLineEdit *myi, *myr, *myqa, *myps, *myv, *mywin, *mywout, *myvs, *mya;
    QPushButton *Command1, *Command2, *Command3;
    QLineEdit *myp, *mytw, *myw, *myrr;

private:
    // A field or result with its caption, placed in the row its view gives it.
    struct Row {
        QLabel *label;
        QLineEdit *edit;
    };
    Row addRow(QWidget *parent, const std::string &name, bool result);
    // Shows the fields and results of the view the options chose, in its order.
    void showFields(const catalogue::Entry &view);
    void cancel();

    std::map<std::string, Row> m_inputs, m_results;
};
