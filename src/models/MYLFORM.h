#pragma once
// 计算过渡带长度: the length of river over which a pollutant decaying at the
// flow velocity falls from the upstream to the downstream concentration.

#include "ui/calculatorwindow.h"

class MYLFORM : public ui::CalculatorWindow {
    Q_OBJECT

public:
    MYLFORM();

    QLineEdit *myk, *myu, *myc0, *myc;
    QLineEdit *myl;
    QPushButton *Command1, *Command2, *Command3;

private:
    void calculateLength();
};
