#pragma once
// 剩余环境容量计算: the present load of a water body, from monitoring or from the
// pollution sources of its catchment, set against its environmental capacity;
// the result is the remaining capacity or the load reduction (t/a).

#include "ui/calculatorwindow.h"

class QGroupBox;
class QLabel;

class myRevolform : public ui::CalculatorWindow
{
    Q_OBJECT

  public:
    myRevolform();

    QGroupBox *Frame1, *Frame2, *Frame3, *Frame5;
    QRadioButton *Option1, *Option5, *Option2; // one-way, two-way, lake
    QRadioButton *Option3, *Option4;           // monitoring known, total discharge known
    // Frame3: the water body
    QLineEdit *myk, *myq0, *myc0, *mycs, *myq1, *myw, *myb, *myh, *myl, *myd, *myq2, *myc2;
    QLabel *Label1, *Label2, *Label3, *Label10, *Label5, *Label4, *Label7, *Label8, *Label6, *Label16, *Label14,
        *label12;
    // Frame5: the pollution sources
    QLineEdit *myn, *mya, *myc, *myf, *myjl, *myth, *myls, *myc1, *myw3, *myw4, *myls1;
    QLabel *Label17, *Label18, *Label19, *tabel20, *Label20, *Label15, *Label22, *Label23, *Label21, *Label13, *Label11;
    QPushButton *caculv, *Command1, *myexit;
    QLabel *Label9;
    QLineEdit *myw1;

  private:
    void chooseBody();
    void chooseMonitoring();
    void chooseSources();
    void cancel();
    void calculateBalance();
};
