#pragma once
// 计算水质降解系数: the degradation coefficient K of a river reach, by the
// two-point method or by least squares over a table of monitoring points whose
// rows are created when the user says how many points there are.

#include "ui/calculatorwindow.h"

#include <QFont>
#include <map>
#include <utility>
#include <vector>

class QGroupBox;
class QScrollArea;

class myKform : public ui::CalculatorWindow {
    Q_OBJECT

public:
    myKform();

    // A table of count monitoring points (1 to the table's most rows), as the
    // multi-point method builds it once the count has been typed in.
    void buildTable(int count);
    // The multi-point view is shown with a table of rows rows without asking.
    void showView(const catalogue::Entry &view, int rows) override;

    QGroupBox *Frame1;
    QRadioButton *Option1, *Option2;
    QPushButton *Command3;

    // Two-point method
    QGroupBox *Frame2;
    QLineEdit *myu, *myc0, *myc1, *myx, *myk;
    QPushButton *Command1, *Command2;

    // Multi-point method. Row i of the table is element i of the control
    // groups Label9, Text4 (concentration), Label8 and Text2 (distance).
    QGroupBox *Frame3;
    QLabel *Label10, *Label11, *Label6;
    QLineEdit *Text5, *Text6, *Text1;
    std::vector<QLabel *> Label9, Label8;
    std::vector<QLineEdit *> Text4, Text2;
    QPushButton *caculk, *mycancel;

private:
    void showTwoPoint();
    void askForTable();
    void setRowCount(int n);
    void addRow(int i);
    QLabel *addRowLabel(QWidget *block, const QString &name, const QString &caption, const QRect &rect);
    void placeBelowTable();
    void showTable(bool shown);
    void calculateTwoPoint();
    void calculateMultiPoint();
    void cancelMultiPoint();

    // The tall table scrolls inside the window below the method choice.
    QScrollArea *m_tableArea;
    // Rows 1 on, in blocks of rows inside Frame3.
    std::vector<QWidget *> m_rowBlocks;
    // The font fitted to the captions of a group, by caption length.
    std::map<std::pair<QString, qsizetype>, QFont> m_fittedFonts;
    // The number of monitoring points of the table last built.
    int m_count = 0;
};
