#pragma once
// 河流溶解氧计算（S-P模型）: BOD and dissolved oxygen at a section below a
// sewage outfall, and the critical point of the oxygen sag (Streeter-Phelps).
// The river's quantities stand in the left column, the wastewater's in the right.

#include "ui/calculatorwindow.h"

class spform : public ui::CalculatorWindow {
    Q_OBJECT

public:
    spform();

    QLineEdit *myq1, *myq2, *myl1, *myl2, *mydo1, *mydo2, *myt, *myu, *myk1, *myk2, *myx;
    QLineEdit *myl, *mydo, *mytc, *myxc, *mydoc;
    QLabel *Label_myl, *Label_mydo, *Label_mytc, *Label_myxc, *Label_mydoc, *Label_exhausted;
    QPushButton *Command1, *Command2, *Command3;

private:
    void cancel();
};
