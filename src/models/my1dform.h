#pragma once
// 一维水质计算: concentration of a degrading pollutant at a river section X km
// below an initial section, after a tributary has mixed in, with longitudinal
// dispersion and first-order decay. The result caption carries the distance.

#include "ui/calculatorwindow.h"

class my1dform : public ui::CalculatorWindow {
    Q_OBJECT

public:
    my1dform();

    // The result caption as designed, and as Cancel sets it back.
    static const QString designCaption;
    static const QString clearedCaption;

    QLineEdit *myk, *myu, *mye, *myq0, *myc0, *myx, *myq2, *myc2;
    QLineEdit *myc;
    QLabel *Label9;
    QPushButton *Command1, *Command2, *Command3;

private:
    void calculateConcentration();
    void cancel();
};
