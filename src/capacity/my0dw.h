#pragma once
// 计算湖泊水库纳污能力: the load (t/a) an outfall may discharge into a lake or
// reservoir so that the circle of radius r around it just meets the standard.

#include "ui/calculatorwindow.h"

class my0dw : public ui::CalculatorWindow {
    Q_OBJECT

public:
    my0dw();

    QLineEdit *myk, *myq0, *mya, *myr, *mycs, *myh;
    QLineEdit *myw;
    QLabel *Label9;
    QPushButton *Command1, *Command2, *Command3;

private:
    void calculateCapacity();
};
