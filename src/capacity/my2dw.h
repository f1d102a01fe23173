#pragma once
// 计算二维河道水体纳污能力: the load (t/a) an outfall on one bank may discharge
// so that a control point x m downstream and y m out from the bank just meets
// the standard, by the bank-outfall plume of the two-dimensional river model.

#include "ui/calculatorwindow.h"

class my2dw : public ui::CalculatorWindow {
    Q_OBJECT

public:
    my2dw();

    QLineEdit *myk, *myu, *mye, *myb, *myc0, *myh, *mycs, *myy, *myx;
    QLineEdit *myw;
    QLabel *Label9;
    QPushButton *Command1, *Command2, *Command3;

private:
    void calculateCapacity();
};
