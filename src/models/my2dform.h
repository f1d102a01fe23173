#pragma once
// 二维水质计算: concentration at a point X km below an outfall on one bank and
// y m out from that bank, with transverse diffusion, first-order decay and
// reflection at both banks. The result caption carries both distances.

#include "ui/calculatorwindow.h"

class my2dform : public ui::CalculatorWindow {
    Q_OBJECT

public:
    my2dform();

    // The result caption as designed, and as Cancel sets it back.
    static const QString designCaption;
    static const QString clearedCaption;

    QLineEdit *myk, *myu, *mye, *myb, *myc0, *myh, *myq2, *myc2, *myx, *myy;
    QLineEdit *myc;
    QLabel *Label9;
    QPushButton *Command1, *Command2, *Command3;

private:
    void calculateConcentration();
    void cancel();
};
