#pragma once
// 水环境容量计算: the water environmental capacity (t/a) of a one-way river
// reach, a two-way river reach or a lake or reservoir, after a safety factor.

#include "ui/calculatorwindow.h"

class QGroupBox;
class QLabel;

class myvolform : public ui::CalculatorWindow
{
    Q_OBJECT

  public:
    myvolform();

    QGroupBox *Frame1, *Frame2;
    QRadioButton *Option1, *Option3, *Option2; // one-way, two-way, lake
    QLineEdit *myk, *myq0, *myc0, *mycs, *myq2, *mysb, *myb, *myh, *myl, *myd, *myq1, *myc1;
    QLabel *Label1, *Label2, *Label3, *Label10, *Label5, *label12, *Label7, *Label8, *Label6, *Label4, *Label11,
        *Label13;
    QPushButton *caculv, *Command1, *myexit;
    QLabel *Label9;
    QLineEdit *myw;

  private:
    void showView(const catalogue::Entry &view);
    void calculateCapacity();
};
