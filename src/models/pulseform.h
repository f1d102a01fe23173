#pragma once
// 一维河流瞬时排放水质计算: a mass released at once (a spill) carried down
// the river, spread by longitudinal dispersion and decaying: the concentration
// at a section at a time, and when and how high it peaks there.

#include "ui/calculatorwindow.h"

class pulseform : public ui::CalculatorWindow {
    Q_OBJECT

public:
    pulseform();

    QLineEdit *mym, *myb, *myh, *myu, *mye, *myk, *myx, *myt;
    QLineEdit *myc, *mytp, *mycp;
    QLabel *Label_myc, *Label_mytp, *Label_mycp;
    QPushButton *Command1, *Command2, *Command3;
};
