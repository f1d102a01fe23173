#pragma once
// 设计流量计算（最枯月）: the design low flow (or low water level) of a river
// from a station's monthly means. The file is chosen with 选择文件… and shown
// in Text1; OK gives the driest month of every year in the table, the driest
// months of the last ten years read as their mean and as their smallest, and
// the driest-month value at the design guarantee rate by the rank rule, by
// interpolation and from the fitted P-III curve. The fit of a long series
// takes some tenths of a second, so OK computes on a worker thread and the
// window stays responsive.

#include "ui/calculatorwindow.h"

class QGroupBox;
class QTableWidget;

class designflowform : public ui::CalculatorWindow {
    Q_OBJECT

public:
    designflowform();

    QGroupBox *Frame1, *Frame3;
    QRadioButton *Option1, *Option2;   // flow, water level
    QLabel *Label1, *Label10, *Label2; // the captions of the file, the options and the rate
    QLineEdit *Text1, *myrate;
    QPushButton *Command4, *Command1, *Command2, *Command3;
    QTableWidget *tableYears;
    QLabel *Label3, *Label_q10, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9;
    QLineEdit *myq10, *myq10min, *myq10year, *mydesign, *mydesignyear, *myinterp, *myp3;

    // "file": the path in Text1; "rate": the text of `myrate`.
    std::optional<QString> dataText(std::string_view name) const override;
    void setDataText(std::string_view name, const QString &text) override;

private:
    void chooseFile();
    void cancel();
    // The captions, units and table headers of the view shown.
    void showWords();
    // The years of the file just calculated, or none.
    void fillTable();
    void clearResults();
};
