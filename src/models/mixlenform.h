#pragma once
// 混合过程段长度计算: the length of the mixing zone below an outfall, from
// the river's width, the outfall's distance from the bank, the velocity and
// the transverse diffusion coefficient.

#include "ui/calculatorwindow.h"

class mixlenform : public ui::CalculatorWindow {
    Q_OBJECT

public:
    mixlenform();

    QLineEdit *myb, *mya, *myu, *mye;
    QLineEdit *mylm;
    QLabel *Label_mylm;
    QPushButton *Command1, *Command2, *Command3;
};
