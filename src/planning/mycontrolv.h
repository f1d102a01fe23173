#pragma once
// 水污染总量控制计算: the load a water body will receive in a planning year from
// domestic sewage, agricultural runoff and industry, set against its
// environmental capacity. The base-year industrial load is typed in, or
// estimated in two steps from a mass balance of the water body.

#include "ui/calculatorwindow.h"

class QGroupBox;
class QLabel;

class mycontrolV : public ui::CalculatorWindow
{
    Q_OBJECT

  public:
    mycontrolV();

    // The captions of caculv; under the second condition they mark the step.
    static const QString askWaterBodyCaption; // "计算工业污染源": water-body data not asked for yet
    static const QString okCaption;           // "确  定"

    QGroupBox *Frame2, *Frame5, *Frame3;
    QRadioButton *Option3, *Option4; // industrial load known, industrial load estimated
    // Frame5: sources and planning year
    QLineEdit *myn, *mya, *myc, *myf, *myjl, *myls1, *myls, *myth, *myy, *myc1, *myr, *myn1, *mya2, *mya1, *myw3, *myw;
    QLabel *Label21;
    // Frame3: the water body
    QLineEdit *myk, *myq0, *myc0, *mycs, *myq1, *myv;
    QPushButton *caculv, *Command1, *myexit;
    QLabel *Label9;
    QLineEdit *myw4;

  private:
    void chooseKnownIndustry();
    void chooseEstimatedIndustry();
    void setOkCaption(const QString &caption, double pointSize);
    void showWaterBodyStep();
    void showSourcesAfterEstimate();
    void cancel();
    void calculateControl();
    QString reductionCaption() const;
};
