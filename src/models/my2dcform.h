#pragma once
// 二维水质计算（非岸边排放）: the concentration at a point of the plume of an
// outfall a m from the near bank, X km downstream and y m across from the
// outfall, with decay and one reflection at each bank.

#include "ui/calculatorwindow.h"

class my2dcform : public ui::CalculatorWindow {
    Q_OBJECT

public:
    my2dcform();

    QLineEdit *myk, *myu, *mye, *myh, *myb, *mya, *myc0, *myc2, *myq2, *myx, *myy;
    QLineEdit *myc;
    QLabel *Label_myc;
    QPushButton *Command1, *Command2, *Command3;
};
