#pragma once
// 感潮河段一维水质计算（潮平均）: the tide-averaged concentration up- and
// downstream of an outfall in a tidal reach.

#include "ui/calculatorwindow.h"

class estuaryform : public ui::CalculatorWindow {
    Q_OBJECT

public:
    estuaryform();

    QLineEdit *myc0, *myq, *myu, *mye, *myk, *myq2, *myc2, *myx;
    QLineEdit *myc;
    QLabel *Label_myc;
    QPushButton *Command1, *Command2, *Command3;
};
