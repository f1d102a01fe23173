#pragma once
// 零维水质计算: two fully-mixed calculations side by side, volume mixing of a
// lake or reservoir and section mixing at a river cross-section.

#include "ui/calculatorwindow.h"

class my0dform : public ui::CalculatorWindow {
    Q_OBJECT

public:
    my0dform();

    // Frame "容积混合"
    QLineEdit *myw, *myq, *MYK, *myv, *Text3;
    QPushButton *caculc, *mycancel;
    // Frame "断面混合"
    QLineEdit *myq1, *myc1, *myq2, *myc2, *Text2;
    QPushButton *caculc1, *Command1;
    QPushButton *Command3;

    const catalogue::Entry &currentEntry() const override { return *m_current; }

private:
    void calculateVolumeMixing();
    void calculateSectionMixing();

    const catalogue::Entry &m_volume, &m_section;
    const catalogue::Entry *m_current;
};
