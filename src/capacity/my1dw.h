#pragma once
// 计算河道一维水体纳污能力: the load (t/a) an outfall may discharge into a river
// so that a control point downstream just meets the standard, the load mixing
// completely at the outfall and decaying by plug flow.

#include "ui/calculatorwindow.h"

class my1dw : public ui::CalculatorWindow {
    Q_OBJECT

public:
    my1dw();

    QLineEdit *myk, *myq0, *myc0, *mycs, *myq2, *myu, *myx;
    QLineEdit *myw;
    QLabel *Label9;
    QPushButton *caculw, *mycancel, *myexit;

private:
    void calculateCapacity();
};
